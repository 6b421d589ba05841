#include "qt/CommentWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <cstdint>

namespace qt {
namespace {

QPushButton* Button(QWidget* parent, const QString& label, const char* name, int x) {
  auto* b = new QPushButton(label, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(x, 147, 100, 28);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CommentWindow::CommentWindow(QWidget* parent, const QString& text, const QString& title,
                             const QString& initText, const CommentLabels& labels)
    : QDialog(parent) {
  setWindowTitle(title);
  setFixedSize(447, 183);
  move(150, 300);

  field_ = new QPlainTextEdit(this);
  field_->setObjectName(QStringLiteral("690"));
  field_->setGeometry(8, 8, 431, 131);
  field_->setPlainText(Cut(text, kMaxField, INT32_MAX));
  connect(field_, &QPlainTextEdit::textChanged, this, [this] {
    const QString all = field_->toPlainText();
    if (all.size() <= kMaxField) return;
    // Typing or pasting past the limit: keep the first kMaxField characters.
    const QSignalBlocker block(field_);
    field_->setPlainText(Cut(all, kMaxField, INT32_MAX));
    field_->moveCursor(QTextCursor::End);
  });

  QPushButton* ok = Button(this, labels.ok, "ok", 8);
  QPushButton* init = Button(this, labels.init, "init", 173);
  QPushButton* cancel = Button(this, labels.cancel, "cancel", 339);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(init, &QPushButton::clicked, this, [this, initText] { field_->setPlainText(initText); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CommentWindow::Comment() const { return Cut(field_->toPlainText(), kMaxComment, kMaxComment); }

QString CommentWindow::Cut(const QString& text, int maxChars, int maxBytes) {
  QString out;
  int chars = 0, bytes = 0;
  for (int i = 0; i < text.size() && chars < maxChars; ++chars) {
    const int units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const char32_t c = units == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
    const int size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (bytes + size > maxBytes) break;
    bytes += size;
    out += text.mid(i, units);
    i += units;
  }
  return out;
}

}  // namespace qt
