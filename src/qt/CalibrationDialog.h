// The calibration-from-curve dialog (`TKal_Dialog`): five records, each a
// waveform channel, two levels read off its curve (typed, or taken at
// cursor 1 or as the mean between the cursors) and the physical values they
// stand for. Calibrate and undo rescale the channel's samples at once; OK
// keeps the records and the shown one in the request.
// Object names: "record" (1..5), "channel", "value1", "value2", "level1",
// "level2", "level1Cur", "level1Mean", "level2Cur", "level2Mean", "calibrate",
// "undo", "ok", "init", "cancel".
#pragma once

#include <QDialog>
#include <iterator>

#include "graph/WindowDialogs.h"

class QComboBox;
class QLineEdit;

namespace state {
struct Program;
}

namespace qt {

class CalibrationDialog : public QDialog {
  Q_OBJECT

 public:
  CalibrationDialog(state::Program& p, graph::CalibrationDialogRequest& request, QWidget* parent);

 private:
  static constexpr int kRecords = int(std::size(graph::CalibrationDialogRequest{}.records));

  void Show(int k);
  // Takes the fields and the channel into record `k`; false (with a message)
  // when a changed field holds no number.
  bool Take(int k);
  void Level(float store::Kal_s::*field, bool mean);
  void Apply(bool undo);
  void Ok();

  state::Program& p_;
  graph::CalibrationDialogRequest& request_;
  store::Kal_s records_[kRecords];
  int shown_ = 0;
  QComboBox *record_ = nullptr, *channel_ = nullptr;
  QLineEdit *value1_ = nullptr, *value2_ = nullptr, *level1_ = nullptr, *level2_ = nullptr;
};

}  // namespace qt
