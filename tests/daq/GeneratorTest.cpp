#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RunTestSupport.h"
#include "daq/Generator.h"
#include "ops/StoreChecks.h"

namespace {

using runtest::Sim;
using V = std::vector<float>;

store::M_s Shape(int shape, float a, float b, float period, float duty = 0, float phase = 0,
                 int combine = 0) {
  store::M_s m{};
  m.GenShape = int16_t(shape);
  m.GenCombine = int16_t(combine);
  m.GenLevelA = a;
  m.GenLevelB = b;
  m.GenPeriod = period;
  m.GenDuty = duty;
  m.GenPhase = phase;
  return m;
}

V Draw(const store::M_s& m, size_t n, float initial = 0.0f) {
  V x(n, initial);
  EXPECT_TRUE(daq::DrawShape(m, x.data(), int64_t(n)));
  return x;
}

TEST(GeneratorShape, ShapesPhasesAndCombinations) {
  V x = Draw(Shape(0, 5, 0, 10, 3), 25);
  for (size_t i = 0; i < 25; ++i) EXPECT_EQ(x[i], i % 10 < 7 ? 5.0f : 0.0f) << i;
  EXPECT_EQ(Draw(Shape(0, 5, 0, 10, 3, 12), 25), x);  // a phase above the period counts as 0
  const struct {
    store::M_s shape;
    size_t n;
    float initial;
    V want;
  } cases[] = {
      // Starts 4 - 10 = -6 samples before the record: 1 more at 5, then 3 at 0.
      {Shape(0, 5, 0, 10, 3, 4), 12, 0, {5, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5, 0}},
      {Shape(1, 4, 0, 8), 16, 0, {1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 0}},
      {Shape(3, 2.5f, 9, 4), 3, 0, {2.5f, 2.5f, 2.5f}},
      {Shape(3, 2, 0, 1, 0, 0, 1), 3, 10, {12, 12, 12}},  // added
      {Shape(1, 4, 0, 8, 0, 0, 2), 4, 10, {9, 8, 7, 6}},  // subtracted
      {Shape(3, 2, 0, 1, 0, 0, 7), 2, 10, {2, 2}},        // unknown: replaced
  };
  for (const auto& c : cases) EXPECT_EQ(Draw(c.shape, c.n, c.initial), c.want) << c.shape.GenShape;
  // Period 4, amplitude 2, offset 1: k starts at 4, so 1, 3, 1, -1 repeated.
  V s = Draw(Shape(2, 2, 1, 4), 8);
  const float sine[4] = {1, 3, 1, -1};
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(s[size_t(i)], sine[i % 4], 1e-5f) << i;
}

TEST(GeneratorShape, ShapesThatNeverAdvanceAreRefused) {
  V x(16, 1.0f);
  for (const store::M_s& m : {Shape(1, 4, 0, 1.5f), Shape(0, 4, 0, 0, 0), Shape(2, 4, 0, 0),
                              Shape(0, 4, 0, std::nanf(""), 1), Shape(9, 4, 0, 10)})
    EXPECT_FALSE(daq::DrawShape(m, x.data(), 16));
  EXPECT_EQ(x, V(16, 1.0f));
  EXPECT_TRUE(
      daq::DrawShape(Shape(0, 4, 0, 1e14f, 1), x.data(), 16));  // a huge period is drawn, not looped over
  Sim s;
  s.p().M[0] = Shape(1, 4, 0, 1.0f);
  EXPECT_EQ(daq::VypocetGeneratoru(s.p(), 0, false), 0);
  EXPECT_EQ(s.ui.Log().size(), 1u);
}

TEST(GeneratorOutput, DrawIntoTheStoreAndConvertToCodes) {
  Sim s;
  state::Program& p = s.p();
  p.MGlobals.GenStore = 0;  // waveform store
  p.HGW.Length = 4;
  p.FGW[0].Step = 0.001f;
  p.M[1] = Shape(3, -11.0f, 0, 1);
  // Channel 2 is not active: it is created from channel 1 after Yes.
  s.ui.Push(platform::Answer::Yes);
  ASSERT_EQ(daq::VypocetGeneratoru(p, 1, true), 1);
  EXPECT_EQ(p.HGW.ChannelOn[1], 1);
  p.M[0] = Shape(3, 11.0f, 0, 1);
  ASSERT_EQ(daq::VypocetGeneratoru(p, 0, false), 1);
  p.Waveform[1] = 0.0f;
  ASSERT_EQ(daq::GenPis(p, 1, true), 1);
  ASSERT_EQ(daq::GenPis(p, 0, false), 1);
  daq::CardState& c = daq::Card(p);
  EXPECT_EQ(c.DA_BufferA, (std::vector<uint32_t>{4095, 2048, 4095, 4095}));
  EXPECT_EQ(c.DA_BufferB, (std::vector<uint32_t>{0, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(c.DA_frequency, 1.0 / double(0.001f));
  for (float step : {0.0f, 0.6f}) {  // 0.6 s: 1.67 Hz is below what the card replays
    p.FGW[0].Step = step;
    EXPECT_EQ(daq::GenPis(p, 1, false), 0);
  }
  EXPECT_EQ(s.Shown(1458), 2);
  p.HGW.ChannelOn[1] = 0;
  EXPECT_EQ(daq::GenPis(p, 0, false), 0);
  EXPECT_EQ(s.Shown(1455), 1);
}

TEST(GeneratorOutput, StartCommandRefusalsWithoutACard) {
  Sim s;
  s.p().BoardPresent = 0;
  daq::StartGenerate(s.p());
  s.p().BoardPresent = 1;
  daq::StartGenerate(s.p());
  EXPECT_EQ(std::tuple(s.Shown(1447), s.Shown(1448)), std::tuple(1, 1));
  EXPECT_EQ(daq::BOARD_DA_Generator_Start(s.p()), 0);  // nothing in simulation
}

TEST(GeneratorOutput, AChannelWithoutRoomIsRefusedAloud) {
  Sim s;
  s.p().HGW.Length = int32_t(ops::StoreCapacity(s.p(), store::Store::W));  // channel 1 fills the store
  s.ui.Push(platform::Answer::Yes);
  EXPECT_EQ(daq::VypocetGeneratoru(s.p(), 1, true), 0);
  EXPECT_EQ(std::tuple(s.Shown(338), s.p().HGW.ChannelOn[1]), std::tuple(1, int16_t(0)));
}

}  // namespace
