// Puts the desktop settings dialogs into the program's hooks: the
// acquisition settings (internal command 205), the channel selection (210)
// the memory dialog (MemSize) and the function pages (menu 310). Each runs
// modally over `parent`.
#pragma once

class QWidget;

namespace state {
struct Program;
}

namespace qt {

void InstallSettingsDialogs(state::Program& p, QWidget* parent);

}  // namespace qt
