// `tarvelin --headless`: the program's start-up, command line and exit
// without a display, driving the same timer tick in its own loop.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/PrintJob.h"
#include "platform/Ui.h"

namespace platform {
class ScriptedUi;
}

namespace state {
struct Program;
}

namespace app {

using state::Program;

// A main-menu item to run after start-up (--menu ID) with the paths that
// answer its file dialogs in order (the --file options after it).
struct MenuOption {
  int id = 0;
  std::vector<std::string> files;  // absolute
};

struct HeadlessOptions {
  std::string root = ".";                           // the program directory
  std::string resources;                            // installed resources; empty: the built-in folder
  platform::Answer answer = platform::Answer::Yes;  // answer to every question
  std::string macro;                                // --macro NAME
  bool save = true;                                 // false: --no-save
  bool echo = true;                                 // messages to stderr as "title: text"
  std::vector<std::string> words;                   // the one or two command-line words
  std::vector<MenuOption> menus;                    // --menu ID [--file PATH]..., in order
  std::string screenshot;  // desktop only: PNG of the screen once the windows are shown, then exit
  // Printing without a display: PDF files (--print-to FILE.pdf, else counted
  // names in DATA/), opened by `printJobs` (empty: printing is not available).
  std::string printTo;
  platform::PrintJobOpener printJobs;
};

// Runs start-up, the command line or macro, and the two-phase exit. Answers
// the exit status: 0 success; 1 when a command was unknown, a macro ended
// with an error or a file operation failed.
int RunHeadless(const HeadlessOptions& options);

// Whether a message under an error title was shown from log entry `from` on.
bool ErrorShownSince(const Program& p, const platform::ScriptedUi& ui, size_t from);

// Parses the runner's arguments (after "--headless"); answers false with
// `error` set on wrong usage.
bool ParseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options,
                            std::string& error);

}  // namespace app
