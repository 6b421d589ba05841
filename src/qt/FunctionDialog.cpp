#include "qt/FunctionDialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "ops/UserFunctions.h"
#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Records.h"

namespace qt {
namespace {

// The codes the pages know stop well below 100; a damaged file's code is
// shown within the range rather than refused.
constexpr int kMaxCode = 99;
constexpr int kMaxN = 1000000;
constexpr double kMaxBand = 1e9;
// Offsets of the band's centre and half-width inside the reserved bytes at 4.
constexpr size_t kCentreAt = 0, kHalfWidthAt = 4;

float FloatAt(const store::Fun_s& f, size_t at) {
  float v = 0;
  std::memcpy(&v, f.Reserved4 + at, sizeof v);
  return v;
}

void PutFloat(store::Fun_s& f, size_t at, float v) { std::memcpy(f.Reserved4 + at, &v, sizeof v); }

// A value from the file that is no number shows as 0, one out of range at its bound.
double Shown(float v) { return std::isfinite(v) ? std::clamp(double(v), 0.0, kMaxBand) : 0.0; }

QString Name(const char* what, int page) {
  return QStringLiteral("%1_%2").arg(QLatin1String(what)).arg(page + 1);
}

}  // namespace

FunctionDialog::FunctionDialog(state::Program& p, QWidget* parent) : QDialog(parent), p_(p) {
  setWindowTitle(Q(state::Lang(p, "Funkce", "Functions")));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  for (int i = 0; i < files::kFunctionPages; ++i) pages_->addTab(Page(i), QString::number(i + 1));
  pages_->setCurrentIndex(std::clamp<int>(p.FunPage, 0, files::kFunctionPages - 1));

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel = NamedButton(this, QStringLiteral("&Zruš"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &FunctionDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);
}

QWidget* FunctionDialog::Page(int page) {
  // Without the records (no memory) every page shows the defaults.
  const store::Fun_s f = p_.Fun.size() > size_t(page) ? p_.Fun[size_t(page)] : store::Fun_s{};
  auto* w = new QWidget(pages_);
  PageEdit& e = edits_[page];
  e.code = new QSpinBox(w);
  e.code->setObjectName(Name("code", page));
  e.code->setRange(0, kMaxCode);
  e.code->setValue(std::clamp<int>(f.Code, 0, kMaxCode));
  e.operation = new QLabel(w);
  e.operation->setObjectName(Name("operation", page));
  e.channel = new QSpinBox(w);
  e.channel->setObjectName(Name("channel", page));
  e.channel->setRange(1, store::kChannels);
  e.channel->setValue(std::clamp<int>(f.Channel, 0, store::kChannels - 1) + 1);
  auto band = [&](const char* name, size_t at) {
    auto* s = new QDoubleSpinBox(w);
    s->setObjectName(Name(name, page));
    s->setRange(0, kMaxBand);
    s->setDecimals(3);
    s->setValue(Shown(FloatAt(f, at)));
    return s;
  };
  e.centre = band("centre", kCentreAt);
  e.halfWidth = band("halfWidth", kHalfWidthAt);
  e.n = new QSpinBox(w);
  e.n->setObjectName(Name("n", page));
  e.n->setRange(0, kMaxN);
  e.n->setValue(std::clamp<int32_t>(f.N, 0, kMaxN));
  connect(e.code, &QSpinBox::valueChanged, this, [this, page] { ShowOperation(page); });
  ShowOperation(page);

  auto* form = new QFormLayout(w);
  form->addRow(Q(state::Lang(p_, "Kód funkce", "Function code")), e.code);
  form->addRow(QString(), e.operation);
  form->addRow(Q(state::Lang(p_, "Kanál", "Channel")), e.channel);
  form->addRow(Q(state::Lang(p_, "Střed pásma", "Band centre")), e.centre);
  form->addRow(Q(state::Lang(p_, "Polovina šířky pásma", "Band half-width")), e.halfWidth);
  form->addRow(QStringLiteral("N"), e.n);
  return w;
}

void FunctionDialog::ShowOperation(int page) {
  PageEdit& e = edits_[page];
  const int code = e.code->value();
  e.operation->setText(Q(ops::FunctionOperation(p_, code)));
  e.centre->setEnabled(ops::FunctionUsesBand(code));
  e.halfWidth->setEnabled(ops::FunctionUsesBand(code));
  e.n->setEnabled(ops::FunctionUsesN(code));
}

void FunctionDialog::Ok() {
  if (p_.Fun.size() < size_t(files::kFunctionPages)) {
    reject();
    return;
  }
  // Only the fields shown are written; the rest of each record stays as read.
  for (int i = 0; i < files::kFunctionPages; ++i) {
    const PageEdit& e = edits_[i];
    store::Fun_s& f = p_.Fun[size_t(i)];
    f.Code = int16_t(e.code->value());
    f.Channel = int16_t(e.channel->value() - 1);
    PutFloat(f, kCentreAt, float(e.centre->value()));
    PutFloat(f, kHalfWidthAt, float(e.halfWidth->value()));
    f.N = e.n->value();
  }
  p_.FunPage = int16_t(pages_->currentIndex());
  // Saved at once, as the exit would, so a crash later does not lose the pages.
  if (!files::WriteFunUtil(p_))
    state::Mess(p_, state::Lang(p_, "Soubor funkcí nelze zapsat.", "The function file cannot be written."),
                state::Txt(p_, 13));
  accept();
}

}  // namespace qt
