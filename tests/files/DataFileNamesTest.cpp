// Automatic macro names, the date name, the implicit name, file names taken
// from the command text buffer, and the name shown in captions.
#include <gtest/gtest.h>

#include <cstring>

#include "files/DataFileNames.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

class DataFileNames : public ::testing::Test {
 protected:
  std::string Named(int store, int reset) {
    files::NameInMacro(p, store::StoreFromFlag(store), reset);
    return files::MacroName(p, store::StoreFromFlag(store));
  }
  std::string Name(const char* queue, const char* mask = "\\DATA\\*.W") {
    if (queue) store::CopyText(p.DG.NameQueue, queue);
    std::string name = "unchanged";
    EXPECT_EQ(files::FileName(p, "t", "f", name, mask), 1) << (queue ? queue : "");
    return name;
  }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(DataFileNames, CounterDigitsBeforeTheDot) {
  EXPECT_EQ(Named(1, 1), "Wave_000.w");
  p.W_NameInc[0] = 1233;
  EXPECT_EQ(Named(1, 0), "Wave1234.w");
  p.W_NameInc[0] = 9999;  // wraps to 0: one digit
  EXPECT_EQ(Named(1, 0), "Wave1230.w");
  EXPECT_EQ(Named(0, 1), "Meas_000.m");
  p.M_NameInc = 999;
  files::NameInMacro(p, store::Store::M, false);
  EXPECT_EQ(p.M_NameInc, 0);
}

TEST_F(DataFileNames, DateNameFillsAllTwelveCharacters) {
  env.clock.SetNow({2023, 8, 6, 14, 37, 0, 0});
  files::NameDatum(p);
  EXPECT_EQ(files::MacroName(p, store::Store::M), "23_08_06.143");
  env.clock.SetNow({1999, 12, 31, 0, 9, 0, 0});
  files::NameDatum(p);
  EXPECT_EQ(files::MacroName(p, store::Store::W), "99_12_31.000");
}

TEST_F(DataFileNames, FileNameTakesWordsFromTheQueueOrTheDialog) {
  EXPECT_EQ(Name("   first.w second"), "\\DATA\\first.w");
  EXPECT_EQ(Name(nullptr), "\\DATA\\second.W");  // a typed name gets the extension too
  EXPECT_STREQ(p.DG.NameQueue, "");
  EXPECT_EQ(Name("/abs/x.w"), "/abs/x.w");
  store::CopyText(p.ImplicitName, "impl");
  EXPECT_EQ(Name("I next"), "\\DATA\\impl.W");
  EXPECT_STREQ(p.DG.NameQueue, " next");
  // A full 60-character queue without a terminator is still one word.
  std::memset(p.DG.NameQueue, 'q', sizeof p.DG.NameQueue);
  EXPECT_EQ(Name(nullptr, "*.W"), std::string(60, 'q') + ".W");
  EXPECT_STREQ(p.DG.NameQueue, "");
  // "?" asks; the folder's "." is no extension; a cancelled dialog keeps the name.
  env.ui.Push(std::optional<std::string>("/x.d/abc"));
  EXPECT_EQ(Name("?", "*.W"), "/x.d/abc.W");
  std::string name = "unchanged";
  EXPECT_EQ(files::FileName(p, "title", "filter", name, "\\DATA\\*.W"), 0);
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(env.ui.lastFileRequest.folder, env.dir / "DATA");
}

TEST_F(DataFileNames, NewNameShortensAndRecaptions) {
  std::string longName = "/root";
  for (int i = 0; i < 30; ++i) longName += "/folder" + std::to_string(i);
  files::NewName(p, longName + "/file.w", store::Store::W);
  EXPECT_LE(std::strlen(p.DW_Name), 100u);
  EXPECT_NE(std::string(p.DW_Name).find("file.w"), std::string::npos);
  files::NewName(p, "short.m", store::Store::M);
  EXPECT_STREQ(p.DM_Name, "short.m");
}

}  // namespace
