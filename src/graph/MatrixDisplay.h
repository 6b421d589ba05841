// `TDispl2D`, the window that shows the result matrix (`Matrix` with its
// header `Mat`) as a colour map or as a waterfall of row traces in
// perspective, as a model without any GUI. It draws through a
// platform::Canvas; a host shows the surface and the buttons along the top.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/WindowHost.h"

namespace state {
struct Program;
}

namespace graph {

// The window's commands: the buttons along the top, and 149 (save).
enum MatrixCommand : int {
  kMatSave = 149,
  kMatClose = 150,
  kMatLeft = 151,
  kMatRight = 152,
  kMatHalve = 153,
  kMatAutoscale = 154,
  kMatRangeNarrower = 155,  // "+"
  kMatRangeWider = 156,     // "-"
  kMatDouble = 157,
  kMatPrint = 158,
  kMatPerspective = 159,
  kMatMode = 160,
  kMatRangeDown = 161,  // "UP": the range's ends lowered, the picture moves up
  kMatRangeUp = 162,    // "DN"
  kMatSmooth = 163,
  kMatRedraw = 164,
  kMatSpacing = 165,
  kMatTransposeR = 166,
  kMatTransposeT = 167,
  kMatRange = 168,
  kMatNormalise = 169,
  kMatBlackWhite = 170,
};

// Display modes of the header.
inline constexpr int32_t kMatColour = 0, kMatInverted = 1, kMatHidden = 10, kMatLines = 20;

struct MatrixButton {
  int id;
  const char* label;  // nullptr: general text 20
  int x, width;
};
inline constexpr int kMatrixButtonY = 5, kMatrixButtonH = 19;
const std::vector<MatrixButton>& MatrixButtons();
std::string MatrixButtonLabel(const state::Program& p, const MatrixButton& b);

// Colour of value v on the 768-step scale from `min` in steps of `step`:
// black, red, yellow, white.
void Set2DColor(float v, float min, float step, uint8_t& r, uint8_t& g, uint8_t& b);
// The same as 0x00BBGGRR, with every component inverted when asked.
uint32_t MatrixColour(float v, float min, float step, bool inverted);

// Keeps first..last inside 0..count-1; a window narrower than five indices
// is the whole range again.
void OK_Index(int& first, int& last, int count);

class TDispl2D : public platform::GraphWindow {
 public:
  TDispl2D(state::Program& p, const std::string& title);
  ~TDispl2D() override;
  TDispl2D(const TDispl2D&) = delete;
  TDispl2D& operator=(const TDispl2D&) = delete;

  // platform::GraphWindow; a user message with a command's code runs it.
  void UserMessage(int code, int arg) override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& Caption() const override { return caption_; }
  void Paint() override;
  void Timer() override;

  // The surface drawn on; the window's own keeps nothing until a host
  // attaches one (which must outlive the window or be detached).
  void SetSurface(platform::Canvas* canvas);
  platform::Canvas& Surface() { return *surface_; }
  void SetClientSize(int width, int height);
  state::Program& Prog() { return p_; }

  // Takes the counts from the header, with resetRange also the value range,
  // and validates the index windows. False when the matrix is too small or
  // has fewer values than its header counts.
  bool Nastav(bool resetRange);
  // Lays out and draws everything. False when the window closed itself
  // (too small a matrix): the object is gone, touch nothing.
  bool Displ();
  // A button (or 149). False when the window closed: touch nothing.
  bool EvCommand(int id);
  // Modifier bookkeeping only; the window has no keys of its own.
  void KeyDown(int key, int modifiers);
  void KeyUp(int key);
  // The position read-out for client pixel (x, y), also drawn on the surface.
  std::string Pozice(int x, int y);
  // Reads a saved matrix chosen in a file dialog and shows it.
  bool OpenMatrixFile();
  // Draws the matrix on the page of a print job in the job phase given
  // (0 whole job, -1 open, 2 draw, 1 draw and close). False when nothing
  // was printed.
  bool PrinterDispl(int phase);

  // The view, for the hosts and the tests.
  float Max = 1, Min = 0;
  int ClientW = 660, ClientH = 460;
  struct Rect {
    int left = 0, top = 0, width = 1, height = 1;
  };
  // The front plot rectangle as last laid out.
  const Rect& Plot() const { return plot_; }
  bool LastDrawingComplete() const { return complete_; }
  int Modifiers() const { return modifiers_; }

 private:
  int32_t Mode() const;
  bool Waterfall() const;
  bool TooSmall() const;
  void Layout();
  uint32_t Background() const;
  void CloseWindow();
  bool Interrupted();
  void SetRange(float max, float min);
  void Autoscale();
  void PromptRange();

  // Colour map.
  bool Paint2DColor();
  void PaintLegend();
  // Waterfall: one row into the picture buffer and out.
  bool PaintWaterfall();
  void PictureBufferFilling(int row, int left, int base);
  void PictureBufferOut(int left, int base);
  int ValueY(float v, int base) const;
  platform::Point OK_xy(platform::Point pt) const;

  // Scales.
  void PaintVScale();
  void PaintScale();
  void PaintTimeScale();
  double ColumnX(double column) const;
  double RowY(double row) const;
  std::string ReadOut(int x, int y) const;
  void DrawReadOut();

  state::Program& p_;
  std::string caption_;
  std::unique_ptr<platform::Canvas> ownSurface_;
  platform::Canvas* surface_;

  int nx_ = 0, ny_ = 0;  // columns, rows
  int firstCol_ = 0, lastCol_ = 0, firstRow_ = 0, lastRow_ = 0;
  double ky_ = 1;  // pixels per value unit
  double kx_ = 1;  // columns per pixel
  int ml_ = 0, mt_ = 0, mr_ = 0, mb_ = 0;
  Rect plot_;
  int slantX_ = 0, slantY_ = 0;          // the whole perspective shift of the farthest row
  double shiftX_ = 0, shiftY_ = 0;       // per row
  std::vector<platform::Point> buffer_;  // picture buffer of one waterfall row
  std::vector<uint32_t> pixels_;         // the colour map's image
  bool print_ = false;
  bool painting_ = false, paintAgain_ = false;
  bool complete_ = false;
  int modifiers_ = 0;
  bool hasPosition_ = false;
  int posX_ = 0, posY_ = 0;
};

// Opens the matrix display (menu 319, user message 2131), or takes the
// matrix anew into the open one; a matrix too small is refused (entry 731).
void ShowMatrixDisplay(state::Program& p);
// Closes the open matrix display, if any.
void CloseMatrixDisplay(state::Program& p);

}  // namespace graph
