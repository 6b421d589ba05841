// A recorder window as a model without any GUI: a strip chart of the
// reference channel of the measurement store that follows a measurement run
// point by point. The trend shows the whole record growing; the screen shows
// a span of the latest points and moves on by half a span when the newest
// point reaches its right edge. It never copies the record: every drawing
// reads the store as it is then, so a store that was cleared, shortened or
// freed under the window only makes it redraw.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/WindowHost.h"
#include "state/RecorderWindows.h"

namespace state {
struct Program;
}

namespace graph {

enum class OwnSurface;

// What shows a recorder on screen; it goes with the window (a front end
// lets its widget go in the destructor).
class RecorderView {
 public:
  virtual ~RecorderView() = default;
};

// The recorder's own menu.
enum RecorderMenuId {
  kRecorderSpan = 1,  // the screen's span in points
  kRecorderAutoscale = 2,
  kRecorderPause = 3,
  kRecorderExport = 4,  // the picture as a PNG file
  kRecorderClose = 5,
};

struct RecorderMenuRow {
  int id;
  const char* czech;
  const char* english;
  bool checkable;  // shows the state of a switch
};

// The rows of a recorder's menu (the span only for the screen).
std::vector<RecorderMenuRow> RecorderMenuRows(state::RecorderKind kind);

inline constexpr int32_t kRecorderMinSpan = 8;
inline constexpr int32_t kRecorderMaxSpan = 10'000'000;
inline constexpr int32_t kRecorderDefaultSpan = 1000;

class RecorderWindow : public platform::GraphWindow {
 public:
  RecorderWindow(state::Program& p, state::RecorderKind kind, int channel, std::string caption,
                 const int32_t rect[4], OwnSurface own);
  ~RecorderWindow() override;
  RecorderWindow(const RecorderWindow&) = delete;
  RecorderWindow& operator=(const RecorderWindow&) = delete;

  // platform::GraphWindow
  void UserMessage(int code, int arg) override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& Caption() const override { return caption_; }
  void Paint() override;  // the whole window; the first one releases a waiting macro
  void Timer() override;  // catches up with a store changed without a message

  // The surface drawn on: the window's own until a host attaches one (which
  // must outlive the window or be detached with nullptr).
  void SetSurface(platform::Canvas* canvas);
  platform::Canvas& Surface() { return *surface_; }
  void SetClientSize(int width, int height);
  const int32_t* WindowRect() const { return rect_; }
  void SetView(std::unique_ptr<RecorderView> view) { view_ = std::move(view); }
  // Writes the picture to a file (the desktop: PNG); false when it failed.
  // Without it the export item says it is not available.
  std::function<bool(const std::string& path)> ExportPicture;

  // A menu item. kRecorderClose destroys the window: nothing of it may be
  // used after that call.
  void MenuCommand(int id);
  bool MenuChecked(int id) const;
  // A row's label in the interface language.
  std::string MenuText(const RecorderMenuRow& row) const;

  state::RecorderKind Kind() const { return kind_; }
  int Channel() const { return channel_; }
  int32_t Span() const { return span_; }
  void SetSpan(int32_t points);
  bool Autoscale() const { return autoscale_; }
  void SetAutoscale(bool on);
  bool Paused() const { return paused_; }
  void SetPaused(bool on);

  // What is shown: the first index of the screen, the last point drawn, the
  // value range; how many whole redraws were needed (tests, benchmarks).
  int32_t First() const { return first_; }
  int32_t DrawnUpTo() const { return drawnUpTo_; }
  double Low() const { return lo_; }
  double High() const { return hi_; }
  int64_t FullRedraws() const { return fullRedraws_; }

 private:
  // The channel's samples as the store holds them now.
  struct Source {
    const float* data = nullptr;
    int32_t start = 0, length = 0;
    int32_t newest = -1;  // last point to show, -1 none
  };
  Source Look() const;
  bool SameGeometry(const Source& s) const;
  void Layout();
  // Brings the picture up to the store: the new segments when nothing moves,
  // else the whole window.
  void Follow();
  void Redraw();
  void DrawFrame(const Source& s);
  void DrawTrace(const Source& s, int32_t a, int32_t b);
  void DrawSegments(const Source& s, int32_t from, int32_t to);
  void DrawHeader(const Source& s);
  void Fit(const Source& s, int32_t a, int32_t b);
  int32_t FirstShown(const Source& s) const;
  int XOf(int64_t index, int32_t length) const;
  int YOf(double v) const;
  void ExportCommand();

  state::Program& p_;
  state::RecorderKind kind_;
  int channel_;
  std::string caption_;
  int32_t rect_[4] = {0, 0, 480, 220};
  std::unique_ptr<platform::Canvas> ownSurface_;
  platform::Canvas* surface_ = nullptr;
  std::unique_ptr<RecorderView> view_;

  int32_t span_ = kRecorderDefaultSpan;
  bool autoscale_ = true, paused_ = false;
  bool painted_ = false;
  bool runStarting_ = false;  // a run started: its record shows from its first point

  // Plot rectangle (inclusive pixels).
  int px0_ = 0, px1_ = 0, py0_ = 0, py1_ = 0;
  bool plotUsable_ = false;
  double lo_ = -1, hi_ = 1;
  bool rangeSet_ = false;
  int32_t first_ = 0;
  // What the picture holds: the geometry it was drawn for and the last point.
  const float* drawnBuffer_ = nullptr;
  int32_t drawnStart_ = -1, drawnLength_ = -1, drawnUpTo_ = -1;
  int lastX_ = 0, lastY_ = 0;
  bool lastValid_ = false;
  int32_t headerNewest_ = -2;
  int64_t fullRedraws_ = 0;
  std::vector<platform::Point> points_;  // reused by every redraw
};

// Builds the recorder windows the program opens (`Program::RecorderFactory`).
std::function<std::unique_ptr<platform::GraphWindow>(const platform::GraphWindowSpec&, int kind)>
MakeRecorderFactory(state::Program& p, OwnSurface own);

}  // namespace graph
