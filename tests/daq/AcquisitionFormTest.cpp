#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "RunTestSupport.h"
#include "daq/AcquisitionForm.h"
#include "daq/RunCommands.h"

namespace {

using daq::AcqField;
using daq::AcquisitionForm;

std::vector<uint8_t> RecordBytes(const state::Program& p) {
  std::vector<uint8_t> b(sizeof(store::A_s) * store::kChannels + sizeof(store::PG_s));
  std::memcpy(b.data(), p.A.get(), sizeof(store::A_s) * store::kChannels);
  std::memcpy(b.data() + sizeof(store::A_s) * store::kChannels, &p.PG, sizeof(store::PG_s));
  return b;
}

class AcquisitionFormTest : public ::testing::Test {
 protected:
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
};

TEST_F(AcquisitionFormTest, FieldsComeFromChannelOneAndTheReferenceChannel) {
  p.PG.RefChannel = 3;
  p.A[0].MLength = 2048;
  p.A[2].MLength = 16;  // not shown: lengths belong to channel 1
  p.A[2].MMax = 7.5f;
  p.A[0].MMax = -1.0f;
  AcquisitionForm f(p);
  EXPECT_EQ(std::tuple(f.Text(AcqField::MLength), f.Text(AcqField::MMax)), std::tuple("2048", "7.5"));
  f.SetText(AcqField::MLength, "4096");
  f.SetText(AcqField::MMax, "9");
  f.SetText(AcqField::CalInput1, "-2.5");
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.A[0].MLength, p.A[2].MLength, p.A[2].MMax, p.A[0].MMax, p.A[2].CalInput1),
            std::tuple(4096, 16, 9.0f, -1.0f, -2.5f));
}

TEST_F(AcquisitionFormTest, RangeReadersBringEveryFieldToItsNearerLimit) {
  p.MINWPER = 0.01f;
  p.MAXWPER = 500.0f;
  AcquisitionForm f(p);
  const struct {
    AcqField field;
    const char* text;
    double want;
  } cases[] = {
      {AcqField::MLength, "3", 8},
      {AcqField::MLength, "  1000.9", 1000},
      {AcqField::WLength, "99999999", 65536},
      {AcqField::MPeriod, "0", double(0.001f)},
      {AcqField::WRepeatPeriod, "1e9", 3600},
      {AcqField::MMax, "20000", 10000},
      {AcqField::MMax, "nan", 0},
      {AcqField::MMin, "-1e30", -10000},
      {AcqField::MMin, "-inf", -10000},
      {AcqField::WPeriod, "0.0001", double(0.01f)},
      // A sampling period of 0 (or no number at all) is 1 ms, not the shortest period.
      {AcqField::WPeriod, "0", 1.0},
      {AcqField::WPeriod, "abc", 1.0},
      {AcqField::CalValue1, "-123456789", -100000},  // nine characters: -12345678
      {AcqField::CalInput2, "7", 5},                 // simulation: the range is +-5 V
  };
  for (const auto& c : cases) {
    f.SetText(c.field, c.text);
    EXPECT_DOUBLE_EQ(f.Read(c.field), c.want) << c.text;
  }
}

TEST_F(AcquisitionFormTest, PreTriggerNotBelowTheSizeBecomesSizeLessTwo) {
  AcquisitionForm f(p);
  // The size is read first, with its own clamping.
  for (auto [size, before, want] :
       {std::tuple{"100", "100", 98}, {"100", "99", 99}, {"100", "-4", 0}, {"2", "50", 6}}) {
    f.SetText(AcqField::MLength, size);
    f.SetText(AcqField::MBefore, before);
    EXPECT_EQ(f.Read(AcqField::MBefore), want) << size << " " << before;
  }
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(std::tuple(p.A[0].MLength, p.A[0].MBefore), std::tuple(8, 6));
}

TEST_F(AcquisitionFormTest, LiveFlagIsShownAndWrittenToTheReferenceChannelOnly) {
  p.RefA().Flags153 = store::kANotAnalogInput;
  AcquisitionForm f(p);
  EXPECT_FALSE(f.live);
  f.live = true;
  f.Accept(p);
  EXPECT_EQ(p.RefA().Flags153, store::kANotAnalogInput | store::kAWLive);
  AcquisitionForm g(p);
  EXPECT_TRUE(g.live);
  g.live = false;
  g.Accept(p);
  EXPECT_EQ(p.RefA().Flags153, store::kANotAnalogInput);
}

TEST_F(AcquisitionFormTest, ACalibrationMadeOnAnotherRangeSurvivesOkUntilEdited) {
  // The factory calibration is for +-10 V; simulation reports a 5 V range.
  p.A[0].CalInput1 = -10.0f;
  p.A[0].CalInput2 = 9.5f;
  AcquisitionForm f(p);
  EXPECT_EQ(f.Read(AcqField::CalInput2), 9.5);
  f.Accept(p);
  EXPECT_EQ(std::tuple(p.A[0].CalInput1, p.A[0].CalInput2), std::tuple(-10.0f, 9.5f));
  AcquisitionForm g(p);
  g.SetText(AcqField::CalInput2, "9.6");  // edited: the range applies
  g.Accept(p);
  EXPECT_EQ(std::tuple(p.A[0].CalInput1, p.A[0].CalInput2), std::tuple(-10.0f, 5.0f));
}

TEST_F(AcquisitionFormTest, EmptyWindowsAreReportedButTheValuesStay) {
  AcquisitionForm f(p);
  for (auto [field, text] : {std::pair{AcqField::MMax, "1"},
                             {AcqField::MMin, "1"},
                             {AcqField::TraceMax, "-3"},
                             {AcqField::TraceMin, "2"}})
    f.SetText(field, text);
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 252)), 1);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 253)), 1);
  EXPECT_EQ(std::tuple(p.A[0].MMin, p.A[0].TraceMax), std::tuple(1.0f, -3.0f));
  env.ui.ClearLog();
  AcquisitionForm g(p);
  g.SetText(AcqField::MMax, "2");
  g.SetText(AcqField::TraceMax, "3");
  g.Accept(p);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST_F(AcquisitionFormTest, HostileJobValuesAreShownInRangeAndOnlyOkWritesShownFields) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  p.A[0].MLength = -70000;
  p.A[0].WLength = std::numeric_limits<int32_t>::max();
  p.A[0].MPeriod = nan;
  p.A[0].WPeriod = -std::numeric_limits<float>::infinity();
  p.A[0].MBefore = std::numeric_limits<int32_t>::min();
  p.A[0].MMax = 1e30f;
  p.A[0].CalInput1 = nan;
  p.PG.RefChannel = 999;  // not a channel: channel 1 is the reference
  p.DG.MaxLength = -5;
  AcquisitionForm f(p);
  // MPeriod shows the factory value.
  EXPECT_EQ(std::tuple(f.Text(AcqField::MLength), f.Text(AcqField::WLength), f.Text(AcqField::MPeriod),
                       f.Text(AcqField::MBefore), f.Text(AcqField::MMax)),
            std::tuple("8", "8", "1", "0", "10000"));
  // Nothing is written before OK: the dialog is cancelled by dropping the form.
  auto before = RecordBytes(p);
  f.SetText(AcqField::MLength, "64");
  f.Defaults();
  (void)f.Derived();
  EXPECT_EQ(RecordBytes(p), before);

  // OK writes only what it shows, not what changed behind the dialog's back.
  testing_support::TestEnv other(65536);
  state::Program& q = other.prog;
  AcquisitionForm g(q);
  q.A[0].Flags152 = 0x41;
  q.A[0].MRepeat = 1;
  q.A[5].WLength = 77;
  before = RecordBytes(q);
  g.SetText(AcqField::WLength, "512");
  g.Accept(q);
  auto after = RecordBytes(q);
  size_t differing = 0;
  for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
  EXPECT_GT(differing, 0u);
  EXPECT_LE(differing, sizeof(int32_t));  // WLength of channel 1 only
  EXPECT_EQ(q.A[0].WLength, 512);
}

TEST_F(AcquisitionFormTest, LabelPromptsAndSizeButtons) {
  AcquisitionForm f(p);
  f.SetText(AcqField::MLength, "1024");
  env.ui.Push(int64_t(300));
  EXPECT_TRUE(f.Prompt(p, AcqField::MLength));
  env.ui.Push(0.25);
  EXPECT_TRUE(f.Prompt(p, AcqField::MPeriod));
  // A cancelled prompt leaves the field.
  env.ui.Push(platform::Answer::Cancel);
  f.SetText(AcqField::MMax, "3");
  f.Prompt(p, AcqField::MMax);
  EXPECT_EQ(std::tuple(f.Text(AcqField::MLength), f.Text(AcqField::MPeriod), f.Text(AcqField::MMax)),
            std::tuple("300", "0.25", "3"));
  // "*" doubles up to half of MaxLength, "/" halves down to 8.
  const struct {
    const char* from;
    bool doubled;
    const char* want;
  } steps[] = {{"32768", true, "65536"}, {"65536", true, "65536"}, {"16", false, "8"}, {"8", false, "8"}};
  for (const auto& s : steps) {
    f.SetText(AcqField::WLength, s.from);
    s.doubled ? f.DoubleSize(p, AcqField::WLength) : f.HalveSize(p, AcqField::WLength);
    EXPECT_EQ(f.Text(AcqField::WLength), s.want) << s.from;
  }
}

TEST(AcquisitionFormRun, ARepeatedWaveformRunIsRestartedWithTheNewLength) {
  runtest::Sim sim;
  state::Program& p = sim.p();
  sim.Select({0});
  p.A[0].WRepeat = 1;
  p.A[0].WLength = 128;
  daq::StartWaveformRun(p);
  ASSERT_EQ(std::tuple(p.QW, p.HGW.Length), std::tuple(1, 128));
  AcquisitionForm f(p);
  f.SetText(AcqField::WLength, "256");
  f.Accept(p);
  EXPECT_EQ(std::tuple(p.QW, p.HGW.Length), std::tuple(1, 256));
  // A change elsewhere leaves the run alone.
  AcquisitionForm g(p);
  g.SetText(AcqField::MMax, "5");
  const uint32_t started = p.LastWTime;
  sim.env.clock.Advance(50);
  g.Accept(p);
  EXPECT_EQ(p.LastWTime, started);
}

}  // namespace
