#include "app/Exit.h"

#include "files/AtomicFile.h"
#include "files/DataFileWriter.h"
#include "files/JobUser.h"
#include "files/SettingsFileIO.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
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

bool SaveWorkSet(Program& p) {
  files::WriteFailureLog log;
  const state::UnstoppableScope unstoppable;  // the work files hold the records
  // The writers' own boxes would name no file; one report below does.
  const int32_t doMess = p.DoMess;
  p.DoMess = 0;
  for (store::Store s : {store::Store::W, store::Store::M}) {
    const std::string name = store::FieldText(store::IsW(s) ? p.WG.WaveWorkFile : p.WG.MeasWorkFile);
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
