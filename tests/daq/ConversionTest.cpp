#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "FakeDriver.h"
#include "daq/Conversion.h"
#include "daq/Simulation.h"

namespace {

void Calibrate(state::Program& p, int ch, float in1, float in2, float val1, float val2, int16_t range = 1) {
  store::A_s& a = p.A[size_t(ch)];
  a.CalInput1 = in1;
  a.CalInput2 = in2;
  a.CalValue1 = val1;
  a.CalValue2 = val2;
  a.RangeIndex = range;
}

void Table(state::Program& p, int ch, std::vector<std::pair<float, float>> points) {
  p.TextKalib = 1;
  p.KalibIn(0, ch) = float(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    p.KalibIn(ch + 1, int(i)) = points[i].first;
    p.KalibOut(ch + 1, int(i)) = points[i].second;
  }
}

TEST(Conversion, CardFullScaleGuardsAndDegenerateCalibrations) {
  fake::Env f;
  f.p().BoardPresent = 1;
  daq::CardState& c = f.card();
  c.ScanAI_maximum_of_range[1] = 2.0;
  Calibrate(f.p(), 0, -2, 2, -2, 2, 2);
  EXPECT_DOUBLE_EQ(daq::FullScale(f.p(), 2), 2.0);
  EXPECT_NEAR(daq::AD_Kalibrace(f.p(), 16384, 0), 1.0f, 1e-6);
  // A range the card reports badly, a range index beyond its list, no card: simulated codes, 5 V.
  for (double bad :
       {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    c.ScanAI_maximum_of_range[1] = bad;
    EXPECT_DOUBLE_EQ(daq::FullScale(f.p(), 2), 5.0) << bad;
  }
  EXPECT_DOUBLE_EQ(daq::FullScale(f.p(), 7), 5.0);
  EXPECT_DOUBLE_EQ(daq::FullScale(f.p(), 11), 5.0);
  f.p().BoardPresent = 0;
  c.ScanAI_maximum_of_range[1] = 2.0;
  EXPECT_DOUBLE_EQ(daq::FullScale(f.p(), 2), 5.0);
  // Equal or NaN inputs and impossible channels give 0.
  Calibrate(f.p(), 3, 2, 2, 0, 10);
  EXPECT_EQ(daq::AD_Kalibrace(f.p(), 1234, 3), 0.0f);
  Calibrate(f.p(), 3, std::nanf(""), 2, 0, 10);
  for (int ch : {3, 200, -1}) EXPECT_EQ(daq::AD_Kalibrace(f.p(), 1234, int16_t(ch)), 0.0f) << ch;
}

// Channel 0 converts code x to x / 1000 before its table.
class TextTable : public ::testing::Test {
 protected:
  void SetUp() override {
    f.p().DG.Simulation = 1;
    Calibrate(f.p(), 0, 0, 5, 0, 32.768f);
  }
  void ExpectAt(std::initializer_list<std::pair<float, float>> points) {
    for (auto [v, want] : points) EXPECT_NEAR(daq::AD_Kalibrace(f.p(), v * 1000.0f, 0), want, 1e-4) << v;
  }
  fake::Env f;
};

TEST_F(TextTable, HostilePointCounts) {
  Table(f.p(), 0, {{0, 0}, {1, 10}});
  f.p().KalibIn(0, 0) = 1e9f;  // more than a row holds: the row's 300 points
  EXPECT_TRUE(std::isfinite(daq::AD_Kalibrace(f.p(), 500.0f, 0)));
  for (float count : {-3.0f, std::nanf("")}) {  // no table
    f.p().KalibIn(0, 0) = count;
    ExpectAt({{0.5f, 0.5f}});
  }
  f.p().KalibIn(0, 0) = 1.0f;  // one point: everything maps to it
  ExpectAt({{7.0f, 0.0f}});
}

TEST(Simulation, CodesStayInTheirRowsAndScansShareThePhase) {
  fake::Env f;
  for (int i = 0; i < 3000; ++i) {
    int phase = 1 + i % 30;
    int16_t w = daq::SimWaveformCode(f.p(), phase);
    ASSERT_TRUE(phase <= 15 ? w >= -1100 && w <= -901 : w >= 900 && w <= 1099) << w;
    int32_t live = daq::SimLiveCode(f.p(), 20, 31);
    ASSERT_TRUE(live >= 950 * 32 && live <= 1149 * 32) << live;
    int16_t m = daq::SimMeasurementCode(f.p());
    ASSERT_TRUE(m >= -2000 && m <= 1999) << m;
  }
  EXPECT_EQ(std::tuple(daq::SimNextPhase(30), daq::SimNextPhase(7)), std::tuple(1, 8));
  // Waveform scans share the phase and continue it.
  std::vector<int16_t> out(4 * 20 + 3, 0);
  daq::SimWaveformScans(f.p(), out, 100, 4);  // only 20 scans fit
  EXPECT_EQ(out[80], 0);
  for (int s = 0; s < 20; ++s)
    for (int k = 0; k < 4; ++k) ASSERT_EQ(out[size_t(s * 4 + k)] < 0, s < 15) << s;
  daq::SimWaveformScans(f.p(), out, 20, 4);  // phases 21..30, then 1..10
  EXPECT_GT(out[0], 0);
  EXPECT_LT(out[10 * 4], 0);
}

}  // namespace
