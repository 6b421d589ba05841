// The user-level operations: dialogs, macro names, questions and captions.
#include <gtest/gtest.h>

#include "DataFileTestSupport.h"
#include "files/DataFileNames.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "state/GraphWindows.h"

namespace {

using datafile_test::FillStore;
using datafile_test::PatternValue;
using testing_support::FileExists;
using testing_support::ReadBytes;
using Reply = std::optional<std::string>;

class DataFileUser : public ::testing::Test {
 protected:
  bool Asked(const char* kind) {
    for (const auto& s : env.ui.Log())
      if (s.kind == kind) return true;
    return false;
  }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(DataFileUser, WriteAsksForCommentNameAndOverwrite) {
  FillStore(p, 1, {0}, 10);
  const std::string target = env.dir / "DATA/u.w";
  env.ui.Push(Reply("edited comment"));
  env.ui.Push(Reply(target));
  ASSERT_EQ(files::WriteDataFile(p, "", store::Store::W, 0), 1);
  EXPECT_STREQ(p.HGW.Comment, "edited comment");
  // The last waveform file is what the remark file and F2/F3 of the windows use.
  EXPECT_STREQ(p.WG.LastWaveFile, target.c_str());
  const auto first = ReadBytes(target);
  // The file exists now: No keeps it.
  p.Waveform[0] = -1;
  env.ui.Push(Reply("edited comment"));
  env.ui.Push(Reply(target));
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(files::WriteDataFile(p, "", store::Store::W, 0), 0);
  EXPECT_EQ(ReadBytes(target), first);
  EXPECT_GE(env.ui.Count(state::Txt(p, 318)), 1);
  // A cancelled dialog writes nothing; the measurement store leaves the last waveform file.
  env.ui.Push(Reply("x"));
  env.ui.Push(Reply());
  EXPECT_EQ(files::WriteDataFile(p, "", store::Store::M, 0), 0);
  EXPECT_STREQ(p.WG.LastWaveFile, target.c_str());
}

TEST_F(DataFileUser, ReadTakesTheMaskAndName) {
  FillStore(p, 0, {2}, 10);
  ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\meas.mx", store::Store::M, 0), 1);
  FillStore(p, 0, {0}, 3);
  env.ui.Push(Reply(env.dir / "DATA/meas.mx"));
  ASSERT_EQ(files::ReadDataFile(p, "", store::Store::M, false), 1);
  EXPECT_STREQ(p.DG.MeasExtMask, "*.mx");
  EXPECT_EQ(p.Buffer[9], PatternValue(0, 2, 9));
  // Failure: the reader's message, then 316.
  EXPECT_EQ(files::ReadDataFile(p, "\\DATA\\missing.m", store::Store::M, false), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 316));
  // A macro with an M name reads it without a dialog.
  p.MacGoing = 1;
  store::CopyText(p.M_Name, "meas.mx");
  env.ui.ClearLog();
  ASSERT_EQ(files::ReadDataFile(p, "", store::Store::M, false), 1);
  EXPECT_FALSE(Asked("file"));
}

TEST_F(DataFileUser, LinkAsksFirstAndReopensWindows) {
  FillStore(p, 1, {0}, 10);
  ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\j.w", store::Store::W, 0), 1);
  state::DisplayWave(p, store::Store::W, 0);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(files::WaveformLink(p), 0);
  EXPECT_EQ(p.HGW.Length, 10);
  env.ui.Push(platform::Answer::Yes);
  env.ui.Push(Reply(env.dir / "DATA/j.w"));
  p.MG.WDisplay[0] = 1;
  ASSERT_EQ(files::WaveformLink(p), 1);
  EXPECT_EQ(std::tuple(p.HGW.Length, p.Waveform[15]), std::tuple(20, PatternValue(1, 0, 5)));
  EXPECT_TRUE(state::AnyWindowOpen(p, store::Store::W));
  env.ui.Push(platform::Answer::Yes);
  env.ui.Push(Reply(env.dir / "DATA/none.w"));
  EXPECT_EQ(files::WaveformLink(p), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1322));
}

}  // namespace
