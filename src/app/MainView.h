// What the main window's logic asks of its on-screen form: the desktop
// program draws the panel, the status and macro lines and the heartbeat;
// headless, nothing is drawn.
#pragma once

namespace app {

class MainView {
 public:
  virtual ~MainView() = default;
  virtual void DrawStatus() {}
  virtual void DrawMacroLine() {}
  virtual void DrawPanel() {}
  // count: 5 down to 0; at 0 the two lamps are drawn.
  virtual void DrawHeartbeat(int /*count*/) {}
  virtual void LoadResources() {}  // cursors and bitmaps of the first tick
  virtual void Close() {}          // the main window closes
  virtual void Position(int& x, int& y) { (void)x, (void)y; }
  // A letter key opens the command dialog seeded with it; the dialog reports
  // back through TMainWindow::CommandDialogClosed. Answers false when no
  // dialog opened (headless there is none).
  virtual bool OpenCommandDialog(int firstKey) {
    (void)firstKey;
    return false;
  }
};

}  // namespace app
