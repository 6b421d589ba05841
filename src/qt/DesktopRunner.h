// `tarvelin` on the desktop: the program's start-up with the Qt seams, the
// main window and the event loop.
#pragma once

#include <memory>

#include "app/HeadlessRunner.h"

namespace state {
struct Program;
}

namespace qt {

class MainWidget;
class QtUi;
class QtWindowHost;

// The whole desktop program over an application object that already
// exists: the platform seams, the program, its main window and dialogs.
// RunDesktop runs one in its event loop; tests drive one through its widgets.
class Desktop {
 public:
  explicit Desktop(const app::HeadlessOptions& options);
  // Closes the graph windows before the host and the program that own them.
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Start-up up to the shown main window (its first tick follows from the
  // event loop). False when the program must end (the message was shown).
  bool Start();

  state::Program& Program();
  MainWidget& Window();  // valid after Start
  QtWindowHost& Host();
  QtUi& Ui();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// Answers the exit status: 0 after a normal exit, 1 when the start-up
// failed (the message was shown), 2 when no display could be opened.
// Uses the options' root, resources, macro, save flag and command words;
// the answer and echo options belong to the headless runner.
int RunDesktop(int argc, char** argv, const app::HeadlessOptions& options);

// Whether a display can be expected: a platform was chosen (QT_QPA_PLATFORM
// or -platform), or an X or Wayland display is named in the environment.
bool DisplayNamed(int argc, char** argv);

}  // namespace qt
