#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/MenuTable.h"

namespace {

using app::MenuNode;

TEST(MenuTable, EachCommandHasOneLabelledItemFoundByItsId) {
  std::set<int> ids;
  for (const MenuNode* n : app::MenuItems()) {
    EXPECT_TRUE(ids.insert(n->id).second) << "duplicate ID " << n->id;
    // One accelerator at most, and never a dangling one.
    ASSERT_FALSE(n->label.empty()) << n->id;
    EXPECT_LE(std::count(n->label.begin(), n->label.end(), '&'), 1) << n->id;
    EXPECT_NE(n->label.back(), '&') << n->id;
    EXPECT_EQ(app::FindMenuItem(n->id), n);
  }
  // Internal commands (the panel's) have no item.
  for (int id : {200, 203, 215}) EXPECT_EQ(app::FindMenuItem(id), nullptr) << id;
}

TEST(MenuTable, SubmenusThatCommandsReopenHoldTheirItems) {
  // The limits of each store have their own submenu; the font items another.
  const MenuNode* w = app::SubmenuOf(app::kLimitsSubmenu);
  const MenuNode* m = app::SubmenuOf(266);
  const MenuNode* font = app::SubmenuOf(app::kFontSubmenu);
  ASSERT_TRUE(w && m && font);
  EXPECT_NE(m, w);
  for (int id : {261, 316, 284, 398}) EXPECT_EQ(app::SubmenuOf(id), w) << id;
  EXPECT_EQ(app::SubmenuOf(285), m);
  EXPECT_EQ(app::SubmenuOf(246), font);
  EXPECT_EQ(app::SubmenuOf(197), nullptr);  // a top-level item
}

}  // namespace
