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

#include "app/Allocation.h"
#include "app/Program.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"

namespace {

constexpr int kStatements = 100000;

struct Bench {
  Bench() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tarvelin-bench-XXXXXX").string();
    root = ::mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
    paths = std::make_unique<platform::Paths>(root, "");
    paths->CreateStandardFolders();
    prog =
        std::make_unique<app::Program>(app::Platform{&ui, &clock, nullptr, nullptr, &windows, paths.get()});
    prog->Path = root;
    prog->DG.TotalSamples = 1024;
    prog->DG.MaxLength = 1024;
    app::AllocateRecords(*prog);
    app::SizeMemory(*prog);
    app::AllocateSampleArrays(*prog);
    app::AllocateBuffers(*prog);
    if (FILE* f = std::fopen((paths->Resolve("\\MACRO\\") + "/BENCH.MAC").c_str(), "wb")) {
      std::fprintf(f, "* %d cheap statements\nREPEAT %d;\nBEEP;\nEND;\n", kStatements, kStatements);
      std::fclose(f);
    }
  }
  ~Bench() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::string root;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  std::unique_ptr<platform::Paths> paths;
  std::unique_ptr<app::Program> prog;
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
