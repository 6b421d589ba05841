// The rows the menu table is written with, and its parts: each part file
// holds the handlers of one menu next to the rows that name them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/MenuTable.h"

namespace app {

// The rule of the items whose operation this build lacks: shown, but greyed.
bool NotBuilt(const Program& p);
void NoAction(Program& p);

inline MenuNode Item(MenuId id, const char* label, MenuHandler handler, MenuRule enabled = nullptr,
                     MenuRule checked = nullptr) {
  MenuNode n;
  n.id = id;
  n.label = label;
  n.handler = handler;
  n.enabled = enabled;
  n.checked = checked;
  return n;
}

// An item this build cannot carry out; choosing it anyway says so.
inline MenuNode Unavailable(MenuId id, const char* label) { return Item(id, label, NoAction, NotBuilt); }

// A command without an item of its own.
inline MenuNode Unlisted(MenuId id, MenuHandler handler) { return Item(id, "", handler); }

inline MenuNode Separator() {
  MenuNode n;
  n.kind = MenuKind::Separator;
  return n;
}

inline MenuNode Label(const char* label) {
  MenuNode n;
  n.kind = MenuKind::Label;
  n.label = label;
  return n;
}

inline MenuNode Submenu(const char* label, std::vector<MenuNode> children) {
  MenuNode n;
  n.kind = MenuKind::Submenu;
  n.label = label;
  n.children = std::move(children);
  return n;
}

// The parts, in the order of the menu bar.
MenuNode FileMenu();
MenuNode DisplayMenu();
MenuNode MacroMenu();
MenuNode DataMenu();
std::vector<MenuNode> RunItems();  // QW and QM at the top level
MenuNode SettingsMenu();
MenuNode EditItem();
MenuNode HelpMenu();

// The commands without an item, by part.
std::vector<MenuNode> FileCommandsWithoutItem();
std::vector<MenuNode> MacroCommandsWithoutItem();
std::vector<MenuNode> HelpCommandsWithoutItem();

}  // namespace app
