// The function pages' dialog (`TFun_Dialog`): five pages, one per `Fun`
// record that FUN 1 … 5 runs. Each page edits the function code (its
// operation named beside it), the channel, the band and N.
// Object names: "pages" (the tab widget), per page n = 1 … 5 "code_n",
// "channel_n", "n_n" (spin boxes), "centre_n", "halfWidth_n" (double spin
// boxes), "operation_n" (label); the buttons "ok" and "cancel".
#pragma once

#include <QDialog>

#include "files/FunctionFile.h"

class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTabWidget;

namespace state {
struct Program;
}

namespace qt {

class FunctionDialog : public QDialog {
  Q_OBJECT

 public:
  FunctionDialog(state::Program& p, QWidget* parent);

 private:
  struct PageEdit {
    QSpinBox* code = nullptr;
    QLabel* operation = nullptr;
    QSpinBox* channel = nullptr;
    QDoubleSpinBox* centre = nullptr;
    QDoubleSpinBox* halfWidth = nullptr;
    QSpinBox* n = nullptr;
  };

  QWidget* Page(int page);
  void ShowOperation(int page);
  void Ok();

  state::Program& p_;
  QTabWidget* pages_ = nullptr;
  PageEdit edits_[files::kFunctionPages];
};

}  // namespace qt
