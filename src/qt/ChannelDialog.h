// The channel selection dialog (`TMultiDialog`) on screen, over
// daq::ChannelForm: the page list, three rows of 16 check boxes with their
// "X" / "_" buttons, the channel pictures of both stores, the information
// boxes, the colour row, and the buttons. A 200 ms timer keeps the pictures
// and the information current while a run changes the stores.
// Object names: "page" (the list), "box_<row>_<column>" (rows 1..3, columns
// 0..15), "checkAll_<row>", "clearAll_<row>", "present_<store>_<column>"
// (store 1 = W, 0 = M), "info_<store>", "colour_<column>", "initColours",
// "acquisition" (control 868), "generator" (869), "ok", "init", "cancel".
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

#include "daq/ChannelForm.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTimer;

namespace state {
struct Program;
}

namespace qt {

class ChannelDialog : public QDialog {
  Q_OBJECT

 public:
  ChannelDialog(state::Program& p, QWidget* parent);

  // How a column's colour is chosen: the colour dialog with the given title,
  // pre-set to the colour; answers false on Cancel. Tests put their own here.
  using ColourChooser = std::function<bool(const QString& title, uint32_t& colour)>;
  void SetColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

  const daq::ChannelForm& Form() const { return form_; }

 private:
  void BuildRows(QGridLayout* grid);
  void ShowPage();
  void ShowStores();
  void ShowColours();
  void ChooseColour(int column);
  void Ok();

  state::Program& p_;
  daq::ChannelForm form_;
  ColourChooser chooser_;
  QComboBox* page_ = nullptr;
  QCheckBox* boxes_[daq::kRows][daq::kPageChannels] = {};
  QPushButton* rowButtons_[daq::kRows][2] = {};
  QLabel* present_[2][daq::kPageChannels] = {};
  QLabel* info_[2] = {};
  QPushButton* colours_[daq::kPageChannels] = {};
  QTimer* timer_ = nullptr;
};

}  // namespace qt
