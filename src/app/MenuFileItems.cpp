// The File menu: reading, importing, writing and the settings files.
#include "app/MenuRows.h"
#include "files/ColumnExport.h"
#include "files/Converter.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "files/JobUser.h"
#include "files/ModifyFiles.h"
#include "files/Printing.h"
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
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace app {
namespace {

// Reading a whole store from the menu: the windows show the new record.
template <store::Store S>
void ReadStore(Program& p) {
  const bool wereOpen = AnyWindowOpen(p, S);
  const int ok = files::ReadDataFile(p, "", S, false);
  // A failed read has closed the windows; a cancelled dialog left them.
  if (ok || (wereOpen && !AnyWindowOpen(p, S))) DisplayWave(p, S, -1);
  p.FocusGraphs = 1;
}

// After a successful import the waveform windows are opened.
void Imported(Program& p, int ok) {
  if (ok) DisplayWave(p, store::Store::W, -1);
  p.FocusGraphs = 1;
}

void ImportAscii(Program& p) { Imported(p, files::ReadDataFileELKOSO(p, store::Store::W, "")); }
void ImportInteger(Program& p) { Imported(p, files::Read_BIN_INTEGER(p, "")); }
void ImportWav(Program& p) { Imported(p, files::Read_WAV(p, "")); }
void ModifyRun(Program& p) { (void)files::WaveformModifyExecute(p, true); }
void ModifySetup(Program& p) { (void)files::CMWaveformModifyText(p); }
// The converter is started by its full path in the program directory.
void Conversion(Program& p) { (void)files::Conversion(p); }
void ExportAsciiChosen(Program& p) { (void)files::Write_ASCII_Util(p); }
void ExportAsciiAll(Program& p) { (void)files::Write_ASCII_Util_SIMPL(p); }

template <store::Store S>
void WriteStore(Program& p) {
  (void)files::WriteDataFile(p, "", S, 0);
}

template <store::Store S>
void WriteStoreText(Program& p) {
  (void)files::WriteASCIIDataFile(p, "", S);
}

void ReadJob(Program& p) { (void)files::ReadJobFile(p, 0); }
void WriteJob(Program& p) { (void)files::WriteJobFile(p, 0); }

void WriteWorkSet(Program& p) {
  bool ok = true, stopped = false;
  if (MemOK(p, store::Store::W))
    ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.WaveWorkFile), store::Store::W, 0, &stopped) && ok;
  if (MemOK(p, store::Store::M))
    ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.MeasWorkFile), store::Store::M, 0, &stopped) && ok;
  ok = files::WriteWorkJobFiles(p) && ok;
  if (!ok && !stopped) MessT(p, 324, 13);  // a stop has said so
}

// The first open graph window prints itself with the print dialog.
void PrintOne(Program& p) {
  for (store::Store st : {store::Store::W, store::Store::M})
    for (int c = 0; c < store::kChannels; ++c)
      if (platform::GraphWindow* w = p.Windows(st)[c].get()) {
        w->UserMessage(state::kPrintGraph, 0);
        return;
      }
  state::Mess(p, state::Lang(p, "Žádné grafické okno není otevřené", "No graph window is open"), Txt(p, 11));
}

// `TPRTDialog`: the windows chosen print in one job, a page each.
void PrintMany(Program& p) {
  std::vector<platform::GraphWindow*> open;
  for (store::Store st : {store::Store::W, store::Store::M})
    for (int c = 0; c < store::kChannels; ++c) open.push_back(p.Windows(st)[c].get());
  std::vector<bool> chosen(open.size());
  for (size_t i = 0; i < open.size(); ++i) chosen[i] = open[i] != nullptr;
  if (p.MultiPrintDialog && !p.MultiPrintDialog(p, chosen)) return;
  bool first = true;
  for (size_t i = 0; i < open.size() && i < chosen.size(); ++i) {
    if (!open[i] || !chosen[i]) continue;
    if (first && !files::OpenPrint(p)) return;
    if (!first && p.PrintJobNow) p.PrintJobNow->NewPage();
    first = false;
    open[i]->UserMessage(state::kPrintGraph, state::kPrintInPhase + files::kPrintDraw);
  }
  if (!first) files::ClosePrint(p);
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
          Item(kMenuReadWave, "Otevřít...  čt&i vlnu (F3,RW)", ReadStore<store::Store::W>),
          Item(kMenuImportAscii, "Otevřít...  &ASCII formát (textové sloupce) ", ImportAscii),
          Item(kMenuImportInteger, "Otevřít...   binární celočíselný (INTEGER) formát ", ImportInteger),
          Item(kMenuImportWav, "Otevřít...  WAV formát - zvukový záznam ", ImportWav),
          Separator(),
          Item(kMenuModifyRun, "&Modifikace - provést (MODIFY NAME.TXT)", ModifyRun),
          Item(kMenuModifySetup, "Nastavit...  parametrický soubor pro modifikaci (podadresář MODIFY)",
               ModifySetup),
          Item(kMenuConversion, "Datová konve&rze - původní externí program", Conversion),
          Separator(),
          Item(kMenuWriteWave, "&Uložit jako...  vlnu (F2,WW)", WriteStore<store::Store::W>),
          Item(kMenuExportAsciiChosen, "Uložit jako...  ASCII formát (text. sloupce, hlavička, výběr) ",
               ExportAsciiChosen),
          Item(kMenuExportAsciiAll, "Uložit jako...  ASCII formát (text. sloupce, všechno bez volby) ",
               ExportAsciiAll),
          Separator(),
          Item(kMenuReadMeas, "Čti &měření", ReadStore<store::Store::M>),
          Item(kMenuWriteMeas, "U&lož měření (F5,WM)", WriteStore<store::Store::M>),
          Separator(),
          Item(kMenuReadJob, "Čti &nastavení (RJOB)", ReadJob),
          Item(kMenuWriteJob, "Ulož nasta&vení (WJOB)", WriteJob),
          Item(kMenuWriteWorkSet, "Ulož nastavení a &data do pracovního souboru", WriteWorkSet),
          Separator(),
          Item(kMenuPrintOne, "&Tisk...  jednoho grafu", PrintOne),
          Item(kMenuPrintMany, "Tisk...  více &grafů současně", PrintMany),
          Separator(),
          Item(kMenuMemSize, "Nastav &paměť (MEMSIZE)", MemorySize),
          Separator(),
          Item(kMenuExit, "&Konec    (F9)", Exit),
      });
}

std::vector<MenuNode> FileCommandsWithoutItem() {
  return {
      Unlisted(kMenuWriteWaveText, WriteStoreText<store::Store::W>),
      Unlisted(kMenuWriteMeasText, WriteStoreText<store::Store::M>),
      Unlisted(kMenuFreeMemory, FreeMemory),
  };
}

}  // namespace app
