// The about box: the facts of app::AboutText in a modal dialog.
// Object names: "facts" (the label), "ok".
#pragma once

#include <QDialog>

namespace state {
struct Program;
}

namespace qt {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(const state::Program& p, QWidget* parent);
};

// Puts the dialog into the program's hook (help menu); each request opens a new one.
void InstallAboutDialog(state::Program& p, QWidget* parent);

}  // namespace qt
