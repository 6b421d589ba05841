// The main window's menu bar, built from the menu table. Each item's QAction
// carries its command ID (QAction::data) and the object name "id<N>".
#pragma once

#include <functional>

class QMenuBar;
class QWidget;

namespace state {
struct Program;
}

namespace qt {

// Builds the menu bar of `parent`. Choosing an item calls onCommand(id),
// which is to run app::MenuCommand before it returns; a submenu the command
// asks for (`MenuPopup`, an item of it) then opens again at (50, 38) of the
// parent. The program must outlive the menu bar.
QMenuBar* BuildMainMenu(QWidget* parent, state::Program& p, std::function<void(int id)> onCommand);

// The items' enabled and checked rules of the table for the program's state;
// also done before each menu opens.
void UpdateMainMenu(QMenuBar* bar, const state::Program& p);

}  // namespace qt
