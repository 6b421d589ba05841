#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <map>
#include <vector>

#include "app/MenuTable.h"
#include "qt/MainMenu.h"
#include "support/TestSupport.h"

namespace {

struct MainMenuTest : ::testing::Test {
  testing_support::TestEnv env{1024, false};
  QWidget window;
  std::vector<int> chosen;
  QMenuBar* bar = qt::BuildMainMenu(&window, env.prog, [this](int id) {
    chosen.push_back(id);
    if (id == 244) env.prog.MenuPopup = app::kFontSubmenu;
  });

  QAction* Action(int id) const { return bar->findChild<QAction*>(QStringLiteral("id%1").arg(id)); }
};

TEST_F(MainMenuTest, ActionsCarryTheTableIdsLabelsAndGreying) {
  std::map<int, QAction*> actions;
  for (QAction* a : bar->findChildren<QAction*>()) {
    const int id = a->data().toInt();
    if (id <= 0) continue;
    EXPECT_TRUE(actions.emplace(id, a).second) << "duplicate " << id;
    EXPECT_EQ(a->objectName(), QStringLiteral("id%1").arg(id));
  }
  const std::vector<const app::MenuNode*> items = app::MenuItems();
  ASSERT_EQ(actions.size(), items.size());
  for (const app::MenuNode* n : items) {
    QAction* a = actions[n->id];
    ASSERT_NE(a, nullptr) << n->id;
    EXPECT_EQ(a->text().toStdString(), n->label);
    EXPECT_EQ(a->isEnabled(), app::MenuItemEnabled(env.prog, n->id)) << n->id;
    EXPECT_EQ(a->isCheckable(), n->checked != nullptr) << n->id;
  }
  // The top level holds the menus and the items of the tree, in its order.
  const auto& tree = app::MainMenuTree();
  ASSERT_EQ(size_t(bar->actions().size()), tree.size());
  EXPECT_EQ(bar->actions().back()->text().toStdString(), tree.back().label);
}

TEST_F(MainMenuTest, CheckMarksFollowTheSettingsAndItemsReportTheirIds) {
  for (int sim : {1, 0}) {
    env.prog.DG.Simulation = sim;
    env.prog.DG.FixedScaleFont = 1 - sim;
    qt::UpdateMainMenu(bar, env.prog);
    EXPECT_EQ(Action(211)->isChecked(), sim == 1);
    EXPECT_EQ(Action(244)->isChecked(), sim == 0);
  }

  Action(150)->trigger();
  Action(197)->trigger();
  EXPECT_EQ(chosen, (std::vector<int>{150, 197}));
  // A greyed item cannot be chosen.
  Action(318)->trigger();
  EXPECT_EQ(chosen.size(), 2u);
}

TEST_F(MainMenuTest, ACommandThatAsksForItsSubmenuOpensItAgain) {
  window.show();
  Action(244)->trigger();
  EXPECT_EQ(env.prog.MenuPopup, 0);
  QApplication::processEvents();
  const app::MenuNode* font = app::SubmenuOf(app::kFontSubmenu);
  ASSERT_NE(font, nullptr);
  QMenu* shown = nullptr;
  for (QMenu* m : bar->findChildren<QMenu*>())
    if (m->title().toStdString() == font->label) shown = m;
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  shown->close();
}

}  // namespace
