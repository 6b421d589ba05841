// The matrix display's scales (values, columns, rows) and the position
// read-out. Columns and rows read as the header's axes when the producer
// set them (columns in Hz, rows in s), else as indices.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graph/FontSettings.h"
#include "graph/GraphScaleMath.h"
#include "graph/MatrixDisplay.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace graph {
namespace {

constexpr double kLargestStep = 1e9;
constexpr int kTick = 4;

struct Axis {
  double start = 0, step = 1;
  bool scaled = false;  // the producer's axis, not indices
  double At(double index) const { return start + index * step; }
  double Index(double value) const { return (value - start) / step; }
};

Axis ColumnAxis(const store::Mat_s& m) {
  if (m.ColumnStep != 0 && std::isfinite(m.ColumnStep) && std::isfinite(m.ColumnStart))
    return {m.ColumnStart, m.ColumnStep, true};
  return {};
}

Axis RowAxis(const store::Mat_s& m) {
  if (m.RowStep != 0 && std::isfinite(m.RowStep) && std::isfinite(m.RowStart))
    return {m.RowStart, m.RowStep, true};
  return {};
}

// Large axis values are written in thousands ("x1000" beside the axis).
double AxisDivisor(double a, double b) { return std::max(std::abs(a), std::abs(b)) >= 10000 ? 1000 : 1; }

std::string Number(const char* form, double v) {
  char b[48];
  std::snprintf(b, sizeof b, form, v);
  return b;
}

// Black scale lines and texts in the scale font.
platform::Canvas& ScaleCanvas(platform::Canvas& dc, const state::Program& p) {
  dc.SetFont(ScaleFont(p));
  dc.SetTextColor(0);
  dc.SetPen(0, 1);
  return dc;
}

// What stands beside an axis: its unit and "x1000" when written in thousands.
std::string UnitBeside(const Axis& a, const char* unit, double div) {
  std::string u = a.scaled ? unit : "";
  if (div != 1) u = u.empty() ? "x1000" : "x1000,  " + u;
  return u;
}

// Ticks of an axis between the values at two indices.
Ticks AxisTicks(const Axis& a, int from, int to, int divisions) {
  const double lo = std::min(a.At(from), a.At(to)), hi = std::max(a.At(from), a.At(to));
  return ScaleTicks(lo, hi, std::max(divisions, 1), 0, kLargestStep);
}

}  // namespace

double TDispl2D::ColumnX(double column) const {
  const bool reversed = p_.Mat[0].ColumnDirection < 0;
  const double t = reversed ? lastCol_ - column : column - firstCol_;
  if (Waterfall()) return plot_.left + t * plot_.width / std::max(lastCol_ - firstCol_, 1);
  return plot_.left + (t + 0.5) * plot_.width / (lastCol_ - firstCol_ + 1);
}

double TDispl2D::RowY(double row) const {
  const bool reversed = p_.Mat[0].RowDirection < 0;
  const double t = reversed ? lastRow_ - row : row - firstRow_;
  return plot_.top + plot_.height - (t + 0.5) * plot_.height / (lastRow_ - firstRow_ + 1);
}

void TDispl2D::PaintVScale() {
  if (!Waterfall()) return;  // the colour map has its legend
  platform::Canvas& dc = ScaleCanvas(*surface_, p_);
  const int base = plot_.top + plot_.height, x = plot_.left - 2;
  dc.Line({x, plot_.top}, {x, base + 1});
  const Ticks ticks = ScaleTicks(Min, Max, std::max(plot_.height / 40, 1), 0, kLargestStep);
  for (int k = 0; k < ticks.count; ++k) {
    const int y = ValueY(float(ticks.At(k)), base);
    dc.Line({x - kTick, y}, {x, y});
    dc.Text({x - kTick - 2, y}, Number("%5.2e", ticks.At(k)), platform::HAlign::Right,
            platform::VAlign::Center);
  }
}

void TDispl2D::PaintScale() {
  const store::Mat_s& m = p_.Mat[0];
  platform::Canvas& dc = ScaleCanvas(*surface_, p_);
  const Axis axis = ColumnAxis(m);
  const int y = plot_.top + plot_.height + 1;
  const double div = AxisDivisor(axis.At(firstCol_), axis.At(lastCol_));
  const Ticks ticks = AxisTicks(axis, firstCol_, lastCol_, plot_.width / 80);
  for (int k = 0; k < ticks.count; ++k) {
    const int x = int(std::lround(ColumnX(axis.Index(ticks.At(k)))));
    dc.Line({x, y}, {x, y + kTick});
    dc.Text({x, y + kTick + 1}, Number("%g", ticks.At(k) / div), platform::HAlign::Center,
            platform::VAlign::Top);
  }
  const std::string unit = UnitBeside(axis, "Hz", div);
  if (!unit.empty())
    dc.Text({plot_.left + plot_.width, y + kTick + 14}, unit, platform::HAlign::Right, platform::VAlign::Top);
  char info[160];
  std::snprintf(
      info, sizeof info,
      state::Lang(p_, "x : %d,  y : %d , celkově : %ld  bodů", "x : %d,  y : %d , total : %ld  points"), nx_,
      ny_, long(nx_) * long(ny_));
  dc.Text({ml_, ClientH - 18}, info, platform::HAlign::Left, platform::VAlign::Bottom);
}

void TDispl2D::PaintTimeScale() {
  const store::Mat_s& m = p_.Mat[0];
  platform::Canvas& dc = ScaleCanvas(*surface_, p_);
  const Axis axis = RowAxis(m);
  const double div = AxisDivisor(axis.At(firstRow_), axis.At(lastRow_));
  const std::string unit = UnitBeside(axis, "s", div);
  const bool reversed = m.RowDirection < 0;
  if (!Waterfall()) {
    const int x = plot_.left - 1;
    const Ticks ticks = AxisTicks(axis, firstRow_, lastRow_, plot_.height / 40);
    for (int k = 0; k < ticks.count; ++k) {
      const int y = int(std::lround(RowY(axis.Index(ticks.At(k)))));
      dc.Line({x - kTick, y}, {x, y});
      dc.Text({x - kTick - 2, y}, Number("%g", ticks.At(k) / div), platform::HAlign::Right,
              platform::VAlign::Center);
    }
    if (!unit.empty())
      dc.Text({x - kTick - 2, plot_.top - 2}, unit, platform::HAlign::Right, platform::VAlign::Bottom);
    return;
  }
  // Along the slant: the rows' right ends, nearest at the bottom.
  if (slantX_ < 8 && slantY_ < 8) return;
  const int x0 = plot_.left + plot_.width, y0 = plot_.top + plot_.height;
  const Ticks ticks = AxisTicks(axis, firstRow_, lastRow_, 4);
  for (int k = 0; k < ticks.count; ++k) {
    const double row = axis.Index(ticks.At(k));
    const double depth = reversed ? lastRow_ - row : row - firstRow_;
    const int x = x0 + int(std::lround(depth * shiftX_)), y = y0 - int(std::lround(depth * shiftY_));
    dc.Line({x, y}, {x + kTick, y});
    dc.Text({x + kTick + 2, y}, Number("%g", ticks.At(k) / div), platform::HAlign::Left,
            platform::VAlign::Center);
  }
  if (!unit.empty())
    dc.Text({x0 + slantX_ + kTick + 2, y0 - slantY_ - 12}, unit, platform::HAlign::Left,
            platform::VAlign::Bottom);
}

std::string TDispl2D::Pozice(int x, int y) {
  hasPosition_ = true;
  posX_ = x, posY_ = y;
  if (!painting_) DrawReadOut();
  return ReadOut(x, y);
}

std::string TDispl2D::ReadOut(int x, int y) const {
  if (nx_ < 2 || ny_ < 2 || p_.Matrix.size() < size_t(nx_) * size_t(ny_)) return {};
  const store::Mat_s& m = p_.Mat[0];
  const Axis cols = ColumnAxis(m), rows = RowAxis(m);
  const int right = plot_.left + plot_.width, bottom = plot_.top + plot_.height;
  if (x < plot_.left || x >= right || y < plot_.top - (Waterfall() ? slantY_ : 0) || y >= bottom) return {};
  char b[200];
  if (Waterfall()) {
    // The front row's column and value.
    const int span = lastCol_ - firstCol_,
              t = int(int64_t(x - plot_.left) * span / std::max(plot_.width - 1, 1));
    const int col = m.ColumnDirection < 0 ? lastCol_ - t : firstCol_ + t;
    const double v = Min + (bottom - y) / ky_;
    std::snprintf(b, sizeof b, "x : %d (%.5g)   v : %5.2e", col, cols.At(col), v);
    return b;
  }
  const int nc = lastCol_ - firstCol_ + 1, nr = lastRow_ - firstRow_ + 1;
  const int tc = int(int64_t(x - plot_.left) * nc / plot_.width);
  const int tr = int(int64_t(m.RowDirection < 0 ? y - plot_.top : bottom - 1 - y) * nr / plot_.height);
  const int col = m.ColumnDirection < 0 ? lastCol_ - tc : firstCol_ + tc;
  const int row = firstRow_ + tr;
  const float v = p_.Matrix[size_t(row) * size_t(nx_) + size_t(col)];
  std::snprintf(b, sizeof b, "x : %d (%.5g)   y : %d (%.5g)   v : %5.2e", col, cols.At(col), row,
                rows.At(row), double(v));
  return b;
}

void TDispl2D::DrawReadOut() {
  platform::Canvas& dc = *surface_;
  dc.SetXor(false);
  dc.FillRect(0, ClientH - 16, ClientW, ClientH, Background());
  dc.SetFont(ScaleFont(p_));
  dc.SetTextColor(0);
  dc.Text({ml_, ClientH - 2}, ReadOut(posX_, posY_), platform::HAlign::Left, platform::VAlign::Bottom);
}

}  // namespace graph
