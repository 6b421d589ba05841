// The matrix as a waterfall: the rows drawn from the farthest to the nearest,
// each shifted by its perspective offset and reduced to the largest and the
// smallest value of every pixel column. Filled rows hide the farther ones.
#include <algorithm>
#include <cmath>

#include "graph/MatrixDisplay.h"
#include "state/Program.h"

namespace graph {
namespace {

constexpr uint32_t kBlack = 0;

}  // namespace

int TDispl2D::ValueY(float v, int base) const {
  const double d = std::clamp((double(v) - double(Min)) * ky_, -30000.0, 30000.0);
  return base - int(d);
}

// Inside the whole drawing area (every row's shifted plot).
platform::Point TDispl2D::OK_xy(platform::Point pt) const {
  pt.x = std::clamp(pt.x, plot_.left, plot_.left + plot_.width + slantX_);
  pt.y = std::clamp(pt.y, mt_, plot_.top + plot_.height);
  return pt;
}

void TDispl2D::PictureBufferFilling(int row, int left, int base) {
  const bool reversed = p_.Mat[0].ColumnDirection < 0;
  const int span = lastCol_ - firstCol_;
  const float* src = p_.Matrix.data() + size_t(row) * size_t(nx_);
  buffer_.clear();
  int column = -1;
  float hi = 0, lo = 0;
  bool any = false;
  auto flush = [&] {
    if (!any) return;
    const int x = left + column;
    buffer_.push_back(OK_xy({x, ValueY(hi, base)}));
    if (lo != hi) buffer_.push_back(OK_xy({x, ValueY(lo, base)}));
  };
  for (int t = 0; t <= span; ++t) {
    const float v = src[reversed ? lastCol_ - t : firstCol_ + t];
    const int x = int(int64_t(t) * plot_.width / span);
    if (x != column) {
      flush();
      column = x;
      any = false;
    }
    if (!std::isfinite(v)) continue;  // a hole in the row draws nothing
    if (!any) {
      hi = lo = v;
      any = true;
    } else {
      hi = std::max(hi, v);
      lo = std::min(lo, v);
    }
  }
  flush();
}

void TDispl2D::PictureBufferOut(int left, int base) {
  if (buffer_.empty()) return;
  platform::Canvas& dc = *surface_;
  dc.SetPen(kBlack, 1);
  if (Mode() == kMatLines) {
    if (buffer_.size() > 1) dc.Polyline(buffer_);
    return;
  }
  // Closed down to the row's own base line and filled with the background,
  // so that it covers the rows drawn before it.
  const int y = OK_xy({left, base}).y;
  buffer_.push_back({buffer_.back().x, y});
  buffer_.push_back({buffer_.front().x, y});
  dc.SetBrush(Background());
  dc.Polygon(buffer_);
}

bool TDispl2D::PaintWaterfall() {
  const bool reversed = p_.Mat[0].RowDirection < 0;
  const int base0 = plot_.top + plot_.height;
  for (int k = lastRow_ - firstRow_; k >= 0; --k) {
    // Depth k: the nearest row (k = 0) comes last.
    const int row = reversed ? lastRow_ - k : firstRow_ + k;
    const int left = plot_.left + int(std::lround(k * shiftX_));
    const int base = base0 - int(std::lround(k * shiftY_));
    PictureBufferFilling(row, left, base);
    PictureBufferOut(left, base);
    if (k > 0 && Interrupted()) return false;
  }
  return true;
}

}  // namespace graph
