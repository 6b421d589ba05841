#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/MenuCommands.h"
#include "app/MenuTable.h"
#include "support/TestSupport.h"

namespace {

using app::MenuNode;

// Every command of the table, shown or not.
std::vector<const MenuNode*> AllCommands() {
  std::vector<const MenuNode*> all = app::MenuItems();
  for (const MenuNode& n : app::CommandsWithoutItem()) all.push_back(&n);
  return all;
}

TEST(MenuTable, EveryCommandHasOneRowWithAHandlerAndIsFoundByItsId) {
  std::set<int> ids;
  for (const MenuNode* n : AllCommands()) {
    EXPECT_TRUE(ids.insert(n->id).second) << "duplicate ID " << n->id;
    EXPECT_NE(n->handler, nullptr) << n->id;
    EXPECT_EQ(app::FindMenuCommand(n->id), n) << n->id;
    EXPECT_TRUE(app::IsMenuCommand(n->id)) << n->id;
  }
  for (const MenuNode* n : app::MenuItems()) {
    EXPECT_FALSE(n->label.empty()) << n->id;
    // One accelerator at most, and never a dangling one.
    EXPECT_LE(std::count(n->label.begin(), n->label.end(), '&'), 1) << n->id;
    EXPECT_NE(n->label.back(), '&') << n->id;
  }
  // The commands without an item stay out of the menu bar.
  for (const MenuNode& n : app::CommandsWithoutItem()) EXPECT_EQ(app::FindMenuItem(n.id), nullptr) << n.id;
  EXPECT_EQ(app::MainMenuTree().size(), 9u);
  EXPECT_GE(app::MenuItems().size(), 100u);
  for (int id : {0, 149, 217, 999, -1}) EXPECT_FALSE(app::IsMenuCommand(id)) << id;
}

}  // namespace
