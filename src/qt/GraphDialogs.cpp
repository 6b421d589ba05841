#include "qt/GraphDialogs.h"

#include <QPointer>
#include <QWidget>

#include "qt/CalibrationDialog.h"
#include "qt/CursorModeDialog.h"
#include "qt/MarkerDialog.h"
#include "qt/MultiDisplDialog.h"
#include "qt/PrintDialog.h"

namespace qt {

graph::WindowDialogs GraphDialogs(QWidget* parent) {
  // The parent may go before the windows do.
  QPointer<QWidget> owner(parent);
  graph::WindowDialogs d;
  d.cursorMode = [owner](state::Program& p, store::CG_s& record, const std::string& title) {
    CursorModeDialog dialog(p, record, QString::fromStdString(title), owner.data());
    return dialog.exec() == QDialog::Accepted;
  };
  d.multiDispl = [owner](state::Program& p, graph::MultiDisplRequest& request) {
    MultiDisplDialog dialog(p, request, owner.data());
    return dialog.exec() == QDialog::Accepted;
  };
  d.print = [owner](state::Program& p, store::Prt_s& record, const std::string& title) {
    PrintSettingsDialog dialog(p, record, QString::fromStdString(title), owner.data());
    return dialog.exec() == QDialog::Accepted;
  };
  d.marker = [owner](state::Program& p, graph::MarkerDialogRequest& request) {
    MarkerDialog dialog(p, request, owner.data());
    return dialog.exec() == QDialog::Accepted;
  };
  d.calibration = [owner](state::Program& p, graph::CalibrationDialogRequest& request) {
    CalibrationDialog dialog(p, request, owner.data());
    return dialog.exec() == QDialog::Accepted;
  };
  return d;
}

}  // namespace qt
