// Macros that start runs, driven through the main window's timer on a fake
// clock: the statement after a run sees the finished record, a run that is
// stopped releases its macro, and the timer goes on between statements.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "MacroTestSupport.h"
#include "app/MainWindow.h"
#include "daq/RunCommands.h"
#include "daq/RunState.h"
#include "graph/GraphModel.h"
#include "macro/InternalCommands.h"
#include "macro/MacroRunner.h"

namespace {

struct CountingView : app::MainView {
  void DrawPanel() override { ++panels; }
  int panels = 0;
};

struct Fixture {
  Fixture() {
    env.prog.GraphFactory = graph::MakeGraphWindowFactory(env.prog);  // windows that paint, as headless
    w.SetupWindow();
    w.Timer();  // the first tick loads what a start loads
    p().MG.Acquire[0] = 1;
    for (int i = 1; i < store::kChannels; ++i) p().MG.Acquire[i] = 0;
    p().DG.Simulation = 1;
  }
  state::Program& p() { return env.prog; }
  void Start(const std::string& text) {
    testing_support::WriteText(env.dir / "MACRO/T.MAC", text);
    macro::StartMacro(p(), "T");
  }
  // Timer ticks of `ms` each until the macro has ended (or `limit` ticks).
  int TickUntilIdle(uint32_t ms = 10, int limit = 100000) {
    int n = 0;
    for (; n < limit && (p().MacGoing || p().QW || p().QM); ++n) {
      env.clock.Advance(ms);
      w.Timer();
      env.windows.DeliverPending();  // first paints release what waits for a new window
    }
    return n;
  }
  std::vector<float> Samples(const char* file, size_t count) {
    auto bytes = testing_support::ReadBytes(env.dir / file);
    std::vector<float> v(count);
    const size_t at = 22 + 586 + 78;
    if (bytes.size() >= at + 4 * count) std::memcpy(v.data(), bytes.data() + at, 4 * count);
    return v;
  }

  macro_test::Env env{8192};
  CountingView view;
  app::TMainWindow w{env.prog, &view};
};

TEST(MacroRuns, TheStatementAfterARunSeesTheFinishedRecord) {
  struct Case {
    const char* name;
    const char* macro;
    std::function<void(Fixture&)> before;
    std::function<void(Fixture&)> check;
  };
  const Case cases[] = {
      {"QM then WM saves the points of the run, nothing older",
       "MSIZE 20; MPER 0.1; MSVON; MRCOFF; QM; WM \\DATA\\P.M;",
       [](Fixture& f) { std::fill(f.p().Buffer.get(), f.p().Buffer.get() + f.p().PM, 777.0f); },
       [](Fixture& f) {
         std::vector<float> v = f.Samples("DATA/P.M", 20);
         EXPECT_EQ(testing_support::ReadBytes(f.env.dir / "DATA/P.M").size(), 22u + 586u + 78u + 80u);
         EXPECT_EQ(std::count(v.begin(), v.end(), 777.0f), 0);
       }},
      {"a counted, averaged QW then WW saves after the last repetition",
       "WSIZE 64; WADDON; WRCON; QW; WW \\DATA\\A.W;",
       [](Fixture& f) {
         f.p().PG.QWRepeatCount = 3;
         f.p().RefA().WRepeatPeriod = 0.05f;
       },
       [](Fixture& f) {
         EXPECT_TRUE(testing_support::FileExists(f.env.dir / "DATA/A.W"));
         EXPECT_EQ(daq::Runs(f.p()).PocetVln, 4.0f);  // three acquisitions went into it
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.Start("SIMON;\n");  // the first tick's card state settled
    f.TickUntilIdle();
    c.before(f);
    f.Start(c.macro);
    EXPECT_EQ(f.p().MacGoing, 1) << "the run suspends the macro";
    EXPECT_EQ(f.p().MacStop, 1);
    f.TickUntilIdle();
    EXPECT_EQ(f.p().MacGoing, 0);
    EXPECT_TRUE(macro::FailedStatementList(f.p()).shown.empty());
    c.check(f);
  }
}

TEST(MacroRuns, AStoppedRepeatedRunReleasesItsMacro) {
  for (int stopBy : {0, 1}) {  // the stop command; an interrupted transfer
    Fixture f;
    f.Start("WSIZE 32; WRCON; QW; BEEP;");
    const int beeps = f.env.ui.beeps_;
    f.TickUntilIdle(50, 40);
    ASSERT_EQ(f.p().QW, 1) << "a repeated run never ends by itself";
    EXPECT_EQ(f.p().MacGoing, 1);
    if (stopBy == 0)
      daq::StopRun(f.p(), false);
    else
      f.p().INTERRUPT = 1;
    f.TickUntilIdle();
    EXPECT_EQ(std::tuple(f.p().QW, f.p().MacGoing), std::tuple(0, 0));
    EXPECT_EQ(f.env.ui.beeps_, beeps + 1) << "the statement after QW ran";
  }
}

TEST(MacroRuns, TheTimerGoesOnBetweenStatementsAndDuringDelay) {
  Fixture f;
  const int panels = f.view.panels;
  f.Start("SIMON; SIMON; SIMON;");
  EXPECT_GE(f.view.panels, panels + 3) << "each switch redrawn before the next statement";

  // A measurement run started from the panel takes its points while a
  // typed DELAY waits.
  f.p().RefA().MPeriod = 0.1f;
  f.p().RefA().MLength = 100;
  f.p().RefA().MStore = 1;
  f.p().RefA().MRepeat = 0;
  macro::Command(f.p(), 202);
  ASSERT_EQ(f.p().QM, 1);
  EXPECT_EQ(f.env.Run("DELAY 10"), 1);
  EXPECT_GE(f.p().Bindx, 9);
  EXPECT_LE(f.p().Bindx, 11);
  daq::StopRun(f.p(), false);
}

}  // namespace
