#include "files/JobUser.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/Exit.h"
#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "files/CalibrationFile.h"
#include "files/ColourFile.h"
#include "files/FunctionFile.h"
#include "files/HistoryFile.h"
#include "files/JobFile.h"
#include "files/PrintFile.h"
#include "files/SettingsFileIO.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr const char* kJobMask = "*.JOB";

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The dialog's name without an extension gets ".JOB"; an extension is a "."
// among the last four characters, not looking back past a folder separator.
void AppendJobExtension(std::string& name) {
  for (size_t i = 0; i < 4 && i < name.size(); ++i) {
    char c = name[name.size() - 1 - i];
    if (c == '.') return;
    if (c == '\\' || c == '/') break;
  }
  name += ".JOB";
}

// The next word of the command buffer, else the file dialog ("?" forces it).
bool TakeJobName(app::Program& p, bool save, std::string& name) {
  char* q = p.DG.NameQueue;
  const size_t size = sizeof p.DG.NameQueue;
  std::string queue = store::FieldText(p.DG.NameQueue);
  size_t start = queue.find_first_not_of(' ');
  queue = start == std::string::npos ? std::string() : queue.substr(start);
  const bool ask = queue.empty() || queue[0] == '?';
  // The rest of the field is cleared too, so no stale word is saved in a job.
  std::memset(q, 0, size);
  if (!ask) {
    size_t end = queue.find(' ');
    name = queue.substr(0, end);
    store::CopyText(q, size, end == std::string::npos ? std::string() : queue.substr(end + 1));
    return true;
  }
  store::CopyText(q, size, queue.empty() ? queue : queue.substr(1));

  platform::FileDialogRequest request;
  request.title = app::Txt(p, save ? 511 : 509);
  request.filter = app::Txt(p, 510);
  request.folder = SettingsPath(p, "\\JOB\\", "");
  request.mask = kJobMask;
  std::string last = store::FieldText(p.DG.JobFile);
  size_t slash = last.find_last_of("/\\");
  request.name = slash == std::string::npos ? last : last.substr(slash + 1);
  request.save = save;
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  if (!chosen || chosen->empty()) return false;
  name = *chosen;
  AppendJobExtension(name);
  return true;
}

std::string Companion(const char* jobPathOrNull, const char* ext) {
  return jobPathOrNull ? CompanionName(jobPathOrNull, ext) : std::string();
}

}  // namespace

void ReadJobCompanions(app::Program& p, const char* jobPathOrNull) {
  auto name = [&](const char* ext, std::string& keep) -> const char* {
    keep = Companion(jobPathOrNull, ext);
    return jobPathOrNull ? keep.c_str() : nullptr;
  };
  std::string n;
  ReadHistFile(p, name(".BLK", n));
  if (!ReadKalibrUtil(p, name(".CAL", n)) && p.A) std::fill(p.A.get(), p.A.get() + p.A.size(), store::A0);
  if (!ReadFunUtil(p, name(".FUN", n)) && p.Fun)
    std::fill(p.Fun.get(), p.Fun.get() + p.Fun.size(), store::Fun0);
  if (!ReadPrtUtil(p, name(".PRT", n)) && p.Prt) p.Prt[0] = store::Prt0;
  ReadColUtil(p, name(".COL", n));
}

int WriteJobCompanions(app::Program& p, const char* jobPathOrNull) {
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

int ReadJobFile(app::Program& p, int onlyJob) {
  std::string name;
  if (!TakeJobName(p, false, name)) return 0;
  app::UnDisplayWave(p, 1, -1);
  app::UnDisplayWave(p, 0, -1);
  const std::string path = SettingsPath(p, name.c_str(), "");
  if (!ReadJobFileUtil(p, path.c_str())) {
    app::MessT(p, 321, 13);
    return 0;
  }
  store::CopyText(p.DG.JobFile, name);
  if (!onlyJob) ReadJobCompanions(p, path.c_str());

  if (p.PW == p.DG.TotalSamples && p.PM == p.DG.TotalSamples) {
    if (p.PG.WWindows) app::DisplayWave(p, 1, -1);
    if (p.PG.MWindows) app::DisplayWave(p, 0, -1);
    return 1;
  }
  app::MessT(p, 322, 11);
  app::MainExitTRV(p, false);
  // The windows were closed above; the work job written at exit should still
  // open the ones this job had.
  if (p.BudeKonecAleAzPoGrafech) {
    p.WWindowsOpen = p.PG.WWindows != 0;
    p.MWindowsOpen = p.PG.MWindows != 0;
  }
  return 0;
}

int WriteJobFile(app::Program& p, int onlyJob) {
  std::string name;
  if (!TakeJobName(p, true, name)) return 0;
  const std::string path = SettingsPath(p, name.c_str(), "");
  if (Exists(path) && !p.MacGoing && app::AskT(p, 323, 15) != platform::Answer::Yes) return 0;
  if (!WriteJobFileUtil(p, path.c_str()) || (!onlyJob && !WriteJobCompanions(p, path.c_str()))) {
    app::MessT(p, 324, 13);
    return 0;
  }
  return 1;
}

int WriteWorkJobFiles(app::Program& p) {
  int ok = WriteJobFileUtil(p, nullptr);
  ok &= WriteJobCompanions(p, nullptr);
  return ok;
}

}  // namespace files
