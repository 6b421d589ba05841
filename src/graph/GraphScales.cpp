// The value scales left of the plot and the time scale under it.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graph/FontSettings.h"
#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "graph/GraphScaleMath.h"
#include "state/Messages.h"
#include "state/StoreUtilities.h"
#include "store/FixedText.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr int kCellH = 12, kCellW = 5;

// The scale labels keep their 12 × 5 px cell on screen (in print the print
// record's); face and weight are the ones
// chosen for the graph scales (the font record of `DG`).
platform::Font Cell(const state::Program& p, int angleTenths, int height, int width) {
  platform::Font f = graph::ScaleFont(p);
  f.height = height > 0 ? height : kCellH;
  f.width = width > 0 ? width : kCellW;
  f.angleTenths = angleTenths;
  return f;
}

}  // namespace

void TDispl10::PaintVScale(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  if (!g.VScale || VScaleW <= 0) return;
  if (g.Multi && (g.MultiFlags & store::kMultiStrips)) {
    for (int k = 0; k < store::kChannels; ++k) {
      double top, height;
      if (!StripOf(k, top, height)) continue;
      const float vMax = k == OwnChan ? ownVMax_ : Graph(k).VMax;
      const float vMin = k == OwnChan ? ownVMin_ : Graph(k).VMin;
      PaintOneVScale(dc, k, int(top), int(height), vMax, vMin, k == ActChan);
    }
    return;
  }
  PaintOneVScale(dc, ActChan, PlotTop, PlotH, g.VMax, g.VMin, false);
}

void TDispl10::PaintOneVScale(platform::Canvas& dc, int chan, int top, int height, float vMax, float vMin,
                              bool highlight) {
  const store::CG_s& g = Own();
  if (!g.VScale || VScaleW <= 0 || height <= 0) return;
  const bool strips = g.Multi && (g.MultiFlags & store::kMultiStrips);
  const int left = BorderX, right = PlotLeft - 1, bottom = top + height;
  if (highlight) dc.FillRect(left, top, right, bottom, Rgb(230, 230, 230));
  if (g.DisplFlags & store::kDisplWhiteWindow) {
    dc.SetPen(0, 1);
    dc.Line({left, top}, {left, bottom});
    dc.Line({right, top}, {right, bottom});
  } else {
    dc.SetPen(Rgb(255, 255, 255), 1);
    dc.Line({left, top}, {right, top});
    dc.Line({left, top}, {left, bottom});
    dc.SetPen(Rgb(127, 127, 127), 1);
    dc.Line({left, bottom}, {right, bottom});
    dc.Line({right, top}, {right, bottom});
  }

  // Caption: a mark in the channel colour, the unit prefix and the unit.
  const store::Col_s* col = p_.Col_.get();
  const store::Channel_s* ch = p_.Channels(IsW) ? &p_.Channels(IsW)[chan] : nullptr;
  // On paper without colour printing the trace is black, and so is its mark.
  const bool mono = ColourOverride && Own().PrintMode;
  dc.FillRect(left + 5, top + 3, left + 50, top + 6,
              mono  ? OverrideColour
              : col ? col->TraceColor[chan]
                    : Rgb(255, 255, 255));
  dc.SetFont(Cell(p_, 0, PrintCellH, PrintCellW));
  dc.SetTextColor(0);
  const bool oneLine = (g.DisplFlags & store::kDisplOneLineUnit) != 0;
  std::string prefix;
  if (Act().DisplType == kHistogram) {
    prefix = "Hist.";
  } else if (ch) {
    bool text100 = false;
    prefix = PrefixWord(ch->PrefixCode, &text100);
    if (text100) prefix = state::Txt(p_, 100) + prefix;
  }
  const std::string unit = ch && Act().DisplType != kHistogram ? store::FieldText(ch->Unit) : "";
  int captionBottom;
  if (oneLine) {
    dc.Text({left + 5, top + 7}, prefix + " " + unit, platform::HAlign::Left, platform::VAlign::Top);
    captionBottom = top + 7 + ScaleCellH();
    if (ch) {
      dc.SetFont(Cell(p_, 900, PrintCellH, PrintCellW));
      dc.Text({left + 2, bottom - 5}, store::FieldText(ch->Name), platform::HAlign::Left,
              platform::VAlign::Top);
      dc.SetFont(Cell(p_, 0, PrintCellH, PrintCellW));
    }
  } else {
    dc.Text({left + 5, top + 7}, prefix, platform::HAlign::Left, platform::VAlign::Top);
    dc.Text({left + 5, top + 7 + ScaleCellH()}, unit, platform::HAlign::Left, platform::VAlign::Top);
    captionBottom = top + 7 + 2 * ScaleCellH();
  }

  // Ticks and labels.
  float fixed = col ? col->ValueStep[chan] : -1.0f;
  if (fixed == 0) fixed = -1.0f;
  const int nd = ValueDivisions(height, g.ScaleDiv, fixed);
  const Ticks ticks = ScaleTicks(vMin, vMax, nd, fixed > 0 ? fixed : 0.0, 1e9);
  const double ky = double(height) / (double(vMax) - vMin);
  const bool extra = col && col->TimeStep[chan] < -1.0f;
  auto yOf = [&](double t) { return bottom - ClampTrunc((t - vMin) * ky, -32000, 32000); };
  dc.SetPen(0, 1);
  for (int k = 0; k < ticks.count; ++k) {
    const double t = ticks.At(k);
    const int y = yOf(t);
    dc.Line({PlotLeft - 6, y}, {PlotLeft, y});
    bool exponent = false;
    const std::string label = ValueLabel(t, vMax, vMin, extra, &exponent);
    const bool aboveBottom = g.BottomBar || y <= bottom - 10;
    const bool belowCaption = y - ScaleCellH() / 2 > captionBottom;
    const bool outOfStripEdge = !strips || y <= bottom - ScaleCellH() / 2;
    if (aboveBottom && belowCaption && outOfStripEdge)
      dc.Text({PlotLeft - (exponent ? 9 : 13), y}, label, platform::HAlign::Right, platform::VAlign::Center);
    if (g.Raster && (g.DisplFlags & store::kDisplHRaster)) {
      dc.SetPen(Rgb(128, 128, 128), 1);
      dc.Line({PlotLeft, y}, {PlotLeft + PlotW, y});
      dc.SetPen(0, 1);
    }
  }
  // Minor ticks at fifths of the step on either side of every label.
  if (ticks.count > 0) {
    const double minor = ticks.step / 5;
    for (int j = -4; j <= 5 * ticks.count - 1; ++j) {
      if (j % 5 == 0) continue;
      const double t = ticks.first + j * minor;
      if (t <= vMin || t >= vMax) continue;
      const int y = yOf(t);
      dc.Line({PlotLeft - 3, y}, {PlotLeft, y});
    }
  }
  // In strips the scale marks its band and names its channel.
  if (strips) {
    dc.SetPen(0, 1);
    dc.Line({left, top}, {right, top});
    dc.Line({left, bottom}, {right, bottom});
    if (!(g.DisplFlags & store::kDisplChannelNumber)) {
      char text[16];
      std::snprintf(text, sizeof text, "%3d", chan + 1);
      dc.SetTextColor(Rgb(0, 0, 128));
      dc.Text({PlotLeft + PlotW - 2, top + height / 2}, text, platform::HAlign::Right,
              platform::VAlign::Center);
    }
  }
}

void TDispl10::PaintScale(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  if (!BottomBarH || NShown <= 0) return;
  const int chan = ActChan;
  const store::Channel_s* ch = p_.Channels(IsW) ? &p_.Channels(IsW)[chan] : nullptr;
  const store::Col_s* col = p_.Col_.get();
  const store::Header_s& h = p_.Header(IsW);
  const bool spectrum = p_.Freq(IsW)[chan] != 0;
  double a, b;
  std::string unit;
  if (g.XYPlot) {
    a = g.XMin;
    b = g.XMax;
    // A reversed or empty x range has no ticks to place (the unit stays).
    if (!(b > a)) b = a;
    const int xc = std::clamp<int>(g.XChan, 0, store::kChannels - 1);
    if (p_.Channels(IsW)) unit = store::FieldText(p_.Channels(IsW)[xc].Unit);
  } else if (Act().DisplType == kHistogram) {
    const double span = double(g.XFullMax) - g.XFullMin;
    a = span * g.IL / NShown + g.XFullMin;
    b = span * g.IR / NShown + g.XFullMin;
    if (ch) unit = store::FieldText(ch->Unit);
  } else if (g.TimeAxis == 2) {
    a = double(g.IL) - g.ZeroIndex;
    b = double(g.IR) - g.ZeroIndex;
    unit = state::Txt(p_, 101);
  } else {
    const double step = ch ? ch->Step : 1.0;
    a = state::CursorToTime(p_, IsW, double(g.IL) - g.ZeroIndex, h.Length, step, chan);
    b = state::CursorToTime(p_, IsW, double(g.IR) - g.ZeroIndex, h.Length, step, chan);
    const AxisUnit u = TimeAxisUnit(b, spectrum, (g.DisplFlags & store::kDisplLongTimes) != 0);
    a *= u.factor;
    b *= u.factor;
    unit = u.text ? state::Txt(p_, u.text) : u.name;
  }
  const int y0 = PlotTop + PlotH;
  dc.SetFont(Cell(p_, 0, PrintCellH, PrintCellW));
  dc.SetTextColor(0);
  dc.SetPen(0, 1);
  const float fixed = col ? col->TimeStep[chan] : 0.0f;
  const int nd = TimeDivisions(PlotW, g.ScaleDiv, fixed);
  const double lo = std::min(a, b), hi = std::max(a, b);
  const Ticks ticks = ScaleTicks(lo, hi, nd, fixed > 1e-5f ? fixed : 0.0, 1e6);
  int previousEnd = -32000;
  for (int k = 0; k < ticks.count; ++k) {
    const double t = ticks.At(k);
    // In the XY plot a tick sits where the trace puts that x.
    const int x = g.XYPlot ? GlobalVertToMouseXYPlot(float(t))
                           : PlotLeft + ClampTrunc((t - a) / (b - a) * PlotW, -32000, 32000);
    dc.Line({x, y0}, {x, y0 + 4});
    if (x - 18 > previousEnd && x < PlotLeft + PlotW - 40) {
      const std::string label = TimeLabel(t, a, b);
      const int width = dc.Text({x, y0 + 5}, label, platform::HAlign::Center, platform::VAlign::Top);
      previousEnd = x + width / 2;
    }
  }
  dc.Text({PlotLeft + PlotW - 36, y0 + 5}, unit, platform::HAlign::Left, platform::VAlign::Top);

  // The record's date and time of day (hours, minutes, seconds, hundredths).
  char header[64];
  std::snprintf(header, sizeof header, "%12s  %2d:%02d:%02d.%02d   ", store::FieldText(h.Date).c_str(),
                h.TriggerTime[1], h.TriggerTime[0], h.TriggerTime[3], h.TriggerTime[2]);
  dc.SetTextColor(Rgb(127, 127, 127));
  dc.Text({PlotLeft, y0 + 5 + ScaleCellH()}, header, platform::HAlign::Left, platform::VAlign::Top);
  if (g.Multi) {
    char own[16], act[16];
    std::snprintf(own, sizeof own, "%3d/", OwnChan + 1);
    std::snprintf(act, sizeof act, "%d", ActChan + 1);
    dc.SetTextColor(0);
    const int w = dc.Text({BorderX, y0 + 5}, own, platform::HAlign::Left, platform::VAlign::Top);
    dc.SetTextColor(col ? col->TraceColor[ActChan] : 0);
    dc.Text({BorderX + w, y0 + 5}, act, platform::HAlign::Left, platform::VAlign::Top);
  }
}

}  // namespace graph
