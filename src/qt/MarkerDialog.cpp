#include "qt/MarkerDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"
#include "store/FixedText.h"

namespace qt {
namespace {

constexpr int kTextBytes = int(sizeof(store::Marker_s::Text)) - 1;

QString Number(double v) { return QString::number(v, 'g', 7); }

// The longest start of `s` whose UTF-8 fits the field, never a split character.
std::string FitText(const QString& s) {
  std::string out;
  for (QChar c : s) {
    if (c.isSurrogate()) continue;
    const std::string next = QString(c).toStdString();
    if (out.size() + next.size() > size_t(kTextBytes)) break;
    out += next;
  }
  return out;
}

}  // namespace

MarkerDialog::MarkerDialog(state::Program& p, graph::MarkerDialogRequest& request, QWidget* parent)
    : QDialog(parent), p_(p), request_(request) {
  std::copy(std::begin(request.markers), std::end(request.markers), markers_);
  setWindowTitle(QString::fromUtf8(state::Lang(p, "Značky", "Markers")) +
                 QStringLiteral(" %1%2").arg(store::IsW(request.store) ? 'W' : 'M').arg(request.chan + 1));
  auto L = [&p](const char* cz, const char* en) { return QString::fromUtf8(state::Lang(p, cz, en)); };
  auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    return e;
  };

  choice_ = new QComboBox(this);
  choice_->setObjectName(QStringLiteral("marker"));
  for (int k = 0; k < store::kMarkersPerChannel; ++k) choice_->addItem(QString::number(k + 1));
  index_ = edit("index");
  value_ = edit("value");
  labelIndex_ = edit("labelIndex");
  labelValue_ = edit("labelValue");
  text_ = edit("text");
  text_->setMaxLength(kTextBytes);
  vertical_ = new QCheckBox(L("Svislý popis", "Vertical label"), this);
  vertical_->setObjectName(QStringLiteral("vertical"));

  QPushButton* pointCur1 = NamedButton(this, L("Kurzor 1", "Cursor 1"), QStringLiteral("pointCur1"));
  QPushButton* pointCur2 = NamedButton(this, L("Kurzor 2", "Cursor 2"), QStringLiteral("pointCur2"));
  QPushButton* labelCur1 = NamedButton(this, L("Kurzor 1", "Cursor 1"), QStringLiteral("labelCur1"));
  QPushButton* labelCur2 = NamedButton(this, L("Kurzor 2", "Cursor 2"), QStringLiteral("labelCur2"));
  auto fromCursor = [this](QLineEdit* index, QLineEdit* value, int32_t i, float v) {
    index->setText(QString::number(i));
    value->setText(Number(double(v)));
  };
  connect(pointCur1, &QPushButton::clicked, this,
          [=, this] { fromCursor(index_, value_, request_.cur1, request_.value1); });
  connect(pointCur2, &QPushButton::clicked, this,
          [=, this] { fromCursor(index_, value_, request_.cur2, request_.value2); });
  connect(labelCur1, &QPushButton::clicked, this,
          [=, this] { fromCursor(labelIndex_, labelValue_, request_.cur1, request_.value1); });
  connect(labelCur2, &QPushButton::clicked, this,
          [=, this] { fromCursor(labelIndex_, labelValue_, request_.cur2, request_.value2); });
  QPushButton* clear = NamedButton(this, L("Zruš značku", "Remove the marker"), QStringLiteral("clear"));
  connect(clear, &QPushButton::clicked, this, [this] {
    markers_[shown_] = store::Marker0;
    Show(shown_);
  });

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(L("Bod: index, hodnota", "Point: index, value"), this), 0, 0);
  grid->addWidget(index_, 0, 1);
  grid->addWidget(value_, 0, 2);
  grid->addWidget(pointCur1, 0, 3);
  grid->addWidget(pointCur2, 0, 4);
  grid->addWidget(new QLabel(L("Popis: index, hodnota", "Label: index, value"), this), 1, 0);
  grid->addWidget(labelIndex_, 1, 1);
  grid->addWidget(labelValue_, 1, 2);
  grid->addWidget(labelCur1, 1, 3);
  grid->addWidget(labelCur2, 1, 4);
  grid->addWidget(new QLabel(L("Text", "Text"), this), 2, 0);
  grid->addWidget(text_, 2, 1, 1, 2);
  grid->addWidget(vertical_, 2, 3, 1, 2);

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel = NamedButton(this, L("&Zruš", "&Cancel"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &MarkerDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(L("Značka", "Marker"), this));
  top->addWidget(choice_);
  top->addStretch(1);
  top->addWidget(clear);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(bottom);

  SwitchRecordsWith(
      choice_, this, shown_, [this](int k) { return Take(k); }, [this](int k) { Show(k); });
  Show(0);
}

void MarkerDialog::Show(int k) {
  shown_ = k;
  const store::Marker_s& m = markers_[k];
  index_->setText(QString::number(m.Index));
  value_->setText(Number(double(m.Value)));
  labelIndex_->setText(QString::number(m.LabelIndex));
  labelValue_->setText(Number(double(m.LabelValue)));
  vertical_->setChecked(m.Vertical != 0);
  text_->setText(Q(store::FieldText(m.Text)));
}

bool MarkerDialog::Take(int k) {
  store::Marker_s m = markers_[k];
  bool valid = true;
  // A field left as shown keeps its value, whatever a file put there; a
  // typed one must be a sample of the record or a finite value.
  auto index = [&](QLineEdit* e, int32_t& field) {
    if (e->text() == QString::number(field)) return;
    bool ok = false;
    const qlonglong v = e->text().trimmed().toLongLong(&ok);
    if (ok && v >= 0 && v < qlonglong(std::max<int32_t>(request_.nShown, 1)))
      field = int32_t(v);
    else
      valid = false;
  };
  auto value = [&](QLineEdit* e, float& field) {
    if (e->text() == Number(double(field))) return;
    bool ok = false;
    const double v = e->text().trimmed().toDouble(&ok);
    if (ok && std::isfinite(float(v)))
      field = float(v);
    else
      valid = false;
  };
  index(index_, m.Index);
  value(value_, m.Value);
  index(labelIndex_, m.LabelIndex);
  value(labelValue_, m.LabelValue);
  if (!valid) {
    state::Mess(p_,
                state::Lang(p_, "Index musí ležet v záznamu a hodnota musí být číslo.",
                            "An index must lie in the record and a value must be a number."),
                state::Txt(p_, 13));
    return false;
  }
  if (vertical_->isChecked() != (m.Vertical != 0)) m.Vertical = vertical_->isChecked() ? 1 : 0;
  if (text_->text() != Q(store::FieldText(m.Text))) store::CopyText(m.Text, FitText(text_->text()));
  markers_[k] = m;
  return true;
}

void MarkerDialog::Ok() {
  if (!Take(shown_)) return;
  std::copy(std::begin(markers_), std::end(markers_), request_.markers);
  accept();
}

}  // namespace qt
