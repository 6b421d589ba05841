// Redrawing graph windows on their images against the plain way of drawing
// a long record: one QPainter polyline through every sample.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchProgram.h"
#include "graph/GraphModel.h"
#include "qt/GraphWidget.h"
#include "qt/QtCanvas.h"
#include "state/StoreAccess.h"

namespace {

constexpr int kW = 640, kH = 400;
constexpr int32_t kSamples = 1'000'000;

// A waveform store with `channels` noisy sines of `samples` each.
struct GraphBench {
  explicit GraphBench(int channels, int32_t samples = kSamples)
      : b("/tmp", std::max<int32_t>(8 * 1'048'576, channels * samples), samples) {
    state::Program& p = *b.prog;
    p.HGW.Length = samples;
    for (int c = 0; c < channels; ++c) p.HGW.ChannelOn[c] = 1;
    for (int c = 0; c < channels; ++c) {
      float* d = p.Waveform.get() + state::Pocatek(p, store::Store::W, c);
      uint32_t seed = 12345u + uint32_t(c);
      // A sine and a slow ramp by recurrence: fast enough for 2^28 samples.
      const double step = 0.0005 * (c + 1) * (double(kSamples) / samples);
      const float cs = float(std::cos(step)), sn = float(std::sin(step));
      float x = 1.0f, y = 0.0f;
      for (int32_t i = 0; i < samples; ++i) {
        seed = seed * 1664525u + 1013904223u;
        d[i] = y + float(seed >> 8) * 1e-8f;
        const float nx = x * cs - y * sn;
        y = x * sn + y * cs;
        x = nx;
        if ((i & 0xFFFF) == 0) {  // keep the recurrence on the circle
          const float r = std::sqrt(x * x + y * y);
          x /= r;
          y /= r;
        }
      }
    }
    const int32_t rect[4] = {0, 0, kW + 10, kH + 40};
    for (int c = 0; c < channels; ++c) {
      store::CG_s& g = p.CGW[size_t(c)];
      g.Envelope = 1;  // the whole record in view, one column's min and max per pixel
      g.IL = 0;
      g.IR = samples - 1;
      auto w = std::make_unique<graph::TDispl10>(p, "bench", store::Store::W, int16_t(c),
                                                 state::Pocatek(p, store::Store::W, c), rect);
      w->DisplInit();
      windows.push_back(std::move(w));
      images.emplace_back(kW, kH, QImage::Format_RGB32);
    }
  }
  bench_support::BenchProgram b;
  std::vector<std::unique_ptr<graph::TDispl10>> windows;
  std::vector<QImage> images;
};

void BM_GraphWindowEnvelopeRedraw(benchmark::State& state) {
  GraphBench g(1);
  for (auto _ : state) {
    qt::RenderGraph(*g.windows[0], g.images[0]);
    benchmark::DoNotOptimize(g.images[0].constBits());
  }
  state.counters["points"] = g.windows[0]->PictureCount();
  state.counters["shown"] = g.windows[0]->Own().IR - g.windows[0]->Own().IL + 1;
}
BENCHMARK(BM_GraphWindowEnvelopeRedraw)->Unit(benchmark::kMillisecond);

// Cursor 1 dragged across the plot of a painted 640 × 400 window, one pixel
// column per move, on a real image: the exclusive-or lines and the
// information bar, no trace.
void BM_CursorDragOnImage(benchmark::State& state) {
  GraphBench g(1);
  graph::TDispl10& w = *g.windows[0];
  store::CG_s& c = g.b.prog->CGW[0];
  c.CursorCount = 2;
  c.CursorStyle = 1;
  c.InfoBar = c.InfoIndex = c.InfoTime = c.InfoValue = 1;
  w.DisplInit();
  QImage& image = g.images[0];
  qt::QtCanvas canvas(image);
  w.SetSurface(&canvas);
  w.SetClientSize(kW, kH);
  w.Paint();
  int16_t x = w.PlotLeft;
  const int16_t y = int16_t(w.PlotTop + w.PlotH / 2);
  for (auto _ : state) {
    int16_t px = x, py = y;
    w.CursorPaint(px, py, 0, true);
    x = x >= w.PlotLeft + w.PlotW ? w.PlotLeft : int16_t(x + 1);
  }
  canvas.End();
  w.SetSurface(nullptr);
}
BENCHMARK(BM_CursorDragOnImage)->Unit(benchmark::kMicrosecond);

// The peer: the same samples as one polyline, points computed beforehand.
void BM_QPainterPolylineOfAllSamples(benchmark::State& state) {
  GraphBench g(1);
  const float* d = g.b.prog->Waveform.get();
  std::vector<QPointF> points(kSamples);
  for (int32_t i = 0; i < kSamples; ++i)
    points[size_t(i)] = QPointF(double(i) * kW / kSamples, (1.0 - d[i]) * kH / 2);
  QImage image(kW, kH, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPolyline(points.data(), int(points.size()));
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_QPainterPolylineOfAllSamples)->Unit(benchmark::kMillisecond);

// Eight open windows after a data change: each rebuilds and redraws, and
// the envelopes of the changed store are built anew. Arguments: samples per
// channel, threads building the envelopes (0: one per core). CPU is the
// process's, every thread's.
void BM_EightWindowsAfterDataChange(benchmark::State& state) {
  GraphBench g(8, int32_t(state.range(0)));
  g.b.prog->Envelope(store::Store::W).threads = int(state.range(1));
  for (size_t i = 0; i < g.windows.size(); ++i) qt::RenderGraph(*g.windows[i], g.images[i]);
  for (auto _ : state) {
    state::SamplesChanged(*g.b.prog, store::Store::W);
    for (size_t i = 0; i < g.windows.size(); ++i) {
      g.windows[i]->UserMessage(2040, 0);
      qt::RenderGraph(*g.windows[i], g.images[i]);
    }
    benchmark::DoNotOptimize(g.images[7].constBits());
  }
}
BENCHMARK(BM_EightWindowsAfterDataChange)
    ->ArgsProduct({{kSamples, 1 << 26}, {1, 0}})
    ->ArgNames({"samples", "threads"})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// One channel of 2^28 samples (1 GiB) in a 640 × 400 window, shared by the
// benchmarks below; its envelopes are built by the first redraw.
constexpr int32_t kLong = 1 << 28;
GraphBench& Long() {
  static GraphBench g(1, kLong);
  return g;
}

void ShowLong(int64_t il, int64_t span) {
  store::CG_s& c = Long().b.prog->CGW[0];
  c.IL = int32_t(il);
  c.IR = int32_t(il + span - 1);
}

// Argument: the part of the record in view, 1/n.
void BM_LongRecordRedraw(benchmark::State& state) {
  GraphBench& g = Long();
  const int64_t span = kLong / state.range(0);
  ShowLong(kLong / 3, span);
  qt::RenderGraph(*g.windows[0], g.images[0]);
  for (auto _ : state) qt::RenderGraph(*g.windows[0], g.images[0]);
  state.counters["shown"] = double(span);
}
BENCHMARK(BM_LongRecordRedraw)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

// The view moved by one screen at every redraw, 1/1000 of the record in view.
void BM_LongRecordPanOneScreen(benchmark::State& state) {
  GraphBench& g = Long();
  const int64_t span = kLong / 1000;
  int64_t il = 0;
  for (auto _ : state) {
    il = il + 2 * span > kLong ? 0 : il + span;
    ShowLong(il, span);
    qt::RenderGraph(*g.windows[0], g.images[0]);
  }
}
BENCHMARK(BM_LongRecordPanOneScreen)->Unit(benchmark::kMillisecond);

// The whole record drawn from its samples, as without envelopes: the peer.
void BM_LongRecordRedrawFromSamples(benchmark::State& state) {
  GraphBench& g = Long();
  ShowLong(0, kLong);
  state::SampleEnvelope& e = g.b.prog->Envelope(store::Store::W);
  e.enabled = false;
  for (auto _ : state) qt::RenderGraph(*g.windows[0], g.images[0]);
  e.enabled = true;
}
BENCHMARK(BM_LongRecordRedrawFromSamples)->Iterations(2)->Unit(benchmark::kMillisecond);

// Building the envelopes of the whole record after a change, chunk by
// chunk as queries need them (argument 1) or at once by `Prepare` on one
// thread per core (argument 0).
void BM_LongRecordEnvelopeBuild(benchmark::State& state) {
  state::Program& p = *Long().b.prog;
  state::SampleEnvelope& e = p.Envelope(store::Store::W);
  for (auto _ : state) {
    state::SamplesChanged(p, store::Store::W);
    if (state.range(0) == 0) e.Prepare(p.Waveform.get(), p.Waveform.size(), 0, kLong);
    benchmark::DoNotOptimize(e.Query(p.Waveform.get(), p.Waveform.size(), 0, kLong));
  }
  state.counters["ns_per_sample"] =
      benchmark::Counter(double(kLong) * double(state.iterations()) * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LongRecordEnvelopeBuild)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
