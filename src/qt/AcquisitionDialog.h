// The acquisition settings dialog (`TTarvelinDialog`) on screen: the edit
// fields of daq::AcquisitionForm with their label buttons (prompts), "*" and
// "/" beside the sizes, the derived values, and "&OK", "&Init.", "&Zruš".
// Object names: each field by its record field ("MLength", "WPeriod", ...),
// its label button "prompt_<field>", the size buttons "double_MLength",
// "halve_MLength", "double_WLength", "halve_WLength", the derived values
// "derived", the buttons "ok", "init", "cancel".
#pragma once

#include <QDialog>
#include <QString>
#include <map>

#include "daq/AcquisitionForm.h"

class QLabel;
class QLineEdit;

namespace state {
struct Program;
}

namespace qt {

class AcquisitionDialog : public QDialog {
  Q_OBJECT

 public:
  // The title is "AS dialog - nastavení měření " unless the caller gives
  // another (the channel dialog opens it under general text 73).
  AcquisitionDialog(state::Program& p, QWidget* parent, const QString& title = QString());

  const daq::AcquisitionForm& Form() const { return form_; }

 private:
  QWidget* FieldRow(daq::AcqField f);
  void ShowFields();
  void ShowDerived();
  void Ok();

  state::Program& p_;
  daq::AcquisitionForm form_;
  std::map<daq::AcqField, QLineEdit*> edits_;
  QLabel* derived_ = nullptr;
  bool showing_ = false;
};

}  // namespace qt
