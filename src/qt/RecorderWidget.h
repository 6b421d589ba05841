// The on-screen window of a recorder model: shows the image the model draws
// on, carries the recorder's menu, tells the model its size and offers the
// picture export as a PNG file. The model's timer and first paint come from
// the window host, as for any window model; all logic stays in the model.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "graph/RecorderModel.h"
#include "qt/ModelPicture.h"

class QMenuBar;

namespace state {
struct Program;
}

namespace qt {

class RecorderWidget : public QWidget {
  Q_OBJECT

 public:
  // Attaches the widget's surface to the model; the model must outlive the
  // widget or let it go with Detach first.
  explicit RecorderWidget(graph::RecorderWindow& model, QWidget* parent = nullptr);
  ~RecorderWidget() override;

  void Detach();
  graph::RecorderWindow* Model() const { return model_; }
  // What the close button asks for; without it the window only hides.
  void SetCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }
  // Inside one of the widget's own handlers (it must not be deleted at once).
  bool Handling() const { return handling_ > 0; }

  // The picture as the model drew it (the painter is closed first).
  const QImage& Image();
  QMenuBar* MenuBar() const { return menuBar_; }
  int PictureTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void RunMenu(int id);
  void FitImage();

  graph::RecorderWindow* model_;
  QMenuBar* menuBar_ = nullptr;
  ModelPicture picture_;
  std::function<void()> closeRequest_;
  int handling_ = 0;
};

// The recorder factory of the desktop program: every model gets a widget of
// its own, which goes with the model.
std::function<std::unique_ptr<platform::GraphWindow>(const platform::GraphWindowSpec&, int kind)>
MakeRecorderWidgetFactory(state::Program& p);

}  // namespace qt
