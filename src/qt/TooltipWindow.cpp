#include "qt/TooltipWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <algorithm>

namespace qt {

TooltipWindow::TooltipWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(255, 255, 225));
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);

  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("text"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(label_);
}

void TooltipWindow::ShowText(const QString& text, QPoint globalPos) {
  label_->setText(text);
  adjustSize();
  QPoint at = globalPos + QPoint(12, 18);
  if (QScreen* screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
    if (at.y() + height() > area.bottom()) at.setY(globalPos.y() - height() - 4);
    at.setY(std::max(area.top(), at.y()));
  }
  move(at);
  show();
  raise();
}

void TooltipWindow::UserMessage(int code) {
  if (code == kClose) hide();
}

QString TooltipWindow::Text() const { return label_->text(); }

}  // namespace qt
