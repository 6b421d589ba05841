#include "qt/QtCanvas.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qt {
namespace {

// Coordinates beyond any surface are pulled in so that sizes computed from
// them cannot overflow; the model keeps its own within ±32000.
constexpr int kFar = 1 << 22;
constexpr int kMaxFontPx = 2000;
constexpr int kMaxPenWidth = 100;
constexpr size_t kKnownFonts = 8;

int Near(int v) { return std::clamp(v, -kFar, kFar); }

QColor ToQColor(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

// A character cell of `height` pixels (ascent + descent) and an average
// character `width`, as the window models give font sizes.
QFont MakeFont(const platform::Font& f) {
  QFont font(QString::fromUtf8(f.face.data(), qsizetype(f.face.size())));
  font.setStyleStrategy(QFont::PreferDefault);
  const int cell =
      f.height == 0 ? 16 : int(std::clamp<int64_t>(std::llabs(int64_t(f.height)), 1, kMaxFontPx));
  font.setPixelSize(cell);
  const int natural = QFontMetrics(font).height();
  if (natural > 0 && natural != cell)
    font.setPixelSize(std::max(1, int(std::lround(double(cell) * cell / natural))));
  font.setWeight(f.weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(f.weight, 1, 1000)));
  if (f.width > 0) {
    const int average = QFontMetrics(font).averageCharWidth();
    if (average > 0)
      font.setStretch(std::clamp(int(std::lround(100.0 * std::min(f.width, kMaxFontPx) / average)), 1, 4000));
  }
  return font;
}

bool SameSize(const platform::Font& a, const platform::Font& b) {
  return a.height == b.height && a.width == b.width && a.weight == b.weight && a.face == b.face;
}

// Normalised box left..right-1 × top..bottom-1; false when it is empty.
bool Box(int& l, int& t, int& r, int& b) {
  l = Near(l), t = Near(t), r = Near(r), b = Near(b);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return r > l && b > t;
}

}  // namespace

QtCanvas::QtCanvas(QImage& image)
    : image_(image), pen_(QColor(0, 0, 0)), brush_(Qt::white), textColor_(0, 0, 0), metrics_(QFont()) {
  pen_.setCosmetic(true);
  pen_.setCapStyle(Qt::FlatCap);
  qfont_ = MakeFont(font_);
  metrics_ = QFontMetrics(qfont_);
}

QtCanvas::QtCanvas(QPaintDevice& device) : QtCanvas(noImage_) {
  device_ = &device;
  pen_.setCosmetic(false);
  pen_.setWidth(1);
}

QtCanvas::~QtCanvas() { End(); }

QRgb QtCanvas::ToQRgb(uint32_t c) { return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

void QtCanvas::Begin() {
  if (painter_.isActive() || (!device_ && image_.isNull())) return;
  if (!painter_.begin(device_ ? device_ : &image_)) return;
  const QImage::Format f = image_.format();
  fastPixels_ = !device_ && (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
                             f == QImage::Format_ARGB32_Premultiplied);
  // Asked after the painter opened: the memory it paints, never a copy.
  bits_ = device_ ? nullptr : image_.bits();
  bytesPerLine_ = image_.bytesPerLine();
  ApplyState();
  if (onDraw_) onDraw_();
}

void QtCanvas::End() {
  if (painter_.isActive()) painter_.end();
  bits_ = nullptr;
}

bool QtCanvas::Ready() {
  if (!painter_.isActive()) Begin();
  return painter_.isActive();
}

void QtCanvas::ApplyState() {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  // Smoothed glyph edges would not be plain colours under exclusive-or.
  painter_.setRenderHint(QPainter::TextAntialiasing, !xor_);
  painter_.setCompositionMode(xor_ ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
  painter_.setPen(pen_);
  painter_.setBrush(brush_);
  painter_.setFont(qfont_);
}

void QtCanvas::SetPen(uint32_t color, int width) {
  width = std::clamp(width, 0, kMaxPenWidth);
  pen_ = QPen(ToQColor(color));
  if (width <= 1 && device_) {
    pen_.setWidth(1);
  } else if (width <= 1) {
    pen_.setCosmetic(true);
    pen_.setCapStyle(Qt::FlatCap);
  } else {
    pen_.setWidth(width);
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
  }
  if (painter_.isActive()) painter_.setPen(pen_);
}

void QtCanvas::SetBrush(uint32_t color) {
  brush_ = QBrush(ToQColor(color));
  if (painter_.isActive()) painter_.setBrush(brush_);
}

void QtCanvas::SetNullBrush() {
  brush_ = QBrush(Qt::NoBrush);
  if (painter_.isActive()) painter_.setBrush(brush_);
}

void QtCanvas::SetFont(const platform::Font& font) {
  const bool same = SameSize(font, font_);
  font_ = font;  // the angle may differ
  if (same) return;
  auto it =
      std::find_if(known_.begin(), known_.end(), [&](const KnownFont& k) { return SameSize(k.key, font); });
  if (it == known_.end()) {
    if (known_.size() >= kKnownFonts) known_.erase(known_.begin());
    QFont made = MakeFont(font);
    known_.push_back({font, made, QFontMetrics(made)});
    it = known_.end() - 1;
  }
  qfont_ = it->font;
  metrics_ = it->metrics;
  if (painter_.isActive()) painter_.setFont(qfont_);
}

void QtCanvas::SetTextColor(uint32_t color) { textColor_ = ToQColor(color); }

void QtCanvas::SetXor(bool on) {
  xor_ = on;
  if (painter_.isActive()) ApplyState();
}

const QPoint* QtCanvas::Points(const std::vector<platform::Point>& points) {
  if (buffer_.size() < points.size()) buffer_.resize(points.size());
  QPoint* out = buffer_.data();
  for (size_t i = 0; i < points.size(); ++i) out[i] = QPoint(Near(points[i].x), Near(points[i].y));
  return out;
}

void QtCanvas::Line(platform::Point a, platform::Point b) {
  if (!Ready()) return;
  painter_.drawLine(QPoint(Near(a.x), Near(a.y)), QPoint(Near(b.x), Near(b.y)));
}

void QtCanvas::Polyline(const std::vector<platform::Point>& points) {
  if (points.size() < 2 || !Ready()) return;
  painter_.drawPolyline(Points(points), int(std::min<size_t>(points.size(), INT32_MAX)));
}

void QtCanvas::Polygon(const std::vector<platform::Point>& points) {
  if (points.size() < 2 || !Ready()) return;
  painter_.drawPolygon(Points(points), int(std::min<size_t>(points.size(), INT32_MAX)), Qt::OddEvenFill);
}

void QtCanvas::Rectangle(int l, int t, int r, int b) {
  if (!Box(l, t, r, b) || !Ready()) return;
  if (r - l == 1 || b - t == 1) {  // too thin for an outline and an inside
    painter_.fillRect(QRect(l, t, r - l, b - t), pen_.color());
    return;
  }
  painter_.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

void QtCanvas::FillRect(int l, int t, int r, int b, uint32_t color) {
  if (!Box(l, t, r, b) || !Ready()) return;
  painter_.fillRect(QRect(l, t, r - l, b - t), ToQColor(color));
}

void QtCanvas::Ellipse(int l, int t, int r, int b) {
  if (!Box(l, t, r, b) || !Ready()) return;
  painter_.drawEllipse(QRect(l, t, std::max(1, r - l - 1), std::max(1, b - t - 1)));
}

void QtCanvas::Pixel(platform::Point p, uint32_t color) {
  if (p.x < 0 || p.y < 0 || p.x >= Width() || p.y >= Height() || !Ready()) return;
  if (!fastPixels_ || !bits_) {
    painter_.setPen(QPen(ToQColor(color), 0));
    painter_.drawPoint(p.x, p.y);
    painter_.setPen(pen_);
    return;
  }
  // A trace of points sets a pixel per sample: written straight into the
  // memory the painter works on.
  auto* px = reinterpret_cast<QRgb*>(bits_ + p.y * bytesPerLine_) + p.x;
  if (xor_)
    *px ^= ToQRgb(color) & 0x00FFFFFFu;
  else
    *px = ToQRgb(color);
}

int QtCanvas::TextWidth(std::string_view text) {
  return metrics_.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int QtCanvas::Text(platform::Point p, std::string_view text, platform::HAlign h, platform::VAlign v) {
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const int width = metrics_.horizontalAdvance(s);
  if (s.isEmpty() || !Ready()) return width;
  // The alignment is taken in the text's own (possibly turned) frame.
  const int dx = h == platform::HAlign::Left ? 0 : h == platform::HAlign::Center ? -width / 2 : -width;
  const int ascent = metrics_.ascent(), descent = metrics_.descent();
  const int baseline = v == platform::VAlign::Top      ? ascent
                       : v == platform::VAlign::Center ? (ascent - descent) / 2
                                                       : -descent;
  painter_.setPen(textColor_);
  if (font_.angleTenths % 3600 == 0) {
    painter_.drawText(Near(p.x) + dx, Near(p.y) + baseline, s);
  } else {
    // Counter-clockwise on the screen, whose y axis points down.
    painter_.translate(Near(p.x), Near(p.y));
    painter_.rotate(-(font_.angleTenths % 3600) / 10.0);
    painter_.drawText(dx, baseline, s);
    painter_.resetTransform();
  }
  painter_.setPen(pen_);
  return width;
}

void QtCanvas::Bitmap(platform::Point p, std::string_view name) {
  const bool above = name == "off_range_above", below = name == "off_range_below";
  if (!(above || below) || !Ready()) return;  // no picture of that name
  // The off-range indicator: a yellow plate with an arrow towards the trace.
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const int x = Near(p.x), y = Near(p.y), w = 140, hgt = 36;
  painter_.setPen(QPen(Qt::black, 0));
  painter_.setBrush(QColor(255, 255, 0));
  painter_.drawRect(x, y, w - 1, hgt - 1);
  painter_.setBrush(Qt::black);
  const int cx = x + w / 2, tip = above ? y + 6 : y + hgt - 7, base = above ? y + hgt - 10 : y + 9;
  const QPoint arrow[3] = {{cx, tip}, {cx - 14, base}, {cx + 14, base}};
  painter_.drawPolygon(arrow, 3);
  painter_.restore();
}

void QtCanvas::StretchImage(int l, int t, int r, int b, const uint32_t* pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0 || !Box(l, t, r, b) || !Ready()) return;
  // Little-endian RGBX bytes are exactly 0x00BBGGRR words: no copy, no conversion.
  const QImage source(reinterpret_cast<const uchar*>(pixels), width, height, qsizetype(width) * 4,
                      QImage::Format_RGBX8888);
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.drawImage(QRect(l, t, r - l, b - t), source);
  painter_.restore();
}

}  // namespace qt
