// The trace: filling the picture buffer from a series and drawing it as
// points, bars, a polyline, a thickened polyline or a filled area.
#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// Polylines longer than this are drawn in pieces.
constexpr int32_t kPolylineChunk = 16384;

void PolylineInPieces(platform::Canvas& dc, std::vector<platform::Point>& line, const PicturePoint* pts,
                      int32_t n, int dx, int dy) {
  for (int32_t from = 0; from + 1 < n;) {
    const int32_t count = std::min(n - from, kPolylineChunk);
    line.resize(size_t(count));
    for (int32_t i = 0; i < count; ++i) line[size_t(i)] = {pts[from + i].x + dx, pts[from + i].y + dy};
    dc.Polyline(line);
    // The next piece starts at this one's last point so no segment is lost.
    from += count - 1;
  }
}

}  // namespace

uint32_t TDispl10::TraceColour() const {
  if (ColourOverride) return OverrideColour;
  const bool white = Own().WhiteMode != 0;
  switch (Act().DisplType) {
    case kFirstHalf:
      return white ? Rgb(128, 0, 0) : Rgb(255, 255, 255);
    case kSecondHalf:
      return white ? Rgb(0, 0, 128) : Rgb(0, 192, 255);
    case kPower:
    case kMagnitude:
      return white ? Rgb(128, 128, 0) : Rgb(255, 255, 0);
    case kRunningSum:
    case kDifference:
      return white ? Rgb(128, 128, 128) : Rgb(255, 255, 255);
    case kHistogram:
      return white ? Rgb(128, 128, 64) : Rgb(255, 255, 128);
    default:
      return p_.Col_ ? p_.Col_.get()->TraceColor[ActChan] : Rgb(255, 255, 255);
  }
}

void TDispl10::PictureBufferFilling() {
  pictureCount_ = 0;
  if (IsXY()) {
    FillXYPicture();
    return;
  }
  if (!series_ || NShown <= 0) return;
  DePress();
  const store::CG_s& g = Own();
  FillPicture(series_, g.IL, g.IR, g.VMin, KY, PlotTop + PlotH, g.TraceStyle == 0 && !g.Multi);
}

void TDispl10::FillPicture(const float* data, int32_t il, int32_t ir, double vMin, double ky, double yBase,
                           bool points) {
  pictureCount_ = 0;
  PicturePoint* pts = pictureBlock_.get();
  if (!pts || !data || NShown <= 0) return;
  il = std::clamp(il, 0, NShown - 1);
  ir = std::clamp(ir, il, NShown - 1);
  const int32_t limit = pictureCapacity_ - 1;
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  auto add = [&](int64_t column, float v) {
    if (pictureCount_ >= limit) return;
    const int32_t x = int32_t(std::min<int64_t>(PlotLeft + column, right));
    int32_t y = int32_t(yBase) - ClampTrunc((double(v) - vMin) * ky, -30000, 30000);
    y = std::clamp(y, int32_t(PlotTop), int32_t(bottom));
    pts[pictureCount_++] = {x, y};
  };
  const double spp = SPP > 0 && std::isfinite(SPP) ? double(SPP) : 0.0;
  if (points || spp < 1.0) {
    // At most one sample per column (or every sample wanted): each its point.
    const double perSample = spp > 0 ? 1.0 / spp : 0.0;
    for (int32_t i = il; i <= ir; ++i) {
      const float v = data[i];
      if (std::isnan(v)) continue;
      add(int64_t((i - il) * perSample), v);
    }
    return;
  }
  // Columns of several samples: the boundary of column c is the first index
  // whose column exceeds c, found by one multiplication per column; a long
  // column's extremes come from the store's envelope, not from its samples.
  const bool envelope = Own().Envelope && Own().TraceStyle != 4;
  PrepareColumns(data, il, int64_t(ir) + 1);
  int64_t start = il;
  for (int64_t c = 0; start <= ir; ++c) {
    int64_t end = il + int64_t(std::ceil((c + 1) * spp));
    if (end <= start) end = start + 1;
    if (end > int64_t(ir) + 1) end = int64_t(ir) + 1;
    const state::SampleEnvelope::Extremes e = ColumnExtremes(data, start, end);
    const float mx = e.max, mn = e.min;
    start = end;
    if (!(mx >= mn)) continue;  // only NaN in this column: a gap
    add(c, mx);
    if (envelope && mn != mx) add(c, mn);
  }
}

void TDispl10::DrawPolyline(platform::Canvas& dc, const PicturePoint* pts, int32_t n, int dx, int dy) {
  if (!pts || n <= 1) return;
  if (!IsXY()) {
    PolylineInPieces(dc, line_, pts, n, dx, dy);
    return;
  }
  // The XY plot joins only neighbours that both are points; for the printer
  // its back-and-forth curves go out segment by segment.
  const bool print = Own().PrintMode != 0;
  for (int32_t i = 0; i < n;) {
    if (pts[i].x <= kNoPointX) {
      ++i;
      continue;
    }
    int32_t end = i + 1;
    while (end < n && pts[end].x > kNoPointX) ++end;
    if (print) {
      for (int32_t k = i; k + 1 < end; ++k)
        dc.Line({pts[k].x + dx, pts[k].y + dy}, {pts[k + 1].x + dx, pts[k + 1].y + dy});
    } else {
      PolylineInPieces(dc, line_, pts + i, end - i, dx, dy);
    }
    i = end;
  }
}

void TDispl10::PictureBufferOut(platform::Canvas& dc, const PicturePoint* pts, int32_t n, uint32_t colour) {
  if (!pts || n <= 0) return;
  if (IsXY()) {
    XYPictureOut(dc, pts, n, colour);
    return;
  }
  const store::CG_s& g = Own();
  if (g.TraceStyle == 0 || n == 1) {
    for (int32_t i = 0; i < n; ++i) {
      if (g.PrintMode)
        dc.FillRect(pts[i].x - 1, pts[i].y - 1, pts[i].x + 2, pts[i].y + 2, colour);
      else
        dc.Pixel({pts[i].x, pts[i].y}, colour);
    }
    return;
  }
  if (g.TraceStyle == 7) {
    const int half = std::clamp(int(KX / 2), 1, 50);
    const int bottom = PlotTop + PlotH;
    for (int32_t i = 0; i < n; ++i) {
      int16_t l = int16_t(pts[i].x - half), r = int16_t(pts[i].x + half), y = int16_t(pts[i].y);
      int16_t y2 = int16_t(bottom);
      OK_xy(l, y);
      OK_xy(r, y2);
      dc.FillRect(l, y, r, bottom, colour);
    }
    return;
  }
  dc.SetPen(colour, 1);
  DrawPolyline(dc, pts, n);
}

void TDispl10::ThickLine(platform::Canvas& dc, int width, uint32_t colour) {
  struct Step {
    int8_t dx, dy;
  };
  static const Step kBase[] = {{1, 0}, {0, -1}, {-1, 0},  {-1, 0}, {0, 1}, {0, 1}, {1, 0},
                               {1, 0}, {1, -1}, {-2, -2}, {-2, 2}, {2, 2}, {0, -2}};
  static const Step kW1[] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
  static const Step kW2[] = {{1, 0}, {-1, -1}, {-1, 1}, {1, 1}, {0, -1}};
  static const Step kW4[] = {{0, -3}, {-3, 3}, {3, 3}, {3, -3}, {-3, 0}};
  static const Step kW5[] = {{0, -4}, {-4, 4}, {4, 4}, {4, -4}, {-4, -3}, {-3, 3}, {3, 3}, {3, -3}, {-3, 0}};
  const PicturePoint* pts = pictureBlock_.get();
  if (!pts || pictureCount_ <= 0) return;
  dc.SetPen(colour, 1);
  int dx = 0, dy = 0;
  auto run = [&](const Step* steps, size_t n) {
    for (size_t k = 0; k < n; ++k) {
      dx += steps[k].dx;
      dy += steps[k].dy;
      DrawPolyline(dc, pts, pictureCount_, dx, dy);
    }
  };
  switch (width) {
    case 1:
      run(kW1, std::size(kW1));
      break;
    case 2:
      run(kW2, std::size(kW2));
      break;
    case 4:
      run(kW4, std::size(kW4));
      run(kBase, std::size(kBase));
      break;
    case 5:
      run(kW5, std::size(kW5));
      run(kBase, std::size(kBase));
      break;
    default:
      run(kBase, std::size(kBase));
      break;
  }
}

void TDispl10::FilledArea(platform::Canvas& dc, uint32_t colour) {
  const PicturePoint* pts = pictureBlock_.get();
  if (!pts || pictureCount_ < 2) return;
  // The zero line, converted as the trace points are.
  const int16_t y0 = ClampedGlobalHorizToMouse(0.0f, PlotLeft);
  dc.SetPen(colour, 1);
  dc.SetBrush(colour);
  for (int32_t i = 0; i + 1 < pictureCount_; ++i) {
    const PicturePoint a = pts[i], b = pts[i + 1];
    line_.assign({{a.x, y0}, {b.x, y0}, {b.x, b.y}, {a.x, a.y}, {a.x, y0}});
    dc.Polygon(line_);
  }
}

int16_t TDispl10::PaintData(platform::Canvas& dc, int16_t x, float v, int mode, int16_t width) {
  int16_t y = ClampedGlobalHorizToMouse(v, x);
  OK_xy(x, y);  // the column too
  if (Own().Multi && mode != kPaintLineTo && mode != kPaintMoveTo) return y;
  const PicturePoint* pts = pictureBlock_.get();
  switch (mode) {
    case kPaintPixels:
      for (int32_t i = 0; pts && i < pictureCount_; ++i)
        if (pts[i].x > kNoPointX) dc.Pixel({pts[i].x, pts[i].y}, 0xFFFFFF);
      break;
    case kPaintFilled:
      if (PlotW >= 2 * pictureCount_ && !IsXY()) {  // an XY curve has no area under it
        FilledArea(dc, TraceColour());
        break;
      }
      [[fallthrough]];
    case kPaintLine:
      if (width >= 1 && width <= 5 && Own().TraceStyle != 0 && Own().TraceStyle != 7)
        ThickLine(dc, width, TraceColour());
      else
        PictureBufferOut(dc, pts, pictureCount_, TraceColour());
      break;
    case kPaintLineTo:
      dc.Line(current_, {x, y});
      current_ = {x, y};
      break;
    case kPaintAppend:
      if (pts && pictureCount_ < pictureCapacity_ - 1) pictureBlock_.get()[pictureCount_++] = {x, y};
      break;
    case kPaintMoveTo:
      current_ = {x, y};
      break;
    default:
      break;
  }
  return y;
}

}  // namespace graph
