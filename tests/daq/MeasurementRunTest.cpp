#include <gtest/gtest.h>

#include <algorithm>

#include "RunTestSupport.h"
#include "daq/MeasurementRun.h"
#include "daq/RunCommands.h"
#include "store/FixedText.h"

namespace {

struct QmRun : runtest::Sim {
  QmRun() {
    Select({0, 1});
    ref().MPeriod = 1.0f;
    ref().MLength = 10;
    ref().MStore = 1;
    ref().MRepeat = 0;
  }
  store::A_s& ref() { return p().RefA(); }
  // A repeating run that watches channel 1 for leaving min..max.
  void WatchEvent(int32_t before, float max, float min) {
    ref().MEvent = ref().MRepeat = 1;
    ref().MBefore = before;
    ref().MMax = max;
    ref().MMin = min;
  }
  // Steps the timer would run for `ms`, one per 200 ms tick.
  void Ticks(int ms) {
    for (int t = 0; t < ms; t += 200) {
      env.clock.Advance(200);
      if (p().QM && p().DoQM) daq::GoQM(p(), false, false);
    }
  }
  std::vector<float> M0() { return std::vector<float>(M(0), M(0) + 10); }
};

TEST(MeasurementStart, SingleReadingAndRefusals) {
  QmRun s;
  s.ref().MStore = 0;
  daq::StartMeasurementRun(s.p());
  EXPECT_EQ(s.p().QM, 0);
  EXPECT_GE(s.runs().Val[1], -2000 * 5.0f / 32768);  // simulated -2000..1999 codes
  EXPECT_LT(s.runs().Val[1], 2000 * 5.0f / 32768);
  // An event without storing; a pre-event history as long as the record; a waveform run going;
  // two channels that do not fit.
  s.ref().MEvent = 1;
  daq::StartMeasurementRun(s.p());
  s.ref().MStore = 1;
  s.ref().MBefore = 11;
  daq::StartMeasurementRun(s.p());
  s.ref().MEvent = 0;
  s.p().QW = 1;
  daq::StartMeasurementRun(s.p());
  s.p().QW = 0;
  s.ref().MLength = s.p().PM;
  daq::StartMeasurementRun(s.p());
  EXPECT_EQ(std::tuple(s.Shown(44), s.Shown(43), s.Shown(41), s.Shown(47)), std::tuple(1, 1, 1, 1));
  EXPECT_EQ(s.p().QM, 0);  // not left half-started
  EXPECT_EQ(s.runs().TimerIntervalMs, 200);
}

TEST(MeasurementSchedule, PointsWhenDueAndCatchUpWhenBehind) {
  QmRun s;
  s.ref().MLength = 100;
  daq::StartMeasurementRun(s.p());
  ASSERT_EQ(s.p().Bindx, 0);
  // Not due before one period; then one point a period.
  for (auto [ms, want] : {std::pair{800, 0}, {200, 1}, {1000, 2}}) {
    s.Ticks(ms);
    EXPECT_EQ(s.p().Bindx, want) << ms;
  }
  // 3.5 s behind: one step takes points until it is no more than one period behind.
  s.env.clock.Advance(4500);
  daq::GoQM(s.p(), false, false);
  EXPECT_EQ(s.p().Bindx, 6);
  daq::GoQM(s.p(), false, false);
  EXPECT_EQ(s.p().Bindx, 6);
}

TEST(MeasurementEvent, PreEventHistoryMovesToTheFront) {
  QmRun s;
  s.WatchEvent(3, 5.5f, -1.0f);
  s.Constant(0, 0.0f);
  s.Constant(1, 100.0f);
  daq::StartMeasurementRun(s.p());
  for (int i = 1; i <= 6; ++i) {
    s.Constant(0, float(i));  // point i has value i
    s.Constant(1, float(100 + i));
    s.Ticks(1000);
    ASSERT_EQ(s.p().Bindx, i == 6 ? 2 : i);
  }
  EXPECT_EQ(std::tuple(s.runs().Event, s.p().HGB.PreTrigger, s.M(1)[2]), std::tuple(1, 3, 106.0f));
  EXPECT_EQ(s.M0(), (std::vector<float>{4, 5, 6, 0, 0, 0, 0, 0, 0, 0}));
  s.Constant(0, 7.0f);
  s.Ticks(1000);
  EXPECT_EQ(std::tuple(s.p().Bindx, s.M(0)[3]), std::tuple(3, 7.0f));
  // The schedule did not jump back with Bindx: one point per period still.
  s.Ticks(1000);
  EXPECT_EQ(s.p().Bindx, 4);
  // With an event the full record ends the run instead of restarting.
  s.Ticks(5000);
  EXPECT_EQ(s.p().QM, 0);
}

// An event on the second point of a run looks back only over the points of
// this run: what an earlier record left in the store must not become history.
TEST(MeasurementEvent, EarlyEventKeepsOnlyPointsOfThisRun) {
  QmRun s;
  s.WatchEvent(4, 5.0f, -1.0f);
  s.Constant(0, 1.0f);
  daq::StartMeasurementRun(s.p());
  std::fill(s.p().Buffer.get() + 1, s.p().Buffer.get() + 10, -77.0f);  // left-overs beyond point 0
  s.Constant(0, 9.0f);
  s.Ticks(1000);
  ASSERT_EQ(s.runs().Event, 1);
  EXPECT_EQ(s.M0(), (std::vector<float>{0, 0, 1, 9, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.p().Bindx, 3);
  daq::StopRun(s.p());
}

TEST(MeasurementPoint, AveragingLimitsAndSpikes) {
  QmRun s;
  s.ref().MAverageExp = 30;  // far beyond the 16-bit scan count: limited to 2^14
  uint64_t before = daq::Card(s.p()).SimSeed;
  ASSERT_EQ(daq::TRV_QM(s.p(), 0, 0), 1);
  EXPECT_NE(daq::Card(s.p()).SimSeed, before);
  EXPECT_NEAR(s.runs().Val[0], -0.5f, 60.0f);  // the mean of 2^14 uniform codes lies close to the middle
  // 2 scans with MSpike: both are averaged (the rule needs 4).
  s.ref().MAverageExp = 1;
  s.p().A[0].MSpike = 1;
  s.Constant(0, 2.0f);
  ASSERT_EQ(daq::TRV_QM(s.p(), 1, 0), 1);
  EXPECT_FLOAT_EQ(s.runs().Val[0], 2.0f);
}

TEST(MeasurementPoint, InputTriggeredPointsWaitForTheEdgeOrEscape) {
  QmRun s;
  s.ref().MDITrigger = s.ref().MRepeat = 1;
  s.ref().MLength = 100;
  daq::StartMeasurementRun(s.p());
  ASSERT_EQ(s.p().QM, 1);
  uint32_t t0 = s.env.clock.TickMs();
  // Without a card the input falls once per period; each forced step waits.
  s.p().DoQM = 0;
  ASSERT_EQ(daq::GoQM(s.p(), true, false), 1);
  EXPECT_EQ(s.p().Bindx, 1);
  EXPECT_LE(s.env.clock.TickMs() - t0, 1001u);
  s.ui.escapeAt = s.ui.calls + 3;
  EXPECT_EQ(daq::GoQM(s.p(), true, false), 0);
  EXPECT_EQ(std::tuple(s.p().INTERRUPT, s.p().QM), std::tuple(1, 0));
  EXPECT_EQ(store::FieldText(s.p().Status), state::Txt(s.p(), 76));
}

TEST(MeasurementRun, PeriodicRefreshFollowsEachChannel) {
  QmRun s;
  s.ref().MLength = 50;
  s.ref().MRepeat = 1;
  s.ref().Flags152 |= 0x40 | 0x80;
  s.p().A[0].MRefresh = 2.0f;
  s.p().A[1].MRefresh = 100.0f;
  runtest::RecordingWindow* w0 = s.OpenWindow(0, 0);
  runtest::RecordingWindow* w1 = s.OpenWindow(0, 1);
  daq::StartMeasurementRun(s.p());
  s.Ticks(10000);
  EXPECT_EQ(s.p().Bindx, 10);
  EXPECT_GE(w0->Count(2001), 4);
  EXPECT_LE(w0->Count(2001), 6);
  EXPECT_LE(w1->Count(2001), 1);
  daq::StopRun(s.p());
}

}  // namespace
