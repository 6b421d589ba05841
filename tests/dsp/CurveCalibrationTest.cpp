#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/CurveCalibration.h"

namespace {

using dsptest::Channel;
using platform::Answer;
using V = std::vector<float>;

store::Kal_s Record(int chan, float v1, float v2, float l1, float l2) {
  store::Kal_s r{};
  r.KalChannel = int16_t(chan);
  r.KalValue1 = v1, r.KalValue2 = v2, r.KalLevel1 = l1, r.KalLevel2 = l2;
  return r;
}

class CurveCalibration : public ::testing::Test {
 protected:
  void SetUp() override { dsptest::FillStore(p, 1, {1, 3}, {V{1.5f, 0.5f, 2.5f, -1}, V{7, 7, 7, 7}}, 4); }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(CurveCalibration, LineAppliedAndTakenBack) {
  auto windows = dsptest::OpenLoggingWindows(p, 1);
  ASSERT_EQ(ops::ApplyCurveCalibration(p, Record(1, 0, 100, 0.5f, 2.5f), false), 1);
  EXPECT_EQ(Channel(p, 1, 1), (V{50, 0, 100, -75}));
  EXPECT_EQ(Channel(p, 1, 3), (V{7, 7, 7, 7}));  // the other channel keeps its samples
  EXPECT_EQ(env.ui.Count("channel 2"), 1);       // asked with the 1-based channel
  EXPECT_EQ(dsptest::Codes(*windows), (std::vector<int>{2040, 2040, 2000}));
  ASSERT_EQ(ops::ApplyCurveCalibration(p, Record(1, 0, 100, 0.5f, 2.5f), true), 1);
  EXPECT_EQ(Channel(p, 1, 1), (V{1.5f, 0.5f, 2.5f, -1}));
}

TEST_F(CurveCalibration, RefusalsLeaveTheStoreAlone) {
  const struct {
    store::Kal_s r;
    bool undo;
    Answer answer;
    const char* shown;  // what the user sees, in order
  } cases[] = {
      {Record(1, 0, 100, 2, 2), false, Answer::Yes, "message"},
      {Record(1, 5, 5, 0, 1), true, Answer::Yes, "message"},  // a flat line has no inverse
      {Record(1, 0, 1e38f, 0, 1e-30f), false, Answer::Yes, "message"},
      {Record(2, 0, 100, 0, 1), false, Answer::Yes, "question message"},
      {Record(500, 0, 100, 0, 1), false, Answer::Yes, "question message"},
      {Record(1, 0, 100, 0, 1), false, Answer::No, "question"},
  };
  for (const auto& c : cases) {
    env.ui.ClearLog();
    const dsptest::Snapshot before(p);
    env.ui.SetDefaultAnswer(c.answer);
    EXPECT_EQ(ops::ApplyCurveCalibration(p, c.r, c.undo), 0) << c.r.KalChannel;
    EXPECT_TRUE(dsptest::Snapshot(p) == before) << c.r.KalChannel;
    std::string shown;
    for (const auto& e : env.ui.Log()) shown += (shown.empty() ? "" : " ") + e.kind;
    EXPECT_EQ(shown, c.shown) << c.r.KalChannel;
  }
}

TEST_F(CurveCalibration, LevelsFromTheCursors) {
  V ramp(40);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = float(i);
  dsptest::FillStore(p, 1, {0}, {ramp}, 40);
  const struct {
    int chan, cur1, cur2;
    ops::CurveLevel how;
    std::optional<float> level;
  } cases[] = {
      {0, 10, 19, ops::CurveLevel::CursorMean, 14.5f},  // ten samples, both ends included
      {0, 10, 19, ops::CurveLevel::AtCursor1, 10.f},
      {0, 30, 40, ops::CurveLevel::CursorMean, std::nullopt},  // ends beyond the record
      {0, 12, 11, ops::CurveLevel::CursorMean, std::nullopt},
      {0, -1, 5, ops::CurveLevel::CursorMean, std::nullopt},
      {2, 1, 2, ops::CurveLevel::AtCursor1, std::nullopt},  // no data
  };
  for (const auto& c : cases) {
    p.CGW[size_t(c.chan)].Cur1 = c.cur1;
    p.CGW[size_t(c.chan)].Cur2 = c.cur2;
    EXPECT_EQ(ops::ReadCurveLevel(p, c.chan, c.how), c.level) << c.cur1 << ".." << c.cur2;
  }
}

}  // namespace
