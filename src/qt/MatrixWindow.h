// The on-screen matrix display: the model's picture with its row of buttons
// along the top and a small menu (open a saved matrix, save it, save the
// picture). The model draws on the widget's image; the widget shows it,
// tells the model its size, the mouse position and the buttons pressed.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "graph/MatrixDisplay.h"
#include "qt/ModelPicture.h"

class QMenuBar;

namespace qt {

class MatrixWindow : public QWidget {
  Q_OBJECT

 public:
  // The model must outlive the widget or be let go with Detach first.
  explicit MatrixWindow(graph::TDispl2D& model, QWidget* parent = nullptr);
  ~MatrixWindow() override;

  void Detach();
  graph::TDispl2D* Model() const { return model_; }
  void SetCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }
  // Runs a command as its button does (the window may close meanwhile).
  void Press(int id);
  // The picture as the model drew it (the painter is closed first).
  const QImage& Image();
  int PictureTop() const;
  // Writes the picture as SVG when the name ends in ".svg", else as PNG;
  // false when the file cannot be written.
  bool SavePicture(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildButtons();
  void FitImage();
  void SchedulePaint();
  void RunPaint();
  void RunTimer();
  void AskSavePicture();

  graph::TDispl2D* model_;
  QMenuBar* menuBar_ = nullptr;
  ModelPicture picture_;
  QTimer timer_;
  std::function<void()> closeRequest_;
  bool paintPending_ = false;
};

// Draws the whole matrix display on `image` (the window takes its size); for
// benchmarks and tests. The model's surface is restored afterwards.
void RenderMatrix(graph::TDispl2D& w, QImage& image);

}  // namespace qt
