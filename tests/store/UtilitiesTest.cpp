#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "store/Utilities.h"

namespace store {
namespace {

TEST(FloatRoundTest, RoundsHalfUpToTheSignificantDigitsWithCarries) {
  const struct {
    double value;
    int digits, width;
    double want;
  } cases[] = {
      {125.0, 2, 5, 130.0},
      {3.14159, 3, 5, 3.14},
      // Digits are counted from the first non-zero one, below 1 too.
      {0.01236, 2, 6, 0.012},
      {0.01276, 2, 6, 0.013},
      // The carry runs through nines, grows the number and crosses into leading zeros.
      {9.996, 3, 5, 10.0},
      {-9.996, 3, 5, -10.0},
      {99.96, 2, 5, 100.0},
      {0.0996, 2, 5, 0.1},
      {-0.04567, 2, 5, -0.046},
      // No significant digit shown, a refused format, NaN: zero.
      {0.0, 3, 5, 0.0},
      {0.000001, 3, 5, 0.0},
      {0.5, 3, 0, 0.0},
      {std::nan(""), 3, 5, 0.0},
      // More digits than shown keep the shown value; at least one digit stays.
      {1.2345, 20, 5, 1.2345},
      {123456.7, 12, 5, 123456.7},
      {3.14159, 0, 5, 3.0},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(FloatRound(c.value, c.digits, c.width), c.want) << c.value << " " << c.digits;
}

TEST(FloatNumToVarTextFormatTest, WidthModesAndRefusals) {
  const struct {
    int mode, width;
    double value;
    const char* want;  // nullptr: refused, the text kept
  } cases[] = {
      {1, 5, 3.14159, "3.1416"},
      {1, 5, 123.456, "123.46"},
      {1, 5, -3.14159, "-3.14159"},     // the sign widens the field
      {1, 3, 1234567.0, "1234567.00"},  // at most 5 digits leave the width
      {0, 8, 12.346, "    12.35"},      // other modes: as many decimals as integer digits
      {0, 2, 0.75, "  1"},
      {1, 0, 0.5, nullptr},
  };
  for (const auto& c : cases) {
    std::string s = "kept";
    EXPECT_EQ(FloatNumToVarTextFormat(s, c.mode, c.width, c.value), c.want ? 1 : 0) << c.value;
    EXPECT_EQ(s, c.want ? c.want : "kept");
  }
  char buf[6] = "kept";
  EXPECT_EQ(FloatNumToVarTextFormat(buf, sizeof buf, 1, -4, 0.25), 0);
  EXPECT_STREQ(buf, "kept");
  EXPECT_EQ(FloatNumToVarTextFormat(buf, sizeof buf, 1, 9, 1.0), 1);
  EXPECT_STREQ(buf, "1.000");
  std::string huge;
  EXPECT_EQ(FloatNumToVarTextFormat(huge, 1, 5, 1e300), 1);  // 301 integer digits stay exact
  EXPECT_EQ(huge.substr(0, 4), "1000");
}

TEST(PocetDigitTest, BoundariesAreExclusive) {
  // |a| = 10 still counts 0 integer digits; zero resolution adds 6.
  const struct {
    double a, resolution;
    int want;
  } cases[] = {{10, 10, 6},        {10.5, 10.5, 7}, {100, 100, 7}, {100.1, 100.1, 8}, {-1000.5, -1000.5, 9},
               {20000, 20000, 10}, {1e6, 1e6, 11},  {0, 11, 1},    {0, 10, 2},        {0, 1, 3},
               {0, 0.1, 4},        {0, 0.01, 5},    {0, 0.001, 6}, {5, 5.0015, 5}};
  for (const auto& c : cases) EXPECT_EQ(PocetDigit(c.a, c.resolution), c.want) << c.a << " " << c.resolution;
}

TEST(NumToTextTest, FormatsOneValueAndRefusesOtherFormats) {
  std::string s;
  EXPECT_EQ(NumToText(s, "U=%8.3f V", 1.5), 1);
  EXPECT_EQ(s, "U=   1.500 V");
  EXPECT_EQ(NumToText(s, "%d%%", 42.9), 1);  // integer conversions take the truncated value
  EXPECT_EQ(s, "42%");
  EXPECT_EQ(NumToText(s, "%ld", -3e30), 1);  // saturated, never undefined
  EXPECT_EQ(s, std::to_string(std::numeric_limits<long long>::min()));
  s = "kept";
  EXPECT_EQ(NumToText(s, "%s", 1.0), 0);
  EXPECT_EQ(NumToText(s, "%f %f", 1.0), 0);
  EXPECT_EQ(NumToText(s, "%*f", 1.0), 0);
  EXPECT_EQ(NumToText(s, "no value", 1.0), 0);
  EXPECT_EQ(NumToText(s, "%99999f", 1.0), 0);
  EXPECT_EQ(s, "kept");
  char buf[5];
  EXPECT_EQ(NumToText(buf, sizeof buf, "%.3e", 12345.0), 1);
  EXPECT_STREQ(buf, "1.23");
}

TEST(TimeToCursorTest, TruncatesAndSaturates) {
  EXPECT_EQ(TimeToCursor(12.9), 12);
  EXPECT_EQ(TimeToCursor(-12.9), -12);
  EXPECT_EQ(TimeToCursor(5e9), 5000000000LL);
  EXPECT_EQ(TimeToCursor(1e30), INT64_MAX);
  EXPECT_EQ(TimeToCursor(-1e30), INT64_MIN);
  EXPECT_EQ(TimeToCursor(std::nan("")), 0);
}

TEST(DigitsTest, BcdAndHexReadUpToJunkAndKeepTheLow32Bits) {
  for (auto [bcd, bin] : {std::pair{0x1234, 1234}, {0x9999, 9999}, {0x0007, 7}, {0, 0}})
    EXPECT_EQ(bcd2bin(bcd), bin);
  const std::pair<const char*, unsigned> hex[] = {
      {"1F", 0x1Fu}, {"aBcD", 0xABCDu}, {"  ff", 0xFFu},           {"12G4", 0x12u},           {"xyz", 0u},
      {"", 0u},      {nullptr, 0u},     {"FFFFFFFF", 0xFFFFFFFFu}, {"123456789", 0x23456789u}};
  for (const auto& [text, want] : hex) EXPECT_EQ(CharOctToInt(text), want) << (text ? text : "null");
}

TEST(FrontSpaceOffTest, RemovesOnlyLeadingBlanks) {
  char blank[] = "   ";

  FrontSpaceOff(blank);
  EXPECT_STREQ(blank, "");
  std::string s = "  x";
  FrontSpaceOff(s);
  EXPECT_EQ(s, "x");
}

TEST(ShortPathTest, LongPathsKeepHeadAndTail) {
  const std::string p = "C:\\TARVELIN\\DATA\\MEASURE\\2023\\RUN_0001.W";
  EXPECT_EQ(ShortPath(20, p), "C:\\...\\RUN_0001.W");
  EXPECT_EQ(ShortPath(25, p), "C:\\...\\2023\\RUN_0001.W");
  EXPECT_EQ(ShortPath(100, p), p);
  EXPECT_EQ(ShortPath(int(p.size()), p), p);
  for (int max = 12; max < int(p.size()); ++max) EXPECT_LE(int(ShortPath(max, p).size()), max) << max;
}

TEST(ShortPathTest, OddShapesStayWithinMax) {
  // A file name longer than the room keeps its end.
  EXPECT_EQ(ShortPath(14, "C:\\D\\VERYLONGFILENAME.W"), "C:\\...LENAME.W");
  // A POSIX path: the first component includes its leading "/".
  EXPECT_EQ(ShortPath(20, "/home/user/tarvelin/data/x.W"), "/home/.../data/x.W");
  // A first component too long for a head.
  EXPECT_EQ(ShortPath(12, "ABCDEFGHIJKLMNOP\\Q"), "...JKLMNOP\\Q");
  char out[8];
  ShortPath(40, out, sizeof out, "C:\\TARVELIN\\DATA\\X.W");
  EXPECT_STREQ(out, "C:\\TARV");  // the caller's buffer bounds it
}

TEST(FileNameTest, ExtensionMask) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "*.W"}, {"\\DATA\\RUN.M", "*.M"}, {"\\DATA\\RUN.", "*.*"}, {"\\DATA.OLD\\RUN", "*.*"}};
  for (auto [name, want] : cases) {
    std::string mask = "*.W";
    Extension(name, mask);
    EXPECT_EQ(mask, want) << name;  // a dot in a folder is no extension
  }
  char m[6] = "*.W";
  Extension("A.WTX", m, sizeof m);
  EXPECT_STREQ(m, "*.WTX");
  Extension("A.JPEG5", m, sizeof m);  // would not fit: all files rather than a wrong filter
  EXPECT_STREQ(m, "*.*");
}

TEST(FileNameTest, ChangeExtensionCases) {
  const std::pair<const char*, const char*> cases[] = {{"\\DATA\\RUN.M", "\\DATA\\RUN.W"},
                                                       {"\\DATA\\RUN.", "\\DATA\\RUN.W"},
                                                       {"\\DATA.OLD\\RUN", "\\DATA.OLD\\RUN.W"}};
  for (auto [name, want] : cases) {
    std::string n = name;
    ChangeExtension(n, ".W");
    EXPECT_EQ(n, want);
  }

  char b[12] = "\\D\\RUN.W";
  ChangeExtension(b, sizeof b, ".WTX");
  EXPECT_STREQ(b, "\\D\\RUN.WTX");
  ChangeExtension(b, sizeof b, ".LONGER");  // would be cut: the old name stays
  EXPECT_STREQ(b, "\\D\\RUN.WTX");
}

TEST(FileNameTest, SplittingNames) {
  EXPECT_EQ(AllName("\\DATA\\OLD.W", "NEW.W"), "\\DATA\\NEW.W");
  EXPECT_EQ(AllName("OLD.W", "NEW.W"), "NEW.W");
  EXPECT_EQ(ExtensionFromName("\\DATA\\RUN.WTX"), "WTX");
  EXPECT_EQ(ExtensionFromName("\\DATA.X\\RUN"), "");
  EXPECT_EQ(PathFromName("\\DATA\\RUN.W"), "\\DATA");
  EXPECT_EQ(PathFromName("RUN.W"), "");
  EXPECT_EQ(FileNameFromName("RUN.W"), "RUN.W");
  EXPECT_EQ(FileNameFromName("/tmp/a\\b.W"), "b.W");
}

TEST(DatumTest, ExactTexts) {
  platform::LocalTime t{2023, 8, 6, 4, 7, 5, 3};
  EXPECT_EQ(GetDatum(t), "06.08.2023 ");
  EXPECT_EQ(PisDatum(t), "06.08.2023 ,    4:07:05.03");

  char date[12];
  std::memset(date, 'x', sizeof date);
  GetDatum(t, date, sizeof date);
  EXPECT_EQ(std::string(date, 12), std::string("06.08.2023 \0", 12));
  char small[8];
  PisDatum(t, small, sizeof small);
  EXPECT_STREQ(small, "06.08.2");
  t.year = 123456;  // a broken clock cannot overrun the header's field
  GetDatum(t, date, sizeof date);
  EXPECT_EQ(date[11], '\0');
}

TEST(RangeGetTest, ReadsAtMostTheGivenCharactersAndClamps) {
  bool clamped = true;
  EXPECT_EQ(IntRangeGet(" 42", 100, 0, 8, &clamped), 42);
  EXPECT_FALSE(clamped);
  EXPECT_EQ(IntRangeGet("123456", 1000000, 0, 3), 123);
  EXPECT_EQ(IntRangeGet("5000", 2048, 1, 8, &clamped), 2048);
  EXPECT_TRUE(clamped);
  EXPECT_EQ(IntRangeGet("abc", 2048, 1, 8), 1);  // no number reads as 0
  EXPECT_EQ(IntRangeGet("99999999999999999999999", 10, -10, 30), 10);
  EXPECT_EQ(IntRangeGet("-7", 10, -10, 0), 0);  // nothing read at all
  EXPECT_EQ(LongRangeGet("-3000000000", 2147483647, -2147483647 - 1, 20), -2147483647 - 1);
  EXPECT_EQ(LongRangeGet("+17x", 100, 0, 8), 17);
  EXPECT_EQ(IntRangeGet("5", 0, 10, 8), 10);  // crossed limits: the minimum wins

  EXPECT_DOUBLE_EQ(FloatRangeGet(" 1.5e3", 1e4, 0, 10), 1500.0);
  EXPECT_DOUBLE_EQ(FloatRangeGet("1.5e3", 1e4, 0, 3), 1.5);
  EXPECT_DOUBLE_EQ(FloatRangeGet("-2.5", 1, -1, 8, &clamped), -1.0);
  EXPECT_TRUE(clamped);
  EXPECT_DOUBLE_EQ(FloatRangeGet("nan", 1, -1, 8, &clamped), -1.0);
  EXPECT_TRUE(clamped);
  EXPECT_DOUBLE_EQ(FloatRangeGet("1e999", 5, 0, 8), 5.0);
  EXPECT_DOUBLE_EQ(FloatRangeGet("x", 5, -5, 8), 0.0);
}

}  // namespace
}  // namespace store
