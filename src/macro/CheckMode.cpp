#include "macro/CheckMode.h"

#include "macro/MacroState.h"

namespace macro {

bool InCheckMode(const state::Program& p) { return StateOf(p).checkMode; }

}  // namespace macro
