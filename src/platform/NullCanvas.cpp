#include "platform/NullCanvas.h"

#include <algorithm>

namespace platform {

int NullCanvas::TextWidth(std::string_view text) {
  // UTF-8 continuation bytes do not start a character.
  const auto chars =
      std::count_if(text.begin(), text.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; });
  return int(chars) * fontWidth_;
}

}  // namespace platform
