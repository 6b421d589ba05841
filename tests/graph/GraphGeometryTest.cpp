#include <gtest/gtest.h>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

TEST(GraphGeometry, PlotRectangleFollowsEveryBarScaleSwitchAndInfoItem) {
  // 600 × 400 client, border 5, scale 50, right panel 62, bottom bar 24.
  const int32_t narrow[4] = {10, 10, 90, 300};
  struct Case {
    const char* name;
    void (*set)(store::CG_s&);
    const int32_t* rect;
    int left, top, w, h;
  } cases[] = {
      {"default", [](store::CG_s&) {}, graph_test::kRect, 55, 0, 600 - (10 + 50 + 62), 400 - (24 + 10)},
      {"wide scale", [](store::CG_s& g) { g.DisplFlags |= 0x0008; }, graph_test::kRect, 70, 0, 600 - 137,
       366},
      {"no scale", [](store::CG_s& g) { g.VScale = 0; }, graph_test::kRect, 5, 0, 600 - (10 + 62), 366},
      {"no panel", [](store::CG_s& g) { g.DisplFlags &= ~0x0040; }, graph_test::kRect, 55, 0, 540, 366},
      {"print", [](store::CG_s& g) { g.PrintMode = 1; }, graph_test::kRect, 95, 0, 600 - (10 + 90), 366},
      {"keys", [](store::CG_s& g) { g.KeyPanel = 1; }, graph_test::kRect, 55, 42, 478, 400 - (42 + 24 + 10)},
      {"info",
       [](store::CG_s& g) {
         g.InfoBar = 1;
         g.DisplFlags |= 0x0200;
       },
       graph_test::kRect, 55, 0, 478, 400 - (37 + 24 + 10)},
      {"no bottom bar", [](store::CG_s& g) { g.BottomBar = 0; }, graph_test::kRect, 55, 0, 478, 390},
      // Border 2 under 100 px; the bars leave a one-pixel plot, not a negative one.
      {"thin", [](store::CG_s&) {}, narrow, 52, 0, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GraphFixture f;
    f.Store(Ramp(256));
    c.set(f.G());
    auto w = f.Open(0, c.rect);
    EXPECT_EQ(std::vector<int>({w->PlotLeft, w->PlotTop, w->PlotW}), std::vector<int>({c.left, c.top, c.w}));
    if (c.h >= 0) {
      EXPECT_EQ(w->PlotH, c.h);
    }
  }

  // The info bar follows its items at every recompute.
  GraphFixture f;
  f.Store(Ramp(256));
  auto w = f.Open();
  const int h0 = w->PlotH;
  f.G().InfoValue = 1;  // CursorCount is 2 by default
  w->DisplControl();
  EXPECT_EQ(w->PlotH, h0 - 24);
  f.G().CursorCount = 0;
  w->DisplControl();
  EXPECT_EQ(w->PlotH, h0);
}

TEST(GraphGeometry, WindowRectanglesFromJobFilesArePlacedVisibly) {
  struct Case {
    int32_t in[4];
  } cases[] = {
      {{-5000, -5000, -4000, -4500}},                  // off every screen
      {{100, 100, 100, 300}},                          // empty
      {{400, 300, 100, 100}},                          // reversed
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},  // huge, overflowing width
      {{90000, 90000, 90640, 90480}},                  // far right and below
      {{0, 0, 5, 5}},                                  // tiny
  };
  for (const Case& c : cases) {
    int32_t out[4];
    graph::PlaceWindowRect(c.in, out);
    SCOPED_TRACE(std::to_string(c.in[0]) + "," + std::to_string(c.in[2]));
    EXPECT_TRUE(out[0] >= 0 && out[1] >= 0 && out[2] <= graph::kMaxScreenW && out[3] <= graph::kMaxScreenH);
    EXPECT_TRUE(out[2] - out[0] >= graph::kMinWindowW && out[3] - out[1] >= graph::kMinWindowH);
  }
  // A sane rectangle stays as it is; an empty one becomes the default.
  int32_t ok[4] = {10, 20, 650, 500}, out[4];
  graph::PlaceWindowRect(ok, out);
  EXPECT_EQ(std::vector<int32_t>(out, out + 4), std::vector<int32_t>(ok, ok + 4));
  int32_t empty[4] = {0, 0, 0, 0};
  graph::PlaceWindowRect(empty, out);
  EXPECT_EQ(std::vector<int32_t>(out, out + 4),
            std::vector<int32_t>(store::CG0.WinRect, store::CG0.WinRect + 4));
}

TEST(GraphGeometry, ActiveChannelIsMadeValidInMultiDisplay) {
  GraphFixture f;
  f.Store(Ramp(64), 0);
  f.Store(Ramp(64), 3);
  f.G(0).Multi = 1;
  f.G(0).MultiMask[0] = 1u << 3;  // only channel 4 chosen
  auto w = f.Open(0);
  EXPECT_EQ(w->ActChan, 3);
  f.G(0).MultiMask[0] = 1u << 5;  // chosen but not present
  w->UpravAktivniKanal();
  EXPECT_EQ(w->ActChan, 0);
}

}  // namespace
