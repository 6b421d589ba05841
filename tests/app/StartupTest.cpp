#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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
  EXPECT_EQ(std::tuple(next.prog.DG.TotalSamples, next.prog.JobLeft), std::tuple(128, 0));
}

TEST(MemoryBudget, DialogUnitsAreClampedAndFreeMemReportsTheBudget) {
  TestEnv env(4096);
  state::ApplyMemoryUnits(env.prog, 2048);
  EXPECT_EQ(env.prog.DG.MaxLength, 268435456);
  for (auto [units, samples] : {std::pair{0, 131072}, {5000, 2048 * 131072}}) {
    state::ApplyMemoryUnits(env.prog, units);
    EXPECT_EQ(env.prog.DG.TotalSamples, samples) << units;
  }
  env.ui.ClearLog();
  state::FreeMemUtil(env.prog);
  EXPECT_EQ(env.ui.Log().back().title, state::Txt(env.prog, 17));
}

TEST(Stores, PocatekFindsBlocksOfActiveChannelsAndMemOKGuardsMissingArrays) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  for (int16_t& on : p.HGW.ChannelOn) on = 0;
  p.HGW.ChannelOn[1] = p.HGW.ChannelOn[4] = 1;
  p.HGW.Length = 1000;
  EXPECT_EQ(std::tuple(state::Pocatek(p, store::Store::W, 1), state::Pocatek(p, store::Store::W, 4),
                       state::Pocatek(p, store::Store::W, 2), state::Pocatek(p, store::Store::W, 200)),
            std::tuple(0, 1000, -1, -1));
  EXPECT_TRUE(state::MemOK(p, store::Store::W));
  p.Buffer.reset();
  EXPECT_FALSE(state::MemOK(p, store::Store::M, true));
  EXPECT_EQ(std::tuple(p.HGB.Length, env.ui.Count(state::Txt(p, 491))), std::tuple(0, 1));
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
  EXPECT_EQ(std::tuple(p.HGW.ChannelOn[0], p.HGW.ChannelCount), std::tuple(0, 2));
  EXPECT_STREQ(p.FGW[2].Name, "Pressure");
  EXPECT_STREQ(p.FGW[2].Unit, "bar");
  EXPECT_EQ(std::tuple(p.WFreq[2], p.FGW[2].IsSpectrum), std::tuple(0, 0));
  EXPECT_FLOAT_EQ(p.FGW[2].Step, 0.002f);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, 5.0f);  // unselected channels keep their records
}

}  // namespace
