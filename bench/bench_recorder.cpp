// A recorder window following a measurement run of 1000 points per second
// for 10 minutes (600000 points on a fake clock), drawn on a real image:
// the time each point costs (the mean and the worst single point, which is
// a whole picture when the value range grows or the screen moves on) and
// how much the process grew between the first and the tenth minute.
// Under load the worst point is mostly the scheduler's; compare CPU time.
#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "BenchProgram.h"
#include "graph/GraphModel.h"
#include "graph/RecorderModel.h"
#include "qt/QtCanvas.h"
#include "state/RecorderWindows.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace {

constexpr int32_t kPoints = 600'000;  // 10 minutes at 1 ms
constexpr int kW = 480, kH = 220;

long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4;
}

// kind: 1 trend, 2 screen; span: the screen's points.
void BM_RecorderTenMinutesAt1kHz(benchmark::State& state) {
  const auto kind = state::RecorderKind(state.range(0));
  bench_support::BenchProgram b("/tmp", kPoints, kPoints);
  state::Program& p = *b.prog;
  p.HGB.Length = kPoints;
  p.HGB.ChannelOn[0] = 1;
  p.FGB[0].Step = 0.001f;
  float* data = p.Buffer.get() + state::Pocatek(p, store::Store::M, 0);
  const int32_t rect[4] = {0, 0, kW, kH};
  QImage image(kW, kH, QImage::Format_RGB32);
  qt::QtCanvas canvas(image);
  graph::RecorderWindow w(p, kind, 0, "bench", rect, graph::OwnSurface::Nothing);
  w.SetSurface(&canvas);
  if (kind == state::RecorderKind::Screen) w.SetSpan(int32_t(state.range(1)));

  for (auto _ : state) {
    p.QM = 1;
    p.Bindx = -1;
    w.UserMessage(state::kRecorderRunStart, 0);
    w.Paint();
    double total = 0, worst = 0;
    long rssAtMinute = 0;
    // The run's values, written beforehand so that the store's own pages
    // are not counted as the window's growth.
    uint32_t seed = 1;
    for (int32_t i = 0; i < kPoints; ++i) {
      seed = seed * 1664525u + 1013904223u;
      // A slow drift under a sine and some noise: the range keeps growing.
      data[i] = float(std::sin(i * 0.001) * 100.0 + i * 0.002 + double(seed >> 8) * 1e-6);
    }
    for (int32_t i = 0; i < kPoints; ++i) {
      b.clock.Advance(1);
      p.Bindx = i;
      const auto t0 = std::chrono::steady_clock::now();
      w.UserMessage(state::kRecorderPoint, i);
      if (i % 300 == 0) w.Timer();  // the host's 300 ms window timer
      const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      total += s;
      worst = std::max(worst, s);
      if (i == 60'000) rssAtMinute = ResidentKb();
    }
    canvas.End();
    state.counters["us_per_point"] = total / kPoints * 1e6;
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["rss_growth_kb"] = double(ResidentKb() - rssAtMinute);
    state.counters["full_redraws"] = double(w.FullRedraws());
    p.QM = 0;
  }
}
BENCHMARK(BM_RecorderTenMinutesAt1kHz)
    ->Args({1, 0})
    ->Args({2, 1000})
    ->Args({2, 100'000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
