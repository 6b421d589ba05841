// Writing and reading whole stores, single channels and accumulation.
#include <gtest/gtest.h>

#include <cstring>

#include "DataFileTestSupport.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "state/StoreAccess.h"

namespace {

using datafile_test::FileImage;
using datafile_test::FillStore;
using datafile_test::LastMessageIs;
using datafile_test::PatternValue;
using datafile_test::Snapshot;
using testing_support::ReadBytes;

template <typename T>
T At(const std::vector<uint8_t>& bytes, size_t offset) {
  T v;
  std::memcpy(&v, &bytes[offset], sizeof v);
  return v;
}

class DataFile : public ::testing::Test {
 protected:
  int Read(const char* name, int store, int channel = -1, int target = -1, int add = 0) {
    return files::ReadDataFileUtil(p, name, store::StoreFromFlag(store), true, channel, target, add);
  }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(DataFile, SingleChannelLeavesTheStoreHeaderAlone) {
  FillStore(p, 1, {0, 2, 5}, 64);
  const store::Header_s before = p.HGW;
  ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\one.w", store::Store::W, 3), 1);
  EXPECT_EQ(std::memcmp(&before, &p.HGW, sizeof before), 0);
  auto bytes = ReadBytes(env.dir / "DATA/one.w");
  ASSERT_EQ(bytes.size(), 22u + 586 + 78 + 64 * 4);
  const store::Header_s h = At<store::Header_s>(bytes, 22);
  EXPECT_EQ(h.ChannelCount, 1);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(h.ChannelOn[i] != 0, i == 2) << i;
  EXPECT_EQ(At<float>(bytes, 608 + 78 + 10 * 4), PatternValue(1, 2, 10));
}

TEST_F(DataFile, RefusedWritesLeaveNoFile) {
  for (int s : {1, 0}) {  // an inactive single channel
    FillStore(p, s, {0}, 16);
    EXPECT_EQ(files::WriteDataFileUtil(p, "\\DATA\\none.x", store::StoreFromFlag(s), 4), 0);
    EXPECT_TRUE(LastMessageIs(env, state::TxtF(p, s ? 396 : 397, {4}), 13));
  }
  // Measured against the array, not against the size set for the next start.
  FillStore(p, 1, {0, 1}, 2000);
  p.DG.TotalSamples = 1024;
  EXPECT_EQ(files::WriteDataFileUtil(p, "\\DATA\\big.w", store::Store::W, 0), 1);
  p.HGW.Length = 2100;  // would read past the array
  EXPECT_EQ(files::WriteDataFileUtil(p, "\\DATA\\none.x", store::Store::W, 0), 0);
  EXPECT_FALSE(testing_support::FileExists(env.dir / "DATA/none.x"));
}

TEST_F(DataFile, WriteReadWriteIsByteForByte) {
  for (int s : {1, 0}) {
    FillStore(p, s, {1, 7, 127}, 200);
    store::Header_s& h = p.Header(store::StoreFromFlag(s));
    // Bytes no field uses (after the comment's end, trigger time) must survive.
    std::memset(h.Comment, 'x', sizeof h.Comment);
    std::memcpy(h.Comment, "note\0tail", 9);
    h.Comment[299] = '\0';
    h.TriggerTime[2] = 77;
    h.PreTrigger = 33;
    p.Freq(store::StoreFromFlag(s))[7] = 1;
    ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\a.x", store::StoreFromFlag(s), 0), 1);
    FillStore(p, s, {0}, 5);
    p.Freq(store::StoreFromFlag(s))[7] = 0;
    ASSERT_EQ(Read("\\DATA\\a.x", s), 1);
    EXPECT_EQ(std::tuple(p.Header(store::StoreFromFlag(s)).ChannelCount,
                         state::Pocatek(p, store::StoreFromFlag(s), 127),
                         int32_t(p.Graphs(store::StoreFromFlag(s))[3].DisplType)),
              std::tuple(3, 400, 2));
    EXPECT_EQ(p.Samples(store::StoreFromFlag(s))[400 + 199], PatternValue(s, 127, 199));
    EXPECT_NE(p.Freq(store::StoreFromFlag(s))[7], 0);
    ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\b.x", store::StoreFromFlag(s), 0), 1);
    EXPECT_EQ(ReadBytes(env.dir / "DATA/a.x"), ReadBytes(env.dir / "DATA/b.x"));
  }
}

TEST_F(DataFile, CountsFlagsKindsAndAccumulation) {
  // The header's count is recounted from the flags.
  FileImage f(128, 1, 10);
  f.AddChannel(3, 1.0f);
  f.AddChannel(9, 2.0f);
  f.header().ChannelCount = 7;
  f.Write(env.dir / "DATA/c.w");
  ASSERT_EQ(Read("\\DATA\\c.w", 1), 1);
  EXPECT_EQ(p.HGW.ChannelCount, 2);
  EXPECT_EQ(p.Waveform[10], 2.0f);
  // A measurement file is no waveform and the other way round.
  FillStore(p, 0, {0, 1}, 50);
  ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\m.m", store::Store::M, 0), 1);
  FillStore(p, 1, {4}, 20);
  Snapshot before(p);
  EXPECT_EQ(Read("\\DATA\\m.m", 1), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(p, 388), 13));
  ASSERT_EQ(files::WriteDataFileUtil(p, "\\DATA\\w.w", store::Store::W, 0), 1);
  EXPECT_EQ(Read("\\DATA\\w.w", 0), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(p, 391), 13));
  EXPECT_TRUE(Snapshot(p) == before);
  // Accumulating the same file doubles.
  ASSERT_EQ(Read("\\DATA\\w.w", 1, -1, -1, 1), 1);
  EXPECT_EQ(p.Waveform[19], 2 * PatternValue(1, 4, 19));
}

TEST_F(DataFile, SingleChannelIntoALongerOrShorterStore) {
  FileImage f(128, 1, 50);
  f.AddChannel(1, 100.0f, "first");
  f.AddChannel(6, 200.0f, "wanted");
  f.header().IsWaveform = 0;  // the kind is not checked for one channel
  f.Write(env.dir / "DATA/one.w");
  FillStore(p, 1, {0, 2}, 80);
  p.WFreq[2] = 1;
  ASSERT_EQ(Read("\\DATA\\one.w", 1, 6, 2), 1);
  EXPECT_STREQ(p.FGW[2].Name, "wanted");
  EXPECT_EQ(std::tuple(p.WFreq[2], p.HGW.Length), std::tuple(0, 80));
  // The rest of the store's length is zero; other channels untouched.
  EXPECT_EQ(std::tuple(p.Waveform[80 + 49], p.Waveform[80 + 50], p.Waveform[0]),
            std::tuple(249.0f, 0.0f, PatternValue(1, 0, 0)));
  // A file longer than the store gives only the store's length.
  FillStore(p, 1, {0, 2}, 20);
  ASSERT_EQ(Read("\\DATA\\one.w", 1, 1, 0), 1);
  EXPECT_EQ(std::tuple(p.Waveform[19], p.Waveform[20]), std::tuple(119.0f, PatternValue(1, 2, 0)));
}

TEST_F(DataFile, SingleChannelRefusals) {
  FileImage f(128, 1, 10);
  f.AddChannel(1, 1.0f);
  f.Write(env.dir / "DATA/r.w");
  FillStore(p, 1, {0}, 10);
  FillStore(p, 0, {0}, 10);
  Snapshot before(p);
  EXPECT_EQ(Read("\\DATA\\r.w", 1, 2, 0), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(p, 395), 13));
  EXPECT_EQ(Read("\\DATA\\r.w", 1, 1, 5), 0);  // inactive target
  EXPECT_EQ(Read("\\DATA\\r.w", 1, 200, 0), 0);
  // The measurement store has no single-channel mode: nothing read, success.
  EXPECT_EQ(Read("\\DATA\\r.w", 0, 1, 0), 1);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(DataFile, SegmentedFilesSkipTheSegmentRecord) {
  FileImage f(128, 1, 12);
  f.SetSegmented();
  f.AddChannel(0, 5.0f);
  f.Write(env.dir / "DATA/seg.w");
  ASSERT_EQ(Read("\\DATA\\seg.w", 1), 1);
  EXPECT_EQ(p.Waveform[11], 16.0f);
  FillStore(p, 1, {3}, 12);
  ASSERT_EQ(Read("\\DATA\\seg.w", 1, 0, 3), 1);
  EXPECT_EQ(p.Waveform[0], 5.0f);
}

}  // namespace
