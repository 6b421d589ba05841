#include "qt/QtWindowHost.h"

#include <algorithm>

#include "graph/GraphModel.h"
#include "graph/MatrixDisplay.h"
#include "qt/GraphWidget.h"
#include "qt/MatrixWindow.h"
#include "state/GraphWindows.h"
#include "state/Program.h"

namespace qt {
namespace {

int holds = 0;  // one thread, as the whole program

}  // namespace

TimerHold::TimerHold() { ++holds; }
TimerHold::~TimerHold() { --holds; }
bool TimerHold::Held() { return holds > 0; }

QtWindowHost::QtWindowHost(QObject* parent) : QObject(parent) {
  modelTimer_.setInterval(kGraphTimerMs);
  connect(&modelTimer_, &QTimer::timeout, this, &QtWindowHost::RunModelTimers);
}

QtWindowHost::~QtWindowHost() {
  for (Entry& e : shown_) {
    if (e.widget) delete e.widget.data();
    if (e.matrix) delete e.matrix.data();
  }
  // Without a running loop their deferred deletion would never come.
  for (QPointer<QWidget>& w : closing_)
    if (w) delete w.data();
}

void QtWindowHost::SetCloseHandler(std::function<void(platform::GraphWindow&)> handler) {
  closeHandler_ = std::move(handler);
  for (Entry& e : shown_) {
    platform::GraphWindow* w = e.window;
    if (e.matrix)
      e.matrix->SetCloseRequest(closeHandler_ ? std::function<void()>([this, w] { closeHandler_(*w); })
                                              : std::function<void()>());
    if (!e.widget) continue;
    if (closeHandler_)
      e.widget->SetCloseRequest([this, w] { closeHandler_(*w); });
    else
      e.widget->SetCloseRequest(nullptr);
  }
}

QtWindowHost::Entry* QtWindowHost::Find(const platform::GraphWindow& window) {
  auto it = std::find_if(shown_.begin(), shown_.end(), [&](const Entry& e) { return e.window == &window; });
  return it == shown_.end() ? nullptr : &*it;
}

const QtWindowHost::Entry* QtWindowHost::Find(const platform::GraphWindow& window) const {
  auto it = std::find_if(shown_.begin(), shown_.end(), [&](const Entry& e) { return e.window == &window; });
  return it == shown_.end() ? nullptr : &*it;
}

QtWindowHost::Entry* QtWindowHost::Find(uint64_t id) {
  auto it = std::find_if(shown_.begin(), shown_.end(), [&](const Entry& e) { return e.id == id; });
  return it == shown_.end() ? nullptr : &*it;
}

bool QtWindowHost::IsShown(const platform::GraphWindow& window) const { return Find(window) != nullptr; }

QWidget* QtWindowHost::WidgetOf(platform::GraphWindow& window) const {
  const Entry* e = Find(window);
  if (e && e->matrix) return e->matrix.data();
  return e ? e->widget.data() : nullptr;
}

void QtWindowHost::Show(platform::GraphWindow& window) {
  if (Find(window)) return;  // one window, one widget
  const uint64_t id = nextId_++;
  if (auto* matrix = dynamic_cast<graph::TDispl2D*>(&window)) {
    auto* widget = new MatrixWindow(*matrix);
    shown_.push_back({id, &window, nullptr, false, widget});
    if (closeHandler_) widget->SetCloseRequest([this, matrix] { closeHandler_(*matrix); });
    widget->show();  // its first paint follows from the event loop
    return;
  }
  auto* model = dynamic_cast<graph::TDispl10*>(&window);
  if (!model) {
    // A window without a picture still gets its first paint, later, which
    // is what a macro waiting for its windows counts on.
    shown_.push_back({id, &window, nullptr, true, {}});
    QMetaObject::invokeMethod(
        this, [this, id] { FirstPaint(id); }, Qt::QueuedConnection);
    if (!modelTimer_.isActive()) modelTimer_.start();
    return;
  }
  auto* widget = new GraphWidget(*model);
  shown_.push_back({id, &window, widget, false, {}});
  if (closeHandler_) widget->SetCloseRequest([this, model] { closeHandler_(*model); });
  if (!model->Own().CaptionBar) widget->setWindowFlag(Qt::FramelessWindowHint);
  widget->PlaceAt(model->WindowRect());
  widget->show();  // its first paint follows from the event loop
}

void QtWindowHost::Close(platform::GraphWindow& window) {
  Entry* e = Find(window);
  if (!e) return;
  QPointer<GraphWidget> graphWidget = e->widget;
  QPointer<MatrixWindow> matrix = e->matrix;
  shown_.erase(shown_.begin() + (e - shown_.data()));
  if (matrix) matrix->Detach();
  if (graphWidget) graphWidget->Detach();
  QPointer<QWidget> widget =
      matrix ? static_cast<QWidget*>(matrix.data()) : static_cast<QWidget*>(graphWidget.data());
  if (widget) {
    widget->hide();
    // Not at once: the close may come from inside one of the widget's own
    // handlers (a key that closes its window).
    widget->deleteLater();
    closing_.erase(std::remove_if(closing_.begin(), closing_.end(), [](const auto& w) { return w.isNull(); }),
                   closing_.end());
    closing_.push_back(widget);
  }
  if (std::none_of(shown_.begin(), shown_.end(), [](const Entry& x) { return x.modelOnly; }))
    modelTimer_.stop();
}

void QtWindowHost::Post(platform::GraphWindow& window, int code, int arg) {
  const Entry* e = Find(window);
  if (!e) return;  // as on screen: no window, no message
  const uint64_t id = e->id;
  QMetaObject::invokeMethod(
      this, [this, id, code, arg] { Deliver(id, code, arg); }, Qt::QueuedConnection);
}

void QtWindowHost::PostMain(int code, int arg) {
  QMetaObject::invokeMethod(
      this,
      [this, code, arg] {
        if (mainHandler_) mainHandler_(code, arg);
      },
      Qt::QueuedConnection);
}

void QtWindowHost::Deliver(uint64_t id, int code, int arg) {
  Entry* e = Find(id);
  if (!e) return;
  e->window->UserMessage(code, arg);
  // The handler may have closed the window; look again.
  if (Entry* after = Find(id); after && after->widget) after->widget->Refresh();
}

void QtWindowHost::FirstPaint(uint64_t id) {
  if (Entry* e = Find(id)) e->window->Paint();
}

void QtWindowHost::RunModelTimers() {
  if (TimerHold::Held()) return;
  std::vector<uint64_t> ids;
  for (const Entry& e : shown_)
    if (e.modelOnly) ids.push_back(e.id);
  for (uint64_t id : ids)
    if (Entry* e = Find(id)) e->window->Timer();
}

void CloseGraphWindow(state::Program& p, platform::GraphWindow& window) {
  if (p.MatrixWin.get() == &window) {
    graph::CloseMatrixDisplay(p);
    return;
  }
  for (store::Store store : store::kBothStores) {
    auto* table = p.Windows(store);
    for (int i = 0; i < store::kChannels; ++i)
      if (table[i].get() == &window) {
        state::UnDisplayWave(p, store, i);
        return;
      }
  }
}

}  // namespace qt
