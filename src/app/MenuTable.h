// The main menu "B_MENU" as data: every menu, submenu and item with its
// command ID and Czech label (with & accelerators), which items are greyed
// because their operation is not part of this build, and which carry a
// check mark. The desktop program builds its menu bar from this tree;
// `MenuCommand` carries out the IDs.
#pragma once

#include <string>
#include <vector>

namespace state {
struct Program;
}

namespace app {

using state::Program;

enum class MenuKind { Item, Submenu, Separator, Label };

struct MenuNode {
  MenuKind kind = MenuKind::Item;
  int id = 0;         // items only
  std::string label;  // items, submenus and labels
  bool greyed = false;
  bool checkable = false;
  std::vector<MenuNode> children;  // submenus only
};

// Items that name the submenus a command opens again afterwards.
inline constexpr int kLimitsSubmenu = 261;
inline constexpr int kFontSubmenu = 242;

// The menu bar: top-level menus and items, in order.
const std::vector<MenuNode>& MainMenuTree();

// Every item of the tree in menu order (depth first).
std::vector<const MenuNode*> MenuItems();

// The item with `id`, or nullptr.
const MenuNode* FindMenuItem(int id);

// The submenu holding item `id` directly, or nullptr (a top-level item).
const MenuNode* SubmenuOf(int id);

// The check mark of an item: 211 simulation and 244 fixed scale font follow
// `DG`; every other item is unchecked.
bool MenuItemChecked(const Program& p, int id);

}  // namespace app
