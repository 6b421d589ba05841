// The memory dialog (`TMem_Dialog`) on screen: the memory report, one field
// in units of 131072 samples, "&OK", "&Init." (1048576 samples) and "&Zruš".
// OK asks whether to end the program (state::CloseMemoryDialog); the dialog is
// accepted only on Yes. Object names: "report", "units", "ok", "init", "cancel".
#pragma once

#include <QDialog>

class QLineEdit;

namespace state {
struct Program;
}

namespace qt {

class MemoryDialogWindow : public QDialog {
  Q_OBJECT

 public:
  MemoryDialogWindow(state::Program& p, QWidget* parent);

 private:
  void Ok();

  state::Program& p_;
  QLineEdit* units_ = nullptr;
};

}  // namespace qt
