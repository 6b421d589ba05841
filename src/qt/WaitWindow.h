// The wait window (`TWait`): a caption-less 479 × 65 window at the top left
// with a progress bar. User message kWaitProgress (argument: percent) shows general
// text 437 formatted with the percentage followed by the window's text, and
// "%02d%" beside the bar; kWaitClose closes it. It draws at once, since it is
// updated from inside long loops that do not return to the event loop.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "state/UserMessages.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qt {

class WaitWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPercent = state::kWaitProgress;
  static constexpr int kClose = state::kWaitClose;

  // `percentFormat` is general text 437; the bar is hidden until a percentage arrives.
  WaitWindow(QWidget* parent, const std::string& percentFormat, const QString& text);

  void SetText(const QString& text);
  // Messages that arrive while one is being handled are ignored.
  void UserMessage(int code, int arg);

  QString Line() const;     // the text line as shown
  QString Percent() const;  // the percentage beside the bar
  bool BarShown() const;
  // Pressed during a long operation, it stops it as Esc does.
  QWidget* StopButton() const;

 private:
  void ShowPercent(int percent);

  std::string format_;
  QString text_;
  QLabel* line_ = nullptr;
  QLabel* percent_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* stop_ = nullptr;
  bool handling_ = false;
};

}  // namespace qt
