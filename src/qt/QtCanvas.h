// The drawing seam on a QImage, with the device-context conventions the
// window models are written for: a line leaves out its end point (so an
// exclusive-or polyline does not erase its own joints), a rectangle or an
// ellipse covers left..right-1 × top..bottom-1, font sizes are character
// cells in pixels, and the exclusive-or mode applies to every drawing call
// except Bitmap, so drawing the same thing twice restores the picture.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Canvas.h"

namespace qt {

class QtCanvas : public platform::Canvas {
 public:
  // The image is drawn on in place; it should be Format_RGB32 (other
  // formats work, pixels more slowly). It must outlive the canvas.
  explicit QtCanvas(QImage& image);
  // Draws on another paint device (a printer or PDF page, an SVG picture):
  // pixels go through the painter and a 1 px pen stays 1 device pixel wide.
  // The device must outlive the canvas.
  explicit QtCanvas(QPaintDevice& device);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // The painter opens by itself on the first drawing call. End closes it:
  // call it before the image is read, copied, resized or replaced. A null
  // image is never opened; drawing on it does nothing.
  void Begin();
  void End();
  bool Active() const { return painter_.isActive(); }
  // Called whenever the painter opens, i.e. on the first drawing after the
  // image was last shown (End): the window schedules showing it again.
  void SetDrawHandler(std::function<void()> handler) { onDraw_ = std::move(handler); }

  int Width() const override { return device_ ? device_->width() : image_.width(); }
  int Height() const override { return device_ ? device_->height() : image_.height(); }

  void SetPen(uint32_t color, int width) override;
  void SetBrush(uint32_t color) override;
  void SetNullBrush() override;
  void SetFont(const platform::Font& font) override;
  void SetTextColor(uint32_t color) override;
  void SetXor(bool on) override;

  void Line(platform::Point a, platform::Point b) override;
  void Polyline(const std::vector<platform::Point>& points) override;
  void Polygon(const std::vector<platform::Point>& points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void FillRect(int left, int top, int right, int bottom, uint32_t color) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Pixel(platform::Point p, uint32_t color) override;
  int Text(platform::Point p, std::string_view text, platform::HAlign h, platform::VAlign v) override;
  int TextWidth(std::string_view text) override;
  void Bitmap(platform::Point p, std::string_view name) override;
  void StretchImage(int left, int top, int right, int bottom, const uint32_t* pixels, int width,
                    int height) override;

  // 0x00BBGGRR to Qt's 0xAARRGGBB, opaque.
  static QRgb ToQRgb(uint32_t color);

 private:
  bool Ready();  // opens the painter when needed; false for a null image
  void ApplyState();
  const QPoint* Points(const std::vector<platform::Point>& points);

  QImage noImage_;  // the image of a canvas on another device
  QImage& image_;
  QPaintDevice* device_ = nullptr;
  QPainter painter_;
  std::function<void()> onDraw_;
  // The image's pixels while the painter is open (the same memory it paints).
  uchar* bits_ = nullptr;
  qsizetype bytesPerLine_ = 0;
  bool fastPixels_ = false;

  QPen pen_;
  QBrush brush_;
  QColor textColor_;
  bool xor_ = false;
  platform::Font font_;
  QFont qfont_;
  QFontMetrics metrics_;
  // Painting switches between a few fonts over and over; building one
  // means measuring it, so the last few are kept.
  struct KnownFont {
    platform::Font key;
    QFont font;
    QFontMetrics metrics;
  };
  std::vector<KnownFont> known_;
  std::vector<QPoint> buffer_;  // reused by the polyline and polygon calls
};

// Draws a window model (anything with Surface, SetSurface, SetClientSize and
// Paint) whole onto `image`, then gives it its own surface back.
template <class Window>
void RenderOnImage(Window& w, QImage& image) {
  platform::Canvas* previous = &w.Surface();
  {
    QtCanvas canvas(image);
    w.SetSurface(&canvas);
    w.SetClientSize(std::max(1, image.width()), std::max(1, image.height()));
    w.Paint();
    w.SetSurface(previous);
  }
}

}  // namespace qt
