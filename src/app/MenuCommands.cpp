// The handlers of the main menu's items, by command ID.
#include "app/MenuCommands.h"

#include <string>

#include "app/MenuTable.h"
#include "daq/Driver.h"
#include "files/ColumnExport.h"
#include "files/Converter.h"
#include "files/DataFileLink.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "files/JobUser.h"
#include "files/ModifyFiles.h"
#include "files/RawImport.h"
#include "files/TextExport.h"
#include "files/TextImport.h"
#include "files/WavImport.h"
#include "graph/FontSettings.h"
#include "graph/StoreLimits.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/HelpFiles.h"
#include "macro/InternalCommands.h"
#include "macro/MacroEditor.h"
#include "macro/MacroRunner.h"
#include "macro/Prompts.h"
#include "ops/ChannelAlgebra.h"
#include "ops/ChannelTransport.h"
#include "ops/Decibels.h"
#include "ops/Decimation.h"
#include "ops/MeasurementTransfer.h"
#include "ops/Padding.h"
#include "ops/Reduction.h"
#include "ops/StoreFileAlgebra.h"
#include "ops/Zeroing.h"
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

void NotAvailable(Program& p, int id) {
  const MenuNode* item = FindMenuItem(id);
  std::string label = item ? item->label : "Příkaz " + std::to_string(id);
  std::erase(label, '&');
  ShowNotAvailable(p, label);
}

// Reading a whole store from the menu: the windows show the new record.
void ReadStore(Program& p, int store) {
  const bool wereOpen = AnyWindowOpen(p, store);
  const int ok = files::ReadDataFile(p, "", store, 0);
  // A failed read has closed the windows; a cancelled dialog left them.
  if (ok || (wereOpen && !AnyWindowOpen(p, store))) DisplayWave(p, store, -1);
}

// After a successful import the waveform windows are opened.
void Imported(Program& p, int ok) {
  if (ok) DisplayWave(p, 1, -1);
}

// A change of the waveform record's length: the windows redraw what it holds.
void Reshaped(Program& p, int ok) {
  if (!ok) return;
  DataChanged(p, 1);
  if (!p.MacGoing) SendToStoreWindows(p, 1, state::kRedrawAll);
}

void WriteWorkSet(Program& p) {
  bool ok = true;
  if (MemOK(p, 1)) ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.WaveWorkFile), 1, 0) && ok;
  if (MemOK(p, 0)) ok = files::WriteDataFileUtil(p, store::FieldText(p.WG.MeasWorkFile), 0, 0) && ok;
  ok = files::WriteWorkJobFiles(p) && ok;
  if (!ok) MessT(p, 324, 13);
}

// Store ⊕ file; `Algebra` always asks for the file when the menu runs it.
void StoreAlgebra(Program& p, int operation, int store) {
  (void)ops::Algebra(p, store::StoreFromFlag(store), operation);
  p.FocusGraphs = 1;
}

// Both weights (dialogs 22 and 23 for W, 18 and 19 for M), then the algebra.
void WeightedAlgebra(Program& p, int operation, int store) {
  const int d = store ? 0 : 2;
  if (!macro::CoefficientCommand(p, d, store ? 153 : 157)) return;
  if (!macro::CoefficientCommand(p, d + 1, store ? 154 : 158)) return;
  StoreAlgebra(p, operation, store);
}

// Help topics of the items without a menu entry.
int HelpTopic(int id) {
  switch (id) {
    case 272:
      return 2;
    case 301:
      return 3;
    case 273:
      return 4;
    case 274:
      return 5;
    case 297:
      return 6;
    case 295:
      return 7;
    case 296:
      return 8;
    case 276:
      return 0;
    case 298:
      return 1;
    case 299:
      return 11;
    case 277:
      return 9;
    case 303:
      return 16;
    case 304:
      return 17;
    case 305:
      return 18;
    default:
      return -1;
  }
}

bool FileCommand(Program& p, int id) {
  switch (id) {
    case 150:
    case 152:
      ReadStore(p, id == 150 ? 1 : 0);
      p.FocusGraphs = 1;
      return true;
    case 312:
      Imported(p, files::ReadDataFileELKOSO(p, 1, ""));
      p.FocusGraphs = 1;
      return true;
    case 374:
      Imported(p, files::Read_BIN_INTEGER(p, ""));
      p.FocusGraphs = 1;
      return true;
    case 391:
      Imported(p, files::Read_WAV(p, ""));
      p.FocusGraphs = 1;
      return true;
    case 366:
      files::WaveformModifyExecute(p, true);
      return true;
    case 365:
      files::CMWaveformModifyText(p);
      return true;
    case 271:
      // The converter is started by its full path in the program directory.
      files::Conversion(p);
      return true;
    case 395:
      files::Write_ASCII_Util(p);
      return true;
    case 399:
      files::Write_ASCII_Util_SIMPL(p);
      return true;
    case 151:
    case 153:
      files::WriteDataFile(p, "", id == 151 ? 1 : 0, 0);
      return true;
    case 164:
    case 165:
      files::WriteASCIIDataFile(p, "", id == 164 ? 1 : 0);
      return true;
    case 166:
      files::ReadJobFile(p, 0);
      return true;
    case 167:
      files::WriteJobFile(p, 0);
      return true;
    case 174:
      WriteWorkSet(p);
      return true;
    case 279:
      FreeMemUtil(p);
      MemSize(p);
      return true;
    case 278:
      FreeMemUtil(p);
      return true;
    case 155:
      MainExitTRV(p, true);
      return true;
    default:
      return false;
  }
}

bool DisplayCommand(Program& p, int id) {
  switch (id) {
    case 156:
    case 157:
      DisplayWave(p, id == 156 ? 1 : 0, -1);
      return true;
    case 222:
    case 223:
      UnDisplayWave(p, id == 222 ? 1 : 0, -1);
      return true;
    case 172:
    case 173:
      macro::CommentCommand(p, id == 172 ? 1 : 0);
      return true;
    case 169:
    case 168:
      (void)ops::ZeroWaveMenu(p, id == 169 ? store::Store::W : store::Store::M);
      return true;
    case 261:
    case 266:
      graph::LeftPoint(p, id == 261 ? 1 : 0);
      return true;
    case 262:
    case 267:
      graph::RightPoint(p, id == 262 ? 1 : 0);
      return true;
    case 263:
    case 268:
      graph::UpperValue(p, id == 263 ? 1 : 0);
      return true;
    case 264:
    case 269:
      graph::LowerValue(p, id == 264 ? 1 : 0);
      return true;
    case 265:
    case 270:
      graph::SetLimits(p, id == 265 ? 1 : 0, 1);
      return true;
    case 316:
      graph::GetLimits(p);
      return true;
    case 284:
    case 285:
      graph::WriteLimits(p, id == 284 ? 1 : 0);
      return true;
    case 397:
    case 398:
      graph::PointsAndLimits(p, id == 398 ? 1 : 0);
      return true;
    case 294:
      (void)ops::MeasurementToWaveform(p, true);
      return true;
    case 302:
      Position(p);
      return true;
    case 260:
    case 306:
      // The statistics are computed and shown by each open graph window.
      if (!AnyWindowOpen(p, 1) && !AnyWindowOpen(p, 0))
        MessT(p, 137, 13);
      else
        macro::Broadcast(p, id == 260 ? state::kStatistics : state::kStatisticsCursors);
      return true;
    case 241:
      graph::ChooseScaleFont(p);
      return true;
    case 242:
    case 243:
    case 245:
    case 246:
      graph::FontCellDialog(p, id == 242 ? 26 : id == 243 ? 27 : id == 245 ? 28 : 29);
      p.MenuPopup = kFontSubmenu;
      return true;
    case 244:
      p.DG.FixedScaleFont = p.DG.FixedScaleFont ? 0 : 1;
      p.MenuPopup = kFontSubmenu;
      return true;
    case 211:
      daq::ToggleSimulation(p);
      p.DoPanel = 1;
      return true;
    case 212:
      return true;
    default:
      return false;
  }
}

bool MacroCommand(Program& p, int id) {
  switch (id) {
    case 159:
      macro::StartMacro(p, "");
      return true;
    case 161:
      macro::Edit(p, 1);
      return true;
    case 160:
      macro::CheckMacro(p, "");
      return true;
    case 158:
      return true;
    default:
      return false;
  }
}

bool DataCommand(Program& p, int id) {
  switch (id) {
    case 175:
    case 186:
      StoreAlgebra(p, dsp::kAlgebraPlus, id == 175 ? 1 : 0);
      return true;
    case 176:
    case 187:
      StoreAlgebra(p, dsp::kAlgebraMinus, id == 176 ? 1 : 0);
      return true;
    case 280:
    case 282:
      StoreAlgebra(p, dsp::kAlgebraTimes, id == 280 ? 1 : 0);
      return true;
    case 281:
    case 283:
      StoreAlgebra(p, dsp::kAlgebraDivided, id == 281 ? 1 : 0);
      return true;
    case 177:
    case 188:
      StoreAlgebra(p, dsp::kAlgebraWeightedSum, id == 177 ? 1 : 0);
      return true;
    case 178:
    case 189:
      StoreAlgebra(p, dsp::kAlgebraWeightedDiff, id == 178 ? 1 : 0);
      return true;
    case 181:
    case 192:
      macro::CoefficientCommand(p, id == 181 ? 0 : 2, id == 181 ? 153 : 157);
      return true;
    case 182:
    case 193:
      macro::CoefficientCommand(p, id == 182 ? 1 : 3, id == 182 ? 154 : 158);
      return true;
    case 185:
    case 196:
      WeightedAlgebra(p, dsp::kAlgebraWeightedSum, id == 185 ? 1 : 0);
      return true;
    case 184:
    case 195:
      WeightedAlgebra(p, dsp::kAlgebraWeightedDiff, id == 184 ? 1 : 0);
      return true;
    case 179:
    case 190:
      macro::ConstantCommand(p, id == 179 ? 1 : 0, true, id == 179 ? "WYK" : "MYK");
      return true;
    case 180:
    case 191:
      macro::ConstantCommand(p, id == 180 ? 1 : 0, false, id == 180 ? "WYP" : "MYP");
      return true;
    case 401:
    case 402:
    case 403:
    case 404:
    case 405:
    case 406:
      (void)ops::Reduce(p, id - 400);
      return true;
    case 411:
    case 412:
      Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, true, id == 411));
      return true;
    case 386:
      Reshaped(p, ops::DoplnNulamiNaDvojnasobek(p));
      return true;
    case 287:
      (void)ops::Decimation(p, store::Store::W, true);
      return true;
    case 293:
      (void)ops::ChaneldB(p, 0);
      return true;
    case 290:
      (void)ops::ChanelAlgebra(p, store::Store::W, 0, 0, dsp::kChannelAdd);
      return true;
    case 291:
      (void)ops::ChanelAlgebra(p, store::Store::W, 0, 0, dsp::kChannelSubtract);
      return true;
    case 314:
      (void)ops::ChanelAlgebra(p, store::Store::W, 0, 0, dsp::kChannelDivide);
      return true;
    case 315:
      (void)ops::ChanelAlgebra(p, store::Store::W, 0, 0, dsp::kChannelMultiply);
      return true;
    case 288:
      (void)ops::ChanelTransport(p, store::Store::W, 0, 0);
      return true;
    case 289:
      (void)ops::ChanelDelete(p, store::Store::W, 0);
      return true;
    case 292:
      (void)ops::ChanelRead(p, 0, 0);
      p.FocusGraphs = 1;
      return true;
    case 414:
      ops::MultiChanelRead(p);
      p.FocusGraphs = 1;
      return true;
    case 396:
      files::WaveformLink(p);
      p.FocusGraphs = 1;
      return true;
    case 310:
      macro::ExFUN(p);
      return true;
    default:
      return false;
  }
}

bool TopAndHelpCommand(Program& p, int id) {
  switch (id) {
    case 197:
      macro::Command(p, 203);
      return true;
    case 198:
      macro::Command(p, 202);
      return true;
    case 307:
      macro::Command(p, 205);
      return true;
    case 308:
      macro::Command(p, 210);
      return true;
    case 309:
      macro::Command(p, 209);
      return true;
    case 154:
      EditWrite(p);
      return true;
    case 311:
    case 394:
      OpenManualInBrowser(p, id == 394);
      return true;
    case 392:
    case 393:
      OpenWebSite(p, id == 393);
      return true;
    case 300:
      OpenNews(p);
      return true;
    case 390:
      OpenManualDocument(p);
      return true;
    default:
      if (HelpTopic(id) < 0) return false;
      macro::ShowHelpText(p, HelpTopic(id));
      return true;
  }
}

}  // namespace

bool IsMenuCommand(int id) {
  if (FindMenuItem(id) || (id >= 200 && id <= 216) || HelpTopic(id) >= 0) return true;
  for (int other : {164, 165, 278, 212, 158, 390})
    if (id == other) return true;
  return false;
}

void MenuCommand(Program& p, int id) {
  p.GoQWAgain = 0;
  p.MenuPopup = 0;
  if (id >= 200 && id <= 216) macro::Command(p, id);
  if (const MenuNode* item = FindMenuItem(id); item && item->greyed) {
    NotAvailable(p, id);
    return;
  }
  // A menu command takes no arguments: whatever an earlier command left in
  // the command text buffer must not become a file name here.
  macro::SetQueue(p, "");
  if (FileCommand(p, id) || DisplayCommand(p, id) || MacroCommand(p, id) || DataCommand(p, id)) return;
  TopAndHelpCommand(p, id);
}

}  // namespace app
