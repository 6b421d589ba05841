#include "qt/MainWidget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "app/MainPanel.h"
#include "app/MenuCommands.h"
#include "macro/InternalCommands.h"
#include "qt/CommandDialog.h"
#include "qt/KeyCodes.h"
#include "qt/MainMenu.h"
#include "qt/QtWindowHost.h"
#include "qt/TooltipWindow.h"
#include "state/ExitRequest.h"
#include "state/Program.h"

namespace qt {
namespace {

// The client area: shows the panel image and hands the mouse to the window.
class PanelSurface : public QWidget {
 public:
  explicit PanelSurface(MainWidget* owner) : QWidget(owner), owner_(owner) {
    setObjectName(QStringLiteral("panel"));
    setFixedSize(app::kMainClientWidth, app::kMainClientHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_->PaintPanelImage(painter);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    owner_->PanelMouseMove(e->position().toPoint(), e->globalPosition().toPoint());
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton)
      owner_->PanelMousePress(e->position().toPoint(), e->globalPosition().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) owner_->PanelMouseRelease(e->position().toPoint());
  }
  void leaveEvent(QEvent*) override { owner_->PanelLeave(); }

 private:
  MainWidget* owner_;
};

constexpr Qt::WindowFlags kFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint;

}  // namespace

MainWidget::MainWidget(state::Program& p, QWidget* parent)
    : QMainWindow(parent, kFlags),
      p_(p),
      image_(app::kMainClientWidth, app::kMainClientHeight, QImage::Format_RGB32),
      canvas_(image_) {
  setObjectName(QStringLiteral("MainWindow"));
  image_.fill(QColor(192, 192, 192));
  logic_ = std::make_unique<app::TMainWindow>(p, this);
  setWindowTitle(QString::fromStdString(p.Caption));
  panel_ = new PanelSurface(this);
  setCentralWidget(panel_);
  menu_ = BuildMainMenu(this, p, [this](int id) { MenuChosen(id); });
  setMenuBar(menu_);
  // The size follows the fixed client area and the menu bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setFocusPolicy(Qt::StrongFocus);
  canvas_.SetDrawHandler([this] {
    if (panel_) panel_->update();
  });
  tooltip_ = new TooltipWindow(this);
  timer_.setInterval(kMainTimerMs);
  connect(&timer_, &QTimer::timeout, this, &MainWidget::Tick);
  PlaceVisibly();
}

MainWidget::~MainWidget() {
  timer_.stop();
  canvas_.End();
  // The dialog reports to the logic; it must not outlive it.
  delete dialog_.data();
}

bool MainWidget::Start() {
  if (!logic_->SetupWindow()) return false;
  app::PaintPanel(p_, canvas_, held_);
  timer_.start();
  // The first tick loads the work set and opens its windows: at once, not
  // a whole period after the window appeared.
  QTimer::singleShot(0, this, &MainWidget::Tick);
  return true;
}

TooltipWindow* MainWidget::Tooltip() const { return tooltip_; }

CommandDialog* MainWidget::OpenedCommandDialog() const { return dialog_; }

const QImage& MainWidget::Image() {
  canvas_.End();
  return image_;
}

void MainWidget::PaintPanelImage(QPainter& painter) {
  canvas_.End();
  painter.drawImage(0, 0, image_);
}

void MainWidget::Tick() {
  // A loop that pumps events (a transfer, a wait) must not be re-entered.
  if (TimerHold::Held() || logic_->Closed()) return;
  logic_->Timer();
}

void MainWidget::MenuChosen(int id) {
  app::MenuCommand(p_, id);
  p_.DoPanel = 1;
}

void MainWidget::PlaceVisibly() {
  // A position from a job file may be anything.
  const int x = std::clamp(p_.DG.MainX, -100000, 100000);
  const int y = std::clamp(p_.DG.MainY, -100000, 100000);
  const QSize size = sizeHint().expandedTo(QSize(app::kMainClientWidth, app::kMainClientHeight));
  const QRect want(QPoint(x, y), size);
  // Visible enough to be grabbed: a good part of the caption on some screen.
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect seen = screen->availableGeometry().intersected(want);
    if (seen.width() >= 100 && seen.top() == want.top() && seen.height() >= 30) {
      move(want.topLeft());
      return;
    }
  }
  QScreen* primary = QGuiApplication::primaryScreen();
  move(primary ? primary->availableGeometry().topLeft() + QPoint(20, 20) : QPoint(20, 20));
}

// --- the panel ---

void MainWidget::ShowTooltip(int region, QPoint global) {
  if (!tooltip_) return;
  const app::PanelTooltip tip = app::PanelTooltipOf(p_, region);
  if (tip.text.empty()) return HideTooltip();
  QString text = QString::fromStdString(tip.text);
  if (!tip.title.empty()) text = QString::fromStdString(tip.title) + QLatin1Char('\n') + text;
  tooltip_->ShowText(text, global);
}

void MainWidget::HideTooltip() {
  if (tooltip_ && tooltip_->isVisible()) tooltip_->UserMessage(TooltipWindow::kClose);
}

void MainWidget::PanelMouseMove(QPoint at, QPoint global) {
  const int region = app::PanelButtonAt(at.x(), at.y());
  if (region == hover_) return;
  hover_ = region;
  if (region < 0)
    HideTooltip();
  else
    ShowTooltip(region, global);
}

void MainWidget::PanelMousePress(QPoint at, QPoint global) {
  held_ = app::PanelButtonAt(at.x(), at.y());
  if (held_ < 0) return;
  hover_ = held_;
  ShowTooltip(held_, global);
  app::PaintPanel(p_, canvas_, held_);
}

void MainWidget::PanelMouseRelease(QPoint at) {
  HideTooltip();
  const bool wasHeld = held_ >= 0;
  held_ = -1;
  if (wasHeld) app::PaintPanel(p_, canvas_, held_);
  if (logic_->Closed()) return;
  if (int command = app::PanelCommandAt(at.x(), at.y())) {
    macro::Command(p_, command);
    p_.DoPanel = 1;
  }
}

void MainWidget::PanelLeave() {
  hover_ = -1;
  HideTooltip();
}

// --- app::MainView ---

void MainWidget::DrawStatus() { app::PaintStatusLine(p_, canvas_); }

void MainWidget::DrawMacroLine() { app::PaintMacroLine(p_, canvas_); }

void MainWidget::DrawPanel() { app::PaintPanel(p_, canvas_, held_); }

void MainWidget::DrawHeartbeat(int count) { app::PaintHeartbeat(p_, canvas_, count); }

void MainWidget::Close() {
  closing_ = true;
  timer_.stop();
  HideTooltip();
  close();
  if (onClosed_) onClosed_();
}

void MainWidget::Position(int& x, int& y) {
  x = pos().x();
  y = pos().y();
}

bool MainWidget::OpenCommandDialog(int firstKey) {
  if (dialog_) return false;
  auto* dialog = new CommandDialog(p_, firstKey, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog_ = dialog;
  connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
    const std::string line = dialog->Line().toStdString();
    dialog_ = nullptr;
    // Run the line once the dialog is gone, not inside its closing.
    QMetaObject::invokeMethod(
        this,
        [this, line, ok = result == QDialog::Accepted] {
          logic_->CommandDialogClosed(ok, line);
          UpdateMainMenu(menu_, p_);
        },
        Qt::QueuedConnection);
  });
  dialog->open();
  return true;
}

// --- keys and closing ---

void MainWidget::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKey(*event);
  if (!key) return QMainWindow::keyPressEvent(event);
  logic_->KeyDown(key, Modifiers(*event));
}

void MainWidget::keyReleaseEvent(QKeyEvent* event) {
  // Held keys repeat their presses only, as the program expects.
  if (event->isAutoRepeat()) return;
  logic_->KeyUp(VirtualKey(*event));
}

void MainWidget::closeEvent(QCloseEvent* event) {
  if (closing_ || logic_->Closed()) {
    HideTooltip();
    event->accept();
    return;
  }
  // The close button asks, like the exit button; the next tick closes.
  event->ignore();
  state::MainExitTRV(p_, true);
}

}  // namespace qt
