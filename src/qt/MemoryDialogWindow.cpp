#include "qt/MemoryDialogWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/DialogControls.h"
#include "state/MemoryDialog.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {

MemoryDialogWindow::MemoryDialogWindow(state::Program& p, QWidget* parent) : QDialog(parent), p_(p) {
  setWindowTitle(QString::fromStdString(state::Txt(p, 80)));
  auto* report = new QLabel(QString::fromStdString(state::MemoryReport(p)), this);
  report->setObjectName(QStringLiteral("report"));
  report->setWordWrap(true);
  units_ = new QLineEdit(QString::fromStdString(state::MemoryFieldText(p)), this);
  units_->setObjectName(QStringLiteral("units"));
  units_->setMaxLength(8);
  auto* unitLabel = new QLabel(QStringLiteral("× 131072"), this);

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* init = NamedButton(this, QStringLiteral("&Init."), QStringLiteral("init"));
  QPushButton* cancel = NamedButton(this, QStringLiteral("&Zruš"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &MemoryDialogWindow::Ok);
  connect(init, &QPushButton::clicked, this,
          [this] { units_->setText(QString::fromStdString(state::DefaultMemoryFieldText())); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* field = new QHBoxLayout;
  field->addWidget(units_, 1);
  field->addWidget(unitLabel);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(init);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(report);
  layout->addLayout(field);
  layout->addLayout(buttons);
}

void MemoryDialogWindow::Ok() {
  // Asked on closing: No closes the dialog too, and nothing changes.
  if (state::CloseMemoryDialog(p_, state::MemoryUnitsFromText(units_->text().toStdString())))
    accept();
  else
    reject();
}

}  // namespace qt
