#include "state/EventQueue.h"

#include "state/Program.h"

namespace state {

void AC_Beep(Program& p) {
  if (p.PG.Sound) p.ui().Beep();
}

}  // namespace state
