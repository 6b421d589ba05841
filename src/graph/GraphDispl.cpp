// `Displ`, the repaint of the graph window, with the background and the
// texts in the plot.
#include <algorithm>
#include <cstdio>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// The largest print title cell, in pixels.
constexpr int kMaxTitleCell = 400;

platform::Font Cell(int height, int width) {
  platform::Font f;
  f.height = height;
  f.width = width;
  return f;
}

}  // namespace

void TDispl10::Displ(platform::Canvas& dc) {
  store::CG_s& g = Own();
  const bool textRequested = RedrawText != 0;
  RedrawAll = RedrawBackground = RedrawCursors = RedrawText = 0;
  // A paint of the window (DoClear) or a new layout needs the whole picture
  // even in overdraw mode.
  const bool full = g.ClearPlot || LayoutChanged || DoClear;
  DoClear = 0;
  if (!g.PrintMode && ActChan == OwnChan) {
    ownVMax_ = g.VMax;
    ownVMin_ = g.VMin;
  }
  // Cursors are drawn last, fresh: take the old ones away while the picture
  // under them is still the one they were drawn on.
  if (full)
    ForgetCursors();
  else
    EraseCursors(dc);
  const bool multi = g.Multi != 0;
  const int32_t type = Act().DisplType;
  // The XY plot draws its pairs whatever the display type.
  const bool overlaid = type == kOverlaid && !IsXY();

  if (g.ClearPlot && !multi && !g.PrintMode && !overlaid) PictureBufferFilling();
  if (!full) {
    // Overdraw: the previous trace (still in the buffer) turns grey.
    if (GreyGhost && type != kRunningSum && type != kDifference && !multi && !overlaid) {
      PictureBufferOut(dc, Picture(), pictureCount_, Rgb(200, 200, 200));
    }
  } else {
    LayoutChanged = 0;
    PaintBackground(dc);
    PaintRaster(dc);
    if ((g.DisplFlags & store::kDisplChannelNumber) && !g.PrintMode &&
        !(g.DisplFlags & store::kDisplWhiteWindow)) {
      const int right = PlotLeft + PlotW - 1;
      dc.FillRect(right - 12, PlotTop + 1, right, PlotTop + 13, Rgb(64, 64, 64));
      dc.SetFont(Cell(12, 5));
      dc.SetTextColor(Rgb(255, 255, 255));
      char text[16];
      std::snprintf(text, sizeof text, "%2d", OwnChan + 1);
      dc.Text({right - 1, PlotTop + 1}, text, platform::HAlign::Right, platform::VAlign::Top);
    }
  }
  if (multi)
    PaintMulti(dc);
  else if (!g.ClearPlot && !overlaid)
    PictureBufferFilling();
  if (textRequested || multi) PaintText(dc);
  DrawStoredPictures(dc);
  if (!multi) {
    if (overlaid)
      PrekladaneZobrazeni(dc);
    else
      PaintData(dc, PlotLeft, 0.0f, kPaintLine, g.PenWidth);
    PaintMarker(dc, ActChan, 0.0f);
  }
  if (!full) {
    // The scales may have changed with the view: their places are cleared.
    const uint32_t window =
        (g.DisplFlags & store::kDisplWhiteWindow) ? Rgb(255, 255, 255) : Rgb(192, 192, 192);
    if (VScaleW > 0) dc.FillRect(0, 0, PlotLeft - 1, ClientH, window);
    dc.FillRect(PlotLeft - 1, PlotTop + PlotH + 1, ClientW, ClientH, window);
  }
  PaintScale(dc);
  PaintVScale(dc);
  // After the time scale, which would otherwise clear it in overdraw mode.
  PaintRepetition(dc);
  if (full) PaintLimits(dc);
  PaintCursors(dc);
  PaintPanels(dc);
}

void TDispl10::PaintRepetition(platform::Canvas& dc) {
  // Only a counted run has a number to show (a count below 1 repeats
  // until stopped); the run acquires into the waveform store.
  const int count = p_.PG.QWRepeatCount;
  if (!store::IsW(IsW) || !p_.QW || count < 1) return;
  // The run counts the repetitions still to come down from the count: the
  // one on screen is the count less those, plus one.
  const int number = std::clamp(count - p_.PocitadloKolikOpak + 1, 1, count);
  dc.SetFont(Cell(14, 6));
  dc.SetTextColor(Rgb(255, 0, 0));
  dc.Text({PlotLeft + 1, PlotTop + PlotH + 8}, state::TxtF(p_, 1036, {number}), platform::HAlign::Left,
          platform::VAlign::Top);
}

void TDispl10::PaintBackground(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  const uint32_t window = (g.DisplFlags & store::kDisplWhiteWindow) ? Rgb(255, 255, 255) : Rgb(192, 192, 192);
  const uint32_t plot = g.WhiteMode ? Rgb(255, 255, 255) : (p_.Col_ ? p_.Col_.get()->Background[OwnChan] : 0);
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  dc.FillRect(0, 0, ClientW, ClientH, window);
  dc.FillRect(PlotLeft, PlotTop, right, bottom, plot);
  dc.SetPen(plot, 1);
  dc.Line({PlotLeft, PlotTop}, {right, PlotTop});
  dc.Line({PlotLeft, PlotTop}, {PlotLeft, bottom});
  dc.Line({PlotLeft, bottom}, {right, bottom});
  dc.Line({right, PlotTop}, {right, bottom});
}

void TDispl10::PaintText(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  if (g.PrintMode && p_.Prt) {
    // Print titles: the channel's name above the plot, the file at the top left.
    const store::Prt_s& prt = *p_.Prt.get();
    // The cell comes from the print record: one no surface could render in
    // reasonable time (or a negative one) takes the default.
    auto cell = [](int v, int fallback) { return v > 0 && v <= kMaxTitleCell ? v : fallback; };
    dc.SetFont(Cell(cell(prt.TextFontHeight, 14), cell(prt.TextFontWidth, 6)));
    dc.SetTextColor(0);
    if (prt.TextSwitch1 && p_.Channels(IsW)) {
      const std::string name = store::FieldText(p_.Channels(IsW)[OwnChan].Name);
      dc.Text({PlotLeft + PlotW / 2, PlotTop + 2}, name, platform::HAlign::Center, platform::VAlign::Top);
    }
    if (prt.TextSwitch2) {
      const std::string path = store::IsW(IsW) ? store::FieldText(p_.DW_Name) : store::FieldText(p_.DM_Name);
      const std::string shown = prt.TextSwitch2 == 1 ? path : store::FileNameFromName(path);
      dc.Text({BorderX, 2}, shown, platform::HAlign::Left, platform::VAlign::Top);
    }
  }
  if (!g.Multi || (g.MultiFlags & store::kMultiStrips) || g.MultiMode != 2 || !OffsetLabels) return;
  // Offset layout: each trace gets its number at its left end.
  dc.SetFont(Cell(12, 5));
  int ownOrdinal = 0, ordinal = 0;
  for (int k = 0; k < OwnChan; ++k)
    if (IsShown(k)) ++ownOrdinal;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    const float* data = ChannelData(k, false);
    const float offset = float(ownOrdinal - ordinal++) * g.MultiStep;
    if (!data || NShown <= 0) continue;
    const int32_t il = std::clamp(g.IL, 0, NShown - 1);
    int16_t x = int16_t(PlotLeft + 2);
    int16_t y = ClampedGlobalHorizToMouse(data[il] + offset, x);
    char text[16];
    std::snprintf(text, sizeof text, "%2d ", k + 1);
    if (k == OwnChan) dc.FillRect(x, y - 12, x + 16, y, Rgb(255, 255, 0));
    dc.SetTextColor(k == OwnChan ? 0 : (p_.Col_ ? p_.Col_.get()->TraceColor[k] : Rgb(255, 255, 255)));
    dc.Text({x, y}, text, platform::HAlign::Left, platform::VAlign::Bottom);
  }
}

}  // namespace graph
