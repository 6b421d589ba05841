// DELAY and the digital input wait (PWAIT, PWAITOFF) of the macro language.
#include <algorithm>

#include "daq/Sampling.h"
#include "macro/MacroRunner.h"
#include "macro/MacroState.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace macro {

int MacroDelay(state::Program& p, int tenths) {
  platform::Clock& clock = *p.plat.clock;
  platform::Ui& ui = p.ui();
  const uint32_t total = uint32_t(std::clamp(tenths, 1, 30000)) * 100;
  ui.SetCursor("Wait");
  // Input already waiting when the delay starts is let through first (for
  // at most the delay), so only new input ends the wait early.
  uint32_t start = clock.TickMs();
  while (ui.InputPending() && clock.TickMs() - start < total) clock.SleepMs(10);
  start = clock.TickMs();
  while (clock.TickMs() - start < total) {
    if (ui.InputPending()) break;
    if (ui.EscapePressed()) {
      // Ends the wait, and is kept so that the runner still offers to stop.
      StateOf(p).escapeSeen = true;
      break;
    }
    // The program goes on while the macro waits: a measurement run takes
    // its points, windows and panel refresh.
    if (const auto& step = StateOf(p).timerStep) step();
    if (p.DoExit || p.BudeKonecAleAzPoGrafech) break;
    const uint32_t slice = p.QM ? 1 : 10;
    const uint32_t spent = clock.TickMs() - start;
    if (spent < total) clock.SleepMs(std::min<uint32_t>(slice, total - spent));
  }
  ui.SetCursor("");
  return 1;
}

int StartInputWait(state::Program& p, int bit, int level, int timeoutTenths) {
  if (bit < 0 || bit > 15) return 0;
  if (level != 0 && level != 1) {
    // The wait is for a change: the level opposite to the present one.
    int word = 0;
    daq::ReadDigitalInputs(p, word);
    level = (word & (1 << bit)) ? 0 : 1;
  }
  InputWait& wait = PendingInputWait(p);
  wait.level = int16_t(level);
  wait.timeoutTenths = std::max(timeoutTenths, 0);
  wait.start = p.plat.clock->TickMs();
  p.PWait = int16_t(bit);
  state::TS(p, state::TxtF(p, 38, {level, bit, wait.timeoutTenths / 10}));
  if (p.MacGoing) p.MacStop = 1;
  return 1;
}

void StopInputWait(state::Program& p) {
  if (p.PWait >= 0) state::TS(p, "-");
  p.PWait = -1;
  if (p.MacGoing && p.MacStop) p.MacAgain = 1;
}

}  // namespace macro
