#include "qt/RecorderWidget.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
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
      picture_(
          QSize(model.WindowRect()[2] - model.WindowRect()[0], model.WindowRect()[3] - model.WindowRect()[1]),
          kUndrawn) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  BuildMenu();
  picture_.Canvas().SetDrawHandler([this] { update(); });
  model.SetSurface(&picture_.Canvas());
  model.ExportPicture = [this](const std::string& path) {
    return picture_.Image().save(QString::fromStdString(path), "PNG");
  };
  setWindowTitle(QString::fromStdString(model.Caption()));
  const int32_t* r = model.WindowRect();
  resize(picture_.Size() + QSize(0, PictureTop()));
  move(r[0], r[1]);
}

RecorderWidget::~RecorderWidget() = default;

void RecorderWidget::Detach() {
  if (model_) {
    model_->SetSurface(nullptr);
    model_->ExportPicture = nullptr;
  }
  model_ = nullptr;
  closeRequest_ = nullptr;
}

int RecorderWidget::PictureTop() const { return menuBar_ ? menuBar_->height() : 0; }

const QImage& RecorderWidget::Image() { return picture_.Image(); }

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
  if (!picture_.Fit(size() - QSize(0, PictureTop())) || !model_) return;
  model_->SetClientSize(picture_.Size().width(), picture_.Size().height());
  model_->Paint();
}

void RecorderWidget::paintEvent(QPaintEvent*) { picture_.PaintOn(*this, PictureTop()); }

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
