// The colour dialog (`COLDialog`): red, green and blue (0..255) and a
// vertical stretch coefficient (1..10) on scroll bars, each value shown
// beside its bar, and a sample line drawn in the chosen colour. Colours are
// 0x00BBGGRR. Object names: bars "red", "green", "blue", "coefficient";
// buttons "ok", "cancel", "init".
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QScrollBar;

namespace qt {

class ColourDialog : public QDialog {
  Q_OBJECT

 public:
  ColourDialog(QWidget* parent, uint32_t initial, int coefficient, const QString& title,
               const QString& cancelLabel);

  uint32_t Colour() const;
  int Coefficient() const;
  QString CoefficientLine() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Show();

  uint32_t initial_;
  int initialCoefficient_;
  QScrollBar* bars_[4] = {};
  QLabel* values_[4] = {};
};

}  // namespace qt
