// Statistics over long records: `Statistika` (two passes, double sums),
// `RMS_fun`-style sums and the median selection, reported per sample.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "dsp/Statistics.h"

namespace {

const std::vector<float>& Samples(size_t n) {
  static std::vector<float> x;
  if (x.size() != n) {
    x.resize(n);
    std::mt19937 rng(1);
    std::normal_distribution<float> d(0.0f, 1.0f);
    for (float& v : x) v = d(rng);
  }
  return x;
}

void BM_Statistika(benchmark::State& state) {
  const std::vector<float>& x = Samples(size_t(state.range(0)));
  dsp::Statistics s;
  for (auto _ : state) {
    (void)dsp::Statistika(x.data(), 0, int64_t(x.size()) - 1, s);
    benchmark::DoNotOptimize(s);
  }
  double samples = double(x.size()) * double(state.iterations());
  // seconds / (samples × 1e-9) = nanoseconds per sample
  state.counters["ns_per_sample"] =
      benchmark::Counter(samples * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Statistika)->Arg(1 << 20)->Arg(100000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Median(benchmark::State& state) {
  const std::vector<float>& x = Samples(size_t(state.range(0)));
  float m = 0;
  for (auto _ : state) {
    (void)dsp::Median(x.data(), 0, int64_t(x.size()), m);
    benchmark::DoNotOptimize(m);
  }
  state.counters["ns_per_sample"] =
      benchmark::Counter(double(x.size()) * double(state.iterations()) * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Median)->Arg(1 << 20)->Arg(10000000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
