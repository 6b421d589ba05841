// The two-phase exit: a request closes the graph windows and the driver and
// sets `BudeKonecAleAzPoGrafech`; the next tick writes the work set.
#pragma once

namespace app {

struct Program;

// `ExitTRV`: sets `DoExit` and asks the main window to exit with a question.
void ExitTRV(Program& p);
// `MainExitTRV(ask)`: asks general text 10 when `ask`, then closes the windows
// of both stores (remembering which stores had them) and the card driver.
void MainExitTRV(Program& p, bool ask);

// The work set of the exit: both data work files, the work job and its
// companions. Every file is attempted; a file that cannot be written keeps
// its previous contents, and one message (title general text 13) names each
// such file with the system's reason. Answers false when any failed.
bool SaveWorkSet(Program& p);

}  // namespace app
