#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "GraphTestSupport.h"
#include "state/GraphWindows.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;
using graph_test::Rec;

TEST(GraphWindow, NoMemoryForThePictureEndsTheProgramInOrder) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.p.AllocationLimit = f.p.TotalDataAlloc;
  auto factory = graph::MakeGraphWindowFactory(f.p);
  platform::GraphWindowSpec request;
  request.channel = 0;
  EXPECT_EQ(factory(request), nullptr);
  EXPECT_EQ(f.p.DoExit, 1);
}

TEST(GraphWindow, ViewBroadcastReachesTheOtherWindowsOfTheStore) {
  GraphFixture f;
  f.Store(Ramp(1000), 0);
  f.Store(Ramp(1000), 1);
  f.p.GraphFactory = graph::MakeGraphWindowFactory(f.p);
  state::DisplayWave(f.p, store::Store::W, 0);
  state::DisplayWave(f.p, store::Store::W, 1);  // replaces nothing of channel 1
  ASSERT_TRUE(f.p.QWWin[0] && f.p.QWWin[1]);
  auto* w0 = dynamic_cast<graph::TDispl10*>(f.p.QWWin[0].get());
  f.G(0).IL = 200;
  f.G(0).IR = 300;
  f.env.ui.Push(platform::Answer::No);
  w0->CommonDisplay(1);
  EXPECT_NE(f.G(1).IL, 200);
  f.env.ui.Push(platform::Answer::Yes);
  w0->CommonDisplay(1);
  EXPECT_EQ(std::tuple(f.G(1).IL, f.G(1).IR), std::tuple(200, 300));
}

TEST(GraphWindow, BadRangesAndSamplesNeverHangOrCrash) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  struct Range {
    float top, bottom;
  } ranges[] = {{nan, 0}, {inf, -inf}, {5, 5}, {-3, 10}, {3e38f, -3e38f}, {0, nan}};
  for (Range r : ranges) {
    GraphFixture f;
    std::vector<float> data = Ramp(500);
    data[3] = nan;
    data[7] = inf;
    data[9] = -inf;
    f.Store(data);
    f.Range(r.top, r.bottom);
    f.G().XMax = r.top;
    f.G().XMin = r.bottom;
    f.View(-50, 2'000'000'000);
    auto w = f.Painted();
    w->PaintOneVScale(Rec(*w), 0, 0, 300, r.top, r.bottom, true);
    EXPECT_LT(Rec(*w).Count("Line"), 5000);
    SCOPED_TRACE(std::to_string(r.top) + " " + std::to_string(r.bottom));
    EXPECT_TRUE(std::isfinite(w->KX) && w->KX > 0);
    EXPECT_TRUE(std::isfinite(w->KY) && w->KY > 0);
    EXPECT_TRUE(std::isfinite(f.G().VMax) && std::isfinite(f.G().VMin));
    EXPECT_EQ(std::tuple(f.G().IL, f.G().IR), std::tuple(0, 499));
    w->AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = false});
    EXPECT_TRUE(std::isfinite(f.G().VMax));
    EXPECT_FLOAT_EQ(f.G().VFullMax, 499 + 0.025f * 499);  // the bad samples are skipped
    for (int i = 0; i < 20; ++i) {
      w->MagCompress();
      w->WinExpand();
      w->LeftDataShift();
      w->UpDataShift();
    }
    w->Paint();
  }
}

TEST(GraphWindow, TinyAndEmptyChannelsStillWork) {
  for (int length : {0, 1, 2, 3}) {
    GraphFixture f;
    f.Store(Ramp(length));
    for (int type = 0; type <= 9; ++type) {
      f.G().DisplType = type;
      auto w = f.Painted();
      EXPECT_GE(f.G().IL, 0);
      EXPECT_LE(f.G().IR, std::max(w->NShown - 1, 0));
      w->AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true}), w->HorizontalAllExpand(),
          w->VerticalAllExpand();
      w->WinCompress(), w->WinExpand(), w->LeftDataShift(), w->RightDataShift(), w->MagExpand();
      w->Timer(), w->DisplLimits(1), w->UserMessage(2040, 0), w->UserMessage(2000, 0);
      int16_t x = w->PlotLeft + 3;
      (void)w->GlobalHorizToMouse(1.0f, x);
      (void)w->CursorMagnitude(x);
    }
  }
}

TEST(GraphWindow, MultiDisplayWithoutChannelsSaysSoAndChoosesChannelOne) {
  GraphFixture f;
  f.Store(Ramp(100));
  f.G().Multi = 1;
  f.G().MultiMask[0] = 0;
  auto w = f.Open();
  w->DisplControl();
  EXPECT_EQ(Rec(*w).Count("Text"), 2);
  EXPECT_EQ(f.G().MultiMask[0], 1u);
}

}  // namespace
