// The multi display dialog (`TMultiDisplDialog`): one check box per channel
// for the mask, the distance of offset traces, all boxes set or cleared, and
// the deletion of the channels left unchosen. It edits the request only on
// OK, or on a confirmed deletion, which also closes it (the window deletes).
// Object names: "chan_<0-based channel>", "step" (the distance shown),
// "setStep", "all", "none", "delete", "ok", "cancel".
#pragma once

#include <QDialog>

#include "graph/WindowDialogs.h"
#include "store/Records.h"

class QCheckBox;
class QLabel;

namespace state {
struct Program;
}

namespace qt {

class MultiDisplDialog : public QDialog {
  Q_OBJECT

 public:
  MultiDisplDialog(state::Program& p, graph::MultiDisplRequest& request, QWidget* parent);

 private:
  void SetAll(bool on, int question);
  void WriteBack();

  state::Program& p_;
  graph::MultiDisplRequest& request_;
  float step_;
  QCheckBox* boxes_[store::kChannels] = {};
  QLabel* stepLabel_ = nullptr;
};

}  // namespace qt
