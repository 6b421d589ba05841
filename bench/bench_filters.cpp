// Decimation, reduction and padding, each beside a plain copy of the same
// bytes in the same run: the store operations should run at memory speed.
// The smoothing has its own bench (bench_smoothing) beside scipy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "ops/Decimation.h"
#include "ops/Padding.h"
#include "ops/Reduction.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace {

constexpr int kChannels = 4;
constexpr int kLength = 1 << 20;  // 4 channels × 4 MiB: well beyond the caches

// A waveform store of kChannels × kLength samples with room to double it.
struct Store {
  platform::ScriptedUi ui;
  state::Program p{state::Platform{&ui, nullptr, nullptr, nullptr, nullptr, nullptr}};
  Store() {
    p.DG.TotalSamples = p.DG.MaxLength = 2 * kChannels * kLength;
    p.Allocate(p.FGW, store::kChannels);
    p.Allocate(p.Waveform, size_t(p.DG.TotalSamples));
    p.Allocate(p.SWaveform, size_t(p.DG.TotalSamples));
    std::mt19937 gen(1);
    std::uniform_real_distribution<float> d(-1, 1);
    for (size_t i = 0; i < size_t(kChannels) * kLength; ++i) p.Waveform[i] = d(gen);
    for (int c = 0; c < kChannels; ++c) p.HGW.ChannelOn[c] = 1;
    Reset(kLength);
  }
  void Reset(int length) {
    p.HGW.Length = length;
    for (int c = 0; c < kChannels; ++c) p.FGW[c].Step = 0.001f;
  }
};

Store& TheStore() {
  static Store s;
  return s;
}

// The peer of every store operation: copying the bytes it reads.
void BM_CopyStore(benchmark::State& state) {
  Store& s = TheStore();
  const size_t n = size_t(kChannels) * kLength;
  for (auto _ : state) {
    std::memcpy(s.p.SWaveform.get(), s.p.Waveform.get(), n * sizeof(float));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(n) * 4);
}
BENCHMARK(BM_CopyStore)->Unit(benchmark::kMillisecond);

void BM_Decimation(benchmark::State& state) {
  Store& s = TheStore();
  for (auto _ : state) {
    s.Reset(kLength);
    (void)ops::DecimationUtil(s.p, store::Store::W);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kChannels) * kLength * 4);
}
BENCHMARK(BM_Decimation)->Unit(benchmark::kMillisecond);

void BM_ReductionMeanBy10(benchmark::State& state) {
  Store& s = TheStore();
  for (auto _ : state) {
    s.Reset(kLength);
    (void)ops::ReduceUtil(s.p, 1);  // the prompt keeps its initial factor 10
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kChannels) * kLength * 4);
}
BENCHMARK(BM_ReductionMeanBy10)->Unit(benchmark::kMillisecond);

// Padding writes twice the record; its peer copies that many bytes.
void BM_CopyDoubleStore(benchmark::State& state) {
  Store& s = TheStore();
  const size_t n = size_t(kChannels) * kLength;
  for (auto _ : state) {
    std::memcpy(s.p.SWaveform.get(), s.p.Waveform.get(), 2 * n * sizeof(float));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(n) * 8);
}
BENCHMARK(BM_CopyDoubleStore)->Unit(benchmark::kMillisecond);

void BM_PadToDouble(benchmark::State& state) {
  Store& s = TheStore();
  for (auto _ : state) {
    s.Reset(kLength);
    (void)ops::DoplnNulamiNaDvojnasobek(s.p);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kChannels) * kLength * 8);
}
BENCHMARK(BM_PadToDouble)->Unit(benchmark::kMillisecond);

void BM_PadToPowerOfTwo(benchmark::State& state) {
  Store& s = TheStore();
  const int n = kLength / 2 + kLength / 4 + 1;  // pads to kLength
  for (auto _ : state) {
    s.Reset(n);
    (void)ops::DoplnNulamiNaMocninuDvou(s.p, false, true);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kChannels) * kLength * 4);
}
BENCHMARK(BM_PadToPowerOfTwo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
