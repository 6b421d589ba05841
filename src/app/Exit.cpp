#include "app/Exit.h"

#include "app/EntryPoints.h"
#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"

namespace app {

void ExitTRV(Program& p) {
  p.DoExit = 1;
  if (p.plat.windows) p.plat.windows->PostMain(1998, 0);
}

void MainExitTRV(Program& p, bool ask) {
  if (p.BudeKonecAleAzPoGrafech) return;
  if (ask && AskT(p, 10, 30) != platform::Answer::Yes) {
    p.DoExit = 0;
    return;
  }
  p.WWindowsOpen = AnyWindowOpen(p, 1);
  p.MWindowsOpen = AnyWindowOpen(p, 0);
  UnDisplayWave(p, 1, -1);
  UnDisplayWave(p, 0, -1);
  CloseDriver(p);
  p.BudeKonecAleAzPoGrafech = 1;
}

}  // namespace app
