// The window host of the desktop program: a graph window model gets a
// top-level GraphWidget, posted user messages are delivered by Qt's event
// loop, and windows of other kinds live as models only (the host paints them
// once and runs their timers, as the headless host does).
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/WindowHost.h"

namespace state {
struct Program;
}

namespace qt {

class GraphWidget;
class MatrixWindow;

// A loop that takes messages off the queue (a transfer, a live acquisition,
// an input wait) must not let a timer tick: the tick would re-enter the
// work in progress. Hold one of these around the event processing of such
// a loop; graph window timers and the host's timer skip their ticks while
// any is alive.
class TimerHold {
 public:
  TimerHold();
  ~TimerHold();
  TimerHold(const TimerHold&) = delete;
  TimerHold& operator=(const TimerHold&) = delete;
  static bool Held();
};

class QtWindowHost : public QObject, public platform::WindowHost {
  Q_OBJECT

 public:
  explicit QtWindowHost(QObject* parent = nullptr);
  // Deletes the widgets still open without touching their models (the
  // program may be gone already): close the windows first, as the exit does.
  ~QtWindowHost() override;

  // Receives the messages posted to the main window.
  void SetMainHandler(std::function<void(int code, int arg)> handler) { mainHandler_ = std::move(handler); }
  // What the close button of a graph window does (CloseGraphWindow below,
  // typically); without a handler the window only hides.
  void SetCloseHandler(std::function<void(platform::GraphWindow&)> handler);

  void Show(platform::GraphWindow& window) override;
  void Close(platform::GraphWindow& window) override;
  void Post(platform::GraphWindow& window, int code, int arg) override;
  void PostMain(int code, int arg) override;

  // The widget of a shown window, or null (not shown, or a model only).
  QWidget* WidgetOf(platform::GraphWindow& window) const;
  bool IsShown(const platform::GraphWindow& window) const;
  size_t ShownCount() const { return shown_.size(); }

 private:
  // Queued work names its window by id, so a window closed meanwhile (or a
  // new one at the same address) never gets it.
  struct Entry {
    uint64_t id;
    platform::GraphWindow* window;
    QPointer<GraphWidget> widget;
    bool modelOnly;
    QPointer<MatrixWindow> matrix;  // the matrix display's widget instead
  };
  Entry* Find(const platform::GraphWindow& window);
  const Entry* Find(const platform::GraphWindow& window) const;
  Entry* Find(uint64_t id);
  void Deliver(uint64_t id, int code, int arg);
  void FirstPaint(uint64_t id);
  void RunModelTimers();

  std::vector<Entry> shown_;
  std::vector<QPointer<QWidget>> closing_;  // deleted later, or by the destructor
  uint64_t nextId_ = 1;
  std::function<void(int, int)> mainHandler_;
  std::function<void(platform::GraphWindow&)> closeHandler_;
  QTimer modelTimer_;  // for windows without a widget
};

// Closes `window` the way the program closes its windows (through its
// window tables, which own the models); nothing when it is not in them.
void CloseGraphWindow(state::Program& p, platform::GraphWindow& window);

}  // namespace qt
