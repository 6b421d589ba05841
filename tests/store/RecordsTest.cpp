#include <gtest/gtest.h>

#include <cstring>

#include "store/Defaults.h"

namespace {

TEST(Defaults, StoredFieldsSitWhereFilesExpectThem) {
  // Display flags are little-endian at offset 162 of the channel record.
  const auto* bytes = reinterpret_cast<const uint8_t*>(&store::CG0);
  EXPECT_EQ(bytes[162], 0x40);
  EXPECT_EQ(bytes[163], 0x0C);
  EXPECT_EQ(std::memcmp(store::IG0.IdText, "TARVELIN, B 3.0,7/95", 20), 0);
}

TEST(Defaults, PrefixTableStaysInBoundsForAnyCode) {
  const struct {
    int code;
    const char* unit;
  } cases[] = {{1, "No U"}, {0, "No U"}, {-3, "No U"}, {99, "No U"}, {2, "micro"}, {6, "mega"}, {104, " "}};
  for (const auto& c : cases) EXPECT_STREQ(store::PrefixEntry(c.code), c.unit) << c.code;
}

}  // namespace
