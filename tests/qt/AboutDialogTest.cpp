#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "QtTestSupport.h"
#include "app/About.h"
#include "app/MenuCommands.h"
#include "app/MenuIds.h"
#include "qt/AboutDialog.h"
#include "support/TestSupport.h"

TEST(AboutDialog, HelpItemShowsTheFactsAndOkClosesIt) {
  testing_support::TestEnv env;
  qt::InstallAboutDialog(env.prog, nullptr);
  QString shown;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (auto* facts = qt_test::Child<QLabel>(w, "facts")) shown = facts->text();
    if (w) qt_test::Click(w, "ok");
  });
  QTimer::singleShot(5000, [] {  // a missed click fails the test instead of hanging it
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  app::MenuCommand(env.prog, app::kMenuAbout);
  EXPECT_EQ(shown.toStdString(), app::AboutText(env.prog));
  EXPECT_TRUE(env.ui.Log().empty());
}
