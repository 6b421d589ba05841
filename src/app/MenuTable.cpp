#include "app/MenuTable.h"

#include "app/MenuRows.h"

namespace app {

bool NotBuilt(const Program&) { return false; }
void NoAction(Program&) {}

namespace {

std::vector<MenuNode> BuildTree() {
  std::vector<MenuNode> tree = {FileMenu(), DisplayMenu(), MacroMenu(), DataMenu()};
  for (MenuNode& n : RunItems()) tree.push_back(std::move(n));
  tree.push_back(SettingsMenu());
  tree.push_back(EditItem());
  tree.push_back(HelpMenu());
  return tree;
}

std::vector<MenuNode> BuildUnlisted() {
  std::vector<MenuNode> out;
  for (auto part : {FileCommandsWithoutItem, MacroCommandsWithoutItem, HelpCommandsWithoutItem})
    for (MenuNode& n : part()) out.push_back(std::move(n));
  return out;
}

void Collect(const std::vector<MenuNode>& nodes, std::vector<const MenuNode*>& out) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuKind::Item) out.push_back(&n);
    if (n.kind == MenuKind::Submenu) Collect(n.children, out);
  }
}

const MenuNode* FindParent(const std::vector<MenuNode>& nodes, const MenuNode* parent, int id) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuKind::Item && n.id == id) return parent;
    if (n.kind == MenuKind::Submenu)
      if (const MenuNode* found = FindParent(n.children, &n, id)) return found;
  }
  return nullptr;
}

}  // namespace

const std::vector<MenuNode>& MainMenuTree() {
  static const std::vector<MenuNode> tree = BuildTree();
  return tree;
}

const std::vector<MenuNode>& CommandsWithoutItem() {
  static const std::vector<MenuNode> commands = BuildUnlisted();
  return commands;
}

std::vector<const MenuNode*> MenuItems() {
  std::vector<const MenuNode*> out;
  Collect(MainMenuTree(), out);
  return out;
}

const MenuNode* FindMenuItem(int id) {
  for (const MenuNode* n : MenuItems())
    if (n->id == id) return n;
  return nullptr;
}

const MenuNode* FindMenuCommand(int id) {
  if (const MenuNode* n = FindMenuItem(id)) return n;
  for (const MenuNode& n : CommandsWithoutItem())
    if (n.id == id) return &n;
  return nullptr;
}

const MenuNode* SubmenuOf(int id) { return FindParent(MainMenuTree(), nullptr, id); }

bool MenuItemEnabled(const Program& p, int id) {
  const MenuNode* n = FindMenuCommand(id);
  return n && (!n->enabled || n->enabled(p));
}

bool MenuItemChecked(const Program& p, int id) {
  const MenuNode* n = FindMenuCommand(id);
  return n && n->checked && n->checked(p);
}

}  // namespace app
