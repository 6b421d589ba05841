// What the macro runner keeps per Program beside the PG fields: the check
// mode, the interrupt guard, the input wait, the full-width counters and the
// timer step. Kept in a table keyed by the Program until Program holds it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"

namespace macro {

struct MacroState {
  InputWait wait{0, 0, 0};
  bool checkMode = false;      // `MacInterpret`
  bool interruptOpen = false;  // `ProbihaINMC`
  bool escapeSeen = false;     // an Escape a delay noticed, kept for the runner
  // Bumped by every ClearMacro, so a runner sees that its macro was stopped
  // or replaced (GOMC inside a macro) while a statement ran.
  uint64_t generation = 0;
  // The PG counters are int16; a REPEAT 100000 block counts further. The
  // full values are kept here and trusted on resume only while PG still holds
  // their saturated images.
  int64_t statements = 0, repeat = 0, blocks = 0;
  std::function<void()> timerStep;
  bool waitsForRun = false;  // suspended by a statement that started a run
  FailedStatements failed;
  std::string statementSource;
};

MacroState& StateOf(const state::Program& p);

// The int16 image of a counter as PG keeps it.
int16_t Saturated16(int64_t v);

}  // namespace macro
