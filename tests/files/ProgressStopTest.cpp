#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "DataFileTestSupport.h"
#include "files/DataFileLink.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "files/ModifyFiles.h"
#include "files/TextExport.h"
#include "files/TextImport.h"
#include "files/WavImport.h"
#include "ops/ChannelAlgebra.h"
#include "ops/Decimation.h"
#include "ops/Padding.h"
#include "ops/Smoothing.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "ops/StoreFileAlgebra.h"
#include "platform/Interrupts.h"
#include "platform/ScriptedUi.h"

namespace {

using datafile_test::FillStore;
using datafile_test::Snapshot;
using testing_support::ReadBytes;

// A second passes at every look, and SIGINT arrives at the `stopAt`-th look:
// after the operation has done part of its work.
class InterruptingClock : public platform::FakeClock {
 public:
  explicit InterruptingClock(int stopAt) : stopAt_(stopAt) {}
  uint32_t TickMs() override {
    if (++looks_ == stopAt_) platform::SetInterruptRequested(true);
    Advance(1000);
    return FakeClock::TickMs();
  }

 private:
  int stopAt_, looks_ = 0;
};

std::string WavOf(int frames) {
  std::string d(size_t(frames) * 4, '\0');
  for (size_t i = 0; i < d.size(); ++i) d[i] = char(i * 7);
  auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  const std::string fmt =
      std::string("\x01\x00\x02\x00", 4) + u32(1000) + u32(4000) + std::string("\x04\x00\x10\x00", 4);
  return "RIFF" + u32(uint32_t(36 + d.size())) + "WAVEfmt " + u32(16) + fmt + "data" +
         u32(uint32_t(d.size())) + d;
}

TEST(ProgressStop, AStopMidWayLeavesStoreAndFilesAsTheyWere) {
  using Op = std::function<int(state::Program&, const std::string& dir)>;
  struct Case {
    const char* name;
    Op op;
    const char* target;  // a file that must keep its bytes, or ""
    int stopAt = 3;      // the look at the clock that brings SIGINT
  };
  const Case kCases[] = {
      {"FFT of every channel",
       [](state::Program& p, auto&) { return ops::FFT_Command(p, store::Store::W, 65535, false); }, ""},
      {"channel arithmetic",
       [](state::Program& p, auto&) { return ops::MultiplyByConstant(p, store::Store::W, 0, 2.0f); }, ""},
      {"padding", [](state::Program& p, auto&) { return ops::DoplnNulamiNaDvojnasobek(p); }, ""},
      {"decimation", [](state::Program& p, auto&) { return ops::DecimationUtil(p, store::Store::W); }, ""},
      {"smoothing",  // stopped in the second channel: the first is put back too
       [](state::Program& p, auto&) {
         p.A[1].SmoothWidth = 3;
         p.A[2].SmoothWidth = 1001;
         return ops::SmoothChannelsAfterRun(p, store::Store::W);
       },
       "", 5},
      {"text import",
       [](state::Program& p, auto& d) {
         return files::ReadDataFileELKOSO(p, store::Store::W, d + "/in.txt");
       },
       ""},
      {"WAV import", [](state::Program& p, auto& d) { return files::Read_WAV(p, d + "/in.wav"); }, ""},
      {"text export",
       [](state::Program& p, auto& d) {
         return files::WriteASCIIDataFile(p, d + "/out.wtx", store::Store::W);
       },
       "out.wtx"},
      {"join",
       [](state::Program& p, auto& d) { return files::WaveformLinkUtil(p, d + "/join.w", store::Store::W); },
       ""},
      {"data file read",
       [](state::Program& p, auto& d) {
         return files::ReadDataFile(p, d + "/join.w", store::Store::W, false);
       },
       ""},
      {"data file write",
       [](state::Program& p, auto& d) { return files::WriteDataFile(p, d + "/join.w", store::Store::W, 0); },
       "join.w"},
      {"band filter",
       [](state::Program& p, auto&) {
         return ops::DigFilUtil(p, store::Store::W, 1, 10, 100, dsp::BandFilter::Pass);
       },
       ""},
      {"weighting",  // one piece: stopped at its first look
       [](state::Program& p, auto&) {
         return ops::WeightChannel(p, store::Store::W, 2, ops::WeightRange::Whole);
       },
       "", 2},
      {"modification file",
       [](state::Program& p, auto& d) { return files::WaveformModifyExecute(p, false, d + "/mod.txt"); }, ""},
      {"combining with a file",
       [](state::Program& p, auto& d) { return ops::AlgebraUtil(p, store::Store::W, d + "/same.w", 0); }, "",
       7},
      {"text import of many columns",
       [](state::Program& p, auto& d) {
         auto& ui = static_cast<platform::ScriptedUi&>(p.ui());
         ui.Push(int64_t(2));     // channels
         ui.Push(int64_t(6000));  // rows
         return files::ReadDataFileELKOSO(p, store::Store::W, d + "/wide.txt");
       },
       "", 5},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    testing_support::TestEnv env(1 << 20);
    state::Program& p = env.prog;
    p.DG.Language = 0;
    const std::string dir = env.dir.path();
    std::string numbers;
    for (int k = 0; k < 80000; ++k) numbers += std::to_string(k) + " " + std::to_string(-k) + "\n";
    testing_support::WriteText(dir + "/in.txt", numbers);
    testing_support::WriteText(dir + "/in.wav", WavOf(300000));
    testing_support::WriteText(dir + "/out.wtx", "an older export\n");
    FillStore(p, 1, {0, 3}, 1 << 16);
    ASSERT_EQ(files::WriteDataFileUtil(p, dir + "/join.w", store::Store::W, 0), 1);
    FillStore(p, 1, {1, 2}, 4096);
    ASSERT_EQ(files::WriteDataFileUtil(p, dir + "/same.w", store::Store::W, 0), 1);
    testing_support::WriteText(dir + "/mod.txt", "CHA_TXT.TXT {3} {x} {-} {3} {1} {0} {Y}");
    std::string wide;
    for (int row = 0; row < 100; ++row, wide += "\n")
      for (int k = 0; k < 130; ++k) wide += std::to_string(row + k) + " ";
    testing_support::WriteText(dir + "/wide.txt", wide);
    const std::vector<uint8_t> target = *c.target ? ReadBytes(dir + "/" + c.target) : std::vector<uint8_t>{};
    const Snapshot before(p);

    InterruptingClock clock(c.stopAt);
    p.plat.clock = &clock;
    const int result = c.op(p, dir);
    platform::SetInterruptRequested(false);

    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Snapshot(p) == before);
    EXPECT_EQ(env.ui.Count("stopped, nothing was changed"), 1);
    EXPECT_EQ(env.ui.Count("Error"), 0) << "a stop is no failure";
    if (*c.target) {
      EXPECT_EQ(ReadBytes(dir + "/" + c.target), target);
    }
    for (const auto& e : std::filesystem::directory_iterator(dir))
      EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << "a temporary file is left";
  }
}

}  // namespace
