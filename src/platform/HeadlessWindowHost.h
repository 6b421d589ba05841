// Window host without a display: windows exist as models only. Its loop
// delivers what a window system would: the first paint of a new window, the
// posted user messages, and each window's own timer.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/WindowHost.h"

namespace platform {

class HeadlessWindowHost : public WindowHost {
 public:
  // Receives the messages posted to the main window.
  void SetMainHandler(std::function<void(int code, int arg)> handler) { mainHandler_ = std::move(handler); }

  void Show(GraphWindow& window) override;
  void Close(GraphWindow& window) override;
  void Post(GraphWindow& window, int code, int arg) override;
  void PostMain(int code, int arg) override;

  // First paints, then posted window messages, then main-window messages,
  // each as queued when the call began: what a handler posts waits for the
  // next call, so a handler that posts again cannot keep the loop busy. A
  // handler may itself call DeliverPending (a loop taking messages off the
  // queue); nothing is then delivered twice.
  void DeliverPending();
  // One 300 ms timer event for every shown window.
  void RunWindowTimers();

  size_t ShownCount() const { return shown_.size(); }
  bool IsShown(const GraphWindow& window) const;

 private:
  // Entries stay queued until delivered, so Close can drop those of its
  // window even while a delivery pass is running; `seq` bounds each pass.
  struct Posted {
    uint64_t seq;
    GraphWindow* window;  // nullptr: a main-window message
    int code, arg;
  };
  std::vector<GraphWindow*> shown_;
  std::deque<std::pair<uint64_t, GraphWindow*>> firstPaint_;
  std::deque<Posted> posted_;
  std::deque<Posted> mainPosted_;
  uint64_t seq_ = 0;
  std::function<void(int, int)> mainHandler_;
};

}  // namespace platform
