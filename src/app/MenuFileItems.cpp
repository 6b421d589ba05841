// The File menu: reading, importing, writing and the settings files.
#include "app/MenuRows.h"
#include "files/ColumnExport.h"
#include "files/Converter.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "files/JobUser.h"
#include "files/ModifyFiles.h"
#include "files/RawImport.h"
#include "files/TextExport.h"
#include "files/TextImport.h"
#include "files/WavImport.h"
#include "macro/InternalCommands.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/MemoryDialog.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace app {
namespace {

// Reading a whole store from the menu: the windows show the new record.
template <int Store>
void ReadStore(Program& p) {
  const bool wereOpen = AnyWindowOpen(p, Store);
  const int ok = files::ReadDataFile(p, "", Store, 0);
  // A failed read has closed the windows; a cancelled dialog left them.
  if (ok || (wereOpen && !AnyWindowOpen(p, Store))) DisplayWave(p, Store, -1);
  p.FocusGraphs = 1;
}

// After a successful import the waveform windows are opened.
void Imported(Program& p, int ok) {
  if (ok) DisplayWave(p, 1, -1);
  p.FocusGraphs = 1;
}

void ImportAscii(Program& p) { Imported(p, files::ReadDataFileELKOSO(p, 1, "")); }
void ImportInteger(Program& p) { Imported(p, files::Read_BIN_INTEGER(p, "")); }
void ImportWav(Program& p) { Imported(p, files::Read_WAV(p, "")); }
void ModifyRun(Program& p) { files::WaveformModifyExecute(p, true); }
void ModifySetup(Program& p) { files::CMWaveformModifyText(p); }
// The converter is started by its full path in the program directory.
void Conversion(Program& p) { files::Conversion(p); }
void ExportAsciiChosen(Program& p) { files::Write_ASCII_Util(p); }
void ExportAsciiAll(Program& p) { files::Write_ASCII_Util_SIMPL(p); }

template <int Store>
void WriteStore(Program& p) {
  files::WriteDataFile(p, "", Store, 0);
}

template <int Store>
void WriteStoreText(Program& p) {
  files::WriteASCIIDataFile(p, "", Store);
}

void ReadJob(Program& p) { files::ReadJobFile(p, 0); }
void WriteJob(Program& p) { files::WriteJobFile(p, 0); }

void WriteWorkSet(Program& p) {
  bool ok = true;
  if (MemOK(p, 1)) ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.WaveWorkFile), 1, 0) && ok;
  if (MemOK(p, 0)) ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.MeasWorkFile), 0, 0) && ok;
  ok = files::WriteWorkJobFiles(p) && ok;
  if (!ok) MessT(p, 324, 13);
}

void MemorySize(Program& p) {
  FreeMemUtil(p);
  MemSize(p);
}

void FreeMemory(Program& p) { FreeMemUtil(p); }
void Exit(Program& p) { MainExitTRV(p, true); }

}  // namespace

MenuNode FileMenu() {
  return Submenu(
      "&Soubor",
      {
          Item(kMenuReadWave, "Otevřít...  čt&i vlnu (F3,RW)", ReadStore<1>),
          Item(kMenuImportAscii, "Otevřít...  &ASCII formát (textové sloupce) ", ImportAscii),
          Item(kMenuImportInteger, "Otevřít...   binární celočíselný (INTEGER) formát ", ImportInteger),
          Item(kMenuImportWav, "Otevřít...  WAV formát - zvukový záznam ", ImportWav),
          Separator(),
          Item(kMenuModifyRun, "&Modifikace - provést (MODIFY NAME.TXT)", ModifyRun),
          Item(kMenuModifySetup, "Nastavit...  parametrický soubor pro modifikaci (podadresář MODIFY)",
               ModifySetup),
          Item(kMenuConversion, "Datová konve&rze - původní externí program", Conversion),
          Separator(),
          Item(kMenuWriteWave, "&Uložit jako...  vlnu (F2,WW)", WriteStore<1>),
          Item(kMenuExportAsciiChosen, "Uložit jako...  ASCII formát (text. sloupce, hlavička, výběr) ",
               ExportAsciiChosen),
          Item(kMenuExportAsciiAll, "Uložit jako...  ASCII formát (text. sloupce, všechno bez volby) ",
               ExportAsciiAll),
          Separator(),
          Item(kMenuReadMeas, "Čti &měření", ReadStore<0>),
          Item(kMenuWriteMeas, "U&lož měření (F5,WM)", WriteStore<0>),
          Separator(),
          Item(kMenuReadJob, "Čti &nastavení (RJOB)", ReadJob),
          Item(kMenuWriteJob, "Ulož nasta&vení (WJOB)", WriteJob),
          Item(kMenuWriteWorkSet, "Ulož nastavení a &data do pracovního souboru", WriteWorkSet),
          Separator(),
          Unavailable(kMenuPrintOne, "&Tisk...  jednoho grafu"),
          Unavailable(kMenuPrintMany, "Tisk...  více &grafů současně"),
          Separator(),
          Item(kMenuMemSize, "Nastav &paměť (MEMSIZE)", MemorySize),
          Separator(),
          Item(kMenuExit, "&Konec    (F9)", Exit),
      });
}

std::vector<MenuNode> FileCommandsWithoutItem() {
  return {
      Unlisted(kMenuWriteWaveText, WriteStoreText<1>),
      Unlisted(kMenuWriteMeasText, WriteStoreText<0>),
      Unlisted(kMenuFreeMemory, FreeMemory),
  };
}

}  // namespace app
