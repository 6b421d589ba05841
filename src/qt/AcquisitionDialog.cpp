#include "qt/AcquisitionDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {

AcquisitionDialog::AcquisitionDialog(state::Program& p, QWidget* parent, const QString& title)
    : QDialog(parent), p_(p), form_(p) {
  setWindowTitle(title.isEmpty() ? QStringLiteral("AS dialog - nastavení měření ") : title);

  using daq::AcqField;
  auto group = [this](const char* caption, std::initializer_list<AcqField> fields) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), this);
    auto* column = new QVBoxLayout(box);
    for (AcqField f : fields) column->addWidget(FieldRow(f));
    return box;
  };
  auto* groups = new QHBoxLayout;
  groups->addWidget(group("Měření", {AcqField::MLength, AcqField::MPeriod, AcqField::MBefore, AcqField::MMax,
                                     AcqField::MMin, AcqField::TraceMax, AcqField::TraceMin}));
  auto* right = new QVBoxLayout;
  right->addWidget(group("Vlna", {AcqField::WLength, AcqField::WRepeatPeriod, AcqField::WPeriod}));
  right->addWidget(group(
      "Kalibrace", {AcqField::CalInput1, AcqField::CalValue1, AcqField::CalInput2, AcqField::CalValue2}));
  auto* live = new QCheckBox(QString::fromUtf8(state::Lang(p, "Živý záznam vlny v okně grafu",
                                                           "Live waveform record in the graph window")),
                             this);
  live->setObjectName(QStringLiteral("live"));
  live->setChecked(form_.live);
  connect(live, &QCheckBox::toggled, this, [this](bool on) { form_.live = on; });
  right->addWidget(live);
  right->addStretch(1);
  groups->addLayout(right);

  derived_ = new QLabel(this);
  derived_->setObjectName(QStringLiteral("derived"));

  auto* buttons = new QHBoxLayout;
  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* init = NamedButton(this, QStringLiteral("&Init."), QStringLiteral("init"));
  QPushButton* cancel = NamedButton(this, QStringLiteral("&Zruš"), QStringLiteral("cancel"));
  buttons->addWidget(ok);
  buttons->addWidget(init);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  connect(ok, &QPushButton::clicked, this, &AcquisitionDialog::Ok);
  connect(init, &QPushButton::clicked, this, [this] {
    form_.Defaults();
    ShowFields();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(derived_);
  layout->addLayout(buttons);
  ShowFields();
}

QWidget* AcquisitionDialog::FieldRow(daq::AcqField f) {
  const daq::AcqFieldInfo& info = daq::InfoOf(f);
  const QString name = QString::fromLatin1(info.name);
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  QPushButton* label = NamedButton(row, QString::fromUtf8(info.label), QStringLiteral("prompt_") + name);
  label->setMinimumWidth(90);
  connect(label, &QPushButton::clicked, this, [this, f] {
    if (form_.Prompt(p_, f)) ShowFields();
  });
  auto* edit = new QLineEdit(row);
  edit->setObjectName(name);
  edit->setMaxLength(info.chars);
  connect(edit, &QLineEdit::textChanged, this, [this, f](const QString& text) {
    if (showing_) return;
    form_.SetText(f, text.toStdString());
    ShowDerived();
  });
  edits_[f] = edit;
  layout->addWidget(label);
  layout->addWidget(edit, 1);

  if (f == daq::AcqField::MLength || f == daq::AcqField::WLength) {
    QPushButton* twice = NamedButton(row, QStringLiteral("*"), QStringLiteral("double_") + name);
    QPushButton* half = NamedButton(row, QStringLiteral("/"), QStringLiteral("halve_") + name);
    for (QPushButton* b : {twice, half}) {
      b->setFixedWidth(24);
      layout->addWidget(b);
    }
    connect(twice, &QPushButton::clicked, this, [this, f] {
      form_.DoubleSize(p_, f);
      ShowFields();
    });
    connect(half, &QPushButton::clicked, this, [this, f] {
      form_.HalveSize(p_, f);
      ShowFields();
    });
  }
  return row;
}

void AcquisitionDialog::ShowFields() {
  showing_ = true;
  for (auto& [f, edit] : edits_) {
    const QString text = QString::fromStdString(form_.Text(f));
    if (edit->text() != text) edit->setText(text);
  }
  showing_ = false;
  ShowDerived();
}

void AcquisitionDialog::ShowDerived() {
  const daq::AcqDerived d = form_.Derived();
  derived_->setText(QStringLiteral("Měření: %1 s   Vlna: %2 s   %3 Hz")
                        .arg(d.measurementSeconds, 0, 'g', 6)
                        .arg(d.waveformSeconds, 0, 'g', 6)
                        .arg(d.samplingHz, 0, 'g', 6));
}

void AcquisitionDialog::Ok() {
  if (form_.Accept(p_)) accept();
}

}  // namespace qt
