#include <gtest/gtest.h>

#include <filesystem>

#include "app/Allocation.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "state/MemoryDialog.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

// A program before start-up: seams in place, nothing allocated.
struct BareProgram {
  testing_support::TempDir dir;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths{dir.path(), TARVELIN_SOURCE_DIR "/resources"};
  state::Program prog{state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths}};
  BareProgram() { paths.CreateStandardFolders(); }
};

TEST(OwlMain, JoinsTwoWordsAndIgnoresAThird) {
  BareProgram b;
  app::OwlMain(b.prog, {"RW", "data1.w", "extra"});
  EXPECT_STREQ(b.prog.CommandLine, "RW data1.w");
  EXPECT_EQ(b.prog.DoCommand, 1);
  app::OwlMain(b.prog, {});
  EXPECT_EQ(b.prog.DoCommand, 0);
}

TEST(InitMainWindow, CountsExactlyWhatItAllocatedAndFallsBackWithoutAJob) {
  BareProgram b;
  ASSERT_TRUE(app::InitMainWindow(b.prog));
  state::Program& p = b.prog;
  EXPECT_EQ(p.JobLeft, 1);
  EXPECT_EQ(p.PW, 1048576);
  double expected = 0;
  for (size_t bytes :
       {p.MarkerW.bytes(),  p.MarkerB.bytes(),   p.CGW.bytes(),      p.CGB.bytes(),       p.A.bytes(),
        p.M.bytes(),        p.FGW.bytes(),       p.FGB.bytes(),      p.Buffer.bytes(),    p.SBuffer.bytes(),
        p.Waveform.bytes(), p.SWaveform.bytes(), p.Kalib_In.bytes(), p.Kalib_Out.bytes(), p.Prt.bytes(),
        p.Col_.bytes(),     p.Fun.bytes(),       p.Kal.bytes(),      p.Mat.bytes(),       p.MatH.bytes(),
        p.Segment.bytes(),  p.W_Nam_N.bytes()})
    expected += double(bytes);
  expected += state::GeneralTexts::kMaxChars + state::GeneralTexts::kMaxTexts * 4;
  EXPECT_EQ(p.TotalDataAlloc, expected);
  EXPECT_EQ(p.Waveform.bytes(), 4u * 1048576u);
}

TEST(InitMainWindow, FailedAllocationEndsThroughTheSmallBudgetJob) {
  BareProgram b;
  b.prog.AllocationLimit = 2.0 * 1024 * 1024;  // records fit, the sample arrays do not
  EXPECT_FALSE(app::InitMainWindow(b.prog));
  EXPECT_EQ(b.prog.NotEnoughMemory, 1);
  app::TMainWindow w(b.prog);
  EXPECT_FALSE(w.SetupWindow());
  EXPECT_TRUE(w.Closed());
  EXPECT_EQ(b.ui.Count(state::Txt(b.prog, 0)), 1);
  // The saved job asks for little memory at the next start.
  BareProgram next;
  std::filesystem::copy(
      b.dir / "JOB", next.dir / "JOB",
      std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  ASSERT_TRUE(app::InitMainWindow(next.prog));
  EXPECT_EQ(next.prog.DG.TotalSamples, 128);
  EXPECT_EQ(next.prog.JobLeft, 0);
}

TEST(MemoryBudget, DialogUnitsAreClampedAndFreeMemReportsTheBudget) {
  TestEnv env(4096);
  state::ApplyMemoryUnits(env.prog, 2048);
  EXPECT_EQ(env.prog.DG.MaxLength, 268435456);
  state::ApplyMemoryUnits(env.prog, 0);
  EXPECT_EQ(env.prog.DG.TotalSamples, 131072);
  state::ApplyMemoryUnits(env.prog, 5000);
  EXPECT_EQ(env.prog.DG.TotalSamples, 2048 * 131072);
  env.ui.ClearLog();
  state::FreeMemUtil(env.prog);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.Log()[0].title, state::Txt(env.prog, 17));
}

TEST(Stores, PocatekFindsBlocksOfActiveChannelsAndMemOKGuardsMissingArrays) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  for (int16_t& on : p.HGW.ChannelOn) on = 0;
  p.HGW.ChannelOn[1] = p.HGW.ChannelOn[4] = 1;
  p.HGW.Length = 1000;
  EXPECT_EQ(state::Pocatek(p, store::Store::W, 1), 0);
  EXPECT_EQ(state::Pocatek(p, store::Store::W, 4), 1000);
  EXPECT_EQ(state::Pocatek(p, store::Store::W, 2), -1);
  EXPECT_EQ(state::Pocatek(p, store::Store::W, 200), -1);
  EXPECT_TRUE(state::MemOK(p, store::Store::W));
  p.Buffer.reset();
  EXPECT_FALSE(state::MemOK(p, store::Store::M, true));
  EXPECT_EQ(p.HGB.Length, 0);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 491)), 1);
}

TEST(MemoryDialog, AcceptedBudgetEndsTheProgramAndARefusedOneChangesNothing) {
  testing_support::TestEnv env(4096);
  env.ui.Push(int64_t(5000));  // clamped to 2048 units
  env.ui.Push(platform::Answer::Yes);
  EXPECT_EQ(state::MemSize(env.prog), 1);
  EXPECT_EQ(env.prog.DG.TotalSamples, 2048 * 131072);
  EXPECT_EQ(env.prog.BudeKonecAleAzPoGrafech, 1);

  testing_support::TestEnv other(4096);
  other.ui.Push(int64_t(4));
  other.ui.Push(platform::Answer::No);
  EXPECT_EQ(state::MemSize(other.prog), 0);
  EXPECT_EQ(other.prog.DG.TotalSamples, 4096);
  EXPECT_EQ(other.prog.BudeKonecAleAzPoGrafech, 0);
}

TEST(NaplnHlav, SetsUpTheSelectedChannelsFromTheAcquisitionSettings) {
  testing_support::TestEnv env(4096);
  state::Program& p = env.prog;
  p.MG.Acquire[0] = 0;
  p.MG.Acquire[2] = p.MG.Acquire[7] = 1;
  store::CopyText(p.A[2].Name, "Pressure");
  store::CopyText(p.A[2].Unit, "bar");
  p.A[2].PrefixCode = 3;
  p.WFreq[2] = 1;
  p.FGW[2].IsSpectrum = 1;
  p.PG.RefChannel = 8;
  p.A[7].WPeriod = 2.0f;
  p.FGW[0].Step = 5.0f;
  state::NaplnHlav(p);
  EXPECT_EQ(p.HGW.ChannelOn[0], 0);
  EXPECT_EQ(p.HGW.ChannelCount, 2);
  EXPECT_STREQ(p.FGW[2].Name, "Pressure");
  EXPECT_STREQ(p.FGW[2].Unit, "bar");
  EXPECT_EQ(p.WFreq[2], 0);
  EXPECT_EQ(p.FGW[2].IsSpectrum, 0);
  EXPECT_FLOAT_EQ(p.FGW[2].Step, 0.002f);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, 5.0f);  // unselected channels keep their records
}

}  // namespace
