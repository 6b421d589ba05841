#include "files/JobUser.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "files/CalibrationFile.h"
#include "files/ColourFile.h"
#include "files/FileArguments.h"
#include "files/FunctionFile.h"
#include "files/HistoryFile.h"
#include "files/JobFile.h"
#include "files/PrintFile.h"
#include "files/SettingsFileIO.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace files {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string Companion(const char* jobPathOrNull, const char* ext) {
  return jobPathOrNull ? CompanionName(jobPathOrNull, ext) : std::string();
}

}  // namespace

void ReadJobCompanions(state::Program& p, const char* jobPathOrNull) {
  auto name = [&](const char* ext, std::string& keep) -> const char* {
    keep = Companion(jobPathOrNull, ext);
    return jobPathOrNull ? keep.c_str() : nullptr;
  };
  std::string n;
  (void)ReadHistFile(p, name(".BLK", n));
  if (!ReadKalibrUtil(p, name(".CAL", n)) && p.A) std::fill(p.A.get(), p.A.get() + p.A.size(), store::A0);
  if (!ReadFunUtil(p, name(".FUN", n)) && p.Fun)
    std::fill(p.Fun.get(), p.Fun.get() + p.Fun.size(), store::Fun0);
  if (!ReadPrtUtil(p, name(".PRT", n)) && p.Prt) p.Prt[0] = store::Prt0;
  (void)ReadColUtil(p, name(".COL", n));
}

int WriteJobCompanions(state::Program& p, const char* jobPathOrNull) {
  auto name = [&](const char* ext, std::string& keep) -> const char* {
    keep = Companion(jobPathOrNull, ext);
    return jobPathOrNull ? keep.c_str() : nullptr;
  };
  std::string n;
  // Every file is attempted even when an earlier one failed.
  int ok = WriteHistFile(p, name(".BLK", n));
  ok &= WriteKalibrUtil(p, name(".CAL", n));
  ok &= WriteFunUtil(p, name(".FUN", n));
  ok &= WritePrtUtil(p, name(".PRT", n));
  ok &= WriteColUtil(p, name(".COL", n));
  return ok;
}

int TakeJobName(state::Program& p, std::string_view keyword, std::string& name) {
  std::string last = store::FieldText(p.DG.JobFile);
  size_t slash = last.find_last_of("/\\");
  if (slash != std::string::npos) last.erase(0, slash + 1);
  const int got = TakeFileArgument(p, keyword, name, last);
  // The buffer is part of the job: no stale bytes behind what is left of it.
  const std::string rest = store::FieldText(p.DG.NameQueue);
  std::memset(p.DG.NameQueue, 0, sizeof p.DG.NameQueue);
  store::CopyText(p.DG.NameQueue, rest);
  return got;
}

int ReadJobFile(state::Program& p, int onlyJob) {
  std::string name;
  return TakeJobName(p, onlyJob ? "RJOBONLY" : "RJOB", name) ? ReadJobFile(p, onlyJob, name) : 0;
}

int WriteJobFile(state::Program& p, int onlyJob) {
  std::string name;
  return TakeJobName(p, onlyJob ? "WJOBONLY" : "WJOB", name) ? WriteJobFile(p, onlyJob, name) : 0;
}

int ReadJobFile(state::Program& p, int onlyJob, const std::string& name) {
  state::UnDisplayWave(p, store::Store::W, -1);
  state::UnDisplayWave(p, store::Store::M, -1);
  const std::string path = SettingsPath(p, name.c_str(), "");
  if (!ReadJobFileUtil(p, path.c_str())) {
    state::MessT(p, 321, 13);
    return 0;
  }
  store::CopyText(p.DG.JobFile, name);
  if (!onlyJob) ReadJobCompanions(p, path.c_str());

  if (p.PW == p.DG.TotalSamples && p.PM == p.DG.TotalSamples) {
    if (p.PG.WWindows) state::DisplayWave(p, store::Store::W, -1);
    if (p.PG.MWindows) state::DisplayWave(p, store::Store::M, -1);
    return 1;
  }
  state::MessT(p, 322, 11);
  state::MainExitTRV(p, false);
  // The windows were closed above; the work job written at exit should still
  // open the ones this job had.
  if (p.BudeKonecAleAzPoGrafech) {
    p.WWindowsOpen = p.PG.WWindows != 0;
    p.MWindowsOpen = p.PG.MWindows != 0;
  }
  return 0;
}

int WriteJobFile(state::Program& p, int onlyJob, const std::string& name) {
  const std::string path = SettingsPath(p, name.c_str(), "");
  if (Exists(path) && !p.MacGoing && state::AskT(p, 323, 15) != platform::Answer::Yes) return 0;
  if (!WriteJobFileUtil(p, path.c_str()) || (!onlyJob && !WriteJobCompanions(p, path.c_str()))) {
    state::MessT(p, 324, 13);
    return 0;
  }
  return 1;
}

int WriteWorkJobFiles(state::Program& p) {
  int ok = WriteJobFileUtil(p, nullptr);
  ok &= WriteJobCompanions(p, nullptr);
  return ok;
}

}  // namespace files
