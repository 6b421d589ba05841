// The macro runner: reads a macro file statement by statement, hands each
// statement to the interpreter, and keeps its progress in PG so that a macro
// suspended by a long activity (a run, a new window, an input wait) resumes
// from the main timer where it stopped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace state {
struct Program;
}

namespace macro {

// Starts a macro (GOMC, menu "Proveď", F8): refuses while an acquisition run
// is active (general text 366), else clears the present macro and runs the
// named one, or the one chosen in the file dialog when the name is empty. A
// name without a folder is looked for in "\MACRO\" (".MAC" added when it has
// no extension). Answers 1 when the macro ended by an error or a stop, 0 when
// it ran to its end, was suspended or was refused, -1 when the dialog was
// cancelled (nothing was shown; a macro caller may report it).
int StartMacro(state::Program& p, const std::string& nameOrEmpty);

// GOIM, menu "Kontrola": runs the macro in check mode (keywords are only
// looked up, nothing executes). Clears the present macro itself.
int CheckMacro(state::Program& p, const std::string& nameOrEmpty);

// True while a macro is being checked (the interpreter's check mode).
bool MacroCheckMode(const state::Program& p);

// Continues a suspended macro; the main timer calls it after clearing
// MacStop and MacAgain.
void GoMac(state::Program& p);

// `ClearMacro`: resets all macro state (name, counters, flags, the waveform
// and measurement name counters, the run flags).
void ClearMacro(state::Program& p);

// DELAY: waits tenths x 100 ms (1..30000) unless input arrives first. Answers 1.
int MacroDelay(state::Program& p, int tenths);

// PWAIT: waits for digital input `bit` (0..15) to reach `level` (0 or 1)
// within `timeoutTenths`; suspends a running macro. The timer polls the wait.
// Answers 1, 0 when the bit is out of range (nothing changes then).
int StartInputWait(state::Program& p, int bit, int level, int timeoutTenths);

// PWAITOFF: ends a pending input wait and releases a suspended macro.
void StopInputWait(state::Program& p);

// INMC (`INMC_proc`), also issued on Escape during a macro. `text`, when not
// empty, leads the question; otherwise the command buffer's remaining text
// does. The command buffer is emptied. Answers 1.
int InsertMacro(state::Program& p, const std::string& text);

// The input wait of a Program (level awaited, time-out in tenths of a
// second, start tick in ms) until it has a home in Program itself.
struct InputWait {
  int16_t level;
  int32_t timeoutTenths;
  uint32_t start;
};
InputWait& PendingInputWait(state::Program& p);

// The main timer step the runner drives after each statement (so displays
// and runs go on during a long macro). Set by the main window's owner and
// reset to empty before that owner goes away; without one no step runs.
void SetMacroTimerStep(state::Program& p, std::function<void()> step);

// A statement that started a run which goes on over timer ticks (QW with
// repetition, QM that stores or repeats, ADTEST) suspends the running macro
// until the run has ended, whichever way it ends: by itself, stopped, or
// failed. Nothing happens when no macro runs or the run already ended.
void WaitForRun(state::Program& p);
// Called by the main timer on every tick: releases a macro waiting for a run
// once no run is active and no input wait is pending.
void ReleaseAfterRun(state::Program& p);

// The macro given on the command line (`--macro`): a name in "\MACRO\" or a
// path. Arms the macro so that the next timer tick, after its first-tick
// loading, starts it; the caller then ticks until MacGoing is clear and no
// run is active. Answers 1 when armed, 0 (with a message) when the file
// cannot be found.
int StartMacroFromCommandLine(state::Program& p, const std::string& nameOrPath);

}  // namespace macro
