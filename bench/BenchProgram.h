// A headless program for a benchmark: its own folder under `base` (removed
// with it), the scripted seams and stores of the given size.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Allocation.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace bench_support {

struct BenchProgram {
  // resources: where the general texts are found (empty: nowhere).
  BenchProgram(const std::string& base, int32_t totalSamples, int32_t maxLength,
               const std::string& resources = "") {
    std::string tmpl = base + "/tarvelin-bench-XXXXXX";
    root = ::mkdtemp(tmpl.data()) ? tmpl : base;
    paths = std::make_unique<platform::Paths>(root, resources);
    paths->CreateStandardFolders();
    prog = std::make_unique<state::Program>(
        state::Platform{&ui, &clock, nullptr, nullptr, &windows, paths.get()});
    prog->Path = root;
    prog->DG.TotalSamples = totalSamples;
    prog->DG.MaxLength = maxLength;
    app::AllocateRecords(*prog);
    app::SizeMemory(*prog);
    if (!app::AllocateSampleArrays(*prog)) std::abort();
    app::AllocateBuffers(*prog);
  }
  ~BenchProgram() {
    prog.reset();
    if (root.find("tarvelin-bench-") != std::string::npos) {
      std::error_code ec;
      std::filesystem::remove_all(root, ec);
    }
  }
  BenchProgram(const BenchProgram&) = delete;
  BenchProgram& operator=(const BenchProgram&) = delete;

  std::string root;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  std::unique_ptr<platform::Paths> paths;
  std::unique_ptr<state::Program> prog;
};

}  // namespace bench_support
