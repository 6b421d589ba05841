// The real transform forward then inverse, ours beside FFTW's r2c/c2r
// (FFTW_MEASURE, one thread) at the same lengths in one run. Compare the
// times of equal N: FFTW is the peer, not a reference for the values.
// FFTW's planning is not timed; it is cut at kPlanSeconds per plan (the
// longest lengths would measure for a quarter of an hour on a loaded
// machine), and TARVELIN_FFTW_WISDOM names a file that keeps the plans
// between runs.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "dsp/Fft.h"

namespace {

std::vector<float> Signal(size_t n) {
  std::vector<float> x(n);
  for (size_t j = 0; j < n; ++j)
    x[j] = float(std::sin(0.001 * double(j)) + 0.25 * std::cos(0.37 * double(j)));
  return x;
}

void BM_Tarvelin(benchmark::State& state) {
  size_t n = size_t(state.range(0));
  int M = int(n / 2);
  std::vector<float> data = Signal(n), spectrum(n), work(n);
  (void)dsp::RealSpectrum(data.data(), spectrum.data(), M);  // builds the twiddle tables
  for (auto _ : state) {
    (void)dsp::RealSpectrum(data.data(), spectrum.data(), M);
    (void)dsp::RealSpectrumInverse(spectrum.data(), work.data(), data.data(), M);
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(n));
}

constexpr double kPlanSeconds = 120;

void BM_FFTW(benchmark::State& state) {
  size_t n = size_t(state.range(0));
  const char* wisdom = std::getenv("TARVELIN_FFTW_WISDOM");
  if (wisdom) (void)fftwf_import_wisdom_from_filename(wisdom);
  fftwf_set_timelimit(kPlanSeconds);
  float* data = fftwf_alloc_real(n);
  fftwf_complex* spectrum = fftwf_alloc_complex(n / 2 + 1);
  fftwf_plan forward = fftwf_plan_dft_r2c_1d(int(n), data, spectrum, FFTW_MEASURE);
  fftwf_plan inverse = fftwf_plan_dft_c2r_1d(int(n), spectrum, data, FFTW_MEASURE);
  if (wisdom) (void)fftwf_export_wisdom_to_filename(wisdom);
  std::vector<float> x = Signal(n);
  std::copy(x.begin(), x.end(), data);  // after planning: MEASURE overwrites the arrays
  const float scale = 1.0f / float(n);
  for (auto _ : state) {
    fftwf_execute(forward);
    fftwf_execute(inverse);
    // c2r is unnormalised; scaling keeps the data bounded across iterations.
    for (size_t j = 0; j < n; ++j) data[j] *= scale;
    benchmark::DoNotOptimize(data);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(n));
  fftwf_destroy_plan(forward);
  fftwf_destroy_plan(inverse);
  fftwf_free(spectrum);
  fftwf_free(data);
}

// 2^10 and 2^14 .. 2^24 are the lengths compared with the peer; 2^26 shows
// that the longest records transform within their memory.
void Lengths(benchmark::internal::Benchmark* b) {
  for (int m : {10, 14, 16, 18, 20, 22, 24, 26}) b->Arg(1 << m);
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Tarvelin)->Apply(Lengths);
BENCHMARK(BM_FFTW)->Apply(Lengths);

}  // namespace

BENCHMARK_MAIN();
