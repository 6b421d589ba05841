#include "qt/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/About.h"
#include "state/Program.h"

namespace qt {

AboutDialog::AboutDialog(const state::Program& p, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(app::AboutTitle(p)));
  auto* layout = new QVBoxLayout(this);
  auto* facts = new QLabel(QString::fromStdString(app::AboutText(p)), this);
  facts->setObjectName("facts");
  // Plain text: a card name comes from the driver and must not be read as markup.
  facts->setTextFormat(Qt::PlainText);
  facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(facts);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void InstallAboutDialog(state::Program& p, QWidget* parent) {
  p.AboutDialog = [parent](state::Program& prog) {
    AboutDialog dialog(prog, parent);
    dialog.exec();
  };
}

}  // namespace qt
