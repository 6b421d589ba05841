#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "dsp/DspTestSupport.h"
#include "dsp/Fft.h"
#include "dsp/SpectrumTools.h"
#include "dsp/TimeFrequency.h"
#include "ops/MatrixOps.h"
#include "ops/UserFunctions.h"
#include "state/Messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kStep = 1e-4f;  // 10 kHz

struct TimeFrequencyFixture : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  const store::Mat_s& m = p.Mat[0];
  // Channel 0: a chirp from 500 Hz rising 1000 Hz/s over 32768 samples (to 3777 Hz).
  void Chirp() {
    dsptest::Layout(
        p, 1, {0}, 32768,
        [](int, int k) {
          double t = k * double(kStep);
          return float(2.0 * std::cos(2 * kPi * (500 * t + 500 * t * t)));
        },
        kStep);
  }
  int Run(int code, int32_t n = 0) {
    p.Fun[0].Code = int16_t(code);
    p.Fun[0].Channel = 0;
    p.Fun[0].N = n;
    return ops::Funkce_Proved(p, 0);
  }
  float At(int r, int c) const { return p.Matrix[size_t(r) * size_t(m.Columns) + size_t(c)]; }
};

TEST_F(TimeFrequencyFixture, RidgeFollowsTheInstantaneousFrequency) {
  Chirp();
  ASSERT_EQ(Run(42), 1);
  ASSERT_TRUE(ops::HasMatrix(p));
  for (int r = 0; r < m.Rows; r += 7) {
    double f = 500 + 1000 * (m.RowStart + r * m.RowStep);
    int peak = 0;
    for (int c = 1; c < m.Columns; ++c)
      if (At(r, c) > At(r, peak)) peak = c;
    EXPECT_NEAR(m.ColumnStart + peak * m.ColumnStep, f, 1.5 * m.ColumnStep) << r;
    EXPECT_NEAR(At(r, peak), 2.0, 0.25) << r;  // the chirp's amplitude
  }
}

TEST_F(TimeFrequencyFixture, EveryCodeGivesAConsistentMatrix) {
  Chirp();
  struct Case {
    int code, mode, window;
  };
  // 47 to 56: round(2.9 / (n × 1e-4)) samples for n = 45, 90, 300, 600 Hz, 51/56 from N = 1000.
  for (Case c : {Case{42, 0, 128},
                 {43, 1, 128},
                 {44, 2, 128},
                 {45, 4, 128},
                 {46, 5, 128},
                 {47, 0, 644},
                 {48, 0, 322},
                 {49, 0, 97},
                 {50, 0, 48},
                 {51, 0, 29},
                 {53, 2, 322},
                 {56, 2, 29}}) {
    ASSERT_EQ(Run(c.code, 1000), 1) << c.code;
    ASSERT_TRUE(ops::HasMatrix(p)) << c.code;
    EXPECT_EQ(m.AnalysisMode, c.mode);
    EXPECT_EQ(m.WindowLength, c.window) << c.code;
    EXPECT_EQ(m.WindowStep, c.window / 2);
    EXPECT_EQ(m.TransformLength, 2 * m.Columns);
    EXPECT_GE(m.TransformLength, c.window);
    EXPECT_LT(m.TransformLength / 2, c.window);
    EXPECT_EQ(m.Rows, (32768 - c.window - (c.mode == 5)) / m.WindowStep + 1) << c.code;
    EXPECT_FLOAT_EQ(m.ColumnStep, 1 / (m.TransformLength * kStep));
    EXPECT_FLOAT_EQ(m.RowStep, m.WindowStep * kStep);
    EXPECT_EQ(m.LastColumn, m.Columns - 1);
    EXPECT_EQ(m.LastRow, m.Rows - 1);
    auto [lo, hi] = std::minmax_element(p.Matrix.begin(), p.Matrix.end());
    EXPECT_EQ(m.ValueMin, *lo);
    EXPECT_EQ(m.ValueMax, *hi);
    EXPECT_TRUE(std::all_of(p.Matrix.begin(), p.Matrix.end(), [](float v) { return std::isfinite(v); }));
  }
  // Mode 5 reads the frequency itself: at the ridge it is the chirp's.
  ASSERT_EQ(Run(46), 1);
  for (int r = 0; r < m.Rows; r += 11) {
    double f = 500 + 1000 * (m.RowStart + r * m.RowStep);
    EXPECT_NEAR(At(r, int(std::lround(f / m.ColumnStep))), f, 20) << r;
  }
}

TEST_F(TimeFrequencyFixture, RefusalsLeaveTheMatrixAlone) {
  Chirp();
  ASSERT_EQ(Run(42), 1);
  const std::vector<float> before = p.Matrix;
  const store::Mat_s header = m;
  dsptest::MarkSpectrum(p, 1, 0);
  EXPECT_EQ(Run(42), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 431));
  Chirp();
  p.Fun[0].Channel = 5;  // inactive
  EXPECT_EQ(ops::Funkce_Proved(p, 0), 0);
  EXPECT_EQ(Run(51, 0), 0);      // no bandwidth
  EXPECT_EQ(Run(51, 1), 0);      // a window of 29000 samples: too long
  EXPECT_EQ(Run(51, 20000), 0);  // 1 sample: too short
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 731));
  p.FGW[0].Step = std::nanf("");
  EXPECT_EQ(Run(42), 0);
  EXPECT_EQ(p.Matrix, before);
  EXPECT_EQ(std::memcmp(&header, &m, sizeof header), 0);
}

TEST(TimeFrequencyLayout, LongSignalsWidenTheHopToFitTheRows) {
  struct Case {
    int64_t samples;
    int window, mode, maxRows, transform, hop, rows;
  };
  for (Case c : {Case{1000, 100, 0, 100, 128, 50, 19},
                 {1000, 100, 5, 100, 128, 50, 18},
                 {1 << 20, 8, 0, 32767, 8, 33, 31775},
                 {100, 101, 0, 100, 0, 0, 0},
                 {100, 3, 0, 100, 0, 0, 0}}) {
    dsp::TimeFrequencyShape s = dsp::TimeFrequencyLayout(c.samples, c.window, c.mode, c.maxRows);
    EXPECT_EQ(s.transform, c.transform) << c.samples;
    EXPECT_EQ(s.hop, c.hop) << c.samples;
    EXPECT_EQ(s.rows, c.rows) << c.samples;
    if (s.rows) {
      EXPECT_LE((s.rows - 1) * int64_t(s.hop) + c.window + (c.mode == 5), c.samples);
    }
  }
}

}  // namespace
