// The tooltip window of the main panel (`TShortMessWindow`): a small
// caption-less window with one text near the pointer. The main window sends
// it user message kTooltipClose when the left mouse button is released; it then closes.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include "state/UserMessages.h"

class QLabel;

namespace qt {

class TooltipWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClose = state::kTooltipClose;

  explicit TooltipWindow(QWidget* parent = nullptr);

  // Shows `text` just below and right of `globalPos`, kept on the screen;
  // a text already shown is replaced.
  void ShowText(const QString& text, QPoint globalPos);
  void UserMessage(int code);
  QString Text() const;

 private:
  QLabel* label_ = nullptr;
};

}  // namespace qt
