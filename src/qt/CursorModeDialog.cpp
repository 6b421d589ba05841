#include "qt/CursorModeDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstddef>
#include <cstring>

#include "qt/DialogControls.h"
#include "state/Messages.h"

namespace qt {
namespace {

// A field of the packed record, read and written by its bytes.
struct Field {
  const char* name;
  size_t offset, size;
};
#define CG_FIELD(f) \
  Field { #f, offsetof(store::CG_s, f), sizeof(store::CG_s::f) }

int64_t Get(const store::CG_s& g, const Field& f) {
  const auto* at = reinterpret_cast<const char*>(&g) + f.offset;
  if (f.size == 2) {
    uint16_t v;
    std::memcpy(&v, at, 2);
    return f.offset == offsetof(store::CG_s, CursorStep) ? int64_t(int16_t(v)) : int64_t(v);
  }
  int32_t v;
  std::memcpy(&v, at, 4);
  return v;
}

void Set(store::CG_s& g, const Field& f, int64_t value) {
  auto* at = reinterpret_cast<char*>(&g) + f.offset;
  if (f.size == 2) {
    const auto v = uint16_t(value);
    std::memcpy(at, &v, 2);
  } else {
    const auto v = int32_t(value);
    std::memcpy(at, &v, 4);
  }
}

struct Choice {
  int value;
  const char *cz, *en;
};
struct Group {
  Field field;
  const char *cz, *en;
  std::vector<Choice> choices;
};

const std::vector<Group>& Groups() {
  static const std::vector<Group> groups = {
      {CG_FIELD(TimeAxis),
       "Osa",
       "Axis",
       {{0, "čas (frekvence)", "time (frequency)"}, {2, "číslo vzorku", "sample number"}}},
      {CG_FIELD(CursorCount),
       "Kurzory",
       "Cursors",
       {{0, "žádný", "none"}, {1, "jeden", "one"}, {2, "dva", "two"}}},
      {CG_FIELD(CursorStyle),
       "Styl kurzoru",
       "Cursor style",
       {{0, "svislá čára", "vertical line"},
        {1, "svislá a vodorovná čára", "vertical and horizontal line"},
        {2, "křížek na průběhu", "cross on the trace"}}},
      {CG_FIELD(CursorStep),
       "Krok kurzoru",
       "Cursor step",
       {{1, "1 vzorek", "1 sample"},
        {16, "16 vzorků", "16 samples"},
        {128, "128 vzorků", "128 samples"},
        {0, "1 pixel", "1 pixel"}}},
      {CG_FIELD(DisplType),
       "Zobrazení",
       "Display",
       {{0, "1. polovina", "first half"},
        {1, "2. polovina", "second half"},
        {2, "obě poloviny", "both halves"},
        {3, "výkon", "power"},
        {4, "absolutní hodnota", "magnitude"},
        {5, "průběžný součet", "running sum"},
        {6, "diference", "difference"},
        {7, "histogram", "histogram"},
        {8, "překládání", "overlaid sweeps"}}},
  };
  return groups;
}

// A check box sets a whole field to 0/1, or one bit of it.
struct Check {
  Field field;
  uint32_t bit;  // 0: the whole field
  const char *cz, *en;
};

const std::vector<Check>& Checks() {
  static const std::vector<Check> checks = {
      {CG_FIELD(InfoBar), 0, "Informační lišta", "Information bar"},
      {CG_FIELD(InfoIndex), 0, "Index kurzorů", "Cursor indices"},
      {CG_FIELD(InfoTime), 0, "Čas / frekvence kurzorů", "Cursor times / frequencies"},
      {CG_FIELD(InfoValue), 0, "Hodnoty kurzorů", "Cursor values"},
      {CG_FIELD(BottomBar), 0, "Spodní lišta", "Bottom bar"},
      {CG_FIELD(VScale), 0, "Svislá stupnice", "Value scale"},
      {CG_FIELD(KeyPanel), 0, "Lišta tlačítek", "Key strip"},
      {CG_FIELD(PulseWidth), 0, "Šířka pulsu", "Pulse width"},
      {CG_FIELD(ShowMarkers), 0, "Značky", "Markers"},
      {CG_FIELD(WhiteMode), 0, "Bílý graf", "White plot"},
      {CG_FIELD(Background), 0, "Pozadí (nový rozsah)", "Background (fresh range)"},
      {CG_FIELD(ClearPlot), 0, "Mazat graf před kreslením", "Clear the plot before drawing"},
      {CG_FIELD(Raster), 0, "Rastr", "Raster"},
      {CG_FIELD(Envelope), 0, "Obálka (min. a max. v pixelu)", "Envelope (min and max per pixel)"},
      {CG_FIELD(Multi), 0, "Vícenásobné zobrazení", "Multi display"},
      {CG_FIELD(MultiFlags), uint32_t(store::kMultiStrips), "Pásy kanálů", "Channel strips"},
      {CG_FIELD(DisplFlags), store::kDisplLongTimes, "Čas i v min. a hod.", "Times in min and h too"},
      {CG_FIELD(DisplFlags), store::kDisplFixedVRaster, "Pevný svislý rastr", "Fixed vertical raster"},
      {CG_FIELD(DisplFlags), store::kDisplHRaster, "Vodorovný rastr", "Horizontal raster"},
      {CG_FIELD(DisplFlags), store::kDisplOneLineUnit, "Jednotka na jednom řádku", "Unit on one line"},
      {CG_FIELD(DisplFlags), store::kDisplSlopeLine, "Spojnice kurzorů", "Slope line between the cursors"},
      {CG_FIELD(DisplFlags), store::kDisplWhiteWindow, "Bílé okno", "White window"},
      {CG_FIELD(DisplFlags), store::kDisplRightPanel, "Panel tlačítek vpravo", "Button panel on the right"},
      {CG_FIELD(DisplFlags), store::kDisplUserTime, "Uživatelská jednotka času", "User time unit"},
      {CG_FIELD(DisplFlags), store::kDisplChannelNumber, "Číslo kanálu", "Channel number"},
      {CG_FIELD(DisplFlags), store::kDisplAutoscaleValues, "Autoscale i hodnot", "Autoscale sets the values"},
      {CG_FIELD(DisplFlags), store::kDisplAutoscaleWhole, "Autoscale celého záznamu", "Autoscale shows all"},
      {CG_FIELD(DisplFlags), store::kDisplHotButtons, "Horká tlačítka v grafu", "Hot buttons in the plot"},
      {CG_FIELD(DisplFlags), store::kDisplWideCursors, "Široké kurzory", "Wide cursors"},
  };
  return checks;
}

QString CheckName(const Check& c) {
  const QString field = QString::fromLatin1(c.field.name);
  if (c.bit == 0) return field;
  return QStringLiteral("%1_%2").arg(field).arg(c.bit, c.field.size == 2 ? 4 : 1, 16, QLatin1Char('0'));
}

}  // namespace

CursorModeDialog::CursorModeDialog(state::Program& p, store::CG_s& record, const QString& title,
                                   QWidget* parent)
    : QDialog(parent), record_(record) {
  setWindowTitle(title);
  auto L = [&p](const char* cz, const char* en) { return QString::fromUtf8(state::Lang(p, cz, en)); };

  auto* groupRow = new QHBoxLayout;
  for (const Group& g : Groups()) {
    auto* box = new QGroupBox(L(g.cz, g.en), this);
    auto* column = new QVBoxLayout(box);
    auto* buttons = new QButtonGroup(this);
    const int64_t now = Get(record, g.field);
    for (const Choice& c : g.choices) {
      auto* r = new QRadioButton(L(c.cz, c.en), box);
      r->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(g.field.name)).arg(c.value));
      r->setChecked(c.value == now);
      buttons->addButton(r, c.value);
      column->addWidget(r);
    }
    column->addStretch(1);
    groups_.push_back(buttons);
    groupRow->addWidget(box);
  }

  auto* grid = new QGridLayout;
  constexpr int kColumns = 4;
  for (const Check& c : Checks()) {
    auto* box = new QCheckBox(L(c.cz, c.en), this);
    box->setObjectName(CheckName(c));
    const int64_t now = Get(record, c.field);
    box->setChecked(c.bit ? (uint64_t(now) & c.bit) != 0 : now != 0);
    grid->addWidget(box, int(checks_.size()) / kColumns, int(checks_.size()) % kColumns);
    checks_.push_back(box);
  }

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel = NamedButton(this, L("&Zruš", "&Cancel"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &CursorModeDialog::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groupRow);
  layout->addLayout(grid);
  layout->addLayout(bottom);
}

void CursorModeDialog::Ok() {
  store::CG_s edited = record_;
  for (size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i]->checkedButton()) Set(edited, Groups()[i].field, groups_[i]->checkedId());
  for (size_t i = 0; i < checks_.size(); ++i) {
    const Check& c = Checks()[i];
    const bool on = checks_[i]->isChecked();
    if (c.bit == 0) {
      // A non-zero value other than 1 (kept from a file) stays as it was.
      if (on != (Get(edited, c.field) != 0)) Set(edited, c.field, on ? 1 : 0);
    } else {
      const uint64_t now = uint64_t(Get(edited, c.field));
      Set(edited, c.field, int64_t(on ? now | c.bit : now & ~uint64_t(c.bit)));
    }
  }
  record_ = edited;
  accept();
}

}  // namespace qt
