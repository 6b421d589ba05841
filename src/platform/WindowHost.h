// Windows of the program as models: the main window talks to graph windows
// through user messages, sent at once or posted for the loop to deliver.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

struct GraphWindowSpec {
  int store = 1;    // 1 waveform, 0 measurement
  int channel = 0;  // 0-based
  int start = 0;    // first sample index of the channel in the store
  std::string caption;
  int32_t rect[4] = {0, 0, 0, 0};  // left, top, right, bottom
  bool captionBar = true;
};

class GraphWindow {
 public:
  virtual ~GraphWindow() = default;
  virtual void UserMessage(int code, int arg) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual const std::string& Caption() const = 0;
  virtual void Paint() = 0;  // draws the whole window on its surface
  virtual void Timer() = 0;  // the window's own 300 ms timer
  virtual void Focus() {}
};

// Builds the window model of a graph window; the graph code installs its own.
using GraphWindowFactory = std::function<std::unique_ptr<GraphWindow>(const GraphWindowSpec&)>;

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Shows a new window (on screen, or only as a model) and schedules its first paint.
  virtual void Show(GraphWindow& window) = 0;
  virtual void Close(GraphWindow& window) = 0;
  // Queues a user message; dropped if the window closes before delivery.
  virtual void Post(GraphWindow& window, int code, int arg) = 0;
  virtual void PostMain(int code, int arg) = 0;
};

}  // namespace platform
