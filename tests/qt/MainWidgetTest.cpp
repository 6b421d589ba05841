#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include "app/MenuTable.h"
#include "app/Startup.h"
#include "macro/CommandTable.h"
#include "qt/CommandDialog.h"
#include "qt/MainMenu.h"
#include "qt/MainWidget.h"
#include "qt/TooltipWindow.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

struct MainWidgetTest : ::testing::Test {
  testing_support::TestEnv env{8192};
  state::Program& p = env.prog;
  std::unique_ptr<qt::MainWidget> window;
  int closedCalls = 0;

  void SetUp() override {
    app::OwlMain(p, {});
    Open();
  }
  void Open() {
    window = std::make_unique<qt::MainWidget>(p);
    window->SetClosedHandler([this] { ++closedCalls; });
    env.windows.SetMainHandler([this](int code, int arg) { window->Logic().WMUserMessage(code, arg); });
  }
  // Start-up and the first tick, as the desktop runner does them.
  void Start() {
    ASSERT_TRUE(window->Start());
    window->Logic().Timer();
    env.windows.DeliverPending();
    env.ui.ClearLog();
  }
  void Tick() {
    env.windows.DeliverPending();
    window->Logic().Timer();
  }
  void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(window.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(window.get(), &release);
  }
  void Mouse(QEvent::Type type, QPoint at) {
    QWidget* panel = window->Panel();
    QMouseEvent e(type, QPointF(at), QPointF(panel->mapToGlobal(at)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &e);
  }
  QRgb PixelAt(int x, int y) { return window->Image().pixel(x, y) & 0xFFFFFF; }
};

TEST_F(MainWidgetTest, StoredPositionIsKeptWhenVisibleAndMovedOnScreenOtherwise) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QRect area = screen->availableGeometry();
  p.DG.MainX = area.left() + 30;
  p.DG.MainY = area.top() + 40;
  Open();
  EXPECT_EQ(window->pos(), QPoint(area.left() + 30, area.top() + 40));
  int x = 0, y = 0;
  window->Position(x, y);
  EXPECT_EQ(QPoint(x, y), window->pos()) << "the exit stores what it was placed at";

  for (auto [bx, by] : {std::pair{-50000, 10}, {10, 2000000000}, {INT32_MIN, INT32_MAX}}) {
    p.DG.MainX = bx;
    p.DG.MainY = by;
    Open();
    EXPECT_TRUE(area.contains(window->pos())) << bx << "," << by;
  }
}

TEST_F(MainWidgetTest, PanelShowsTheCardStateOnTheImage) {
  p.DG.Simulation = 0;
  Start();
  p.BoardPresent = 0;
  p.DoPanel = 1;
  window->Logic().Timer();
  // Inside the card field, away from its text: red without a card.
  EXPECT_EQ(PixelAt(190, 93), 0xFF0000u);
  p.DG.Simulation = 1;
  p.DoPanel = 1;
  window->Logic().Timer();
  EXPECT_EQ(PixelAt(190, 93), 0xC0C0C0u);
}

TEST_F(MainWidgetTest, LetterOpensTheCommandDialogWithTheKeywordList) {
  Start();
  Key(Qt::Key_B, Qt::NoModifier, "b");
  qt::CommandDialog* dialog = window->OpenedCommandDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Line(), QStringLiteral("B"));
  ASSERT_EQ(dialog->Keywords()->count(), int(macro::kCommandCount));
  EXPECT_TRUE(dialog->Keywords()->currentItem()->text().startsWith('B')) << "the list follows the letter";
  EXPECT_EQ(window->Logic().InKeyDown, 1) << "down until the dialog closes";

  // Choosing a keyword fills the line; OK runs it.
  QList<QListWidgetItem*> found = dialog->Keywords()->findItems("BEEPON", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  emit dialog->Keywords()->itemClicked(found[0]);
  EXPECT_EQ(dialog->Line(), QStringLiteral("BEEPON"));
  p.PG.Sound = 0;
  dialog->accept();
  QApplication::processEvents();
  EXPECT_EQ(p.PG.Sound, 1);
  EXPECT_EQ(window->OpenedCommandDialog(), nullptr);
  EXPECT_EQ(window->Logic().InKeyDown, 0);

  // Cancel runs nothing; a letter with Ctrl opens nothing.
  Tick();
  Key(Qt::Key_B, Qt::NoModifier, "b");
  ASSERT_NE(window->OpenedCommandDialog(), nullptr);
  window->OpenedCommandDialog()->LineEdit()->setText("BEEPOFF");
  window->OpenedCommandDialog()->reject();
  QApplication::processEvents();
  EXPECT_EQ(p.PG.Sound, 1);
  Tick();
  Key(Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(window->OpenedCommandDialog(), nullptr);
}

TEST_F(MainWidgetTest, PanelButtonShowsItsTooltipAndActsOnRelease) {
  Start();
  const bool open = state::AnyWindowOpen(p, store::Store::M);
  Mouse(QEvent::MouseButtonPress, QPoint(95, 15));  // the M windows button
  ASSERT_NE(window->Tooltip(), nullptr);
  EXPECT_TRUE(window->Tooltip()->isVisible());
  EXPECT_EQ(state::AnyWindowOpen(p, store::Store::M), open) << "nothing happens before the release";
  Mouse(QEvent::MouseButtonRelease, QPoint(95, 15));
  EXPECT_FALSE(window->Tooltip()->isVisible()) << "the release closes the tooltip";
  EXPECT_NE(state::AnyWindowOpen(p, store::Store::M), open);
  // Releasing off every button does nothing.
  Mouse(QEvent::MouseButtonPress, QPoint(95, 15));
  Mouse(QEvent::MouseButtonRelease, QPoint(200, 200));
  EXPECT_NE(state::AnyWindowOpen(p, store::Store::M), open);
  // Moving over the panel replaces the tooltip region by region.
  Mouse(QEvent::MouseMove, QPoint(30, 15));
  const QString exit = window->Tooltip()->Text();
  Mouse(QEvent::MouseMove, QPoint(457, 12));
  EXPECT_NE(window->Tooltip()->Text(), exit);
  Mouse(QEvent::MouseMove, QPoint(200, 200));
  EXPECT_FALSE(window->Tooltip()->isVisible());
}

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
