// The runs end to end: a waveform run of 8 channels x 2^20 scans through the
// virtual card library in fast mode (dlopen, block transfer, conversion into
// the store), and one timer step of a measurement run whose point is not due.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/Allocation.h"
#include "daq/CardState.h"
#include "daq/Driver.h"
#include "daq/MeasurementRun.h"
#include "daq/RunState.h"
#include "daq/WaveformRun.h"
#include "platform/DlLibrary.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace {

constexpr int kChannels = 8;
constexpr int32_t kScans = 1 << 20;

// The virtual card beside the build folder's bench/ folder, or $TARVELIN_DRIVER.
std::string CardLibrary() {
  if (const char* env = ::getenv("TARVELIN_DRIVER"); env && *env) return env;
  char exe[4096];
  ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return "";
  std::filesystem::path path(std::string(exe, size_t(n)));
  return (path.parent_path().parent_path() / "libduziv_daq01.so").string();
}

struct Bench {
  explicit Bench(int32_t totalSamples)
      : root(std::filesystem::temp_directory_path() / ("tarvelin-bench-" + std::to_string(::getpid()))),
        paths((std::filesystem::create_directories(root), root.string()), root.string()),
        p(state::Platform{&ui, &clock, &library, nullptr, &windows, &paths}) {
    p.Path = root.string();
    p.DG.TotalSamples = p.DG.MaxLength = totalSamples;
    app::AllocateRecords(p);
    app::SizeMemory(p);
    app::AllocateSampleArrays(p);
    app::AllocateBuffers(p);
    for (int i = 0; i < store::kChannels; ++i) p.MG.Acquire[i] = i < kChannels;
  }
  ~Bench() {
    daq::ReleaseRuns(p);
    daq::ReleaseCard(p);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::filesystem::path root;
  platform::ScriptedUi ui;
  platform::SystemClock clock;
  platform::DlLibrary library;
  platform::HeadlessWindowHost windows;
  platform::Paths paths;
  state::Program p;
};

void BM_WaveformRunVirtualCard(benchmark::State& state) {
  const std::string lib = CardLibrary();
  if (!std::filesystem::exists(lib)) {
    state.SkipWithError("virtual card library not built (target duziv_daq01)");
    return;
  }
  ::setenv("TARVELIN_DRIVER", lib.c_str(), 1);
  ::setenv("DUZIV_VIRTUAL_FAST", "1", 1);
  Bench b(kChannels * kScans);
  b.p.DG.Simulation = 0;
  if (daq::Board_Init(b.p) != 1) {
    state.SkipWithError("virtual card did not initialise");
    return;
  }
  b.p.HGW.Length = kScans;
  b.p.RefA().WPeriod = 0.002f;  // 500 kHz
  for (auto _ : state) {
    if (daq::TRV_QW(b.p) != 1) {
      state.SkipWithError("acquisition failed");
      break;
    }
    benchmark::DoNotOptimize(b.p.Waveform.get());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(kChannels) * kScans);
}
BENCHMARK(BM_WaveformRunVirtualCard)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleMeasurementStep(benchmark::State& state) {
  Bench b(65536);
  b.p.DG.Simulation = 1;
  platform::FakeClock clock;  // the point stays an hour away
  b.p.plat.clock = &clock;
  store::A_s& ref = b.p.RefA();
  ref.MPeriod = 3600.0f;
  ref.MStore = 1;
  ref.MRepeat = 1;
  ref.MLength = 100;
  daq::StartMeasurementRun(b.p);
  for (auto _ : state) benchmark::DoNotOptimize(daq::GoQM(b.p, false, false));
  if (b.p.Bindx != 0) state.SkipWithError("a point was taken");
}
BENCHMARK(BM_IdleMeasurementStep);

}  // namespace

BENCHMARK_MAIN();
