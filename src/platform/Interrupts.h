// SIGINT and SIGTERM for a program without a display: they ask the program
// to stop as Escape would, instead of killing it between two writes of a
// file. The request stays set; loops that take Escape see it, and the
// headless runner ends the run and leaves through the normal exit.
#pragma once

namespace platform {

// Installs the handlers (once; later calls do nothing).
void InstallInterruptHandlers();
// True once SIGINT or SIGTERM has arrived.
bool InterruptRequested();
// For tests: as if a signal had arrived, or back to none.
void SetInterruptRequested(bool on);

}  // namespace platform
