#include <gtest/gtest.h>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

struct Layout {
  int left, top, w, h;
};

Layout LayoutWith(void (*set)(store::CG_s&), const int32_t* rect = graph_test::kRect) {
  GraphFixture f;
  f.Store(Ramp(256));
  set(f.G());
  auto w = f.Open(0, rect);
  return {w->PlotLeft, w->PlotTop, w->PlotW, w->PlotH};
}

TEST(GraphGeometry, PlotRectangleFollowsEveryBarAndScaleSwitch) {
  // 600 × 400 client, border 5, scale 50, right panel 62, bottom bar 24.
  Layout d = LayoutWith([](store::CG_s&) {});
  EXPECT_EQ(d.left, 55);
  EXPECT_EQ(d.top, 0);
  EXPECT_EQ(d.w, 600 - (10 + 50 + 62));
  EXPECT_EQ(d.h, 400 - (24 + 10));

  Layout wide = LayoutWith([](store::CG_s& g) { g.DisplFlags |= 0x0008; });
  EXPECT_EQ(wide.left, 5 + 65);
  EXPECT_EQ(wide.w, 600 - (10 + 65 + 62));

  Layout noScale = LayoutWith([](store::CG_s& g) { g.VScale = 0; });
  EXPECT_EQ(noScale.left, 5);
  EXPECT_EQ(noScale.w, 600 - (10 + 62));

  Layout noPanel = LayoutWith([](store::CG_s& g) { g.DisplFlags &= ~0x0040; });
  EXPECT_EQ(noPanel.w, 600 - (10 + 50));

  Layout print = LayoutWith([](store::CG_s& g) { g.PrintMode = 1; });
  EXPECT_EQ(print.left, 5 + 90);
  EXPECT_EQ(print.w, 600 - (10 + 90));  // no right panel in print layout

  Layout keys = LayoutWith([](store::CG_s& g) { g.KeyPanel = 1; });
  EXPECT_EQ(keys.top, 42);
  EXPECT_EQ(keys.h, 400 - (42 + 24 + 10));

  Layout info = LayoutWith([](store::CG_s& g) {
    g.InfoBar = 1;
    g.DisplFlags |= 0x0200;
  });
  EXPECT_EQ(info.h, 400 - (37 + 24 + 10));

  Layout noBottom = LayoutWith([](store::CG_s& g) { g.BottomBar = 0; });
  EXPECT_EQ(noBottom.h, 400 - 10);

  const int32_t narrow[4] = {10, 10, 90, 300};
  Layout thin = LayoutWith([](store::CG_s&) {}, narrow);
  EXPECT_EQ(thin.left, 2 + 50);  // border 2 under 100 px
  EXPECT_EQ(thin.w, 1);          // the bars leave no room: a one-pixel plot, not a negative one
}

TEST(GraphGeometry, InfoBarFollowsItsItemsAtEveryRecompute) {
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
    EXPECT_GE(out[0], 0);
    EXPECT_GE(out[1], 0);
    EXPECT_LE(out[2], graph::kMaxScreenW);
    EXPECT_LE(out[3], graph::kMaxScreenH);
    EXPECT_GE(out[2] - out[0], graph::kMinWindowW);
    EXPECT_GE(out[3] - out[1], graph::kMinWindowH);
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

TEST(GraphGeometry, PaintStoresThePlacedRectangle) {
  GraphFixture f;
  f.Store(Ramp(64));
  const int32_t off[4] = {-3000, 5000, -2000, 5600};
  auto w = f.Open(0, off);
  w->Paint();
  EXPECT_EQ(+f.G().WinRect[0], 0);
  EXPECT_LE(+f.G().WinRect[3], graph::kMaxScreenH);
  EXPECT_EQ(f.G().WinRect[2] - f.G().WinRect[0], 1000);
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
