// The statistics and power panels drawn over the plot. What they hold (rows,
// labels, colours, formats) and the report come from dsp; the window only
// lays the rows out. The panel stays until the next repaint.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graph/GraphModel.h"
#include "ops/StatisticsReport.h"

namespace graph {
namespace {

constexpr int kLineH = 14, kCellW = 6, kPad = 6;

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

std::string FormatValue(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

void TDispl10::Pis(platform::Canvas& dc, float row, const std::string& label, double value, uint32_t colour,
                   const char* format) {
  // Without a panel laid out, the values follow a column wide enough for the labels.
  const int valueX = panelValueX_ > panelX_ ? panelValueX_ : panelX_ + 40 * kCellW;
  const double y = panelY_ + (double(row) + 1) * panelLineH_;
  const int yi = int(std::clamp(y, -32000.0, 32000.0));
  dc.SetTextColor(colour);
  dc.Text({panelX_, yi}, label, platform::HAlign::Left, platform::VAlign::Top);
  if (format)
    dc.Text({valueX, yi}, FormatValue(format, value), platform::HAlign::Right, platform::VAlign::Top);
}

void TDispl10::DrawPanel(platform::Canvas& dc, const ops::Panel& panel) {
  const bool print = Own().PrintMode != 0;
  // On paper the panel takes the print cell and, without colour printing, black ink.
  const bool mono = print && p_.Prt && !p_.Prt.get()->Colour;
  int lineH = print ? ScaleCellH() : kLineH, cellW = print && PrintCellW > 0 ? PrintCellW : kCellW;
  int labelW = 0, valueW = 0, width = 0, height = 0;
  auto measure = [&] {
    platform::Font font;
    font.height = lineH;
    font.width = cellW;
    dc.SetFont(font);
    labelW = valueW = 0;
    float lastRow = -1;
    for (const ops::PanelRow& r : panel.rows) {
      labelW = std::max(labelW, dc.TextWidth(r.label));
      valueW = std::max(valueW, dc.TextWidth(FormatValue(r.format, r.value)));
      lastRow = std::max(lastRow, r.row);
    }
    const int pad = lineH * kPad / kLineH;
    width = std::max(dc.TextWidth(panel.title), labelW + pad + valueW) + 2 * pad;
    height = int(std::ceil(lastRow + 2)) * lineH + 2 * pad;
  };
  measure();
  if (print) {
    // A large print cell must not carry the panel out of the graph's box:
    // the cell shrinks to fit the plot (font metrics do not scale exactly,
    // so in a few rounds), and a plot too small for a legible panel gets none.
    const int roomW = PlotW - 8, roomH = PlotH - 8;
    for (int round = 0; round < 4 && (width > roomW || height > roomH); ++round) {
      const double f = 0.98 * std::min(double(roomW) / width, double(roomH) / height);
      lineH = int(lineH * f);
      cellW = std::max(1, int(cellW * f));
      if (lineH < 6) return;
      measure();
    }
    if (width > roomW || height > roomH) return;
  }
  const int pad = lineH * kPad / kLineH;
  const int left = PlotLeft + 4, top = PlotTop + 4;
  dc.FillRect(left, top, left + width, top + height, Rgb(255, 255, 255));
  dc.SetPen(0, 1);
  dc.SetNullBrush();
  dc.Rectangle(left, top, left + width, top + height);
  panelX_ = left + pad;
  panelY_ = top + pad;
  panelLineH_ = lineH;
  panelValueX_ = panelX_ + labelW + pad + valueW;
  Pis(dc, -1, panel.title, 0, 0, nullptr);
  for (const ops::PanelRow& r : panel.rows)
    Pis(dc, r.row, r.label, r.value, mono ? 0 : Rgb(r.red, r.green, r.blue), r.format);
}

void TDispl10::ShowStat(platform::Canvas& dc, int betweenCursors) {
  if (broken_) return;
  ops::Panel panel;
  // Nothing to show (no data, equal cursors): no panel.
  if (!ops::ShowStat(p_, IsW, DataChannel(), betweenCursors != 0, panel)) return;
  DrawPanel(dc, panel);
}

void TDispl10::ShowStatEnergo(platform::Canvas& dc, int betweenCursors) {
  // Voltage and current are a pair of waveform channels.
  if (broken_ || !store::IsW(IsW)) return;
  ops::Panel panel;
  if (!ops::ShowStatEnergo(p_, DataChannel(), betweenCursors != 0, panel)) return;
  DrawPanel(dc, panel);
}

}  // namespace graph
