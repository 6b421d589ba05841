#include "qt/MultiDisplDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {
namespace {

constexpr int kPerRow = 16;
constexpr double kStepLimit = 100000;

bool InMask(const uint32_t mask[4], int chan) { return (mask[chan / 32] >> (chan % 32)) & 1u; }

}  // namespace

MultiDisplDialog::MultiDisplDialog(state::Program& p, graph::MultiDisplRequest& request, QWidget* parent)
    : QDialog(parent), p_(p), request_(request), step_(request.step) {
  setWindowTitle(QStringLiteral("Vícenásobné zobrazení - Multi Display"));
  auto* grid = new QGridLayout;
  for (int c = 0; c < store::kChannels; ++c) {
    boxes_[c] = new QCheckBox(QString::number(c + 1), this);
    boxes_[c]->setObjectName(QStringLiteral("chan_%1").arg(c));
    boxes_[c]->setChecked(InMask(request.mask, c));
    if (c == request.ownChan) boxes_[c]->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(boxes_[c], c / kPerRow, c % kPerRow);
  }

  QPushButton* setStep = NamedButton(this, QStringLiteral("&Nastav"), QStringLiteral("setStep"));
  stepLabel_ = new QLabel(QString::number(double(step_)), this);
  stepLabel_->setObjectName(QStringLiteral("step"));
  connect(setStep, &QPushButton::clicked, this, [this] {
    const double now = std::isfinite(step_) ? double(step_) : 0.0;
    if (auto v = p_.ui().PromptFloat(state::Txt(p_, 477), -kStepLimit, kStepLimit, now)) {
      step_ = float(std::clamp(*v, -kStepLimit, kStepLimit));
      stepLabel_->setText(QString::number(double(step_)));
    }
  });
  QPushButton* all = NamedButton(this, QStringLiteral("X"), QStringLiteral("all"));
  QPushButton* none = NamedButton(this, QStringLiteral("_"), QStringLiteral("none"));
  connect(all, &QPushButton::clicked, this, [this] { SetAll(true, 497); });
  connect(none, &QPushButton::clicked, this, [this] { SetAll(false, 496); });
  QPushButton* remove = NamedButton(this, QStringLiteral("Zruš kanály"), QStringLiteral("delete"));
  connect(remove, &QPushButton::clicked, this, [this] {
    if (state::AskT(p_, 1234, 15) != platform::Answer::Yes) return;
    WriteBack();
    request_.deleteUnchosen = true;
    accept();
  });
  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel =
      NamedButton(this, QString::fromUtf8(state::Lang(p_, "&Zruš", "&Cancel")), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, [this] {
    WriteBack();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{setStep, stepLabel_, all, none, remove})
    buttons->addWidget(w);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void MultiDisplDialog::SetAll(bool on, int question) {
  if (state::AskT(p_, question, 10) != platform::Answer::Yes) return;
  for (QCheckBox* b : boxes_) b->setChecked(on);
}

void MultiDisplDialog::WriteBack() {
  for (uint32_t& m : request_.mask) m = 0;
  for (int c = 0; c < store::kChannels; ++c)
    if (boxes_[c]->isChecked()) request_.mask[c / 32] |= 1u << (c % 32);
  request_.step = step_;
  request_.deleteUnchosen = false;
}

}  // namespace qt
