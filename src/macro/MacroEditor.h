// `TMainWindow::Edit`: choose a macro file and open it in the external
// editor (general text 5), started with an argv so that no shell ever reads
// the file name.
#pragma once

namespace state {
struct Program;
}

namespace macro {

// kind 0 (ED, menu "Vytvoř,edituj"): the file dialog over "\MACRO\*.MAC";
// kind 1 (EDMC): the same dialog starting from, and remembering, the macro
// file name of WG. The chosen name gets the ".MAC" extension. Answers 1 when
// the editor was started, 0 when it could not be (a message was shown), -1
// when the dialog was cancelled (nothing was shown; a macro caller reports it).
int Edit(state::Program& p, int kind);

}  // namespace macro
