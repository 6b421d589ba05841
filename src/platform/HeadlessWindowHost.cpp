#include "platform/HeadlessWindowHost.h"

#include <algorithm>

namespace platform {

void HeadlessWindowHost::Show(GraphWindow& window) {
  shown_.push_back(&window);
  firstPaint_.push_back(&window);
}

void HeadlessWindowHost::Close(GraphWindow& window) {
  auto drop = [&](std::vector<GraphWindow*>& v) {
    v.erase(std::remove(v.begin(), v.end(), &window), v.end());
  };
  drop(shown_);
  drop(firstPaint_);
  posted_.erase(
      std::remove_if(posted_.begin(), posted_.end(), [&](const Posted& m) { return m.window == &window; }),
      posted_.end());
}

void HeadlessWindowHost::Post(GraphWindow& window, int code, int arg) {
  posted_.push_back({&window, code, arg});
}

void HeadlessWindowHost::PostMain(int code, int arg) { mainPosted_.emplace_back(code, arg); }

bool HeadlessWindowHost::IsShown(const GraphWindow& window) const {
  return std::find(shown_.begin(), shown_.end(), &window) != shown_.end();
}

void HeadlessWindowHost::DeliverPending() {
  // A handler may open or close windows, so work on taken copies and re-check.
  std::vector<GraphWindow*> paints;
  paints.swap(firstPaint_);
  for (GraphWindow* w : paints)
    if (IsShown(*w)) w->Paint();
  std::deque<Posted> posted;
  posted.swap(posted_);
  for (const Posted& m : posted)
    if (IsShown(*m.window)) m.window->UserMessage(m.code, m.arg);
  std::deque<std::pair<int, int>> mainPosted;
  mainPosted.swap(mainPosted_);
  for (auto [code, arg] : mainPosted)
    if (mainHandler_) mainHandler_(code, arg);
}

void HeadlessWindowHost::RunWindowTimers() {
  std::vector<GraphWindow*> windows = shown_;
  for (GraphWindow* w : windows)
    if (IsShown(*w)) w->Timer();
}

}  // namespace platform
