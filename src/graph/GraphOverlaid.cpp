// Display type 8: the record cut into sweeps of the view's width, drawn
// over each other in a colour gradient.
#include <algorithm>

#include "graph/GraphModel.h"

namespace graph {
namespace {

// No more sweeps than this are drawn; beyond it they could not be told apart.
constexpr int64_t kMaxSweeps = 1000;

// Position g of the 768-step gradient: red rises, then green with red at
// full, then red falls while blue rises.
uint32_t Gradient(int g) {
  g = std::clamp(g, 0, 767);
  int r, gr, b;
  if (g < 256) {
    r = g, gr = 0, b = 0;
  } else if (g < 512) {
    r = 255, gr = g - 256, b = 0;
  } else {
    r = 255 - (g - 512), gr = 255, b = g - 512;
  }
  return uint32_t(r) | uint32_t(gr) << 8 | uint32_t(b) << 16;
}

}  // namespace

void TDispl10::PrekladaneZobrazeni(platform::Canvas& dc) {
  pictureCount_ = 0;
  const store::CG_s& g = Own();
  if (!series_ || NShown <= 0) return;
  const int64_t il = g.IL, ir = g.IR;
  const int64_t w = std::max<int64_t>(int64_t(g.LimIR) - g.LimIL + 1, ir - il);
  if (w <= 2 || ir - il + 1 <= 4) return;
  int64_t n = 0;
  while (n < kMaxSweeps && ir + n * w <= int64_t(NShown) - 1) ++n;
  if (n == 0) return;
  DePress();
  const int step = n > 1 ? std::max<int>(int(768 / (n - 1)), 2) : 2;
  const bool grey = g.PrintMode && p_.Prt && !p_.Prt.get()->Colour;
  const int pen = Act().PenWidth;
  for (int64_t k = 0; k < n; ++k) {
    uint32_t colour;
    if (grey) {
      const int level = int(std::min<int64_t>(255, k * 256 / n));
      colour = uint32_t(level) * 0x010101u;
    } else {
      colour = Gradient(int(std::min<int64_t>(k * step, 767)));
    }
    FillPicture(series_ + k * w, int32_t(il), int32_t(ir), g.VMin, KY, PlotTop + PlotH, false);
    const int width = k == 0 ? pen : std::max(pen - 2, 0);
    if (width >= 1 && width <= 5 && g.TraceStyle != 0 && g.TraceStyle != 7)
      ThickLine(dc, width, colour);
    else
      PictureBufferOut(dc, Picture(), pictureCount_, colour);
  }
}

}  // namespace graph
