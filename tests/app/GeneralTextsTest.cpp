#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/GeneralTexts.h"
#include "support/TestSupport.h"

namespace {

using state::GeneralTexts;
using state::SafeFormat;
using state::TextArg;
using state::TextFileStatus;

std::string Fmt(std::string_view format, std::initializer_list<TextArg> args) {
  return SafeFormat(format, std::span<const TextArg>(args.begin(), args.size()));
}

std::string Kinds(std::string_view format) {
  std::string kinds;
  return state::ConversionKinds(format, kinds) ? kinds : "<refused>";
}

TEST(GeneralTextsReader, NumbersBraceGroupsAndKeepsLineEndsAndAnUnclosedTail) {
  const struct {
    const char* file;
    std::vector<std::string> texts;
  } cases[] = {
      // Everything outside braces is skipped; a "{" inside a text is part of it.
      {"TRV_TXT.TXT remark\n0 {zero}\n1 {}  // remark } here\n2 {{nested} 3{Příliš žluťoučký}",
       {"zero", "", "{nested", "Příliš žluťoučký"}},
      {"TRV_TXT.TXT\r\n{one\r\ntwo\rthree}\r\n{x}", {"one\ntwo\rthree", "x"}},
      {"TRV_TXT.TXT{a}{tail without end", {"a", "tail without end"}},
  };
  for (const auto& c : cases) {
    GeneralTexts texts;
    ASSERT_EQ(texts.Parse(c.file), TextFileStatus::Ok) << c.file;
    ASSERT_EQ(texts.Count(), c.texts.size()) << c.file;
    for (size_t i = 0; i < c.texts.size(); ++i) EXPECT_EQ(texts.Get(int(i)), c.texts[i]) << c.file;
    EXPECT_STREQ(texts.Get(int(c.texts.size())), "");
    EXPECT_STREQ(texts.Get(-1), "");
  }
}

TEST(GeneralTextsReader, TextsBeyondTheIndexOrTheBufferAreCut) {
  std::string file = "TRV_TXT.TXT";
  for (int i = 0; i < 3005; ++i) file += "{" + std::to_string(i) + "}";
  GeneralTexts texts;
  ASSERT_EQ(texts.Parse(file), TextFileStatus::Ok);
  EXPECT_EQ(texts.Count(), GeneralTexts::kMaxTexts);
  EXPECT_STREQ(texts.Get(2999), "2999");
  EXPECT_STREQ(texts.Get(3000), "");

  // One text of kMaxChars - 1 characters and its terminator fill the buffer.
  EXPECT_EQ(texts.Parse("TRV_TXT.TXT{" + std::string(GeneralTexts::kMaxChars - 1, 'a') + "}"),
            TextFileStatus::Ok);
  EXPECT_EQ(std::string(texts.Get(0)).size(), GeneralTexts::kMaxChars - 1);
  EXPECT_EQ(texts.Parse("TRV_TXT.TXT{" + std::string(GeneralTexts::kMaxChars, 'a') + "}"),
            TextFileStatus::TooLong);
  // Many short texts count their terminators too; the unclosed end as well.
  std::string many = "TRV_TXT.TXT";
  for (size_t i = 0; i < GeneralTexts::kMaxChars / 100; ++i) many += "{" + std::string(99, 'b') + "}";
  EXPECT_EQ(texts.Parse(many + "{c}"), TextFileStatus::TooLong);
  EXPECT_EQ(texts.Parse("TRV_TXT.TXT{" + std::string(GeneralTexts::kMaxChars, 'a')), TextFileStatus::TooLong);
}

TEST(GeneralTextsReader, FailuresKeepTheTextsLoadedBefore) {
  testing_support::TempDir dir;
  GeneralTexts texts;
  ASSERT_EQ(texts.Parse("TRV_TXT.TXT{kept}{also kept}"), TextFileStatus::Ok);

  EXPECT_EQ(texts.Load(dir / "none.txt"), TextFileStatus::Missing);
  EXPECT_EQ(texts.Load(dir.path()), TextFileStatus::Missing);  // a folder is no file

  for (const char* bad : {"TRV_TXT.TX {x}", "TRV", "", " TRV_TXT.TXT{x}"}) {
    testing_support::WriteText(dir / "bad.txt", bad);
    EXPECT_EQ(texts.Load(dir / "bad.txt"), TextFileStatus::BadIdentification) << bad;
  }

  testing_support::WriteText(dir / "long.txt",
                             "TRV_TXT.TXT{new}{" + std::string(GeneralTexts::kMaxChars, 'z') + "}");
  EXPECT_EQ(texts.Load(dir / "long.txt"), TextFileStatus::TooLong);

  ASSERT_EQ(texts.Count(), 2u);
  EXPECT_STREQ(texts.Get(0), "kept");
  EXPECT_STREQ(texts.Get(1), "also kept");
}

TEST(SafeFormat, FormatsEachKindWithFlagsWidthAndPrecisionBounded) {
  EXPECT_EQ(Fmt("Channel %d of %ld, %lld", {3, 128L, -5LL}), "Channel 3 of 128, -5");
  EXPECT_EQ(Fmt("[%5d|%-5d|%05d|%+d|% d]", {42, 42, 42, 42, 42}), "[   42|42   |00042|+42| 42]");
  EXPECT_EQ(Fmt("%x %X %o %#x %u %c", {255, 255, 8, 255, 7u, 'A'}), "ff FF 10 0xff 7 A");
  EXPECT_EQ(Fmt("%.2f %8.3f %e %g %G %lf", {3.14159, 2.5, 1500.0, 0.0001, 1e20, 1.5}),
            "3.14    2.500 1.500000e+03 0.0001 1E+20 1.500000");
  EXPECT_EQ(Fmt("%s|%8s|%-4s|%.2s", {"abc", "right", "l", "trim"}), "abc|   right|l   |tr");
  EXPECT_EQ(Fmt("%d %% done", {50}), "50 % done");
  EXPECT_EQ(Fmt("no conversions", {}), "no conversions");
  EXPECT_EQ(Fmt("%.3d", {7}), "007");
  // Unsigned conversions of negative values wrap at their length.
  EXPECT_EQ(Fmt("%x %hx %llx", {-1, -1, -1}), "ffffffff ffff ffffffffffffffff");
  EXPECT_EQ(Fmt("%u", {-2}), "4294967294");
  // Signed conversions keep the whole value: a byte count past 2^31 stays right.
  EXPECT_EQ(Fmt("%ld", {5000000000LL}), "5000000000");
}

TEST(SafeFormat, AnyMismatchAnswersTheFormatUnformatted) {
  const std::vector<std::pair<std::string, std::vector<TextArg>>> cases = {
      {"too few %d %d", {1}},
      {"too many %d", {1, 2}},
      {"none wanted", {1}},
      {"int for real %f", {1}},
      {"real for int %d", {1.5}},
      {"text for int %d", {"x"}},
      {"int for text %s", {1}},
      {"real for text %s", {2.0}},
      {"pointer %p", {1}},
      {"count %n", {1}},
      {"star %*d", {3, 1}},
      {"star precision %.*f", {3, 1.0}},
      {"hex float %a", {1.0}},
      {"long double %Lf", {1.0}},
      {"wide %ls", {"x"}},
      {"short real %hf", {1.0}},
      {"size %zd", {1}},
      {"char length %hhd", {1}},
      {"trailing %", {}},
      {"trailing after flags %-5", {1}},
      {"percent with width %5%", {}},
      {"huge width %99999d", {1}},
      {"huge precision %.99999f", {1.0}},
      {"width past limit %4097d", {1}},
      {"positional %1$d", {1}},
      {"undefined %#d", {1}},
      {"zero-padded char %05c", {65}},
  };
  for (const auto& [format, args] : cases) {
    EXPECT_EQ(SafeFormat(format, args), format) << format;
  }
  // Wide fields stay bounded.
  std::string out = Fmt("%4096d|%.4096f", {1, 1e300});
  EXPECT_EQ(out.find('|'), 4096u);
  EXPECT_EQ(out.size(), 4096u + 1 + 301 + 1 + 4096);
}

TEST(ConversionKinds, ListsTheArgumentKindsInOrder) {
  const std::pair<const char*, const char*> cases[] = {{"Allocated %.2f MB, %ld (%.2f MB), %ld, %d", "fifii"},
                                                       {"%s: %c %u %x %e %G %%", "siiiff"},
                                                       {"100 %%", ""},
                                                       {"bad %n", "<refused>"},
                                                       {"bad %*d", "<refused>"},
                                                       {"end %", "<refused>"}};
  for (auto [format, kinds] : cases) EXPECT_EQ(Kinds(format), kinds) << format;
}

}  // namespace
