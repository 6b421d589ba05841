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

TEST(MenuTable, RulesFollowTheProgramsState) {
  testing_support::TestEnv env(1024, false);
  // Printing, the matrix display and the hot-key dialogs are not built.
  const std::set<int> greyed = {app::kMenuPrintOne, app::kMenuPrintMany, app::kMenuMatrix,
                                app::kMenuWaveHotKeys, app::kMenuMeasHotKeys};
  struct Case {
    int simulation, fixedFont;
  };
  for (const Case c : {Case{0, 0}, Case{1, 0}, Case{0, 1}, Case{1, 1}}) {
    env.prog.DG.Simulation = c.simulation;
    env.prog.DG.FixedScaleFont = c.fixedFont;
    for (const MenuNode* n : AllCommands()) {
      EXPECT_EQ(app::MenuItemEnabled(env.prog, n->id), !greyed.count(n->id)) << n->id;
      const bool checked = app::MenuItemChecked(env.prog, n->id);
      if (n->id == app::kMenuSimulation)
        EXPECT_EQ(checked, c.simulation == 1);
      else if (n->id == app::kMenuFixedScaleFont)
        EXPECT_EQ(checked, c.fixedFont == 1);
      else
        EXPECT_FALSE(checked) << n->id;
    }
  }
  EXPECT_FALSE(app::MenuItemEnabled(env.prog, 999));
}

TEST(MenuTable, SubmenusThatCommandsReopenHoldTheirItems) {
  // The limits of each store have a submenu; the font items another.
  const MenuNode* w = app::SubmenuOf(app::kLimitsSubmenu);
  const MenuNode* m = app::SubmenuOf(app::kMenuMeasLeft);
  const MenuNode* font = app::SubmenuOf(app::kFontSubmenu);
  ASSERT_TRUE(w && m && font);
  EXPECT_NE(m, w);
  for (int id : {261, 262, 263, 264, 265, 316, 284, 397, 398}) EXPECT_EQ(app::SubmenuOf(id), w) << id;
  for (int id : {267, 268, 269, 270, 285}) EXPECT_EQ(app::SubmenuOf(id), m) << id;
  for (int id : {241, 243, 244, 245, 246}) EXPECT_EQ(app::SubmenuOf(id), font) << id;
  EXPECT_EQ(app::SubmenuOf(app::kMenuQW), nullptr);  // a top-level item
}

}  // namespace
