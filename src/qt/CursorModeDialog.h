// The graph window settings dialog (`TCursorModeDialog`): radio groups for
// the time axis, the cursors, their style and step and the display type,
// and check boxes for the bars, the read-outs and the window's options.
// It edits a copy; OK writes the copy into the record, Cancel leaves the
// record as it was. A value a group does not offer (from a job file) stays
// until the user picks one.
// Object names: "<field>_<value>" for a radio button (e.g. "CursorStep_16"),
// "<field>" for a check box, "DisplFlags_<bit in hex, 4 digits>" and
// "MultiFlags_<bit>" for the flag bits, "ok", "cancel".
#pragma once

#include <QDialog>
#include <vector>

#include "store/GraphSettings.h"

class QButtonGroup;
class QCheckBox;

namespace state {
struct Program;
}

namespace qt {

class CursorModeDialog : public QDialog {
  Q_OBJECT

 public:
  CursorModeDialog(state::Program& p, store::CG_s& record, const QString& title, QWidget* parent);

 private:
  void Ok();

  store::CG_s& record_;
  std::vector<QButtonGroup*> groups_;  // in the order of the group table
  std::vector<QCheckBox*> checks_;     // in the order of the check table
};

}  // namespace qt
