// Live acquisition in simulation: eight channels taken scan by scan into the
// waveform store, every sample drawn at once on a 640 × 400 window (a real
// image when the desktop library is built). Counts samples per second.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchProgram.h"
#include "daq/RunState.h"
#include "daq/WaveformRun.h"
#include "graph/GraphModel.h"
#include "state/StoreAccess.h"
#ifdef TARVELIN_BENCH_QT
#include <QImage>
#include <cstdlib>

#include "qt/QtCanvas.h"
#endif

namespace {

constexpr int kChannels = 8, kW = 640, kH = 400;
constexpr int32_t kLength = 20000;

void BM_LiveEightChannelsEverySampleDrawn(benchmark::State& state) {
  bench_support::BenchProgram b("/tmp", 8 * 131072, 131072);
  state::Program& p = *b.prog;
  p.DG.Simulation = 1;
  for (auto& a : p.MG.Acquire) a = 0;
  for (int c = 0; c < kChannels; ++c) p.MG.Acquire[c] = 1;
  p.RefA().Flags153 |= store::kAWLive;
  p.HGW.Length = kLength;
  state::NaplnHlav(p);
  // One window shows all eight, a quarter of the record at a time, so the
  // view moves on three times per record.
  store::CG_s& g = p.CGW[0];
  g.Multi = 1;
  g.MultiMask[0] = (1u << kChannels) - 1;
  g.IL = 0;
  g.IR = kLength / 4 - 1;
  g.VMax = 20000.0f;
  g.VMin = -20000.0f;
  const int32_t rect[4] = {0, 0, kW + 10, kH + 40};
  auto owned = std::make_unique<graph::TDispl10>(p, "live", store::Store::W, 0, 0, rect);
  graph::TDispl10& w = *owned;
  w.DisplInit();
#ifdef TARVELIN_BENCH_QT
  QImage image(kW, kH, QImage::Format_RGB32);
  qt::QtCanvas canvas(image);
  w.SetSurface(&canvas);
#endif
  w.SetClientSize(kW, kH);
  p.QWWin[0] = std::move(owned);
  for (auto _ : state) {
    g.IL = 0;
    g.IR = kLength / 4 - 1;
    if (daq::TRV_QW(p) != 1) state.SkipWithError("live record not complete");
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kLength * kChannels);
  state.counters["samples_per_s"] =
      benchmark::Counter(double(state.iterations()) * kLength * kChannels, benchmark::Counter::kIsRate);
#ifdef TARVELIN_BENCH_QT
  canvas.End();
#endif
  w.SetSurface(nullptr);
  p.QWWin[0].reset();
  daq::ReleaseRuns(p);
}
BENCHMARK(BM_LiveEightChannelsEverySampleDrawn)->Unit(benchmark::kMillisecond);

}  // namespace

// With the desktop library the live window draws on a real image and the
// main comes from QtBenchMain.cpp.
#ifndef TARVELIN_BENCH_QT
BENCHMARK_MAIN();
#endif
