#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/MenuTable.h"
#include "support/TestSupport.h"

namespace {

using app::MenuItems;
using app::MenuKind;
using app::MenuNode;

// Every command reachable from the menu bar: macros, hot keys and the Qt
// menu bar reach them by these IDs.
const std::set<int> kItemIds = {
    150, 312, 366, 365, 374, 391, 271, 395, 399, 151, 152, 153, 166, 167, 174, 318, 320, 279, 155, 156,
    222, 172, 171, 169, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 316, 284, 285, 397, 398, 294,
    302, 260, 306, 319, 241, 211, 159, 161, 160, 175, 176, 280, 281, 177, 178, 181, 182, 185, 184, 179,
    180, 401, 402, 403, 404, 405, 406, 411, 412, 386, 287, 293, 290, 291, 314, 315, 288, 289, 292, 414,
    396, 310, 197, 198, 307, 308, 309, 154, 311, 394, 300, 157, 223, 173, 170, 168, 186, 187, 282, 283,
    188, 189, 192, 193, 196, 195, 190, 191, 242, 243, 244, 245, 246, 392, 393};

TEST(MenuTable, EachCommandHasOneLabelledItemAndInternalCommandsNone) {
  std::set<int> ids;
  for (const MenuNode* n : MenuItems()) {
    EXPECT_TRUE(ids.insert(n->id).second) << "duplicate ID " << n->id;
    EXPECT_FALSE(n->label.empty()) << n->id;
    // One accelerator at most, and never a dangling one.
    EXPECT_LE(std::count(n->label.begin(), n->label.end(), '&'), 1) << n->id;
    EXPECT_NE(n->label.back(), '&') << n->id;
    EXPECT_EQ(app::FindMenuItem(n->id), n);
  }
  EXPECT_EQ(ids, kItemIds);
  for (int id : {164, 165, 278, 212, 158, 390, 272, 301, 273, 274, 297, 295,
                 296, 276, 298, 299, 277, 303, 304, 305, 200, 203, 215})
    EXPECT_EQ(app::FindMenuItem(id), nullptr) << id;
}

TEST(MenuTable, GreyedItemsAreExactlyTheOperationsNotBuiltAndTwoItemsCarryCheckMarks) {
  std::set<int> greyed, checkable;
  for (const MenuNode* n : MenuItems()) {
    if (n->greyed) greyed.insert(n->id);
    if (n->checkable) checkable.insert(n->id);
  }
  // Printing, the matrix display and the hot-key dialogs.
  EXPECT_EQ(greyed, (std::set<int>{318, 320, 319, 171, 170}));
  EXPECT_EQ(checkable, (std::set<int>{211, 244}));

  testing_support::TestEnv env(1024, false);
  for (int sim : {0, 1}) {
    env.prog.DG.Simulation = sim;
    env.prog.DG.FixedScaleFont = 1 - sim;
    EXPECT_EQ(app::MenuItemChecked(env.prog, 211), sim == 1);
    EXPECT_EQ(app::MenuItemChecked(env.prog, 244), sim == 0);
    EXPECT_FALSE(app::MenuItemChecked(env.prog, 150));
  }
}

TEST(MenuTable, SubmenusThatCommandsReopenHoldTheirItems) {
  EXPECT_EQ(app::MainMenuTree().size(), 9u);
  // The limits of each store share one submenu; the font items another.
  const MenuNode* w = app::SubmenuOf(app::kLimitsSubmenu);
  const MenuNode* m = app::SubmenuOf(266);
  const MenuNode* font = app::SubmenuOf(app::kFontSubmenu);
  ASSERT_TRUE(w && m && font);
  EXPECT_NE(m, w);
  for (int id : {261, 262, 263, 264, 265, 316, 284, 397, 398}) EXPECT_EQ(app::SubmenuOf(id), w) << id;
  for (int id : {267, 268, 269, 270, 285}) EXPECT_EQ(app::SubmenuOf(id), m) << id;
  for (int id : {241, 243, 244, 245, 246}) EXPECT_EQ(app::SubmenuOf(id), font) << id;
  EXPECT_EQ(app::SubmenuOf(197), nullptr);  // a top-level item
  bool label = false;
  for (const MenuNode& n : app::MainMenuTree()[1].children) label = label || n.kind == MenuKind::Label;
  EXPECT_TRUE(label);
}

}  // namespace
