#include "macro/MacroState.h"

#include "state/Program.h"

namespace macro {
namespace {

void DeleteMacroState(MacroState* s) { delete s; }

}  // namespace

MacroState& StateOf(const state::Program& p) {
  if (!p.MacroData) p.MacroData = {new MacroState(), &DeleteMacroState};
  return *p.MacroData;
}

int16_t Saturated16(int64_t v) { return int16_t(v > INT16_MAX ? INT16_MAX : v < INT16_MIN ? INT16_MIN : v); }

InputWait& PendingInputWait(state::Program& p) { return StateOf(p).wait; }

void SetMacroTimerStep(state::Program& p, std::function<void()> step) {
  StateOf(p).timerStep = std::move(step);
}

void WaitForRun(state::Program& p) {
  if (!p.MacGoing || !(p.QW || p.QM)) return;
  p.MacStop = 1;
  StateOf(p).waitsForRun = true;
}

void ReleaseAfterRun(state::Program& p) {
  MacroState& st = StateOf(p);
  if (!st.waitsForRun || p.QW || p.QM || p.PWait >= 0) return;
  st.waitsForRun = false;
  if (p.MacGoing && p.MacStop) p.MacAgain = 1;
}

bool MacroCheckMode(const state::Program& p) { return StateOf(p).checkMode; }

}  // namespace macro
