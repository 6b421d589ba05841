#include <gtest/gtest.h>

#include <cmath>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

const std::vector<float> kData = {1, -2, 3, -4, 5, -6, 7, -8};

std::vector<float> Shadow(GraphFixture& f, int n, int start = 0) {
  return std::vector<float>(f.p.SWaveform.get() + start, f.p.SWaveform.get() + start + n);
}

TEST(GraphDerived, PowerAndMagnitudeOfSamplesAndOfSpectra) {
  for (int spectrum : {0, 1}) {
    SCOPED_TRACE(spectrum);
    GraphFixture f;
    f.Store(kData);
    f.p.WFreq[0] = spectrum;
    f.G().DisplType = graph::kPower;
    auto w = f.Open();
    EXPECT_EQ(w->Series(), f.p.SWaveform.get());
    // A spectrum combines both halves: re = 1, -2, 3, -4; im = 5, -6, 7, -8.
    EXPECT_EQ(Shadow(f, 8), spectrum ? (std::vector<float>{26, 40, 58, 80, 26, 40, 58, 80})
                                     : (std::vector<float>{1, 4, 9, 16, 25, 36, 49, 64}));
    EXPECT_EQ(w->NShown, spectrum ? 4 : 8);
    w->SetNewPointer(graph::kMagnitude, graph::kPower);
    EXPECT_FLOAT_EQ(Shadow(f, 8)[1], spectrum ? std::sqrt(40.0f) : 2.0f);
    EXPECT_FLOAT_EQ(Shadow(f, 8)[5], spectrum ? std::sqrt(40.0f) : 6.0f);
  }
}

TEST(GraphDerived, RunningSumAndDifferenceRescaleAndRestoreTheRange) {
  GraphFixture f;
  f.Store(kData);
  f.Range(100, -100);
  auto w = f.Open();
  w->SetNewPointer(graph::kRunningSum, graph::kBothHalves);
  EXPECT_EQ(Shadow(f, 8), (std::vector<float>{1, -1, 2, -2, 3, -3, 4, -4}));
  EXPECT_FLOAT_EQ(f.G().VMax, 4);
  EXPECT_FLOAT_EQ(f.G().VMin, -4);
  EXPECT_FLOAT_EQ(f.G().VSavMax, 100);  // the range before the derived display

  w->SetNewPointer(graph::kDifference, graph::kRunningSum);
  EXPECT_EQ(Shadow(f, 8), (std::vector<float>{-3, -3, 5, -7, 9, -11, 13, -15}));
  EXPECT_FLOAT_EQ(f.G().VMax, 13);

  w->SetNewPointer(graph::kBothHalves, graph::kDifference);
  EXPECT_FLOAT_EQ(f.G().VMax, 100);
  EXPECT_FLOAT_EQ(f.G().VMin, -100);
  EXPECT_EQ(w->Series(), f.p.Waveform.get());
}

TEST(GraphDerived, HistogramCountsIntoClassesAndSurvivesBadInput) {
  GraphFixture f;
  std::vector<float> data(20);
  for (int i = 0; i < 20; ++i) data[size_t(i)] = float(i % 4);
  f.Store(data);
  f.G().DisplType = graph::kHistogram;
  f.G().ClassWidth = 1;
  auto w = f.Open();
  // Range 0..3: width trunc(20 / 3) = 6, at most 20 / 5 = 4. Value v lands in
  // class trunc(20 v / 3) / 4 * 4 + 2; 3 lands past the end and is clamped.
  std::vector<float> expect(20, 0.0f);
  for (int i = 0; i < 20; i += 4) expect[size_t(i)] = -1;
  expect[2] = 5;
  expect[6] = 5;
  expect[14] = 5;
  expect[19] = 5;
  EXPECT_EQ(Shadow(f, 20), expect);
  EXPECT_FLOAT_EQ(f.G().XFullMax, 3);
  EXPECT_FLOAT_EQ(f.G().VMin, -1);

  // Bad class widths, short records and NaN.
  for (float width : {0.0f, -1.0f, std::nanf(""), 1e30f}) {
    for (int n : {2, 4, 9}) {
      GraphFixture f;
      std::vector<float> data = Ramp(n);
      data[0] = std::nanf("");
      f.Store(data);
      f.G().DisplType = graph::kHistogram;
      f.G().ClassWidth = width;
      auto w = f.Open();
      w->DisplControl();
      float counted = 0;
      for (float v : Shadow(f, n))
        if (v > 0) counted += v;
      EXPECT_LE(counted, float(n - 1)) << width << " " << n;  // the NaN is in no class
    }
  }
}

}  // namespace
