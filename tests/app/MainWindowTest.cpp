#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/MainWindow.h"
#include "macro/MacroRunner.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

struct MainWindowTest : ::testing::Test {
  TestEnv env{8192};
  state::Program& p = env.prog;
  app::TMainWindow w{p};

  // Runs the first tick so the loop is in its idle state.
  void Start() {
    w.Timer();
    env.windows.DeliverPending();
  }
};

TEST_F(MainWindowTest, InputWaitEndsOnTheLevelOrTimesOut) {
  Start();
  // The simulated input word is 1: bit 0 high.
  macro::InputWait& wait = macro::PendingInputWait(p);
  p.PWait = 0;
  wait.level = 1;
  wait.timeoutTenths = 20;
  wait.start = env.clock.TickMs();
  p.MacGoing = 1;
  w.Timer();
  EXPECT_EQ(std::tuple(p.PWait, p.MacAgain), std::tuple(-1, 1));

  p.MacAgain = 0;
  p.MacGoing = 0;
  p.PWait = 3;  // bit 3 stays low
  wait.level = 1;
  wait.start = env.clock.TickMs();
  w.Timer();
  EXPECT_EQ(p.PWait, 3);
  env.clock.Advance(2100);
  w.Timer();
  EXPECT_EQ(p.PWait, -2);
  EXPECT_STREQ(p.Status, state::Txt(p, 451).c_str());
}

TEST_F(MainWindowTest, MacroWaitsForWindowsToDrawBeforeContinuing) {
  Start();
  p.MacGoing = 1;
  state::DisplayWave(p, store::Store::W, 0);
  EXPECT_EQ(std::tuple(p.MacStop, p.DisplayLeft), std::tuple(1, 1));
  p.MacAgain = 1;
  w.Timer();
  EXPECT_EQ(p.MacStop, 1);       // still drawing: the macro must wait
  env.windows.DeliverPending();  // the first paint
  EXPECT_EQ(p.DisplayLeft, 0);
  w.Timer();
  EXPECT_EQ(p.MacStop, 0);  // continued
}

TEST_F(MainWindowTest, CountedRepeatedRunStopsAfterItsCountAndInactiveChannelsOpenNoWindow) {
  Start();
  p.PG.QWRepeatCount = 3;
  p.PocitadloKolikOpak = 3;
  p.RefA().Combi = 1;  // continuous: every tick is due
  p.QW = 1;
  p.DoQW = 1;
  int repetitions = 0;
  for (int tick = 0; tick < 6 && p.QW; ++tick) {
    uint32_t before = p.LastWTime;
    env.clock.Advance(200);
    w.Timer();
    if (p.LastWTime != before) ++repetitions;
  }
  EXPECT_EQ(repetitions, 2);  // the start command took the first of the three
  EXPECT_EQ(p.QW, 0);
  EXPECT_STREQ(p.Status, state::Txt(p, 39).c_str());
  // A window of an inactive channel is refused with its number.
  env.ui.ClearLog();
  state::DisplayWave(p, store::Store::W, 5);
  EXPECT_FALSE(p.QWWin[5]);
  EXPECT_EQ(env.ui.Count(state::TxtF(p, 326, {6})), 1);
}

TEST_F(MainWindowTest, FiltrExternalStartNameAndDelays) {
  Start();
  for (int16_t& on : p.HGB.ChannelOn) on = 0;
  p.HGB.ChannelOn[0] = p.HGB.ChannelOn[2] = 1;
  p.HGB.Length = 100;
  for (int k = 0; k < 200; ++k) p.Buffer[size_t(k)] = float(k);
  p.HGB.TriggerFlag = 1;
  p.Bindx = 40;
  p.PG.Flags = 0x10;
  w.Filtr(store::Store::M);
  EXPECT_EQ(p.HGB.Length, 40);
  EXPECT_EQ(p.Buffer[40], 100.0f);  // the second channel moved up
  EXPECT_EQ(p.HGB.TriggerFlag, 0);
  p.Bindx = 3;  // never below 16
  p.HGB.Length = 40;
  w.Filtr(store::Store::M);
  EXPECT_EQ(p.HGB.Length, 16);

  // The external start's file name and the delays.
  store::CopyText(p.WG.LastWaveFile, "\\DATA\\RUN\\last.w");
  p.WG.ExtStartCount = 42;
  w.EXT_Name_Util();
  EXPECT_STREQ(p.EXT_Name, "\\DATA\\RUN\\QW_00042.w");

  uint32_t t0 = env.clock.TickMs();
  EXPECT_EQ(w.AC_Delay(3), 1);
  EXPECT_GE(env.clock.TickMs() - t0, 300u);
  env.ui.SetInputPending(true);
  EXPECT_EQ(w.AC_Delay(3), 0);  // input ends the delay
  t0 = env.clock.TickMs();
  w.AC_DelayNoInterrupt(2);
  EXPECT_EQ(env.clock.TickMs() - t0, 200u);
}

}  // namespace
