#include <gtest/gtest.h>

#include <vector>

#include "RunTestSupport.h"
#include "daq/Generator.h"
#include "daq/GeneratorPage.h"
#include "daq/Sampling.h"

namespace {

using daq::GenField;
using runtest::Sim;

TEST(GeneratorPage, FieldsReadTheLeadingNumberWithinTheirRange) {
  const struct {
    GenField field;
    const char* text;
    bool taken;
    float want;
  } cases[] = {
      {GenField::LevelA, " 2,5 V", true, 2.5f}, {GenField::Period, "-3", true, 0.0f},
      {GenField::Period, "1e99", true, 1e9f},   {GenField::Phase, "abc", false, 0.0f},
      {GenField::RestA, "-500", true, -100.0f}, {GenField::Duty, "", false, 50.0f},
  };
  Sim s;
  for (const auto& c : cases) {
    daq::GeneratorPage page(s.p());
    EXPECT_EQ(page.SetText(c.field, 1, c.text), c.taken) << c.text;
    EXPECT_EQ(std::stof(page.Text(c.field, 1)), c.want) << c.text;
  }
}

TEST(GeneratorPage, DrawConvertsWhatTheGeneratorUsesAndRefusesAStillShape) {
  Sim s;
  state::Program& p = s.p();
  p.HGW.Length = 8;
  p.FGW[0].Step = 0.001f;
  daq::GeneratorPage page(p);
  page.Shape(0).GenShape = 0;
  ASSERT_TRUE(page.SetText(GenField::Period, 0, "4") && page.SetText(GenField::Duty, 0, "1"));
  ASSERT_TRUE(page.SetText(GenField::LevelA, 0, "5") && page.SetText(GenField::LevelB, 0, "-5"));
  ASSERT_EQ(page.Draw(p, 0), 1);
  EXPECT_EQ(std::vector<float>(s.W(0), s.W(0) + 8), (std::vector<float>{5, 5, 5, -5, 5, 5, 5, -5}));
  EXPECT_EQ(daq::Card(p).DA_BufferA[3], daq::DacCode(-5.0f));
  EXPECT_TRUE(s.ui.Log().empty());  // output B is neither used nor drawn: not converted, not complained about
  EXPECT_NE(page.Status(p).find(state::TxtF(p, 1420, {0, 1, 8L, 1000.0})), std::string::npos);

  ASSERT_TRUE(page.SetText(GenField::Period, 0, "0"));
  page.Shape(0).GenShape = 1;  // a triangle shorter than two samples never advances
  EXPECT_EQ(page.Draw(p, 0), 0);
  EXPECT_EQ(s.ui.Log().size(), 1u);
  EXPECT_EQ(s.W(0)[0], 5.0f);
}

TEST(GeneratorPage, LengthAndSamplePeriodKeepTheChannelsAndTheCodesInStep) {
  Sim s;
  state::Program& p = s.p();
  p.HGW.Length = 6;
  p.HGW.ChannelOn[3] = 1;
  for (int i = 0; i < 12; ++i) p.Waveform[size_t(i)] = float(i + 1);
  daq::GeneratorPage page(p);
  s.ui.Push(2.0);
  ASSERT_TRUE(page.SetSamplePeriod(p));
  EXPECT_EQ(std::tuple(p.FGW[0].Step, p.FGW[3].Step), std::tuple(0.002f, 0.002f));
  EXPECT_DOUBLE_EQ(daq::Card(p).DA_frequency, 1.0 / double(0.002f));
  s.ui.Push(int64_t(3));
  ASSERT_TRUE(page.SetLength(p));
  EXPECT_EQ(std::vector<float>(s.W(0), s.W(0) + 6), (std::vector<float>{1, 2, 3, 7, 8, 9}));
  s.ui.Push(int64_t(5));
  ASSERT_TRUE(page.SetLength(p));
  EXPECT_EQ(std::vector<float>(s.W(0), s.W(0) + 10), (std::vector<float>{1, 2, 3, 0, 0, 7, 8, 9, 0, 0}));
  EXPECT_EQ(daq::Card(p).DA_Size, 5);
  p.QW = 1;  // a running record is not resized under the run
  EXPECT_FALSE(page.SetLength(p));
}

}  // namespace
