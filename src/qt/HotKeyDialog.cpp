#include "qt/HotKeyDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/DialogControls.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"

namespace qt {
namespace {

// The graph keys the buttons press, as the buttons name them ("Ctr" for
// Ctrl, "Tab" for the Tab state); F5 and Ctrl+A both autoscale.
struct Key {
  const char* label;
  int code;
};
constexpr Key kKeys[] = {
    {"F5", state::kHotKeyCtrlA},   {"CtrW", state::kHotKeyCtrlW}, {"CtrQ", state::kHotKeyCtrlQ},
    {"E", state::kHotKeyE},        {"CtrV", state::kHotKeyCtrlV}, {"CtrH", state::kHotKeyCtrlH},
    {"CtrR", state::kHotKeyCtrlR}, {"L", state::kHotKeyL},        {"D", state::kHotKeyD},
    {"CtrL", state::kHotKeyCtrlL}, {"CtrD", state::kHotKeyCtrlD}, {"K", state::kHotKeyK},
    {"F", state::kHotKeyF},        {"TabF", state::kHotKeyTabF},  {"G", state::kHotKeyG},
    {"CtrG", state::kHotKeyCtrlG}, {"N", state::kHotKeyN},        {"CtrN", state::kHotKeyCtrlN},
    {"B", state::kHotKeyB},        {"CtrB", state::kHotKeyCtrlB}, {"C", state::kHotKeyC},
    {"CtrC", state::kHotKeyCtrlC}, {"Y", state::kHotKeyY},        {"CtrY", state::kHotKeyCtrlY},
    {"S", state::kHotKeyS},        {"T", state::kHotKeyT},        {"Z", state::kHotKeyZ},
    {"CtrM", state::kHotKeyCtrlM}, {"I", state::kHotKeyI},        {"J", state::kHotKeyJ},
    {"X", state::kHotKeyX},        {"O", state::kHotKeyO},        {"CtrO", state::kHotKeyCtrlO},
    {"F7", state::kHotKeyF7},      {"F8", state::kHotKeyF8},      {"F1", state::kHotKeyF1},
};
constexpr int kPerRow = 6;

}  // namespace

HotKeyDialog::HotKeyDialog(state::Program& p, store::Store store, QWidget* parent) : QDialog(parent), p_(p) {
  setWindowTitle(QStringLiteral("Horké klávesy grafického okna - Hot Keys"));
  auto L = [&p](const char* cz, const char* en) { return QString::fromUtf8(state::Lang(p, cz, en)); };

  auto* keys = new QGridLayout;
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    const int code = kKeys[i].code;
    QPushButton* b =
        NamedButton(this, QString::fromLatin1(kKeys[i].label), QStringLiteral("key_%1").arg(code));
    connect(b, &QPushButton::clicked, this, [this, code] { Press(code); });
    keys->addWidget(b, int(i) / kPerRow, int(i) % kPerRow);
  }

  channel_ = new QSpinBox(this);
  channel_->setObjectName(QStringLiteral("channel"));
  channel_->setRange(1, store::kChannels);
  channel_->setValue(std::clamp(p.HotKeyChan, 0, store::kChannels - 1) + 1);
  storeW_ = new QRadioButton(QStringLiteral("W"), this);
  storeW_->setObjectName(QStringLiteral("storeW"));
  storeM_ = new QRadioButton(QStringLiteral("M"), this);
  storeM_->setObjectName(QStringLiteral("storeM"));
  closeAfter_ = new QCheckBox(L("Zavřít po stisku", "Close after sending"), this);
  closeAfter_->setObjectName(QStringLiteral("closeAfter"));
  QPushButton* close = NamedButton(this, L("&Zavři", "&Close"), QStringLiteral("close"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel(L("Kanál", "Channel"), this));
  choice->addWidget(channel_);
  choice->addWidget(storeW_);
  choice->addWidget(storeM_);
  choice->addWidget(closeAfter_);
  choice->addStretch(1);
  choice->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(keys);
  layout->addLayout(choice);
  Reopen(store);
}

void HotKeyDialog::Reopen(store::Store store) {
  (store::IsW(store) ? storeW_ : storeM_)->setChecked(true);
  channel_->setValue(std::clamp(p_.HotKeyChan, 0, store::kChannels - 1) + 1);
}

void HotKeyDialog::Press(int code) {
  p_.HotKeyChan = channel_->value() - 1;
  const store::Store store = storeW_->isChecked() ? store::Store::W : store::Store::M;
  if (closeAfter_->isChecked()) close();
  state::SendHotKey(p_, store, p_.HotKeyChan, code);
}

void InstallHotKeyDialog(state::Program& p, QWidget* parent) {
  QPointer<QWidget> owner(parent);
  auto dialog = std::make_shared<QPointer<HotKeyDialog>>();
  p.HotKeyDialog = [owner, dialog](state::Program& q, store::Store store) {
    if (!*dialog) {
      *dialog = new HotKeyDialog(q, store, owner.data());
      (*dialog)->setAttribute(Qt::WA_DeleteOnClose);
    } else {
      (*dialog)->Reopen(store);
    }
    (*dialog)->show();
    (*dialog)->raise();
    (*dialog)->activateWindow();
  };
}

}  // namespace qt
