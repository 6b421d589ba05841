#include <gtest/gtest.h>

#include "dsp/DspTestSupport.h"
#include "files/DataFileWriter.h"
#include "ops/ChannelTransport.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::Layout;
using dsptest::Snapshot;
using store::Store;

constexpr int kLength = 100;

float Value(int ch, int k) { return float(ch * 1000 + k); }

std::vector<float> Expected(int ch, float sign = 1) {
  std::vector<float> v(kLength);
  for (int k = 0; k < kLength; ++k) v[size_t(k)] = sign * Value(ch, k);
  return v;
}

class ChannelTransport : public ::testing::Test {
 protected:
  // Channels 1, 2 and 7 in the user's numbering.
  void SetUp() override {
    Layout(p, 1, {0, 1, 6}, kLength, Value);
    store::CopyText(p.FGW[1].Name, "Source");
    p.FGW[1].PrefixCode = 3;
    p.WFreq[1] = 1;
  }
  // A .W file of the given channels, then the store as SetUp leaves it.
  void WriteFile(const char* name, const std::vector<int>& channels) {
    Layout(p, 1, channels, kLength, [](int ch, int k) { return -Value(ch, k); });
    ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
    SetUp();
  }
  testing_support::TestEnv env{1000};  // room for ten blocks
  state::Program& p = env.prog;
};

TEST_F(ChannelTransport, QuestionsAndMessagesWithAsk) {
  const Snapshot before(p);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 1, 4, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 336, {2, 5}));
  // Overwriting an active channel asks a second time.
  env.ui.Push(platform::Answer::Yes);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 1, 6, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 337));
  EXPECT_TRUE(Snapshot(p) == before);

  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 1, 6, true), 1);  // default answers are Yes
  EXPECT_EQ(Channel(p, 1, 6), Expected(1));
  EXPECT_EQ(p.HGW.ChannelCount, 3);
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 339, {2, 7}));
  p.MacGoing = 1;  // a macro is not asked
  env.ui.ClearLog();
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 0, 9, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST_F(ChannelTransport, RefusalsLeaveTheStoreAsItWas) {
  const Snapshot before(p);
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 3, 4, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 335));
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 128, 4, false), 0);
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 1, -1, false), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  // Fill the store to its ten blocks; the eleventh does not fit.
  for (int ch = 10; ch < 17; ++ch) ASSERT_EQ(ops::ChanelTransportUtil(p, Store::W, 0, ch, false), 1);
  const Snapshot full(p);
  EXPECT_EQ(ops::ChanelTransportUtil(p, Store::W, 0, 20, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 338));
  EXPECT_TRUE(Snapshot(p) == full);
}

TEST_F(ChannelTransport, DeleteMovesTheBlocksAboveDownOnBothStores) {
  state::DisplayWave(p, store::Store::W, 1);
  ASSERT_TRUE(p.QWWin[1]);
  ASSERT_EQ(ops::ChanelDeleteUtil(p, Store::W, 1), 1);
  EXPECT_FALSE(p.QWWin[1]);
  EXPECT_EQ(std::tuple(p.HGW.ChannelOn[1], p.HGW.ChannelCount), std::tuple(0, 2));
  EXPECT_EQ(state::Pocatek(p, store::Store::W, 6), kLength);
  EXPECT_EQ(Channel(p, 1, 6), Expected(6));
  const Snapshot before(p);
  EXPECT_EQ(ops::ChanelDeleteUtil(p, Store::W, 1), 0);
  EXPECT_EQ(ops::ChanelDeleteUtil(p, Store::W, 200), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  // The front end numbers from 1 and asks for 0.
  env.ui.Push(int64_t(7));
  ASSERT_EQ(ops::ChanelDelete(p, Store::W, 0), 1);
  EXPECT_EQ(Channel(p, 1, 0), Expected(0));
  EXPECT_EQ(p.HGW.ChannelCount, 1);

  Layout(p, 0, {2, 3}, kLength, Value);
  ASSERT_EQ(ops::ChanelTransport(p, Store::M, 4, 1), 1);  // channel 4 to channel 1
  EXPECT_EQ(Channel(p, 0, 0), Expected(3));
  EXPECT_EQ(Channel(p, 0, 2), Expected(2));
  ASSERT_EQ(ops::ChanelDeleteUtil(p, Store::M, 2), 1);
  EXPECT_EQ(Channel(p, 0, 3), Expected(3));
}

TEST_F(ChannelTransport, ReadingAChannelOfAFile) {
  WriteFile("\\DATA\\two.W", {0, 2});
  // File channel 3 into the inactive channel 5: created in order.
  store::CopyText(p.DG.NameQueue, "two.W");
  ASSERT_EQ(ops::ChanelRead(p, 3, 5), 1);
  EXPECT_EQ(Channel(p, 1, 4), Expected(2, -1));
  EXPECT_EQ(Channel(p, 1, 6), Expected(6));
  EXPECT_EQ(p.WFreq[4], 0);
  // A failed read leaves no channel behind.
  const Snapshot before(p);
  store::CopyText(p.DG.NameQueue, "none.W");
  EXPECT_EQ(ops::ChanelRead(p, 1, 9), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 316));
  store::CopyText(p.DG.NameQueue, "two.W");
  EXPECT_EQ(ops::ChanelRead(p, 2, 9), 0);  // the file has no channel 2
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(ChannelTransport, MultipleReadsEndWhenTheDialogIsCancelled) {
  WriteFile("\\DATA\\one.W", {0});
  const std::string path = env.paths.Resolve("\\DATA\\one.W");
  for (int target : {4, 2}) {
    env.ui.Push(int64_t(1));
    env.ui.Push(int64_t(target));
    env.ui.Push(std::optional<std::string>(path));
  }
  EXPECT_EQ(ops::MultiChanelRead(p), 2);  // the third dialog is cancelled
  EXPECT_EQ(Channel(p, 1, 3), Expected(0, -1));
  EXPECT_EQ(Channel(p, 1, 1), Expected(0, -1));
  EXPECT_EQ(Channel(p, 1, 6), Expected(6));
}

}  // namespace
