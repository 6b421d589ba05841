// Executors of the program, run, macro, waiting and printing keywords.
#include "daq/RunCommands.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "daq/Driver.h"
#include "daq/Sampling.h"
#include "files/FileArguments.h"
#include "files/Printing.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/MacroEditor.h"
#include "macro/MacroRunner.h"
#include "macro/Prompts.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"
#include "store/Defaults.h"
#include "store/FixedText.h"

namespace macro {
namespace {

// `PG` back to its defaults. While a macro runs the runner keeps its state
// in `PG` (file name and counters, 268 bytes from offset 28); resetting
// those would leave a suspended macro unable to resume, so they are kept,
// as a job file read keeps them.
void ResetProgramSettings(state::Program& p) {
  constexpr size_t kRunnerState = offsetof(store::PG_s, MacroName);
  constexpr size_t kRunnerBytes = 268;
  static_assert(kRunnerState == 28);
  uint8_t kept[kRunnerBytes];
  std::memcpy(kept, reinterpret_cast<const uint8_t*>(&p.PG) + kRunnerState, kRunnerBytes);
  p.PG = store::PG0;
  if (p.MacGoing) std::memcpy(reinterpret_cast<uint8_t*>(&p.PG) + kRunnerState, kept, kRunnerBytes);
}

void SetSimulation(state::Program& p, int on) {
  if ((p.DG.Simulation != 0) != (on != 0)) daq::ToggleSimulation(p);
  p.DG.Simulation = on;
  p.NewStatus = 1;
  p.DoPanel = 1;
}

}  // namespace

int ExSIMON(state::Program& p) {
  SetSimulation(p, 1);
  return kDone;
}

int ExSIMOFF(state::Program& p) {
  SetSimulation(p, 0);
  return kDone;
}

int ExIMPLICIT(state::Program& p) {
  if (state::AskT(p, 212, 15) != platform::Answer::Yes) return kDone;
  ResetProgramSettings(p);
  for (size_t i = 0; i < p.A.size(); ++i) p.A[i] = store::A0;
  p.MG = store::MG0;
  return kDone;
}

int ExDEFAULT(state::Program& p) {
  ResetProgramSettings(p);
  return kDone;
}

// The A/D test repeats until it is stopped; a macro waits for that.
int ExADTEST(state::Program& p) {
  daq::ADTest(p);
  WaitForRun(p);
  return kDone;
}

namespace {

int EditCommand(state::Program& p, int kind, std::string_view keyword) {
  const int r = Edit(p, kind);
  if (r < 0) return p.MacGoing ? NoFileChosen(p, keyword) : kFailed;
  return r ? kDone : kFailed;
}

}  // namespace

int ExED(state::Program& p) { return EditCommand(p, 0, "ED"); }
int ExEDMC(state::Program& p) { return EditCommand(p, 1, "EDMC"); }

// The runner clears the present macro itself, after refusing while an
// acquisition run is active (clearing first would drop the run's flags).
int ExGOMC(state::Program& p) {
  StartMacro(p, "");
  return kDone;
}

int ExGOIM(state::Program& p) {
  CheckMacro(p, "");
  return kDone;
}

int ExCLMC(state::Program& p) {
  ClearMacro(p);
  return kDone;
}

int ExINMC(state::Program& p) {
  std::string rest = QueueText(p);
  SetQueue(p, "");
  InsertMacro(p, rest);
  return kDone;
}

int CommentCommand(state::Program& p, store::Store store) {
  store::Header_s& header = p.Header(store);
  std::string comment = store::FieldText(header.Comment);
  if (p.ui().EditComment(comment, store::IsW(store) ? "W" : "M")) store::CopyText(header.Comment, comment);
  return kDone;
}

int ExDELAY(state::Program& p) {
  int32_t tenths = 1;
  if (!GetL(p, tenths, 1, 30000, 1, state::Txt(p, 152))) return kFailed;
  MacroDelay(p, tenths);
  return kDone;
}

int ExPWAIT(state::Program& p) {
  int32_t bit = 0;
  if (!GetChannel(p, bit, 0, 15, state::Txt(p, 175), "PWAIT")) return kFailed;
  int32_t timeout = 864000;
  if (!GetL(p, timeout, 10, 1000000, 864000, state::Txt(p, 450))) return kFailed;
  int word = 0;
  if (!daq::ReadDigitalInputs(p, word)) word = 0;
  // The wait is for a change: the awaited level is the opposite of the present one.
  const int level = (word >> bit) & 1 ? 0 : 1;
  StartInputWait(p, bit, level, timeout);
  return kDone;
}

int ExPWAITOFF(state::Program& p) {
  StopInputWait(p);
  return kDone;
}

// The graph windows print themselves (user message kPrintGraph in a job phase).
int ExPTW(state::Program& p) {
  int32_t ch = 1;
  if (!GetChannel(p, ch, 1, store::kChannels, "Číslo kanálu pro tisk", "PTW")) return kFailed;
  platform::GraphWindow* w = p.QWWin[ch - 1].get();
  if (!w) {
    state::Mess(p,
                std::string(state::Lang(p, "PTW: okno kanálu není otevřené: W",
                                        "PTW: the channel's window is not open: W")) +
                    std::to_string(ch),
                state::Txt(p, 13));
    return kFailed;
  }
  // A failed print says so itself.
  w->UserMessage(state::kPrintGraph, state::kPrintInPhase + files::kPrintWhole);
  return kDone;
}

// Every open M window, a page each, in one job.
int ExPTM(state::Program& p) {
  bool first = true;
  for (auto& w : p.QMWin) {
    if (!w) continue;
    if (first) {
      if (!files::OpenPrint(p)) return kFailed;
    } else if (p.PrintJobNow) {
      p.PrintJobNow->NewPage();
    }
    first = false;
    w->UserMessage(state::kPrintGraph, state::kPrintInPhase + files::kPrintDraw);
  }
  if (first) {
    state::Mess(p,
                state::Lang(p, "PTM: žádné okno měření není otevřené", "PTM: no measurement window is open"),
                state::Txt(p, 13));
    return kFailed;
  }
  return files::ClosePrint(p) ? kDone : kFailed;
}

int ExPTA(state::Program& p) {
  std::string name;
  if (!files::TakeFileArgument(p, "PTA", name)) return NoFileChosen(p, "PTA");
  return files::PrintTextFile(p, name) ? kDone : kFailed;
}

int ExPTMC(state::Program& p) {
  const std::string name = store::FieldText(p.WG.MacroFile);
  if (name.empty()) return NoFileChosen(p, "PTMC");
  return files::PrintTextFile(p, name) ? kDone : kFailed;
}

}  // namespace macro
