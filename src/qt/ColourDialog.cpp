#include "qt/ColourDialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

namespace qt {
namespace {

constexpr int kRed = 0, kGreen = 1, kBlue = 2, kCoefficient = 3;
constexpr int kSampleY = 150;

QString Formatted(const char* format, int v) {
  char text[80];
  std::snprintf(text, sizeof text, format, v);
  return QString::fromUtf8(text);
}

}  // namespace

ColourDialog::ColourDialog(QWidget* parent, uint32_t initial, int coefficient, const QString& title,
                           const QString& cancelLabel)
    : QDialog(parent), initial_(initial & 0xFFFFFF), initialCoefficient_(std::clamp(coefficient, 1, 10)) {
  setWindowTitle(title);
  setFixedSize(420, 212);

  static const char* const kNames[4] = {"red", "green", "blue", "coefficient"};
  static const char* const kLetters[3] = {"R", "G", "B"};
  for (int i = 0; i < 4; ++i) {
    const int y = 10 + i * 30;
    if (i < kCoefficient) {
      auto* letter = new QLabel(QString::fromLatin1(kLetters[i]), this);
      letter->setGeometry(10, y, 16, 20);
    }
    bars_[i] = new QScrollBar(Qt::Horizontal, this);
    bars_[i]->setObjectName(QString::fromLatin1(kNames[i]));
    bars_[i]->setRange(i == kCoefficient ? 1 : 0, i == kCoefficient ? 10 : 255);
    values_[i] = new QLabel(this);
    if (i < kCoefficient) {
      bars_[i]->setGeometry(30, y, 320, 18);
      values_[i]->setGeometry(360, y, 50, 20);
    } else {
      bars_[i]->setGeometry(290, y, 120, 18);
      values_[i]->setGeometry(10, y, 275, 20);
    }
    connect(bars_[i], &QScrollBar::valueChanged, this, [this] { Show(); });
  }

  auto button = [this](const QString& label, const char* name, int x) {
    auto* b = new QPushButton(label, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 176, 100, 28);
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* ok = button(QStringLiteral("OK"), "ok", 10);
  QPushButton* cancel = button(cancelLabel, "cancel", 160);
  QPushButton* init = button(QStringLiteral("Init."), "init", 310);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(init, &QPushButton::clicked, this, [this] {
    bars_[kRed]->setValue(int(initial_ & 0xFF));
    bars_[kGreen]->setValue(int((initial_ >> 8) & 0xFF));
    bars_[kBlue]->setValue(int((initial_ >> 16) & 0xFF));
    bars_[kCoefficient]->setValue(initialCoefficient_);
  });
  init->click();
  Show();
}

uint32_t ColourDialog::Colour() const {
  return uint32_t(bars_[kRed]->value()) | uint32_t(bars_[kGreen]->value()) << 8 |
         uint32_t(bars_[kBlue]->value()) << 16;
}

int ColourDialog::Coefficient() const { return bars_[kCoefficient]->value(); }

QString ColourDialog::CoefficientLine() const { return values_[kCoefficient]->text(); }

void ColourDialog::Show() {
  for (int i = 0; i < kCoefficient; ++i) values_[i]->setText(Formatted("%3d", bars_[i]->value()));
  values_[kCoefficient]->setText(Formatted("Vertikální roztažení stupnice : %2d", Coefficient()));
  update();
}

void ColourDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const uint32_t c = Colour();
  painter.setPen(QPen(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)), 3));
  painter.drawLine(10, kSampleY, width() - 10, kSampleY);
}

}  // namespace qt
