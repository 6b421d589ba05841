#include "macro/CheckMode.h"

#include "macro/MacroState.h"

namespace macro {

bool InCheckMode(const app::Program& p) { return StateOf(p).checkMode; }

}  // namespace macro
