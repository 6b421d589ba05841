// The matrix rows against one real transform per window. Also built into the
// baseline test program, where the time-frequency kernels run without AVX2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "dsp/Fft.h"
#include "dsp/SpectrumTools.h"
#include "dsp/TimeFrequency.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Every row against one real transform per window: odd and even row counts,
// a window over a NaN, and a loud half beside a quiet one (windows of unequal
// size must not share their rounding).
TEST(TimeFrequencyRows, MatchOneTransformPerWindow) {
  struct Case {
    int samples, window, mode;
  };
  for (Case c : {Case{5000, 100, 0},
                 {5001, 100, 1},
                 {3000, 64, 4},
                 {3001, 64, 5},
                 {4200, 1000, 0},
                 {40, 4, 0},
                 {9000, 1000, 0},
                 {2000, 61, 1},
                 {400, 9, 0}}) {
    std::vector<float> x(size_t(c.samples));
    for (int j = 0; j < c.samples; ++j)
      x[size_t(j)] = float(std::sin(1e-3 * j * j) * (2 * j > c.samples ? 1e4 : 1e-2));
    x[size_t(c.samples / 3)] = std::nanf("");
    const dsp::TimeFrequencyShape s = dsp::TimeFrequencyLayout(c.samples, c.window, c.mode, 1000);
    std::vector<float> got(size_t(s.rows) * size_t(s.columns)), frame(size_t(s.transform));
    ASSERT_TRUE(dsp::TimeFrequency(x.data(), c.samples, s, c.mode, 1e-3, got.data()));
    const int M = s.columns;
    std::vector<float> now(frame.size()), later(frame.size());
    auto spectrum = [&](int64_t at, std::vector<float>& into) {
      std::fill(frame.begin(), frame.end(), 0.0f);
      for (int j = 0; j < c.window; ++j)
        frame[size_t(j)] = x[size_t(at + j)] * float(dsp::WeightWindow(j, c.window) * s.transform / c.window);
      ASSERT_TRUE(dsp::RealSpectrum(frame.data(), into.data(), M));
    };
    for (int r = 0; r < s.rows; ++r) {
      spectrum(int64_t(r) * s.hop, now);
      spectrum(int64_t(r) * s.hop + 1, later);
      std::vector<float> amp(now.size() / 2);
      for (int k = 0; k < M; ++k) amp[size_t(k)] = k ? std::hypot(now[k], now[M + k]) : std::fabs(now[0] / 2);
      for (float& a : amp) a = a == a ? a : 0.0f;  // a window over a NaN reads 0
      const float top = *std::max_element(amp.begin(), amp.end());
      for (int k = 0; k < M; ++k) {
        const float a = amp[size_t(k)], v = got[size_t(r * M + k)];
        const float want = c.mode == 1 ? a * a : a, tolerance = 1e-5f * (c.mode == 1 ? top * top : top);
        if (c.mode < 2) {
          EXPECT_NEAR(v, want, tolerance) << c.samples << " " << r << " " << k;
        }
        if (c.mode < 4 || k == 0 || !(a > 1e-2 * top)) continue;
        // In radians: mode 5 is the phase advance of one sample, in Hz.
        const std::complex<double> z(now[k], now[M + k]), later1(later[k], later[M + k]);
        const double angle = std::arg(c.mode == 4 ? z : later1 * std::conj(z));
        const double read = c.mode == 4 ? v : v * 2 * kPi * 1e-3;
        EXPECT_NEAR(std::remainder(read - angle, 2 * kPi), 0, 1e-3) << c.samples << " " << r << " " << k;
      }
    }
  }
}

// An infinite sample, and loud ones that overflow the transform, spoil their
// own windows only: those read finite values, every other row its own.
TEST(TimeFrequencyRows, NonFiniteWindowsKeepToThemselves) {
  constexpr int kSamples = 3000, kWindow = 64;
  std::vector<float> clean(kSamples);
  for (size_t j = 0; j < clean.size(); ++j) clean[j] = float(std::sin(0.3 * double(j)));
  std::vector<float> spoilt = clean;
  spoilt[700] = INFINITY;
  std::fill(spoilt.begin() + 1500, spoilt.begin() + 1600, 1e37f);
  for (int mode : {0, 1, 2}) {
    const dsp::TimeFrequencyShape s = dsp::TimeFrequencyLayout(kSamples, kWindow, mode, 1000);
    std::vector<float> want(size_t(s.rows) * size_t(s.columns)), got(want.size());
    ASSERT_TRUE(dsp::TimeFrequency(clean.data(), kSamples, s, mode, 1e-3, want.data()));
    ASSERT_TRUE(dsp::TimeFrequency(spoilt.data(), kSamples, s, mode, 1e-3, got.data()));
    for (int r = 0; r < s.rows; ++r) {
      const int from = r * s.hop, to = from + kWindow;
      // The decibels are relative to the loudest window, so only their finiteness is kept.
      const bool own = mode != 2 && !(from <= 700 && 700 < to) && !(from < 1600 && 1500 < to);
      for (size_t k = size_t(r) * size_t(s.columns), end = k + size_t(s.columns); k < end; ++k) {
        ASSERT_TRUE(std::isfinite(got[k])) << mode << " " << r;
        if (own) {
          EXPECT_NEAR(got[k], want[k], 1e-5f) << mode << " " << r;
        }
      }
    }
  }
}

// Shapes TimeFrequencyLayout never makes are refused, not run past the
// signal or the working memory.
TEST(TimeFrequencyRows, ForeignShapesAreRefused) {
  std::vector<float> x(4096, 1.0f), out(1 << 16);
  const dsp::TimeFrequencyShape good = dsp::TimeFrequencyLayout(4096, 100, 0, 1000);
  ASSERT_TRUE(dsp::TimeFrequency(x.data(), 4096, good, 0, 1e-3, out.data()));
  for (auto spoil :
       {+[](dsp::TimeFrequencyShape& s) { s.window = 200; }, +[](dsp::TimeFrequencyShape& s) { s.hop = 0; },
        +[](dsp::TimeFrequencyShape& s) { s.transform = 96, s.columns = 48; }}) {
    dsp::TimeFrequencyShape s = good;
    spoil(s);
    EXPECT_FALSE(dsp::TimeFrequency(x.data(), 4096, s, 0, 1e-3, out.data()));
  }
}

// The mean column of mode 5 compares the two windows' means alone: the
// alternating (Nyquist) part of the signal must not turn it.
TEST(TimeFrequencyRows, MeanColumnIgnoresTheNyquistTerm) {
  std::vector<float> x(256);
  for (size_t j = 0; j < x.size(); ++j) x[j] = j % 2 ? 0.5f : 1.5f;
  const dsp::TimeFrequencyShape s = dsp::TimeFrequencyLayout(256, 64, dsp::kTfFrequency, 100);
  std::vector<float> out(size_t(s.rows) * size_t(s.columns));
  ASSERT_TRUE(dsp::TimeFrequency(x.data(), 256, s, dsp::kTfFrequency, 1e-3, out.data()));
  for (int r = 0; r < s.rows; ++r) EXPECT_EQ(out[size_t(r) * size_t(s.columns)], 0.0f) << r;
}

}  // namespace
