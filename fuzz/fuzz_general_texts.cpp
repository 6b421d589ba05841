// Reads arbitrary bytes as a general text file and formats its first entries
// with arguments of every kind, as the program does with texts from disk.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "state/GeneralTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  state::GeneralTexts texts;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  if (texts.Parse(content) != state::TextFileStatus::Ok) return 0;
  size_t count = texts.Count() < 16 ? texts.Count() : 16;
  for (size_t n = 0; n < count; ++n) {
    int i = int(n);
    (void)texts.Format(i, {});
    (void)texts.Format(i, {-1});
    (void)texts.Format(i, {2.5e300});
    (void)texts.Format(i, {"text"});
    (void)texts.Format(i, {42L, -0.0, "a", 7u});
    (void)texts.Format(i, {1, 2, 3, 4, 5, 6, 7, 8});
    std::string kinds;
    (void)state::ConversionKinds(texts.Get(i), kinds);
  }
  return 0;
}
