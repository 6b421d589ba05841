// Joining a waveform file to the waveform store.
#include <gtest/gtest.h>

#include "DataFileTestSupport.h"
#include "files/DataFileLink.h"
#include "state/StoreAccess.h"

namespace {

using datafile_test::FileImage;
using datafile_test::FillStore;
using datafile_test::PatternValue;
using datafile_test::Snapshot;

TEST(DataFileLink, UnionOfChannelsWithZerosWhereASideHasNone) {
  testing_support::TestEnv env(4096);
  state::Program& p = env.prog;
  FillStore(p, 1, {0, 1}, 100);
  p.FGW[2].PrefixCode = 77;  // kept: only Name, Unit and Step are taken
  FileImage f(128, 1, 50);
  f.AddChannel(1, 1000.0f, "both");
  f.AddChannel(2, 2000.0f, "file only");
  f.Write(env.dir / "DATA/j.w");
  ASSERT_EQ(files::WaveformLinkUtil(p, "\\DATA\\j.w", store::Store::W), 1);
  EXPECT_EQ(std::tuple(p.HGW.Length, p.HGW.ChannelCount, state::Pocatek(p, store::Store::W, 2)),
            std::tuple(150, 3, 300));
  // Memory only: its samples, then zeros; both: memory then file; file only: zeros, then the file.
  const float* w = p.Waveform.get();
  EXPECT_EQ(std::tuple(w[99], w[149], w[150], w[299], w[399], w[400]),
            std::tuple(PatternValue(1, 0, 99), 0.0f, PatternValue(1, 1, 0), 1049.0f, 0.0f, 2000.0f));
  EXPECT_STREQ(p.FGW[2].Name, "file only");
  EXPECT_EQ(std::tuple(p.FGW[2].Step, p.FGW[2].PrefixCode), std::tuple(p.FGW[0].Step, 77));
  EXPECT_STREQ(p.FGW[1].Name, "Chan 1");  // a channel that was there keeps its record
}

TEST(DataFileLink, TooLongMeasurementStoreOrMissingFileChangesNothing) {
  testing_support::TestEnv env(4096);
  state::Program& p = env.prog;
  const Snapshot empty(p);
  EXPECT_EQ(files::WaveformLinkUtil(p, "\\DATA\\x.w", store::Store::M), 0);
  EXPECT_EQ(files::WaveformLinkUtil(p, "\\DATA\\x.w", store::Store::W), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 383) + "  : \\DATA\\x.w");
  EXPECT_TRUE(Snapshot(p) == empty);

  FillStore(p, 1, {0, 1}, 1500);
  FileImage f(128, 1, 600);
  f.AddChannel(1, 1.0f);
  f.Write(env.dir / "DATA/long.w");
  const Snapshot before(p);
  EXPECT_EQ(files::WaveformLinkUtil(p, "\\DATA\\long.w", store::Store::W), 0);  // 2 × 2100 > 4096
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 1321, {2100L}));
  EXPECT_TRUE(Snapshot(p) == before);
  // Beyond MaxLength.
  p.DG.MaxLength = 2000;
  FileImage g(128, 1, 501);
  g.AddChannel(0, 1.0f);
  g.Write(env.dir / "DATA/long.w");
  FillStore(p, 1, {0}, 1500);
  const Snapshot again(p);
  EXPECT_EQ(files::WaveformLinkUtil(p, "\\DATA\\long.w", store::Store::W), 0);
  EXPECT_TRUE(Snapshot(p) == again);
}

}  // namespace
