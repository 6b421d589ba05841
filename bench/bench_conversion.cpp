// Raw codes to physical values as a waveform run converts them: 8 channels of
// 2^20 scan-interleaved codes, each channel through its own converter.
#include <benchmark/benchmark.h>

#include <vector>

#include "daq/CardState.h"
#include "daq/Conversion.h"
#include "state/Program.h"
#include "store/Defaults.h"

namespace {

constexpr int kChannels = 8;
constexpr size_t kScans = size_t(1) << 20;

struct Setup {
  Setup() : p(state::Platform{}) {
    p.DG.Simulation = 1;
    p.A.allocate(store::kChannels);
    for (int ch = 0; ch < store::kChannels; ++ch) p.A[size_t(ch)] = store::A0;
    codes.resize(kScans * kChannels);
    for (size_t i = 0; i < codes.size(); ++i) codes[i] = int16_t((i * 2654435761u) >> 16);
    values.resize(kScans * kChannels);
  }
  ~Setup() { daq::ReleaseCard(p); }
  state::Program p;
  std::vector<int16_t> codes;
  std::vector<float> values;
};

void BM_ConvertInterleaved(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    for (int ch = 0; ch < kChannels; ++ch) {
      daq::ChannelConversion conv = daq::MakeConversion(s.p, ch);
      daq::ConvertCodes(conv, s.codes.data() + ch, kChannels, kScans, s.values.data() + size_t(ch) * kScans);
    }
    benchmark::DoNotOptimize(s.values.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kScans * kChannels));
}
BENCHMARK(BM_ConvertInterleaved)->Unit(benchmark::kMillisecond);

// The same with a 300-point text table on every channel.
void BM_ConvertWithTable(benchmark::State& state) {
  Setup s;
  s.p.Kalib_In.allocate(size_t(state::kKalibRows) * state::kKalibCols);
  s.p.Kalib_Out.allocate(size_t(state::kKalibRows) * state::kKalibCols);
  s.p.TextKalib = 1;
  for (int ch = 0; ch < kChannels; ++ch) {
    s.p.KalibIn(0, ch) = 300;
    for (int i = 0; i < 300; ++i) {
      s.p.KalibIn(ch + 1, i) = -10.0f + i * (20.0f / 299);
      s.p.KalibOut(ch + 1, i) = float(i * i);
    }
  }
  for (auto _ : state) {
    for (int ch = 0; ch < kChannels; ++ch) {
      daq::ChannelConversion conv = daq::MakeConversion(s.p, ch);
      daq::ConvertCodes(conv, s.codes.data() + ch, kChannels, kScans, s.values.data() + size_t(ch) * kScans);
    }
    benchmark::DoNotOptimize(s.values.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kScans * kChannels));
}
BENCHMARK(BM_ConvertWithTable)->Unit(benchmark::kMillisecond);

// One AD_Kalibrace call per code, as a caller without the converter would.
void BM_AD_KalibracePerCode(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    for (size_t i = 0; i < kScans; ++i) s.values[i] = daq::AD_Kalibrace(s.p, s.codes[i], 0);
    benchmark::DoNotOptimize(s.values.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kScans));
}
BENCHMARK(BM_AD_KalibracePerCode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
