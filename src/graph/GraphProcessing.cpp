// Signal processing on the window's channel: the transform, the weighting
// window, smoothing and the zero-offset removal. The work is done by dsp;
// the window asks its questions and shows the result.
#include <algorithm>
#include <cmath>

#include "dsp/PowerOfTwo.h"
#include "graph/GraphModel.h"
#include "graph/StoreLimits.h"
#include "ops/Smoothing.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "ops/ZeroOffset.h"
#include "state/EventQueue.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"

namespace graph {
namespace {

bool Yes(state::Program& p, int text) { return state::AskT(p, text, 15) == platform::Answer::Yes; }

}  // namespace

void TDispl10::Transform() {
  if (broken_) return;
  Busy(true);
  const int32_t n = p_.Header(IsW).Length;
  if (n > 0 && !dsp::DelkaJeMocDvou(n)) {
    if (!Yes(p_, 1406)) {
      Busy(false);
      return;
    }
    // The record is cut to the largest power of two it holds, through the
    // store's limits as the menu's cut does.
    int64_t p2 = 1;
    while (p2 * 2 <= n) p2 *= 2;
    graph::StoreLimits l = graph::GetStoreLimits(p_, IsW);
    l.left = 0;
    l.right = int32_t(p2 - 1);
    if (!(l.upper > l.lower) || !std::isfinite(l.upper) || !std::isfinite(l.lower)) {
      const store::CG_s& a = Act();
      const bool usable = std::isfinite(a.VMax) && std::isfinite(a.VMin) && a.VMax > a.VMin;
      l.upper = usable ? a.VMax : 1.0f;
      l.lower = usable ? a.VMin : 0.0f;
    }
    graph::SetStoreLimits(p_, IsW, l);
    // The cut tells every window of the store (this one too) that the data changed.
    if (!graph::WriteLimits(p_, IsW) || broken_) {
      Busy(false);
      return;
    }
  }
  const int M = p_.Header(IsW).Length / 2;
  auto transform = [&](int chan) {
    if (M >= 1) (void)ops::FFT_Transform(p_, IsW, chan, M, true);
    const int32_t type = p_.Freq(IsW)[chan] ? kMagnitude : kBothHalves;
    if (chan == ActChan)
      SetNewPointer(type, Act().DisplType);
    else
      Graph(chan).DisplType = type;
  };
  if (Own().Multi) {
    for (int k = 0; k < store::kChannels; ++k)
      if (IsShown(k)) transform(k);
  } else {
    transform(OwnChan);
  }
  SetPointer();
  Busy(false);
  Redraw();
}

void TDispl10::WeightFunction() {
  if (broken_) return;
  if (p_.plat.ui) state::AC_Beep(p_);
  const int chan = DataChannel();
  ops::WeightRange range = ops::WeightRange::Whole;
  // A macro's KB weights the whole channel without questions.
  if (!p_.MacGoing) {
    if (!Yes(p_, p_.Freq(IsW)[chan] ? 115 : 116)) return;
    if (Yes(p_, 1180))
      range = Yes(p_, 1181) ? ops::WeightRange::BetweenCursorsZeroOutside : ops::WeightRange::BetweenCursors;
  }
  (void)ops::WeightChannel(p_, IsW, chan, range);
  Redraw();
}

void TDispl10::GoSmooth() {
  if (broken_) return;
  int width = dsp::SmoothWidthFromArgument(p_.Argument);
  if (width < 0) {
    if (!p_.plat.ui) return;
    std::optional<int64_t> v =
        p_.ui().PromptInt(state::Txt(p_, 81), 1, 30000, std::clamp(SmoothWidth, 1, 30000));
    if (!v) return;
    width = int(std::clamp<int64_t>(*v, 1, 30000));
  }
  const int32_t n = p_.Header(IsW).Length;
  int from = 0, to = n - 1;
  if (!p_.MacGoing && !Yes(p_, 1095)) {
    // Cursors count in the shown series; the second half starts mid-record.
    // Copies: the fields of the packed record may be misaligned for a reference.
    const int64_t c1 = Own().Cur1, c2 = Own().Cur2, last = std::max(n - 1, 0);
    const int64_t base = Act().DisplType == kSecondHalf ? Half : 0;
    from = int(std::clamp<int64_t>(std::min(c1, c2) + base, 0, last));
    to = int(std::clamp<int64_t>(std::max(c1, c2) + base, 0, last));
  }
  SmoothWidth = width;
  // The store's windows rebuild their series (a spectrum display is recomputed).
  if (ops::SmoothRange(p_, IsW, DataChannel(), from, to, width)) state::DataChanged(p_, IsW);
  Redraw();
}

void TDispl10::ZeroOffset() {
  if (broken_ || Half <= 0) return;
  // The whole record, its last sample too when the length is odd. Answers
  // through the store's data-changed notification, which redraws.
  (void)ops::ZeroOffsetOfChannel(p_, IsW, DataChannel(), 0, p_.Header(IsW).Length - 1);
}

}  // namespace graph
