// The graph on paper: the print command, the job phases, the print layout
// (`DrawPrinter`) and the block page.
#include <algorithm>
#include <cstdio>
#include <string>

#include "files/Printing.h"
#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "ops/StatisticsReport.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace graph {
namespace {

// Shifts every drawing by the page offset of the graph's box.
class OffsetCanvas : public platform::Canvas {
 public:
  OffsetCanvas(platform::Canvas& to, int dx, int dy) : to_(to), dx_(dx), dy_(dy) {}
  int Width() const override { return to_.Width() - dx_; }
  int Height() const override { return to_.Height() - dy_; }
  void SetPen(uint32_t c, int w) override { to_.SetPen(c, w); }
  void SetBrush(uint32_t c) override { to_.SetBrush(c); }
  void SetNullBrush() override { to_.SetNullBrush(); }
  void SetFont(const platform::Font& f) override { to_.SetFont(f); }
  void SetTextColor(uint32_t c) override { to_.SetTextColor(c); }
  void SetXor(bool on) override { to_.SetXor(on); }
  void Line(platform::Point a, platform::Point b) override { to_.Line(At(a), At(b)); }
  void Polyline(const std::vector<platform::Point>& pts) override { to_.Polyline(Moved(pts)); }
  void Polygon(const std::vector<platform::Point>& pts) override { to_.Polygon(Moved(pts)); }
  void Rectangle(int l, int t, int r, int b) override { to_.Rectangle(l + dx_, t + dy_, r + dx_, b + dy_); }
  void FillRect(int l, int t, int r, int b, uint32_t c) override {
    to_.FillRect(l + dx_, t + dy_, r + dx_, b + dy_, c);
  }
  void Ellipse(int l, int t, int r, int b) override { to_.Ellipse(l + dx_, t + dy_, r + dx_, b + dy_); }
  void Pixel(platform::Point p, uint32_t c) override { to_.Pixel(At(p), c); }
  int Text(platform::Point p, std::string_view s, platform::HAlign h, platform::VAlign v) override {
    return to_.Text(At(p), s, h, v);
  }
  int TextWidth(std::string_view s) override { return to_.TextWidth(s); }
  void Bitmap(platform::Point p, std::string_view name) override { to_.Bitmap(At(p), name); }
  void StretchImage(int l, int t, int r, int b, const uint32_t* pixels, int width, int height) override {
    to_.StretchImage(l + dx_, t + dy_, r + dx_, b + dy_, pixels, width, height);
  }

 private:
  platform::Point At(platform::Point p) const { return {p.x + dx_, p.y + dy_}; }
  const std::vector<platform::Point>& Moved(const std::vector<platform::Point>& pts) {
    moved_.resize(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) moved_[i] = At(pts[i]);
    return moved_;
  }
  platform::Canvas& to_;
  int dx_, dy_;
  std::vector<platform::Point> moved_;
};

constexpr int kBlocks = 6;
constexpr int kBlockMargin = 40;

}  // namespace

void TDispl10::Printer(int block) {
  if (broken_ || !p_.Prt) return;
  if (!p_.MacGoing && HBufCount() > 0) state::MessT(p_, 109, 11);
  if (Dialogs.print) {
    store::Prt_s edit = p_.Prt[0];
    edit.Requested = 0;
    if (!Dialogs.print(p_, edit, state::Txt(p_, block ? 110 : 111)) || !edit.Requested) return;
    p_.Prt[0] = edit;
  }
  files::SanePrintSettings(p_);
  if (block) p_.DoBlockPrint = 1;
  p_.ui().SetCursor("Wait");
  PrinterDispl(files::kPrintWhole);
  p_.ui().SetCursor("");
}

bool TDispl10::PrinterDispl(int phase) {
  if (broken_) return false;
  files::SanePrintSettings(p_);
  return files::PrintDrawing(p_, phase, [this](platform::Canvas& dc) { DrawPrinter(dc); });
}

bool TDispl10::PrintToJob(std::unique_ptr<platform::PrintJob> job) {
  if (!job || p_.PrintJobNow) return false;
  p_.PrintJobNow = std::move(job);
  return PrinterDispl(files::kPrintWhole);
}

void TDispl10::DrawPrinter(platform::Canvas& dc) {
  if (!p_.Prt) return;
  const store::Prt_s prt = p_.Prt[0];
  if (p_.DoBlockPrint) {
    p_.DoBlockPrint = 0;
    DisplBlocks(dc);
  } else {
    // With `VScale` the scale takes 40 px of the plot's width.
    DrawPrinterAt(dc, prt.X, prt.Y, prt.Width - (Own().VScale ? 40 : 0), prt.Height);
  }
  // The ASCII text block; a mask ("\MACRO\*.MAC") means no file was chosen yet.
  const std::string text = store::FieldText(prt.TextFile);
  if ((prt.TextSwitch1 || prt.TextSwitch2) && !text.empty() && text.find_first_of("*?") == std::string::npos)
    files::DrawTextBlock(p_, dc, text, prt.TextX, prt.TextY);
}

void TDispl10::DrawPrinterAt(platform::Canvas& dc, int x, int y, int w, int h) {
  if (broken_ || !p_.Prt) return;
  store::CG_s& g = Own();
  const store::Prt_s& prt = p_.Prt[0];
  // Everything the print layout changes comes back afterwards.
  const store::CG_s savedRecord = g;
  const int16_t saved[] = {PlotLeft, PlotTop, PlotW, PlotH, ClientW, ClientH, VScaleW, RightPanelW};
  const float savedK[] = {KX, KY, SPP};
  const bool savedOverride = ColourOverride;
  const uint32_t savedColour = OverrideColour;

  g.PrintMode = 1;
  if (!prt.Colour) {
    // Black on white paper.
    g.WhiteMode = 1;
    g.DisplFlags |= store::kDisplWhiteWindow;
    ColourOverride = true;
    OverrideColour = 0;
  }
  if (prt.FontFromSize) {
    PrintCellH = int16_t(std::clamp(dc.Height() / 70, files::kMinScaleCell, files::kMaxScaleCell));
    PrintCellW = int16_t(std::max(3, PrintCellH * 7 / 16));
  } else {
    PrintCellH = std::clamp<int16_t>(prt.ScaleFontHeight, files::kMinScaleCell, files::kMaxScaleCell);
    PrintCellW = std::clamp<int16_t>(prt.ScaleFontWidth, files::kMinScaleCell / 2, files::kMaxScaleCell);
  }
  // Stored pictures are screen pixels: with them the screen's plot is kept.
  if (HBufCount() == 0) {
    VScaleW = g.VScale ? 90 : 0;
    RightPanelW = 0;
    PlotLeft = int16_t(BorderX + VScaleW);
    PlotTop = int16_t(prt.TextSwitch1 ? PrintCellH + 6 : 2);
    PlotW = int16_t(std::clamp(w, 10, files::kMaxPrintSize));
    PlotH = int16_t(std::clamp(h, 10, files::kMaxPrintSize));
  }
  ClientW = int16_t(std::min(PlotLeft + PlotW + 2 * BorderX, 32000));
  ClientH = int16_t(std::min(PlotTop + PlotH + 3 * PrintCellH + 12, 32000));
  KoefX();
  KoefY();
  DePress();

  OffsetCanvas page(dc, x, y);
  PaintBackground(page);
  DrawStoredPictures(page);
  PaintRaster(page);
  PaintScale(page);
  PaintVScale(page);
  PaintLimits(page);
  PaintText(page);
  const bool overlaid = Act().DisplType == kOverlaid && !IsXY();
  if (g.Multi) {
    PaintMulti(page);
  } else {
    PaintMarker(page, ActChan, 0.0f);
    if (overlaid) {
      PrekladaneZobrazeni(page);
    } else {
      PictureBufferFilling();
      PaintData(page, PlotLeft, 0.0f, kPaintLine, g.PenWidth);
    }
  }
  // The panel only: a print writes no report and starts no editor.
  ops::Panel panel;
  std::string report;
  if (ops::StatisticsPanel(p_, IsW, DataChannel(), p_.StatCursor != 0, panel, report)) DrawPanel(page, panel);
  const int32_t type = Act().DisplType;
  if (!g.Multi && !IsXY() && (type == kRunningSum || type == kDifference)) PrintRawTrace(page);

  // A range the background option scanned stays for the next print.
  const float keptMax = g.VSavMax, keptMin = g.VSavMin;
  g = savedRecord;
  g.VSavMax = keptMax;
  g.VSavMin = keptMin;
  PlotLeft = saved[0], PlotTop = saved[1], PlotW = saved[2], PlotH = saved[3];
  ClientW = saved[4], ClientH = saved[5], VScaleW = saved[6], RightPanelW = saved[7];
  KX = savedK[0], KY = savedK[1], SPP = savedK[2];
  ColourOverride = savedOverride;
  OverrideColour = savedColour;
  PrintCellH = PrintCellW = 0;
  KoefX();
  KoefY();
  DePress();
  PictureBufferFilling();
  RedrawAll = LayoutChanged = DoClear = 1;
}

void TDispl10::PrintRawTrace(platform::Canvas& dc) {
  store::CG_s& g = Own();
  float* const derived = series_;
  const int32_t shown = NShown;
  series_ = ChannelData(OwnChan, false);
  if (!series_) {
    series_ = derived;
    return;
  }
  NShown = 2 * Half;
  const float vMax = g.VMax, vMin = g.VMin;
  const int32_t type = g.DisplType;
  g.VMax = g.VSavMax;
  g.VMin = g.VSavMin;
  const bool kept = Finite(g.VSavMax) && Finite(g.VSavMin) && g.VSavMax != g.VSavMin;
  if (g.Background || !kept) {
    SetMaxMinIn(g.IL, g.IR, 1, 0, 1);
    // Only the option keeps the scan; an unusable kept range is just not used.
    if (g.Background) {
      g.VSavMax = g.VMax;
      g.VSavMin = g.VMin;
    }
  }
  KoefY();
  // The raw samples in the channel's own trace colour, not the derived trace's.
  g.DisplType = kBothHalves;
  PictureBufferFilling();
  PaintData(dc, PlotLeft, 0.0f, kPaintLine, g.PenWidth);
  g.DisplType = type;
  g.VMax = vMax;
  g.VMin = vMin;
  series_ = derived;
  NShown = shown;
  KoefY();
}

void TDispl10::PrintBlocksManagement(int op, int block) {
  const int k = block - 1;
  const bool valid = k >= 0 && k < kBlocks;
  switch (op) {
    case 0:
    case 2:
      if (!valid) return;
      p_.PrintBlocks[k] = {store::IsW(IsW) ? 1 : 0, OwnChan};
      if (op == 2) Printer(1);
      break;
    case 1:
      if (valid) p_.PrintBlocks[k] = {};
      break;
    case 3: {
      int next = 0;
      auto* windows = p_.Windows(IsW);
      for (int c = 0; c < store::kChannels && next < kBlocks; ++c)
        if (windows[c]) p_.PrintBlocks[next++] = {store::IsW(IsW) ? 1 : 0, c};
      break;
    }
    case 4:
      for (auto& b : p_.PrintBlocks) b = {};
      break;
    default:
      break;
  }
}

void TDispl10::DisplBlocks(platform::Canvas& dc) {
  // Two columns of three rows on the page.
  const int cellW = (dc.Width() - 3 * kBlockMargin) / 2, cellH = (dc.Height() - 4 * kBlockMargin) / 3;
  if (cellW < 100 || cellH < 100) return;
  for (int k = 0; k < kBlocks; ++k) {
    const state::Program::PrintBlock& b = p_.PrintBlocks[k];
    if (b.store < 0 || b.chan < 0 || b.chan >= store::kChannels) continue;
    auto* window =
        dynamic_cast<TDispl10*>(p_.Windows(b.store ? store::Store::W : store::Store::M)[b.chan].get());
    if (!window) continue;
    const int x = kBlockMargin + (k % 2) * (cellW + kBlockMargin);
    const int y = kBlockMargin + (k / 2) * (cellH + kBlockMargin);
    const int scale = window->Own().VScale ? 90 : 0;
    window->DrawPrinterAt(dc, x, y, cellW - scale - 2 * window->BorderX, cellH - 60);
  }
}

void TDispl10::BlockDispl() {
  std::string text = state::Lang(p_, "Bloky tisku:", "Print blocks:");
  for (int k = 0; k < kBlocks; ++k) {
    const state::Program::PrintBlock& b = p_.PrintBlocks[k];
    char item[32];
    if (b.store < 0)
      std::snprintf(item, sizeof item, "  B%d -", k + 1);
    else
      std::snprintf(item, sizeof item, "  B%d %c%d", k + 1, b.store ? 'W' : 'M', b.chan + 1);
    text += item;
  }
  state::TS(p_, text);
}

}  // namespace graph
