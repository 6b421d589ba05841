// The virtual card library through the real dlopen path, in fast mode. Found
// as $TARVELIN_DRIVER, else beside the test binary's folder (the build folder
// holds libduziv_daq01.so once the virtual card is built).
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "daq/CardState.h"
#include "platform/DlLibrary.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace realcard {

inline std::string FindLibrary() {
  const char* env = ::getenv("TARVELIN_DRIVER");
  if (env && *env) return env;
  char exe[4096];
  ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string path(exe, size_t(n > 0 ? n : 0));
  for (int up = 0; up < 2 && !path.empty(); ++up)
    path.resize(path.rfind('/') == std::string::npos ? 0 : path.rfind('/'));
  return path.empty() ? "" : path + "/libduziv_daq01.so";
}

struct Env {
  // fail: DUZIV_VIRTUAL_FAIL for this program ("Td_Name[:status[:afterNCalls]]").
  explicit Env(const char* fail = nullptr) : libraryPath(FindLibrary()) {
    ok = testing_support::FileExists(libraryPath);
    skipReason = "virtual card library not built (" + libraryPath + "); build target duziv_daq01";
    if (!ok) return;
    ::setenv("DUZIV_VIRTUAL_FAST", "1", 1);
    fail ? ::setenv("DUZIV_VIRTUAL_FAIL", fail, 1) : ::unsetenv("DUZIV_VIRTUAL_FAIL");
    ::setenv("TARVELIN_DRIVER", libraryPath.c_str(), 1);
    env.prog.plat.library = &library;
    env.prog.DG.Simulation = 0;
  }
  ~Env() {
    daq::ReleaseCard(env.prog);
    ::unsetenv("DUZIV_VIRTUAL_FAIL");
  }
  state::Program& p() { return env.prog; }

  std::string libraryPath;
  bool ok = false;
  std::string skipReason;
  testing_support::TestEnv env;
  platform::DlLibrary library;
};

}  // namespace realcard
