#include "qt/ValueDialog.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "app/ValueDialogPainting.h"
#include "qt/QtCanvas.h"

namespace qt {
namespace {

constexpr int kWidth = 400, kHeight = 152;

QPushButton* Button(QWidget* parent, const char* label, const char* control, int x) {
  auto* b = new QPushButton(QString::fromUtf8(label), parent);
  b->setObjectName(QString::fromLatin1(control));
  b->setGeometry(x, 118, 72, 26);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ValueDialog::ValueDialog(QWidget* parent, const app::ValuePrompt& prompt, const QString& title,
                         const QString& brand)
    : QDialog(parent), prompt_(prompt), title_(title), brand_(brand) {
  setWindowTitle(title);
  setFixedSize(kWidth, kHeight);

  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("511"));
  field_->setMaxLength(app::ValuePrompt::kMaxChars);
  field_->setGeometry(8, 32, 122, 26);

  bar_ = new QScrollBar(Qt::Horizontal, this);
  bar_->setObjectName(QStringLiteral("510"));
  bar_->setRange(prompt_.ScrollMin(), prompt_.ScrollMax());
  bar_->setGeometry(8, 90, kWidth - 16, 18);

  QPushButton* min = Button(this, "&Min", "513", 8);
  QPushButton* max = Button(this, "Ma&x", "512", 86);
  QPushButton* init = Button(this, "&Init.", "500", 164);
  QPushButton* ok = Button(this, "&OK", "1", 242);
  QPushButton* cancel = Button(this, "&Zruš", "2", 320);
  ok->setDefault(true);

  connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!ready_) return;
    // A text that is no number keeps the last good value.
    if (prompt_.SetText(text.toStdString())) Show(false);
  });
  connect(bar_, &QScrollBar::valueChanged, this, [this](int position) {
    if (!ready_) return;
    prompt_.SetPosition(position);
    Show(true);
  });
  connect(min, &QPushButton::clicked, this, [this] {
    prompt_.ToMin();
    Show(true);
  });
  connect(max, &QPushButton::clicked, this, [this] {
    prompt_.ToMax();
    Show(true);
  });
  connect(init, &QPushButton::clicked, this, [this] {
    prompt_.ToInitial();
    Show(true);
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  Show(true);
  field_->selectAll();
  field_->setFocus();
}

void ValueDialog::Show(bool rewriteField) {
  ready_ = false;
  if (rewriteField) field_->setText(QString::fromStdString(prompt_.Text()));
  bar_->setValue(prompt_.Position());
  ready_ = true;
  update();
}

void ValueDialog::paintEvent(QPaintEvent*) {
  QImage image(size(), QImage::Format_RGB32);
  {
    QtCanvas canvas(image);
    app::PaintValueDialog(canvas, title_.toStdString(), brand_.toStdString(), prompt_.Text());
  }
  QPainter(this).drawImage(0, 0, image);
}

}  // namespace qt
