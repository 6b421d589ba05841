// The about box: the program's version, the card or simulation in use.
// The desktop shows it in a dialog (Program::AboutDialog); headless the same
// facts come as a message.
#pragma once

#include <string>

#include "state/Program.h"

namespace app {

// The facts the about box shows, one per line, in the interface language.
[[nodiscard]] std::string AboutText(const state::Program& p);
// Title of the about box.
[[nodiscard]] std::string AboutTitle(const state::Program& p);

// The help menu's item: the desktop's dialog, else the message.
void About(state::Program& p);

}  // namespace app
