// The XY plot: the samples of the X channel against those of the Y channel,
// each pair through the XY transforms. A record of millions of samples must
// not become millions of line segments, so long views are cut into blocks
// whose extreme points alone are kept, in one pass over the samples.
#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

// A long view is cut into (PlotW + PlotH) blocks: enough for a curve that
// crosses the plot several times, at most four points a block.
constexpr int32_t kPointsPerBlock = 4;

bool FinitePair(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

}  // namespace

void TDispl10::FillXYPicture() {
  pictureCount_ = 0;
  const store::CG_s& g = Own();
  // The pairs come from the main store whatever the display type: an
  // inactive channel has no data and draws nothing.
  const float* xs = ChannelData(g.XChan, false);
  const float* ys = ChannelData(g.YChan, false);
  const int32_t n = 2 * Half;
  if (!pictureBlock_ || pictureCapacity_ < 2 || !xs || !ys || n <= 0) return;
  const int32_t il = std::clamp(g.IL, 0, n - 1);
  const int32_t ir = std::clamp(g.IR, il, n - 1);
  if (g.TraceStyle == 0)
    FillXYPoints(xs, ys, il, ir);
  else
    FillXYLines(xs, ys, il, ir);
}

void TDispl10::FillXYPoints(const float* xs, const float* ys, int32_t il, int32_t ir) {
  // Both transforms clamp into the plot, so every point has a cell (the
  // test below only guards the array); a pixel taken once is not added
  // again however many samples land on it.
  const size_t w = size_t(PlotW) + 1, h = size_t(PlotH) + 1;
  xyPixels_.assign((w * h + 63) / 64, 0);
  PicturePoint* pts = pictureBlock_.get();
  const int32_t limit = pictureCapacity_ - 1;
  for (int32_t i = il; i <= ir && pictureCount_ < limit; ++i) {
    if (!FinitePair(xs[i], ys[i])) continue;
    const int16_t x = GlobalVertToMouseXYPlot(xs[i]);
    const int16_t y = ClampedGlobalHorizToMouse(ys[i], x);
    if (x < PlotLeft || x > PlotLeft + PlotW || y < PlotTop || y > PlotTop + PlotH) continue;
    const size_t cell = size_t(x - PlotLeft) * h + size_t(y - PlotTop);
    uint64_t& word = xyPixels_[cell / 64];
    const uint64_t bit = uint64_t(1) << (cell % 64);
    if (word & bit) continue;
    word |= bit;
    pts[pictureCount_++] = {x, y};
  }
}

void TDispl10::FillXYLines(const float* xs, const float* ys, int32_t il, int32_t ir) {
  PicturePoint* pts = pictureBlock_.get();
  const int32_t limit = pictureCapacity_ - 1;
  bool broken = false;  // a pair without a place came since the last point
  auto add = [&](int64_t i) {
    const int16_t x = GlobalVertToMouseXYPlot(xs[i]);
    const PicturePoint pt{x, ClampedGlobalHorizToMouse(ys[i], x)};
    if (pictureCount_ > 0) {
      const PicturePoint last = pts[pictureCount_ - 1];
      if (broken) {
        if (pictureCount_ >= limit) return;
        pts[pictureCount_++] = {kNoPointX, 0};
      } else if (last.x == pt.x && last.y == pt.y) {
        return;  // the same pixel again adds nothing to the line
      }
    }
    broken = false;
    if (pictureCount_ < limit) pts[pictureCount_++] = pt;
  };

  const int64_t count = int64_t(ir) - il + 1;
  const int64_t blocks = int64_t(PlotW) + PlotH;
  if (count <= kPointsPerBlock * blocks) {
    for (int32_t i = il; i <= ir; ++i) {
      if (FinitePair(xs[i], ys[i]))
        add(i);
      else
        broken = true;
    }
    return;
  }
  // Block b ends before the first index of block b + 1, found by one
  // multiplication per block; the inner loop only compares.
  const double perBlock = double(count) / double(blocks);
  constexpr float kInf = std::numeric_limits<float>::infinity();
  int64_t start = il;
  for (int64_t b = 0; start <= ir && pictureCount_ < limit; ++b) {
    int64_t end = il + int64_t(std::ceil(double(b + 1) * perBlock));
    end = std::clamp<int64_t>(end, start + 1, int64_t(ir) + 1);
    float xMin = kInf, xMax = -kInf, yMin = kInf, yMax = -kInf;
    int64_t at[kPointsPerBlock] = {-1, -1, -1, -1};
    int64_t firstBad = -1;
    for (int64_t i = start; i < end; ++i) {
      const float x = xs[i], y = ys[i];
      if (!FinitePair(x, y)) {
        if (firstBad < 0) firstBad = i;
        continue;
      }
      if (x < xMin) xMin = x, at[0] = i;
      if (x > xMax) xMax = x, at[1] = i;
      if (y < yMin) yMin = y, at[2] = i;
      if (y > yMax) yMax = y, at[3] = i;
    }
    start = end;
    // The extremes in the order of the samples, so the line keeps the
    // curve's direction; a bad sample breaks it once, where it first lies.
    std::sort(at, at + kPointsPerBlock);
    int64_t previous = -1;
    for (int64_t i : at) {
      if (i < 0 || i == previous) continue;
      if (firstBad >= 0 && i > firstBad) {
        broken = true;
        firstBad = -1;
      }
      add(i);
      previous = i;
    }
    if (firstBad >= 0) broken = true;
  }
}

void TDispl10::XYPictureOut(platform::Canvas& dc, const PicturePoint* pts, int32_t n, uint32_t colour) {
  const store::CG_s& g = Own();
  auto point = [&](PicturePoint pt) {
    if (g.PrintMode)
      dc.FillRect(pt.x - 1, pt.y - 1, pt.x + 2, pt.y + 2, colour);
    else
      dc.Pixel({pt.x, pt.y}, colour);
  };
  if (g.TraceStyle == 0) {
    for (int32_t i = 0; i < n; ++i)
      if (pts[i].x > kNoPointX) point(pts[i]);
    return;
  }
  // A point alone between two breaks has no line: it is shown as a point.
  for (int32_t i = 0; i < n; ++i) {
    if (pts[i].x <= kNoPointX) continue;
    const bool before = i > 0 && pts[i - 1].x > kNoPointX;
    const bool after = i + 1 < n && pts[i + 1].x > kNoPointX;
    if (!before && !after) point(pts[i]);
  }
  dc.SetPen(colour, 1);
  DrawPolyline(dc, pts, n);
}

}  // namespace graph
