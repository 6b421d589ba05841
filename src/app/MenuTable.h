// The main menu "B_MENU" as one table: every menu, submenu and item with its
// command ID, Czech label (with & accelerators), enabled and checked rules
// and the handler that carries the item out, plus the commands the menu
// runs without an item of their own. The desktop builds its menu bar from
// this tree, `MenuCommand` and the headless --menu option look IDs up in it.
#pragma once

#include <string>
#include <vector>

#include "app/MenuIds.h"

namespace state {
struct Program;
}

namespace app {

using state::Program;

enum class MenuKind { Item, Submenu, Separator, Label };

// An item's action; it runs after the command text buffer was cleared.
using MenuHandler = void (*)(Program& p);
// A state test of an item: may it be chosen, does it carry a check mark.
using MenuRule = bool (*)(const Program& p);

struct MenuNode {
  MenuKind kind = MenuKind::Item;
  int id = 0;                      // items only
  std::string label;               // items, submenus and labels
  MenuHandler handler{};           // items only, never null
  MenuRule enabled{};              // none: always enabled
  MenuRule checked{};              // none: no check mark
  std::vector<MenuNode> children;  // submenus only
};

// The menu bar: top-level menus and items, in order.
const std::vector<MenuNode>& MainMenuTree();

// The commands run by ID alone (help topics, text export, ...): items
// without a label that no menu shows.
const std::vector<MenuNode>& CommandsWithoutItem();

// Every item of the tree in menu order (depth first).
std::vector<const MenuNode*> MenuItems();

// The item of the menu with `id`, or nullptr.
const MenuNode* FindMenuItem(int id);

// The item with `id` in the menu or among the commands without an item, or nullptr.
const MenuNode* FindMenuCommand(int id);

// The submenu holding item `id` directly, or nullptr (a top-level item).
const MenuNode* SubmenuOf(int id);

// The item's rules for the program's state; an unknown ID is disabled and
// unchecked.
bool MenuItemEnabled(const Program& p, int id);
bool MenuItemChecked(const Program& p, int id);

}  // namespace app
