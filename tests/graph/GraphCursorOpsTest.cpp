#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>

#include "GraphTestSupport.h"
#include "state/Messages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Rec;

std::vector<float> Sine(int n) {
  std::vector<float> v(size_t(n), 0.0f);
  for (int i = 0; i < n; ++i) v[size_t(i)] = float(std::sin(2 * M_PI * i / 100));
  return v;
}

struct OpsFixture : GraphFixture {
  explicit OpsFixture(const std::vector<float>& data = Sine(300)) : GraphFixture(65536, true) {
    Store(data);
    View(0, int32_t(data.size()) - 1);
    Range(2, -2);
    G().CursorCount = 2;
    G().CursorStyle = 1;
  }
  // The last message box, or "" when none was shown.
  std::string Said() {
    for (auto it = env.ui.Log().rbegin(); it != env.ui.Log().rend(); ++it)
      if (it->kind == "message") return it->text;
    return "";
  }
  std::string T(int n) { return state::Txt(p, n); }
};

TEST(GraphCursorOps, CursorToMaxFindsExtremaWrapsAndKeepsTheCursorWhenNothingIsFound) {
  struct Case {
    const char* what;
    int kind;  // 0 sine (maxima 25, 125, 225; minima 75, 175, 275), 1 constant, 2 negative, 3 half first peak
    int32_t ir, cur1;
    float level;
    int mode;
    int32_t expected;
  } cases[] = {
      {"largest sample", 0, 299, 200, 0, 0, 25},
      {"nothing above the smallest positive float", 2, 299, 40, 0, 0, 40},
      {"next maximum", 0, 299, 30, 0, 4, 125},
      {"next minimum", 0, 299, 0, 0, 5, 75},
      {"next maximum above the level", 3, 299, 0, 0.7f, 1, 125},
      {"next maximum, any height", 3, 299, 0, 0.7f, 4, 25},
      {"no maximum reaches the level", 0, 299, 40, 1.5f, 1, 40},
      {"nearer: the minimum", 0, 299, 60, 0, 3, 75},
      {"nearer: the maximum", 0, 299, 80, 0, 3, 125},
      {"rising to IR wraps to IL and goes on", 0, 220, 210, 0, 4, 25},
      {"constant series", 1, 299, 40, 0, 4, 40},
      {"constant series, minimum", 1, 299, 40, 0, 5, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<float> data = Sine(300);
    if (c.kind == 1) data.assign(300, 3.0f);
    if (c.kind == 2) data.assign(300, -1.0f);
    for (int i = 0; i < 100 && c.kind == 3; ++i) data[size_t(i)] /= 2;
    OpsFixture f(data);
    f.View(0, c.ir);
    f.G().Cur1 = c.cur1;
    f.G().HCur1 = c.level;
    auto w = f.Painted();
    w->CursorToMax(c.mode);
    EXPECT_EQ(f.G().Cur1, c.expected);
  }
  // Half maximum: the level follows the maximum found.
  OpsFixture f;
  f.G().HCur1 = 0.2f;
  auto w = f.Painted();
  w->CursorToMax(2);
  EXPECT_EQ(f.G().Cur1, 25);
  EXPECT_FLOAT_EQ(f.G().HCur1, 0.5f);
}

TEST(GraphCursorOps, ZoomsRefuseWithTheirTextsAndOrderTheCursors) {
  struct Case {
    int op;  // 0 both, 1 sample range, 2 value range
    int count;
    int32_t cur1, cur2;
    float h1, h2;
    int text;  // refusal, or 0
    int32_t il, ir;
    float vMax, vMin;
  } cases[] = {
      {0, 2, 100, 103, 1, -1, 103, 0, 299, 2, -2},  // 3 samples apart
      {0, 2, 104, 100, -1, 1, 0, 100, 104, 1, -1},  // 4 apart, both pairs reversed
      {0, 2, 100, 200, 1, 1, 106, 0, 299, 2, -2},    {0, 1, 100, 200, 1, -1, 102, 0, 299, 2, -2},
      {1, 2, 100, 103, 1, -1, 105, 0, 299, 2, -2},   {1, 2, 200, 100, 1, -1, 0, 100, 200, 2, -2},
      {2, 2, 100, 200, 0.5f, 1, 0, 0, 299, 1, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.op << " " << c.cur1 << " " << c.cur2);
    OpsFixture f;
    f.G().CursorCount = c.count;
    f.G().Cur1 = c.cur1;
    f.G().Cur2 = c.cur2;
    f.G().HCur1 = c.h1;
    f.G().HCur2 = c.h2;
    auto w = f.Painted();
    if (c.op == 0) w->CursorExpand();
    if (c.op == 1) w->VerticalCursorExpand();
    if (c.op == 2) w->HorizontalCursorExpand();
    EXPECT_EQ(f.Said(), c.text ? f.T(c.text) : "");
    EXPECT_EQ(std::tuple(f.G().IL, f.G().IR), std::tuple(c.il, c.ir));
    EXPECT_FLOAT_EQ(f.G().VMax, c.vMax);
    EXPECT_FLOAT_EQ(f.G().VMin, c.vMin);
  }
}

TEST(GraphCursorOps, ViewHistoryStoresTenViewsStepsDeletesAndClamps) {
  OpsFixture f;
  auto w = f.Painted();
  store::Col_s& col = *f.p.Col_.get();
  for (int k = 0; k < 11; ++k) {
    f.View(k, 200 + k);
    w->CursorSave(0, 0, false);
  }
  EXPECT_EQ(f.Said(), f.T(1355));  // the eleventh
  EXPECT_EQ(col.ViewCount[0], 10);
  w->CursorRestore(-3, true);  // from view 10 to view 7
  EXPECT_EQ(std::tuple(f.G().IL, f.G().IR), std::tuple(6, 206));
  f.env.ui.Push(platform::Answer::Yes);
  w->CursorSave(1, 1, true);  // delete view 7: view 8 takes its place
  EXPECT_EQ(f.env.ui.Log().back().text, state::TxtF(f.p, 1364, {7}));
  EXPECT_EQ(col.ViewCount[0], 9);
  w->CursorRestore(1, true);
  EXPECT_EQ(f.G().IL, 7);
  w->CursorSave(1, 0, false);
  w->CursorRestore(1, true);
  EXPECT_EQ(f.Said(), f.T(1351));
  w->CursorSave(1, 1, false);
  EXPECT_EQ(f.Said(), f.T(1365));

  // A file's count above 10, a position past it, a view outside the record:
  // clamped, adjusted, shown and reported.
  col.ViewCount[0] = 300;
  col.ViewPos[0] = 250;
  col.ViewIL[0][9] = 5000;
  col.ViewIR[0][9] = 9000;
  w->CursorRestore(0, true);
  EXPECT_EQ(std::tuple(col.ViewCount[0], col.ViewPos[0], f.G().IL, f.G().IR), std::tuple(10, 9, 0, 299));
  EXPECT_EQ(f.Said(), state::TxtF(f.p, 1367, {10}));
}

TEST(GraphCursorOps, StepCursorMovesBySamplesOrByOnePixelColumn) {
  struct Case {
    int16_t step;
    float spp;
    int32_t from;
    int direction;
    int32_t expected;
  } cases[] = {{0, 0.3f, 100, 1, 101},
               {0, 4.7f, 100, -1, 96},
               {16, 1, 100, 1, 116},
               {128, 1, 100, -1, 0},
               {128, 1, 250, 1, 299}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.step << " " << c.spp);
    OpsFixture f;
    f.G().CursorStep = c.step;
    f.G().Cur1 = c.from;
    auto w = f.Painted();
    w->SPP = c.spp;
    w->StepCursor(c.direction);
    EXPECT_EQ(f.G().Cur1, c.expected);
  }
}

TEST(GraphCursorOps, InfoBarReadsTimesInSteppedUnitsWithoutRepaintingTheTrace) {
  struct Case {
    float step;
    int32_t gap;
    uint16_t flags;
    const char* shown;
  } cases[] = {{0.0001f, 4, 0, "400.00 us "},
               {0.5f, 4, 0, "2.00000 s   "},
               {30, 8, 0x0001, "4.00000 min"},
               {100, 100, 0x0001, "2.77778 hod"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    OpsFixture f;
    f.p.Channels(store::Store::W)[0].Step = c.step;
    f.G().InfoTime = f.G().InfoIndex = f.G().InfoValue = 1;
    f.G().CursorStep = 1;
    f.G().DisplFlags = uint16_t(f.G().DisplFlags | c.flags);
    f.G().Cur1 = 10;
    f.G().Cur2 = 10 + c.gap;
    auto w = f.Painted();
    Rec(*w).Clear();
    for (int direction : {1, 1, 1, -1, -1, -1}) w->StepCursor(direction);
    const auto& ops = Rec(*w).Ops();
    EXPECT_EQ(Rec(*w).Count("Polyline"), 0);  // no trace drawn by a cursor move
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [&](const std::string& s) {
      return s.rfind("Text", 0) == 0 && s.find(c.shown) != std::string::npos;
    }));
  }
}

TEST(GraphCursorOps, PulseWidthOfARectangleIsTheDistanceOfItsInterpolatedEdges) {
  std::vector<float> data(300, 0.0f);
  for (int i = 100; i < 200; ++i) data[size_t(i)] = 10.0f;
  OpsFixture f(data);
  f.G().PulseWidth = 1;
  f.G().Cur1 = 150;
  f.G().HCur1 = 5;
  f.Range(20, -1);
  auto w = f.Painted();
  EXPECT_FLOAT_EQ(f.G().PulseL, 99.5f);
  EXPECT_FLOAT_EQ(f.G().PulseR, 199.5f);
  EXPECT_FLOAT_EQ(f.G().PulseLevel, 5.0f);
  // From below the level the search runs to the next samples above it.
  f.G().HCur1 = 12;
  w->StepCursor(1);
  EXPECT_FLOAT_EQ(f.G().PulseL, 0.0f);
  EXPECT_FLOAT_EQ(f.G().PulseR, 299.0f);
}

// What exclusive-or lines leave on the picture: a line drawn twice is gone.
std::set<std::string> XorPicture(const platform::RecordingCanvas& c) {
  std::set<std::string> on;
  bool xorMode = false;
  for (const std::string& op : c.Ops()) {
    if (op.rfind("SetXor", 0) == 0) xorMode = op == "SetXor 1";
    if (xorMode && op.rfind("Line", 0) == 0 && !on.erase(op)) on.insert(op);
  }
  return on;
}

TEST(GraphCursorOps, MovesAndJumpsThereAndBackLeaveThePictureAsItWas) {
  std::vector<float> data(300, 0.0f);
  for (int i = 50; i < 200; ++i) data[size_t(i)] = i < 100 || i >= 150 ? 10.0f : 0.0f;  // two pulses
  OpsFixture f(data);
  f.Range(20, -1);
  f.G().PulseWidth = 1;
  f.G().DisplFlags = uint16_t(f.G().DisplFlags | 0x0010);  // slope line too
  f.G().CursorStep = 100;
  f.G().Cur1 = 75;
  f.G().HCur1 = 5;
  auto w = f.Painted();
  const std::set<std::string> before = XorPicture(Rec(*w));
  EXPECT_FALSE(before.empty());
  w->StepCursor(1);
  w->CursorToMax(0);
  w->StepCursor(1);
  w->StepCursor(1);
  EXPECT_EQ(f.G().Cur1, 250);
  f.G().Cur1 = 75;
  int16_t x = w->GlobalVertToMouse(75), y = w->GlobalHorizToMouse(5, x);
  w->CursorPaint(x, y, 0, false);
  EXPECT_EQ(XorPicture(Rec(*w)), before);
}

TEST(GraphCursorOps, CursorBoxChoosesOrRemovesTheChannelsItHolds) {
  OpsFixture f(std::vector<float>(300, 0.0f));
  f.Store(std::vector<float>(300, 10.0f), 1);
  f.Store(std::vector<float>(300, 20.0f), 2);
  f.G().Multi = 1;
  f.G().MultiMode = 0;
  f.G().MultiFlags = 0;
  f.G().MultiMask[0] = 0x7;
  f.G().Cur1 = 10;
  f.G().Cur2 = 200;
  f.G().HCur1 = 15;
  f.G().HCur2 = 5;
  auto w = f.Painted();
  f.env.ui.Push(platform::Answer::No);
  w->VyberKanaluProMultizobrazeniMeziKurzory();  // nearest to 15: channel 2 (10), asked about
  EXPECT_EQ(f.env.ui.Log().back().kind, "question");
  EXPECT_EQ(f.G().Chan, 1);             // the first of two equally near
  EXPECT_EQ(f.G().MultiMask[0], 0x5u);  // removed
  f.G().MultiMask[0] = 0x7;
  w->VyberKanaluProMultizobrazeni(true);
  EXPECT_EQ(f.G().MultiMask[0], 0x2u);  // kept alone
  f.G().HCur1 = 30;
  f.G().HCur2 = 25;
  w->VyberKanaluProMultizobrazeni(false);
  EXPECT_EQ(f.Said(), f.T(1261));
  EXPECT_EQ(f.G().MultiMask[0], 0x2u);
  f.G().MultiMode = 1;
  w->VyberKanaluProMultizobrazeniMeziKurzory();
  EXPECT_EQ(f.Said(), f.T(1260));
}

TEST(GraphCursorOps, CursorsFromAJobFileOutsideTheRecordOrNotNumbersAreClamped) {
  OpsFixture f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  f.G().Cur1 = -50;
  f.G().Cur2 = 2000000000;
  f.G().HCur1 = nan;
  f.G().HCur2 = std::numeric_limits<float>::infinity();
  f.G().PulseWidth = 1;
  f.G().InfoTime = f.G().InfoIndex = f.G().InfoValue = 1;
  auto w = f.Painted();
  EXPECT_EQ(std::tuple(f.G().Cur1, f.G().Cur2), std::tuple(0, 299));
  EXPECT_FLOAT_EQ(f.G().HCur1, 2);
  EXPECT_FLOAT_EQ(f.G().HCur2, -2);
  for (int mode = 0; mode < 6; ++mode) w->CursorToMax(mode);
  w->StepCursor(-1);
  w->CursorExpand();
  EXPECT_GE(f.G().IL, 0);
  EXPECT_LE(f.G().IR, 299);
}

}  // namespace
