#include "app/ValueDialogPainting.h"

namespace app {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kBoxFace = 0xE0E0E0;
constexpr uint32_t kShadow = 0x808080;

void RaisedBox(platform::Canvas& c, int left, int top, int right, int bottom) {
  c.FillRect(left, top, right, bottom, kBoxFace);
  c.SetPen(kWhite, 2);
  c.Line({left, bottom}, {left, top});
  c.Line({left, top}, {right, top});
  c.SetPen(kShadow, 2);
  c.Line({right, top}, {right, bottom});
  c.Line({right, bottom}, {left, bottom});
}

}  // namespace

void PaintValueDialog(platform::Canvas& c, std::string_view title, std::string_view brand,
                      std::string_view value) {
  c.FillRect(0, 0, c.Width(), c.Height(), kValueBackground);
  c.FillRect(0, 0, c.Width(), kValueTitleHeight, kValueTitleBar);
  c.SetFont(platform::Font{16, 7, 700, 0, "Arial"});
  c.SetTextColor(kWhite);
  c.Text({6, kValueTitleHeight / 2}, title, platform::HAlign::Left, platform::VAlign::Center);
  c.SetTextColor(kYellow);
  c.Text({c.Width() - 6, kValueTitleHeight / 2}, brand, platform::HAlign::Right, platform::VAlign::Center);

  RaisedBox(c, kValueBoxLeft, kValueBoxTop, kValueBoxRight, kValueBoxBottom);
  c.SetFont(platform::Font{32, 14, 700, 0, "Arial"});
  c.SetTextColor(kValueTitleBar);
  c.Text({(kValueBoxLeft + kValueBoxRight) / 2, (kValueBoxTop + kValueBoxBottom) / 2}, value,
         platform::HAlign::Center, platform::VAlign::Center);
}

}  // namespace app
