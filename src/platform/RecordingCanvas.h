// A Canvas that draws nothing and records every drawing call as a readable
// line ("Line 1,2-3,4"), so graph tests can check what a window drew and
// with which pen. Queries (Width, Height, TextWidth) are not recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace platform {

class RecordingCanvas : public Canvas {
 public:
  struct State {
    uint32_t penColor = 0;
    int penWidth = 1;
    uint32_t brushColor = 0xFFFFFF;
    bool nullBrush = false;
    Font font;
    uint32_t textColor = 0;
    bool xorMode = false;
  };

  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SetPen(uint32_t color, int width) override;
  void SetBrush(uint32_t color) override;
  void SetNullBrush() override;
  void SetFont(const Font& font) override;
  void SetTextColor(uint32_t color) override;
  void SetXor(bool on) override;

  void Line(Point a, Point b) override;
  void Polyline(const std::vector<Point>& points) override;
  void Polygon(const std::vector<Point>& points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void FillRect(int left, int top, int right, int bottom, uint32_t color) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Pixel(Point p, uint32_t color) override;
  int Text(Point p, std::string_view text, HAlign h, VAlign v) override;
  // Characters (UTF-8 code points) times the font width.
  int TextWidth(std::string_view text) override;
  void Bitmap(Point p, std::string_view name) override;
  // Recorded as "StretchImage l,t-r,b WxH"; the pixels of the last one are kept.
  void StretchImage(int left, int top, int right, int bottom, const uint32_t* pixels, int width,
                    int height) override;

  const std::vector<std::string>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // Number of recorded lines that start with `prefix`.
  int Count(std::string_view prefix) const;
  const State& Current() const { return state_; }
  const std::vector<uint32_t>& LastImage() const { return image_; }

 private:
  void Add(std::string op) { ops_.push_back(std::move(op)); }

  int width_, height_;
  State state_;
  std::vector<std::string> ops_;
  std::vector<uint32_t> image_;
};

}  // namespace platform
