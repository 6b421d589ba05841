// `tarvelin` on the desktop: the program's start-up with the Qt seams, the
// main window and the event loop.
#pragma once

#include "app/HeadlessRunner.h"

namespace qt {

// Answers the exit status: 0 after a normal exit, 1 when the start-up
// failed (the message was shown), 2 when no display could be opened.
// Uses the options' root, resources, macro, save flag and command words;
// the answer and echo options belong to the headless runner.
int RunDesktop(int argc, char** argv, const app::HeadlessOptions& options);

// Whether a display can be expected: a platform was chosen (QT_QPA_PLATFORM
// or -platform), or an X or Wayland display is named in the environment.
bool DisplayNamed(int argc, char** argv);

}  // namespace qt
