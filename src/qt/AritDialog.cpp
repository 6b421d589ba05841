#include "qt/AritDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPolygonF>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "daq/Generator.h"
#include "ops/StoreChecks.h"
#include "qt/DialogControls.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace qt {
namespace {

// Channels 1 and 2 of the generator's store, as the card would replay them.
class GeneratorPicture : public QWidget {
 public:
  GeneratorPicture(state::Program& p, QWidget* parent) : QWidget(parent), p_(p) {
    setMinimumSize(320, 120);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const store::Store s = daq::GeneratorStore(p_);
    if (!state::MemOK(p_, s)) return;
    const int n = p_.Header(s).Length;
    const float* x[2] = {};
    float low = INFINITY, high = -INFINITY;
    for (int ch = 0; ch < 2; ++ch) {
      const int start = state::Pocatek(p_, s, ch);
      if (start < 0 || n < 1 || !ops::BlockFits(p_, s, start, n)) continue;
      x[ch] = p_.Samples(s) + start;
      for (int i = 0; i < n; ++i)
        if (std::isfinite(x[ch][i])) {
          low = std::min(low, x[ch][i]);
          high = std::max(high, x[ch][i]);
        }
    }
    if (!(low <= high)) return;
    if (high - low < 1e-6f) {
      low -= 1.0f;
      high += 1.0f;
    }
    QPainter painter(this);
    const QColor colours[2] = {QColor(0, 0, 200), QColor(200, 0, 0)};
    const int w = std::max(2, width()), h = height();
    for (int ch = 0; ch < 2; ++ch) {
      if (!x[ch]) continue;
      QPolygonF line;
      const int points = std::min(n, w);
      for (int k = 0; k < points; ++k) {
        const int i = int(int64_t(k) * n / points);
        const float v = std::isfinite(x[ch][i]) ? x[ch][i] : low;
        line << QPointF(double(i) * (w - 1) / std::max(1, n - 1),
                        (h - 1) * double(high - v) / double(high - low));
      }
      painter.setPen(colours[ch]);
      painter.drawPolyline(line);
    }
  }

 private:
  state::Program& p_;
};

}  // namespace

AritDialog::AritDialog(state::Program& p, QWidget* parent) : QDialog(parent), p_(p), page_(p) {
  setWindowTitle(QStringLiteral("Matematika - nastavení aritmetických operací, Generátor funkcí"));

  store_ = new QComboBox(this);
  store_->setObjectName(QStringLiteral("store"));
  store_->addItems({QStringLiteral("Vlna (W)"), QStringLiteral("Měření (M)")});
  connect(store_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_ && i >= 0) page_.Globals().GenStore = int16_t(i);
  });
  outputs_ = new QComboBox(this);
  outputs_->setObjectName(QStringLiteral("outputs"));
  outputs_->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A + B")});
  connect(outputs_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!showing_ && i >= 0) page_.Globals().GenOutputs = int16_t(i);
  });
  cyclic_ = new QCheckBox(QStringLiteral("Cyklicky"), this);
  cyclic_->setObjectName(QStringLiteral("cyclic"));
  connect(cyclic_, &QCheckBox::toggled, this, [this](bool on) {
    if (!showing_) page_.Globals().GenCyclic = on ? 1 : 0;
  });
  synchro_ = new QCheckBox(QStringLiteral("Spustit s měřením"), this);
  synchro_->setObjectName(QStringLiteral("synchro"));
  connect(synchro_, &QCheckBox::toggled, this, [this](bool on) {
    if (!showing_) page_.Globals().GenSynchro = on ? 1 : 0;
  });

  auto* settings = new QGroupBox(QStringLiteral("Generátor"), this);
  auto* form = new QFormLayout(settings);
  form->addRow(QStringLiteral("Zásobník"), store_);
  form->addRow(QStringLiteral("Výstupy"), outputs_);
  form->addRow(cyclic_);
  form->addRow(synchro_);
  form->addRow(QStringLiteral("Klid A [V]"),
               Field(settings, daq::GenField::RestA, 0, QStringLiteral("restA")));
  form->addRow(QStringLiteral("Klid B [V]"),
               Field(settings, daq::GenField::RestB, 0, QStringLiteral("restB")));
  form->addRow(new QLabel(QStringLiteral("(-100 = výstup beze změny)"), settings));

  auto* shapes = new QHBoxLayout;
  shapes->addWidget(settings);
  shapes->addWidget(ShapeBox(0));
  shapes->addWidget(ShapeBox(1));

  auto* commands = new QHBoxLayout;
  auto command = [this, commands](const QString& text, const QString& name, auto action) {
    QPushButton* b = NamedButton(this, text, name);
    connect(b, &QPushButton::clicked, this, [this, action] {
      action();
      ShowResult();
    });
    commands->addWidget(b);
  };
  command(QStringLiteral("Perioda vzorků..."), QStringLiteral("samplePeriod"),
          [this] { page_.SetSamplePeriod(p_); });
  command(QStringLiteral("Délka..."), QStringLiteral("length"), [this] { page_.SetLength(p_); });
  command(QStringLiteral("Převést A"), QStringLiteral("convertA"), [this] { (void)page_.Convert(p_, 1); });
  command(QStringLiteral("Převést B"), QStringLiteral("convertB"), [this] { (void)page_.Convert(p_, 0); });
  command(QStringLiteral("Start"), QStringLiteral("start"), [this] { page_.Start(p_); });
  command(QStringLiteral("Stop"), QStringLiteral("stop"), [this] { page_.Stop(p_); });

  preview_ = new GeneratorPicture(p_, this);
  preview_->setObjectName(QStringLiteral("preview"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* cancel = NamedButton(this, QStringLiteral("&Zruš"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, [this] {
    page_.TakeOver(p_);
    accept();
  });
  // Commands have taken their settings over already; Cancel drops only the
  // edits made since.
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(shapes);
  layout->addLayout(commands);
  layout->addWidget(preview_, 1);
  layout->addWidget(status_);
  layout->addLayout(buttons);
  ShowFields();
  ShowResult();
}

QWidget* AritDialog::ShapeBox(int channel) {
  const QString c = QString::number(channel + 1);
  auto* box = new QGroupBox(
      channel == 0 ? QStringLiteral("Kanál 1 - výstup A") : QStringLiteral("Kanál 2 - výstup B"), this);
  auto* form = new QFormLayout(box);
  shape_[channel] = new QComboBox(box);
  shape_[channel]->setObjectName(QStringLiteral("shape_") + c);
  shape_[channel]->addItems({QStringLiteral("Obdélník"), QStringLiteral("Trojúhelník"),
                             QStringLiteral("Sinus"), QStringLiteral("Konstanta")});
  connect(shape_[channel], &QComboBox::currentIndexChanged, this, [this, channel](int i) {
    if (!showing_ && i >= 0) page_.Shape(channel).GenShape = int16_t(i);
  });
  combine_[channel] = new QComboBox(box);
  combine_[channel]->setObjectName(QStringLiteral("combine_") + c);
  combine_[channel]->addItems(
      {QStringLiteral("Nahradit"), QStringLiteral("Přičíst"), QStringLiteral("Odečíst")});
  connect(combine_[channel], &QComboBox::currentIndexChanged, this, [this, channel](int i) {
    if (!showing_ && i >= 0) page_.Shape(channel).GenCombine = int16_t(i);
  });
  form->addRow(QStringLiteral("Tvar"), shape_[channel]);
  form->addRow(QStringLiteral("Do kanálu"), combine_[channel]);
  form->addRow(QStringLiteral("Úroveň A"),
               Field(box, daq::GenField::LevelA, channel, QStringLiteral("levelA_") + c));
  form->addRow(QStringLiteral("Úroveň B"),
               Field(box, daq::GenField::LevelB, channel, QStringLiteral("levelB_") + c));
  form->addRow(QStringLiteral("Perioda [vz.]"),
               Field(box, daq::GenField::Period, channel, QStringLiteral("period_") + c));
  form->addRow(QStringLiteral("Střída [vz.]"),
               Field(box, daq::GenField::Duty, channel, QStringLiteral("duty_") + c));
  form->addRow(QStringLiteral("Fáze [vz.]"),
               Field(box, daq::GenField::Phase, channel, QStringLiteral("phase_") + c));
  QPushButton* draw = NamedButton(box, QStringLiteral("Vykreslit"), QStringLiteral("draw_") + c);
  connect(draw, &QPushButton::clicked, this, [this, channel] {
    (void)page_.Draw(p_, channel);
    ShowResult();
  });
  form->addRow(draw);
  return box;
}

QLineEdit* AritDialog::Field(QWidget* parent, daq::GenField f, int channel, const QString& name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(16);
  connect(edit, &QLineEdit::textChanged, this, [this, f, channel](const QString& text) {
    if (!showing_) page_.SetText(f, channel, text.toStdString());
  });
  // Leaving a field shows what it will be taken as.
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, f, channel] {
    showing_ = true;
    edit->setText(Q(page_.Text(f, channel)));
    showing_ = false;
  });
  fields_.push_back({edit, f, channel});
  return edit;
}

void AritDialog::ShowFields() {
  showing_ = true;
  const store::MGlobals_s& g = page_.Globals();
  store_->setCurrentIndex(g.GenStore == 0 ? 0 : 1);
  outputs_->setCurrentIndex(g.GenOutputs == 1 || g.GenOutputs == 2 ? g.GenOutputs : 0);
  cyclic_->setChecked(g.GenCyclic != 0);
  synchro_->setChecked(g.GenSynchro == 1);
  for (int ch = 0; ch < 2; ++ch) {
    const store::M_s& m = page_.Shape(ch);
    shape_[ch]->setCurrentIndex(m.GenShape >= 0 && m.GenShape <= 3 ? m.GenShape : -1);
    combine_[ch]->setCurrentIndex(m.GenCombine == 1 || m.GenCombine == 2 ? m.GenCombine : 0);
  }
  for (const FieldEdit& e : fields_) e.edit->setText(Q(page_.Text(e.field, e.channel)));
  showing_ = false;
}

void AritDialog::ShowResult() {
  status_->setText(Q(page_.Status(p_)));
  preview_->update();
}

void InstallAritDialog(state::Program& p, QWidget* parent) {
  // The parent may go before the program's hooks do.
  QPointer<QWidget> owner(parent);
  p.AritDialog = [owner](state::Program& q) {
    AritDialog dialog(q, owner.data());
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
  };
}

}  // namespace qt
