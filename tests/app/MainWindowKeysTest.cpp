#include <gtest/gtest.h>

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

TEST_F(MainWindowKeysTest, KeysWaitForTheTickAfterEachRelease) {
  app::TMainWindow fresh{p, &view};
  fresh.KeyDown('A', 0);
  EXPECT_TRUE(view.opened.empty()) << "no key before the first tick";
  w.KeyDown('A', 0);
  w.CommandDialogClosed(false, "");
  w.KeyUp('A');
  w.KeyDown('B', 0);
  EXPECT_EQ(view.opened, std::vector<int>{'A'}) << "a release disarms the keys until the next tick";
  w.Timer();
  w.KeyDown('B', 0);
  EXPECT_EQ(view.opened, (std::vector<int>{'A', 'B'}));
}

TEST_F(MainWindowKeysTest, LetterOpensTheCommandDialogOnlyWithoutModifiers) {
  for (int modifier : {kCtrl, kShift}) {
    w.KeyDown(modifier);
    w.KeyDown('S');
    w.KeyDown('S', 4);  // Alt as the host reports it
    EXPECT_TRUE(view.opened.empty());
    w.KeyUp(modifier);
    EXPECT_EQ(w.KeyModifier, 0);
    w.Timer();
  }
  w.KeyDown('S');
  ASSERT_EQ(view.opened, std::vector<int>{'S'});
  // The key stays "down" while its dialog is open; a second letter opens no second dialog.
  w.KeyUp('S');
  EXPECT_EQ(w.InKeyDown, 1);
  w.Timer();
  w.KeyDown('T');
  EXPECT_EQ(view.opened.size(), 1u);
  w.CommandDialogClosed(false, "");
  EXPECT_EQ(w.InKeyDown, 0);
}

TEST_F(MainWindowKeysTest, CommandDialogRunsItsLineOnOkOnly) {
  p.PG.Sound = 0;
  int beeps = env.ui.beeps_;
  w.KeyDown('B');
  w.CommandDialogClosed(false, "BEEPON");
  EXPECT_EQ(p.PG.Sound, 0);
  w.Timer();
  w.KeyDown('B');
  w.CommandDialogClosed(true, "BEEPON");
  EXPECT_EQ(p.PG.Sound, 1);
  EXPECT_EQ(env.ui.beeps_, beeps + 1);
  // A line longer than the command buffer is cut, not overrun.
  w.Timer();
  w.KeyDown('X');
  w.CommandDialogClosed(true, std::string(500, 'X'));
  EXPECT_EQ(env.ui.Count(state::Txt(p, 14)), 1) << "the unknown keyword is reported once";
}

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
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 1);
  EXPECT_EQ(p.BudeKonecAleAzPoGrafech, 0);
  env.ui.Push(platform::Answer::Yes);
  w.KeyDown(kCtrl);
  Stroke(kF9);
  EXPECT_TRUE(w.Closed());
}

TEST_F(MainWindowKeysTest, EscapeStopsARunBeforeItAsksToLeave) {
  p.QW = 1;
  p.DoQW = 1;
  Stroke(kEsc);
  EXPECT_EQ(p.QW, 0);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 0) << "no exit question during a run";
  env.ui.Push(platform::Answer::No);
  Stroke(kEsc);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 1);
  EXPECT_FALSE(w.Closed());
}

TEST_F(MainWindowKeysTest, EscapeDuringAMacroAsksToStopIt) {
  p.MacGoing = 1;
  env.ui.Push(platform::Answer::No);
  Stroke(kEsc);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 210)), 1);
  EXPECT_EQ(p.MacGoing, 1);
  env.ui.Push(platform::Answer::Yes);
  w.KeyDown(kEsc);
  EXPECT_EQ(p.MacGoing, 0);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 10)), 0);
}

TEST_F(MainWindowKeysTest, PauseStopsOnlyAWaveformRun) {
  Stroke(kPause);
  EXPECT_TRUE(env.ui.Log().empty());
  p.QW = 1;
  Stroke(kPause);
  EXPECT_EQ(p.QW, 0);
}

}  // namespace
