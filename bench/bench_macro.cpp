// A macro of 100000 statements of a cheap command (a REPEAT block of BEEP),
// run headless through the real runner and interpreter, beside the same
// number of statements fed straight to the interpreter (the runner's share
// is the difference), and once more with the main window's timer step
// after every statement, as the program runs macros. Then a measurement
// run of 1000 points at 1 ms started from a macro on the real clock: how
// far the points drift from their schedule and how soon the macro goes on.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchProgram.h"
#include "app/MainWindow.h"
#include "daq/RunState.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "platform/FakeClock.h"

namespace {

constexpr int kStatements = 100000;

struct Bench : bench_support::BenchProgram {
  Bench() : BenchProgram(std::filesystem::temp_directory_path().string(), 1024, 1024, TARVELIN_RESOURCES) {
    Write("BENCH.MAC", "* " + std::to_string(kStatements) + " cheap statements\nREPEAT " +
                           std::to_string(kStatements) + ";\nBEEP;\nEND;\n");
    prog->PG.Sound = 1;  // the statements are counted by their beeps
  }
  void Write(const char* name, const std::string& text) {
    if (FILE* f = std::fopen((paths->Resolve("\\MACRO\\") + "/" + name).c_str(), "wb")) {
      std::fputs(text.c_str(), f);
      std::fclose(f);
    }
  }
};

Bench& Instance() {
  static Bench b;
  return b;
}

void RunBlock(benchmark::State& state, Bench& b) {
  for (auto _ : state) {
    b.ui.beeps_ = 0;
    int r = macro::StartMacro(*b.prog, "BENCH.MAC");
    if (r != 0 || b.ui.beeps_ != kStatements) state.SkipWithError("macro did not run all statements");
  }
  state.SetItemsProcessed(state.iterations() * kStatements);
}

void BM_MacroRepeatBlock(benchmark::State& state) { RunBlock(state, Instance()); }
BENCHMARK(BM_MacroRepeatBlock)->Unit(benchmark::kMillisecond);

void BM_MacroRepeatBlockWithTimerStep(benchmark::State& state) {
  Bench b;
  app::TMainWindow w(*b.prog);
  if (!w.SetupWindow()) return state.SkipWithError("no general texts");
  w.Timer();  // the first tick; from now on every statement is followed by a step
  b.prog->PG.Sound = 1;
  RunBlock(state, b);
}
BENCHMARK(BM_MacroRepeatBlockWithTimerStep)->Unit(benchmark::kMillisecond);

void BM_InterpreterAlone(benchmark::State& state) {
  Bench& b = Instance();
  b.prog->MacGoing = 1;
  for (auto _ : state) {
    for (int i = 0; i < kStatements; ++i) {
      macro::SetQueue(*b.prog, "BEEP");
      macro::ComInterpret(*b.prog);
    }
  }
  b.prog->MacGoing = 0;
  state.SetItemsProcessed(state.iterations() * kStatements);
}
BENCHMARK(BM_InterpreterAlone)->Unit(benchmark::kMillisecond);

// The headless loop on the real clock: one main tick, then a 1 ms sleep
// while the run is active. Counters: the last point's lateness against its
// schedule, and the time from the last point to the macro's next statement.
void BM_MacroWaitsForMeasurementRun(benchmark::State& state) {
  platform::SystemClock clock;
  Bench b;
  b.prog->plat.clock = &clock;
  b.prog->DG.Simulation = 1;
  b.Write("QM.MAC", "MSIZE 1000; MPER 0.001; MSVON; MRCOFF; QM; BEEP;\n");
  app::TMainWindow w(*b.prog);
  if (!w.SetupWindow()) return state.SkipWithError("no general texts");
  w.Timer();
  b.prog->PG.Sound = 1;
  double drift = 0, resume = 0;
  for (auto _ : state) {
    b.ui.beeps_ = 0;
    macro::StartMacro(*b.prog, "QM.MAC");
    const daq::RunState& r = daq::Runs(*b.prog);
    const uint32_t scheduleStart = r.ScheduleStart;
    uint32_t resumed = 0;
    while (b.prog->MacGoing || b.prog->QM) {
      w.Timer();
      b.windows.DeliverPending();
      if (b.ui.beeps_ && !resumed) resumed = clock.TickMs();
      if (b.prog->QM) clock.SleepMs(1);
    }
    if (!resumed) resumed = clock.TickMs();
    const uint32_t lastPoint = r.LastBTime;
    drift = double(lastPoint - scheduleStart) - 999.0;
    resume = double(resumed - lastPoint);
  }
  state.counters["last_point_late_ms"] = drift;
  state.counters["resume_after_last_point_ms"] = resume;
}
BENCHMARK(BM_MacroWaitsForMeasurementRun)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
