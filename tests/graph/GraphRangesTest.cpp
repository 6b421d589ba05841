#include <gtest/gtest.h>

#include "GraphTestSupport.h"
#include "state/Messages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

TEST(GraphRanges, StepDivisorShrinksToFourAndTheTimerResetsIt) {
  GraphFixture f;
  f.Store(Ramp(100));
  auto w = f.Open();
  EXPECT_EQ(w->Div, 50);
  std::vector<int> seen;
  for (int i = 0; i < 9; ++i) {
    w->ShiftDivChange();
    seen.push_back(w->Div);
  }
  EXPECT_EQ(seen, (std::vector<int>{35, 25, 17, 12, 8, 5, 4, 4, 4}));
  w->Timer();
  EXPECT_EQ(w->Div, 50);
}

TEST(GraphRanges, VerticalZoomKeepsZeroOrTheCentre) {
  GraphFixture f;
  f.Store(Ramp(100));
  auto w = f.Open();
  const float fct = 4.0f / 50 + 1;
  struct Case {
    float top, bottom;
    bool expand;
    float newTop, newBottom;
  } cases[] = {{30, -10, true, 30 / fct, -10 / fct},  // across zero: both ends divided
               {30, 10, true, 20 + 10 / fct, 20 - 10 / fct},
               {30, 10, false, 20 + 10 * fct, 20 - 10 * fct}};
  for (const Case& c : cases) {
    w->Div = 50;
    f.Range(c.top, c.bottom);
    c.expand ? w->MagExpand() : w->MagCompress();
    EXPECT_NEAR(f.G().VMax, c.newTop, 1e-4) << c.top << " " << c.bottom;
    EXPECT_NEAR(f.G().VMin, c.newBottom, 1e-4) << c.top << " " << c.bottom;
    EXPECT_EQ(w->Div, 35);
  }
}

TEST(GraphRanges, HorizontalZoomByTheStepDivisor) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.View(400, 599);
  auto w = f.Open();
  struct Case {
    int32_t il, ir;
    bool expand;
    int32_t newIl, newIr;
  } cases[] = {{400, 599, true, 392, 607},   // step 200 / (50 / 2) = 8
               {400, 599, false, 404, 595},  // step 200 / 50 = 4
               {10, 13, false, 10, 13},      // four samples: nothing to take away
               {2, 995, true, 0, 999}};      // stops at both ends of the record
  for (const Case& c : cases) {
    w->Div = 50;
    f.View(c.il, c.ir);
    w->DisplControl();
    c.expand ? w->WinExpand() : w->WinCompress();
    EXPECT_EQ(std::pair(f.G().IL, f.G().IR), std::pair(c.newIl, c.newIr)) << c.il << ".." << c.ir;
  }
}

TEST(GraphRanges, ContinuousShiftsAccelerateAndStopAtTheEnds) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.View(0, 99);
  auto w = f.Open();
  for (int i = 0; i < 3; ++i) w->LeftDataShift();  // 100 / 50, / 35, / 25: 2 + 2 + 4
  EXPECT_EQ(f.G().IL, 8);
  for (int i = 0; i < 500; ++i) w->LeftDataShift();
  EXPECT_EQ(std::pair(f.G().IL, f.G().IR), std::pair(900, 999));
  for (int i = 0; i < 500; ++i) w->RightDataShift();
  EXPECT_EQ(std::pair(f.G().IL, f.G().IR), std::pair(0, 99));
}

TEST(GraphRanges, ShiftStepOfALongRecordDoesNotWrap) {
  GraphFixture f(2'000'000);
  f.Store(std::vector<float>(2'000'000, 1.0f));
  f.View(0, 1'899'999);
  auto w = f.Open();
  w->LeftDataShift();  // 1 900 000 / 50 = 38 000, more than 16 bits hold
  EXPECT_EQ(f.G().IL, 38000);
}

TEST(GraphRanges, BlockPaging) {
  GraphFixture f;
  f.Store(Ramp(1000));
  auto w = f.Open();
  store::CG_s& g = f.G();
  g.BlockStep = 1;
  g.IL = 0;
  g.IR = 99;
  w->LeftDataShift();
  EXPECT_EQ(g.IR, 199);
  EXPECT_EQ(g.IL, 99);
  g.IL = 850;
  g.IR = 949;
  w->LeftDataShift();  // no room for a page: to the end
  EXPECT_EQ(g.IR, 999);
  EXPECT_EQ(g.IL, 899);
  w->RightDataShift();
  EXPECT_EQ(g.IL, 798);
  g.IL = 0;
  g.IR = 999;
  w->LeftDataShift();  // a page as wide as the record never starts before it
  EXPECT_EQ(g.IL, 0);
  EXPECT_EQ(g.IR, 999);

  // Paging by the saved limits, times the step.
  g.BlockPage = 1;
  g.BlockStep = 2;
  g.LimIL = 0;
  g.LimIR = 49;
  g.IL = 0;
  g.IR = 49;
  w->LeftDataShift();
  EXPECT_EQ(g.IL, 100);
  EXPECT_EQ(g.IR, 149);
  w->RightDataShift();
  EXPECT_EQ(g.IL, 0);
  EXPECT_EQ(g.IR, 49);
  g.LimIL = 70;
  g.LimIR = 20;  // crossed limits from a job file still page forward
  w->LeftDataShift();
  EXPECT_GT(g.IL, 0);
}

TEST(GraphRanges, AutoscaleFollowsTheDisplayFlags) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.View(100, 200);
  auto w = f.Open();
  w->AutoscaleAll(1, 1, 0);  // default flags 0x0C40: whole record and value range
  EXPECT_EQ(f.G().IR, 999);
  EXPECT_FLOAT_EQ(f.G().VFullMin, -0.025f * 999);
  EXPECT_FLOAT_EQ(f.G().VMax, f.G().VFullMax);
  EXPECT_FLOAT_EQ(f.G().HCur1, f.G().VMax);

  f.G().DisplFlags = 0x0400;  // value range only
  f.View(100, 200);
  w->AutoscaleAll(1, 1, 0);
  EXPECT_EQ(f.G().IL, 100);
  EXPECT_FLOAT_EQ(f.G().VMax, 200 + 2.5f);

  f.G().DisplFlags = 0;  // neither: nothing changes
  f.Range(7, 3);
  w->AutoscaleAll(1, 1, 0);
  EXPECT_EQ(f.G().IL, 100);
  EXPECT_FLOAT_EQ(f.G().VMax, 7);
}

TEST(GraphRanges, ValueScanKeepsThePreviousRangeWhenThereIsNone) {
  GraphFixture f;
  std::vector<float> zeros(100, 0.0f);
  zeros[40] = 5.0f;
  f.Store(zeros);
  auto w = f.Open();
  f.G().VFullMax = 1200;
  f.G().VFullMin = -1200;
  w->SetMaxMinIn(0, 99, 0, 1, 0);  // only 5.0 counts: min = max, nothing stored
  EXPECT_FLOAT_EQ(f.G().VFullMax, 1200);
  EXPECT_FLOAT_EQ(f.G().VFullMin, -1200);

  f.Store(std::vector<float>(100, 3.0f));
  w->DisplControl();
  f.Range(3.0002f, 3.0f);
  w->SetMaxMinIn(0, 99, 1, 0, 0);  // flat: previous range widened
  EXPECT_FLOAT_EQ(f.G().VMax, 3.0007f);
  EXPECT_FLOAT_EQ(f.G().VMin, 2.9995f);

  float mn, mx;
  w->SetMaxMinIn_OnlyValue(0, 99, mn, mx);
  EXPECT_FLOAT_EQ(mn, 3.0f);
  EXPECT_FLOAT_EQ(mx, 3.0f);
}

TEST(GraphRanges, SavedLimitsRoundTripAndRefuseWhatDoesNotFit) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.View(100, 300);
  f.Range(50, -5);
  auto w = f.Open();
  w->SetLimits(1, 0);
  f.View(0, 999);
  f.G().VMax = 1;
  w->UserMessage(2003, 0);
  EXPECT_EQ(f.G().IR, 300);
  EXPECT_FLOAT_EQ(f.G().VMax, 50);

  f.G().Cur1 = 5;  // the cursors' limits
  f.G().HCur1 = 11;
  w->SetLimits(0, 0);
  f.G().Cur1 = 0;
  f.G().HCur1 = 0;
  w->DisplLimits(0);
  EXPECT_EQ(std::pair(f.G().Cur1, f.G().HCur1), std::pair(5, 11.0f));

  // A "no" keeps the old limits.
  f.env.ui.Push(platform::Answer::No);
  f.G().IL = 7;
  w->SetLimits(1, 1);
  EXPECT_EQ(f.G().LimIL, 100);
  EXPECT_EQ(f.env.ui.Log().back().kind, "question");

  // Limits beyond the record (or crossed, or negative) are refused with a message.
  for (auto [il, ir] : {std::pair{0, 1000}, std::pair{500, 400}, std::pair{-20, 40}}) {
    f.env.ui.ClearLog();
    f.G().LimIL = il;
    f.G().LimIR = ir;
    f.View(1, 2);
    w->DisplLimits(1);
    EXPECT_EQ(std::pair(f.G().IL, f.env.ui.Log().size()), std::pair(1, size_t(1)));
    EXPECT_EQ(testing_support::MessagesWithText(f.env.ui, state::Txt(f.p, 112)), 1);
  }
}

TEST(GraphRanges, XYAutoscaleTakesBothChannels) {
  GraphFixture f;
  std::vector<float> x(100), y(100);
  for (int i = 0; i < 100; ++i) {
    x[size_t(i)] = float(i) - 50;
    y[size_t(i)] = float(i) * 2;
  }
  f.Store(y, 0);
  f.Store(x, 1);
  f.G().XYPlot = 1;
  f.G().XChan = 1;
  f.G().YChan = 0;
  f.View(0, 99);
  auto w = f.Open();
  w->AutoscaleAll(1, 0, 0);
  // Indices IL..IR-1: x from -50 to 48, y from 0 to 196, 5 % margins.
  EXPECT_FLOAT_EQ(f.G().XMax, 48 + 0.05f * 98);
  EXPECT_FLOAT_EQ(f.G().XMin, -50 - 0.05f * 98);
  EXPECT_FLOAT_EQ(f.G().VMax, 196 + 0.05f * 98);

  f.G().XChan = 500;  // out of range from a job file: nothing scanned
  f.G().XFullMax = 1;
  w->SetMaxMinXYPlot();
  EXPECT_FLOAT_EQ(f.G().XFullMax, 1);
}

TEST(GraphRanges, MultiAutoscaleCommonScaleAndOffsetTraces) {
  GraphFixture f;
  f.Store(Ramp(100), 0);
  std::vector<float> low(100, -40.0f);
  f.Store(low, 2);
  f.G(0).Multi = 1;
  f.G(0).MultiMask[0] = 0x5;
  f.G(0).IL = 0;
  f.G(0).IR = 99;
  auto w = f.Open(0);
  w->AutoscaleAll(1, 0, 0);
  EXPECT_FLOAT_EQ(f.G(0).VFullMin, -40);
  EXPECT_FLOAT_EQ(f.G(0).VMax, 99 + 0.025f * 139);

  f.G(0).MultiMode = 2;
  f.G(0).MultiStep = 10;
  f.G(0).VFullMax = 5;
  w->AutoscaleAll(1, 0, 0);  // two shown channels at or above the own one
  EXPECT_FLOAT_EQ(f.G(0).VFullMax, 5);
  EXPECT_FLOAT_EQ(f.G(0).VFullMin, 5 - 20);
}

}  // namespace
