#include <gtest/gtest.h>

#include <cstring>

#include "dsp/DspTestSupport.h"
#include "ops/MeasurementTransfer.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::Snapshot;

class MeasurementTransfer : public ::testing::Test {
 protected:
  void SetUp() override {
    dsptest::Layout(p, 1, {0, 1, 2, 3}, 200, [](int, int) { return 7.0f; });
    dsptest::Layout(p, 0, {1, 5}, 50, [](int ch, int k) { return float(ch) + 0.01f * float(k); });
    p.HGB.TriggerFlag = 1;
    p.HGB.PreTrigger = 9;
    store::CopyText(p.HGB.Comment, "measured");
    store::CopyText(p.FGB[5].Name, "Temp");
    p.BFreq[5] = 1;
    p.WFreq[0] = 1;
  }
  testing_support::TestEnv env{1024};
  state::Program& p = env.prog;
};

TEST_F(MeasurementTransfer, TheMeasurementReplacesTheWaveform) {
  p.PG.WWindows = 0;
  state::DisplayWave(p, store::Store::W, 0);
  state::DisplayWave(p, store::Store::W, 1);
  ASSERT_EQ(ops::MeasurementToWaveform(p, false), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(std::tuple(p.HGW.IsWaveform, p.HGW.TriggerFlag, p.HGW.PreTrigger, p.HGW.Length,
                       p.HGW.ChannelCount, p.HGW.ChannelOn[0], p.WFreq[5], p.WFreq[0], p.HGB.IsWaveform),
            std::tuple(1, 0, 9, 50, 2, 0, 1, 0, 0));  // the measurement itself stays
  EXPECT_STREQ(p.HGW.Comment, "measured");
  EXPECT_EQ(std::memcmp(p.FGW.get(), p.FGB.get(), p.FGW.bytes()), 0);
  EXPECT_EQ(Channel(p, 1, 1), Channel(p, 0, 1));
  EXPECT_EQ(Channel(p, 1, 5), Channel(p, 0, 5));
  // Open windows follow the new channels.
  EXPECT_FALSE(p.QWWin[0]);
  EXPECT_TRUE(p.QWWin[1]);
  // With the option set, the waveform windows reopen.
  state::UnDisplayWave(p, store::Store::W, -1);
  SetUp();
  p.PG.WWindows = 1;
  p.MG.WDisplay[1] = p.MG.WDisplay[5] = 1;
  ASSERT_EQ(ops::MeasurementToWaveform(p, false), 1);
  EXPECT_TRUE(p.QWWin[1] && p.QWWin[5]);
}

TEST_F(MeasurementTransfer, QuestionConfirmationAndRefusals) {
  const Snapshot before(p);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(ops::MeasurementToWaveform(p, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 359));
  EXPECT_TRUE(Snapshot(p) == before);
  // A measurement header claiming more than the arrays hold.
  p.HGB.Length = 600;
  const Snapshot tooLong(p);
  env.ui.ClearLog();
  EXPECT_EQ(ops::MeasurementToWaveform(p, false), 0);
  EXPECT_TRUE(Snapshot(p) == tooLong);
  EXPECT_EQ(env.ui.Log().size(), 1u);
  p.HGB.Length = 50;

  EXPECT_EQ(ops::MeasurementToWaveform(p, true), 1);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 360));
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::MeasurementToWaveform(p, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST(WaveToMeasurementCheck, ModesNeedTheirChannelsSelected) {
  testing_support::TestEnv env(256);
  state::Program& p = env.prog;
  for (int i = 0; i < store::kChannels; ++i) p.MG.Acquire[i] = 0;
  EXPECT_EQ(ops::Kontrola_WToMFun(p, 3), 1);
  EXPECT_EQ(ops::Kontrola_WToMFun(p, 8), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1032));
  p.MG.Acquire[0] = p.MG.Acquire[1] = 1;
  EXPECT_EQ(ops::Kontrola_WToMFun(p, 8), 1);
  EXPECT_EQ(ops::Kontrola_WToMFun(p, 10), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1033));
  for (int i = 0; i < 6; ++i) p.MG.Acquire[i] = 1;
  EXPECT_EQ(ops::Kontrola_WToMFun(p, 9), 1);
}

}  // namespace
