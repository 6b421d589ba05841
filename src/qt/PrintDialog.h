// The print dialogs: `TTiskDialog` (the print record of one graph) and
// `TPRTDialog` (which graph windows a multiple print takes).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "store/SettingsBlocks.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace state {
struct Program;
}

namespace qt {

class PrintSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits `record` in place when "Tisk" is pressed (Requested = 1).
  PrintSettingsDialog(state::Program& p, store::Prt_s& record, const QString& title,
                      QWidget* parent = nullptr);

 private:
  void Show(const store::Prt_s& r);  // the record into the fields
  void Take(store::Prt_s& r) const;  // the fields into the record
  void UpdatePreview();              // `PisText`
  void ChooseText();
  void EditText();

  state::Program& p_;
  store::Prt_s& record_;
  QSpinBox *width_, *height_, *x_, *y_, *textX_, *textY_, *scaleH_, *scaleW_, *textH_, *textW_;
  QCheckBox *colour_, *text1_, *text2_, *fromSize_;
  QLineEdit* textFile_;
  QLabel* preview_;
};

class MultiPrintDialog : public QDialog {
  Q_OBJECT

 public:
  // `chosen` lists W 1..128 then M 1..128; only open windows are offered.
  MultiPrintDialog(state::Program& p, std::vector<bool>& chosen, QWidget* parent = nullptr);
};

// The print jobs, the print dialog of the graph windows' `Printer` is
// installed with the other graph dialogs; these are the main window's.
void InstallPrintDialogs(state::Program& p, QWidget* parent);

}  // namespace qt
