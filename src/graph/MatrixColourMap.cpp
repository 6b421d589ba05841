// The matrix as a colour map: one image of the shown windows stretched into
// the plot, and the legend of the 768 colours.
#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <new>

#include "graph/FontSettings.h"
#include "graph/MatrixDisplay.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace graph {
namespace {

constexpr int kSteps = 768;

// Step of the scale the value falls on; 768 and above is white. A value
// that is not a number takes the bottom of the scale.
int ColourIndex(float v, float min, float step) {
  const float q = (v - min) / step;
  if (!(q >= 0)) return 0;
  return q < float(kSteps) ? int(q) : kSteps;
}

uint32_t Pack(uint8_t r, uint8_t g, uint8_t b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

std::array<uint32_t, kSteps + 1> Palette(bool inverted) {
  std::array<uint32_t, kSteps + 1> out{};
  for (int k = 0; k <= kSteps; ++k) out[size_t(k)] = MatrixColour(float(k), 0, 1, inverted);
  return out;
}

}  // namespace

void Set2DColor(float v, float min, float step, uint8_t& r, uint8_t& g, uint8_t& b) {
  const int k = ColourIndex(v, min, step);
  if (k < 256) {
    r = uint8_t(k), g = 0, b = 0;
  } else if (k < 512) {
    r = 255, g = uint8_t(k - 256), b = 0;
  } else if (k < 768) {
    r = 255, g = 255, b = uint8_t(k - 512);
  } else {
    r = g = b = 255;
  }
}

uint32_t MatrixColour(float v, float min, float step, bool inverted) {
  uint8_t r, g, b;
  Set2DColor(v, min, step, r, g, b);
  const uint32_t c = Pack(r, g, b);
  return inverted ? c ^ 0xFFFFFFu : c;
}

bool TDispl2D::Paint2DColor() {
  const store::Mat_s& m = p_.Mat[0];
  const int nc = lastCol_ - firstCol_ + 1, nr = lastRow_ - firstRow_ + 1;
  // One pixel per element; a window larger than the plot is first reduced to
  // the plot's pixels, each showing the largest of its elements, so that a
  // narrow peak is not lost between the pixels.
  const int w = std::min(nc, plot_.width), h = std::min(nr, plot_.height);
  std::vector<float> rowMax;
  std::vector<int> colFrom;
  try {
    pixels_.resize(size_t(w) * size_t(h));
    rowMax.resize(size_t(w));
    colFrom.resize(size_t(w) + 1);
  } catch (const std::bad_alloc&) {
    state::MessT(p_, 77, 13);
    return false;
  }
  for (int j = 0; j <= w; ++j) colFrom[size_t(j)] = int(int64_t(j) * nc / w);
  const bool revC = m.ColumnDirection < 0, revR = m.RowDirection < 0;
  const float step = (Max - Min) / float(kSteps);
  const auto palette = Palette(Mode() == kMatInverted);
  const float* data = p_.Matrix.data();
  for (int i = 0; i < h; ++i) {
    if (i % 32 == 31 && Interrupted()) return false;
    const int block = revR ? i : h - 1 - i;  // the first row at the bottom
    const int r0 = int(int64_t(block) * nr / h), r1 = int(int64_t(block + 1) * nr / h);
    std::fill(rowMax.begin(), rowMax.end(), -std::numeric_limits<float>::infinity());
    for (int r = r0; r < r1; ++r) {
      const float* src = data + size_t(firstRow_ + r) * size_t(nx_) + size_t(firstCol_);
      for (int j = 0; j < w; ++j) {
        const int cb = revC ? w - 1 - j : j;
        float mx = rowMax[size_t(j)];
        for (int t = colFrom[size_t(cb)]; t < colFrom[size_t(cb) + 1]; ++t)
          if (src[t] > mx) mx = src[t];
        rowMax[size_t(j)] = mx;
      }
    }
    uint32_t* out = pixels_.data() + size_t(i) * size_t(w);
    for (int j = 0; j < w; ++j) out[j] = palette[size_t(ColourIndex(rowMax[size_t(j)], Min, step))];
  }
  surface_->StretchImage(plot_.left, plot_.top, plot_.left + plot_.width, plot_.top + plot_.height,
                         pixels_.data(), w, h);
  if (p_.FULL_MATRIX) PaintLegend();
  return true;
}

void TDispl2D::PaintLegend() {
  const bool inverted = Mode() == kMatInverted;
  std::array<uint32_t, kSteps> strip{};
  for (int k = 0; k < kSteps; ++k) strip[size_t(kSteps - 1 - k)] = MatrixColour(float(k), 0, 1, inverted);
  platform::Canvas& dc = *surface_;
  const int x = plot_.left + plot_.width + 12, top = plot_.top, bottom = plot_.top + plot_.height;
  dc.StretchImage(x, top, x + 14, bottom, strip.data(), 1, kSteps);
  dc.SetPen(0, 1);
  dc.SetNullBrush();
  dc.Rectangle(x - 1, top - 1, x + 15, bottom + 1);
  dc.SetFont(ScaleFont(p_));
  dc.SetTextColor(0);
  char text[40];
  std::snprintf(text, sizeof text, "%8.3e", double(Max));
  dc.Text({x + 18, top}, text, platform::HAlign::Left, platform::VAlign::Top);
  std::snprintf(text, sizeof text, "%8.3e", double(Min));
  dc.Text({x + 18, bottom}, text, platform::HAlign::Left, platform::VAlign::Bottom);
}

}  // namespace graph
