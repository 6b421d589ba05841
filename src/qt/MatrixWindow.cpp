#include "qt/MatrixWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSvgGenerator>
#include <algorithm>

#include "files/DataFileFormat.h"
#include "qt/GraphWidget.h"
#include "qt/KeyCodes.h"
#include "qt/QtWindowHost.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {
namespace {

const QColor kUndrawn(192, 192, 192);

}  // namespace

MatrixWindow::MatrixWindow(graph::TDispl2D& model, QWidget* parent)
    : QWidget(parent), model_(&model), picture_(QSize(model.ClientW, model.ClientH), kUndrawn) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // the position read-out follows the mouse
  setWindowTitle(QString::fromStdString(model.Caption()));
  BuildMenu();
  BuildButtons();
  picture_.Canvas().SetDrawHandler([this] { update(); });
  model.SetSurface(&picture_.Canvas());
  resize(picture_.Size() + QSize(0, PictureTop()));
  timer_.setInterval(kGraphTimerMs);
  connect(&timer_, &QTimer::timeout, this, &MatrixWindow::RunTimer);
  timer_.start();
}

MatrixWindow::~MatrixWindow() = default;

void MatrixWindow::Detach() {
  timer_.stop();
  if (model_) model_->SetSurface(nullptr);
  model_ = nullptr;
  closeRequest_ = nullptr;
}

int MatrixWindow::PictureTop() const { return menuBar_ ? menuBar_->sizeHint().height() : 0; }

void MatrixWindow::BuildMenu() {
  const state::Program& p = model_->Prog();
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("matrixMenu"));
  QMenu* menu = menuBar_->addMenu(QString::fromUtf8(state::Lang(p, "&Matice", "&Matrix")));
  QAction* open =
      menu->addAction(QString::fromUtf8(state::Lang(p, "&Otevři matici...", "&Open a matrix...")));
  open->setObjectName(QStringLiteral("menu_open"));
  connect(open, &QAction::triggered, this, [this] {
    if (model_) (void)model_->OpenMatrixFile();
  });
  QAction* save = menu->addAction(QString::fromUtf8(state::Lang(p, "&Ulož matici", "&Save the matrix")));
  connect(save, &QAction::triggered, this, [this] { Press(graph::kMatSave); });
  QAction* png = menu->addAction(
      QString::fromUtf8(state::Lang(p, "Ulož &obrázek (PNG, SVG)...", "Save the &picture (PNG, SVG)...")));
  png->setObjectName(QStringLiteral("menu_png"));
  connect(png, &QAction::triggered, this, &MatrixWindow::AskSavePicture);
  menu->addSeparator();
  QAction* close = menu->addAction(QString::fromStdString(state::Txt(p, 20)));
  connect(close, &QAction::triggered, this, [this] { Press(graph::kMatClose); });
  menuBar_->setGeometry(0, 0, std::max(width(), 1), menuBar_->sizeHint().height());
}

void MatrixWindow::BuildButtons() {
  const int top = PictureTop();
  for (const graph::MatrixButton& b : graph::MatrixButtons()) {
    auto* button = new QPushButton(QString::fromStdString(graph::MatrixButtonLabel(model_->Prog(), b)), this);
    button->setObjectName(QStringLiteral("button_%1").arg(b.id));
    button->setGeometry(b.x, top + graph::kMatrixButtonY, b.width, graph::kMatrixButtonH);
    button->setFocusPolicy(Qt::NoFocus);
    const int id = b.id;
    connect(button, &QPushButton::clicked, this, [this, id] { Press(id); });
  }
}

void MatrixWindow::Press(int id) {
  if (!model_) return;
  // False: the window closed and the host has detached this widget.
  if (model_->EvCommand(id) && model_) setFocus();
}

const QImage& MatrixWindow::Image() { return picture_.Image(); }

bool MatrixWindow::SavePicture(const QString& path) {
  if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return Image().save(path, "PNG");
  if (!model_) return false;
  // SVG: the window draws its picture again onto the generator, as vectors.
  const QSize size = picture_.Size();
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QString::fromStdString(model_->Caption()));
  {
    QtCanvas canvas(svg);
    model_->SetSurface(&canvas);
    model_->Paint();
    model_->SetSurface(&picture_.Canvas());
  }
  model_->Paint();
  return QFileInfo(path).size() > 0;
}

void MatrixWindow::AskSavePicture() {
  if (!model_) return;
  state::Program& p = model_->Prog();
  platform::FileDialogRequest request;
  request.title = state::Lang(p, "Ulož obrázek matice", "Save the picture of the matrix");
  request.filter =
      state::Lang(p, "Obrázky PNG$*.PNG$Obrázky SVG$*.SVG", "PNG pictures$*.PNG$SVG pictures$*.SVG");
  request.folder = files::ResolveDataName(p, "\\DATA\\");
  request.mask = "*.PNG";
  request.save = true;
  const std::optional<std::string> path = p.ui().ChooseFile(request);
  if (!path || path->empty()) return;
  if (!SavePicture(QString::fromStdString(*path)))
    state::Mess(p, state::Lang(p, "Obrázek nelze zapsat.", "The picture cannot be written."),
                state::Txt(p, 13));
}

void MatrixWindow::FitImage() {
  if (menuBar_) menuBar_->setGeometry(0, 0, width(), PictureTop());
  if (picture_.Fit(size() - QSize(0, PictureTop())) && model_)
    model_->SetClientSize(picture_.Size().width(), picture_.Size().height());
}

void MatrixWindow::SchedulePaint() {
  if (paintPending_) return;
  paintPending_ = true;
  QMetaObject::invokeMethod(this, &MatrixWindow::RunPaint, Qt::QueuedConnection);
}

void MatrixWindow::RunPaint() {
  paintPending_ = false;
  if (model_) model_->Paint();
}

void MatrixWindow::RunTimer() {
  if (model_ && !TimerHold::Held()) model_->Timer();
}

void MatrixWindow::paintEvent(QPaintEvent*) { picture_.PaintOn(*this, PictureTop()); }

void MatrixWindow::resizeEvent(QResizeEvent*) {
  FitImage();
  SchedulePaint();
}

void MatrixWindow::showEvent(QShowEvent*) {
  FitImage();
  SchedulePaint();
}

void MatrixWindow::keyPressEvent(QKeyEvent* event) {
  if (model_) model_->KeyDown(VirtualKey(*event), Modifiers(*event));
  QWidget::keyPressEvent(event);
}

void MatrixWindow::keyReleaseEvent(QKeyEvent* event) {
  if (model_ && !event->isAutoRepeat()) model_->KeyUp(VirtualKey(*event));
  QWidget::keyReleaseEvent(event);
}

void MatrixWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = event->position().toPoint() - QPoint(0, PictureTop());
  (void)model_->Pozice(at.x(), at.y());
}

void MatrixWindow::closeEvent(QCloseEvent* event) {
  if (closeRequest_ && model_) {
    event->ignore();
    std::function<void()> request = closeRequest_;
    request();
    return;
  }
  event->accept();
}

void RenderMatrix(graph::TDispl2D& w, QImage& image) { RenderOnImage(w, image); }

}  // namespace qt
