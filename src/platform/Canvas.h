// The drawing seam: what a window draws on its surface. Colours are
// 0x00BBGGRR as in the colour records; coordinates are surface pixels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Point {
  int x = 0, y = 0;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct Font {
  int height = 16, width = 7, weight = 400;
  int angleTenths = 0;  // rotation, tenths of a degree counter-clockwise
  std::string face = "Arial";
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPen(uint32_t color, int width) = 0;
  virtual void SetBrush(uint32_t color) = 0;
  virtual void SetNullBrush() = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColor(uint32_t color) = 0;
  virtual void SetXor(bool on) = 0;  // exclusive-or raster operation

  virtual void Line(Point a, Point b) = 0;
  virtual void Polyline(const std::vector<Point>& points) = 0;
  virtual void Polygon(const std::vector<Point>& points) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void FillRect(int left, int top, int right, int bottom, uint32_t color) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void Pixel(Point p, uint32_t color) = 0;
  // Draws text aligned to p; answers its width in pixels.
  virtual int Text(Point p, std::string_view text, HAlign h, VAlign v) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual void Bitmap(Point p, std::string_view name) = 0;  // a named program image
  // Stretches an image of width × height pixels (0x00BBGGRR, rows top first)
  // into left..right-1 × top..bottom-1, each pixel as a block (no smoothing).
  virtual void StretchImage(int left, int top, int right, int bottom, const uint32_t* pixels, int width,
                            int height) = 0;
};

}  // namespace platform
