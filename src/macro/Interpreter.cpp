#include "macro/Interpreter.h"

#include <cstddef>
#include <string>

#include "daq/Driver.h"
#include "macro/CheckMode.h"
#include "macro/CommandBuffer.h"
#include "macro/CommandTable.h"
#include "macro/Executors.h"
#include "macro/InternalCommands.h"
#include "macro/MacroRunner.h"
#include "macro/MacroState.h"
#include "macro/Prompts.h"
#include "ops/ChannelAlgebra.h"
#include "ops/Decimation.h"
#include "ops/Padding.h"
#include "ops/StoreFileAlgebra.h"
#include "state/EventQueue.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/MemoryDialog.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/SampleEnvelope.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace macro {

int NotAvailable(state::Program& p, std::string_view keyword) {
  state::ShowNotAvailable(p, keyword);
  return kStatementFailed;
}

int NoFileChosen(state::Program& p, std::string_view keyword) {
  state::Mess(
      p,
      std::string(keyword) + state::Lang(p, ": nebyl zadán ani vybrán žádný soubor, příkaz nebyl proveden",
                                         ": no file name given and no file chosen, statement not executed"),
      state::Txt(p, 14));
  return kStatementFailed;
}

void Broadcast(state::Program& p, int code, int arg) {
  state::SendToStoreWindows(p, store::Store::W, code, arg);
  state::SendToStoreWindows(p, store::Store::M, code, arg);
}

namespace {

using store::A_s;

struct Entry {
  const char* keyword;
  Executor run;
};

int Send(state::Program& p, int code) {
  Broadcast(p, code);
  return kDone;
}

int Internal(state::Program& p, int id) {
  Command(p, id);
  return kDone;
}

// QW and QM: the macro goes on only when the run it started has ended.
int StartRun(state::Program& p, int id) {
  Command(p, id);
  WaitForRun(p);
  return kDone;
}

// Growing or shrinking the record: its windows redraw what it now holds.
int Reshaped(state::Program& p, int ok) {
  if (ok) {
    state::DataChanged(p, store::Store::W);
    if (!p.MacGoing) state::SendToStoreWindows(p, store::Store::W, state::kRedrawAll);
  }
  return ok ? kDone : kFailed;
}

#define FLAG(kw, field, v)                                                     \
  {                                                                            \
    kw, [](state::Program& p) { return SetAFlag(p, offsetof(A_s, field), v); } \
  }
#define SEND(kw, code)                                  \
  {                                                     \
    kw, [](state::Program& p) { return Send(p, code); } \
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
    {"RW", [](state::Program& p) { return ReadDataCommand(p, store::Store::W, false, "RW"); }},
    {"RWADD", [](state::Program& p) { return ReadDataCommand(p, store::Store::W, true, "RWADD"); }},
    {"WW", [](state::Program& p) { return WriteDataCommand(p, store::Store::W, "WW"); }},
    {"WWR", [](state::Program& p) { return WriteChannelCommand(p, store::Store::W, "WWR"); }},
    {"WWA", ExWWA},
    {"IMPLICITNAME", ExIMPLICITNAME},
    {"WNAME", [](state::Program& p) { return NameCommand(p, store::Store::W, true); }},
    {"WNAMEI", [](state::Program& p) { return NameCommand(p, store::Store::W, false); }},
    {"DATNAME", ExDATNAME},
    {"WNAME_INDX", ExWNAME_INDX},
    {"RM", [](state::Program& p) { return ReadDataCommand(p, store::Store::M, false, "RM"); }},
    {"WM", [](state::Program& p) { return WriteDataCommand(p, store::Store::M, "WM"); }},
    {"WMR", [](state::Program& p) { return WriteChannelCommand(p, store::Store::M, "WMR"); }},
    {"WMA", ExWMA},
    {"MNAME", [](state::Program& p) { return NameCommand(p, store::Store::M, true); }},
    {"MNAMEI", [](state::Program& p) { return NameCommand(p, store::Store::M, false); }},
    {"RJOB", [](state::Program& p) { return JobCommand(p, false, 0, "RJOB"); }},
    {"WJOB", [](state::Program& p) { return JobCommand(p, true, 0, "WJOB"); }},
    {"WJOBONLY", [](state::Program& p) { return JobCommand(p, true, 1, "WJOBONLY"); }},
    {"RJOBONLY", [](state::Program& p) { return JobCommand(p, false, 1, "RJOBONLY"); }},
    {"EXIT", [](state::Program& p) { return state::ExitTRV(p), kDone; }},
    {"QUIT", [](state::Program& p) { return state::ExitTRV(p), kDone; }},
    {"QM", [](state::Program& p) { return StartRun(p, 202); }},
    {"QW", [](state::Program& p) { return StartRun(p, 203); }},
    {"SETTING", [](state::Program& p) { return Internal(p, 205); }},
    {"DTR", [](state::Program& p) { return Internal(p, 201); }},
    {"DW", [](state::Program& p) { return state::DisplayWave(p, store::Store::W, -1), kDone; }},
    {"DM", [](state::Program& p) { return state::DisplayWave(p, store::Store::M, -1), kDone; }},
    {"UNDW", [](state::Program& p) { return state::UnDisplayWave(p, store::Store::W, -1), kDone; }},
    {"UNDM", [](state::Program& p) { return state::UnDisplayWave(p, store::Store::M, -1), kDone; }},
    {"WBZERO", ExWBZERO},
    {"WBZEROHZ", [](state::Program& p) { return BandCommand(p, -1, "WBZEROHZ"); }},
    {"WBCDHZ", [](state::Program& p) { return BandCommand(p, 1, "WBCDHZ"); }},
    {"WBPWCDHZ", [](state::Program& p) { return BandCommand(p, 0, "WBPWCDHZ"); }},
    {"MBZERO", ExMBZERO},
    {"WDECIM", [](state::Program& p) { return Reshaped(p, ops::Decimation(p, store::Store::W, true)); }},
    SEND("STAT", state::kStatistics),
    SEND("STATENERGO", state::kPowerPanel),
    {"IMPLICIT", ExIMPLICIT},
    {"GOMC", ExGOMC},
    {"GOIM", ExGOIM},
    {"CLMC", ExCLMC},
    {"INMC", ExINMC},
    {"COMW", [](state::Program& p) { return CommentCommand(p, store::Store::W); }},
    {"COMM", [](state::Program& p) { return CommentCommand(p, store::Store::M); }},
    FLAG("MRCON", MRepeat, 1),
    FLAG("MRCOFF", MRepeat, 0),
    FLAG("MTRON", MTrigger, 1),
    FLAG("MTROFF", MTrigger, 0),
    FLAG("MSCRON", MScroll, 1),
    FLAG("MSCROFF", MScroll, 0),
    {"MSCRTIME", [](state::Program& p) { return SettingCommand(p, "MSCRTIME"); }},
    FLAG("MSVON", MStore, 1),
    FLAG("MSVOFF", MStore, 0),
    {"MSIZE", [](state::Program& p) { return SettingCommand(p, "MSIZE"); }},
    {"MPER", [](state::Program& p) { return SettingCommand(p, "MPER"); }},
    FLAG("MORON", MEvent, 1),
    FLAG("MOROFF", MEvent, 0),
    {"MBEFORE", [](state::Program& p) { return SettingCommand(p, "MBEFORE"); }},
    {"MMAX", [](state::Program& p) { return SettingCommand(p, "MMAX"); }},
    {"MMIN", [](state::Program& p) { return SettingCommand(p, "MMIN"); }},
    {"TMAX", [](state::Program& p) { return SettingCommand(p, "TMAX"); }},
    {"TMIN", [](state::Program& p) { return SettingCommand(p, "TMIN"); }},
    {"WSIZE", [](state::Program& p) { return SettingCommand(p, "WSIZE"); }},
    {"WPER", [](state::Program& p) { return SettingCommand(p, "WPER"); }},
    {"WSPER", [](state::Program& p) { return SettingCommand(p, "WSPER"); }},
    FLAG("WRCON", WRepeat, 1),
    FLAG("WRCOFF", WRepeat, 0),
    {"WADDON", [](state::Program& p) { return SetAccumulation(p, true); }},
    {"WADDOFF", [](state::Program& p) { return SetAccumulation(p, false); }},
    {"BEEP", [](state::Program& p) { return state::AC_Beep(p), kDone; }},
    {"BEEPON", [](state::Program& p) { return p.PG.Sound = 1, state::AC_Beep(p), kDone; }},
    {"BEEPOFF", [](state::Program& p) { return p.PG.Sound = 0, kDone; }},
    {"PEN", ExPEN},
    SEND("DL", state::kApplyLimits),
    {"FFT", [](state::Program& p) { return SpectrumCommand(p, false); }},
    {"WTOMAG", [](state::Program& p) { return SpectrumCommand(p, true); }},
    SEND("KB", state::kWeightingWindow),
    SEND("CTRLA", state::kAutoscaleAll),
    SEND("CTRLB", state::kZeroOffset),
    {"CTRLM", ExCTRLM},
    SEND("SS", state::kZeroOffset),
    SEND("CTRLW", state::kExpandWhole),
    SEND("POWER", state::kShowPower),
    SEND("MAG", state::kShowMagnitude),
    SEND("ALL", state::kShowBothHalves),
    SEND("DISPL", state::kRedrawAll),
    SEND("DISPLB", state::kRedrawWhole),
    SEND("DISPLFAST", state::kMeasurementProgress),
    {"DEFAULT", ExDEFAULT},
    SEND("HADD", state::kHistoryAdd),
    SEND("HCLALL", state::kHistoryClear),
    {"DELAY", ExDELAY},
    {"DELW", [](state::Program& p) { return DeleteFileCommand(p, "DELW"); }},
    {"DELM", [](state::Program& p) { return DeleteFileCommand(p, "DELM"); }},
    {"DELWA", [](state::Program& p) { return DeleteFileCommand(p, "DELWA"); }},
    {"DELMA", [](state::Program& p) { return DeleteFileCommand(p, "DELMA"); }},
    {"IMPADR", [](state::Program& p) { return daq::DeriveCardAddresses(p), kDone; }},
    {"WYK", [](state::Program& p) { return ConstantCommand(p, store::Store::W, true, "WYK"); }},
    {"WYP", [](state::Program& p) { return ConstantCommand(p, store::Store::W, false, "WYP"); }},
    {"WPLUS", [](state::Program&
                     p) { return StoreFileAlgebraCommand(p, store::Store::W, dsp::kAlgebraPlus, "WPLUS"); }},
    {"WMINUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::W, dsp::kAlgebraMinus, "WMINUS"); }},
    {"WCPLUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::W, dsp::kAlgebraWeightedSum, "WCPLUS"); }},
    {"WCMINUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::W, dsp::kAlgebraWeightedDiff, "WCMINUS"); }},
    {"WLCD", [](state::Program& p) { return CoefficientCommand(p, 0, 153); }},
    {"WLCF", [](state::Program& p) { return CoefficientCommand(p, 1, 154); }},
    {"MYK", [](state::Program& p) { return ConstantCommand(p, store::Store::M, true, "MYK"); }},
    {"MYP", [](state::Program& p) { return ConstantCommand(p, store::Store::M, false, "MYP"); }},
    {"MPLUS", [](state::Program&
                     p) { return StoreFileAlgebraCommand(p, store::Store::M, dsp::kAlgebraPlus, "MPLUS"); }},
    {"MMINUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::M, dsp::kAlgebraMinus, "MMINUS"); }},
    {"MCPLUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::M, dsp::kAlgebraWeightedSum, "MCPLUS"); }},
    {"MCMINUS",
     [](state::Program&
            p) { return StoreFileAlgebraCommand(p, store::Store::M, dsp::kAlgebraWeightedDiff, "MCMINUS"); }},
    {"MLCD", [](state::Program& p) { return CoefficientCommand(p, 2, 157); }},
    {"MLCF", [](state::Program& p) { return CoefficientCommand(p, 3, 158); }},
    {"FILTER", [](state::Program& p) { return SettingCommand(p, "FILTER"); }},
    {"GAIN", [](state::Program& p) { return SettingCommand(p, "GAIN"); }},
    {"CHANNEL", [](state::Program&) { return kDone; }},
    {"DIGOUT", ExDIGOUT},
    {"DA1", [](state::Program& p) { return AnalogOutputCommand(p, 1); }},
    {"DA2", [](state::Program& p) { return AnalogOutputCommand(p, 2); }},
    {"AQTON", [](state::Program& p) { return SelectionCommand(p, 0, 1, 167, "AQTON"); }},
    {"AQTOFF", [](state::Program& p) { return SelectionCommand(p, 0, 0, 168, "AQTOFF"); }},
    {"DWON", [](state::Program& p) { return SelectionCommand(p, 1, 1, 169, "DWON"); }},
    {"DWOFF", [](state::Program& p) { return SelectionCommand(p, 1, 0, 170, "DWOFF"); }},
    {"DMON", [](state::Program& p) { return SelectionCommand(p, 2, 1, 171, "DMON"); }},
    {"DMOFF", [](state::Program& p) { return SelectionCommand(p, 2, 0, 172, "DMOFF"); }},
    {"SIMON", ExSIMON},
    {"SIMOFF", ExSIMOFF},
    {"BASEADR", ExBASEADR},
    {"PWAIT", ExPWAIT},
    {"PWAITOFF", ExPWAITOFF},
    FLAG("SPIKEON", MSpike, 1),
    FLAG("SPIKEOFF", MSpike, 0),
    {"MAINCH", [](state::Program&) { return kDone; }},
    {"CONV", ExCONV},
    {"FREEMEM", [](state::Program& p) { return state::FreeMemUtil(p), kDone; }},
    {"MEMSIZE", [](state::Program& p) { return state::MemSize(p), kDone; }},
    {"CHWCOPY", [](state::Program& p) { return ChannelPairCommand(p, -1, 184, 185, "CHWCOPY"); }},
    {"CHWDEL", ExCHWDEL},
    {"CHWADD", [](state::Program& p) { return ChannelPairCommand(p, dsp::kChannelAdd, 187, 188, "CHWADD"); }},
    {"CHWSUB",
     [](state::Program& p) { return ChannelPairCommand(p, dsp::kChannelSubtract, 189, 190, "CHWSUB"); }},
    {"CHWMPY",
     [](state::Program& p) { return ChannelPairCommand(p, dsp::kChannelMultiply, 673, 674, "CHWMPY"); }},
    {"CHWNAME", [](state::Program& p) { return ChannelTextCommand(p, false, "CHWNAME"); }},
    {"CHWUNIT", [](state::Program& p) { return ChannelTextCommand(p, true, "CHWUNIT"); }},
    {"CHWDIV",
     [](state::Program& p) { return ChannelPairCommand(p, dsp::kChannelDivide, 671, 672, "CHWDIV"); }},
    {"CHWREAD", ExCHWREAD},
    {"COMBION", ExCOMBION},
    {"COMBIOFF", [](state::Program& p) { return SetAFlag(p, offsetof(A_s, Combi), 0); }},
    {"WTIME", [](state::Program& p) { return TimeToCom(p, store::Store::W); }},
    {"MTIME", [](state::Program& p) { return TimeToCom(p, store::Store::M); }},
    {"WINTEGRALDT", [](state::Program& p) { return CalculusCommand(p, 4, "WINTEGRALDT"); }},
    {"WDERIVDT", [](state::Program& p) { return CalculusCommand(p, 1, "WDERIVDT"); }},
    {"ADTEST", ExADTEST},
    {"MODIFY", ExMODIFY},
    {"DOUBLE", [](state::Program& p) { return Reshaped(p, ops::DoplnNulamiNaDvojnasobek(p)); }},
    {"PROLONG_2",
     [](state::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, true)); }},
    {"PROLONGD_2",
     [](state::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, false)); }},
    {"JUMP_OFF",
     [](state::Program& p) { return Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, !p.MacGoing, true)); }},
};

#undef FLAG
#undef SEND

}  // namespace

int ExCTRLM(state::Program& p) {
  SetArgument(p);
  Broadcast(p, state::kSmooth);
  NulujArgument(p);
  return kDone;
}

int ExPEN(state::Program& p) {
  int16_t width = 1;
  if (!GetI(p, width, 0, 3, 1, state::Txt(p, 163))) return kFailed;
  Broadcast(p, state::kPenWidth, width);
  return kDone;
}

size_t DispatchCount() { return sizeof kDispatch / sizeof kDispatch[0]; }

const char* DispatchKeyword(size_t i) { return i < DispatchCount() ? kDispatch[i].keyword : nullptr; }

int ComInterpret1(state::Program& p, std::string_view keyword, int* status) {
  for (const Entry& e : kDispatch) {
    if (keyword != e.keyword) continue;
    int result = e.run(p);
    // Commands change samples with their windows' notices held back while a
    // macro runs: no envelope may outlive a command.
    for (store::Store s : store::kBothStores) state::SamplesChanged(p, s);
    if (status) *status = result;
    return 1;
  }
  if (status) *status = kStatementFailed;
  return 0;
}

int ComInterpret(state::Program& p, int* status) { return ComInterpret(p, InCheckMode(p), status); }

const FailedStatements& FailedStatementList(const state::Program& p) { return StateOf(p).failed; }

void NoteFailure(state::Program& p, const std::string& what) {
  FailedStatements& f = StateOf(p).failed;
  ++f.count;
  if (f.shown.size() < 100) f.shown.push_back(what);
}

void SetStatementSource(state::Program& p, std::string source) {
  StateOf(p).statementSource = std::move(source);
}

int ComInterpret(state::Program& p, bool checkMode, int* status) {
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
  if (!known) state::MessT(p, 211, 14);
  if (result != kDone) {
    const std::string& source = StateOf(p).statementSource;
    NoteFailure(p, source.empty() ? statement : statement + " (" + source + ")");
  }
  if (status) *status = result;
  return known;
}

}  // namespace macro
