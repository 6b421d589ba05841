// Inputs from files that once made the graph window misbehave.
#include <gtest/gtest.h>

#include <string>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

platform::RecordingCanvas& Rec(graph::TDispl10& w) {
  return static_cast<platform::RecordingCanvas&>(w.Surface());
}

int Count(const platform::RecordingCanvas& c, const std::string& op) {
  int n = 0;
  for (const std::string& s : c.Ops()) n += s.rfind(op, 0) == 0;
  return n;
}

TEST(GraphFuzzRegression, PrintTitleCellFromTheRecordStaysDrawable) {
  GraphFixture f;
  f.Store(Ramp(200));
  f.G().PrintMode = 1;
  store::Prt_s& prt = *f.p.Prt.get();
  prt.TextSwitch1 = 1;
  // A print record's own cell is used as it stands.
  prt.TextFontHeight = 20;
  prt.TextFontWidth = 9;
  auto w = f.Open();
  w->Paint();
  EXPECT_EQ(Count(Rec(*w), "SetFont 20x9 "), 1);
  // A cell of thousands of pixels (or a negative one) takes the default.
  for (int16_t bad : {int16_t(30000), int16_t(401), int16_t(-5)}) {
    prt.TextFontHeight = bad;
    prt.TextFontWidth = bad;
    w->Paint();
    EXPECT_EQ(Count(Rec(*w), "SetFont 14x6 "), 1) << bad;
    EXPECT_EQ(Count(Rec(*w), "SetFont " + std::to_string(bad)), 0) << bad;
  }
}

}  // namespace
