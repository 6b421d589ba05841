#include "qt/CalibrationDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "ops/CurveCalibration.h"
#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"

namespace qt {
namespace {

QString Number(float v) { return QString::asprintf("%10.3f", double(v)); }

}  // namespace

CalibrationDialog::CalibrationDialog(state::Program& p, graph::CalibrationDialogRequest& request,
                                     QWidget* parent)
    : QDialog(parent), p_(p), request_(request) {
  std::copy(std::begin(request.records), std::end(request.records), records_);
  setWindowTitle(QString::fromUtf8(
      state::Lang(p, "Kalibrace z dat. průběhu (křivky)", "Calibration from the data curve")));
  auto L = [&p](const char* cz, const char* en) { return QString::fromUtf8(state::Lang(p, cz, en)); };
  auto T = [&p](int n) { return Q(state::Txt(p, n)); };
  auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    return e;
  };
  auto button = [this](const QString& text, const char* name) {
    return NamedButton(this, text, QString::fromLatin1(name));
  };

  record_ = new QComboBox(this);
  record_->setObjectName(QStringLiteral("record"));
  for (int k = 0; k < kRecords; ++k) record_->addItem(QString::number(k + 1));
  channel_ = new QComboBox(this);
  channel_->setObjectName(QStringLiteral("channel"));
  for (int c = 0; c < store::kChannels; ++c) channel_->addItem(QStringLiteral("W%1").arg(c + 1));
  value1_ = edit("value1");
  value2_ = edit("value2");
  level1_ = edit("level1");
  level2_ = edit("level2");

  QPushButton* level1Cur = button(QStringLiteral("--|--"), "level1Cur");
  QPushButton* level1Mean = button(QStringLiteral("|---|"), "level1Mean");
  QPushButton* level2Cur = button(QStringLiteral("--|--"), "level2Cur");
  QPushButton* level2Mean = button(QStringLiteral("|---|"), "level2Mean");
  connect(level1Cur, &QPushButton::clicked, this, [this] { Level(&store::Kal_s::KalLevel1, false); });
  connect(level1Mean, &QPushButton::clicked, this, [this] { Level(&store::Kal_s::KalLevel1, true); });
  connect(level2Cur, &QPushButton::clicked, this, [this] { Level(&store::Kal_s::KalLevel2, false); });
  connect(level2Mean, &QPushButton::clicked, this, [this] { Level(&store::Kal_s::KalLevel2, true); });
  level1Cur->setToolTip(L("Úroveň v kurzoru 1", "The level at cursor 1"));
  level1Mean->setToolTip(L("Průměr mezi kurzory", "The mean between the cursors"));
  level2Cur->setToolTip(level1Cur->toolTip());
  level2Mean->setToolTip(level1Mean->toolTip());

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(T(643), this), 0, 0);
  grid->addWidget(record_, 0, 1);
  grid->addWidget(new QLabel(T(644), this), 1, 0);
  grid->addWidget(channel_, 1, 1);
  grid->addWidget(new QLabel(T(645), this), 2, 0);
  grid->addWidget(value1_, 2, 1);
  grid->addWidget(new QLabel(T(640), this), 3, 0);
  grid->addWidget(value2_, 3, 1);
  grid->addWidget(new QLabel(T(639), this), 4, 0);
  grid->addWidget(level1_, 4, 1);
  grid->addWidget(level1Cur, 4, 2);
  grid->addWidget(level1Mean, 4, 3);
  grid->addWidget(new QLabel(T(646), this), 5, 0);
  grid->addWidget(level2_, 5, 1);
  grid->addWidget(level2Cur, 5, 2);
  grid->addWidget(level2Mean, 5, 3);

  QPushButton* calibrate = button(L("&Proveď kalibraci", "&Calibrate"), "calibrate");
  QPushButton* undo = button(L("&Zpět", "&Undo"), "undo");
  connect(calibrate, &QPushButton::clicked, this, [this] { Apply(false); });
  connect(undo, &QPushButton::clicked, this, [this] { Apply(true); });
  QPushButton* ok = button(QStringLiteral("&OK"), "ok");
  ok->setDefault(true);
  QPushButton* init = button(QStringLiteral("&Init."), "init");
  QPushButton* cancel = button(L("&Zruš", "&Cancel"), "cancel");
  connect(ok, &QPushButton::clicked, this, &CalibrationDialog::Ok);
  connect(init, &QPushButton::clicked, this, [this] {
    std::fill(std::begin(records_), std::end(records_), store::Kal0);
    Show(shown_);
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* actions = new QHBoxLayout;
  actions->addWidget(calibrate);
  actions->addWidget(undo);
  actions->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(init);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(actions);
  layout->addLayout(bottom);

  SwitchRecordsWith(
      record_, this, shown_, [this](int k) { return Take(k); }, [this](int k) { Show(k); });
  connect(channel_, &QComboBox::currentIndexChanged, this, [this] {
    if (Take(shown_)) Show(shown_);
  });
  Show(std::clamp<int>(request.page, 0, kRecords - 1));
}

void CalibrationDialog::Show(int k) {
  shown_ = k;
  const store::Kal_s& r = records_[k];
  const QSignalBlocker blockRecord(record_), blockChannel(channel_);
  record_->setCurrentIndex(k);
  channel_->setCurrentIndex(std::clamp<int>(r.KalChannel, 0, store::kChannels - 1));
  value1_->setText(Number(r.KalValue1));
  value2_->setText(Number(r.KalValue2));
  level1_->setText(Number(r.KalLevel1));
  level2_->setText(Number(r.KalLevel2));
}

bool CalibrationDialog::Take(int k) {
  store::Kal_s r = records_[k];
  bool valid = true;
  // A field left as shown keeps its full value (the three decimals shown
  // would round it); a typed one must be a finite number.
  auto value = [&](QLineEdit* e, float& field) {
    if (e->text() == Number(field)) return;
    bool ok = false;
    const double v = e->text().trimmed().toDouble(&ok);
    if (ok && std::isfinite(float(v)))
      field = float(v);
    else
      valid = false;
  };
  value(value1_, r.KalValue1);
  value(value2_, r.KalValue2);
  value(level1_, r.KalLevel1);
  value(level2_, r.KalLevel2);
  if (!valid) {
    state::Mess(p_,
                state::Lang(p_, "Hodnota a úroveň musí být čísla.", "A value and a level must be numbers."),
                state::Txt(p_, 13));
    return false;
  }
  r.KalChannel = int16_t(channel_->currentIndex());
  records_[k] = r;
  return true;
}

void CalibrationDialog::Level(float store::Kal_s::*field, bool mean) {
  if (!Take(shown_)) return;
  store::Kal_s& r = records_[shown_];
  if (auto level = ops::ReadCurveLevel(p_, r.KalChannel,
                                       mean ? ops::CurveLevel::CursorMean : ops::CurveLevel::AtCursor1))
    r.*field = *level;
  Show(shown_);
}

void CalibrationDialog::Apply(bool undo) {
  // What the fields show is what gets applied, not an older reading of them.
  if (!Take(shown_)) return;
  (void)ops::ApplyCurveCalibration(p_, records_[shown_], undo);
}

void CalibrationDialog::Ok() {
  if (!Take(shown_)) return;
  std::copy(std::begin(records_), std::end(records_), request_.records);
  request_.page = int16_t(shown_);
  accept();
}

}  // namespace qt
