#include "app/Exit.h"

#include "app/EntryPoints.h"
#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "app/UserMessages.h"
#include "files/AtomicFile.h"
#include "files/DataFileWriter.h"
#include "files/JobUser.h"
#include "files/SettingsFileIO.h"
#include "store/FixedText.h"

namespace app {
namespace {

// One part of the work set; a writer that failed before any file was
// touched leaves no entry of its own, so the part is named instead.
template <typename Write>
void SavePart(files::WriteFailureLog& log, const std::string& name, Write write) {
  const size_t before = log.Entries().size();
  if (!write() && log.Entries().size() == before) log.Add(name + ": not written");
}

}  // namespace

void ExitTRV(Program& p) {
  p.DoExit = 1;
  if (p.plat.windows) p.plat.windows->PostMain(kExitAsk, 0);
}

void MainExitTRV(Program& p, bool ask) {
  if (p.BudeKonecAleAzPoGrafech) return;
  if (ask && AskT(p, 10, 30) != platform::Answer::Yes) {
    p.DoExit = 0;
    return;
  }
  p.WWindowsOpen = AnyWindowOpen(p, 1);
  p.MWindowsOpen = AnyWindowOpen(p, 0);
  UnDisplayWave(p, 1, -1);
  UnDisplayWave(p, 0, -1);
  CloseDriver(p);
  p.BudeKonecAleAzPoGrafech = 1;
}

bool SaveWorkSet(Program& p) {
  files::WriteFailureLog log;
  // The writers' own boxes would name no file; one report below does.
  const int32_t doMess = p.DoMess;
  p.DoMess = 0;
  for (int s : {1, 0}) {
    const std::string name = store::FieldText(s ? p.WG.WaveWorkFile : p.WG.MeasWorkFile);
    if (MemOK(p, s))
      SavePart(log, files::SettingsPath(p, name.c_str(), ""),
               [&] { return files::WriteDataFileUtil(p, name, s, 0); });
  }
  SavePart(log, files::SettingsPath(p, nullptr, "\\JOB\\WORK.JOB"),
           [&] { return files::WriteWorkJobFiles(p); });
  p.DoMess = doMess;
  if (log.Entries().empty()) return true;
  std::string text = Txt(p, 398);
  for (const std::string& entry : log.Entries()) text += "\n" + entry;
  Mess(p, text, Txt(p, 13));
  return false;
}

}  // namespace app
