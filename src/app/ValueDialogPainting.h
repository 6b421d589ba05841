// What the value entry dialogs draw behind their controls: the light
// background, the dark blue title bar with the title and the program's name,
// and the raised box that shows the value.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Canvas.h"

namespace app {

inline constexpr uint32_t kValueBackground = 0xCDDCFF;  // 0x00BBGGRR
inline constexpr uint32_t kValueTitleBar = 0x800000;
inline constexpr int kValueTitleHeight = 24;
inline constexpr int kValueBoxLeft = 139, kValueBoxTop = 29, kValueBoxRight = 385, kValueBoxBottom = 81;

// `brand` is general text 1143, drawn in yellow at the right of the title bar.
void PaintValueDialog(platform::Canvas& c, std::string_view title, std::string_view brand,
                      std::string_view value);

}  // namespace app
