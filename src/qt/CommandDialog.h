// The command dialog (`TCommandDialog`): a letter typed in the main window
// opens it with that letter in the line; the list of the command keywords
// helps to complete it. The main window runs the line on OK.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace state {
struct Program;
}

namespace qt {

class CommandDialog : public QDialog {
  Q_OBJECT

 public:
  // The line holds what fits the command buffer (59 characters).
  static constexpr int kMaxLine = 59;

  CommandDialog(const state::Program& p, int firstKey, QWidget* parent = nullptr);

  QString Line() const;
  QLineEdit* LineEdit() const { return line_; }
  QListWidget* Keywords() const { return list_; }

 private:
  void Choose(QListWidgetItem* item);
  void ShowMatching(const QString& text);

  QLineEdit* line_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace qt
