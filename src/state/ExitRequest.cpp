#include "state/ExitRequest.h"

#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"
#include "state/UserMessages.h"

namespace state {

void ExitTRV(Program& p) {
  p.DoExit = 1;
  if (p.plat.windows) p.plat.windows->PostMain(kExitAsk, 0);
}

void MainExitTRV(Program& p, bool ask) {
  if (p.BudeKonecAleAzPoGrafech) return;
  if (ask && AskT(p, 10, 30) != platform::Answer::Yes) {
    p.DoExit = 0;
    return;
  }
  p.WWindowsOpen = AnyWindowOpen(p, store::Store::W);
  p.MWindowsOpen = AnyWindowOpen(p, store::Store::M);
  UnDisplayWave(p, store::Store::W, -1);
  UnDisplayWave(p, store::Store::M, -1);
  if (p.MatrixWin) {
    if (p.plat.windows) p.plat.windows->Close(*p.MatrixWin);
    p.MatrixWin.reset();
  }
  CloseRecorderWindows(p);
  if (p.CloseCard) p.CloseCard(p);
  p.BudeKonecAleAzPoGrafech = 1;
}

}  // namespace state
