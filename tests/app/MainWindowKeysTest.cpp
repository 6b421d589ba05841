#include <gtest/gtest.h>

#include <tuple>

#include "app/MainWindow.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

constexpr int kF1 = 0x70, kF3 = 0x72, kF6 = 0x75, kF7 = 0x76, kF9 = 0x78;
constexpr int kEsc = 27, kPause = 19, kCtrl = 17, kShift = 16;

struct DialogView : app::MainView {
  std::vector<int> opened;
  bool OpenCommandDialog(int firstKey) override {
    opened.push_back(firstKey);
    return true;
  }
};

struct MainWindowKeysTest : ::testing::Test {
  TestEnv env{8192};
  state::Program& p = env.prog;
  DialogView view;
  app::TMainWindow w{p, &view};

  void SetUp() override {
    env.windows.SetMainHandler([this](int code, int arg) { w.WMUserMessage(code, arg); });
    w.Timer();  // first tick: loads, opens the windows and arms the keys
    env.windows.DeliverPending();
    env.ui.ClearLog();
  }
  // One key stroke as a window delivers it, followed by the next tick.
  void Stroke(int key, int modifiers = 0) {
    w.KeyDown(key, modifiers);
    w.KeyUp(key);
    Tick();
  }
  void Tick() {
    env.windows.DeliverPending();
    w.Timer();
  }
};

TEST_F(MainWindowKeysTest, FunctionKeysReachTheirCommands) {
  p.BoardPresent = 0;
  p.DG.Simulation = 0;
  Stroke(kF6);  // a waveform run without card or simulation is refused with 56
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 56)), 1);
  Stroke(kF7);
  EXPECT_GE(env.ui.Log().size(), 2u) << "the measurement run said why it did not start";
  env.ui.ClearLog();
  Stroke(kF1);  // main help: shown, or its missing file reported
  EXPECT_FALSE(env.ui.Log().empty());
  env.ui.ClearLog();
  // F3 with the dialog cancelled keeps the waveform windows as they were.
  ASSERT_TRUE(state::AnyWindowOpen(p, store::Store::W));
  Stroke(kF3);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.Log()[0].kind, "file");
  EXPECT_TRUE(state::AnyWindowOpen(p, store::Store::W));
}

TEST_F(MainWindowKeysTest, F9AndCtrlF9AskBeforeLeaving) {
  env.ui.Push(platform::Answer::No);
  Stroke(kF9);
  EXPECT_EQ(std::tuple(env.ui.Count(state::Txt(p, 10)), p.BudeKonecAleAzPoGrafech), std::tuple(1, 0));
  env.ui.Push(platform::Answer::Yes);
  w.KeyDown(kCtrl);
  Stroke(kF9);
  EXPECT_TRUE(w.Closed());
}

TEST_F(MainWindowKeysTest, EscapeAndPauseStopRunsAndMacrosBeforeLeaving) {
  p.QW = 1;
  p.DoQW = 1;
  Stroke(kEsc);
  EXPECT_EQ(p.QW, 0);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 0) << "no exit question during a run";
  env.ui.Push(platform::Answer::No);
  Stroke(kEsc);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 1);
  EXPECT_FALSE(w.Closed());
  // During a macro Escape asks to stop it.
  env.ui.ClearLog();
  p.MacGoing = 1;
  env.ui.Push(platform::Answer::No);
  Stroke(kEsc);
  EXPECT_EQ(std::tuple(env.ui.Count(state::Txt(p, 210)), p.MacGoing), std::tuple(1, 1));
  env.ui.Push(platform::Answer::Yes);
  w.KeyDown(kEsc);
  EXPECT_EQ(std::tuple(p.MacGoing, env.ui.Count(state::Txt(p, 10))), std::tuple(0, 0));
  // Pause stops only a waveform run.
  w.KeyUp(kEsc);
  Tick();
  env.ui.ClearLog();
  Stroke(kPause);
  EXPECT_TRUE(env.ui.Log().empty());
  p.QW = 1;
  Stroke(kPause);
  EXPECT_EQ(p.QW, 0);
}

}  // namespace
