// The text markers of a channel: up to 20 per channel and store, each a
// marked point joined by a line to its label. They live in the program's
// marker tables, so they outlive the window and travel in the job file.
#include <algorithm>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr int kLabelH = 14, kLabelW = 6;

}  // namespace

void TDispl10::PaintMarker(platform::Canvas& dc, int chan, float offset) {
  const store::CG_s& g = Own();
  const store::Marker_s* all = p_.Markers(IsW);
  if (!g.ShowMarkers || !all || chan < 0 || chan >= store::kChannels || NShown <= 0) return;
  const bool print = g.PrintMode != 0;
  const uint32_t line = print ? 0 : Rgb(255, 255, 0);
  const uint32_t back = print ? Rgb(255, 255, 255) : Rgb(255, 255, 0);
  // A marker from a file may point anywhere: pixels are computed in double
  // and clamped, and a point outside the plot skips the marker.
  auto toX = [&](int32_t index) {
    return int16_t(ClampTrunc(PlotLeft + (double(index) - g.IL) * KX, -32000, 32000));
  };
  auto toY = [&](float value) {
    return int16_t(ClampTrunc(PlotTop + PlotH - (double(value) - g.VMin + offset) * KY, -32000, 32000));
  };
  platform::Font font;
  font.height = kLabelH;
  font.width = kLabelW;
  for (int k = 0; k < store::kMarkersPerChannel; ++k) {
    const store::Marker_s& m = all[size_t(chan) * store::kMarkersPerChannel + size_t(k)];
    if (m.Index == 0 || m.Index < 0 || m.Index >= NShown) continue;
    if (!std::isfinite(m.Value) || !std::isfinite(m.LabelValue)) continue;
    int16_t x = toX(m.Index), y = toY(m.Value);
    int16_t lx = m.Vertical ? x : toX(m.LabelIndex), ly = toY(m.LabelValue);
    if (!OK_xy(x, y) || !OK_xy(lx, ly)) continue;
    dc.SetPen(line, 1);
    dc.Line({x, y}, {lx, ly});
    const std::string text = store::FieldText(m.Text);
    if (text.empty()) continue;
    const bool up = ly < y;
    // The label stays one text height clear of the plot's edge it grows towards.
    if (up ? ly - kLabelH < PlotTop : ly + kLabelH > PlotTop + PlotH) continue;
    font.angleTenths = m.Vertical ? 900 : 0;
    dc.SetFont(font);
    dc.SetTextColor(0);
    const int w = dc.TextWidth(text);
    if (m.Vertical) {
      // Turned by 90°: the text runs up the line, centred on it.
      const int top = up ? ly - w : ly, bottom = up ? ly : ly + w;
      dc.FillRect(lx - kLabelH / 2, top, lx + kLabelH / 2, bottom, back);
      dc.Text({lx, (top + bottom) / 2}, text, platform::HAlign::Center, platform::VAlign::Center);
    } else {
      const int top = up ? ly - kLabelH : ly;
      dc.FillRect(lx - w / 2 - 1, top, lx + w / 2 + 1, top + kLabelH, back);
      dc.Text({lx, top}, text, platform::HAlign::Center, platform::VAlign::Top);
    }
  }
}

void TDispl10::Marker() {
  if (broken_) return;
  store::Marker_s* all = p_.Markers(IsW);
  if (!all) return;
  if (!Dialogs.marker) {
    state::ShowNotAvailable(p_, "Dialog značek", "The marker dialog");
    return;
  }
  const store::CG_s& g = Own();
  const int chan = ActChan;
  MarkerDialogRequest r;
  r.store = IsW;
  r.chan = chan;
  r.nShown = NShown;
  const int32_t last = std::max(NShown - 1, 0);
  r.cur1 = std::clamp(g.Cur1, 0, last);
  r.cur2 = std::clamp(g.Cur2, 0, last);
  // The first cursor's point lies on the trace; the second keeps its
  // horizontal line, so that a label can be placed off the trace.
  r.value1 = series_ && NShown > 0 ? series_[r.cur1] : g.HCur1;
  r.value2 = g.HCur2;
  store::Marker_s* own = all + size_t(chan) * store::kMarkersPerChannel;
  std::copy(own, own + store::kMarkersPerChannel, r.markers);
  if (!Dialogs.marker(p_, r)) return;
  for (int k = 0; k < store::kMarkersPerChannel; ++k) {
    store::Marker_s m = r.markers[k];
    m.Text[sizeof m.Text - 1] = 0;  // whatever the dialog left, the text ends in the record
    if (m.Index < 0 || m.Index > last) m.Index = 0;
    m.Vertical = m.Vertical ? 1 : 0;
    own[k] = m;
  }
  Redraw();
}

}  // namespace graph
