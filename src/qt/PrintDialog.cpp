#include "qt/PrintDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSpinBox>
#include <QVBoxLayout>

#include "files/DataFileFormat.h"
#include "files/Printing.h"
#include "qt/DialogControls.h"
#include "qt/PrintJobs.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"
#include "store/FixedText.h"

namespace qt {
namespace {

double Cm(int px) { return px * 2.54 / kPrintDpi; }

}  // namespace

PrintSettingsDialog::PrintSettingsDialog(state::Program& p, store::Prt_s& record, const QString& title,
                                         QWidget* parent)
    : QDialog(parent), p_(p), record_(record) {
  setWindowTitle(title.isEmpty() ? QStringLiteral("Tisk jednoho grafu na formát A4") : title);
  auto* grid = new QGridLayout;
  int row = 0;
  auto spin = [&](const char* label, const char* name, int lo, int hi) {
    auto* s = new QSpinBox(this);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(lo, hi);
    grid->addWidget(new QLabel(QString::fromUtf8(label), this), row / 2, (row % 2) * 2);
    grid->addWidget(s, row / 2, (row % 2) * 2 + 1);
    ++row;
    connect(s, &QSpinBox::valueChanged, this, &PrintSettingsDialog::UpdatePreview);
    return s;
  };
  width_ = spin("šířka", "width", files::kMinPrintSize, files::kMaxPrintSize);
  height_ = spin(" výška", "height", files::kMinPrintSize, files::kMaxPrintSize);
  x_ = spin("X", "x", 0, files::kMaxPrintOffset);
  y_ = spin("Y", "y", 0, files::kMaxPrintOffset);
  textX_ = spin("X text", "textX", 0, files::kMaxPrintOffset);
  textY_ = spin("Y text", "textY", 0, files::kMaxPrintOffset);
  scaleH_ = spin("stupnice : výška písma", "scaleHeight", files::kMinScaleCell, files::kMaxScaleCell);
  scaleW_ = spin("stupnice : šířka písma", "scaleWidth", files::kMinScaleCell / 2, files::kMaxScaleCell);
  textH_ = spin(" text : výška písma", "textHeight", files::kMinTextCell, files::kMaxTextCell);
  textW_ = spin(" text : šířka písma", "textWidth", files::kMinTextCell / 2, files::kMaxTextCell);
  auto check = [&](const char* cz, const char* en, const char* name) {
    auto* c = new QCheckBox(QString::fromUtf8(state::Lang(p, cz, en)), this);
    c->setObjectName(QString::fromLatin1(name));
    return c;
  };
  colour_ = check("barevný tisk", "colour printing", "colour");
  text1_ = check("text 1 (jméno kanálu, ASCII soubor)", "text 1 (channel name, ASCII file)", "text1");
  text2_ = check("text 2 (jméno souboru, ASCII soubor)", "text 2 (file name, ASCII file)", "text2");
  fromSize_ = check("písmo podle velikosti stránky", "font from the page size", "fromSize");
  textFile_ = new QLineEdit(this);
  textFile_->setObjectName(QStringLiteral("textFile"));
  textFile_->setMaxLength(int(sizeof record.TextFile) - 1);
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("preview"));

  QPushButton* ascii = NamedButton(this, QStringLiteral("Jméno &ASCII"), QStringLiteral("ascii"));
  QPushButton* edit = NamedButton(this, QStringLiteral("&Edit."), QStringLiteral("edit"));
  QPushButton* print = NamedButton(this, QStringLiteral("&Tisk"), QStringLiteral("print"));
  QPushButton* init = NamedButton(this, QStringLiteral("&Init."), QStringLiteral("init"));
  QPushButton* cancel =
      NamedButton(this, QString::fromUtf8(state::Lang(p, "&Zruš", "&Cancel")), QStringLiteral("cancel"));
  connect(ascii, &QPushButton::clicked, this, &PrintSettingsDialog::ChooseText);
  connect(edit, &QPushButton::clicked, this, &PrintSettingsDialog::EditText);
  connect(init, &QPushButton::clicked, this, [this] {
    Show(store::Prt0);
    UpdatePreview();
  });
  connect(print, &QPushButton::clicked, this, [this] {
    Take(record_);
    record_.Requested = 1;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* file = new QHBoxLayout;
  file->addWidget(textFile_, 1);
  file->addWidget(ascii);
  file->addWidget(edit);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(print);
  buttons->addWidget(init);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* all = new QVBoxLayout(this);
  all->addLayout(grid);
  for (QWidget* w : {static_cast<QWidget*>(colour_), static_cast<QWidget*>(text1_),
                     static_cast<QWidget*>(text2_), static_cast<QWidget*>(fromSize_)})
    all->addWidget(w);
  all->addLayout(file);
  all->addWidget(preview_);
  all->addLayout(buttons);
  Show(record);
  UpdatePreview();
}

void PrintSettingsDialog::Show(const store::Prt_s& r) {
  width_->setValue(r.Width);
  height_->setValue(r.Height);
  x_->setValue(r.X);
  y_->setValue(r.Y);
  textX_->setValue(r.TextX);
  textY_->setValue(r.TextY);
  scaleH_->setValue(r.ScaleFontHeight);
  scaleW_->setValue(r.ScaleFontWidth);
  textH_->setValue(r.TextFontHeight);
  textW_->setValue(r.TextFontWidth);
  colour_->setChecked(r.Colour != 0);
  text1_->setChecked(r.TextSwitch1 != 0);
  text2_->setChecked(r.TextSwitch2 != 0);
  fromSize_->setChecked(r.FontFromSize != 0);
  textFile_->setText(Q(store::FieldText(r.TextFile)));
}

void PrintSettingsDialog::Take(store::Prt_s& r) const {
  r.Width = int16_t(width_->value());
  r.Height = int16_t(height_->value());
  r.X = int16_t(x_->value());
  r.Y = int16_t(y_->value());
  r.TextX = int16_t(textX_->value());
  r.TextY = int16_t(textY_->value());
  r.ScaleFontHeight = int16_t(scaleH_->value());
  r.ScaleFontWidth = int16_t(scaleW_->value());
  r.TextFontHeight = int16_t(textH_->value());
  r.TextFontWidth = int16_t(textW_->value());
  r.Colour = colour_->isChecked();
  r.TextSwitch1 = text1_->isChecked();
  r.TextSwitch2 = text2_->isChecked();
  r.FontFromSize = fromSize_->isChecked();
  store::CopyText(r.TextFile, textFile_->text().toStdString());
}

void PrintSettingsDialog::UpdatePreview() {
  preview_->setText(
      QString::asprintf(state::Lang(p_, "graf %4.2f × %4.2f cm na %4.2f, %4.2f cm; text na %4.2f, %4.2f cm",
                                    "graph %4.2f × %4.2f cm at %4.2f, %4.2f cm; text at %4.2f, %4.2f cm"),
                        Cm(width_->value()), Cm(height_->value()), Cm(x_->value()), Cm(y_->value()),
                        Cm(textX_->value()), Cm(textY_->value())));
}

// The name is kept short: relative to the program folder where it lies there.
void PrintSettingsDialog::ChooseText() {
  const QString root = p_.plat.paths ? Q(p_.plat.paths->Root()) : QDir::currentPath();
  const QString file = QFileDialog::getOpenFileName(
      this, QStringLiteral("ASCII"), root + QStringLiteral("/MACRO"), QStringLiteral("*.MAC *.TXT;;*"));
  if (file.isEmpty()) return;
  QString name = QDir(root).relativeFilePath(file);
  if (name.startsWith(QStringLiteral("..")))
    name = file;
  else
    name = QStringLiteral("\\") + name.replace(QLatin1Char('/'), QLatin1Char('\\'));
  if (name.toUtf8().size() >= qsizetype(sizeof record_.TextFile)) {
    state::Mess(
        p_,
        state::Lang(p_, "Jméno souboru je pro tisk příliš dlouhé", "The file name is too long for printing"),
        state::Txt(p_, 13));
    return;
  }
  textFile_->setText(name);
}

void PrintSettingsDialog::EditText() {
  const std::string viewer = state::Txt(p_, 5);
  const std::string name = textFile_->text().toStdString();
  if (viewer.empty() || name.empty() || !p_.plat.process) return;
  p_.plat.process->Start({viewer, files::ResolveDataName(p_, name)});
}

MultiPrintDialog::MultiPrintDialog(state::Program& p, std::vector<bool>& chosen, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Nastavení  vícenásobného  tisku"));
  auto* list = new QListWidget(this);
  list->setObjectName(QStringLiteral("windows"));
  std::vector<int> rows;
  for (size_t i = 0; i < chosen.size() && i < 2 * size_t(store::kChannels); ++i) {
    const bool w = i < size_t(store::kChannels);
    const int c = int(i % store::kChannels);
    if (!p.Windows(w ? store::Store::W : store::Store::M)[c]) continue;
    auto* item = new QListWidgetItem(QStringLiteral("%1%2").arg(w ? 'W' : 'M').arg(c + 1), list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(chosen[i] ? Qt::Checked : Qt::Unchecked);
    rows.push_back(int(i));
  }
  QPushButton* settings =
      NamedButton(this, QString::fromUtf8(state::Lang(p, "&Nastavení tisku", "Print &settings")),
                  QStringLiteral("settings"));
  QPushButton* print = NamedButton(this, QStringLiteral("&Tiskni"), QStringLiteral("print"));
  QPushButton* cancel =
      NamedButton(this, QString::fromUtf8(state::Lang(p, "&Zruš", "&Cancel")), QStringLiteral("cancel"));
  connect(settings, &QPushButton::clicked, this, [this, &p] {
    if (!p.Prt) return;
    store::Prt_s edit = p.Prt[0];
    PrintSettingsDialog d(p, edit, QString(), this);
    if (d.exec() == QDialog::Accepted) p.Prt[0] = edit;
  });
  connect(print, &QPushButton::clicked, this, [this, list, rows, &chosen] {
    for (int r = 0; r < list->count(); ++r)
      chosen[size_t(rows[size_t(r)])] = list->item(r)->checkState() == Qt::Checked;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(settings);
  buttons->addStretch(1);
  buttons->addWidget(print);
  buttons->addWidget(cancel);
  auto* all = new QVBoxLayout(this);
  all->addWidget(list);
  all->addLayout(buttons);
}

void InstallPrintDialogs(state::Program& p, QWidget* parent) {
  QPointer<QWidget> owner(parent);
  p.OpenPrintJob = DesktopPrintJobs(parent);
  p.MultiPrintDialog = [owner](state::Program& prog, std::vector<bool>& chosen) {
    MultiPrintDialog d(prog, chosen, owner.data());
    return d.exec() == QDialog::Accepted;
  };
}

}  // namespace qt
