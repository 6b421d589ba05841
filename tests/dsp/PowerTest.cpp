#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Power.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(Power, PowerAndMagnitudeOfASpectrum) {
  std::vector<float> s = {3, 0, 1, 4, 2, 7};  // Re 3 0 1, Im 4 2 7
  std::vector<float> m = s;
  dsp::Power(s.data(), 6, 3);
  EXPECT_EQ(s, (std::vector<float>{25, 4, 50, 0, 0, 0}));
  dsp::Power(m.data(), 6, 4);
  EXPECT_EQ(std::tuple(m[0], m[2], m[5]), std::tuple(5.0f, std::sqrt(50.0f), 0.0f));
  std::vector<float> keep = {1, 2, 3, 4}, before = keep;
  dsp::Power(keep.data(), 4, 2);
  dsp::Power(keep.data(), 1, 3);
  EXPECT_EQ(keep, before);
}

// W channel 0 = u, channel 1 = i, sampled with step dt.
struct PowerPair {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  dsp::PowerResults r;
  PowerPair(int n, float dt, double f, double um, double im, double phiDeg, double uOffset = 0) {
    double phi = phiDeg * kPi / 180;
    dsptest::Layout(
        p, 1, {0, 1}, n,
        [&](int ch, int k) {
          double t = k * double(dt);
          return ch == 0 ? float(uOffset + um * std::sin(2 * kPi * f * t))
                         : float(im * std::sin(2 * kPi * f * t - phi));
        },
        dt);
  }
  int Run(int i, bool cursors, int from, int to, float nominal = 50.0f) {
    return ops::Faze_UI(p, 0, i, cursors, from, to, nominal, r);
  }
};

TEST(FazeUI, SinesWithAPhaseShift) {
  // 230 V, 5 A peak, current lagging by 30 degrees, 200 samples a period.
  PowerPair pair(4000, 1e-4f, 50.0, 325.0, 5.0, 30.0);
  ASSERT_EQ(pair.Run(1, false, 0, 3999), 1);
  double U = 325 / std::sqrt(2.0), I = 5 / std::sqrt(2.0), c = std::cos(kPi / 6), s = std::sin(kPi / 6);
  const struct {
    int row;
    double want, tolerance;
  } rows[] = {{1, 30.0, 0.05},
              {2, c, 1e-3},
              {3, s, 1e-3},
              {4, 30.0 / 360 * 0.02, 1e-5},  // the delay of i, seconds
              {5, 50.0, 0.01},
              {6, 19, 1},  // whole periods between first and last crossing of u
              {7, U, U * 1e-3},
              {8, I, I * 1e-3},
              {9, 325 * 5 * c / 2, 1.0},
              {10, 325 * 5 / 2.0, 1.0},
              {11, 325 * 5 * s / 2, 1.0},  // P, S, Q
              {12, 325 * 5 * c / 2, 1.0},  // the mean of u·i is the active power
              {13, 650, 0.5},
              {14, 10, 0.01},
              {15, 0, 0.5},
              {16, 0, 0.01},
              {17, 65, 0.1},
              {18, 1 / 65.0, 1e-4},
              {0, 0, 0},
              {19, 0, 0}};
  for (const auto& w : rows) EXPECT_NEAR(pair.r.R(w.row), w.want, w.tolerance) << w.row;
  EXPECT_EQ(pair.r.StatCursor, 0);
}

TEST(FazeUI, LeadingCurrentOffNominalFrequencyAndCursors) {
  // 52 Hz, current leading by 45 degrees; the nominal 50 Hz only sets the
  // spacing of the crossings, the measured frequency follows the signal.
  PowerPair pair(5000, 1e-4f, 52.0, 10.0, 2.0, -45.0);
  ASSERT_EQ(pair.Run(1, false, 0, 4999), 1);
  EXPECT_NEAR(pair.r.phi, -45.0, 0.1);
  EXPECT_NEAR(pair.r.frequency, 52.0, 0.02);
  EXPECT_NEAR(pair.r.Q, -10 * 2 * std::sin(kPi / 4) / 2, 0.02);
  // Between the cursors (reversed in the record): only that stretch counts.
  pair.p.CGW[0].Cur1 = 3000;
  pair.p.CGW[0].Cur2 = 1000;
  ASSERT_EQ(pair.Run(1, true, 0, 0), 1);
  EXPECT_EQ(pair.r.StatCursor, 1);
  EXPECT_LE(pair.r.periods, 2000 / (1e4 / 52.0));
  EXPECT_NEAR(pair.r.phi, -45.0, 0.2);
  // A range beyond the record and reversed is limited and ordered.
  ASSERT_EQ(pair.Run(1, false, 100000, -5), 1);
  EXPECT_NEAR(pair.r.phi, -45.0, 0.1);
}

TEST(FazeUI, RefusesWhatHasNoPeriod) {
  PowerPair pair(2000, 1e-4f, 50.0, 1.0, 1.0, 10.0);
  EXPECT_EQ(pair.Run(1, false, 0, 1999, 0.0f), 0);  // no nominal frequency
  EXPECT_EQ(pair.Run(1, false, 0, 150), 0);         // shorter than a period
  EXPECT_EQ(pair.Run(5, false, 0, 1999), 0);        // inactive current channel
  EXPECT_EQ(pair.Run(200, false, 0, 1999), 0);      // no such channel
  pair.p.CGW[0].Cur1 = pair.p.CGW[0].Cur2 = 700;
  EXPECT_EQ(pair.Run(1, true, 0, 1999), 0);  // equal cursors
  EXPECT_EQ(std::tuple(pair.r.U, pair.r.phi), std::tuple(0.0f, 0.0f));
  pair.p.FGW[0].Step = 0;
  EXPECT_EQ(pair.Run(1, false, 0, 1999), 0);
  pair.p.FGW[0].Step = 1e-4f;
  pair.p.WFreq[1] = 1;  // a spectrum is no current
  EXPECT_EQ(pair.Run(1, false, 0, 1999), 0);
  // A u with an offset that never crosses zero.
  PowerPair dc(2000, 1e-4f, 50.0, 1.0, 1.0, 0.0, 5.0);
  EXPECT_EQ(dc.Run(1, false, 0, 1999), 0);
}

// A 50 Hz signal with the given harmonic amplitudes (index 0 = fundamental),
// 4 s long so that harmonic h lies on bin 200 h.
void HarmonicSignal(state::Program& p, int n, const std::vector<double>& amplitudes) {
  const double dt = 4.0 / n;
  dsptest::Layout(
      p, 1, {0, 3}, n,
      [&](int ch, int k) {
        double v = 0;
        for (size_t h = 0; ch && h < amplitudes.size(); ++h)
          v += amplitudes[h] * std::cos(2 * kPi * 50.0 * (h + 1) * k * dt + 0.3 * h);
        return float(v);
      },
      float(dt));
}

TEST(GetHarm, FindsEachHarmonicOnItsOwnLineAndKeepsTheChannel) {
  for (int n : {4096, 4000}) {  // the fast transform and the direct sums
    SCOPED_TRACE(n);
    testing_support::TestEnv env(65536);
    HarmonicSignal(env.prog, n, {10, 0, 2, 0, 1, 0, 0.5});
    std::vector<float> before = dsptest::Channel(env.prog, 1, 3);
    float out[8] = {};
    ASSERT_EQ(ops::GetHarm(env.prog, 3, 50.0f, 8, out), 8);
    const double want[8] = {10, 0, 2, 0, 1, 0, 0.5, 0};
    for (int h = 0; h < 8; ++h) EXPECT_NEAR(out[h], want[h], 0.02 * want[0]) << h;
    EXPECT_EQ(dsptest::Channel(env.prog, 1, 3), before);
  }
}

TEST(GetHarm, RefusesUnusableBandsAndChannels) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  HarmonicSignal(p, 4096, {1});
  float out[3] = {9, 9, 9};
  EXPECT_EQ(ops::GetHarm(p, 1, 50.0f, 3, out), 0);  // inactive
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(ops::GetHarm(p, 3, 1000.0f, 3, out), 0);  // band beyond the spectrum
  EXPECT_EQ(ops::GetHarm(p, 3, -10.0f, 3, out), 0);   // band below bin 6
  EXPECT_EQ(ops::GetHarm(p, 3, 50.0f, 30, nullptr), 0);
  // Harmonics past the end of the record end the search early.
  float many[30];
  int found = ops::GetHarm(p, 3, 50.0f, 30, many);
  EXPECT_GT(found, 0);
  EXPECT_LT(found, 30);
  p.WFreq[3] = 1;
  EXPECT_EQ(ops::GetHarm(p, 3, 50.0f, 3, out), 0);  // a spectrum
}

TEST(CinitelZkresleni, PureSineAndTenPercentThirdHarmonic) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  float factor = -1;
  HarmonicSignal(p, 4096, {1});
  (void)ops::CinitelZkresleni(p, 3, 10, factor);  // rounding noise may or may not leave energy above 90 Hz
  EXPECT_LT(factor, 1e-3);
  HarmonicSignal(p, 4096, {1, 0, 0.1});
  ASSERT_NE(ops::CinitelZkresleni(p, 3, 10, factor), 0);
  EXPECT_NEAR(factor, 0.1, 0.005);
  EXPECT_EQ(ops::CinitelZkresleni(p, 3, 1, factor), 0);  // harmonic 1 lies below 90 Hz
  EXPECT_EQ(factor, 0);
  EXPECT_EQ(ops::CinitelZkresleni(p, 0, 10, factor), 0);  // all zero: no energy
  EXPECT_EQ(ops::CinitelZkresleni(p, 7, 10, factor), 0);  // inactive
}

}  // namespace
