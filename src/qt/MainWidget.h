// The main window of the desktop program: hosts the main window's logic
// (app::TMainWindow), draws its panel on an image through QtCanvas, turns
// mouse, keys, the 200 ms timer and the close button into the logic's calls,
// and carries the main menu.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/MainView.h"
#include "app/MainWindow.h"
#include "qt/QtCanvas.h"

class QMenuBar;

namespace state {
struct Program;
}

namespace qt {

class CommandDialog;
class TooltipWindow;

inline constexpr int kMainTimerMs = 200;

class MainWidget : public QMainWindow, public app::MainView {
  Q_OBJECT

 public:
  explicit MainWidget(state::Program& p, QWidget* parent = nullptr);
  ~MainWidget() override;

  app::TMainWindow& Logic() { return *logic_; }
  // `SetupWindow` (false: the program must close; the message was shown),
  // then the timer starts.
  bool Start();
  // Called once the exit has completed and the window closed.
  void SetClosedHandler(std::function<void()> handler) { onClosed_ = std::move(handler); }

  QWidget* Panel() const { return panel_; }
  QMenuBar* Menu() const { return menu_; }
  TooltipWindow* Tooltip() const;
  // The command dialog while it is open, else null.
  CommandDialog* OpenedCommandDialog() const;
  // The panel as last drawn (the painter is closed first).
  const QImage& Image();

  // Panel events in panel pixels (the panel widget forwards them).
  void PanelMouseMove(QPoint at, QPoint global);
  void PanelMousePress(QPoint at, QPoint global);
  void PanelMouseRelease(QPoint at);
  void PanelLeave();
  void PaintPanelImage(QPainter& painter);

  // app::MainView
  void DrawStatus() override;
  void DrawMacroLine() override;
  void DrawPanel() override;
  void DrawHeartbeat(int count) override;
  void Close() override;
  void Position(int& x, int& y) override;
  bool OpenCommandDialog(int firstKey) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Tick();
  void MenuChosen(int id);
  // After anything that may have changed the program's state from outside
  // the tick: the menu's marks follow.
  void AfterCommand();
  void PlaceVisibly();
  void ShowTooltip(int region, QPoint global);
  void HideTooltip();

  state::Program& p_;
  std::unique_ptr<app::TMainWindow> logic_;
  QImage image_;
  QtCanvas canvas_;
  QWidget* panel_ = nullptr;
  QMenuBar* menu_ = nullptr;
  QTimer timer_;
  QPointer<TooltipWindow> tooltip_;
  QPointer<CommandDialog> dialog_;
  std::function<void()> onClosed_;
  int hover_ = -1;  // panel region under the pointer
  int held_ = -1;   // panel region the left button went down on
  bool closing_ = false;
};

}  // namespace qt
