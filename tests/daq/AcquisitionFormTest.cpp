#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "RunTestSupport.h"
#include "daq/AcquisitionForm.h"
#include "daq/RunCommands.h"
#include "state/Messages.h"
#include "store/Defaults.h"

namespace {

using daq::AcqField;
using daq::AcquisitionForm;

std::vector<uint8_t> RecordBytes(const state::Program& p) {
  std::vector<uint8_t> b(sizeof(store::A_s) * store::kChannels + sizeof(store::PG_s));
  std::memcpy(b.data(), p.A.get(), sizeof(store::A_s) * store::kChannels);
  std::memcpy(b.data() + sizeof(store::A_s) * store::kChannels, &p.PG, sizeof(store::PG_s));
  return b;
}

TEST(AcquisitionForm, FieldsComeFromChannelOneAndTheReferenceChannel) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  p.PG.RefChannel = 3;
  p.A[0].MLength = 2048;
  p.A[0].WPeriod = 0.5f;
  p.A[2].MLength = 16;  // not shown: lengths belong to channel 1
  p.A[2].MMax = 7.5f;
  p.A[0].MMax = -1.0f;
  p.A[2].CalValue2 = 250.0f;
  AcquisitionForm f(p);
  EXPECT_EQ(f.Text(AcqField::MLength), "2048");
  EXPECT_EQ(f.Text(AcqField::MMax), "7.5");

  f.SetText(AcqField::MLength, "4096");
  f.SetText(AcqField::MMax, "9");
  f.SetText(AcqField::CalInput1, "-2.5");
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(p.A[0].MLength, 4096);
  EXPECT_EQ(p.A[2].MLength, 16);
  EXPECT_FLOAT_EQ(p.A[2].MMax, 9.0f);
  EXPECT_FLOAT_EQ(p.A[0].MMax, -1.0f);
  EXPECT_FLOAT_EQ(p.A[2].CalInput1, -2.5f);
}

TEST(AcquisitionForm, RangeReadersBringEveryFieldToItsNearerLimit) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
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

TEST(AcquisitionForm, PreTriggerNotBelowTheSizeBecomesSizeLessTwo) {
  testing_support::TestEnv env(65536);
  AcquisitionForm f(env.prog);
  f.SetText(AcqField::MLength, "100");
  f.SetText(AcqField::MBefore, "100");
  EXPECT_EQ(f.Read(AcqField::MBefore), 98);
  f.SetText(AcqField::MBefore, "99");
  EXPECT_EQ(f.Read(AcqField::MBefore), 99);
  f.SetText(AcqField::MBefore, "-4");
  EXPECT_EQ(f.Read(AcqField::MBefore), 0);
  // The size is read first, with its own clamping.
  f.SetText(AcqField::MLength, "2");
  f.SetText(AcqField::MBefore, "50");
  EXPECT_EQ(f.Read(AcqField::MBefore), 6);
  EXPECT_EQ(f.Accept(env.prog), 1);
  EXPECT_EQ(env.prog.A[0].MLength, 8);
  EXPECT_EQ(env.prog.A[0].MBefore, 6);
}

TEST(AcquisitionForm, ACalibrationMadeOnAnotherRangeSurvivesOkUntilEdited) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  // The factory calibration is for +-10 V; simulation reports a 5 V range.
  p.A[0].CalInput1 = -10.0f;
  p.A[0].CalInput2 = 9.5f;
  AcquisitionForm f(p);
  EXPECT_EQ(f.Read(AcqField::CalInput2), 9.5);
  f.Accept(p);
  EXPECT_FLOAT_EQ(p.A[0].CalInput1, -10.0f);
  EXPECT_FLOAT_EQ(p.A[0].CalInput2, 9.5f);

  AcquisitionForm g(p);
  g.SetText(AcqField::CalInput2, "9.6");  // edited: the range applies
  g.Accept(p);
  EXPECT_FLOAT_EQ(p.A[0].CalInput2, 5.0f);
  EXPECT_FLOAT_EQ(p.A[0].CalInput1, -10.0f);
}

TEST(AcquisitionForm, EmptyWindowsAreReportedButTheValuesStay) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  AcquisitionForm f(p);
  f.SetText(AcqField::MMax, "1");
  f.SetText(AcqField::MMin, "1");
  f.SetText(AcqField::TraceMax, "-3");
  f.SetText(AcqField::TraceMin, "2");
  EXPECT_EQ(f.Accept(p), 1);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 252)), 1);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 253)), 1);
  EXPECT_FLOAT_EQ(p.A[0].MMin, 1.0f);
  EXPECT_FLOAT_EQ(p.A[0].TraceMax, -3.0f);

  env.ui.ClearLog();
  AcquisitionForm g(p);
  g.SetText(AcqField::MMax, "2");
  g.SetText(AcqField::TraceMax, "3");
  g.Accept(p);
  EXPECT_EQ(env.ui.Log().size(), 0u);
}

TEST(AcquisitionForm, HostileJobValuesAreShownInRangeAndAFormLeftAloneChangesNothing) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
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
  EXPECT_EQ(f.Text(AcqField::MLength), "8");
  EXPECT_EQ(f.Text(AcqField::WLength), "8");
  EXPECT_EQ(f.Text(AcqField::MPeriod), "1");  // the factory value
  EXPECT_EQ(f.Text(AcqField::MBefore), "0");
  EXPECT_EQ(f.Text(AcqField::MMax), "10000");

  // Nothing is written before OK: the dialog is cancelled by dropping the form.
  const auto before = RecordBytes(p);
  f.SetText(AcqField::MLength, "64");
  f.Defaults();
  (void)f.Derived();
  EXPECT_EQ(RecordBytes(p), before);
}

TEST(AcquisitionForm, AcceptWritesOnlyTheFieldsItShows) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  AcquisitionForm f(p);
  // Changed behind the dialog's back (a run while it was open).
  p.A[0].Flags152 = 0x41;
  p.A[0].MRepeat = 1;
  p.A[5].WLength = 77;
  const auto before = RecordBytes(p);
  f.SetText(AcqField::WLength, "512");
  f.Accept(p);
  auto after = RecordBytes(p);
  size_t differing = 0;
  for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
  EXPECT_GT(differing, 0u);
  EXPECT_LE(differing, sizeof(int32_t));  // WLength of channel 1 only
  EXPECT_EQ(p.A[0].WLength, 512);
}

TEST(AcquisitionForm, LabelPromptsAndSizeButtons) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  AcquisitionForm f(p);
  f.SetText(AcqField::MLength, "1024");

  env.ui.Push(int64_t(300));
  EXPECT_TRUE(f.Prompt(p, AcqField::MLength));
  EXPECT_EQ(f.Text(AcqField::MLength), "300");

  env.ui.Push(0.25);
  EXPECT_TRUE(f.Prompt(p, AcqField::MPeriod));
  EXPECT_EQ(f.Text(AcqField::MPeriod), "0.25");

  // A cancelled prompt leaves the field.
  env.ui.Push(platform::Answer::Cancel);
  f.SetText(AcqField::MMax, "3");
  f.Prompt(p, AcqField::MMax);
  EXPECT_EQ(f.Text(AcqField::MMax), "3");

  // "*" doubles up to half of MaxLength, "/" halves from 16; the prompt
  // then starts from the new value (here accepted as it is).
  f.SetText(AcqField::WLength, "32768");
  f.DoubleSize(p, AcqField::WLength);
  EXPECT_EQ(f.Text(AcqField::WLength), "65536");
  f.DoubleSize(p, AcqField::WLength);
  EXPECT_EQ(f.Text(AcqField::WLength), "65536");
  f.SetText(AcqField::WLength, "16");
  f.HalveSize(p, AcqField::WLength);
  EXPECT_EQ(f.Text(AcqField::WLength), "8");
  f.HalveSize(p, AcqField::WLength);
  EXPECT_EQ(f.Text(AcqField::WLength), "8");
}

TEST(AcquisitionForm, ARepeatedWaveformRunIsRestartedWithTheNewLength) {
  runtest::Sim sim;
  state::Program& p = sim.p();
  sim.Select({0});
  p.A[0].WRepeat = 1;
  p.A[0].WLength = 128;
  daq::StartWaveformRun(p);
  ASSERT_EQ(p.QW, 1);
  ASSERT_EQ(p.HGW.Length, 128);

  AcquisitionForm f(p);
  f.SetText(AcqField::WLength, "256");
  f.Accept(p);
  EXPECT_EQ(p.QW, 1);
  EXPECT_EQ(p.HGW.Length, 256);

  // A change elsewhere leaves the run alone.
  AcquisitionForm g(p);
  g.SetText(AcqField::MMax, "5");
  const uint32_t started = p.LastWTime;
  sim.env.clock.Advance(50);
  g.Accept(p);
  EXPECT_EQ(p.LastWTime, started);
}

}  // namespace
