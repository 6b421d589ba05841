// Automatic macro names, the date name, the implicit name, file names taken
// from the command text buffer, and the name shown in captions.
#include <gtest/gtest.h>

#include <cstring>

#include "files/DataFileNames.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

TEST(DataFileNames, CounterDigitsBeforeTheDot) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  files::NameInMacro(p, store::Store::W, true);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "Wave_000.w");
  p.W_NameInc[0] = 1233;
  files::NameInMacro(p, store::Store::W, false);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "Wave1234.w");
  p.W_NameInc[0] = 9999;  // wraps to 0: one digit
  files::NameInMacro(p, store::Store::W, false);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "Wave1230.w");

  files::NameInMacro(p, store::Store::M, true);
  EXPECT_EQ(files::MacroName(p, store::Store::M), "Meas_000.m");
  p.M_NameInc = 999;
  files::NameInMacro(p, store::Store::M, 1 - 1);
  EXPECT_EQ(p.M_NameInc, 0);
}

TEST(DataFileNames, SetFromTheQueueAndSlots) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  store::CopyText(p.DG.NameQueue, "  Test_042.dat");
  files::NameInMacro(p, store::Store::W, true);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "Test_042.w");
  EXPECT_EQ(p.W_NameInc[0], 42);

  // A slot has its own name and counter; an index out of range is reset.
  p.W_NameIndx = 3;
  store::CopyText(p.DG.NameQueue, "longname12345678");
  files::NameInMacro(p, store::Store::W, true);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "longname1234");  // 12 characters, no room for ".w"
  EXPECT_EQ(p.W_NameInc[4], 0);                                     // "ame" is no number
  EXPECT_EQ(std::string(p.W_Nam_N.get() + 36, 12), "longname1234");
  p.W_NameIndx = 40;
  files::NameInMacro(p, store::Store::W, false);
  EXPECT_EQ(p.W_NameIndx, -1);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "Test_043.w");

  // A name too short for the digits keeps its first character in place.
  store::CopyText(p.DG.NameQueue, "a");
  files::NameInMacro(p, store::Store::M, true);
  EXPECT_EQ(files::MacroName(p, store::Store::M), "a.m");
  p.M_NameInc = 122;
  files::NameInMacro(p, store::Store::M, false);
  EXPECT_EQ(files::MacroName(p, store::Store::M), "3.m");
}

TEST(DataFileNames, DateNameFillsAllTwelveCharacters) {
  TestEnv env(4096);
  env.clock.SetNow({2023, 8, 6, 14, 37, 0, 0});
  files::NameDatum(env.prog);
  EXPECT_EQ(files::MacroName(env.prog, store::Store::M), "23_08_06.143");
  env.clock.SetNow({1999, 12, 31, 0, 9, 0, 0});
  files::NameDatum(env.prog);
  EXPECT_EQ(files::MacroName(env.prog, store::Store::W), "99_12_31.000");
}

TEST(DataFileNames, FileNameTakesWordsFromTheQueue) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  std::string name;
  store::CopyText(p.DG.NameQueue, "   first.w second");
  ASSERT_EQ(files::FileName(p, "t", "f", name, "\\DATA\\*.W"), 1);
  EXPECT_EQ(name, "\\DATA\\first.w");
  ASSERT_EQ(files::FileName(p, "t", "f", name, "\\DATA\\*.W"), 1);
  EXPECT_EQ(name, "\\DATA\\second.W");  // a typed name gets the extension too
  EXPECT_STREQ(p.DG.NameQueue, "");

  store::CopyText(p.DG.NameQueue, "/abs/x.w");
  ASSERT_EQ(files::FileName(p, "t", "f", name, "\\DATA\\*.W"), 1);
  EXPECT_EQ(name, "/abs/x.w");

  store::CopyText(p.ImplicitName, "impl");
  store::CopyText(p.DG.NameQueue, "I next");
  ASSERT_EQ(files::FileName(p, "t", "f", name, "\\DATA\\*.W"), 1);
  EXPECT_EQ(name, "\\DATA\\impl.W");
  EXPECT_STREQ(p.DG.NameQueue, " next");
}

TEST(DataFileNames, FileNameDialog) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  std::string name = "unchanged";
  EXPECT_EQ(files::FileName(p, "title", "filter", name, "\\DATA\\*.W"), 0);  // cancelled
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(env.ui.lastFileRequest.folder, env.dir / "DATA");

  env.ui.Push(std::optional<std::string>("/x.d/abc"));
  store::CopyText(p.DG.NameQueue, "?");
  ASSERT_EQ(files::FileName(p, "t", "f", name, "*.W"), 1);
  EXPECT_EQ(name, "/x.d/abc.W");  // the folder's "." is no extension

  // A full 60-character queue without a terminator is still one word.
  std::memset(p.DG.NameQueue, 'q', sizeof p.DG.NameQueue);
  ASSERT_EQ(files::FileName(p, "t", "f", name, "*.W"), 1);
  EXPECT_EQ(name, std::string(60, 'q') + ".W");
  EXPECT_STREQ(p.DG.NameQueue, "");
}

TEST(DataFileNames, NewNameShortensAndRecaptions) {
  TestEnv env(4096);
  std::string longName = "/root";
  for (int i = 0; i < 30; ++i) longName += "/folder" + std::to_string(i);
  longName += "/file.w";
  files::NewName(env.prog, longName, store::Store::W);
  EXPECT_LE(std::strlen(env.prog.DW_Name), 100u);
  EXPECT_NE(std::string(env.prog.DW_Name).find("file.w"), std::string::npos);
  files::NewName(env.prog, "short.m", store::Store::M);
  EXPECT_STREQ(env.prog.DM_Name, "short.m");
}

}  // namespace
