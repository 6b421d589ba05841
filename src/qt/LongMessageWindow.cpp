#include "qt/LongMessageWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

#include "qt/CommentWindow.h"

namespace qt {

LongMessageWindow::LongMessageWindow(QWidget* parent, const QString& text, const QString& title,
                                     const QString& closeLabel)
    : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  setFixedSize(610, 460);
  move(10, 10);

  auto* field = new QPlainTextEdit(this);
  field->setObjectName(QStringLiteral("690"));
  field->setReadOnly(true);
  field->setGeometry(8, 8, 594, 406);
  field->setPlainText(CommentWindow::Cut(text, kMaxChars, INT32_MAX));

  auto* close = new QPushButton(closeLabel, this);
  close->setObjectName(QStringLiteral("close"));
  close->setGeometry(255, 424, 100, 28);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QString LongMessageWindow::Text() const {
  return findChild<QPlainTextEdit*>(QStringLiteral("690"))->toPlainText();
}

}  // namespace qt
