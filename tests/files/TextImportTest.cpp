// The text-column import: counting, questions, the leading text column and
// hostile text, always with the store untouched when nothing was imported.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DataFileTestSupport.h"
#include "files/TextImport.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using datafile_test::FillStore;
using datafile_test::Snapshot;
using platform::Answer;
using testing_support::TestEnv;
using testing_support::WriteText;

class TextImportTest : public ::testing::Test {
 protected:
  TextImportTest() {
    FillStore(p, 1, {0, 3}, 50);
    FillStore(p, 0, {1}, 40);
  }
  std::string Put(const std::string& text) {
    std::string path = env.dir / "DATA/in.txt";
    WriteText(path, text);
    return path;
  }
  float W(int ch, int k) const { return p.Waveform[size_t(ch) * size_t(p.HGW.Length) + size_t(k)]; }
  float M(int ch, int k) const { return p.Buffer[size_t(ch) * size_t(p.HGB.Length) + size_t(k)]; }
  int Messages(int text) const { return testing_support::MessagesWithText(env.ui, state::Txt(p, text)); }
  int RowErrors() const { return env.ui.Count("ERROR in row"); }

  TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(TextImportTest, MeasurementStoreGetsUnitStep) {
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::M, Put("1 2\n3 4\n")), 1);
  EXPECT_FLOAT_EQ(p.FGB[1].Step, 1.0f);
  EXPECT_FLOAT_EQ(M(1, 1), 4.0f);
  EXPECT_EQ(files::TextCom(p).indx_TextCom, 0);
}

TEST_F(TextImportTest, HeaderCommasCrLfBlankLinesAndNoLastNewline) {
  std::string name =
      Put("Recorded on a bench\r\n% time  value\r\n\r\n"
          "  0,5\t-1,25E1\r\n\r\n"
          "1.5 +2e-1\r\n"
          ".25 -.5");
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, name), 1);
  ASSERT_EQ(p.HGW.ChannelCount, 2);
  ASSERT_EQ(p.HGW.Length, 3);
  EXPECT_FLOAT_EQ(W(1, 0), -12.5f);
  EXPECT_FLOAT_EQ(W(1, 1), 0.2f);
  EXPECT_FLOAT_EQ(W(0, 2), 0.25f);  // the last line counts without its line end
  EXPECT_EQ(RowErrors(), 0);
  // A byte order mark is no header; "x," is the number x before a comma.
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W,
                                      Put("\xEF\xBB\xBF"
                                          "1.5, 2,\n3, 4\n")),
            1);
  ASSERT_EQ(p.HGW.Length, 2);
  EXPECT_FLOAT_EQ(W(1, 0), 2.0f);
}

TEST_F(TextImportTest, LineOfLettersStopsTheImportThereAndSaysSo) {
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("1 2\n3 4\nabc def\n5 6\n")), 1);
  EXPECT_EQ(p.HGW.Length, 2);
  EXPECT_FLOAT_EQ(W(1, 1), 4.0f);
  EXPECT_EQ(RowErrors(), 1);
}

TEST_F(TextImportTest, ShortLastRowIsZeroFromThatRowOn) {
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("1 2 3\n4 5 6\n7 8\n")), 1);
  ASSERT_EQ(p.HGW.Length, 3);
  EXPECT_FLOAT_EQ(W(2, 1), 6.0f);  // rows read whole are kept
  for (int c = 0; c < 3; ++c) EXPECT_EQ(W(c, 2), 0.0f) << c;
  EXPECT_EQ(env.ui.Count("ERROR in row : 3, from : 3"), 1);
}

TEST_F(TextImportTest, TokensOfAtMost199CharactersAreNumbers) {
  std::string ok = "1" + std::string(198, '0');       // 199 characters
  std::string tooLong = "1" + std::string(199, '0');  // 200 characters
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("0.5 " + ok + "\n7 8\n" + tooLong + " 9\n")),
            1);
  EXPECT_EQ(p.HGW.Length, 2);
  EXPECT_TRUE(std::isinf(W(1, 0)));  // beyond float: infinity, never undefined
  EXPECT_FLOAT_EQ(W(1, 1), 8.0f);
  EXPECT_EQ(RowErrors(), 1);
}

TEST_F(TextImportTest, NothingNumericLeavesTheStoreAsItWas) {
  Snapshot before(p);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("only words here\nand here\n")), 0);
  EXPECT_EQ(Messages(1360), 1);
  EXPECT_EQ(Messages(416), 1);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("12abc 4\n")), 0);
  EXPECT_EQ(Messages(1361), 1);
  // Comma-separated values are no decimal commas: refused, never 1.2.
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("1,2,3\n4,5,6\n")), 0);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("1.5,2.5\n")), 0);
  EXPECT_EQ(Messages(1361), 3);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("")), 0);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, env.dir / "DATA/missing.txt"), 0);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(TextImportTest, CancelAndNoChangeNothing) {
  Snapshot before(p);
  env.ui.Push(std::optional<std::string>());  // dialog cancelled
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, ""), 0);
  EXPECT_EQ(Messages(416), 0);  // a cancel is no failure
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put("1 2\n")), 1);
  EXPECT_TRUE(Snapshot(p) == before);
  // The dialog's choice is imported.
  env.ui.Push(std::optional<std::string>(Put("5\n6\n")));
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, ""), 1);
  EXPECT_EQ(p.HGW.Length, 2);
}

TEST_F(TextImportTest, MoreThan127ColumnsAsksForTheShape) {
  std::string line;
  for (int i = 0; i < 200; ++i) line += std::to_string(i) + " ";
  std::string name = Put(line + "\n" + line + "\n");
  Snapshot before(p);
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, name), 1);
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::Cancel);  // the channel prompt
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, name), 1);
  EXPECT_TRUE(Snapshot(p) == before);

  // 4 channels of 100 rows: the numbers run on across the line ends.
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(4));
  env.ui.Push(int64_t(100));
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, name), 1);
  EXPECT_EQ(p.HGW.ChannelCount, 4);
  EXPECT_EQ(p.HGW.Length, 100);
  EXPECT_FLOAT_EQ(W(0, 50), 0.0f);  // value 200 of the stream: the second line's first
  EXPECT_FLOAT_EQ(W(3, 49), 199.0f);
}

TEST_F(TextImportTest, RowsAreLimitedByTheSampleMemory) {
  TestEnv small(128);
  std::string text;
  for (int i = 0; i < 60; ++i) text += "1 2 3\n";
  WriteText(small.dir / "DATA/big.txt", text);
  ASSERT_EQ(files::ReadDataFileELKOSO(small.prog, store::Store::W, small.dir / "DATA/big.txt"), 1);
  EXPECT_EQ(small.prog.HGW.Length, 42);  // 128 / 3
}

TEST_F(TextImportTest, LeadingTextColumnOfMeasurementImport) {
  std::string longField(60, 'x');
  std::string name = Put("10:00:01# 1,5 2\n10:00:02# 3 4\n\n" + longField.substr(0, 8) + "# 5 6\n");
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::M, name), 1);
  const files::TextColumn& column = files::TextCom(p);
  EXPECT_EQ(column.indx_TextCom, 9);
  ASSERT_EQ(p.HGB.Length, 3);
  ASSERT_EQ(column.Rows(), 3);
  EXPECT_EQ(column.Row(1), "10:00:02#");
  EXPECT_EQ(column.Row(2), "xxxxxxxx#");
  EXPECT_FLOAT_EQ(M(0, 0), 1.5f);
  EXPECT_FLOAT_EQ(M(1, 2), 6.0f);
  // The waveform store never has a text column: "#" is not a number there.
  EXPECT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, name), 0);
}

// Numbers read four digits at a time must equal the library's reading, for
// every length of integer and fraction part and across the 4-digit steps.
TEST_F(TextImportTest, NumbersOfEveryDigitCountMatchTheLibraryReading) {
  std::vector<std::string> tokens;
  std::string text;
  for (int intDigits = 1; intDigits <= 12; ++intDigits)
    for (int fracDigits = 0; fracDigits <= 9; ++fracDigits) {
      std::string t = (intDigits % 2 ? "-" : "");
      for (int i = 0; i < intDigits; ++i) t += char('1' + (i * 7 + fracDigits) % 9);
      if (fracDigits) t += '.';
      for (int i = 0; i < fracDigits; ++i) t += char('0' + (i * 3 + intDigits) % 10);
      tokens.push_back(t);
    }
  tokens.push_back("0009999.00000001");
  tokens.push_back("12345678e-3");
  for (const std::string& t : tokens) text += "1 " + t + "\n";
  ASSERT_EQ(files::ReadDataFileELKOSO(p, store::Store::W, Put(text)), 1);
  ASSERT_EQ(p.HGW.Length, int32_t(tokens.size()));
  for (size_t k = 0; k < tokens.size(); ++k)
    EXPECT_EQ(W(1, int(k)), float(std::strtod(tokens[k].c_str(), nullptr))) << tokens[k];
}

}  // namespace
