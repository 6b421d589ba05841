#include "qt/ChannelDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/AcquisitionDialog.h"
#include "qt/ColourDialog.h"
#include "qt/DialogControls.h"
#include "qt/QtUi.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {

namespace {

QColor FromBgr(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

void Swatch(QWidget* w, const QColor& colour) {
  w->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

// Row captions; the rows of the stores that do not exist are hidden.
const char* const kRowCaptions[daq::kRows] = {"Měřit", "Okno W", "Okno M"};

}  // namespace

ChannelDialog::ChannelDialog(state::Program& p, QWidget* parent) : QDialog(parent), p_(p), form_(p) {
  setWindowTitle(QStringLiteral("MM dialog - nastavení kanálů"));
  chooser_ = [this](const QString& title, uint32_t& colour) {
    auto* ui = dynamic_cast<QtUi*>(&p_.ui());
    ColourDialog dialog(this, colour, 1, title, ui ? ui->CancelLabel() : QStringLiteral("Cancel"));
    if (dialog.exec() != QDialog::Accepted) return false;
    colour = dialog.Colour();
    return true;
  };

  page_ = new QComboBox(this);
  page_->setObjectName(QStringLiteral("page"));
  for (int i = 0; i < daq::kPages; ++i) page_->addItem(QString::fromLatin1(daq::PageLabel(i)));
  connect(page_, &QComboBox::currentIndexChanged, this, [this](int page) {
    if (page < 0 || page == form_.Page()) return;
    form_.ChangePage(p_, page);
    ShowPage();
  });

  auto* grid = new QGridLayout;
  BuildRows(grid);

  auto* infoRow = new QHBoxLayout;
  for (int s : {1, 0}) {
    info_[s] = new QLabel(this);
    info_[s]->setObjectName(QStringLiteral("info_%1").arg(s));
    info_[s]->setFrameShape(QFrame::Box);
    info_[s]->setVisible(form_.RowShown(s ? 1 : 2));
    infoRow->addWidget(info_[s]);
  }

  QPushButton* acquisition = NamedButton(this, Q(state::Txt(p_, 856)), QStringLiteral("acquisition"));
  connect(acquisition, &QPushButton::clicked, this, [this] {
    AcquisitionDialog dialog(p_, this, Q(state::Txt(p_, 73)));
    dialog.exec();
    ShowStores();
  });
  // The mathematics dialog with the function generator; it may create
  // channels 1 and 2 in a store, so the pictures are shown again after it.
  QPushButton* generator =
      NamedButton(this, QStringLiteral("Matematika, generátor"), QStringLiteral("generator"));
  generator->setEnabled(bool(p_.AritDialog));
  connect(generator, &QPushButton::clicked, this, [this] {
    if (p_.AritDialog) p_.AritDialog(p_);
    ShowStores();
  });

  QPushButton* ok = NamedButton(this, QStringLiteral("&OK"), QStringLiteral("ok"));
  ok->setDefault(true);
  QPushButton* init = NamedButton(this, QStringLiteral("&Init."), QStringLiteral("init"));
  QPushButton* cancel = NamedButton(this, QStringLiteral("&Zruš"), QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &ChannelDialog::Ok);
  connect(init, &QPushButton::clicked, this, [this] {
    form_.Defaults();
    ShowPage();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(page_);
  top->addStretch(1);
  top->addWidget(acquisition);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(generator);
  bottom->addStretch(1);
  bottom->addWidget(ok);
  bottom->addWidget(init);
  bottom->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(infoRow);
  layout->addLayout(bottom);

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &ChannelDialog::ShowStores);
  timer_->start(200);
  ShowPage();
}

void ChannelDialog::BuildRows(QGridLayout* grid) {
  // Grid rows: 0 channel numbers, then per flag row its boxes, with the
  // store pictures under rows 2 and 3, then the colour row.
  const int boxRow[daq::kRows] = {1, 2, 4};
  const int pictureRow[2] = {5, 3};  // by store: M, W
  for (int row = 0; row < daq::kRows; ++row) {
    const bool shown = form_.RowShown(row);
    auto* caption = new QLabel(QString::fromUtf8(kRowCaptions[row]), this);
    caption->setVisible(shown);
    grid->addWidget(caption, boxRow[row], 0);
    for (int c = 0; c < daq::kPageChannels; ++c) {
      auto* box = new QCheckBox(this);
      box->setObjectName(QStringLiteral("box_%1_%2").arg(row + 1).arg(c));
      box->setVisible(shown);
      connect(box, &QCheckBox::toggled, this, [this, row, c](bool on) { form_.SetBox(row, c, on); });
      boxes_[row][c] = box;
      grid->addWidget(box, boxRow[row], c + 1);
    }
    QPushButton* all = NamedButton(this, QStringLiteral("X"), QStringLiteral("checkAll_%1").arg(row + 1));
    QPushButton* none = NamedButton(this, QStringLiteral("_"), QStringLiteral("clearAll_%1").arg(row + 1));
    rowButtons_[row][0] = all;
    rowButtons_[row][1] = none;
    for (int k = 0; k < 2; ++k) {
      QPushButton* b = rowButtons_[row][k];
      b->setFixedWidth(24);
      b->setVisible(shown);
      grid->addWidget(b, boxRow[row], daq::kPageChannels + 1 + k);
      connect(b, &QPushButton::clicked, this, [this, row, k] {
        if (form_.SetRow(p_, row, k == 0)) ShowPage();
      });
    }
  }
  for (int s : {1, 0}) {
    const bool shown = form_.RowShown(s ? 1 : 2);
    for (int c = 0; c < daq::kPageChannels; ++c) {
      auto* picture = new QLabel(this);
      picture->setObjectName(QStringLiteral("present_%1_%2").arg(s).arg(c));
      picture->setFixedSize(12, 8);
      picture->setVisible(shown);
      present_[s][c] = picture;
      grid->addWidget(picture, pictureRow[s], c + 1, Qt::AlignCenter);
    }
  }
  for (int c = 0; c < daq::kPageChannels; ++c) {
    QPushButton* swatch = NamedButton(this, QString(), QStringLiteral("colour_%1").arg(c));
    swatch->setFixedSize(16, 12);
    connect(swatch, &QPushButton::clicked, this, [this, c] { ChooseColour(c); });
    colours_[c] = swatch;
    grid->addWidget(swatch, 6, c + 1, Qt::AlignCenter);
  }
  QPushButton* init = NamedButton(this, QStringLiteral("init"), QStringLiteral("initColours"));
  connect(init, &QPushButton::clicked, this, [this] {
    form_.InitColours(p_);
    ShowColours();
  });
  grid->addWidget(init, 6, daq::kPageChannels + 1, 1, 2);
  for (int c = 0; c < daq::kPageChannels; ++c) {
    auto* number = new QLabel(this);
    number->setObjectName(QStringLiteral("number_%1").arg(c));
    number->setAlignment(Qt::AlignCenter);
    grid->addWidget(number, 0, c + 1);
  }
}

void ChannelDialog::ShowPage() {
  if (page_->currentIndex() != form_.Page()) {
    QSignalBlocker block(page_);
    page_->setCurrentIndex(form_.Page());
  }
  for (int row = 0; row < daq::kRows; ++row)
    for (int c = 0; c < daq::kPageChannels; ++c) {
      QSignalBlocker block(boxes_[row][c]);
      boxes_[row][c]->setChecked(form_.Box(row, c));
    }
  for (int c = 0; c < daq::kPageChannels; ++c)
    if (auto* number = findChild<QLabel*>(QStringLiteral("number_%1").arg(c)))
      number->setText(QString::number(form_.FirstChannel() + c + 1));
  ShowStores();
  ShowColours();
}

void ChannelDialog::ShowStores() {
  for (int s : {1, 0}) {
    for (int c = 0; c < daq::kPageChannels; ++c)
      Swatch(present_[s][c], form_.ChannelPresent(p_, store::StoreFromFlag(s), c) ? QColor(0, 160, 0)
                                                                                  : QColor(200, 200, 200));
    const daq::StoreInfo i = form_.Info(p_, store::StoreFromFlag(s));
    // Joined, not formatted: a general text may hold a percent sign.
    info_[s]->setText((s ? QStringLiteral("W ") : QStringLiteral("M ")) + Q(state::Txt(p_, 852)) +
                      QLatin1Char('\n') + QString::number(i.totalSamples) + QStringLiteral(" / ") +
                      QString::number(i.maxLength) + QLatin1Char('\n') + Q(state::Txt(p_, 853)) +
                      QLatin1Char(' ') + QString::number(i.length) + QLatin1Char('\n') +
                      QString::number(i.used));
  }
}

void ChannelDialog::ShowColours() {
  for (int c = 0; c < daq::kPageChannels; ++c) Swatch(colours_[c], FromBgr(form_.Colour(c)));
}

void ChannelDialog::ChooseColour(int column) {
  uint32_t colour = form_.Colour(column);
  if (!chooser_ || !chooser_(Q(form_.ColourTitle(column)), colour)) return;
  form_.SetColour(column, colour);
  ShowColours();
}

void ChannelDialog::Ok() {
  if (form_.Accept(p_)) accept();
}

}  // namespace qt
