// The time–frequency matrix of a 2^20-sample signal in 1024-sample windows
// (weighting, transform and amplitudes of every window), beside the same
// number of bare FFTW r2c transforms of 1024 points (FFTW_MEASURE, one
// thread) in one run, one at a time and as one batch. The counter
// "transforms" is the rows of the matrix.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/TimeFrequency.h"

namespace {

constexpr int64_t kSamples = int64_t(1) << 20;
constexpr int kWindow = 1024;

std::vector<float> Chirp() {
  std::vector<float> x(static_cast<size_t>(kSamples));
  for (size_t j = 0; j < x.size(); ++j) {
    double t = double(j) / double(kSamples);
    x[j] = float(std::sin(2000.0 * t * t * 3.14159) + 0.1 * std::cos(0.37 * double(j)));
  }
  return x;
}

const dsp::TimeFrequencyShape& Shape() {
  static const dsp::TimeFrequencyShape s =
      dsp::TimeFrequencyLayout(kSamples, kWindow, dsp::kTfAmplitude, 32767);
  return s;
}

void BM_TarvelinMatrix(benchmark::State& state) {
  const std::vector<float> x = Chirp();
  const dsp::TimeFrequencyShape& s = Shape();
  std::vector<float> out(size_t(s.rows) * size_t(s.columns));
  (void)dsp::TimeFrequency(x.data(), kSamples, s, dsp::kTfAmplitude, 1e-4, out.data());  // twiddle tables
  for (auto _ : state) {
    (void)dsp::TimeFrequency(x.data(), kSamples, s, dsp::kTfAmplitude, 1e-4, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.counters["transforms"] = s.rows;
}

void BM_FFTWTransforms(benchmark::State& state) {
  const dsp::TimeFrequencyShape& s = Shape();
  float* in = fftwf_alloc_real(kWindow);
  fftwf_complex* spectrum = fftwf_alloc_complex(kWindow / 2 + 1);
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(kWindow, in, spectrum, FFTW_MEASURE);
  std::vector<float> x = Chirp();  // after planning: MEASURE overwrites the arrays
  for (auto _ : state) {
    for (int r = 0; r < s.rows; ++r) {
      const float* src = x.data() + int64_t(r) * s.hop;
      std::copy(src, src + kWindow, in);
      fftwf_execute(plan);
      benchmark::DoNotOptimize(spectrum);
    }
    benchmark::ClobberMemory();
  }
  state.counters["transforms"] = s.rows;
  fftwf_destroy_plan(plan);
  fftwf_free(spectrum);
  fftwf_free(in);
}

// A second peer: the same windows as one FFTW batch read straight from the
// signal (fftwf_plan_many_dft_r2c, the hop as the distance between inputs),
// again without the weighting and the amplitudes.
void BM_FFTWBatch(benchmark::State& state) {
  const dsp::TimeFrequencyShape& s = Shape();
  std::vector<float> x(static_cast<size_t>(kSamples));
  const int n = kWindow, bins = kWindow / 2 + 1;
  fftwf_complex* spectra = fftwf_alloc_complex(size_t(s.rows) * size_t(bins));
  fftwf_plan plan = fftwf_plan_many_dft_r2c(1, &n, s.rows, x.data(), nullptr, 1, s.hop, spectra, nullptr, 1,
                                            bins, FFTW_MEASURE);
  const std::vector<float> chirp = Chirp();  // after planning, as above
  std::copy(chirp.begin(), chirp.end(), x.begin());
  for (auto _ : state) {
    fftwf_execute(plan);
    benchmark::DoNotOptimize(spectra);
    benchmark::ClobberMemory();
  }
  state.counters["transforms"] = s.rows;
  fftwf_destroy_plan(plan);
  fftwf_free(spectra);
}

// On a shared machine the least of the repetitions (--benchmark_repetitions)
// is the one least disturbed by the others.
double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_TarvelinMatrix)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_FFTWTransforms)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_FFTWBatch)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
