// The button panels the graph window draws itself: the function-key panel at
// the top of the key strip and the button column right of the plot, with its
// tool tips.
#include <algorithm>
#include <iterator>

#include "graph/GraphModel.h"
#include "state/Messages.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr int kFunKeys = 11, kFunKeyH = 18;
constexpr int kFunKeyIds[kFunKeys] = {120, 112, 113, 114, 115, 116, 117, 118, 124, 122, 123};
constexpr const char* kShortLabels[kFunKeys] = {nullptr, "F1", "F2", "F3",  "F4", "F5",
                                                "F6",    "F7", "F8", "F11", "F12"};
constexpr const char* kLongLabels[kFunKeys] = {nullptr,  nullptr,   "F2 L|---|", "F3 D|---|",
                                               "F4 L+R", "F5 Auto", "F6 FFT",    "F7 hadd",
                                               "F8 hcl", nullptr,   nullptr};
// Wider windows have room for what the keys do.
constexpr int kLongLabelsAbove = 630;

constexpr uint32_t kFace = 0xC8D0D4, kDark = 0x808080, kLit = 0xFFE0C0;

// The right-hand column: the window's most used keys.
struct VertButton {
  const char* label;
  int key;
  const char* tipCz;
  const char* tipEn;
};
constexpr VertButton kVertButtons[] = {
    {"Auto", 'A', "Autoscale (A)", "Autoscale (A)"},
    {"Zoom+", 0x21, "Zvětšit časovou osu (PgUp)", "Zoom in on the time axis (PgUp)"},
    {"Zoom-", 0x22, "Zmenšit časovou osu (PgDn)", "Zoom out on the time axis (PgDn)"},
    {"All", 'W', "Celý záznam (W)", "The whole record (W)"},
    {"|< >|", 'R', "Kurzory na okraje (R)", "Cursors to the view edges (R)"},
    {"CurZ", 'E', "Zoom mezi kurzory (E)", "Zoom between the cursors (E)"},
    {"Max", 'V', "Kurzor na maximum (V)", "Cursor to the maximum (V)"},
    {"FFT", 'F', "Spektrum (F)", "Spectrum (F)"},
    {"Stat", 'I', "Statistika (I)", "Statistics (I)"},
    {"Set", 0x7A, "Nastavení okna (F11)", "Window settings (F11)"},
};
constexpr int kVertButtonH = 20, kVertButtonGap = 2;
constexpr uint32_t kTipMs = 1000;

void Button(platform::Canvas& dc, int left, int top, int right, int bottom, uint32_t face,
            const std::string& label) {
  dc.FillRect(left, top, right, bottom, face);
  dc.SetPen(kDark, 1);
  dc.SetNullBrush();
  dc.Rectangle(left, top, right, bottom);
  dc.SetTextColor(0);
  dc.Text({(left + right) / 2, (top + bottom) / 2}, label, platform::HAlign::Center,
          platform::VAlign::Center);
}

platform::Font Small() {
  platform::Font f;
  f.height = 12;
  f.width = 5;
  return f;
}

}  // namespace

std::string TDispl10::FunKeyLabel(int slot) const {
  if (slot < 0 || slot >= kFunKeys) return {};
  if (slot == 0) return state::Txt(p_, 89);
  if (ClientW <= kLongLabelsAbove) return kShortLabels[slot];
  switch (slot) {
    case 1:
      return store::IsW(IsW) ? state::Txt(p_, 88) : std::string(kShortLabels[slot]);
    case 6:
      return store::IsW(IsW) ? kLongLabels[slot] : "F6 Dots";
    case 9:
      return state::Txt(p_, 87);
    case 10:
      return state::Txt(p_, 621);
    default:
      return kLongLabels[slot];
  }
}

int TDispl10::FunKeyAt(int x, int y) const {
  const int w = ClientW / kFunKeys;
  if (!FunKeysShown || KeyStripH <= 0 || w <= 0 || x < 0 || y < BorderY || y >= BorderY + kFunKeyH) return 0;
  const int slot = x / w;
  return slot < kFunKeys ? kFunKeyIds[slot] : 0;
}

void TDispl10::FunKeysCreateDelete(int create) {
  FunKeysShown = create && KeyStripH > 0;
  platform::Canvas& dc = *surface_;
  const int w = ClientW / kFunKeys;
  if (!FunKeysShown || w <= 0) return;
  dc.SetFont(Small());
  for (int slot = 0; slot < kFunKeys; ++slot) {
    const uint32_t face = kFunKeyIds[slot] == funKeyPressed_ ? kDark : kFace;
    // A long text that the button cannot hold gives way to the key's name.
    std::string label = FunKeyLabel(slot);
    if (slot > 0 && dc.TextWidth(label) > w - 4) label = kShortLabels[slot];
    Button(dc, slot * w, BorderY, (slot + 1) * w - 1, BorderY + kFunKeyH, face, label);
  }
}

int TDispl10::VertBarButtonAt(int x, int y) const {
  if (RightPanelW <= 0) return -1;
  const int left = PlotLeft + PlotW + 4, right = left + RightPanelW - 4;
  if (x < left || x >= right || y < PlotTop) return -1;
  const int k = (y - PlotTop) / (kVertButtonH + kVertButtonGap);
  const int top = PlotTop + k * (kVertButtonH + kVertButtonGap);
  if (k >= int(std::size(kVertButtons)) || y >= top + kVertButtonH || top + kVertButtonH > ClientH) return -1;
  return k;
}

int TDispl10::Vert_Bar_Control(int code, int x, int y) {
  if (broken_ || RightPanelW <= 0) return 0;
  const int k = VertBarButtonAt(x, y);
  switch (code) {
    case 0: {  // release: a button pressed and released on it acts
      const int pressed = vertPressed_;
      vertPressed_ = -1;
      Vert_Bar_Control(4, x, y);
      if (pressed < 0 || pressed != k) return 0;
      if (kVertButtons[k].key == 0x7A)
        F11();
      else
        PressKey(0, kVertButtons[k].key);
      return 1;
    }
    case 2:  // hover
      if (k != vertHover_) {
        vertHover_ = k;
        Vert_Bar_Control(4, x, y);
      }
      return k >= 0;
    case 3:  // press
      if (k < 0) return 0;
      vertPressed_ = k;
      Vert_Bar_Control(4, x, y);
      return 1;
    case 4: {  // draw
      platform::Canvas& dc = *surface_;
      dc.SetFont(Small());
      const int left = PlotLeft + PlotW + 4, right = left + RightPanelW - 4;
      for (int i = 0; i < int(std::size(kVertButtons)); ++i) {
        const int top = PlotTop + i * (kVertButtonH + kVertButtonGap);
        if (top + kVertButtonH > ClientH) break;
        const uint32_t face = i == vertPressed_ ? kDark : i == vertHover_ ? kLit : kFace;
        Button(dc, left, top, right, top + kVertButtonH, face, kVertButtons[i].label);
      }
      return 0;
    }
    case 5: {  // tool tip, left of the hovered button, over the plot
      if (vertHover_ < 0) return 0;
      const VertButton& b = kVertButtons[vertHover_];
      platform::Canvas& dc = *surface_;
      dc.SetFont(Small());
      const std::string tip = state::Lang(p_, b.tipCz, b.tipEn);
      const int right = PlotLeft + PlotW - 2, width = dc.TextWidth(tip) + 8;
      const int top = PlotTop + vertHover_ * (kVertButtonH + kVertButtonGap) + 2;
      dc.FillRect(std::max(0, right - width), top, right, top + 16, Rgb(255, 255, 225));
      dc.SetTextColor(0);
      dc.Text({right - 4, top + 8}, tip, platform::HAlign::Right, platform::VAlign::Center);
      tipShown_ = true;
      return 1;
    }
    default:
      return 0;
  }
}

void TDispl10::PaintPanels(platform::Canvas&) {
  RedrawKeys = 0;
  FunKeysShown = KeyStripH > 0;
  if (FunKeysShown) FunKeysCreateDelete(1);
  if (RightPanelW > 0) Vert_Bar_Control(4, 0, 0);
}

void TDispl10::TimerToolTip() {
  if (RightPanelW <= 0 || !tipPending_ || !p_.plat.clock) return;
  if (p_.plat.clock->TickMs() - hoverStart_ < kTipMs) return;
  tipPending_ = false;
  Vert_Bar_Control(5, LMouse_X, LMouse_Y);
}

}  // namespace graph
