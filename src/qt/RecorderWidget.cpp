#include "qt/RecorderWidget.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <algorithm>

#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {
namespace {

const QColor kUndrawn(255, 255, 255);

// Counts the widget's own handlers, so a model closed from one of them (its
// menu's close item, the close button) lets the widget go later.
class HandlerScope {
 public:
  explicit HandlerScope(int& depth) : depth_(depth) { ++depth_; }
  ~HandlerScope() { --depth_; }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  int& depth_;
};

// The widget goes with its model.
class WidgetView : public graph::RecorderView {
 public:
  explicit WidgetView(RecorderWidget* widget) : widget_(widget) {}
  ~WidgetView() override {
    if (!widget_) return;
    widget_->Detach();
    widget_->hide();
    if (widget_->Handling())
      widget_->deleteLater();
    else
      delete widget_.data();
  }
  WidgetView(const WidgetView&) = delete;
  WidgetView& operator=(const WidgetView&) = delete;

 private:
  QPointer<RecorderWidget> widget_;
};

}  // namespace

RecorderWidget::RecorderWidget(graph::RecorderWindow& model, QWidget* parent)
    : QWidget(parent),
      model_(&model),
      image_(std::max(model.WindowRect()[2] - model.WindowRect()[0], 1),
             std::max(model.WindowRect()[3] - model.WindowRect()[1], 1), QImage::Format_RGB32),
      canvas_(image_) {
  image_.fill(kUndrawn);
  setAttribute(Qt::WA_OpaquePaintEvent);
  BuildMenu();
  canvas_.SetDrawHandler([this] { update(); });
  model.SetSurface(&canvas_);
  model.ExportPicture = [this](const std::string& path) {
    canvas_.End();
    return image_.save(QString::fromStdString(path), "PNG");
  };
  setWindowTitle(QString::fromStdString(model.Caption()));
  const int32_t* r = model.WindowRect();
  resize(image_.width(), image_.height() + PictureTop());
  move(r[0], r[1]);
}

RecorderWidget::~RecorderWidget() { canvas_.End(); }

void RecorderWidget::Detach() {
  if (model_) {
    model_->SetSurface(nullptr);
    model_->ExportPicture = nullptr;
  }
  model_ = nullptr;
  closeRequest_ = nullptr;
}

int RecorderWidget::PictureTop() const { return menuBar_ ? menuBar_->height() : 0; }

const QImage& RecorderWidget::Image() {
  canvas_.End();
  return image_;
}

void RecorderWidget::BuildMenu() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("recorderMenu"));
  QMenu* menu = menuBar_->addMenu(QStringLiteral("&Menu"));
  menu->setObjectName(QStringLiteral("recorderItems"));
  for (const graph::RecorderMenuRow& row : graph::RecorderMenuRows(model_->Kind())) {
    QAction* a = menu->addAction(QString::fromStdString(model_->MenuText(row)));
    a->setObjectName(QStringLiteral("recorder_%1").arg(row.id));
    a->setCheckable(row.checkable);
    const int id = row.id;
    connect(a, &QAction::triggered, this, [this, id] { RunMenu(id); });
  }
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    if (!model_) return;
    for (QAction* a : menu->actions()) {
      const int id = a->objectName().mid(9).toInt();
      if (a->isCheckable()) a->setChecked(model_->MenuChecked(id));
    }
  });
  menuBar_->setGeometry(0, 0, std::max(width(), 1), menuBar_->sizeHint().height());
}

void RecorderWidget::RunMenu(int id) {
  if (!model_) return;
  HandlerScope h(handling_);
  model_->MenuCommand(id);  // may close the model, which detaches this widget
}

void RecorderWidget::FitImage() {
  if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuBar_->height());
  const QSize s(std::clamp(width(), 1, graph::kMaxScreenW),
                std::clamp(height() - PictureTop(), 1, graph::kMaxScreenH));
  if (image_.size() == s) return;
  canvas_.End();  // the painter works on the old pixels
  image_ = QImage(s, QImage::Format_RGB32);
  image_.fill(kUndrawn);
  if (!model_) return;
  model_->SetClientSize(s.width(), s.height());
  model_->Paint();
}

void RecorderWidget::paintEvent(QPaintEvent*) {
  canvas_.End();
  QPainter p(this);
  p.fillRect(rect(), kUndrawn);
  p.drawImage(0, PictureTop(), image_);
}

void RecorderWidget::resizeEvent(QResizeEvent*) {
  HandlerScope h(handling_);
  FitImage();
}

void RecorderWidget::showEvent(QShowEvent*) {
  HandlerScope h(handling_);
  FitImage();
}

void RecorderWidget::closeEvent(QCloseEvent* event) {
  if (closeRequest_ && model_) {
    // The program closes its window through its tables; the model then
    // lets this widget go.
    event->ignore();
    HandlerScope h(handling_);
    std::function<void()> request = closeRequest_;
    request();
    return;
  }
  event->accept();
}

std::function<std::unique_ptr<platform::GraphWindow>(const platform::GraphWindowSpec&, int kind)>
MakeRecorderWidgetFactory(state::Program& p) {
  auto models = graph::MakeRecorderFactory(p, graph::OwnSurface::Recording);
  return [&p, models](const platform::GraphWindowSpec& request,
                      int kind) -> std::unique_ptr<platform::GraphWindow> {
    std::unique_ptr<platform::GraphWindow> w = models(request, kind);
    auto* model = dynamic_cast<graph::RecorderWindow*>(w.get());
    if (!model) return w;
    auto* widget = new RecorderWidget(*model);
    widget->SetCloseRequest([&p, model] { state::CloseRecorderWindow(p, *model); });
    model->SetView(std::make_unique<WidgetView>(widget));
    widget->show();
    return w;
  };
}

}  // namespace qt
