// A macro of 100000 statements of a cheap command (a REPEAT block of BEEP),
// run headless through the real runner and interpreter, beside the same
// number of statements fed straight to the interpreter (the runner's share
// is the difference).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchProgram.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"

namespace {

constexpr int kStatements = 100000;

struct Bench : bench_support::BenchProgram {
  Bench() : BenchProgram(std::filesystem::temp_directory_path().string(), 1024, 1024) {
    if (FILE* f = std::fopen((paths->Resolve("\\MACRO\\") + "/BENCH.MAC").c_str(), "wb")) {
      std::fprintf(f, "* %d cheap statements\nREPEAT %d;\nBEEP;\nEND;\n", kStatements, kStatements);
      std::fclose(f);
    }
  }
};

Bench& Instance() {
  static Bench b;
  return b;
}

void BM_MacroRepeatBlock(benchmark::State& state) {
  Bench& b = Instance();
  for (auto _ : state) {
    b.ui.beeps_ = 0;
    int r = macro::StartMacro(*b.prog, "BENCH.MAC");
    if (r != 0 || b.ui.beeps_ != kStatements) state.SkipWithError("macro did not run all statements");
  }
  state.SetItemsProcessed(state.iterations() * kStatements);
}
BENCHMARK(BM_MacroRepeatBlock)->Unit(benchmark::kMillisecond);

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

}  // namespace

BENCHMARK_MAIN();
