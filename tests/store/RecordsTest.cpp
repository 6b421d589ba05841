#include <gtest/gtest.h>

#include "store/Defaults.h"

namespace {

TEST(Defaults, PrefixTableStaysInBoundsForAnyCode) {
  const struct {
    int code;
    const char* unit;
  } cases[] = {{0, "No U"}, {-3, "No U"}, {99, "No U"}, {104, " "}};
  for (const auto& c : cases) EXPECT_STREQ(store::PrefixEntry(c.code), c.unit) << c.code;
}

}  // namespace
