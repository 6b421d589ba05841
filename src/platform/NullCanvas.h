// A Canvas for windows nobody looks at (the headless program): it draws
// nothing and keeps nothing, so a window may repaint for hours in constant
// memory. It answers its size and text widths as RecordingCanvas does
// (characters times the font width), so layouts come out the same.
#pragma once

#include "platform/Canvas.h"

namespace platform {

class NullCanvas : public Canvas {
 public:
  NullCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) {
    width_ = width;
    height_ = height;
  }

  void SetPen(uint32_t, int) override {}
  void SetBrush(uint32_t) override {}
  void SetNullBrush() override {}
  void SetFont(const Font& font) override { fontWidth_ = font.width; }
  void SetTextColor(uint32_t) override {}
  void SetXor(bool) override {}

  void Line(Point, Point) override {}
  void Polyline(const std::vector<Point>&) override {}
  void Polygon(const std::vector<Point>&) override {}
  void Rectangle(int, int, int, int) override {}
  void FillRect(int, int, int, int, uint32_t) override {}
  void Ellipse(int, int, int, int) override {}
  void Pixel(Point, uint32_t) override {}
  int Text(Point, std::string_view text, HAlign, VAlign) override { return TextWidth(text); }
  int TextWidth(std::string_view text) override;
  void Bitmap(Point, std::string_view) override {}
  void StretchImage(int, int, int, int, const uint32_t*, int, int) override {}

 private:
  int width_, height_;
  int fontWidth_ = Font{}.width;
};

}  // namespace platform
