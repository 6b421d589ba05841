#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "daq/ChannelForm.h"
#include "files/ColourFile.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using daq::ChannelForm;

std::vector<uint8_t> Bytes(const state::Program& p) {
  std::vector<uint8_t> b(sizeof(store::MG_s) + sizeof(store::Col_s));
  std::memcpy(b.data(), &p.MG, sizeof(store::MG_s));
  std::memcpy(b.data() + sizeof(store::MG_s), p.Col_.get(), sizeof(store::Col_s));
  return b;
}

struct ChannelFormTest : testing::Test {
  ChannelFormTest() {
    files::Init_Color(p);
    for (int i = 0; i < store::kChannels; ++i) p.MG.Acquire[i] = p.MG.WDisplay[i] = p.MG.MDisplay[i] = 0;
    p.MG.Acquire[0] = 1;
    p.PG.MemoryMode = 3;
  }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(ChannelFormTest, PagesShowTheFlagsAndWriteBackWhenLeft) {
  p.MG.Acquire[17] = 1;
  p.MG.WDisplay[18] = 1;
  p.MG.MDisplay[31] = 1;
  ChannelForm f(p);
  EXPECT_TRUE(f.Box(0, 0));
  f.ChangePage(p, 1);
  EXPECT_EQ(f.FirstChannel(), 16);
  EXPECT_EQ(std::tuple(f.Box(0, 1), f.Box(1, 2), f.Box(2, 15), f.Box(0, 0)),
            std::tuple(true, true, true, false));
  // Channel 20 checked on " 17-32", the page changed, then cancelled: the
  // page left was written back, so channel 20 stays acquired.
  f.SetBox(0, 3, true);
  EXPECT_EQ(p.MG.Acquire[19], 0);
  f.ChangePage(p, 0);
  EXPECT_EQ(std::tuple(p.MG.Acquire[19], p.MG.Acquire[17]), std::tuple(1, 1));
  // Boxes changed on the shown page and then cancelled never reach the tables.
  const auto before = Bytes(p);
  f.SetBox(0, 0, false);
  f.SetBox(2, 5, true);
  EXPECT_EQ(Bytes(p), before);
  EXPECT_STREQ(daq::PageLabel(1), " 17-32");
  EXPECT_STREQ(daq::PageLabel(9), "");
}

TEST_F(ChannelFormTest, HiddenRowsHaveNoEffectAndAreNotReadBack) {
  p.PG.MemoryMode = 2;  // only the measurement store
  p.MG.WDisplay[0] = 1;
  ChannelForm f(p);
  EXPECT_EQ(std::tuple(f.RowShown(0), f.RowShown(1), f.RowShown(2)), std::tuple(true, false, true));
  f.SetBox(1, 3, true);
  EXPECT_FALSE(f.Box(1, 3));
  env.ui.ClearLog();
  EXPECT_FALSE(f.SetRow(p, 1, false));
  EXPECT_TRUE(env.ui.Log().empty());  // not even asked
  f.SetBox(2, 4, true);
  ASSERT_EQ(f.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.MG.WDisplay[0], p.MG.WDisplay[3], p.MG.MDisplay[4]), std::tuple(1, 0, 1));
}

TEST_F(ChannelFormTest, RowButtonsAskFirst) {
  ChannelForm f(p);
  env.ui.Push(platform::Answer::No);
  EXPECT_FALSE(f.SetRow(p, 2, true));
  EXPECT_FALSE(f.Box(2, 7));
  for (auto [row, on] : {std::pair{2, true}, {0, false}}) {
    env.ui.Push(platform::Answer::Yes);
    EXPECT_TRUE(f.SetRow(p, row, on));
    for (int c = 0; c < daq::kPageChannels; ++c) EXPECT_EQ(f.Box(row, c), on) << row << " " << c;
  }
}

TEST_F(ChannelFormTest, NoAcquiredChannelIsRefusedAndChangesNothing) {
  p.MG.RunFlag1 = p.MG.RunFlag2 = 7;
  ChannelForm f(p);
  f.SetColour(2, 0x123456);
  f.SetBox(0, 0, false);
  f.SetBox(2, 1, true);
  const auto before = Bytes(p);
  EXPECT_EQ(f.Accept(p), 0);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 255)), 1);
  EXPECT_EQ(Bytes(p), before);
  // The dialog stays open with the boxes as they were set.
  EXPECT_EQ(std::tuple(f.Box(0, 0), f.Box(2, 1)), std::tuple(false, true));
  // A channel acquired on a page left earlier counts.
  f.ChangePage(p, 4);
  f.SetBox(0, 9, true);  // channel 74
  f.ChangePage(p, 0);
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.MG.Acquire[73], p.MG.Acquire[0]), std::tuple(1, 0));
}

TEST_F(ChannelFormTest, RunFlagsFollowTheNumberOfAcquiredChannels) {
  p.MG.RunFlag1 = p.MG.RunFlag2 = 1;
  ChannelForm f(p);
  ASSERT_EQ(f.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.MG.RunFlag1, p.MG.RunFlag2), std::tuple(0, 0));
  ChannelForm g(p);
  g.SetBox(0, 1, true);
  ASSERT_EQ(g.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.MG.RunFlag1, p.MG.RunFlag2, p.MG.Acquire[1]), std::tuple(1, 1, 1));
}

TEST_F(ChannelFormTest, ColoursAreACopyWrittenOnlyOnOk) {
  const uint32_t original = p.Col_[0].TraceColor[17];
  p.Col_[0].TimeStep[3] = 0.5f;
  ChannelForm f(p);
  f.ChangePage(p, 1);
  EXPECT_EQ(f.Colour(1), original);
  EXPECT_EQ(f.ColourTitle(1), "Barva kanálu č. 18");
  f.SetColour(1, 0xFF123456);
  EXPECT_EQ(std::tuple(f.Colour(1), p.Col_[0].TraceColor[17]), std::tuple(0x123456u, original));
  // "init" resets the copy only: the table itself still waits for OK.
  const auto before = Bytes(p);
  f.InitColours(p);
  EXPECT_EQ(Bytes(p), before);
  EXPECT_EQ(f.Colour(1), original);
  f.SetColour(1, 0x00ABCDEF);
  ASSERT_EQ(f.Accept(p), 1);
  // The copy was taken whole, and "init" restored the factory scale steps.
  EXPECT_EQ(std::tuple(p.Col_[0].TraceColor[17], p.Col_[0].TimeStep[3]), std::tuple(0x00ABCDEFu, -1.0f));
}

TEST_F(ChannelFormTest, DefaultsPicturesAndInformation) {
  p.MG.Acquire[5] = 1;
  p.HGW.ChannelOn[2] = 1;
  p.HGW.ChannelCount = 3;
  p.HGW.Length = 500;
  ChannelForm f(p);
  f.Defaults();
  EXPECT_EQ(std::tuple(f.Box(0, 0), f.Box(0, 5), f.Box(1, 0)), std::tuple(true, false, true));
  EXPECT_EQ(std::tuple(f.ChannelPresent(p, store::Store::W, 2), f.ChannelPresent(p, store::Store::W, 3),
                       f.ChannelPresent(p, store::Store::W, 99)),
            std::tuple(true, false, false));
  EXPECT_EQ(f.Info(p, store::Store::W).used, 1500);
  // Out-of-range cells are ignored, not written.
  f.SetBox(3, 0, true);
  f.SetBox(0, 16, true);
  f.SetBox(-1, -1, true);
  EXPECT_FALSE(f.Box(0, 16));
  f.ChangePage(p, 8);
  EXPECT_EQ(f.Page(), 0);
}

}  // namespace
