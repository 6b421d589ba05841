// Data operations on the window's channel: the modifications of its samples
// (sign, absolute value, constants, baseline, shift, trend, band filter),
// magnitudes, normalisation and joining a stored record. The arithmetic is in
// dsp and ops; the window asks its questions and shows the result.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "dsp/DataModification.h"
#include "dsp/Power.h"
#include "graph/GraphModel.h"
#include "ops/ChannelView.h"
#include "ops/Decibels.h"
#include "ops/SpectrumTools.h"
#include "state/EventQueue.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/UserMessages.h"
#include "store/Defaults.h"

namespace graph {
namespace {

constexpr int kBandFilterMode = 10;

bool Yes(state::Program& p, int text) { return state::AskT(p, text, 15) == platform::Answer::Yes; }

bool YesTo(state::Program& p, const char* czech, const char* english) {
  return p.ui().AskYesNo(state::Lang(p, czech, english), state::Txt(p, 15)) == platform::Answer::Yes;
}

// The cursors of the window in record indices, and the values of the
// horizontal cursor lines.
struct CursorPoints {
  int64_t c1 = 0, c2 = 0;
  double y1 = 0, y2 = 0;
};

// One modification with its questions answered, applied alike to each channel.
struct Modif {
  int mode = 0;
  double value = 0;
  int from = 0, to = 0;  // trend points, or the band's bins
  int anchor = 0;        // mode 9: the sample whose value stays
  double slope = 0;      // mode 9: rise per sample
};

// Asks what mode `mode` needs on a record of n samples. Nothing when a
// question is declined, a prompt cancelled or the cursors give no range.
std::optional<Modif> AskModif(state::Program& p, int mode, int n, const CursorPoints& c) {
  Modif m;
  m.mode = mode;
  const bool ask = !p.MacGoing;
  const int64_t last = n - 1;
  const int64_t a = std::clamp<int64_t>(std::min(c.c1, c.c2), 0, last);
  const int64_t b = std::clamp<int64_t>(std::max(c.c1, c.c2), 0, last);
  switch (mode) {
    case 0:
    case 1:
      return m;
    case 2:  // the trend between the cursors
      if (b <= a || (ask && !Yes(p, 121))) return std::nullopt;
      m.from = int(a), m.to = int(b);
      return m;
    case 3:  // the trend of the whole channel
      if (n < 2 || (ask && !Yes(p, 122))) return std::nullopt;
      m.from = 0, m.to = n - 1;
      return m;
    case 9: {  // the trend the two points of the horizontal cursor lines give
      if (b <= a || !std::isfinite(c.y1) || !std::isfinite(c.y2)) return std::nullopt;
      if (ask && !Yes(p, 825)) return std::nullopt;
      const int64_t c1 = std::clamp<int64_t>(c.c1, 0, last), c2 = std::clamp<int64_t>(c.c2, 0, last);
      m.anchor = int(c1);
      m.slope = (c.y2 - c.y1) / double(c2 - c1);
      return m;
    }
    case kBandFilterMode: {
      const int M = n / 2;
      if (M < 2 || !p.plat.ui) return std::nullopt;
      std::optional<int64_t> from = p.ui().PromptInt(state::Txt(p, 826), 0, M - 1, 0);
      if (!from) return std::nullopt;
      std::optional<int64_t> to = p.ui().PromptInt(state::Txt(p, 826), *from + 1, M, M);
      if (!to) return std::nullopt;
      m.from = int(std::clamp<int64_t>(*from, 0, M - 1));
      m.to = int(std::clamp<int64_t>(*to, m.from + 1, M));
      return m;
    }
    default:
      break;
  }
  const dsp::DataModifValue v = dsp::DataModifValueFor(mode);
  if (v.kind == dsp::DataModifValue::None || !p.plat.ui) return std::nullopt;
  if (v.kind == dsp::DataModifValue::Float) {
    const char* cz[] = {"Násobit kanál číslem", "Přičíst ke kanálu číslo", "Dělit kanál číslem"};
    const char* gb[] = {"Multiply the channel by", "Add to the channel", "Divide the channel by"};
    std::optional<double> f =
        p.ui().PromptFloat(state::Lang(p, cz[mode - 4], gb[mode - 4]), -v.limit, v.limit, 1.0);
    // A divisor of 0 would fill the channel with infinities.
    if (!f || !std::isfinite(*f) || (mode == 6 && *f == 0)) return std::nullopt;
    m.value = *f;
    return m;
  }
  const int64_t low = mode == 8 ? -int64_t(n) : 1;
  std::optional<int64_t> k =
      p.ui().PromptInt(state::Txt(p, v.text), low, n, mode == 8 ? 0 : std::min(n, 100));
  if (!k || (mode == 8 && *k == 0)) return std::nullopt;
  m.value = double(std::clamp<int64_t>(*k, low, n));
  return m;
}

// Applies a modification to channel `chan`; true when its samples changed.
bool ApplyModif(state::Program& p, store::Store s, int chan, const Modif& m) {
  ops::ChannelView v = ops::ViewChannel(p, s, chan);
  if (!v) return false;
  switch (m.mode) {
    case 2:
    case 3:
      if (m.to >= v.length) return false;
      dsp::RemoveLinearTrend(v.data, m.from, m.to, v.length);
      return true;
    case 9:
      dsp::RemoveSlope(v.data, v.length, std::min(m.anchor, v.length - 1), m.slope);
      return true;
    default:
      return dsp::DataModifArithmetic(v.data, v.length, m.mode, m.value) != 0;
  }
}

// Asks once what `mode` needs and applies it to each of `channels`; the
// store's windows are told when anything changed.
void ModifChannels(state::Program& p, TDispl10& w, int mode, const std::vector<int>& channels) {
  const int n = p.Header(w.IsW).Length;
  if (n < 1 || channels.empty()) return;
  // Cursors count in the shown series; the second half starts mid-record.
  const int64_t base = w.Act().DisplType == kSecondHalf ? w.Half : 0;
  const store::CG_s& g = w.Own();
  const CursorPoints c{g.Cur1 + base, g.Cur2 + base, g.HCur1, g.HCur2};
  std::optional<Modif> m = AskModif(p, mode, n, c);
  if (!m) return;
  bool changed = false;
  // The filter takes its channels as one: a stop leaves all of them.
  if (m->mode == kBandFilterMode)
    changed = ops::FilterChannels(p, w.IsW, channels, m->from, m->to, dsp::BandFilter::Pass) != 0;
  else
    for (int k : channels) changed = ApplyModif(p, w.IsW, k, *m) || changed;
  if (!changed) return;
  state::DataChanged(p, w.IsW);
  if (w.Broken()) return;
  w.RedrawAll = 1;
  w.DisplControl();
}

}  // namespace

void TDispl10::DataModif(int mode) {
  if (broken_) return;
  if (p_.plat.ui) state::AC_Beep(p_);
  ModifChannels(p_, *this, mode, {DataChannel()});
}

void TDispl10::DataModifMultiChan(int mode) {
  if (broken_) return;
  if (p_.plat.ui) state::AC_Beep(p_);
  // Every channel the window shows; outside multi display its own channel.
  std::vector<int> channels;
  for (int k = 0; k < store::kChannels; ++k)
    if (Own().Multi ? IsShown(k) : k == DataChannel()) channels.push_back(k);
  ModifChannels(p_, *this, mode, channels);
}

void TDispl10::ToMag(int ask, int decibels) {
  if (broken_) return;
  if (p_.plat.ui) state::AC_Beep(p_);
  const int chan = DataChannel();
  ops::ChannelView v = ops::ViewChannel(p_, IsW, chan);
  if (!v) return;
  const bool spectrum = p_.Freq(IsW)[chan] != 0;
  if (decibels && !spectrum) {
    state::MessT(p_, 776, 14);
    return;
  }
  // Magnitudes of values already in decibels, converted "to decibels" once
  // more, would turn them back into amplitudes of nonsense.
  if (decibels && store::IsDecibelCode(p_.Channels(IsW)[chan].PrefixCode)) {
    state::Mess(p_, state::Lang(p_, "Kanál už je v decibelech.", "The channel is in decibels already."),
                state::Txt(p_, 14));
    return;
  }
  if (ask && !p_.MacGoing && !Yes(p_, decibels ? 777 : spectrum ? 113 : 114)) return;
  // A time signal has no imaginary half to join with: its magnitudes are
  // the absolute values, as WTOMAG takes them.
  if (spectrum)
    dsp::Power(v.data, v.length, 4);
  else
    dsp::Magnitudes(v.data, v.length, false);
  if (decibels) {
    if (ops::ChaneldB_Util(p_, IsW, chan, 0, v.length / 2 - 1, false)) {
      if (chan == ActChan)
        SetNewPointer(kFirstHalf, Act().DisplType);
      else
        Graph(chan).DisplType = kFirstHalf;
    }
  }
  state::DataChanged(p_, IsW);
  if (!broken_ && (ask || decibels)) Redraw();
}

void TDispl10::Normalizace(int mode) {
  if (broken_) return;
  if (mode == 1) {
    // The samples divided by their largest magnitude.
    ops::ChannelView v = ops::ViewChannel(p_, IsW, DataChannel());
    if (!v) return;
    if (!p_.MacGoing && p_.plat.ui &&
        !YesTo(p_, "Normovat kanál na největší hodnotu 1?",
               "Normalise the channel to a largest magnitude of 1?"))
      return;
    if (!dsp::NormalizeToPeak(v.data, v.length)) return;
    state::DataChanged(p_, IsW);
    if (broken_) return;
  }
  // The value axis symmetric about zero, up to the largest magnitude shown.
  SelectSeries();
  OK_IL_IR();
  if (!series_ || NShown < 1) return;
  const int64_t il = std::clamp<int64_t>(Own().IL, 0, NShown - 1);
  const int64_t ir = std::clamp<int64_t>(Own().IR, il, NShown - 1);
  float peak = dsp::PeakMagnitude(series_, il, ir);
  if (!(peak > 0) || !std::isfinite(peak)) peak = 1.0f;
  Act().VMax = peak;
  Act().VMin = -peak;
  MultiCopy();
  KoefY();
  Redraw();
}

void TDispl10::CatData() {
  if (broken_) return;
  if (!store::IsW(IsW)) {
    state::Mess(
        p_, state::Lang(p_, "Připojit soubor lze jen k průběhu.", "Only a waveform can have a file joined."),
        state::Txt(p_, 11));
    return;
  }
  // The join reopens every waveform window, this one too: the main window
  // does it once this window's key has been handled.
  if (p_.plat.windows) p_.plat.windows->PostMain(state::kLinkWaveFile, 0);
}

}  // namespace graph
