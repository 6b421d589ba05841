// The headless runner's --menu items: main-menu commands run without a
// display, their file dialogs answered by the --file paths.
#pragma once

#include <string>
#include <vector>

#include "app/HeadlessRunner.h"

namespace platform {
class HeadlessWindowHost;
class ScriptedUi;
}  // namespace platform

namespace state {
struct Program;
}

namespace app {

using state::Program;
class TMainWindow;

// Takes "--menu ID" (an ID `MenuCommand` knows) or "--file PATH" (for the
// last --menu, made absolute); false with `error` set on wrong usage.
bool AddMenuOption(const std::string& option, const std::string& value, HeadlessOptions& o,
                   std::string& error);

// Runs the first tick (the start-up), then each item in order with its own
// paths queued for its file dialogs, then lets the command words run on the
// next tick. An item that reports an error, or leaves a path unused, stops
// the rest: the later items and the command words are not run. Answers
// false then.
bool RunMenusAfterStartup(Program& p, TMainWindow& w, platform::HeadlessWindowHost& host,
                          platform::ScriptedUi& ui, const std::vector<MenuOption>& menus);

}  // namespace app
