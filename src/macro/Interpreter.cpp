#include "macro/Interpreter.h"

#include <cstddef>
#include <string>

#include "app/EntryPoints.h"
#include "app/EventQueue.h"
#include "app/Exit.h"
#include "app/GraphWindows.h"
#include "app/MemoryDialog.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "app/UserMessages.h"
#include "daq/Driver.h"
#include "macro/CheckMode.h"
#include "macro/CommandBuffer.h"
#include "macro/CommandTable.h"
#include "macro/Executors.h"
#include "macro/MacroRunner.h"
#include "macro/MacroState.h"
#include "macro/Prompts.h"
#include "ops/ChannelAlgebra.h"
#include "ops/Decimation.h"
#include "ops/Padding.h"
#include "ops/StoreFileAlgebra.h"

namespace macro {

int NotAvailable(app::Program& p, std::string_view keyword) {
  app::ShowNotAvailable(p, keyword);
  return kStatementFailed;
}

int NoFileChosen(app::Program& p, std::string_view keyword) {
  app::Mess(
      p,
      std::string(keyword) + app::Lang(p, ": nebyl zadán ani vybrán žádný soubor, příkaz nebyl proveden",
                                       ": no file name given and no file chosen, statement not executed"),
      app::Txt(p, 14));
  return kStatementFailed;
}

void Broadcast(app::Program& p, int code, int arg) {
  app::SendToStoreWindows(p, 1, code, arg);
  app::SendToStoreWindows(p, 0, code, arg);
}

namespace {

using store::A_s;

struct Entry {
  const char* keyword;
  Executor run;
};

int Send(app::Program& p, int code) {
  Broadcast(p, code);
  return kDone;
}

int Internal(app::Program& p, int id) {
  app::Command(p, id);
  return kDone;
}

// QW and QM: the macro goes on only when the run it started has ended.
int StartRun(app::Program& p, int id) {
  app::Command(p, id);
  WaitForRun(p);
  return kDone;
}

// Growing or shrinking the record: its windows redraw what it now holds.
int Reshaped(app::Program& p, int ok) {
  if (ok) {
    app::DataChanged(p, 1);
    if (!p.MacGoing) app::SendToStoreWindows(p, 1, app::kRedrawAll);
  }
  return ok ? kDone : kFailed;
}

#define FLAG(kw, field, v)                                                   \
  {                                                                          \
    kw, [](app::Program& p) { return SetAFlag(p, offsetof(A_s, field), v); } \
  }
#define SEND(kw, code)                                \
  {                                                   \
    kw, [](app::Program& p) { return Send(p, code); } \
  }

// Compared in this order; the first match runs.
const Entry kDispatch[] = {
    {"ED", ExED},
    {"EDMC", ExEDMC},
    {"FUN", ExFUN},
    {"PTW", ExPTW},
    {"PTM", ExPTM},
    {"PTA", ExPTA},
    {"PTMC", ExPTMC},
    {"RW", [](app::Program& p) { return ReadDataCommand(p, 1, 0, "RW"); }},
    {"RWADD", [](app::Program& p) { return ReadDataCommand(p, 1, 1, "RWADD"); }},
    {"WW", [](app::Program& p) { return WriteDataCommand(p, 1, "WW"); }},
    {"WWR", [](app::Program& p) { return WriteChannelCommand(p, 1, "WWR"); }},
    {"WWA", ExWWA},
    {"IMPLICITNAME", ExIMPLICITNAME},
    {"WNAME", [](app::Program& p) { return NameCommand(p, 1, 1); }},
    {"WNAMEI", [](app::Program& p) { return NameCommand(p, 1, 0); }},
    {"DATNAME", ExDATNAME},
    {"WNAME_INDX", ExWNAME_INDX},
    {"RM", [](app::Program& p) { return ReadDataCommand(p, 0, 0, "RM"); }},
    {"WM", [](app::Program& p) { return WriteDataCommand(p, 0, "WM"); }},
    {"WMR", [](app::Program& p) { return WriteChannelCommand(p, 0, "WMR"); }},
    {"WMA", ExWMA},
    {"MNAME", [](app::Program& p) { return NameCommand(p, 0, 1); }},
    {"MNAMEI", [](app::Program& p) { return NameCommand(p, 0, 0); }},
    {"RJOB", [](app::Program& p) { return JobCommand(p, false, 0, "RJOB"); }},
    {"WJOB", [](app::Program& p) { return JobCommand(p, true, 0, "WJOB"); }},
    {"WJOBONLY", [](app::Program& p) { return JobCommand(p, true, 1, "WJOBONLY"); }},
    {"RJOBONLY", [](app::Program& p) { return JobCommand(p, false, 1, "RJOBONLY"); }},
    {"EXIT", [](app::Program& p) { return app::ExitTRV(p), kDone; }},
    {"QUIT", [](app::Program& p) { return app::ExitTRV(p), kDone; }},
    {"QM", [](app::Program& p) { return StartRun(p, 202); }},
    {"QW", [](app::Program& p) { return StartRun(p, 203); }},
    {"SETTING", [](app::Program& p) { return Internal(p, 205); }},
    {"DTR", [](app::Program& p) { return Internal(p, 201); }},
    {"DW", [](app::Program& p) { return app::DisplayWave(p, 1, -1), kDone; }},
    {"DM", [](app::Program& p) { return app::DisplayWave(p, 0, -1), kDone; }},
    {"UNDW", [](app::Program& p) { return app::UnDisplayWave(p, 1, -1), kDone; }},
    {"UNDM", [](app::Program& p) { return app::UnDisplayWave(p, 0, -1), kDone; }},
    {"WBZERO", ExWBZERO},
    {"WBZEROHZ", [](app::Program& p) { return BandCommand(p, -1, "WBZEROHZ"); }},
    {"WBCDHZ", [](app::Program& p) { return BandCommand(p, 1, "WBCDHZ"); }},
    {"WBPWCDHZ", [](app::Program& p) { return BandCommand(p, 0, "WBPWCDHZ"); }},
    {"MBZERO", ExMBZERO},
    {"WDECIM", [](app::Program& p) { return Reshaped(p, ops::Decimation(p, store::Store::W, true)); }},
    SEND("STAT", app::kStatistics),
    SEND("STATENERGO", app::kPowerPanel),
    {"IMPLICIT", ExIMPLICIT},
    {"GOMC", ExGOMC},
    {"GOIM", ExGOIM},
    {"CLMC", ExCLMC},
    {"INMC", ExINMC},
    {"COMW", [](app::Program& p) { return CommentCommand(p, 1); }},
    {"COMM", [](app::Program& p) { return CommentCommand(p, 0); }},
    FLAG("MRCON", MRepeat, 1),
    FLAG("MRCOFF", MRepeat, 0),
    FLAG("MTRON", MTrigger, 1),
    FLAG("MTROFF", MTrigger, 0),
    FLAG("MSCRON", MScroll, 1),
    FLAG("MSCROFF", MScroll, 0),
    {"MSCRTIME", [](app::Program& p) { return SettingCommand(p, "MSCRTIME"); }},
    FLAG("MSVON", MStore, 1),
    FLAG("MSVOFF", MStore, 0),
    {"MSIZE", [](app::Program& p) { return SettingCommand(p, "MSIZE"); }},
    {"MPER", [](app::Program& p) { return SettingCommand(p, "MPER"); }},
    FLAG("MORON", MEvent, 1),
    FLAG("MOROFF", MEvent, 0),
    {"MBEFORE", [](app::Program& p) { return SettingCommand(p, "MBEFORE"); }},
    {"MMAX", [](app::Program& p) { return SettingCommand(p, "MMAX"); }},
    {"MMIN", [](app::Program& p) { return SettingCommand(p, "MMIN"); }},
    {"TMAX", [](app::Program& p) { return SettingCommand(p, "TMAX"); }},
    {"TMIN", [](app::Program& p) { return SettingCommand(p, "TMIN"); }},
    {"WSIZE", [](app::Program& p) { return SettingCommand(p, "WSIZE"); }},
    {"WPER", [](app::Program& p) { return SettingCommand(p, "WPER"); }},
    {"WSPER", [](app::Program& p) { return SettingCommand(p, "WSPER"); }},
    FLAG("WRCON", WRepeat, 1),
    FLAG("WRCOFF", WRepeat, 0),
    {"WADDON", [](app::Program& p) { return SetAccumulation(p, true); }},
    {"WADDOFF", [](app::Program& p) { return SetAccumulation(p, false); }},
    {"BEEP", [](app::Program& p) { return app::AC_Beep(p), kDone; }},
    {"BEEPON", [](app::Program& p) { return p.PG.Sound = 1, app::AC_Beep(p), kDone; }},
    {"BEEPOFF", [](app::Program& p) { return p.PG.Sound = 0, kDone; }},
    {"PEN", ExPEN},
    SEND("DL", app::kApplyLimits),
    {"FFT", [](app::Program& p) { return SpectrumCommand(p, false); }},
    {"WTOMAG", [](app::Program& p) { return SpectrumCommand(p, true); }},
    SEND("KB", app::kWeightingWindow),
    SEND("CTRLA", app::kAutoscaleAll),
    SEND("CTRLB", app::kZeroOffset),
    {"CTRLM", ExCTRLM},
    SEND("SS", app::kZeroOffset),
    SEND("CTRLW", app::kExpandWhole),
    SEND("POWER", app::kShowPower),
    SEND("MAG", app::kShowMagnitude),
    SEND("ALL", app::kShowBothHalves),
    SEND("DISPL", app::kRedrawAll),
    SEND("DISPLB", app::kRedrawWhole),
    SEND("DISPLFAST", app::kMeasurementProgress),
    {"DEFAULT", ExDEFAULT},
    SEND("HADD", app::kHistoryAdd),
    SEND("HCLALL", app::kHistoryClear),
    {"DELAY", ExDELAY},
    {"DELW", [](app::Program& p) { return DeleteFileCommand(p, "DELW"); }},
    {"DELM", [](app::Program& p) { return DeleteFileCommand(p, "DELM"); }},
    {"DELWA", [](app::Program& p) { return DeleteFileCommand(p, "DELWA"); }},
    {"DELMA", [](app::Program& p) { return DeleteFileCommand(p, "DELMA"); }},
    {"IMPADR", [](app::Program& p) { return daq::DeriveCardAddresses(p), kDone; }},
    {"WYK", [](app::Program& p) { return ConstantCommand(p, 1, true, "WYK"); }},
    {"WYP", [](app::Program& p) { return ConstantCommand(p, 1, false, "WYP"); }},
    {"WPLUS", [](app::Program& p) { return StoreFileAlgebraCommand(p, 1, dsp::kAlgebraPlus, "WPLUS"); }},
    {"WMINUS", [](app::Program& p) { return StoreFileAlgebraCommand(p, 1, dsp::kAlgebraMinus, "WMINUS"); }},
    {"WCPLUS",
     [](app::Program& p) { return StoreFileAlgebraCommand(p, 1, dsp::kAlgebraWeightedSum, "WCPLUS"); }},
    {"WCMINUS",
     [](app::Program& p) { return StoreFileAlgebraCommand(p, 1, dsp::kAlgebraWeightedDiff, "WCMINUS"); }},
    {"WLCD", [](app::Program& p) { return CoefficientCommand(p, 0, 153); }},
    {"WLCF", [](app::Program& p) { return CoefficientCommand(p, 1, 154); }},
    {"MYK", [](app::Program& p) { return ConstantCommand(p, 0, true, "MYK"); }},
    {"MYP", [](app::Program& p) { return ConstantCommand(p, 0, false, "MYP"); }},
    {"MPLUS", [](app::Program& p) { return StoreFileAlgebraCommand(p, 0, dsp::kAlgebraPlus, "MPLUS"); }},
    {"MMINUS", [](app::Program& p) { return StoreFileAlgebraCommand(p, 0, dsp::kAlgebraMinus, "MMINUS"); }},
    {"MCPLUS",
     [](app::Program& p) { return StoreFileAlgebraCommand(p, 0, dsp::kAlgebraWeightedSum, "MCPLUS"); }},
    {"MCMINUS",
     [](app::Program& p) { return StoreFileAlgebraCommand(p, 0, dsp::kAlgebraWeightedDiff, "MCMINUS"); }},
    {"MLCD", [](app::Program& p) { return CoefficientCommand(p, 2, 157); }},
    {"MLCF", [](app::Program& p) { return CoefficientCommand(p, 3, 158); }},
    {"FILTER", [](app::Program& p) { return SettingCommand(p, "FILTER"); }},
    {"GAIN", [](app::Program& p) { return SettingCommand(p, "GAIN"); }},
    {"CHANNEL", [](app::Program&) { return kDone; }},
    {"DIGOUT", ExDIGOUT},
    {"DA1", [](app::Program& p) { return AnalogOutputCommand(p, 1); }},
    {"DA2", [](app::Program& p) { return AnalogOutputCommand(p, 2); }},
    {"AQTON", [](app::Program& p) { return SelectionCommand(p, 0, 1, 167, "AQTON"); }},
    {"AQTOFF", [](app::Program& p) { return SelectionCommand(p, 0, 0, 168, "AQTOFF"); }},
    {"DWON", [](app::Program& p) { return SelectionCommand(p, 1, 1, 169, "DWON"); }},
    {"DWOFF", [](app::Program& p) { return SelectionCommand(p, 1, 0, 170, "DWOFF"); }},
    {"DMON", [](app::Program& p) { return SelectionCommand(p, 2, 1, 171, "DMON"); }},
    {"DMOFF", [](app::Program& p) { return SelectionCommand(p, 2, 0, 172, "DMOFF"); }},
    {"SIMON", ExSIMON},
    {"SIMOFF", ExSIMOFF},
    {"BASEADR", ExBASEADR},
    {"PWAIT", ExPWAIT},
    {"PWAITOFF", ExPWAITOFF},
    FLAG("SPIKEON", MSpike, 1),
    FLAG("SPIKEOFF", MSpike, 0),
    {"MAINCH", [](app::Program&) { return kDone; }},
    {"CONV", ExCONV},
    {"FREEMEM", [](app::Program& p) { return app::FreeMemUtil(p), kDone; }},
    {"MEMSIZE", [](app::Program& p) { return app::MemSize(p), kDone; }},
    {"CHWCOPY", [](app::Program& p) { return ChannelPairCommand(p, -1, 184, 185, "CHWCOPY"); }},
    {"CHWDEL", ExCHWDEL},
    {"CHWADD", [](app::Program& p) { return ChannelPairCommand(p, dsp::kChannelAdd, 187, 188, "CHWADD"); }},
    {"CHWSUB",
     [](app::Program& p) { return ChannelPairCommand(p, dsp::kChannelSubtract, 189, 190, "CHWSUB"); }},
    {"CHWMPY",
     [](app::Program& p) { return ChannelPairCommand(p, dsp::kChannelMultiply, 673, 674, "CHWMPY"); }},
    {"CHWNAME", [](app::Program& p) { return ChannelTextCommand(p, false, "CHWNAME"); }},
    {"CHWUNIT", [](app::Program& p) { return ChannelTextCommand(p, true, "CHWUNIT"); }},
    {"CHWDIV",
     [](app::Program& p) { return ChannelPairCommand(p, dsp::kChannelDivide, 671, 672, "CHWDIV"); }},
    {"CHWREAD", ExCHWREAD},
    {"COMBION", ExCOMBION},
    {"COMBIOFF", [](app::Program& p) { return SetAFlag(p, offsetof(A_s, Combi), 0); }},
    {"WTIME", [](app::Program& p) { return TimeToCom(p, 1); }},
    {"MTIME", [](app::Program& p) { return TimeToCom(p, 0); }},
    {"WINTEGRALDT", [](app::Program& p) { return CalculusCommand(p, 4, "WINTEGRALDT"); }},
    {"WDERIVDT", [](app::Program& p) { return CalculusCommand(p, 1, "WDERIVDT"); }},
    {"ADTEST", ExADTEST},
    {"MODIFY", ExMODIFY},
    {"DOUBLE", [](app::Program& p) { return Reshaped(p, ops::DoplnNulamiNaDvojnasobek(p)); }},
    {"PROLONG_2",
     [](app::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, true)); }},
    {"PROLONGD_2",
     [](app::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, false)); }},
    {"JUMP_OFF",
     [](app::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, true)); }},
};

#undef FLAG
#undef SEND

}  // namespace

int ExCTRLM(app::Program& p) {
  SetArgument(p);
  Broadcast(p, app::kSmooth);
  NulujArgument(p);
  return kDone;
}

int ExPEN(app::Program& p) {
  int16_t width = 1;
  if (!GetI(p, width, 0, 3, 1, app::Txt(p, 163))) return kFailed;
  Broadcast(p, app::kPenWidth, width);
  return kDone;
}

size_t DispatchCount() { return sizeof kDispatch / sizeof kDispatch[0]; }

const char* DispatchKeyword(size_t i) { return i < DispatchCount() ? kDispatch[i].keyword : nullptr; }

int ComInterpret1(app::Program& p, std::string_view keyword, int* status) {
  for (const Entry& e : kDispatch) {
    if (keyword != e.keyword) continue;
    int result = e.run(p);
    if (status) *status = result;
    return 1;
  }
  if (status) *status = kStatementFailed;
  return 0;
}

int ComInterpret(app::Program& p, int* status) { return ComInterpret(p, InCheckMode(p), status); }

const FailedStatements& FailedStatementList(const app::Program& p) { return StateOf(p).failed; }

void NoteFailure(app::Program& p, const std::string& what) {
  FailedStatements& f = StateOf(p).failed;
  ++f.count;
  if (f.shown.size() < 100) f.shown.push_back(what);
}

void SetStatementSource(app::Program& p, std::string source) {
  StateOf(p).statementSource = std::move(source);
}

int ComInterpret(app::Program& p, bool checkMode, int* status) {
  std::string statement = QueueText(p);
  while (!statement.empty() && statement.back() == ' ') statement.pop_back();
  const std::string keyword = TakeKeyword(p);
  if (checkMode) {
    SetQueue(p, "");
    const int known = IsCommand(keyword) ? 1 : 0;
    if (status) *status = known ? kDone : kStatementFailed;
    return known;
  }
  int result = kStatementFailed;
  const int known = ComInterpret1(p, keyword, &result);
  if (!known) app::MessT(p, 211, 14);
  if (result != kDone) {
    const std::string& source = StateOf(p).statementSource;
    NoteFailure(p, source.empty() ? statement : statement + " (" + source + ")");
  }
  if (status) *status = result;
  return known;
}

}  // namespace macro
