#include "qt/SettingsDialogs.h"

#include <QPointer>
#include <QWidget>

#include "qt/AcquisitionDialog.h"
#include "qt/ChannelDialog.h"
#include "qt/FunctionDialog.h"
#include "qt/MemoryDialogWindow.h"
#include "state/Program.h"

namespace qt {
namespace {

// Runs a dialog modally; answers 1 when it was accepted.
template <typename Dialog>
int Run(state::Program& p, QWidget* parent) {
  Dialog dialog(p, parent);
  return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

}  // namespace

void InstallSettingsDialogs(state::Program& p, QWidget* parent) {
  // The parent may go before the program's hooks do.
  QPointer<QWidget> owner(parent);
  p.AcquisitionDialog = [owner](state::Program& q) { return Run<AcquisitionDialog>(q, owner.data()); };
  p.ChannelDialog = [owner](state::Program& q) { return Run<ChannelDialog>(q, owner.data()); };
  p.MemoryDialog = [owner](state::Program& q) { return Run<MemoryDialogWindow>(q, owner.data()); };
  p.FunctionDialog = [owner](state::Program& q) { return Run<FunctionDialog>(q, owner.data()); };
}

}  // namespace qt
