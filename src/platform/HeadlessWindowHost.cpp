#include "platform/HeadlessWindowHost.h"

#include <algorithm>

namespace platform {

void HeadlessWindowHost::Show(GraphWindow& window) {
  if (IsShown(window)) return;  // one window, one first paint
  shown_.push_back(&window);
  firstPaint_.emplace_back(seq_++, &window);
}

// Drops everything still queued for the window, including what a running
// delivery pass has not reached: a window object at the same address shown
// later must not receive its predecessor's messages.
void HeadlessWindowHost::Close(GraphWindow& window) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), &window), shown_.end());
  firstPaint_.erase(std::remove_if(firstPaint_.begin(), firstPaint_.end(),
                                   [&](const auto& e) { return e.second == &window; }),
                    firstPaint_.end());
  posted_.erase(
      std::remove_if(posted_.begin(), posted_.end(), [&](const Posted& m) { return m.window == &window; }),
      posted_.end());
}

void HeadlessWindowHost::Post(GraphWindow& window, int code, int arg) {
  if (!IsShown(window)) return;  // as on screen: no window, no message
  posted_.push_back({seq_++, &window, code, arg});
}

void HeadlessWindowHost::PostMain(int code, int arg) { mainPosted_.push_back({seq_++, nullptr, code, arg}); }

bool HeadlessWindowHost::IsShown(const GraphWindow& window) const {
  return std::find(shown_.begin(), shown_.end(), &window) != shown_.end();
}

void HeadlessWindowHost::DeliverPending() {
  // Each entry is taken off its queue before its handler runs, so a handler
  // may show, close, post or deliver without disturbing this pass.
  const uint64_t end = seq_;
  while (!firstPaint_.empty() && firstPaint_.front().first < end) {
    GraphWindow* w = firstPaint_.front().second;
    firstPaint_.pop_front();
    w->Paint();
  }
  while (!posted_.empty() && posted_.front().seq < end) {
    Posted m = posted_.front();
    posted_.pop_front();
    m.window->UserMessage(m.code, m.arg);
  }
  while (!mainPosted_.empty() && mainPosted_.front().seq < end) {
    Posted m = mainPosted_.front();
    mainPosted_.pop_front();
    if (mainHandler_) mainHandler_(m.code, m.arg);
  }
}

void HeadlessWindowHost::RunWindowTimers() {
  std::vector<GraphWindow*> windows = shown_;
  for (GraphWindow* w : windows)
    if (IsShown(*w)) w->Timer();
}

}  // namespace platform
