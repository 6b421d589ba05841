#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <tuple>

#include "qt/QtCanvas.h"

namespace {

using platform::HAlign;
using platform::Point;
using platform::VAlign;

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

QImage Blank(int w = 200, int h = 120, QRgb fill = qRgb(0, 0, 0)) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// The box of pixels that differ from `background`.
QRect Ink(const QImage& image, QRgb background) {
  int minX = INT_MAX, minY = INT_MAX, maxX = -1, maxY = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  return maxX < 0 ? QRect() : QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

TEST(QtCanvas, ColoursInTheRecordsOrderAndShapeExtents) {
  QImage image = Blank();
  qt::QtCanvas c(image);
  c.FillRect(0, 0, 10, 10, kRed);
  c.Pixel({20, 5}, kBlue);
  c.SetPen(kGreen, 1);
  c.Line({30, 5}, {40, 5});
  c.SetPen(kWhite, 1);
  c.SetBrush(0x00FFFF);  // yellow
  c.Rectangle(50, 0, 60, 10);
  c.End();
  EXPECT_EQ(std::tuple(At(image, 5, 5), At(image, 20, 5), At(image, 35, 5)),
            std::tuple(qRgb(255, 0, 0) & 0xFFFFFF, qRgb(0, 0, 255) & 0xFFFFFF, qRgb(0, 255, 0) & 0xFFFFFF));
  EXPECT_EQ(At(image, 55, 5), qRgb(255, 255, 0) & 0xFFFFFF);    // the brush inside
  EXPECT_EQ(At(image, 50, 5), qRgb(255, 255, 255) & 0xFFFFFF);  // the pen's outline

  // Shapes cover left to right - 1; lines leave out their end.
  image = Blank();
  c.FillRect(10, 10, 20, 15, kWhite);
  c.SetPen(kGreen, 1);
  c.Line({30, 40}, {40, 40});
  c.SetNullBrush();
  c.Rectangle(60, 10, 70, 20);
  c.End();
  EXPECT_EQ(std::tuple(Ink(image, 0), At(image, 20, 14), At(image, 19, 15)),
            std::tuple(QRect(QPoint(10, 10), QPoint(69, 40)), 0u, 0u));
  EXPECT_NE(At(image, 39, 40), 0u);
  EXPECT_EQ(At(image, 40, 40), 0u);
  EXPECT_NE(At(image, 69, 19), 0u);  // outline's last column and row
  EXPECT_EQ(At(image, 65, 15), 0u);  // no brush
}

// A cursor is erased by drawing it again; any pixel an exclusive-or call
// touches twice within one call, or misses the second time, stays wrong.
TEST(QtCanvas, ExclusiveOrDrawnTwiceRestoresThePicture) {
  QImage image = Blank(160, 100);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y * 2, (x + y) & 0xFF));
  const QImage before = image.copy();
  qt::QtCanvas c(image);
  auto draw = [&] {
    c.SetXor(true);
    c.SetPen(0x4BFF80, 1);
    c.Line({10, 0}, {10, 99});
    c.Line({0, 50}, {159, 50});
    c.Polyline({{0, 0}, {40, 30}, {80, 10}, {120, 90}, {159, 0}});
    c.SetPen(kWhite, 3);
    c.Line({20, 20}, {140, 80});
    c.SetBrush(kBlue);
    c.Rectangle(30, 30, 60, 60);
    c.Ellipse(70, 20, 110, 50);
    c.Polygon({{100, 60}, {150, 70}, {120, 95}});
    c.FillRect(5, 80, 40, 95, kRed);
    c.Pixel({150, 5}, kGreen);
    c.SetTextColor(kWhite);
    c.Text({60, 70}, "Xor 123", HAlign::Left, VAlign::Top);
  };
  draw();
  c.End();
  ASSERT_NE(image, before);
  // The joints of an exclusive-or polyline are drawn, not cancelled.
  EXPECT_NE(At(image, 40, 30), At(before, 40, 30));
  EXPECT_NE(At(image, 80, 10), At(before, 80, 10));
  draw();
  c.SetXor(false);
  c.End();
  EXPECT_EQ(image, before);
}

TEST(QtCanvas, HostileCallsDrawNothingWrongAndNeverCrash) {
  QImage image = Blank(50, 40);
  qt::QtCanvas c(image);
  c.SetPen(kWhite, INT_MAX);
  c.SetPen(kWhite, -5);
  c.SetFont({INT_MIN, INT_MAX, INT_MAX, INT_MIN, ""});
  c.TextWidth("\xff\xfe broken utf-8");
  c.Text({INT_MAX, INT_MIN}, "far", HAlign::Right, VAlign::Bottom);
  c.Line({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
  c.Polyline({});
  c.Polyline({{1, 1}});
  c.Polygon({{0, 0}, {INT_MAX, 0}, {0, INT_MAX}});
  c.FillRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN, kRed);
  c.Rectangle(30, 30, 30, 30);
  c.Ellipse(INT_MIN, 0, INT_MAX, 1);
  c.Pixel({-1, 0}, kRed);
  c.Pixel({50, 0}, kRed);
  c.Pixel({0, 40}, kRed);
  c.Bitmap({10, 10}, "no such picture");
  c.End();

  QImage null;
  qt::QtCanvas none(null);
  none.SetPen(kWhite, 1);
  none.Line({0, 0}, {10, 10});
  none.Pixel({0, 0}, kWhite);
  EXPECT_EQ(none.Width(), 0);
  EXPECT_FALSE(none.Active());
}

TEST(QtCanvas, OffRangeIndicatorsArePicturesOfTheirOwn) {
  const QRgb grey = qRgb(128, 128, 128);
  QImage image = Blank(300, 200, grey);
  qt::QtCanvas c(image);
  c.SetXor(true);  // pictures are copied, not combined
  c.Bitmap({10, 10}, "off_range_above");
  c.Bitmap({10, 100}, "off_range_below");
  c.End();
  const QRect ink = Ink(image, grey);
  EXPECT_EQ(std::tuple(ink.left(), ink.top()), std::tuple(10, 10));
  EXPECT_GT(ink.bottom(), 100);
  EXPECT_EQ(At(image, 12, 12), qRgb(255, 255, 0) & 0xFFFFFF);
}

}  // namespace
