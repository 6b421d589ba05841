#include "graph/RecorderModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "graph/GraphModel.h"
#include "graph/GraphScaleMath.h"
#include "platform/NullCanvas.h"
#include "platform/RecordingCanvas.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace graph {
namespace {

constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kFrame = 0x808080;
constexpr uint32_t kGrid = 0xE0E0E0;
constexpr uint32_t kTrace = 0xB00000;  // 0x00BBGGRR: dark blue
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kPausedText = 0x0000C0;

constexpr int kHeaderH = 16, kFooterH = 16, kLeftW = 58, kRightW = 8;
// More new points than this at once are drawn as a whole picture.
constexpr int32_t kMaxCatchUp = 256;

const platform::Font kFont{12, 5, 400, 0, "Arial"};

}  // namespace

std::vector<RecorderMenuRow> RecorderMenuRows(state::RecorderKind kind) {
  std::vector<RecorderMenuRow> rows;
  if (kind == state::RecorderKind::Screen) rows.push_back({kRecorderSpan, "&Rozpětí...", "&Span...", false});
  rows.push_back({kRecorderAutoscale, "&Automatické měřítko", "&Autoscale", true});
  rows.push_back({kRecorderPause, "&Pozastavit", "&Pause", true});
  rows.push_back({kRecorderExport, "&Uložit obrázek...", "&Export picture...", false});
  rows.push_back({kRecorderClose, "&Zavřít", "&Close", false});
  return rows;
}

RecorderWindow::RecorderWindow(state::Program& p, state::RecorderKind kind, int channel, std::string caption,
                               const int32_t rect[4], OwnSurface own)
    : p_(p),
      kind_(kind),
      channel_(std::clamp(channel, 0, store::kChannels - 1)),
      caption_(std::move(caption)) {
  PlaceWindowRect(rect, rect_);
  const int w = rect_[2] - rect_[0], h = rect_[3] - rect_[1];
  if (own == OwnSurface::Nothing)
    ownSurface_ = std::make_unique<platform::NullCanvas>(w, h);
  else
    ownSurface_ = std::make_unique<platform::RecordingCanvas>(w, h);
  surface_ = ownSurface_.get();
}

// The view goes first, while the window is whole: a widget may still hold it.
RecorderWindow::~RecorderWindow() { view_.reset(); }

void RecorderWindow::SetSurface(platform::Canvas* canvas) {
  surface_ = canvas ? canvas : ownSurface_.get();
  drawnLength_ = -1;  // nothing of ours is on a new surface yet
}

void RecorderWindow::SetClientSize(int width, int height) {
  width = std::clamp(width, 1, kMaxScreenW);
  height = std::clamp(height, 1, kMaxScreenH);
  rect_[2] = rect_[0] + width;
  rect_[3] = rect_[1] + height;
  if (surface_ == ownSurface_.get()) {
    if (auto* null = dynamic_cast<platform::NullCanvas*>(ownSurface_.get()))
      null->Resize(width, height);
    else
      ownSurface_ = std::make_unique<platform::RecordingCanvas>(width, height);
    surface_ = ownSurface_.get();
  }
  drawnLength_ = -1;
}

RecorderWindow::Source RecorderWindow::Look() const {
  Source s;
  const store::Header_s& h = p_.HGB;
  if (!p_.Buffer || p_.PM <= 0 || !h.ChannelOn[channel_] || h.Length <= 0) return s;
  // The channel's block, counted wide: the header may hold any length.
  int64_t below = 0;
  for (int i = 0; i < channel_; ++i)
    if (h.ChannelOn[i]) ++below;
  const int64_t start = below * int64_t(h.Length);
  if (start + h.Length > int64_t(p_.PM)) return s;
  s.data = p_.Buffer.get() + start;
  s.start = int32_t(start);
  s.length = h.Length;
  // During a run the record holds points up to the last stored one; after
  // it (or for a record read from a file) the whole record is shown.
  const int32_t b = p_.Bindx;
  if (runStarting_)
    s.newest = -1;
  else if (p_.QM)
    s.newest = std::min(b, s.length - 1);
  else
    s.newest = b >= 0 && b < s.length ? b : s.length - 1;
  return s;
}

bool RecorderWindow::SameGeometry(const Source& s) const {
  return s.data && p_.Buffer.get() == drawnBuffer_ && s.start == drawnStart_ && s.length == drawnLength_;
}

void RecorderWindow::Layout() {
  const int w = surface_->Width(), h = surface_->Height();
  px0_ = kLeftW;
  px1_ = w - 1 - kRightW;
  py0_ = kHeaderH + 2;
  py1_ = h - 1 - kFooterH;
  plotUsable_ = px1_ - px0_ >= 8 && py1_ - py0_ >= 8;
}

int RecorderWindow::XOf(int64_t index, int32_t length) const {
  const int64_t w = px1_ - px0_;
  if (kind_ == state::RecorderKind::Trend) {
    const int64_t denom = std::max<int64_t>(length - 1, 1);
    return px0_ + int(std::clamp<int64_t>(index, 0, denom) * w / denom);
  }
  const int64_t denom = std::max<int64_t>(span_ - 1, 1);
  return px0_ + int(std::clamp<int64_t>(index - first_, 0, denom) * w / denom);
}

int RecorderWindow::YOf(double v) const {
  const double t = (v - lo_) / (hi_ - lo_);
  const double y = py1_ - t * double(py1_ - py0_);
  if (!(y >= py0_)) return py0_;  // NaN too
  return y > py1_ ? py1_ : int(std::lround(y));
}

int32_t RecorderWindow::FirstShown(const Source& s) const {
  if (kind_ == state::RecorderKind::Trend || s.newest < 0) return 0;
  if (s.newest >= first_ && s.newest < int64_t(first_) + span_) return first_;
  // The newest point goes to the middle, so the next move is half a span away.
  return std::max<int32_t>(0, s.newest - span_ / 2);
}

// The range of the shown points with a quarter of it as margin on each
// side, so a trace that keeps growing is refitted a few times only.
void RecorderWindow::Fit(const Source& s, int32_t a, int32_t b) {
  double mn = INFINITY, mx = -INFINITY;
  for (int32_t i = a; i <= b; ++i) {
    const double v = s.data[i];
    if (!std::isfinite(v)) continue;
    mn = std::min(mn, v);
    mx = std::max(mx, v);
  }
  if (!(mn <= mx)) {  // nothing but gaps: keep a range; a number beyond it refits
    if (!rangeSet_) lo_ = -1, hi_ = 1;
    rangeSet_ = true;
    return;
  }
  double margin = (mx - mn) * 0.25;
  if (!(margin > std::max(std::fabs(mx), std::fabs(mn)) * 1e-6)) margin = std::max(std::fabs(mx) * 0.1, 1e-3);
  lo_ = mn - margin;
  hi_ = mx + margin;
  if (!std::isfinite(lo_) || !std::isfinite(hi_)) lo_ = -3e38, hi_ = 3e38;
  rangeSet_ = true;
}

void RecorderWindow::Redraw() {
  ++fullRedraws_;
  platform::Canvas& dc = *surface_;
  Layout();
  dc.SetXor(false);
  dc.FillRect(0, 0, dc.Width(), dc.Height(), kBackground);
  const Source s = Look();
  drawnBuffer_ = p_.Buffer.get();
  drawnStart_ = s.start;
  drawnLength_ = s.data ? s.length : 0;
  drawnUpTo_ = -1;
  lastValid_ = false;
  first_ = FirstShown(s);
  const int32_t a = kind_ == state::RecorderKind::Trend ? 0 : first_;
  const int32_t b = s.data ? s.newest : -1;
  if (autoscale_ && b >= a) Fit(s, a, b);
  if (plotUsable_) {
    DrawFrame(s);
    if (b >= a) DrawTrace(s, a, b);
  }
  drawnUpTo_ = std::max(b, -1);
  DrawHeader(s);
}

void RecorderWindow::DrawFrame(const Source& s) {
  platform::Canvas& dc = *surface_;
  dc.SetFont(kFont);
  dc.SetTextColor(kText);
  const Ticks ticks = ScaleTicks(lo_, hi_, std::clamp((py1_ - py0_) / 30, 2, 10), 0, 1e30);
  dc.SetPen(kGrid, 1);
  for (int k = 0; k < ticks.count; ++k) {
    const int y = YOf(ticks.At(k));
    dc.Line({px0_, y}, {px1_ + 1, y});
    dc.Text({px0_ - 3, y}, ValueLabel(ticks.At(k), hi_, lo_, false), platform::HAlign::Right,
            platform::VAlign::Center);
  }
  dc.SetPen(kFrame, 1);
  dc.SetNullBrush();
  dc.Rectangle(px0_ - 1, py0_ - 1, px1_ + 2, py1_ + 2);
  if (!s.data) {
    dc.Text({(px0_ + px1_) / 2, (py0_ + py1_) / 2},
            state::Lang(p_, "kanál není v pomalém měření", "the channel is not in the measurement store"),
            platform::HAlign::Center, platform::VAlign::Center);
    return;
  }
  // The time axis: the ends of what the window spans.
  const double step = p_.FGB ? double(p_.FGB[size_t(channel_)].Step) : 1.0;
  const int64_t right =
      kind_ == state::RecorderKind::Trend ? int64_t(s.length) - 1 : int64_t(first_) + span_ - 1;
  char text[64];
  std::snprintf(text, sizeof text, "%.6g s", double(kind_ == state::RecorderKind::Trend ? 0 : first_) * step);
  dc.Text({px0_, py1_ + 2}, text, platform::HAlign::Left, platform::VAlign::Top);
  std::snprintf(text, sizeof text, "%.6g s", double(right) * step);
  dc.Text({px1_, py1_ + 2}, text, platform::HAlign::Right, platform::VAlign::Top);
}

// One pass over the shown points: per pixel column the first, lowest,
// highest and last point, so a long record costs no more lines than the
// plot has columns.
void RecorderWindow::DrawTrace(const Source& s, int32_t a, int32_t b) {
  platform::Canvas& dc = *surface_;
  dc.SetPen(kTrace, 1);
  points_.clear();
  auto flush = [&] {
    if (points_.size() == 1)
      dc.Pixel(points_.front(), kTrace);
    else if (points_.size() > 1)
      dc.Polyline(points_);
    points_.clear();
  };
  int col = -1, yFirst = 0, yMin = 0, yMax = 0, yLast = 0;
  auto emit = [&] {
    if (col < 0) return;
    points_.push_back({col, yFirst});
    if (yMin != yMax) {
      points_.push_back({col, yFirst < yLast ? yMin : yMax});
      points_.push_back({col, yFirst < yLast ? yMax : yMin});
    }
    if (points_.back().y != yLast) points_.push_back({col, yLast});
  };
  lastValid_ = false;
  for (int32_t i = a; i <= b; ++i) {
    const float v = s.data[i];
    if (!std::isfinite(v)) {
      emit();
      col = -1;
      flush();
      lastValid_ = false;
      continue;
    }
    const int x = XOf(i, s.length), y = YOf(v);
    if (x != col) {
      emit();
      col = x;
      yFirst = yMin = yMax = y;
    }
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
    yLast = y;
    lastX_ = x;
    lastY_ = y;
    lastValid_ = true;
  }
  emit();
  flush();
}

// The points after the last one drawn, as line segments on the picture.
void RecorderWindow::DrawSegments(const Source& s, int32_t from, int32_t to) {
  platform::Canvas& dc = *surface_;
  dc.SetXor(false);
  dc.SetPen(kTrace, 1);
  for (int32_t i = from; i <= to; ++i) {
    const float v = s.data[i];
    if (!std::isfinite(v)) {
      lastValid_ = false;
      continue;
    }
    const platform::Point at{XOf(i, s.length), YOf(v)};
    if (lastValid_) dc.Line({lastX_, lastY_}, at);
    dc.Pixel(at, kTrace);  // a line leaves out its end point
    lastX_ = at.x;
    lastY_ = at.y;
    lastValid_ = true;
  }
  drawnUpTo_ = to;
}

void RecorderWindow::DrawHeader(const Source& s) {
  platform::Canvas& dc = *surface_;
  headerNewest_ = s.newest;
  dc.SetXor(false);
  dc.FillRect(0, 0, dc.Width(), kHeaderH, kBackground);
  dc.SetFont(kFont);
  std::string text;
  if (s.data && p_.FGB) {
    const store::Channel_s& c = p_.FGB[size_t(channel_)];
    text = store::FieldText(c.Name);
    char value[96];
    if (s.newest >= 0)
      std::snprintf(value, sizeof value, "  %.6g %s  %d/%d", double(s.data[s.newest]),
                    store::FieldText(c.Unit).c_str(), int(s.newest + 1), int(s.length));
    else
      std::snprintf(value, sizeof value, "  -/%d", int(s.length));
    text += value;
  }
  if (autoscale_) text += "  A";
  dc.SetTextColor(kText);
  dc.Text({4, 1}, text, platform::HAlign::Left, platform::VAlign::Top);
  if (paused_) {
    dc.SetTextColor(kPausedText);
    dc.Text({dc.Width() - 4, 1}, state::Lang(p_, "POZASTAVENO", "PAUSED"), platform::HAlign::Right,
            platform::VAlign::Top);
  }
}

void RecorderWindow::Follow() {
  if (paused_) return;
  const Source s = Look();
  if (!SameGeometry(s) || s.newest < drawnUpTo_ || s.newest - drawnUpTo_ > kMaxCatchUp) {
    Redraw();
    return;
  }
  if (s.newest == drawnUpTo_) return;
  // A new run's values may lie anywhere in the range of the old record:
  // its first points choose the range.
  if (autoscale_ && !rangeSet_) {
    Redraw();
    return;
  }
  if (!plotUsable_) {
    drawnUpTo_ = s.newest;  // nothing to draw in a window this small
    return;
  }
  if (FirstShown(s) != first_) {
    Redraw();
    return;
  }
  for (int32_t i = drawnUpTo_ + 1; i <= s.newest; ++i) {
    const double v = s.data[i];
    if (std::isfinite(v) && (v < lo_ || v > hi_) && autoscale_) {
      Redraw();
      return;
    }
  }
  DrawSegments(s, drawnUpTo_ + 1, s.newest);
}

void RecorderWindow::UserMessage(int code, int) {
  switch (code) {
    case state::kRecorderRunStart:
      runStarting_ = true;
      rangeSet_ = false;
      first_ = 0;
      if (!paused_) Redraw();
      break;
    case state::kRecorderPoint:
      runStarting_ = false;
      Follow();
      break;
    case state::kRedrawAll:
    case state::kRedrawWhole:
      Redraw();
      break;
    default:
      break;
  }
}

void RecorderWindow::Paint() {
  Redraw();
  if (painted_) return;
  painted_ = true;
  state::FirstPaintDone(p_);
}

void RecorderWindow::Timer() {
  // A run that started but never stored a point shows what the store holds.
  if (runStarting_ && !p_.QM) runStarting_ = false;
  Follow();
  const Source s = Look();
  if (s.newest != headerNewest_) DrawHeader(s);
}

void RecorderWindow::SetSpan(int32_t points) {
  span_ = std::clamp(points, kRecorderMinSpan, kRecorderMaxSpan);
  first_ = 0;
  Redraw();
}

void RecorderWindow::SetAutoscale(bool on) {
  autoscale_ = on;
  Redraw();
}

void RecorderWindow::SetPaused(bool on) {
  paused_ = on;
  Redraw();  // a paused picture says so; a resumed one catches up
}

std::string RecorderWindow::MenuText(const RecorderMenuRow& row) const {
  return state::Lang(p_, row.czech, row.english);
}

bool RecorderWindow::MenuChecked(int id) const {
  return id == kRecorderAutoscale ? autoscale_ : id == kRecorderPause ? paused_ : false;
}

void RecorderWindow::MenuCommand(int id) {
  switch (id) {
    case kRecorderSpan:
      if (kind_ == state::RecorderKind::Screen)
        if (auto v = p_.ui().PromptInt(state::Lang(p_, "Rozpětí obrazovky [body]", "Screen span [points]"),
                                       kRecorderMinSpan, kRecorderMaxSpan, span_))
          SetSpan(int32_t(*v));
      break;
    case kRecorderAutoscale:
      SetAutoscale(!autoscale_);
      break;
    case kRecorderPause:
      SetPaused(!paused_);
      break;
    case kRecorderExport:
      ExportCommand();
      break;
    case kRecorderClose:
      state::CloseRecorderWindow(p_, *this);  // destroys this window
      return;
    default:
      break;
  }
}

void RecorderWindow::ExportCommand() {
  if (!ExportPicture) {
    state::ShowNotAvailable(p_, "Uložení obrázku", "The picture export");
    return;
  }
  platform::FileDialogRequest request;
  request.title = state::Lang(p_, "Uložit obrázek zapisovače", "Save the recorder picture");
  request.filter = "PNG$*.png";
  request.folder = p_.plat.paths ? p_.plat.paths->Resolve("\\DATA\\") : std::string();
  request.mask = "*.png";
  request.name = kind_ == state::RecorderKind::Trend ? "trend.png" : "recorder.png";
  request.save = true;
  const std::optional<std::string> chosen = p_.ui().ChooseFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  const std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  if (tail != ".png" && tail != ".PNG") path += ".png";
  if (!ExportPicture(path))
    state::Mess(p_, state::Lang(p_, "Obrázek nelze zapsat: ", "The picture cannot be written: ") + path,
                state::Txt(p_, 13));
}

std::function<std::unique_ptr<platform::GraphWindow>(const platform::GraphWindowSpec&, int kind)>
MakeRecorderFactory(state::Program& p, OwnSurface own) {
  return [&p, own](const platform::GraphWindowSpec& request,
                   int kind) -> std::unique_ptr<platform::GraphWindow> {
    if (request.channel < 0 || request.channel >= store::kChannels) return nullptr;
    const state::RecorderKind k =
        kind == int(state::RecorderKind::Trend) ? state::RecorderKind::Trend : state::RecorderKind::Screen;
    return std::make_unique<RecorderWindow>(p, k, request.channel, request.caption, request.rect, own);
  };
}

}  // namespace graph
