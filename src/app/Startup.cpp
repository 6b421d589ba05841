#include "app/Startup.h"

#include "app/Allocation.h"
#include "files/CalibrationTables.h"
#include "files/JobFile.h"
#include "files/WorkSettings.h"
#include "state/EventQueue.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace app {

void OwlMain(Program& p, const std::vector<std::string>& words) {
  std::string line = words.empty() ? std::string() : words[0];
  if (words.size() > 1) line += " " + words[1];
  store::CopyText(p.CommandLine, line);
  p.DoCommand = p.CommandLine[0] != '\0';
  p.BoardPresent = 0;
  p.Kopro = 0;
  p.DoExit = 0;
  p.AfterAbout = 0;
  if (p.plat.ui) AC_Beep(p);
  p.Caption = std::string("Tarvelin, ") + "DUZIV, " + " " + " 06.08.23";
}

bool InitMainWindow(Program& p) {
  if (p.plat.paths) p.Path = p.plat.paths->Root();
  bool ok = AllocateRecords(p);
  p.MG = store::MG0;
  // Records that could not be had cannot take a job: the defaults stand.
  if (!ok || !files::ReadJobFileUtil(p, nullptr)) files::SetMissingJobDefaults(p);
  SizeMemory(p);
  ok = AllocateSampleArrays(p) && ok;
  ok = AllocateBuffers(p) && ok;
  if (ok) (void)files::ReadKalibText(p);
  return ok;
}

}  // namespace app
