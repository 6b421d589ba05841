// Joining a waveform file to the waveform store.
#include <gtest/gtest.h>

#include "DataFileTestSupport.h"
#include "files/DataFileLink.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace {

using datafile_test::FileImage;
using datafile_test::FillStore;
using datafile_test::PatternValue;
using datafile_test::Snapshot;
using testing_support::TestEnv;
using testing_support::WriteBytes;

TEST(DataFileLink, UnionOfChannelsWithZerosWhereASideHasNone) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 1}, 100);
  env.prog.FGW[2].PrefixCode = 77;  // kept: only Name, Unit and Step are taken
  FileImage f(128, 1, 50);
  f.AddChannel(1, 1000.0f, "both");
  f.AddChannel(2, 2000.0f, "file only");
  WriteBytes(env.dir / "DATA/j.w", f.Bytes());

  ASSERT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\j.w", store::Store::W), 1);
  const state::Program& p = env.prog;
  EXPECT_EQ(int32_t(p.HGW.Length), 150);
  EXPECT_EQ(p.HGW.ChannelCount, 3);
  ASSERT_EQ(state::Pocatek(p, store::Store::W, 2), 300);
  // Memory only: its samples, then zeros; both: memory then file; file only: zeros, then the file.
  EXPECT_EQ(p.Waveform[99], PatternValue(1, 0, 99));
  EXPECT_EQ(p.Waveform[149], 0.0f);
  EXPECT_EQ(p.Waveform[150], PatternValue(1, 1, 0));
  EXPECT_EQ(p.Waveform[299], 1049.0f);
  EXPECT_EQ(p.Waveform[399], 0.0f);
  EXPECT_EQ(p.Waveform[400], 2000.0f);
  EXPECT_STREQ(p.FGW[2].Name, "file only");
  EXPECT_EQ(float(p.FGW[2].Step), float(p.FGW[0].Step));
  EXPECT_EQ(p.FGW[2].PrefixCode, 77);
  EXPECT_STREQ(p.FGW[1].Name, "Chan 1");  // a channel that was there keeps its record
}

TEST(DataFileLink, TooLongChangesNothing) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 1}, 1500);
  FileImage f(128, 1, 600);
  f.AddChannel(1, 1.0f);
  WriteBytes(env.dir / "DATA/long.w", f.Bytes());
  const Snapshot before(env.prog);
  EXPECT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\long.w", store::Store::W), 0);  // 2 × 2100 > 4096
  EXPECT_EQ(env.ui.LastText(), state::TxtF(env.prog, 1321, {2100L}));
  EXPECT_TRUE(Snapshot(env.prog) == before);

  env.prog.DG.MaxLength = 2000;
  FileImage g(128, 1, 501);
  g.AddChannel(0, 1.0f);
  WriteBytes(env.dir / "DATA/long.w", g.Bytes());
  FillStore(env.prog, 1, {0}, 1500);
  const Snapshot again(env.prog);
  EXPECT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\long.w", store::Store::W), 0);
  EXPECT_TRUE(Snapshot(env.prog) == again);
}

TEST(DataFileLink, MeasurementStoreAndMissingFile) {
  TestEnv env(4096);
  const Snapshot before(env.prog);
  EXPECT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\x.w", store::Store::M), 0);
  EXPECT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\x.w", store::Store::W), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(env.prog, 383) + "  : \\DATA\\x.w");

  EXPECT_TRUE(Snapshot(env.prog) == before);
}

}  // namespace
