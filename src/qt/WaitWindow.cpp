#include "qt/WaitWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

#include "state/GeneralTexts.h"

namespace qt {

WaitWindow::WaitWindow(QWidget* parent, const std::string& percentFormat, const QString& text)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      format_(percentFormat),
      text_(text) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(479, 65);
  move(0, 0);
  setAutoFillBackground(true);

  line_ = new QLabel(text, this);
  line_->setObjectName(QStringLiteral("line"));
  line_->setGeometry(8, 6, 463, 22);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("bar"));
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->setGeometry(8, 34, 346, 20);
  bar_->hide();
  percent_ = new QLabel(this);
  percent_->setObjectName(QStringLiteral("percent"));
  percent_->setGeometry(362, 34, 45, 20);
  // The gate of the Ui that runs the operation sees the press; the button
  // itself never gets it while the operation runs.
  stop_ = new QPushButton(QStringLiteral("STOP"), this);
  stop_->setObjectName(QStringLiteral("stop"));
  stop_->setFocusPolicy(Qt::NoFocus);
  stop_->setGeometry(413, 32, 58, 24);
}

void WaitWindow::SetText(const QString& text) {
  text_ = text;
  line_->setText(text);
  bar_->hide();
  percent_->clear();
  if (isVisible()) repaint();
}

void WaitWindow::UserMessage(int code, int arg) {
  if (handling_) return;
  handling_ = true;
  if (code == kPercent) ShowPercent(arg);
  if (code == kClose) close();
  handling_ = false;
}

void WaitWindow::ShowPercent(int percent) {
  if (percent < 0) {
    bar_->hide();
    percent_->clear();
    line_->setText(text_);
  } else {
    percent = std::min(percent, 100);
    const state::TextArg arg(percent);
    line_->setText(QString::fromStdString(state::SafeFormat(format_, {&arg, 1})) + text_);
    char beside[16];
    std::snprintf(beside, sizeof beside, "%02d%%", percent);
    percent_->setText(QString::fromLatin1(beside));
    bar_->setValue(percent);
    bar_->show();
  }
  if (isVisible()) repaint();
}

QString WaitWindow::Line() const { return line_->text(); }
QString WaitWindow::Percent() const { return percent_->text(); }
bool WaitWindow::BarShown() const { return !bar_->isHidden(); }
QWidget* WaitWindow::StopButton() const { return stop_; }

}  // namespace qt
