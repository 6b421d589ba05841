// Moving a cursor over a window that shows a million samples: each move must
// cost a few exclusive-or lines and the information bar, never a trace.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "BenchProgram.h"
#include "graph/GraphModel.h"
#include "platform/NullCanvas.h"
#include "state/StoreAccess.h"

namespace {

constexpr int kW = 640, kH = 400;
constexpr int32_t kSamples = 1'000'000;

// Draws nothing; counts what only a trace draws.
class CountingCanvas : public platform::NullCanvas {
 public:
  CountingCanvas() : NullCanvas(kW, kH) {}
  void Polyline(const std::vector<platform::Point>&) override { ++traceDraws; }
  void Pixel(platform::Point, uint32_t) override { ++traceDraws; }
  int64_t traceDraws = 0;
};

struct CursorBench {
  explicit CursorBench(bool pulse = false) : b("/tmp", 1'048'576, kSamples) {
    state::Program& p = *b.prog;
    p.HGW.Length = kSamples;
    p.HGW.ChannelOn[0] = 1;
    float* d = p.Waveform.get() + state::Pocatek(p, store::Store::W, 0);
    for (int32_t i = 0; i < kSamples; ++i) d[i] = std::sin(float(i) * 0.0005f);
    store::CG_s& g = p.CGW[0];
    g.DisplType = 2;  // the whole record
    g.Envelope = 1;
    g.IL = 0;
    g.IR = kSamples - 1;
    g.CursorCount = 2;
    g.CursorStyle = 1;
    g.InfoIndex = g.InfoTime = g.InfoValue = 1;
    // The pulse search walks the view from cursor 1 to the crossings.
    g.PulseWidth = pulse ? 1 : 0;
    g.HCur1 = 0.5f;
    const int32_t rect[4] = {0, 0, kW, kH};
    w = std::make_unique<graph::TDispl10>(p, "bench", store::Store::W, int16_t(0),
                                          state::Pocatek(p, store::Store::W, 0), rect);
    w->DisplInit();
    w->SetSurface(&canvas);
    w->Paint();
    canvas.traceDraws = 0;
  }
  ~CursorBench() { w->SetSurface(nullptr); }
  void Report(benchmark::State& state) {
    state.counters["traceDraws"] = double(canvas.traceDraws);
    state.counters["shown"] = w->NShown;
  }
  bench_support::BenchProgram b;
  CountingCanvas canvas;
  std::unique_ptr<graph::TDispl10> w;
};

void BM_StepCursor(benchmark::State& state) {
  CursorBench c;
  int direction = 1;
  for (auto _ : state) {
    c.w->StepCursor(direction);
    direction = -direction;
  }
  c.Report(state);
}
BENCHMARK(BM_StepCursor)->Unit(benchmark::kMicrosecond);

// Cursor 1 dragged across the whole plot, one pixel column per move
// (argument 1: with the pulse width measured on every move).
void BM_DragCursor1(benchmark::State& state) {
  CursorBench c(state.range(0) != 0);
  graph::TDispl10& w = *c.w;
  int16_t x = w.PlotLeft, y = int16_t(w.PlotTop + w.PlotH / 2);
  for (auto _ : state) {
    int16_t px = x, py = y;
    w.CursorPaint(px, py, 0, true);
    x = x >= w.PlotLeft + w.PlotW ? w.PlotLeft : int16_t(x + 1);
  }
  c.Report(state);
}
BENCHMARK(BM_DragCursor1)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
