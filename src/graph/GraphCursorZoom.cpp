// Zooms to the cursors: both ranges, the sample range of the vertical lines,
// or the value range of the horizontal lines.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"

namespace graph {
namespace {

constexpr int kMinCursorGap = 4;  // samples; a narrower view has nothing to show
constexpr int kRefusalCaption = 13;

bool TooClose(const store::CG_s& g) { return std::llabs(int64_t(g.Cur2) - g.Cur1) < kMinCursorGap; }

// The sample (or XY x) range between the vertical cursor lines becomes the view.
void TakeSampleRange(store::CG_s& g, int32_t n) {
  if (g.XYPlot) {
    if (!Finite(g.XCur1) || !Finite(g.XCur2)) return;
    if (g.XCur1 > g.XCur2) std::swap(g.XCur1, g.XCur2);
    g.XMin = g.XCur1;
    g.XMax = g.XCur2;
    return;
  }
  if (g.Cur1 > g.Cur2) std::swap(g.Cur1, g.Cur2);
  // Indices from a job file may lie outside the record.
  const int32_t last = std::max(n - 1, 0);
  g.IL = std::clamp(g.Cur1, 0, last);
  g.IR = std::clamp(g.Cur2, 0, last);
}

// The values between the horizontal lines become the value range of `v`.
void TakeValueRange(store::CG_s& g, store::CG_s& v) {
  if (!Finite(g.HCur1) || !Finite(g.HCur2)) return;
  if (g.HCur1 < g.HCur2) std::swap(g.HCur1, g.HCur2);
  v.VMax = g.HCur1;
  v.VMin = g.HCur2;
}

bool Strips(const store::CG_s& g) { return g.Multi && (g.MultiFlags & store::kMultiStrips); }

}  // namespace

void TDispl10::CursorExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.CursorCount != 2) return state::MessT(p_, 102, kRefusalCaption);
  // Equal horizontal lines would leave an empty value range (in the XY plot too).
  if (g.HCur1 == g.HCur2) return state::MessT(p_, 106, kRefusalCaption);
  if (!g.XYPlot && TooClose(g)) return state::MessT(p_, 103, kRefusalCaption);
  TakeSampleRange(g, NShown);
  if (!Strips(g)) TakeValueRange(g, Graph(VerticalRecordChannel()));
  MultiCopy();
  Finish();
}

void TDispl10::VerticalCursorExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.CursorCount != 2) return state::MessT(p_, 102, kRefusalCaption);
  if (!g.XYPlot && TooClose(g)) return state::MessT(p_, 105, kRefusalCaption);
  TakeSampleRange(g, NShown);
  MultiCopy();
  Finish();
}

void TDispl10::HorizontalCursorExpand() {
  if (broken_) return;
  store::CG_s& g = Own();
  if (g.CursorCount != 2) return state::MessT(p_, 102, kRefusalCaption);
  if (Strips(g)) return;  // strips have no common value axis for the lines
  if (g.HCur1 == g.HCur2) return state::MessT(p_, 106, kRefusalCaption);
  TakeValueRange(g, Graph(VerticalRecordChannel()));
  MultiCopy();
  Finish();
}

}  // namespace graph
