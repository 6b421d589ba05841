#include "qt/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "app/MenuTable.h"
#include "state/Program.h"

namespace qt {
namespace {

struct Builder {
  QMenuBar* bar;
  state::Program& p;
  std::function<void(int)> onCommand;

  void Configure(QAction* a, const app::MenuNode& n) {
    a->setData(n.id);
    a->setObjectName(QStringLiteral("id%1").arg(n.id));
    a->setEnabled(app::MenuItemEnabled(p, n.id));
    a->setCheckable(n.checked != nullptr);
    QMenuBar* menuBar = bar;
    state::Program* prog = &p;
    std::function<void(int)> command = onCommand;
    const int id = n.id;
    QObject::connect(a, &QAction::triggered, menuBar, [menuBar, prog, command, id] {
      prog->MenuPopup = 0;
      if (command) command(id);
      UpdateMainMenu(menuBar, *prog);
      const int popup = prog->MenuPopup;
      prog->MenuPopup = 0;
      if (!popup) return;
      // Opened once the chosen menu has closed.
      QPointer<QMenuBar> guard(menuBar);
      QTimer::singleShot(0, menuBar, [guard, popup] {
        if (!guard) return;
        const app::MenuNode* sub = app::SubmenuOf(popup);
        if (!sub) return;
        for (QMenu* m : guard->findChildren<QMenu*>()) {
          if (m->title() != QString::fromStdString(sub->label)) continue;
          QWidget* anchor = guard->parentWidget() ? guard->parentWidget() : guard.data();
          m->popup(anchor->mapToGlobal(QPoint(50, 38)));
          return;
        }
      });
    });
  }

  void Fill(QMenu* menu, const std::vector<app::MenuNode>& nodes) {
    for (const app::MenuNode& n : nodes) {
      switch (n.kind) {
        case app::MenuKind::Item:
          Configure(menu->addAction(QString::fromStdString(n.label)), n);
          break;
        case app::MenuKind::Separator:
          menu->addSeparator();
          break;
        case app::MenuKind::Label:
          menu->addAction(QString::fromStdString(n.label))->setEnabled(false);
          break;
        case app::MenuKind::Submenu:
          Fill(menu->addMenu(QString::fromStdString(n.label)), n.children);
          break;
      }
    }
  }
};

}  // namespace

QMenuBar* BuildMainMenu(QWidget* parent, state::Program& p, std::function<void(int id)> onCommand) {
  auto* bar = new QMenuBar(parent);
  bar->setObjectName(QStringLiteral("B_MENU"));
  // The main window is only as wide as its panel; with the style's wide
  // item margins the last menu would hide behind the extension button.
  bar->setStyleSheet(QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 4px; }"));
  Builder b{bar, p, std::move(onCommand)};
  for (const app::MenuNode& n : app::MainMenuTree()) {
    if (n.kind == app::MenuKind::Item) {
      b.Configure(bar->addAction(QString::fromStdString(n.label)), n);
    } else if (n.kind == app::MenuKind::Submenu) {
      QMenu* menu = bar->addMenu(QString::fromStdString(n.label));
      b.Fill(menu, n.children);
      const state::Program* prog = &p;
      QObject::connect(menu, &QMenu::aboutToShow, bar, [bar, prog] { UpdateMainMenu(bar, *prog); });
    }
  }
  UpdateMainMenu(bar, p);
  return bar;
}

void UpdateMainMenu(QMenuBar* bar, const state::Program& p) {
  if (!bar) return;
  for (QAction* a : bar->findChildren<QAction*>()) {
    const int id = a->data().toInt();
    if (id <= 0) continue;
    const app::MenuNode* n = app::FindMenuItem(id);
    if (!n) continue;
    a->setEnabled(app::MenuItemEnabled(p, id));
    if (n->checked) a->setChecked(app::MenuItemChecked(p, id));
  }
}

}  // namespace qt
