#include "qt/GraphWidget.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSvgGenerator>
#include <algorithm>

#include "graph/GraphWindowMenu.h"
#include "qt/KeyCodes.h"
#include "qt/PrintJobs.h"
#include "qt/QtWindowHost.h"

namespace qt {
namespace {

const QColor kUndrawn(192, 192, 192);  // the window background before the first paint

}  // namespace

GraphWidget::GraphWidget(graph::TDispl10& model, QWidget* parent)
    : QWidget(parent), model_(&model), picture_(QSize(model.ClientW, model.ClientH), kUndrawn) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  // Hovering over the hot buttons and the panel needs moves without a button.
  setMouseTracking(true);
  BuildMenu();
  picture_.Canvas().SetDrawHandler([this] { update(); });
  model.SetSurface(&picture_.Canvas());
  caption_ = model.Caption();
  setWindowTitle(QString::fromStdString(caption_));
  timer_.setInterval(kGraphTimerMs);
  connect(&timer_, &QTimer::timeout, this, &GraphWidget::RunTimer);
  timer_.start();
}

// The model is not touched here: at the end of the program it may already
// be gone. Whoever closes the window detaches it first (QtWindowHost::Close).
GraphWidget::~GraphWidget() = default;

void GraphWidget::Detach() {
  timer_.stop();
  if (model_) model_->SetSurface(nullptr);
  model_ = nullptr;
  closeRequest_ = nullptr;
}

// What the model drew is shown without this: the canvas asks for it.
void GraphWidget::Refresh() {
  if (!model_ || model_->Caption() == caption_) return;
  caption_ = model_->Caption();
  setWindowTitle(QString::fromStdString(caption_));
}

int GraphWidget::PictureTop() const { return menuBar_ ? menuBar_->height() : 0; }

void GraphWidget::BuildMenu() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("windowMenu"));
  QMenu* submenu = nullptr;
  for (const graph::WindowMenuRow& row : graph::WindowMenuRows()) {
    const QString label = QString::fromUtf8(row.label);
    switch (row.kind) {
      case graph::WindowMenuKind::Submenu:
        submenu = menuBar_->addMenu(label);
        break;
      case graph::WindowMenuKind::EndSubmenu:
        submenu = nullptr;
        break;
      case graph::WindowMenuKind::Item: {
        QAction* a = submenu ? submenu->addAction(label) : menuBar_->addAction(label);
        a->setObjectName(QStringLiteral("menu_%1").arg(row.id));
        const int id = row.id;
        connect(a, &QAction::triggered, this, [this, id] { RunMenu(id); });
        break;
      }
    }
  }
  QMenu* picture = menuBar_->addMenu(QStringLiteral("O&brázek"));
  for (const char* kind : {"PNG", "SVG", "PDF"}) {
    QAction* a = picture->addAction(QStringLiteral("%1...").arg(QLatin1String(kind)));
    a->setObjectName(QStringLiteral("picture_%1").arg(QLatin1String(kind)));
    connect(a, &QAction::triggered, this, [this, kind] { SavePicture(QLatin1String(kind)); });
  }
  // The block print: B puts this graph into a block of the page, D empties
  // a block, C puts it there and prints the page at once.
  QMenu* blocks = menuBar_->addMenu(QStringLiteral("B&loky tisku"));
  auto blockItem = [this, blocks](const QString& label, int id) {
    QAction* a = blocks->addAction(label);
    a->setObjectName(QStringLiteral("block_%1").arg(id));
    connect(a, &QAction::triggered, this, [this, id] {
      if (model_) model_->EvCommand(id);
      Refresh();
      if (model_) setFocus();
    });
  };
  for (int k = 0; k < 6; ++k) blockItem(QStringLiteral("B%1").arg(k + 1), 150 + k);
  blocks->addSeparator();
  for (int k = 0; k < 6; ++k) blockItem(QStringLiteral("D%1").arg(k + 1), 160 + k);
  blocks->addSeparator();
  for (int k = 0; k < 6; ++k) blockItem(QStringLiteral("C%1").arg(k + 1), 170 + k);
  blocks->addSeparator();
  blockItem(QStringLiteral("V1"), 183);
  blockItem(QString::fromUtf8("Všechna okna do bloků"), 182);
  blockItem(QString::fromUtf8("Vyprázdni bloky"), 181);
  // One row: what does not fit goes behind the bar's extension button.
  menuBar_->setGeometry(0, 0, std::max(width(), 1), menuBar_->sizeHint().height());
}

void GraphWidget::RunMenu(int id) {
  if (!model_) return;
  model_->MenuCommand(id);
  Refresh();
  if (model_) setFocus();  // the keys go to the window again
}

void GraphWidget::SavePicture(const QString& kind) {
  if (!model_) return;
  const QString file =
      QFileDialog::getSaveFileName(this, kind, QString(), QStringLiteral("*.") + kind.toLower());
  if (!file.isEmpty()) SavePictureTo(kind, file);
  if (model_) setFocus();
}

bool GraphWidget::SavePictureTo(const QString& kind, const QString& file) {
  if (!model_) return false;
  if (kind == QLatin1String("PDF")) return model_->PrintToJob(OpenPdfJob(file.toStdString(), "Picture"));
  if (kind == QLatin1String("PNG")) return Image().save(file, "PNG");
  // SVG: the window draws its whole picture again onto the generator.
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(picture_.Size());
  svg.setViewBox(QRect(QPoint(0, 0), picture_.Size()));
  svg.setTitle(QString::fromStdString(model_->Caption()));
  {
    QtCanvas canvas(svg);
    model_->DoClear = 1;
    model_->Displ(canvas);
  }
  // The screen shows the same; its next partial repaint starts from a whole one.
  model_->DoClear = 1;
  return QFileInfo(file).size() > 0;
}

// A drag goes on outside the window (the widget holds the mouse): the model
// gets the nearest picture pixel.
QPoint GraphWidget::ClientPoint(const QMouseEvent& event) const {
  const QPoint at = event.position().toPoint() - QPoint(0, PictureTop());
  const QSize s = picture_.Size();
  return QPoint(std::clamp(at.x(), 0, s.width() - 1), std::clamp(at.y(), 0, s.height() - 1));
}

void GraphWidget::PlaceAt(const int32_t rect[4]) {
  resize(ModelPicture::Clamped(QSize(rect[2] - rect[0], rect[3] - rect[1])) + QSize(0, PictureTop()));
  move(rect[0], rect[1]);
  placed_ = true;
}

const QImage& GraphWidget::Image() { return picture_.Image(); }

void GraphWidget::FitImage() {
  if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuBar_->height());
  if (picture_.Fit(size() - QSize(0, PictureTop())) && model_)
    model_->SetClientSize(picture_.Size().width(), picture_.Size().height());
}

void GraphWidget::SchedulePaint() {
  if (paintPending_) return;
  paintPending_ = true;
  // Later, as a window system sends its paint after the size: one paint for
  // a burst of size changes, none once the widget is gone.
  QMetaObject::invokeMethod(this, &GraphWidget::RunPaint, Qt::QueuedConnection);
}

void GraphWidget::RunPaint() {
  paintPending_ = false;
  if (!model_) return;
  model_->Paint();
  Refresh();
}

void GraphWidget::RunTimer() {
  if (!model_ || TimerHold::Held()) return;
  model_->Timer();
  Refresh();
}

void GraphWidget::StoreRect() {
  if (!model_ || !placed_) return;
  const QPoint at = pos();  // the frame's corner
  const QSize s = picture_.Size();
  const int32_t rect[4] = {at.x(), at.y(), at.x() + s.width(), at.y() + s.height()};
  model_->SetWindowRect(rect);
}

void GraphWidget::paintEvent(QPaintEvent*) { picture_.PaintOn(*this, PictureTop()); }

void GraphWidget::resizeEvent(QResizeEvent*) {
  FitImage();
  StoreRect();
  SchedulePaint();
}

void GraphWidget::moveEvent(QMoveEvent*) { StoreRect(); }

void GraphWidget::showEvent(QShowEvent*) {
  FitImage();
  SchedulePaint();
}

void GraphWidget::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKey(*event);
  if (!model_ || key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  int modifiers = Modifiers(*event);
  // A modifier key alone arrives as itself, as the window's key map expects.
  if (key == kShiftKey) modifiers &= ~kShift;
  if (key == kControlKey) modifiers &= ~kControl;
  const bool used = model_->KeyDown(key, modifiers);
  Refresh();  // the key may have closed the window: Refresh checks
  event->setAccepted(used);
}

void GraphWidget::keyReleaseEvent(QKeyEvent* event) {
  const int key = VirtualKey(*event);
  // A held key repeats its press only: its release ends the growing steps.
  if (!model_ || key == 0 || event->isAutoRepeat()) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  model_->KeyUp(key);
  Refresh();
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = ClientPoint(*event);
  switch (event->button()) {
    case Qt::LeftButton:
      model_->LButtonDown(at.x(), at.y());
      break;
    case Qt::RightButton:
      model_->RButtonDown(at.x(), at.y());
      break;
    case Qt::MiddleButton:
      model_->MButtonDown(at.x(), at.y());
      break;
    default:
      return;
  }
  Refresh();
}

void GraphWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = ClientPoint(*event);
  switch (event->button()) {
    case Qt::LeftButton:
      model_->LButtonUp(at.x(), at.y());
      break;
    case Qt::RightButton:
      model_->RButtonUp(at.x(), at.y());
      break;
    case Qt::MiddleButton:
      model_->MButtonUp(at.x(), at.y());
      break;
    default:
      return;
  }
  Refresh();
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = ClientPoint(*event);
  const Qt::MouseButtons b = event->buttons();
  model_->MouseMove(
      at.x(), at.y(),
      (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0));
  Refresh();
}

void GraphWidget::closeEvent(QCloseEvent* event) {
  if (closeRequest_ && model_) {
    // The program closes its window through its tables; the host then
    // detaches and deletes this widget.
    event->ignore();
    std::function<void()> request = closeRequest_;
    request();
    return;
  }
  event->accept();
}

void RenderGraph(graph::TDispl10& w, QImage& image) { RenderOnImage(w, image); }

}  // namespace qt
