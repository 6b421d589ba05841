// The matrix display's life: opening and closing, the counts and index
// windows taken from the header, the layout and the whole repaint.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "files/Printing.h"
#include "graph/MatrixDisplay.h"
#include "platform/NullCanvas.h"
#include "state/ExitRequest.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace graph {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kGrey = 0xC0C0C0, kBlack = 0, kShadow = 0x808080;
constexpr int kButtonsBottom = kMatrixButtonY + kMatrixButtonH;
constexpr int kLegendW = 110;  // the legend strip and its labels right of the colour map

}  // namespace

void OK_Index(int& first, int& last, int count) {
  const int end = std::max(count - 1, 0);
  if (first < 0 || first > end) first = 0;
  if (last < 0 || last > end) last = end;
  // Five indices at least: the halving button on nine keeps five, on five
  // it gives the whole range back.
  if (last - first < 4) {
    first = 0;
    last = end;
  }
}

TDispl2D::TDispl2D(state::Program& p, const std::string& title)
    : p_(p), caption_(title), ownSurface_(std::make_unique<platform::NullCanvas>(ClientW, ClientH)) {
  surface_ = ownSurface_.get();
}

TDispl2D::~TDispl2D() = default;

void TDispl2D::SetSurface(platform::Canvas* canvas) { surface_ = canvas ? canvas : ownSurface_.get(); }

void TDispl2D::SetClientSize(int width, int height) {
  ClientW = std::max(width, 1);
  ClientH = std::max(height, 1);
  static_cast<platform::NullCanvas&>(*ownSurface_).Resize(ClientW, ClientH);
}

int32_t TDispl2D::Mode() const { return p_.Mat[0].Mode; }

bool TDispl2D::Waterfall() const { return Mode() == kMatHidden || Mode() == kMatLines; }

bool TDispl2D::TooSmall() const {
  if (!p_.Mat) return true;
  const store::Mat_s& m = p_.Mat[0];
  if (m.Columns < 2 || m.Rows < 2) return true;
  // A header that counts more values than there are must not be read past.
  return p_.Matrix.size() < size_t(m.Columns) * size_t(m.Rows);
}

bool TDispl2D::Nastav(bool resetRange) {
  if (TooSmall()) return false;
  store::Mat_s& m = p_.Mat[0];
  nx_ = m.Columns;
  ny_ = m.Rows;
  if (resetRange) {
    Max = m.ValueMax;
    Min = m.ValueMin;
    if (!std::isfinite(Max) || !std::isfinite(Min)) Autoscale();
  }
  firstCol_ = m.FirstColumn, lastCol_ = m.LastColumn;
  firstRow_ = m.FirstRow, lastRow_ = m.LastRow;
  OK_Index(firstCol_, lastCol_, nx_);
  OK_Index(firstRow_, lastRow_, ny_);
  m.FirstColumn = int16_t(firstCol_), m.LastColumn = int16_t(lastCol_);
  m.FirstRow = int16_t(firstRow_), m.LastRow = int16_t(lastRow_);
  try {
    buffer_.reserve(size_t(2 * nx_ + 3));
  } catch (const std::bad_alloc&) {
    state::ExitTRV(p_);
    return false;
  }
  return true;
}

uint32_t TDispl2D::Background() const { return p_.FULL_MATRIX ? kGrey : kWhite; }

void TDispl2D::Layout() {
  const store::Mat_s& m = p_.Mat[0];
  const bool waterfall = Waterfall();
  ml_ = 78;
  mt_ = kButtonsBottom + 16;
  mr_ = waterfall ? 24 : (p_.FULL_MATRIX ? kLegendW : 24);
  mb_ = 56;
  const int availW = std::max(ClientW - ml_ - mr_, 1), availH = std::max(ClientH - mt_ - mb_, 1);
  slantX_ = slantY_ = 0;
  if (waterfall && m.Perspective < 1.6f) {
    // Header factors are clamped: the farthest row must stay in the window.
    const double persp = std::clamp(double(m.Perspective), 0.0, 1.6);
    const double spacing = std::isfinite(m.RowSpacing) ? std::clamp(double(m.RowSpacing), 0.0, 1.5) : 0.0;
    slantX_ = int(availW * persp * 0.25);
    slantY_ = int(availH * spacing * 0.4);
  }
  plot_.left = ml_;
  plot_.top = mt_ + slantY_;
  plot_.width = std::max(availW - slantX_, 1);
  plot_.height = std::max(availH - slantY_, 1);
  const int rows = std::max(lastRow_ - firstRow_, 1);
  shiftX_ = double(slantX_) / rows;
  shiftY_ = double(slantY_) / rows;
  kx_ = double(lastCol_ - firstCol_) / plot_.width;
  if (!(double(Max) - double(Min) >= 1e-11)) {
    // A constant matrix (or a range given upside down) gets a unit range;
    // far from zero a float needs a larger step to change at all.
    SetRange(Min + std::max(1.0f, std::abs(Min) * 1e-6f), Min);
  }
  ky_ = plot_.height / (double(Max) - double(Min));
}

void TDispl2D::SetRange(float max, float min) {
  Max = max;
  Min = min;
  p_.Mat[0].ValueMax = max;
  p_.Mat[0].ValueMin = min;
}

void TDispl2D::Autoscale() {
  const size_t n = size_t(nx_) * size_t(ny_);
  float hi = -std::numeric_limits<float>::infinity(), lo = std::numeric_limits<float>::infinity();
  for (size_t i = 0; i < n && i < p_.Matrix.size(); ++i) {
    const float v = p_.Matrix[i];
    if (!std::isfinite(v)) continue;  // a hole in the data is no range
    hi = std::max(hi, v);
    lo = std::min(lo, v);
  }
  if (hi < lo) hi = 1, lo = 0;
  SetRange(hi, lo);
}

bool TDispl2D::Interrupted() { return !print_ && p_.plat.ui && p_.ui().InputPending(); }

bool TDispl2D::PrinterDispl(int phase) {
  // Checked first: a matrix too small would close this window from inside the drawing.
  if (TooSmall()) {
    state::MessT(p_, 731, 13);
    return false;
  }
  return files::PrintDrawing(p_, phase, [this](platform::Canvas& page) {
    platform::Canvas* screen = surface_;
    const int w = ClientW, h = ClientH;
    surface_ = &page;
    ClientW = std::max(page.Width(), 1);
    ClientH = std::max(page.Height(), 1);
    print_ = true;
    (void)Displ();
    print_ = false;
    surface_ = screen;
    ClientW = w, ClientH = h;
    Layout();
  });
}

void TDispl2D::CloseWindow() {
  // The program's slot owns this object: it goes last.
  if (p_.MatrixWin.get() == this) CloseMatrixDisplay(p_);
}

bool TDispl2D::Displ() {
  if (painting_) {
    // Asked again from inside the input check of a drawing in progress.
    paintAgain_ = true;
    return true;
  }
  if (!Nastav(false)) {
    state::MessT(p_, 731, 13);
    CloseWindow();
    return false;
  }
  painting_ = true;
  complete_ = false;
  Layout();
  platform::Canvas& dc = *surface_;
  const uint32_t bg = Background();
  dc.SetXor(false);
  dc.FillRect(0, 0, ClientW, ClientH, bg);
  const int right = plot_.left + plot_.width, bottom = plot_.top + plot_.height;
  if (Waterfall()) {
    // A raised border around the whole drawing area.
    const int l = ml_ - 2, t = mt_ - 2, r = right + slantX_ + 2, b = bottom + 2;
    dc.SetPen(kWhite, 1);
    dc.Line({l, b}, {l, t});
    dc.Line({l, t}, {r, t});
    dc.SetPen(kShadow, 1);
    dc.Line({r, t}, {r, b});
    dc.Line({r, b}, {l - 1, b});
  } else {
    dc.SetPen(kBlack, 1);
    dc.SetNullBrush();
    dc.Rectangle(plot_.left - 1, plot_.top - 1, right + 1, bottom + 1);
  }
  PaintVScale();
  PaintScale();
  PaintTimeScale();
  complete_ = Waterfall() ? PaintWaterfall() : Paint2DColor();
  if (hasPosition_) DrawReadOut();
  painting_ = false;
  return true;
}

void TDispl2D::Paint() { (void)Displ(); }

void TDispl2D::Timer() {
  if (!paintAgain_ || painting_) return;
  paintAgain_ = false;
  (void)Displ();
}

void TDispl2D::UserMessage(int code, int) {
  if (code >= kMatSave && code <= kMatBlackWhite) (void)EvCommand(code);
}

void TDispl2D::KeyDown(int key, int modifiers) {
  constexpr int kShiftKey = 0x10, kCtrlKey = 0x11;
  modifiers_ = modifiers;
  if (key == kShiftKey) modifiers_ |= 1;
  if (key == kCtrlKey) modifiers_ |= 2;
}

void TDispl2D::KeyUp(int key) {
  if (key == 0x10) modifiers_ &= ~1;
  if (key == 0x11) modifiers_ &= ~2;
}

void ShowMatrixDisplay(state::Program& p) {
  if (p.MatrixWin) {
    auto* w = static_cast<TDispl2D*>(p.MatrixWin.get());
    if (w->Nastav(true)) {
      (void)w->Displ();
      if (p.MatrixWin) p.MatrixWin->Focus();
      return;
    }
    CloseMatrixDisplay(p);
  }
  auto w = std::make_unique<TDispl2D>(p, state::Lang(p, "Matice", "Matrix"));
  if (!w->Nastav(true)) {
    state::MessT(p, 731, 13);
    return;
  }
  p.MatrixWin = std::move(w);
  if (p.plat.windows) p.plat.windows->Show(*p.MatrixWin);
}

void CloseMatrixDisplay(state::Program& p) {
  if (!p.MatrixWin) return;
  if (p.plat.windows) p.plat.windows->Close(*p.MatrixWin);
  p.MatrixWin.reset();
}

}  // namespace graph
