#include "qt/CommandDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "macro/CommandTable.h"
#include "qt/DialogControls.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {

CommandDialog::CommandDialog(const state::Program& p, int firstKey, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Q(state::Txt(p, 40)));
  line_ = new QLineEdit(this);
  line_->setObjectName(QStringLiteral("line"));
  line_->setMaxLength(kMaxLine);
  if (firstKey > ' ' && firstKey < 0x7F) line_->setText(QString(QChar(firstKey)));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("keywords"));
  for (const char* const* k = macro::Commands; *k; ++k) list_->addItem(QString::fromLatin1(*k));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  const std::string ok = state::Txt(p, 8), close = state::Txt(p, 9);
  if (!ok.empty()) buttons->button(QDialogButtonBox::Ok)->setText(Q(ok));
  if (!close.empty()) buttons->button(QDialogButtonBox::Cancel)->setText(Q(close));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line_);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(320, 360);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemClicked, this, &CommandDialog::Choose);
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    Choose(item);
    accept();
  });
  connect(line_, &QLineEdit::textEdited, this, &CommandDialog::ShowMatching);
  ShowMatching(line_->text());
  line_->setFocus();
  line_->deselect();
  line_->end(false);
}

QString CommandDialog::Line() const { return line_->text(); }

void CommandDialog::Choose(QListWidgetItem* item) {
  if (!item) return;
  line_->setText(item->text());
  line_->setFocus();
}

// The first keyword the typed word begins, so the list follows the typing
// without changing the line.
void CommandDialog::ShowMatching(const QString& text) {
  const QString word =
      text.trimmed().section(QLatin1Char(' '), 0, 0).section(QLatin1Char(','), 0, 0).toUpper();
  if (word.isEmpty()) return;
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    if (item->text().startsWith(word)) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item);
      return;
    }
  }
}

}  // namespace qt
