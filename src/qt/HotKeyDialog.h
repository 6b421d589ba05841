// The hot-key dialog of the graph windows (`THotKey_Dialog`), modeless:
// each button presses a graph key in the window of the chosen channel of
// the chosen store, optionally closing the dialog first.
// Object names: "key_<code>" (the hot-key codes of state/UserMessages.h),
// "channel" (1-based), "storeW", "storeM", "closeAfter", "close".
#pragma once

#include <QDialog>

#include "store/Records.h"
#include "store/Store.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace state {
struct Program;
}

namespace qt {

class HotKeyDialog : public QDialog {
  Q_OBJECT

 public:
  HotKeyDialog(state::Program& p, store::Store store, QWidget* parent);
  // Opened again: the store asked for now, the channel as kept.
  void Reopen(store::Store store);

 private:
  void Press(int code);

  state::Program& p_;
  QSpinBox* channel_ = nullptr;
  QRadioButton* storeW_ = nullptr;
  QRadioButton* storeM_ = nullptr;
  QCheckBox* closeAfter_ = nullptr;
};

// Puts the dialog into the program's hook; one dialog serves every request.
void InstallHotKeyDialog(state::Program& p, QWidget* parent);

}  // namespace qt
