#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "GraphTestSupport.h"
#include "store/Defaults.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;
using graph_test::Rec;

struct MarkerFixture : GraphFixture {
  MarkerFixture() {
    Store(Ramp(500));
    View(0, 499);
    Range(500, 0);
    G().ShowMarkers = 1;
  }
  store::Marker_s& M(int k, int chan = 0) {
    return p.MarkerW[size_t(chan) * store::kMarkersPerChannel + size_t(k)];
  }
  void Set(int k, int32_t index, float value, int32_t labelIndex, float labelValue, const char* text,
           int vertical = 0) {
    M(k) = store::Marker0;
    M(k).Index = index;
    M(k).Value = value;
    M(k).LabelIndex = labelIndex;
    M(k).LabelValue = labelValue;
    M(k).Vertical = vertical;
    std::strncpy(M(k).Text, text, sizeof M(k).Text);
  }
  // The labels a paint wrote.
  std::vector<std::string> Labels(graph::TDispl10& w) {
    Rec(w).Clear();
    w.Paint();
    std::vector<std::string> out;
    for (const std::string& op : Rec(w).Ops())
      if (op.rfind("Text ", 0) == 0 && op.find("\"m") != std::string::npos) out.push_back(op);
    return out;
  }
};

TEST(GraphMarker, OnlyMarkersWhollyInsideThePlotAreDrawn) {
  MarkerFixture f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  f.Set(0, 100, 100, 150, 300, "m-up");         // label above its point
  f.Set(1, 200, 300, 250, 100, "m-down");       // label below
  f.Set(2, 600, 100, 150, 300, "m-beyond");     // past the record (a file from a longer one)
  f.Set(3, -5, 100, 150, 300, "m-negative");    // before it
  f.Set(4, 100, nan, 150, 300, "m-nan");        // a value no pixel stands for
  f.Set(5, 100, 100, 150, 499, "m-top");        // label too near the top to fit
  f.Set(6, 300, 200, 0, 250, "m-vertical", 1);  // vertical: the label x is the point's
  f.Set(7, 0, 200, 150, 250, "m-unused");       // index 0: not in use
  auto w = f.Open();
  const std::vector<std::string> labels = f.Labels(*w);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_NE(labels[0].find("CT \"m-up\""), std::string::npos);
  EXPECT_NE(labels[1].find("CT \"m-down\""), std::string::npos);
  EXPECT_NE(labels[2].find("CC \"m-vertical\""), std::string::npos);
  // The label above its point ends where the point is; the vertical one sits on its line.
  const int16_t x0 = w->GlobalVertToMouse(150);
  EXPECT_NE(labels[0].find("Text " + std::to_string(x0) + ","), std::string::npos) << labels[0];
  EXPECT_NE(labels[2].find("Text " + std::to_string(w->GlobalVertToMouse(300)) + ","), std::string::npos);

  f.G().ShowMarkers = 0;
  EXPECT_TRUE(f.Labels(*w).empty());
}

TEST(GraphMarker, TextWithoutTerminatorIsCutAtTheRecord) {
  MarkerFixture f;
  f.Set(0, 100, 100, 150, 300, "");
  std::memset(f.M(0).Text, 'm', sizeof f.M(0).Text);  // no terminator at all
  auto w = f.Open();
  const std::vector<std::string> labels = f.Labels(*w);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_NE(labels[0].find('"' + std::string(38, 'm') + '"'), std::string::npos);
}

TEST(GraphMarker, DialogEditsTheActiveChannelsMarkersAndCancelKeepsThem) {
  MarkerFixture f;
  f.G().Cur1 = 120;
  f.G().Cur2 = 4000;  // outside the record: the dialog gets it clamped
  f.G().HCur2 = 42;
  auto w = f.Open();

  w->Marker();  // no dialog (headless): a notice, nothing changes
  EXPECT_EQ(f.M(0).Index, 0);
  EXPECT_EQ(testing_support::NotAvailableMessages(f.env.ui), 1);

  graph::MarkerDialogRequest seen;
  bool accept = false;
  w->Dialogs.marker = [&](state::Program&, graph::MarkerDialogRequest& r) {
    seen = r;
    r.markers[0].Index = r.cur1;
    r.markers[0].Value = r.value1;
    r.markers[0].LabelIndex = r.cur2;
    r.markers[0].LabelValue = r.value2;
    std::memset(r.markers[0].Text, 'x', sizeof r.markers[0].Text);  // the dialog forgot the end
    r.markers[1].Index = 9999;                                      // typed past the record
    r.markers[1].Vertical = 7;
    return accept;
  };
  w->Marker();
  EXPECT_EQ(f.M(0).Index, 0);  // cancelled
  accept = true;
  w->Marker();
  EXPECT_EQ(seen.nShown, 500);
  EXPECT_EQ(seen.cur1, 120);
  EXPECT_FLOAT_EQ(seen.value1, 120.0f);  // the trace under cursor 1
  EXPECT_EQ(seen.cur2, 499);
  EXPECT_FLOAT_EQ(seen.value2, 42.0f);
  EXPECT_EQ(f.M(0).Index, 120);
  EXPECT_EQ(f.M(0).LabelIndex, 499);
  EXPECT_EQ(f.M(0).Text[sizeof f.M(0).Text - 1], 0);
  EXPECT_EQ(f.M(1).Index, 0);
  EXPECT_EQ(f.M(1).Vertical, 1);
  EXPECT_EQ(f.p.MarkerB[0].Index, 0);  // the other store's table is untouched
}

}  // namespace
