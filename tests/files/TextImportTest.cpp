// The text-column import: counting, questions, the leading text column and
// hostile text, always with the store untouched when nothing was imported.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DataFileTestSupport.h"
#include "files/RowsToBlocks.h"
#include "files/TextImport.h"
#include "state/Progress.h"

namespace {

using datafile_test::Snapshot;
using platform::Answer;

class TextImportTest : public ::testing::Test {
 protected:
  TextImportTest() {
    datafile_test::FillStore(p, 1, {0, 3}, 50);
    datafile_test::FillStore(p, 0, {1}, 40);
  }
  int Import(const std::string& text, int store = 1) {
    testing_support::WriteText(env.dir / "DATA/in.txt", text);
    return files::ReadDataFileELKOSO(p, store::StoreFromFlag(store), env.dir / "DATA/in.txt");
  }
  float W(int ch, int k) const { return p.Waveform[size_t(ch) * size_t(p.HGW.Length) + size_t(k)]; }
  float M(int ch, int k) const { return p.Buffer[size_t(ch) * size_t(p.HGB.Length) + size_t(k)]; }
  int Messages(int text) const { return testing_support::MessagesWithText(env.ui, state::Txt(p, text)); }
  int RowErrors() const { return env.ui.Count("ERROR in row"); }

  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(TextImportTest, HeaderCommasCrLfBlankLinesAndNoLastNewline) {
  ASSERT_EQ(Import("Recorded on a bench\r\n% time  value\r\n\r\n  0,5\t-1,25E1\r\n\r\n1.5 +2e-1\r\n.25 -.5"),
            1);
  ASSERT_EQ(std::tuple(p.HGW.ChannelCount, p.HGW.Length), std::tuple(2, 3));
  // The last line counts without its line end.
  EXPECT_EQ(std::tuple(W(1, 0), W(1, 1), W(0, 2)), std::tuple(-12.5f, 0.2f, 0.25f));
  EXPECT_EQ(RowErrors(), 0);
  // A byte order mark is no header; "x," is the number x before a comma.
  ASSERT_EQ(Import("\xEF\xBB\xBF"
                   "1.5, 2,\n3, 4\n"),
            1);
  EXPECT_EQ(std::tuple(p.HGW.Length, W(1, 0)), std::tuple(2, 2.0f));
  // The measurement store gets unit steps and no text column.
  ASSERT_EQ(Import("1 2\n3 4\n", 0), 1);
  EXPECT_EQ(std::tuple(p.FGB[1].Step, M(1, 1), files::TextCom(p).indx_TextCom), std::tuple(1.0f, 4.0f, 0));
}

TEST_F(TextImportTest, BadRowsEndTheImportThereAndSaySo) {
  // A line of letters: rows before it are kept.
  ASSERT_EQ(Import("1 2\n3 4\nabc def\n5 6\n"), 1);
  EXPECT_EQ(std::tuple(p.HGW.Length, W(1, 1), RowErrors()), std::tuple(2, 4.0f, 1));
  // A short last row is zero from that row on; rows read whole are kept.
  env.ui.ClearLog();
  ASSERT_EQ(Import("1 2 3\n4 5 6\n7 8\n"), 1);
  ASSERT_EQ(p.HGW.Length, 3);
  EXPECT_EQ(std::tuple(W(2, 1), W(0, 2), W(1, 2), W(2, 2)), std::tuple(6.0f, 0.0f, 0.0f, 0.0f));
  EXPECT_EQ(env.ui.Count("ERROR in row : 3, from : 3"), 1);
  // Tokens of at most 199 characters are numbers; beyond float is infinity, never undefined.
  std::string ok = "1" + std::string(198, '0'), tooLong = "1" + std::string(199, '0');
  env.ui.ClearLog();
  ASSERT_EQ(Import("0.5 " + ok + "\n7 8\n" + tooLong + " 9\n"), 1);
  EXPECT_EQ(p.HGW.Length, 2);
  EXPECT_TRUE(std::isinf(W(1, 0)));
  EXPECT_EQ(std::tuple(W(1, 1), RowErrors()), std::tuple(8.0f, 1));
}

TEST_F(TextImportTest, NothingImportedLeavesTheStoreAsItWas) {
  Snapshot before(p);
  EXPECT_EQ(Import("only words here\nand here\n"), 0);
  EXPECT_EQ(std::tuple(Messages(1360), Messages(416)), std::tuple(1, 1));
  // Comma-separated values are no decimal commas: refused, never 1.2.
  for (const char* text : {"12abc 4\n", "1,2,3\n4,5,6\n", "1.5,2.5\n"}) EXPECT_EQ(Import(text), 0) << text;
  EXPECT_EQ(Messages(1361), 3);
  EXPECT_EQ(Import(""), 0);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, env.dir / "DATA/missing.txt"), 0);
  // A cancelled dialog is no failure; a No to the question imports nothing.
  env.ui.Push(std::optional<std::string>());
  const int failures = Messages(416);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, ""), 0);
  EXPECT_EQ(Messages(416), failures);
  env.ui.Push(Answer::No);
  EXPECT_EQ(Import("1 2\n"), 1);
  EXPECT_TRUE(Snapshot(p) == before);
  // The dialog's choice is imported.
  testing_support::WriteText(env.dir / "DATA/five.txt", "5\n6\n");
  env.ui.Push(std::optional<std::string>(env.dir / "DATA/five.txt"));
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, ""), 1);
  EXPECT_EQ(p.HGW.Length, 2);
}

TEST_F(TextImportTest, MoreThan127ColumnsAsksForTheShape) {
  std::string line;
  for (int i = 0; i < 200; ++i) line += std::to_string(i) + " ";
  Snapshot before(p);
  env.ui.Push(Answer::No);
  EXPECT_EQ(Import(line + "\n" + line + "\n"), 1);
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::Cancel);  // the channel prompt
  EXPECT_EQ(Import(line + "\n" + line + "\n"), 1);
  EXPECT_TRUE(Snapshot(p) == before);
  // 4 channels of 100 rows: the numbers run on across the line ends.
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(4));
  env.ui.Push(int64_t(100));
  ASSERT_EQ(Import(line + "\n" + line + "\n"), 1);
  EXPECT_EQ(std::tuple(p.HGW.ChannelCount, p.HGW.Length), std::tuple(4, 100));
  EXPECT_EQ(std::tuple(W(0, 50), W(3, 49)), std::tuple(0.0f, 199.0f));  // value 200: the second line's first
}

// Whole tiles of rows, their cycles of runs and the rows left over.
TEST_F(TextImportTest, RowsBecomeZeroPaddedChannelBlocks) {
  const int64_t kShapes[][3] = {{0, 3, 4},       {5, 1, 9},         {1024, 2, 1024}, {1024, 1, 1030},
                                {3000, 3, 3100}, {4100, 128, 4100}, {2053, 7, 2060}};
  for (const auto& [rows, columns, block] : kShapes) {
    SCOPED_TRACE(testing::Message() << rows << " x " << columns << " into " << block);
    std::vector<float> data(size_t(columns * block), -1.0f);
    for (int64_t k = 0; k < rows * columns; ++k) data[size_t(k)] = float(k);
    state::Progress progress(p, "t");
    ASSERT_TRUE(files::RowsToBlocks(data.data(), rows, columns, block, progress));
    for (int64_t c = 0; c < columns; ++c)
      for (int64_t r = 0; r < block; ++r)
        ASSERT_EQ(data[size_t(c * block + r)], r < rows ? float(r * columns + c) : 0.0f) << c << " " << r;
  }
}

TEST_F(TextImportTest, RowsAreLimitedByTheSampleMemory) {
  testing_support::TestEnv small(128);
  std::string text;
  for (int i = 0; i < 60; ++i) text += "1 2 3\n";
  testing_support::WriteText(small.dir / "DATA/big.txt", text);
  ASSERT_EQ(files::ReadDataFileELKOSO(small.prog, store::Store::W, small.dir / "DATA/big.txt"), 1);
  EXPECT_EQ(small.prog.HGW.Length, 42);  // 128 / 3
}

TEST_F(TextImportTest, LeadingTextColumnOfMeasurementImport) {
  const std::string text = "10:00:01# 1,5 2\n10:00:02# 3 4\n\nxxxxxxxx# 5 6\n";
  ASSERT_EQ(Import(text, 0), 1);
  const files::TextColumn& column = files::TextCom(p);
  EXPECT_EQ(std::tuple(column.indx_TextCom, p.HGB.Length, column.Rows()), std::tuple(9, 3, 3));
  EXPECT_EQ(std::tuple(column.Row(1), column.Row(2)), std::tuple("10:00:02#", "xxxxxxxx#"));
  EXPECT_EQ(std::tuple(M(0, 0), M(1, 2)), std::tuple(1.5f, 6.0f));
  // The waveform store never has a text column: "#" is not a number there.
  EXPECT_EQ(Import(text), 0);
}

// Numbers read four digits at a time must equal the library's reading, for
// every length of integer and fraction part and across the 4-digit steps.
TEST_F(TextImportTest, NumbersOfEveryDigitCountMatchTheLibraryReading) {
  std::vector<std::string> tokens = {"0009999.00000001", "12345678e-3"};
  for (int intDigits = 1; intDigits <= 12; ++intDigits)
    for (int fracDigits = 0; fracDigits <= 9; ++fracDigits) {
      std::string t = (intDigits % 2 ? "-" : "");
      for (int i = 0; i < intDigits; ++i) t += char('1' + (i * 7 + fracDigits) % 9);
      if (fracDigits) t += '.';
      for (int i = 0; i < fracDigits; ++i) t += char('0' + (i * 3 + intDigits) % 10);
      tokens.push_back(t);
    }
  std::string text;
  for (const std::string& t : tokens) text += "1 " + t + "\n";
  ASSERT_EQ(Import(text), 1);
  ASSERT_EQ(p.HGW.Length, int32_t(tokens.size()));
  for (size_t k = 0; k < tokens.size(); ++k)
    EXPECT_EQ(W(1, int(k)), float(std::strtod(tokens[k].c_str(), nullptr))) << tokens[k];
}

}  // namespace
