// Writing and reading whole stores, single channels and accumulation.
#include <gtest/gtest.h>

#include <cstring>

#include "DataFileTestSupport.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace {

using datafile_test::FileImage;
using datafile_test::FillStore;
using datafile_test::PatternValue;
using datafile_test::Snapshot;
using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

bool LastMessageIs(TestEnv& env, const std::string& text, int title) {
  for (auto it = env.ui.Log().rbegin(); it != env.ui.Log().rend(); ++it)
    if (it->kind == "message") return it->text == text && it->title == state::Txt(env.prog, title);
  return false;
}

TEST(DataFileWrite, TwoChannelsGiveTheExactLayout) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 2}, 100);
  env.prog.WFreq[2] = 1;  // a spectrum channel is written with IsSpectrum set
  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\two.w", store::Store::W, 0), 1);
  auto bytes = ReadBytes(env.dir / "DATA/two.w");
  ASSERT_EQ(bytes.size(), 1564u);
  EXPECT_EQ(std::memcmp(bytes.data(), "TARVELIN, B 3.0,7/95\x80\0", 22), 0);  // identification, capacity 128
  EXPECT_EQ(std::memcmp(&bytes[22], &env.prog.HGW, 586), 0);

  store::Channel_s rec;
  std::memcpy(&rec, &bytes[608], 78);
  EXPECT_EQ(rec.IsSpectrum, 0);
  float v;
  std::memcpy(&v, &bytes[686 + 99 * 4], 4);
  EXPECT_EQ(v, PatternValue(1, 0, 99));
  std::memcpy(&rec, &bytes[608 + 478], 78);
  EXPECT_STREQ(rec.Name, "Chan 2");
  EXPECT_EQ(rec.IsSpectrum, 1);
  std::memcpy(&v, &bytes[608 + 478 + 78], 4);
  EXPECT_EQ(v, PatternValue(1, 2, 0));
}

TEST(DataFileWrite, SingleChannelLeavesTheStoreHeaderAlone) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 2, 5}, 64);
  const store::Header_s before = env.prog.HGW;
  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\one.w", store::Store::W, 3), 1);
  EXPECT_EQ(std::memcmp(&before, &env.prog.HGW, sizeof before), 0);

  auto bytes = ReadBytes(env.dir / "DATA/one.w");
  ASSERT_EQ(bytes.size(), 22u + 586 + 78 + 64 * 4);
  store::Header_s h;
  std::memcpy(&h, &bytes[22], sizeof h);
  EXPECT_EQ(h.ChannelCount, 1);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(h.ChannelOn[i] != 0, i == 2) << i;
  float v;
  std::memcpy(&v, &bytes[608 + 78 + 10 * 4], 4);
  EXPECT_EQ(v, PatternValue(1, 2, 10));
}

TEST(DataFileWrite, InactiveSingleChannelWritesNothing) {
  for (int s : {1, 0}) {
    TestEnv env(4096);
    FillStore(env.prog, s, {0}, 16);
    EXPECT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\none.x", store::StoreFromFlag(s), 4), 0);
    EXPECT_FALSE(testing_support::FileExists(env.dir / "DATA/none.x"));
    EXPECT_TRUE(LastMessageIs(env, state::TxtF(env.prog, s ? 396 : 397, {4}), 13));
  }
}

TEST(DataFileWrite, MeasuredAgainstTheArrayNotTheNextSize) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 1}, 2000);
  env.prog.DG.TotalSamples = 1024;  // lowered for the next start: the exit still saves
  EXPECT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\big.w", store::Store::W, 0), 1);
  env.prog.HGW.Length = 2100;  // would read past the array
  EXPECT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\bad.w", store::Store::W, 0), 0);
  EXPECT_FALSE(testing_support::FileExists(env.dir / "DATA/bad.w"));
}

TEST(DataFileRoundTrip, WriteReadWriteIsByteForByte) {
  for (int s : {1, 0}) {
    TestEnv env(4096);
    FillStore(env.prog, s, {1, 7, 127}, 200);
    store::Header_s& h = env.prog.Header(store::StoreFromFlag(s));
    // Bytes no field uses (after the comment's end, trigger time) must survive.
    std::memset(h.Comment, 'x', sizeof h.Comment);
    std::memcpy(h.Comment, "note\0tail", 9);
    h.Comment[299] = '\0';
    h.TriggerTime[2] = 77;
    h.PreTrigger = 33;
    env.prog.Freq(store::StoreFromFlag(s))[7] = 1;
    ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\a.x", store::StoreFromFlag(s), 0), 1);

    FillStore(env.prog, s, {0}, 5);
    env.prog.Freq(store::StoreFromFlag(s))[7] = 0;
    ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\a.x", store::StoreFromFlag(s), true, -1, -1, false),
              1);
    EXPECT_EQ(env.prog.Header(store::StoreFromFlag(s)).ChannelCount, 3);
    EXPECT_EQ(state::Pocatek(env.prog, store::StoreFromFlag(s), 127), 400);
    EXPECT_EQ(env.prog.Samples(store::StoreFromFlag(s))[400 + 199], PatternValue(s, 127, 199));
    EXPECT_NE(env.prog.Freq(store::StoreFromFlag(s))[7], 0);
    EXPECT_EQ(int32_t(env.prog.Graphs(store::StoreFromFlag(s))[3].DisplType), 2);

    ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\b.x", store::StoreFromFlag(s), 0), 1);
    EXPECT_EQ(ReadBytes(env.dir / "DATA/a.x"), ReadBytes(env.dir / "DATA/b.x"));
  }
}

TEST(DataFileRead, HeaderCountIsRecountedFromTheFlags) {
  TestEnv env(4096);
  FileImage f(128, 1, 10);
  f.AddChannel(3, 1.0f);
  f.AddChannel(9, 2.0f);
  f.header().ChannelCount = 7;
  WriteBytes(env.dir / "DATA/c.w", f.Bytes());
  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\c.w", store::Store::W, true, -1, -1, false), 1);
  EXPECT_EQ(env.prog.HGW.ChannelCount, 2);
  EXPECT_EQ(env.prog.Waveform[10], 2.0f);
}

TEST(DataFileRead, KindMismatchLeavesTheStore) {
  TestEnv env(4096);
  FillStore(env.prog, 0, {0, 1}, 50);
  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\m.m", store::Store::M, 0), 1);
  FillStore(env.prog, 1, {4}, 20);
  Snapshot before(env.prog);
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\m.m", store::Store::W, true, -1, -1, false), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 388), 13));
  EXPECT_TRUE(Snapshot(env.prog) == before);

  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\w.w", store::Store::W, 0), 1);
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\w.w", store::Store::M, true, -1, -1, false), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 391), 13));
  EXPECT_TRUE(Snapshot(env.prog) == before);
}

TEST(DataFileRead, AccumulatingTheSameFileDoubles) {
  TestEnv env(4096);
  FillStore(env.prog, 1, {0, 3}, 300);
  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\acc.w", store::Store::W, 0), 1);
  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\acc.w", store::Store::W, true, -1, -1, true), 1);
  EXPECT_EQ(env.prog.Waveform[0], 2 * PatternValue(1, 0, 0));
  EXPECT_EQ(env.prog.Waveform[599], 2 * PatternValue(1, 3, 299));
}

TEST(DataFileRead, SmallCapacityWriter) {
  TestEnv env(4096);
  FileImage f(64, 1, 8);
  f.AddChannel(5, 10.0f);
  f.AddChannel(63, 20.0f);
  f.header().ChannelOn[100] = 1;  // beyond such a writer's channels: never read
  WriteBytes(env.dir / "DATA/c64.w", f.Bytes());

  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\c64.w", store::Store::W, true, -1, -1, false), 1);
  EXPECT_EQ(env.prog.HGW.ChannelCount, 2);
  EXPECT_EQ(env.prog.HGW.ChannelOn[100], 0);
  EXPECT_EQ(env.prog.Waveform[8], 20.0f);

  // Single channel: only channels below the capacity exist.
  FillStore(env.prog, 1, {0}, 8);
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\c64.w", store::Store::W, true, 63, 0, false), 1);
  EXPECT_EQ(env.prog.Waveform[0], 20.0f);
  Snapshot before(env.prog);
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\c64.w", store::Store::W, true, 64, 0, false), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 498), 13));
  EXPECT_TRUE(Snapshot(env.prog) == before);
}

TEST(DataFileRead, SingleChannelIntoALongerStore) {
  TestEnv env(4096);
  FileImage f(128, 1, 50);
  f.AddChannel(1, 100.0f, "first");
  f.AddChannel(6, 200.0f, "wanted");
  f.header().IsWaveform = 0;  // the kind is not checked for one channel
  WriteBytes(env.dir / "DATA/one.w", f.Bytes());
  FillStore(env.prog, 1, {0, 2}, 80);
  env.prog.WFreq[2] = 1;

  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\one.w", store::Store::W, true, 6, 2, false), 1);
  EXPECT_STREQ(env.prog.FGW[2].Name, "wanted");
  EXPECT_EQ(env.prog.WFreq[2], 0);
  EXPECT_EQ(int32_t(env.prog.HGW.Length), 80);
  const float* ch = env.prog.Waveform.get() + 80;
  EXPECT_EQ(ch[49], 249.0f);
  EXPECT_EQ(ch[50], 0.0f);                                 // the rest of the store's length is zero
  EXPECT_EQ(env.prog.Waveform[0], PatternValue(1, 0, 0));  // other channels untouched

  // A file longer than the store gives only the store's length.
  FillStore(env.prog, 1, {0, 2}, 20);
  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\one.w", store::Store::W, true, 1, 0, false), 1);
  EXPECT_EQ(env.prog.Waveform[19], 119.0f);
  EXPECT_EQ(env.prog.Waveform[20], PatternValue(1, 2, 0));
}

TEST(DataFileRead, SingleChannelRefusals) {
  TestEnv env(4096);
  FileImage f(128, 1, 10);
  f.AddChannel(1, 1.0f);
  WriteBytes(env.dir / "DATA/r.w", f.Bytes());
  FillStore(env.prog, 1, {0}, 10);
  FillStore(env.prog, 0, {0}, 10);
  Snapshot before(env.prog);

  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\r.w", store::Store::W, true, 2, 0, false), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 395), 13));
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\r.w", store::Store::W, true, 1, 5, false),
            0);  // inactive target
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\r.w", store::Store::W, true, 200, 0, false), 0);
  // The measurement store has no single-channel mode: nothing read, success.
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\r.w", store::Store::M, true, 1, 0, false), 1);
  EXPECT_TRUE(Snapshot(env.prog) == before);
}

TEST(DataFileRead, SegmentedFilesSkipTheSegmentRecord) {
  TestEnv env(4096);
  FileImage f(128, 1, 12);
  f.SetSegmented();
  f.AddChannel(0, 5.0f);
  WriteBytes(env.dir / "DATA/seg.w", f.Bytes());
  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\seg.w", store::Store::W, true, -1, -1, false), 1);
  EXPECT_EQ(env.prog.Waveform[11], 16.0f);
  FillStore(env.prog, 1, {3}, 12);
  ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\seg.w", store::Store::W, true, 0, 3, false), 1);
  EXPECT_EQ(env.prog.Waveform[0], 5.0f);
}

}  // namespace
