// The mathematics dialog (`TArit_Dialog`) on screen: its function generator
// page over daq::GeneratorPage. The page's picture shows channels 1 and 2 of
// the generator's store and what the last conversion gave.
// Object names: "store", "outputs" (lists), "cyclic", "synchro" (check
// boxes), "restA", "restB", per channel c = 1, 2 "shape_c", "combine_c"
// (lists), "levelA_c", "levelB_c", "period_c", "duty_c", "phase_c" (fields)
// and "draw_c"; the buttons "samplePeriod", "length", "convertA", "convertB",
// "start", "stop", "ok", "cancel"; the picture "preview" and its caption
// "status".
#pragma once

#include <QDialog>
#include <vector>

#include "daq/GeneratorPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace state {
struct Program;
}

namespace qt {

class AritDialog : public QDialog {
  Q_OBJECT

 public:
  AritDialog(state::Program& p, QWidget* parent);

  const daq::GeneratorPage& Page() const { return page_; }

 private:
  QWidget* ShapeBox(int channel);
  QLineEdit* Field(QWidget* parent, daq::GenField f, int channel, const QString& name);
  void ShowFields();
  void ShowResult();

  struct FieldEdit {
    QLineEdit* edit;
    daq::GenField field;
    int channel;
  };

  state::Program& p_;
  daq::GeneratorPage page_;
  std::vector<FieldEdit> fields_;
  QComboBox* store_ = nullptr;
  QComboBox* outputs_ = nullptr;
  QCheckBox* cyclic_ = nullptr;
  QCheckBox* synchro_ = nullptr;
  QComboBox* shape_[2] = {};
  QComboBox* combine_[2] = {};
  QWidget* preview_ = nullptr;
  QLabel* status_ = nullptr;
  bool showing_ = false;
};

// Puts the dialog into the program's hook (`Program::AritDialog`), run
// modally over `parent`.
void InstallAritDialog(state::Program& p, QWidget* parent);

}  // namespace qt
