// The exit request: it closes the graph windows and the driver and sets
// `BudeKonecAleAzPoGrafech`; the next tick writes the work set and ends.
#pragma once

namespace state {

struct Program;

// `ExitTRV`: sets `DoExit` and asks the main window to exit with a question.
void ExitTRV(Program& p);
// `MainExitTRV(ask)`: asks general text 10 when `ask`, then closes the windows
// of both stores (remembering which stores had them) and the card driver.
void MainExitTRV(Program& p, bool ask);

}  // namespace state
