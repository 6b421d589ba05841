#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "app/MenuTable.h"
#include "qt/MainMenu.h"
#include "support/TestSupport.h"

namespace {

struct MainMenuTest : ::testing::Test {
  testing_support::TestEnv env{1024, false};
  QWidget window;
  QMenuBar* bar = qt::BuildMainMenu(&window, env.prog, [this](int id) {
    if (id == 244) env.prog.MenuPopup = app::kFontSubmenu;
  });

  QAction* Action(int id) const { return bar->findChild<QAction*>(QStringLiteral("id%1").arg(id)); }
};

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
