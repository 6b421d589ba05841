// Painting of the graph window: for now the plot background and the trace
// as a polyline of the picture buffer.
#include <algorithm>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

}  // namespace

void TDispl10::PictureBufferFilling() {
  pictureCount_ = 0;
  PicturePoint* pts = pictureBlock_.get();
  if (!pts || !series_ || NShown <= 0 || IsXY()) return;
  DePress();
  const store::CG_s& g = Own();
  const int32_t il = std::clamp(g.IL, 0, NShown - 1), ir = std::clamp(g.IR, il, NShown - 1);
  const int32_t limit = pictureCapacity_ - 1;
  auto add = [&](int32_t column, float v) {
    if (pictureCount_ >= limit) return;
    const int16_t x = int16_t(std::clamp(column + PlotLeft, -32000, 32000));
    pts[pictureCount_++] = {x, ValueToY(v, x)};
  };
  // A single sample shown (SPP = 0) stands in column 0.
  auto column = [&](int32_t i) { return SPP > 0 ? ClampTrunc((i - g.IL) / double(SPP), 0, 32000) : 0; };

  if (g.TraceStyle == 0 && !g.Multi) {
    for (int32_t i = il; i <= ir; ++i) add(column(i), series_[i]);
  } else if (!g.Envelope || g.TraceStyle == 4) {
    int32_t col = column(il);
    float mx = series_[il];
    add(col, mx);
    for (int32_t i = il + 1; i <= ir; ++i) {
      if (series_[i] > mx) mx = series_[i];
      const int32_t c = column(i);
      if (c != col) {
        col = c;
        add(col, mx);
        if (i + 1 <= ir) mx = series_[i + 1];
      }
    }
  } else {
    int32_t col = column(il);
    float mx = series_[il], mn = series_[il];
    auto flush = [&] {
      add(col, mx);
      if (mn != mx) add(col, mn);
    };
    for (int32_t i = il + 1; i <= ir; ++i) {
      const float v = series_[i];
      const int32_t c = column(i);
      if (c != col) {
        flush();
        col = c;
        mx = mn = v;
      } else {
        mx = std::max(mx, v);
        mn = std::min(mn, v);
      }
    }
    flush();
  }
}

void TDispl10::Displ(platform::Canvas& dc) {
  RedrawAll = RedrawBackground = RedrawCursors = RedrawText = 0;
  DoClear = LayoutChanged = 0;
  const store::CG_s& g = Own();
  const store::Col_s* col = p_.Col_.get();
  PictureBufferFilling();
  const uint32_t background = g.WhiteMode ? 0xFFFFFF : (col ? col->Background[OwnChan] : 0);
  dc.FillRect(PlotLeft, PlotTop, PlotLeft + PlotW, PlotTop + PlotH, background);

  const bool white = g.WhiteMode != 0;
  uint32_t colour;
  switch (Act().DisplType) {
    case kFirstHalf:
      colour = white ? Rgb(128, 0, 0) : Rgb(255, 255, 255);
      break;
    case kSecondHalf:
      colour = white ? Rgb(0, 0, 128) : Rgb(0, 192, 255);
      break;
    case kPower:
    case kMagnitude:
      colour = white ? Rgb(128, 128, 0) : Rgb(255, 255, 0);
      break;
    case kRunningSum:
    case kDifference:
      colour = white ? Rgb(128, 128, 128) : Rgb(255, 255, 255);
      break;
    case kHistogram:
      colour = white ? Rgb(128, 128, 64) : Rgb(255, 255, 128);
      break;
    default:
      colour = col ? col->TraceColor[ActChan] : Rgb(255, 255, 255);
      break;
  }
  const PicturePoint* pts = pictureBlock_.get();
  if (pictureCount_ == 0 || !pts) return;
  if (g.TraceStyle == 0 || pictureCount_ == 1) {
    for (int32_t i = 0; i < pictureCount_; ++i) dc.Pixel({pts[i].x, pts[i].y}, colour);
    return;
  }
  std::vector<platform::Point> line(static_cast<size_t>(pictureCount_));
  for (int32_t i = 0; i < pictureCount_; ++i) line[size_t(i)] = {pts[i].x, pts[i].y};
  dc.SetPen(colour, 1);
  dc.Polyline(line);
}

}  // namespace graph
