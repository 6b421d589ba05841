// `TMainWindow::MemSize`: the memory dialog. A new budget takes effect at the
// next start, so accepting it ends the program through the normal exit.
#pragma once

namespace app {

struct Program;

// Answers 1 when a new budget was accepted (and the exit requested).
int MemSize(Program& p);

}  // namespace app
