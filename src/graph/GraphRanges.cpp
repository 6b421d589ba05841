// Operations that change the shown range: scans, autoscale, zooms, shifts,
// saved limits, the broadcast of a view and the recompute-and-repaint.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "state/UserMessages.h"

namespace graph {
namespace {

constexpr float kScanMaxStart = -1e31f;
constexpr float kScanMinStart = FLT_MAX;

}  // namespace

void TDispl10::Busy(bool on) const {
  if (p_.plat.ui) p_.ui().SetCursor(on ? "CursorDispl" : "CursorTRV");
}

void TDispl10::Finish() {
  RedrawAll = 1;
  Busy(true);
  DisplControl();
  Busy(false);
}

void TDispl10::MultiCopy() {
  store::CG_s& g = Own();
  if (!g.Multi || g.MultiMode == 0 || g.MultiMode == 2) return;
  g.VMax = Act().VMax;
  g.VMin = Act().VMin;
  KoefY();
}

int TDispl10::VerticalRecordChannel() const {
  const store::CG_s& g = Own();
  return g.Multi && !(g.MultiFlags & store::kMultiStrips) && g.MultiMode != 1 ? OwnChan : ActChan;
}

void TDispl10::SetMaxMinIn(int32_t from, int32_t to, int toShown, int skipZero, int margin) {
  float mx = kScanMaxStart, mn = kScanMinStart;
  if (series_ && NShown > 0) {
    from = std::max(from, 0);
    to = std::min(to, NShown - 1);
    if (!skipZero) {
      // A NaN or infinite sample has no place on a scale; taking it would
      // leave an infinite range behind. A long record's envelope knows.
      const state::SampleEnvelope::Extremes e = FiniteExtremes(series_, from, int64_t(to) + 1);
      if (e.max > mx) mx = e.max;
      if (e.min < mn) mn = e.min;
    }
    for (int32_t i = from; skipZero && i <= to; ++i) {
      const float v = series_[i];
      if (!Finite(v) || v == 0.0f) continue;
      if (v > mx) mx = v;
      if (v < mn) mn = v;
    }
  }
  store::CG_s& a = Act();
  float top = toShown ? a.VMax : a.VFullMax;
  float bottom = toShown ? a.VMin : a.VFullMin;
  if (mn < mx) {
    top = mx;
    bottom = mn;
  }
  if (std::fabs(top - bottom) < 0.001f) {
    top += 0.0005f;
    bottom -= 0.0005f;
  }
  if (margin) {
    const float d = 0.025f * (top - bottom);
    top += d;
    bottom -= d;
  }
  if (toShown) {
    a.VMax = top;
    a.VMin = bottom;
  } else {
    a.VFullMax = top;
    a.VFullMin = bottom;
  }
}

void TDispl10::SetMaxMinIn_OnlyValue(int32_t from, int32_t to, float& min, float& max) const {
  max = kScanMaxStart;
  min = kScanMinStart;
  if (!series_ || NShown <= 0) return;
  from = std::max(from, 0);
  to = std::min(to, NShown - 1);
  const state::SampleEnvelope::Extremes e = FiniteExtremes(series_, from, int64_t(to) + 1);
  if (e.max > max) max = e.max;
  if (e.min < min) min = e.min;
}

void TDispl10::SetMaxMinXYPlot() {
  store::CG_s& g = Own();
  const store::Header_s& h = p_.Header(IsW);
  const int xc = g.XChan, yc = g.YChan;
  if (xc < 0 || xc >= store::kChannels || yc < 0 || yc >= store::kChannels) return;
  if (!h.ChannelOn[xc] || !h.ChannelOn[yc]) return;
  const float* data = p_.Samples(IsW);
  const int64_t length = std::max<int32_t>(h.Length, 0);
  const size_t size = store::IsW(IsW) ? p_.Waveform.size() : p_.Buffer.size();
  auto ordinal = [&](int c) {
    int n = 0;
    for (int k = 0; k < c; ++k)
      if (h.ChannelOn[k]) ++n;
    return n;
  };
  const int64_t xs = ordinal(xc) * length, ys = ordinal(yc) * length;
  if (!data || length == 0 || size_t(std::max(xs, ys) + length) > size) return;
  float xMax = kScanMaxStart, xMin = kScanMinStart, yMax = kScanMaxStart, yMin = kScanMinStart;
  const int64_t from = std::max<int32_t>(g.IL, 0), to = std::min<int64_t>(g.IR, length);
  for (int64_t i = from; i < to; ++i) {
    const float x = data[xs + i], y = data[ys + i];
    if (Finite(x)) xMax = std::max(xMax, x), xMin = std::min(xMin, x);
    if (Finite(y)) yMax = std::max(yMax, y), yMin = std::min(yMin, y);
  }
  // With no usable point the ranges stay as they were, rather than take the
  // starting values of the scan.
  if (xMin <= xMax) {
    g.XMax = g.XFullMax = xMax;
    g.XMin = g.XFullMin = xMin;
  }
  if (yMin <= yMax) {
    g.VMax = g.VFullMax = yMax;
    g.VMin = g.VFullMin = yMin;
  }
}

void TDispl10::AutoscaleAll(AutoscaleChoice how) {
  if (broken_) return;
  Busy(true);
  store::CG_s& g = Own();
  bool scale = true;
  float m = 0;
  if (!g.XYPlot) {
    if (how.wholeRecord && (g.DisplFlags & store::kDisplAutoscaleWhole)) {
      g.IL = 0;
      g.IR = NShown - 1;
      ShownCount = NShown;
    }
    if (!(g.DisplFlags & store::kDisplAutoscaleValues)) scale = false;
    if (scale && !g.Multi) {
      SetMaxMinIn(g.IL, g.IR, 0, how.skipZeros, 1);
    } else if (scale) {
      SetCHANM();
      if (g.MultiMode == 2) {
        g.VFullMin = g.VFullMax;
        for (int k = 0; k < store::kChannels; ++k) {
          if (!IsShown(k)) continue;
          if (k < OwnChan)
            g.VFullMax += g.MultiStep;
          else
            g.VFullMin -= g.MultiStep;
        }
      } else if (g.MultiMode == 0) {
        const int16_t savedAct = ActChan;
        float* savedSeries = series_;
        const int32_t savedN = NShown;
        float overallMax = kScanMaxStart, overallMin = kScanMinStart;
        for (int k = 0; k < store::kChannels; ++k) {
          if (!IsShown(k)) continue;
          ActChan = int16_t(k);
          series_ = ChannelData(k, false);
          NShown = series_ ? 2 * Half : 0;
          float mn, mx;
          if (!(g.MultiFlags & store::kMultiStrips)) {
            SetMaxMinIn_OnlyValue(g.IL, g.IR, mn, mx);
          } else {
            SetMaxMinIn(g.IL, g.IR, 0, how.skipZeros, 1);
            mn = Graph(k).VFullMin;
            mx = Graph(k).VFullMax;
          }
          overallMax = std::max(overallMax, mx);
          overallMin = std::min(overallMin, mn);
        }
        ActChan = savedAct;
        series_ = savedSeries;
        NShown = savedN;
        if (!(g.MultiFlags & store::kMultiStrips) && overallMin <= overallMax) {
          g.VFullMax = g.VMax = overallMax;
          g.VFullMin = g.VMin = overallMin;
        }
      }
    }
  } else {
    SetMaxMinXYPlot();
    store::CG_s& a = Act();
    m = 0.05f * (a.XFullMax - a.XFullMin);
    a.XMax = a.XFullMax + m;
    a.XMin = a.XFullMin - m;
  }
  if (scale) {
    store::CG_s& a = Act();
    if (!g.Multi || (g.MultiFlags & store::kMultiStrips)) {
      a.VMax = a.VFullMax + m;
      a.VMin = a.VFullMin - m;
    } else {
      const float mm = 0.025f * (a.VFullMax - a.VFullMin);
      a.VMax = a.VFullMax + mm;
      a.VMin = a.VFullMin - mm;
    }
    g.HCur1 = a.VMax;
    g.HCur2 = a.VMin;
  }
  MultiCopy();
  if (how.redraw) {
    RedrawAll = 1;
    DisplControl();
  }
  Busy(false);
}

void TDispl10::HorizontalAllExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (!g.XYPlot) {
    g.IL = 0;
    g.IR = NShown - 1;
    ShownCount = NShown;
    MultiCopy();
  }
  Finish();
}

void TDispl10::VerticalAllExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (!g.XYPlot) {
    SetMaxMinIn(g.IL, g.IR, 1, 0, 1);
    g.VFullMax = g.VMax;
    g.VFullMin = g.VMin;
    MultiCopy();
  }
  Finish();
}

void TDispl10::ShiftDivChange() {
  Div = int16_t(Div * 5 / 7);
  if (Div <= 4) Div = 4;
}

namespace {

// The vertical zoom rule on one range: a range across zero keeps zero in
// place, any other range keeps its centre.
void ZoomRange(float& top, float& bottom, float f, bool expand) {
  if (bottom < 0 && 0 < top) {
    if (expand) {
      top /= f;
      bottom /= f;
    } else {
      top *= f;
      bottom *= f;
    }
    return;
  }
  const float span = top - bottom;
  const float d = expand ? (span - span / f) / 2 : (span * f - span) / 2;
  if (expand) {
    top -= d;
    bottom += d;
  } else {
    top += d;
    bottom -= d;
  }
}

// The record is packed, so its fields go through copies.
void ZoomFields(store::CG_s& a, float store::CG_s::*top, float store::CG_s::*bottom, int div, bool expand) {
  float t = a.*top, b = a.*bottom;
  ZoomRange(t, b, 4.0f / div + 1, expand);
  a.*top = t;
  a.*bottom = b;
}

}  // namespace

void TDispl10::MagExpand() {
  if (broken_) return;
  ZoomFields(Graph(VerticalRecordChannel()), &store::CG_s::VMax, &store::CG_s::VMin, Div, true);
  MultiCopy();
  ShiftDivChange();
  Finish();
}

void TDispl10::MagCompress() {
  if (broken_) return;
  ZoomFields(Graph(VerticalRecordChannel()), &store::CG_s::VMax, &store::CG_s::VMin, Div, false);
  MultiCopy();
  ShiftDivChange();
  Finish();
}

void TDispl10::WinExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.XYPlot) {
    ZoomFields(Act(), &store::CG_s::XMax, &store::CG_s::XMin, Div, true);
  } else {
    const int32_t step = std::max(1, ShownCount / (Div / 2));
    g.IR = int32_t(std::min<int64_t>(int64_t(g.IR) + step, NShown - 1));
    g.IL = int32_t(std::max<int64_t>(int64_t(g.IL) - step, 0));
  }
  MultiCopy();
  ShiftDivChange();
  Finish();
}

void TDispl10::WinCompress() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.XYPlot) {
    ZoomFields(Act(), &store::CG_s::XMax, &store::CG_s::XMin, Div, false);
  } else if (ShownCount > 4) {
    const int32_t step = std::max(1, ShownCount / Div);
    g.IR -= step;
    g.IL += step;
  }
  MultiCopy();
  ShiftDivChange();
  Finish();
}

void TDispl10::LeftDataShift() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.XYPlot) {
    const float d = (g.XMax - g.XMin) / Div;
    ShiftDivChange();
    g.XMax += d;
    g.XMin += d;
  } else if (g.BlockStep == 0) {
    // The step is kept in 32 bits: a 16-bit step wraps on long records.
    const int32_t room = NShown - 1 - g.IR;
    const int32_t step = std::max(1, std::min(ShownCount / Div, room));
    ShiftDivChange();
    if (g.IR < NShown - 1) {
      g.IL += step;
      g.IR += step;
    }
  } else {
    const int32_t oldIL = g.IL, oldIR = g.IR;
    int32_t w;
    if (g.BlockPage == 0) {
      w = g.IR - g.IL + 1;
      g.IR = g.IR < NShown - w ? g.IR + w : NShown - 1;
      g.IL = g.IR - w;
    } else {
      w = std::max(1, g.LimIR - g.LimIL + 1);  // saved limits may be crossed
      if (g.BlockStep > 1) w = int32_t(std::min<int64_t>(int64_t(w) * g.BlockStep, NShown));
      if (g.IR < NShown - w) {
        g.IL += w;
        g.IR += w;
      } else {
        g.IR = NShown - 1;
        g.IL = g.IR - (oldIR - oldIL);
      }
    }
    if (g.IL < 0) g.IL = 0;  // a page wider than the record
  }
  Finish();
}

void TDispl10::RightDataShift() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.XYPlot) {
    const float d = (g.XMax - g.XMin) / Div;
    ShiftDivChange();
    g.XMax -= d;
    g.XMin -= d;
  } else if (g.BlockStep == 0) {
    const int32_t room = g.IL;
    const int32_t step = std::max(1, std::min(ShownCount / Div, room));
    ShiftDivChange();
    if (g.IL > 0) {
      g.IL -= step;
      g.IR -= step;
    }
  } else {
    const int32_t oldIL = g.IL, oldIR = g.IR;
    int32_t w;
    if (g.BlockPage == 0) {
      w = g.IR - g.IL + 1;
      g.IL = w <= g.IL ? g.IL - w : 0;
      g.IR = g.IL + w;
    } else {
      w = std::max(1, g.LimIR - g.LimIL + 1);
      if (g.BlockStep > 1) w = int32_t(std::min<int64_t>(int64_t(w) * g.BlockStep, NShown));
      if (w <= g.IL) {
        g.IL -= w;
        g.IR -= w;
      } else {
        g.IL = 0;
        g.IR = oldIR - oldIL;
      }
    }
    if (g.IR > NShown - 1) g.IR = NShown - 1;
  }
  Finish();
}

namespace {

void VerticalShift(TDispl10& w, int chan, float sign) {
  store::CG_s& a = w.Graph(chan);
  const float d = (a.VMax - a.VMin) / w.Div;
  w.ShiftDivChange();
  a.VMax += sign * d;
  a.VMin += sign * d;
}

}  // namespace

void TDispl10::UpDataShift() {
  if (broken_) return;
  const int chan = VerticalRecordChannel();
  VerticalShift(*this, chan, -1.0f);
  MultiCopy();
  Finish();
  OffRangeIndicator(chan);
}

void TDispl10::DownDataShift() {
  if (broken_) return;
  const int chan = VerticalRecordChannel();
  VerticalShift(*this, chan, 1.0f);
  MultiCopy();
  Finish();
  OffRangeIndicator(chan);
}

void TDispl10::OffRangeIndicator(int chan) {
  if (p_.MacGoing || IsXY()) return;
  const store::CG_s& a = Graph(chan);
  const int x = PlotLeft + PlotW / 2 - 70;
  if (a.VMax < a.VFullMin) surface_->Bitmap({x, PlotTop + 2}, "off_range_above");
  if (a.VFullMax < a.VMin) surface_->Bitmap({x, PlotTop + PlotH - 40}, "off_range_below");
}

void TDispl10::SetLimits(int which, bool ask) {
  if (broken_) return;
  if (ask && state::AskT(p_, which == 0 ? 468 : 467, 15) != platform::Answer::Yes) return;
  store::CG_s& g = Own();
  store::CG_s& a = Act();
  if (which == 0) {
    if (g.XYPlot) {
      g.SavXCur1 = g.XCur1;
      g.SavXCur2 = g.XCur2;
    } else {
      g.SavCur1 = g.Cur1;
      g.SavCur2 = g.Cur2;
    }
    a.SavHCur1 = a.HCur1;
    a.SavHCur2 = a.HCur2;
  } else {
    if (g.XYPlot) {
      g.LimXMax = g.XMax;
      g.LimXMin = g.XMin;
    } else {
      g.LimIL = g.IL;
      g.LimIR = g.IR;
    }
    a.LimVMax = a.VMax;
    a.LimVMin = a.VMin;
  }
  RedrawCursors = 1;
}

void TDispl10::DisplLimits(int which) {
  if (broken_) return;
  store::CG_s& g = Own();
  store::CG_s& a = Act();
  if (!g.XYPlot) {
    const int32_t left = which == 0 ? g.SavCur1 : g.LimIL;
    const int32_t right = which == 0 ? g.SavCur2 : g.LimIR;
    // A negative left end is as unusable as a crossed pair.
    if (NShown <= right || right <= left || left < 0) {
      state::MessT(p_, 112, 13);
      return;
    }
  }
  if (which == 0) {
    if (g.XYPlot) {
      g.XCur1 = g.SavXCur1;
      g.XCur2 = g.SavXCur2;
    } else {
      g.Cur1 = g.SavCur1;
      g.Cur2 = g.SavCur2;
    }
    a.HCur1 = a.SavHCur1;
    a.HCur2 = a.SavHCur2;
    RedrawCursors = 1;
    return;
  }
  if (g.XYPlot) {
    g.XMax = g.LimXMax;
    g.XMin = g.LimXMin;
  } else {
    g.IL = g.LimIL;
    g.IR = g.LimIR;
  }
  a.VMax = a.LimVMax;
  a.VMin = a.LimVMin;
  RedrawAll = 1;
  DisplControl();
}

void TDispl10::CommonDisplay(int which) {
  if (broken_) return;
  if (state::AskT(p_, which == 0 ? 493 : 464, 10) != platform::Answer::Yes) return;
  const int code = which == 0 ? state::kViewCopiedAll : state::kViewCopied;
  auto* table = p_.Windows(IsW);
  for (int k = 0; k < store::kChannels; ++k)
    if (table[k] && table[k].get() != this) table[k]->UserMessage(code, OwnChan);
  UserMessage(code, OwnChan);
  if (which == 0 && p_.plat.windows) p_.plat.windows->PostMain(state::kRedrawOthers, OwnChan);
}

void TDispl10::CopyView(int fromChan) {
  if (fromChan < 0 || fromChan >= store::kChannels || fromChan == OwnChan) return;
  store::CG_s& g = Own();
  const store::CG_s& from = Graph(fromChan);
  g.IL = from.IL;
  g.IR = from.IR;
  if (g.XYPlot && from.XYPlot) {
    g.XMax = from.XMax;
    g.XMin = from.XMin;
  }
}

void TDispl10::DisplControl() {
  if (broken_) return;
  store::CG_s& g = Own();
  SaneRanges(g);
  if (ActChan != OwnChan) SaneRanges(Act());
  if (g.Multi && ShownChannelCount() == 0) {
    platform::Canvas& dc = *surface_;
    dc.FillRect(PlotLeft, PlotTop, PlotLeft + PlotW, PlotTop + PlotH, 0xFFFFFF);
    platform::Font font;
    font.height = 20;
    font.width = 10;
    dc.SetFont(font);
    dc.SetTextColor(0x0000FF);
    dc.Text({PlotLeft + 10, PlotTop + 20}, state::Txt(p_, 1216), platform::HAlign::Left,
            platform::VAlign::Top);
    font.height = 14;
    font.width = 6;
    dc.SetFont(font);
    dc.SetTextColor(0x000000);
    dc.Text({PlotLeft + 10, PlotTop + 40}, state::Txt(p_, 1217), platform::HAlign::Left,
            platform::VAlign::Top);
    g.MultiMask[0] = 1;
    return;
  }
  SelectSeries();
  OK_IL_IR();
  if (g.Cur2 > NShown - 1) g.Cur2 = NShown - 1;
  const bool info = (g.InfoIndex || g.InfoTime || g.InfoValue) && g.CursorCount != 0;
  const int16_t infoH = info ? int16_t(24 + ((g.DisplFlags & store::kDisplChannelNumber) ? 13 : 0)) : 0;
  if (infoH != InfoBarH) LayoutChanged = 1;
  InfoBarH = infoH;
  RightPanelW = (g.DisplFlags & store::kDisplRightPanel) ? 62 : 0;
  Layout();
  KoefX();
  KoefY();
  DePress();
  if (g.XYPlot) {
    CurX1 = GlobalVertToMouseXYPlot(g.XCur1);
    CurX2 = GlobalVertToMouseXYPlot(g.XCur2);
  } else {
    CurX1 = GlobalVertToMouse(g.Cur1);
    CurX2 = GlobalVertToMouse(g.Cur2);
  }
  CurY1 = GlobalHorizToMouse(g.HCur1, CurX1);
  CurY2 = GlobalHorizToMouse(g.HCur2, CurX2);
  Displ(*surface_);
}

}  // namespace graph
