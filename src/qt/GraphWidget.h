// The on-screen window of a graph window model. The model draws on the
// widget's image whenever it likes (a cursor in a key handler, a live trace
// point by point); the widget only shows that image, tells the model its
// size, forwards keys and the mouse, carries the window's menu above the
// picture and runs the model's 300 ms timer. All logic stays in the model.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "graph/GraphModel.h"
#include "qt/ModelPicture.h"

class QMenuBar;
class QMouseEvent;

namespace qt {

inline constexpr int kGraphTimerMs = 300;

class GraphWidget : public QWidget {
  Q_OBJECT

 public:
  // Attaches the widget's surface to the model. The model must outlive the
  // widget or be let go with Detach first.
  explicit GraphWidget(graph::TDispl10& model, QWidget* parent = nullptr);
  ~GraphWidget() override;

  // Lets the model go (its surface back to its own) and never calls it again.
  void Detach();
  graph::TDispl10* Model() const { return model_; }
  // After a call of the model: take its caption (what it drew shows by
  // itself, the canvas asks for a repaint when the model starts drawing).
  void Refresh();
  // What the close button asks for; without it the window only hides.
  void SetCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }
  // Places the window: the frame's top left corner at the rectangle's, the
  // picture as large as the rectangle (the model keeps the rectangle as its
  // position and client size; the menu bar comes on top of it).
  void PlaceAt(const int32_t rect[4]);

  // The picture as the model drew it (the painter is closed first).
  const QImage& Image();
  // Writes the picture ("PNG", "SVG") or the print page ("PDF") to `file`.
  bool SavePictureTo(const QString& kind, const QString& file);
  // The window menu; the picture starts below it.
  QMenuBar* MenuBar() const { return menuBar_; }
  int PictureTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Tab belongs to the graph keys, not to the focus chain.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void FitImage();
  void SchedulePaint();
  void RunPaint();
  void RunTimer();
  void StoreRect();
  void BuildMenu();
  void RunMenu(int id);
  // The picture as PNG or SVG, the print page as PDF, into a file the user names.
  void SavePicture(const QString& kind);
  // A mouse position in the model's client pixels, inside the picture.
  QPoint ClientPoint(const QMouseEvent& event) const;

  graph::TDispl10* model_;
  QMenuBar* menuBar_ = nullptr;
  ModelPicture picture_;
  QTimer timer_;
  std::function<void()> closeRequest_;
  std::string caption_;
  bool paintPending_ = false;
  bool placed_ = false;  // moves before the first placement are Qt's, not the user's
};

// Draws the whole window `w` on `image` (the window takes the image's size),
// as the widget's paint does; for benchmarks and tests. The model's surface
// is restored afterwards.
void RenderGraph(graph::TDispl10& w, QImage& image);

}  // namespace qt
