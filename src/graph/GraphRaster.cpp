// What is drawn in the plot besides the trace: the raster, the block
// boundaries and the value panel of the live window.
#include <algorithm>
#include <cstdio>

#include "graph/GraphModel.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

}  // namespace

void TDispl10::PaintRaster(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  if (!g.Raster) return;
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  if (g.PrintMode && p_.Prt && p_.Prt.get()->Colour)
    dc.FillRect(PlotLeft, PlotTop, right, bottom, Rgb(224, 255, 255));
  dc.SetPen(g.WhiteMode && !g.PrintMode ? Rgb(192, 192, 192) : 0, 1);
  if ((g.DisplFlags & store::kDisplFixedVRaster) && !g.BottomBar)
    for (int k = 0; k <= 15; ++k) {
      const int x = PlotLeft + k * PlotW / 15;
      dc.Line({x, PlotTop}, {x, bottom});
    }
  if ((g.DisplFlags & store::kDisplHRaster) && !g.VScale)
    for (int k = 0; k <= 10; ++k) {
      const int y = PlotTop + k * PlotH / 10;
      dc.Line({PlotLeft, y}, {right, y});
    }
}

void TDispl10::PaintLimits(platform::Canvas& dc) {
  const store::CG_s& g = Own();
  if (!g.BlockPage || NShown <= 0) return;
  const int64_t w = int64_t(Act().LimIR) - Act().LimIL;
  if (w <= 0) return;
  const int64_t il = std::max(g.IL, 0), ir = g.IR;
  const int64_t first = (il + w - 1) / w * w;
  if (first > ir) return;
  const int64_t blocks = (ir - first) / w + 1;
  // More boundaries than pixel columns would only paint the plot orange.
  if (blocks > PlotW) return;
  const bool labels = blocks < 20 && !g.PrintMode;
  platform::Font font;
  font.height = 12;
  font.width = 5;
  if (labels) dc.SetFont(font);
  for (int64_t i = first; i <= ir; i += w) {
    const int x = GlobalVertToMouse(int32_t(i));
    dc.SetPen(g.WhiteMode ? Rgb(255, 0, 0) : Rgb(255, 128, 0), 1);
    dc.Line({x, PlotTop + 3}, {x, PlotTop + PlotH - 3});
    if (!labels) continue;
    char text[32];
    std::snprintf(text, sizeof text, " %lld ", static_cast<long long>(i / w));
    const int width = dc.TextWidth(text);
    dc.FillRect(x + 5, PlotTop + 17, x + 5 + width, PlotTop + 29, 0);
    dc.SetTextColor(Rgb(0, 255, 255));
    dc.Text({x + 5, PlotTop + 17}, text, platform::HAlign::Left, platform::VAlign::Top);
  }
}

void TDispl10::PaintValues(platform::Canvas& dc, const LiveValues& v) {
  if (!v.sum) return;
  const store::CG_s& g = Own();
  const int size = std::clamp(v.size, 1, 5);
  platform::Font font;
  font.height = 12 + (size - 1) * 33 / 4;  // 12 × 5 up to 45 × 22 px
  font.width = 5 + (size - 1) * 17 / 4;
  dc.SetFont(font);
  const uint32_t background =
      g.WhiteMode ? Rgb(255, 255, 255) : (p_.Col_ ? p_.Col_.get()->Background[OwnChan] : 0);
  int row = 0;
  for (int k = 0; k < store::kChannels; ++k) {
    const bool shown = g.Multi ? IsShown(k) : k == OwnChan;
    if (!shown) continue;
    std::string line;
    char text[48];
    // Nothing gathered yet: no mean to show.
    if (v.count > 0) {
      std::snprintf(text, sizeof text, "%+08.4f", double(v.sum[k] / v.count));
      line += text;
    }
    if (v.lines >= 2 && v.max) {
      std::snprintf(text, sizeof text, " %+08.4f", double(v.max[k]));
      line += text;
    }
    if (v.lines >= 3 && v.min) {
      std::snprintf(text, sizeof text, " %+08.4f", double(v.min[k]));
      line += text;
    }
    const int y = PlotTop + 2 + row++ * font.height;
    const int width = dc.TextWidth(line);
    dc.FillRect(PlotLeft + 2, y, PlotLeft + 2 + width, y + font.height, background);
    dc.SetTextColor(p_.Col_ ? p_.Col_.get()->TraceColor[k] : Rgb(255, 255, 255));
    dc.Text({PlotLeft + 2, y}, line, platform::HAlign::Left, platform::VAlign::Top);
  }
}

}  // namespace graph
