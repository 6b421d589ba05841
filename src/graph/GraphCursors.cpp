// The two measuring cursors, drawn with exclusive-or so that drawing a
// cursor again at the same place takes it away without a repaint.
#include <algorithm>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// Cursor fields come from job files: indices outside the record and values
// that are not numbers are pulled back before anything is drawn or read out.
void SaneCursors(store::CG_s& g, int32_t n) {
  if (n > 0) {
    g.Cur1 = std::clamp(g.Cur1, 0, n - 1);
    g.Cur2 = std::clamp(g.Cur2, 0, n - 1);
  }
  if (!Finite(g.HCur1)) g.HCur1 = g.VMax;
  if (!Finite(g.HCur2)) g.HCur2 = g.VMin;
  if (!Finite(g.XCur1)) g.XCur1 = g.XMin;
  if (!Finite(g.XCur2)) g.XCur2 = g.XMax;
}

}  // namespace

bool TDispl10::CursorVisible(int which) const {
  const store::CG_s& g = Own();
  if (PlotW <= 1 || PlotH <= 1 || g.CursorCount <= 0) return false;
  if (which == 1 && g.CursorCount == 1) return false;
  return !(g.XYPlot && g.CursorStyle == 2);
}

int16_t TDispl10::CursorTraceY(int32_t index, int16_t x) const {
  if (!series_ || NShown <= 0 || IsXY()) return int16_t(PlotTop + PlotH);
  return GlobalHorizToMouse(series_[std::clamp(index, 0, NShown - 1)], x);
}

void TDispl10::XorCursor(platform::Canvas& dc, int which, int16_t x, int16_t y, int16_t ty) {
  const store::CG_s& g = Own();
  // Strips have no common value axis for a horizontal line.
  const int style = g.Multi && (g.MultiFlags & store::kMultiStrips) ? 0 : g.CursorStyle;
  const bool wide = (g.DisplFlags & store::kDisplWideCursors) != 0;
  const uint32_t colour = which == 0 ? Rgb(255, 255, 255) : style == 2 ? Rgb(0, 0, 255) : Rgb(128, 75, 255);
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  dc.SetXor(true);
  dc.SetPen(colour, 1);
  if (style == 0 || style == 1) {
    for (int d = wide ? -1 : 0; d <= (wide ? 1 : 0); ++d) dc.Line({x + d, PlotTop}, {x + d, bottom});
  }
  if (style == 1) {
    for (int d = wide ? -1 : 0; d <= (wide ? 1 : 0); ++d) dc.Line({PlotLeft, y + d}, {right, y + d});
  }
  if (style == 2) {
    dc.Line({x - 10, ty}, {x + 10, ty});
    dc.Line({x, ty - 10}, {x, ty + 10});
  }
  // The mark on the trace point and on the edge of the value scale.
  dc.Line({x - 1, ty - 2}, {x - 1, ty + 3});
  dc.Line({x + 1, ty - 2}, {x + 1, ty + 3});
  dc.Line({x - 4, ty}, {x + 5, ty});
  dc.Line({PlotLeft - 3, ty - 2}, {PlotLeft - 3, ty + 3});
  dc.Line({PlotLeft - 4, ty - 2}, {PlotLeft - 4, ty + 3});
  dc.SetXor(false);
}

void TDispl10::XorSlope(platform::Canvas& dc) {
  static const int kShift[9][2] = {{0, -2}, {0, -1}, {0, 0},  {0, 1}, {0, 2},
                                   {-1, 0}, {1, 0},  {-2, 0}, {2, 0}};
  dc.SetXor(true);
  dc.SetPen(Rgb(255, 0, 0), 1);
  for (const auto& s : kShift)
    dc.Line({slope_[0].x + s[0], slope_[0].y + s[1]}, {slope_[1].x + s[0], slope_[1].y + s[1]});
  dc.SetXor(false);
}

void TDispl10::CursorPaint(int16_t& x, int16_t& y, int which, bool setIndex) {
  if (which != 0 && which != 1) return;
  store::CG_s& g = Own();
  SaneCursors(g, NShown);
  OK_xy(x, y);
  if (setIndex) {
    if (g.XYPlot)
      (which == 0 ? g.XCur1 : g.XCur2) = MouseVertToGlobalXYPlot(x);
    else
      (which == 0 ? g.Cur1 : g.Cur2) = std::clamp(MouseVertToGlobal(x), 0, std::max(NShown - 1, 0));
  }
  const int16_t ty = g.XYPlot ? y : CursorTraceY(which == 0 ? g.Cur1 : g.Cur2, x);
  platform::Canvas& dc = *surface_;
  const bool slope = g.CursorStyle == 1 && (g.DisplFlags & store::kDisplSlopeLine) &&
                     !(g.Multi && (g.MultiFlags & store::kMultiStrips));
  if (slopeDrawn_) {
    XorSlope(dc);
    slopeDrawn_ = false;
  }
  if (!cursorDrawn_[0]) pulseShown_ = false;  // went with a repaint
  if (cursorDrawn_[which]) {
    if (which == 0 && pulseShown_) {
      XorPulseMarks(dc);
      pulseShown_ = false;
    }
    XorCursor(dc, which, cursorX_[which], cursorY_[which], cursorTraceY_[which]);
    cursorDrawn_[which] = false;
  }
  (which == 0 ? CurX1 : CurX2) = x;
  (which == 0 ? CurY1 : CurY2) = y;
  if (CursorVisible(which)) {
    XorCursor(dc, which, x, y, ty);
    cursorDrawn_[which] = true;
    cursorX_[which] = x;
    cursorY_[which] = y;
    cursorTraceY_[which] = ty;
    if (which == 0 && PulseApplies()) Wider(true);
  }
  if (slope && cursorDrawn_[0] && cursorDrawn_[1]) {
    slope_[0] = {cursorX_[0], cursorY_[0]};
    slope_[1] = {cursorX_[1], cursorY_[1]};
    XorSlope(dc);
    slopeDrawn_ = true;
  }
  if (!infoHeld_) TextInfoCreateRefresh();
}

void TDispl10::XorPulseMarks(platform::Canvas& dc) {
  dc.SetXor(true);
  dc.SetPen(Rgb(255, 255, 255), 1);
  for (int16_t x : pulseX_) dc.Line({x, pulseY_ - 4}, {x, pulseY_ + 5});
  dc.SetXor(false);
}

void TDispl10::RedrawCursor1() {
  store::CG_s& g = Own();
  int16_t x = g.XYPlot ? GlobalVertToMouseXYPlot(g.XCur1) : GlobalVertToMouse(g.Cur1);
  int16_t y = GlobalHorizToMouse(g.HCur1, x);
  CursorPaint(x, y, 0, false);
}

void TDispl10::EraseCursors(platform::Canvas& dc) {
  if (slopeDrawn_) XorSlope(dc);
  if (cursorDrawn_[0] && pulseShown_) XorPulseMarks(dc);
  for (int which = 0; which < 2; ++which)
    if (cursorDrawn_[which]) XorCursor(dc, which, cursorX_[which], cursorY_[which], cursorTraceY_[which]);
  ForgetCursors();
  pulseShown_ = false;
}

void TDispl10::PaintCursors(platform::Canvas&) {
  infoHeld_ = true;
  for (int which = 0; which < 2; ++which) {
    int16_t x = which == 0 ? CurX1 : CurX2, y = which == 0 ? CurY1 : CurY2;
    CursorPaint(x, y, which, false);
  }
  infoHeld_ = false;
  TextInfoCreateRefresh();
}

void TDispl10::DrawCursor(int reset) {
  if (broken_) return;
  store::CG_s& g = Own();
  SaneCursors(g, NShown);
  if (reset) {
    if (g.CursorStyle != 2) {
      g.Cur1 = g.IL;
      g.Cur2 = g.IR;
    }
    g.HCur1 = g.VMax;
    g.HCur2 = g.VMin;
    if (g.XYPlot) {
      g.XCur1 = g.XMin;
      g.XCur2 = g.XMax;
    }
    RedrawCursors = 1;
  }
  infoHeld_ = true;
  for (int which = 0; which < 2; ++which) {
    int16_t x = g.XYPlot ? GlobalVertToMouseXYPlot(which == 0 ? g.XCur1 : g.XCur2)
                         : GlobalVertToMouse(which == 0 ? g.Cur1 : g.Cur2);
    int16_t y = GlobalHorizToMouse(which == 0 ? g.HCur1 : g.HCur2, x);
    CursorPaint(x, y, which, false);
  }
  infoHeld_ = false;
  TextInfoCreateRefresh();
  RedrawCursors = 0;  // served
}

}  // namespace graph
