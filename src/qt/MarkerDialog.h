// The marker dialog (`TMarker_Dialog`): the 20 markers of one channel, one
// at a time. A marker is its marked point (sample index and value), its
// label point, whether the label stands vertically, and its text; the
// points are typed or taken from cursor 1 or cursor 2. Index 0 means the
// marker is not in use. OK writes the edited markers into the request.
// Object names: "marker" (the choice 1..20), "index", "value", "labelIndex",
// "labelValue", "vertical", "text", "pointCur1", "pointCur2", "labelCur1",
// "labelCur2", "clear", "ok", "cancel".
#pragma once

#include <QDialog>

#include "graph/WindowDialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace state {
struct Program;
}

namespace qt {

class MarkerDialog : public QDialog {
  Q_OBJECT

 public:
  MarkerDialog(state::Program& p, graph::MarkerDialogRequest& request, QWidget* parent);

 private:
  void Show(int k);
  // Takes the fields into marker `k`; false (with a message) when a changed
  // field holds no valid value.
  bool Take(int k);
  void Ok();

  state::Program& p_;
  graph::MarkerDialogRequest& request_;
  store::Marker_s markers_[store::kMarkersPerChannel];
  int shown_ = 0;
  QComboBox* choice_ = nullptr;
  QLineEdit *index_ = nullptr, *value_ = nullptr, *labelIndex_ = nullptr, *labelValue_ = nullptr,
            *text_ = nullptr;
  QCheckBox* vertical_ = nullptr;
};

}  // namespace qt
