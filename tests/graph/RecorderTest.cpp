// The recorder windows: how they open and close, how a run moves them and
// what they do when the store changes under them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "daq/MeasurementRun.h"
#include "daq/RunTestSupport.h"
#include "graph/GraphModel.h"
#include "graph/RecorderModel.h"
#include "macro/CommandBuffer.h"
#include "macro/InternalCommands.h"
#include "macro/Interpreter.h"
#include "state/ExitRequest.h"
#include "state/RecorderWindows.h"
#include "state/UserMessages.h"

namespace {

using state::RecorderKind;

struct Rec : runtest::Sim {
  Rec() {
    Select({0});
    ref().MPeriod = 1.0f;
    ref().MLength = 1000;
    ref().MStore = 1;
    p().RecorderFactory = graph::MakeRecorderFactory(p(), graph::OwnSurface::Recording);
  }
  store::A_s& ref() { return p().RefA(); }
  graph::RecorderWindow* Win(RecorderKind k) {
    auto& w = (k == RecorderKind::Trend ? p().GrafWin1 : p().GrafWin2)[0];
    return dynamic_cast<graph::RecorderWindow*>(w.get());
  }
  void Route(const std::string& route) {
    if (route == "DTR") {
      macro::SetQueue(p(), "DTR");
      macro::ComInterpret(p());
    } else if (route == "QM") {
      daq::StartMeasurementRun(p());
    } else {
      macro::Command(p(), 201);
    }
  }
  // The timer's run steps for `ms`, then what the window host delivers.
  void Ticks(int ms) {
    for (int t = 0; t < ms; t += 200) {
      env.clock.Advance(200);
      if (p().QM && p().DoQM) daq::GoQM(p(), false, false);
    }
    env.windows.DeliverPending();
  }
};

TEST(RecorderWindows, OpenAndCloseByEveryRoute) {
  struct Case {
    const char* route;
    int trend, screen, storing;
  } cases[] = {{"201", 1, 0, 1}, {"DTR", 0, 1, 1}, {"DTR", 1, 1, 0}, {"QM", 1, 1, 1}, {"QM", 0, 0, 1}};
  for (const Case& c : cases) {
    Rec s;
    s.ref().MTrigger = c.trend;
    s.ref().MScroll = c.screen;
    s.ref().MStore = c.storing;
    s.Route(c.route);
    const bool wanted = c.storing != 0;
    EXPECT_EQ(s.Win(RecorderKind::Trend) != nullptr, wanted && c.trend) << c.route;
    EXPECT_EQ(s.Win(RecorderKind::Screen) != nullptr, wanted && c.screen) << c.route;
    if (std::string(c.route) == "QM") {
      // A run opens what is missing and never a second window; the exit closes them.
      macro::Command(s.p(), 208);
      s.Route("QM");
      EXPECT_EQ(s.env.windows.ShownCount(), size_t(c.trend + c.screen));
      state::MainExitTRV(s.p(), false);
    } else {
      s.Route(c.route);  // the same command closes them
    }
    EXPECT_FALSE(state::AnyRecorderOpen(s.p())) << c.route;
    EXPECT_EQ(s.env.windows.ShownCount(), 0u) << c.route;
  }
}

TEST(RecorderWindows, AWaitingMacroGoesOnAfterTheFirstPaint) {
  Rec s;
  s.ref().MTrigger = s.ref().MScroll = 1;
  s.p().MacGoing = 1;
  s.Route("DTR");
  EXPECT_EQ(std::tuple(s.p().MacStop, s.p().DisplayLeft, s.p().MacAgain), std::tuple(1, 2, 0));
  s.env.windows.DeliverPending();
  EXPECT_EQ(std::tuple(s.p().DisplayLeft, s.p().MacAgain), std::tuple(0, 1));
}

TEST(RecorderWindows, RunPointsDrawNewSegmentsAndTheScreenMovesByHalfASpan) {
  Rec s;
  s.Constant(0, 2.5f);  // a steady value: no new value range to fit
  s.ref().MTrigger = s.ref().MScroll = 1;
  s.Route("QM");
  s.env.windows.DeliverPending();
  graph::RecorderWindow* trend = s.Win(RecorderKind::Trend);
  graph::RecorderWindow* screen = s.Win(RecorderKind::Screen);
  ASSERT_TRUE(trend && screen);
  screen->SetSpan(100);
  auto& canvas = static_cast<platform::RecordingCanvas&>(trend->Surface());
  s.Ticks(3000);
  const int64_t redraws = trend->FullRedraws(), screenRedraws = screen->FullRedraws();
  canvas.Clear();
  s.Ticks(1000);  // one point: one segment, nothing cleared
  EXPECT_EQ(trend->DrawnUpTo(), s.p().Bindx);
  EXPECT_EQ(std::tuple(canvas.Count("Line"), canvas.Count("FillRect")), std::tuple(1, 0));
  s.Ticks(600 * 1000);
  ASSERT_EQ(s.p().Bindx, 604);
  EXPECT_EQ(std::tuple(trend->DrawnUpTo(), screen->DrawnUpTo()), std::tuple(604, 604));
  // The screen moved at points 100, 150, ... 600 and was drawn whole only then.
  EXPECT_EQ(std::tuple(screen->First(), screen->FullRedraws() - screenRedraws), std::tuple(550, 11));
  EXPECT_EQ(trend->FullRedraws(), redraws);
  // The next run starts from an empty record, in a range of its own points.
  s.p().Buffer[0] = 1e4f;
  trend->Paint();
  macro::Command(s.p(), 208);
  s.Route("QM");
  s.Ticks(1000);
  EXPECT_EQ(std::tuple(trend->DrawnUpTo(), screen->First()), std::tuple(1, 0));
  EXPECT_LT(trend->High(), 100.0);
}

TEST(RecorderWindows, AStoreChangedUnderTheWindowIsRedrawnSafely) {
  const std::pair<const char*, std::function<void(state::Program&)>> changes[] = {
      {"shorter", [](state::Program& p) { p.HGB.Length = 5; }},
      {"longer than the store", [](state::Program& p) { p.HGB.Length = p.PM + 1; }},
      {"channel off", [](state::Program& p) { p.HGB.ChannelOn[0] = 0; }},
      {"freed", [](state::Program& p) { p.Buffer.reset(); }},
      {"index beyond", [](state::Program& p) { p.Bindx = 1 << 30; }},
      {"not numbers", [](state::Program& p) { std::fill(p.Buffer.get(), p.Buffer.get() + 40, NAN); }},
  };
  for (const auto& [name, change] : changes) {
    Rec s;
    s.ref().MTrigger = s.ref().MScroll = 1;
    s.Route("QM");
    s.Ticks(30 * 1000);
    change(s.p());
    for (graph::RecorderWindow* w : {s.Win(RecorderKind::Trend), s.Win(RecorderKind::Screen)}) {
      w->UserMessage(state::kRecorderPoint, s.p().Bindx);
      w->Timer();
      w->Paint();
      EXPECT_LT(w->DrawnUpTo(), std::max<int32_t>(s.p().HGB.Length, 0)) << name;
    }
    macro::Command(s.p(), 208);
  }
}

}  // namespace
