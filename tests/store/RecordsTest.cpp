#include <gtest/gtest.h>

#include <cstring>

#include "store/Defaults.h"

namespace {

TEST(Defaults, HeadersHoldTheirInitialValues) {
  EXPECT_EQ(store::HGW0.IsWaveform, 1);
  EXPECT_EQ(store::HGB0.IsWaveform, 0);
  EXPECT_STREQ(store::HGB0.Comment, "Masured data");
  EXPECT_EQ(std::memcmp(store::IG0.IdText, "TARVELIN, B 3.0,7/95", 20), 0);
  EXPECT_EQ(store::CG0.DisplFlags, 0x0C40);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&store::CG0);
  EXPECT_EQ(bytes[162], 0x40);
  EXPECT_EQ(bytes[163], 0x0C);
}

TEST(Defaults, PrefixTableFollowsCodes) {
  EXPECT_STREQ(store::PrefixEntry(1), "No U");
  EXPECT_STREQ(store::PrefixEntry(0), "No U");
  EXPECT_STREQ(store::PrefixEntry(-3), "No U");
  EXPECT_STREQ(store::PrefixEntry(2), "micro");
  EXPECT_STREQ(store::PrefixEntry(4), " ");
  EXPECT_STREQ(store::PrefixEntry(6), "mega");
  EXPECT_TRUE(store::IsDecibelCode(104));
  EXPECT_STREQ(store::PrefixEntry(104), " ");
}

}  // namespace
