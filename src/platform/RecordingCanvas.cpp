#include "platform/RecordingCanvas.h"

#include <algorithm>
#include <cstdio>

namespace platform {
namespace {

std::string Hex(uint32_t c) {
  char b[16];
  std::snprintf(b, sizeof b, "%06X", unsigned(c));
  return b;
}

std::string Pt(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string Box(int l, int t, int r, int b) { return Pt({l, t}) + "-" + Pt({r, b}); }

std::string Points(const char* op, const std::vector<Point>& points) {
  std::string s = op;
  for (const Point& p : points) s += " " + Pt(p);
  return s;
}

}  // namespace

void RecordingCanvas::SetPen(uint32_t color, int width) {
  state_.penColor = color;
  state_.penWidth = width;
  Add("SetPen " + Hex(color) + " " + std::to_string(width));
}

void RecordingCanvas::SetBrush(uint32_t color) {
  state_.brushColor = color;
  state_.nullBrush = false;
  Add("SetBrush " + Hex(color));
}

void RecordingCanvas::SetNullBrush() {
  state_.nullBrush = true;
  Add("SetNullBrush");
}

void RecordingCanvas::SetFont(const Font& font) {
  state_.font = font;
  Add("SetFont " + std::to_string(font.height) + "x" + std::to_string(font.width) + " " +
      std::to_string(font.weight) + " " + std::to_string(font.angleTenths) + " " + font.face);
}

void RecordingCanvas::SetTextColor(uint32_t color) {
  state_.textColor = color;
  Add("SetTextColor " + Hex(color));
}

void RecordingCanvas::SetXor(bool on) {
  state_.xorMode = on;
  Add(on ? "SetXor 1" : "SetXor 0");
}

void RecordingCanvas::Line(Point a, Point b) { Add("Line " + Pt(a) + "-" + Pt(b)); }
void RecordingCanvas::Polyline(const std::vector<Point>& points) { Add(Points("Polyline", points)); }
void RecordingCanvas::Polygon(const std::vector<Point>& points) { Add(Points("Polygon", points)); }
void RecordingCanvas::Rectangle(int l, int t, int r, int b) { Add("Rectangle " + Box(l, t, r, b)); }
void RecordingCanvas::FillRect(int l, int t, int r, int b, uint32_t color) {
  Add("FillRect " + Box(l, t, r, b) + " " + Hex(color));
}
void RecordingCanvas::Ellipse(int l, int t, int r, int b) { Add("Ellipse " + Box(l, t, r, b)); }
void RecordingCanvas::Pixel(Point p, uint32_t color) { Add("Pixel " + Pt(p) + " " + Hex(color)); }

int RecordingCanvas::Text(Point p, std::string_view text, HAlign h, VAlign v) {
  static const char* kH[] = {"L", "C", "R"};
  static const char* kV[] = {"T", "C", "B"};
  Add("Text " + Pt(p) + " " + kH[int(h)] + kV[int(v)] + " \"" + std::string(text) + "\"");
  return TextWidth(text);
}

int RecordingCanvas::TextWidth(std::string_view text) {
  int chars =
      int(std::count_if(text.begin(), text.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; }));
  return chars * state_.font.width;
}

void RecordingCanvas::Bitmap(Point p, std::string_view name) {
  Add("Bitmap " + Pt(p) + " " + std::string(name));
}

void RecordingCanvas::StretchImage(int l, int t, int r, int b, const uint32_t* pixels, int width,
                                   int height) {
  Add("StretchImage " + Box(l, t, r, b) + " " + std::to_string(width) + "x" + std::to_string(height));
  image_.assign(pixels, pixels + (width > 0 && height > 0 ? size_t(width) * size_t(height) : 0));
}

int RecordingCanvas::Count(std::string_view prefix) const {
  return int(std::count_if(ops_.begin(), ops_.end(),
                           [&](const std::string& s) { return s.compare(0, prefix.size(), prefix) == 0; }));
}

}  // namespace platform
