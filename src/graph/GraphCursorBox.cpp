// Channels picked with the cursors: the one nearest to cursor 1, and the
// channels of the multi display whose traces pass through the cursor box.
#include <algorithm>
#include <cmath>

#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace graph {
namespace {

constexpr int kBoxCaption = 1264;

}  // namespace

const float* TDispl10::ShownSeries(int chan, int32_t& n) const {
  n = 0;
  if (chan < 0 || chan >= store::kChannels) return nullptr;
  // The same choice of data as the window's own series makes for its channel.
  const int32_t type = Act().DisplType;
  const bool shadow = type >= kPower && type <= kHistogram;
  const float* d = ChannelData(chan, shadow);
  if (!d) return nullptr;
  n = type == kFirstHalf || type == kSecondHalf ? Half : 2 * Half;
  if ((type == kPower || type == kMagnitude) && p_.Freq(IsW)[chan]) n = Half;
  return type == kSecondHalf ? d + Half : d;
}

int TDispl10::NearestChannel() const {
  const store::CG_s& g = Own();
  // Without a horizontal line the last point given to cursor 1 is the reference.
  const float ref = g.CursorStyle == 0 ? MouseHorizToGlobal(CurY1) : g.HCur1;
  int best = -1;
  double bestGap = 0;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!(g.Multi ? IsShown(k) : k == OwnChan)) continue;
    int32_t n;
    const float* d = ShownSeries(k, n);
    if (!d || n <= 0) continue;
    const double gap = std::fabs(double(d[std::clamp(g.Cur1, 0, n - 1)]) - ref);
    if (!std::isfinite(gap)) continue;
    if (best < 0 || gap < bestGap) best = k, bestGap = gap;  // the first wins a tie
  }
  return best;
}

void TDispl10::ZjistiNejblizsi() {
  if (broken_ || !store::IsW(IsW) || IsXY()) return;
  const int nearest = NearestChannel();
  if (nearest < 0) return;
  Own().Chan = int16_t(nearest);
  const int16_t old = ActChan;
  NastavKanal(nearest);
  if (ActChan != old) Redraw();  // the scales belong to the active channel
}

void TDispl10::VyberKanaluProMultizobrazeniMeziKurzory() {
  if (broken_ || !store::IsW(IsW)) return;
  const store::CG_s& g = Own();
  if (!g.Multi || g.MultiMode != 0 || (g.MultiFlags & store::kMultiStrips))
    return state::MessT(p_, 1260, kBoxCaption);
  if (g.CursorStyle == 2) return state::MessT(p_, 1262, kBoxCaption);
  ZjistiNejblizsi();
  const int chan = ActChan;
  const std::string name = p_.Channels(IsW) ? store::FieldText(p_.Channels(IsW)[chan].Name) : std::string();
  const platform::Answer answer =
      p_.ui().AskYesNoCancel(state::TxtF(p_, 1259, {chan + 1, name}), state::Txt(p_, 15));
  PaintVScale(*surface_);
  // Without horizontal lines there is no box.
  if (g.CursorStyle == 0) return state::MessT(p_, 1263, kBoxCaption);
  if (answer == platform::Answer::Yes)
    VyberKanaluProMultizobrazeni(true);
  else if (answer == platform::Answer::No)
    VyberKanaluProMultizobrazeni(false);
}

void TDispl10::VyberKanaluProMultizobrazeni(bool keep) {
  if (broken_) return;
  store::CG_s& g = Own();
  const int32_t from = std::min(g.Cur1, g.Cur2), to = std::max(g.Cur1, g.Cur2);
  const float top = std::max(g.HCur1, g.HCur2), bottom = std::min(g.HCur1, g.HCur2);
  bool inBox[store::kChannels] = {};
  bool any = false;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    int32_t n;
    const float* d = ShownSeries(k, n);
    if (!d || n <= 0) continue;
    // Every second sample is close enough for a trace crossing the box.
    const int64_t last = std::min<int64_t>(to, n - 1);
    for (int64_t i = std::max(from, 0); i <= last && !inBox[k]; i += 2)
      inBox[k] = d[i] >= bottom && d[i] <= top;
    any = any || inBox[k];
  }
  if (!any) return state::MessT(p_, 1261, kBoxCaption);
  // "All present" ignores the mask: the choice becomes an explicit one first.
  if (g.MultiFlags & store::kMultiAllPresent) {
    for (int k = 0; k < store::kChannels; ++k) {
      const uint32_t bit = 1u << (k % 32);
      if (IsShown(k))
        g.MultiMask[k / 32] |= bit;
      else
        g.MultiMask[k / 32] &= ~bit;
    }
    g.MultiFlags &= ~store::kMultiAllPresent;
  }
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    if (keep ? !inBox[k] : inBox[k]) g.MultiMask[k / 32] &= ~(1u << (k % 32));
  }
  UpravAktivniKanal();
  Redraw();
}

}  // namespace graph
