// The value entry dialog (`TFN_Dialog`, `TIN_Dialog`, `TLN_Dialog` as one
// class; the kind of app::ValuePrompt is the mode). Controls carry their
// control numbers as object names: field "511", scroll bar "510", buttons
// "513" Min, "512" Max, "500" Init., "1" OK, "2" Cancel.
#pragma once

#include <QDialog>
#include <QString>

#include "app/ValuePrompt.h"

class QLineEdit;
class QScrollBar;

namespace qt {

class ValueDialog : public QDialog {
  Q_OBJECT

 public:
  // `brand` is general text 1143, drawn at the right of the title bar.
  ValueDialog(QWidget* parent, const app::ValuePrompt& prompt, const QString& title, const QString& brand);

  const app::ValuePrompt& Prompt() const { return prompt_; }
  // The clamped value OK hands over (meaningful after the dialog was accepted).
  double Result() const { return prompt_.Result(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Shows the prompt's value; the field is rewritten unless the user is typing in it.
  void Show(bool rewriteField);

  app::ValuePrompt prompt_;
  QString title_, brand_;
  QLineEdit* field_ = nullptr;
  QScrollBar* bar_ = nullptr;
  bool ready_ = false;  // clear while the dialog sets its own controls
};

}  // namespace qt
