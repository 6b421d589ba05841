// Window host without a display: windows exist as models only. Its loop
// delivers what a window system would: the first paint of a new window, the
// posted user messages, and each window's own timer.
#pragma once

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

  // First paints, then posted window messages, then main-window messages.
  void DeliverPending();
  // One 300 ms timer event for every shown window.
  void RunWindowTimers();

  size_t ShownCount() const { return shown_.size(); }
  bool IsShown(const GraphWindow& window) const;

 private:
  struct Posted {
    GraphWindow* window;
    int code, arg;
  };
  std::vector<GraphWindow*> shown_;
  std::vector<GraphWindow*> firstPaint_;
  std::deque<Posted> posted_;
  std::deque<std::pair<int, int>> mainPosted_;
  std::function<void(int, int)> mainHandler_;
};

}  // namespace platform
