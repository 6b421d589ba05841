// Operations of the graph window that other windows ask for by user message:
// the store's limits, the progress of a measurement run, the time scale, the
// pen, autoscale of every shown channel and the hot keys.
#include <algorithm>
#include <cmath>
#include <string>

#include "graph/GraphModel.h"
#include "graph/StoreLimits.h"
#include "state/Messages.h"
#include "state/UserMessages.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// The keys the hot-key codes press: modifier state (0 none, 1 Ctrl, 3 Tab)
// and the key; 0 for the codes that call a function key directly.
struct HotKeyEntry {
  int code, modifier;
  char key;
};
constexpr HotKeyEntry kHotKeys[] = {
    {state::kHotKeyCtrlA, 1, 'A'}, {state::kHotKeyCtrlW, 1, 'W'}, {state::kHotKeyCtrlQ, 1, 'Q'},
    {state::kHotKeyCtrlH, 1, 'H'}, {state::kHotKeyCtrlV, 1, 'V'}, {state::kHotKeyCtrlR, 1, 'R'},
    {state::kHotKeyCtrlY, 1, 'Y'}, {state::kHotKeyB, 0, 'B'},     {state::kHotKeyC, 0, 'C'},
    {state::kHotKeyY, 0, 'Y'},     {state::kHotKeyD, 0, 'D'},     {state::kHotKeyF, 0, 'F'},
    {state::kHotKeyK, 0, 'K'},     {state::kHotKeyL, 0, 'L'},     {state::kHotKeyS, 0, 'S'},
    {state::kHotKeyT, 0, 'T'},     {state::kHotKeyZ, 0, 'Z'},     {state::kHotKeyE, 0, 'E'},
    {state::kHotKeyCtrlB, 1, 'B'}, {state::kHotKeyCtrlM, 1, 'M'}, {state::kHotKeyG, 0, 'G'},
    {state::kHotKeyN, 0, 'N'},     {state::kHotKeyI, 0, 'I'},     {state::kHotKeyJ, 0, 'J'},
    {state::kHotKeyX, 0, 'X'},     {state::kHotKeyCtrlC, 1, 'C'}, {state::kHotKeyCtrlL, 1, 'L'},
    {state::kHotKeyCtrlD, 1, 'D'}, {state::kHotKeyTabF, 3, 'F'},  {state::kHotKeyCtrlN, 1, 'N'},
    {state::kHotKeyCtrlG, 1, 'G'}, {state::kHotKeyO, 0, 'O'},     {state::kHotKeyCtrlO, 1, 'O'},
};

}  // namespace

void TDispl10::TakeStoreLimits(bool interactive) {
  if (broken_) return;
  const graph::StoreLimits l = graph::GetStoreLimits(p_, IsW);
  SelectSeries();
  store::CG_s& g = Own();
  store::CG_s& a = Act();
  // The limits count samples from the record start; the second half shows
  // the record from its middle.
  int64_t left = l.left, right = l.right;
  if (a.DisplType == kSecondHalf) left -= Half, right -= Half;
  left = std::max<int64_t>(left, 0);
  right = std::min<int64_t>(right, int64_t(NShown) - 1);
  if (right <= left || !std::isfinite(l.upper) || !std::isfinite(l.lower) || !(l.upper > l.lower)) {
    // This window's series cannot show them (a half or a spectrum display).
    if (interactive) state::MessT(p_, 112, 13);
    return;
  }
  g.IL = g.LimIL = int32_t(left);
  g.IR = g.LimIR = int32_t(right);
  ShownCount = int32_t(right - left + 1);
  a.VMax = a.LimVMax = l.upper;
  a.VMin = a.LimVMin = l.lower;
  MultiCopy();
  Redraw();
}

void TDispl10::MeasurementProgress() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (!store::IsW(IsW) && p_.QM && !g.XYPlot && p_.Bindx >= g.IR) {
    SelectSeries();
    const int32_t width = g.IR - g.IL;
    if (width > 0 && g.IR < NShown - 1) {
      const int64_t right = std::min<int64_t>(int64_t(g.IR) + width, int64_t(NShown) - 1);
      g.IR = int32_t(right);
      g.IL = int32_t(right - width);
    }
  }
  Redraw();
}

void TDispl10::RepaintTimeScale() {
  if (broken_) return;
  SelectSeries();
  OK_IL_IR();
  KoefX();
  DePress();
  const store::CG_s& g = Own();
  const uint32_t window = (g.DisplFlags & store::kDisplWhiteWindow) ? Rgb(255, 255, 255) : Rgb(192, 192, 192);
  platform::Canvas& dc = *surface_;
  dc.FillRect(PlotLeft - 1, PlotTop + PlotH + 1, ClientW, ClientH, window);
  PaintScale(dc);
  TextInfoCreateRefresh();  // the bar lies in the area cleared
}

void TDispl10::SetPenWidth(int width) {
  if (broken_) return;
  Own().PenWidth = int16_t(std::clamp(width, 0, 3));
  Redraw();
}

void TDispl10::NastavKanal(int chan) {
  if (chan < 0 || chan >= store::kChannels) return;
  if (chan != OwnChan && !IsShown(chan)) return;
  ActChan = int16_t(chan);
  SetPointer();
}

void TDispl10::NastavKanal(int redraw, int oldChan, int16_t newChan) {
  if (broken_ || newChan < 0 || newChan >= store::kChannels) return;
  if (newChan != OwnChan && !IsShown(newChan)) return;
  store::CG_s& g = Own();
  const bool strips = g.Multi && (g.MultiFlags & store::kMultiStrips);
  // There the own record shows the active channel's range: the own channel's
  // range is set aside while another channel is active.
  if (g.Multi && (g.MultiMode == 1 || strips)) {
    if (oldChan == OwnChan && newChan != OwnChan) {
      ownVMax_ = g.VMax;
      ownVMin_ = g.VMin;
    }
    ActChan = newChan;
    if (newChan == OwnChan && oldChan != OwnChan) {
      g.VMax = ownVMax_;
      g.VMin = ownVMin_;
    } else if (newChan != OwnChan) {
      g.VMax = Act().VMax;
      g.VMin = Act().VMin;
    }
    KoefY();
  } else {
    ActChan = newChan;
  }
  SetPointer();
  if (!strips) {
    if (redraw) Redraw();
    return;
  }
  platform::Canvas& dc = *surface_;
  PaintScale(dc);
  PaintVScale(dc);
}

void TDispl10::AutoscaleShown(bool resetRange) {
  if (broken_) return;
  if (Own().Multi) {
    const int16_t previous = ActChan;
    for (int k = 0; k < store::kChannels; ++k) {
      if (!IsShown(k)) continue;
      NastavKanal(k);
      AutoscaleAll({.redraw = false, .wholeRecord = resetRange, .skipZeros = true});
    }
    NastavKanal(previous);
  } else {
    AutoscaleAll({.redraw = false, .wholeRecord = resetRange, .skipZeros = true});
  }
  AutoscaleAll({.redraw = true, .wholeRecord = resetRange, .skipZeros = true});
}

void TDispl10::F5_ALL() { AutoscaleShown(true); }

void TDispl10::F5_ALL_MAG() { AutoscaleShown(false); }

void TDispl10::HotKey(int code) {
  if (broken_) return;
  switch (code) {
    case state::kHotKeyF7:
      F7();
      return;
    case state::kHotKeyF8:
      F8();
      return;
    case state::kHotKeyF1:
      F1();
      return;
    default:
      break;
  }
  const HotKeyEntry* e = std::find_if(std::begin(kHotKeys), std::end(kHotKeys),
                                      [code](const HotKeyEntry& h) { return h.code == code; });
  if (e == std::end(kHotKeys)) return;
  if (PressKey(e->modifier, e->key)) return;
  const std::string name = std::string(e->modifier == 1 ? "Ctrl+" : e->modifier == 3 ? "Tab+" : "") + e->key;
  // Keys without an operation in this version say so rather than do nothing.
  state::ShowNotAvailable(p_, state::Lang(p_, "Klávesa grafu ", "The graph key ") + name);
}

}  // namespace graph
