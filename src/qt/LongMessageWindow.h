// The long-message window (`TLongMessWindow`): a read-only text of up to
// kMaxChars characters and a close button. It is a window, not a dialog:
// the program goes on while it is open, and it deletes itself when closed.
#pragma once

#include <QString>
#include <QWidget>

namespace qt {

class LongMessageWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxChars = 2000;

  LongMessageWindow(QWidget* parent, const QString& text, const QString& title, const QString& closeLabel);
  QString Text() const;
};

}  // namespace qt
