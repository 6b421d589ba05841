#include "app/EventQueue.h"

#include "app/Program.h"

namespace app {

void AC_Beep(Program& p) {
  if (p.PG.Sound) p.ui().Beep();
}

}  // namespace app
