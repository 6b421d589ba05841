// A headless Program for the settings-file harnesses, built once per process
// the way the tests build theirs: a temporary program folder, scripted Ui,
// fake clock and small sample arrays.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/Allocation.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace fuzzing {

struct SettingsFuzzProgram {
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths;
  state::Program prog;

  SettingsFuzzProgram()
      : paths(MakeRoot(), ""), prog(state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths}) {
    prog.Path = paths.Root();
    paths.CreateStandardFolders();
    prog.DG.TotalSamples = 1024;
    prog.DG.MaxLength = 1024;
    app::AllocateRecords(prog);
    app::SizeMemory(prog);
    app::AllocateSampleArrays(prog);
    app::AllocateBuffers(prog);
    prog.DoMess = 0;
  }

  // Replaces a file of the program folder with the input bytes.
  std::string Put(const char* programName, const uint8_t* data, size_t size) {
    std::string path = paths.Resolve(programName);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      if (size) std::fwrite(data, 1, size, f);
      std::fclose(f);
    }
    return path;
  }

 private:
  static std::string MakeRoot() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tarvelin-fuzz-XXXXXX").string();
    char* made = ::mkdtemp(tmpl.data());
    return made ? made : tmpl;
  }
};

// Built on first use and kept for the whole run; its folder goes at exit.
inline SettingsFuzzProgram& Instance() {
  static SettingsFuzzProgram* instance = [] {
    auto* made = new SettingsFuzzProgram();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(Instance().paths.Root(), ec);
    });
    return made;
  }();
  return *instance;
}

}  // namespace fuzzing
