#include "ops/CurveCalibration.h"

#include <cmath>
#include <limits>

#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace ops {
namespace {

constexpr store::Store kW = store::Store::W;

// First sample of the channel when its whole record lies inside the arrays.
std::optional<int> ChannelStart(const state::Program& p, int channel) {
  if (channel < 0 || channel >= store::kChannels || !p.Waveform) return std::nullopt;
  const int start = state::Pocatek(p, kW, channel);
  const int32_t n = p.HGW.Length;
  if (start < 0 || n < 1 || !BlockFits(p, kW, start, n)) return std::nullopt;
  return start;
}

}  // namespace

std::optional<float> ReadCurveLevel(const state::Program& p, int channel, CurveLevel how) {
  const auto start = ChannelStart(p, channel);
  if (!start || !p.CGW) return std::nullopt;
  const store::CG_s& g = p.CGW[size_t(channel)];
  const int32_t n = p.HGW.Length, c1 = g.Cur1;
  const int32_t c2 = how == CurveLevel::AtCursor1 ? c1 : g.Cur2;
  // Cursors come from the settings file too: a range outside the record reads nothing.
  if (c1 < 0 || c2 < c1 || c2 >= n) return std::nullopt;
  const float* s = p.Waveform.get() + *start;
  double sum = 0;
  for (int32_t i = c1; i <= c2; ++i) sum += s[i];
  return float(sum / (double(c2) - c1 + 1));
}

std::optional<CurveLine> CalibrationLine(const store::Kal_s& r) {
  const double l1 = r.KalLevel1, l2 = r.KalLevel2;
  if (l1 == l2) return std::nullopt;
  CurveLine line;
  line.k = (double(r.KalValue1) - r.KalValue2) / (l1 - l2);
  line.q = r.KalValue2 - line.k * l2;
  // Levels almost alike give a slope no stored sample could take.
  constexpr double kMax = std::numeric_limits<float>::max();
  if (!(std::fabs(line.k) <= kMax && std::fabs(line.q) <= kMax)) return std::nullopt;
  return line;
}

int ApplyCurveCalibration(state::Program& p, const store::Kal_s& r, bool undo) {
  // Two equal levels give no line, and a flat line cannot be undone: either
  // would turn the whole channel into infinities or one constant.
  const auto line = CalibrationLine(r);
  if (!line || (undo && line->k == 0)) {
    state::Mess(
        p,
        state::Lang(p, "Kalibrace potřebuje dvě různé úrovně a (pro návrat) dvě různé hodnoty.",
                    "The calibration needs two different levels and, to be undone, two different values."),
        state::Txt(p, 13));
    return 0;
  }
  if (p.ui().AskYesNo(state::TxtF(p, 648, {int(r.KalChannel) + 1}), state::Txt(p, 15)) !=
      platform::Answer::Yes)
    return 0;
  const auto start = ChannelStart(p, r.KalChannel);
  if (!start) {
    state::MessT(p, 249, 13);
    return 0;
  }
  float* s = p.Waveform.get() + *start;
  for (int32_t i = 0; i < p.HGW.Length; ++i)
    s[i] = float(undo ? (s[i] - line->q) / line->k : line->k * s[i] + line->q);
  // The windows keep pictures of the old samples: they learn of the change first.
  state::DataChanged(p, kW);
  if (auto& w = p.Windows(kW)[r.KalChannel]) w->UserMessage(state::kRedrawAll, 0);
  return 1;
}

}  // namespace ops
