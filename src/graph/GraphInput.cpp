// The mouse of the graph window, the hot buttons in the plot corner, the
// key release, the commands of the function-key panel and the settings and
// multi display dialogs with what follows them.
#include <algorithm>
#include <cmath>

#include "graph/GraphModel.h"
#include "ops/ChannelTransport.h"
#include "state/Messages.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr int kHotButtons = 4, kHotButtonW = 14, kHotButtonH = 18;
// The hot buttons show while the mouse is in this corner.
constexpr int kHotZoneX = 140, kHotZoneH = 30;
constexpr const char* kHotLabels[kHotButtons] = {"1", "2", "3", "?"};

int16_t Pixel(int v) { return int16_t(std::clamp(v, -32768, 32767)); }

}  // namespace

void TDispl10::KeyUp(int) {
  ModifierState = 0;
  KeyEnable = 0;
  Div = 50;
}

bool TDispl10::HotButtonLit() const {
  return std::any_of(std::begin(DM1), std::end(DM1), [](int32_t v) { return v != 0; });
}

bool TDispl10::MouseBlocked() const { return broken_ || !Armed || HotButtonLit(); }

void TDispl10::MoveCursorTo(int which, int x, int y) {
  int16_t cx = Pixel(x), cy = Pixel(y);
  CursorPaint(cx, cy, which, true);
  store::CG_s& g = Own();
  // The cross-hair's horizontal line stays where it was put.
  if (g.CursorStyle == 1 && !g.XYPlot) (which == 0 ? g.HCur1 : g.HCur2) = MouseHorizToGlobal(cy);
  RedrawInfo = 1;
}

void TDispl10::LButtonDown(int x, int y) {
  funKeyPressed_ = 0;
  if (MouseBlocked()) return;
  if (RightPanelW > 0 && Vert_Bar_Control(3, x, y)) return;
  if (int id = FunKeyAt(x, y)) {
    funKeyPressed_ = id;  // acts on release over the same button
    return;
  }
  store::CG_s& g = Own();
  const bool inPlot = x >= PlotLeft && x < PlotLeft + PlotW && y >= PlotTop && y < PlotTop + PlotH;
  if (g.Multi && (g.MultiFlags & store::kMultiStrips) && inPlot) {
    for (int k = 0; k < store::kChannels; ++k) {
      double top, height;
      if (!StripOf(k, top, height) || y < top || y >= top + height) continue;
      if (k != ActChan) NastavKanal(0, ActChan, int16_t(k));
      break;
    }
  }
  MoveCursorTo(0, x, y);
}

void TDispl10::RButtonDown(int x, int y) {
  if (MouseBlocked()) return;
  if (RightPanelW > 0 && Vert_Bar_Control(3, x, y)) return;
  if (FunKeyAt(x, y)) return;
  MoveCursorTo(1, x, y);
}

void TDispl10::MButtonDown(int, int) {
  if (MouseBlocked()) return;
  if (Own().CursorStyle == 1)
    CursorExpand();
  else
    VerticalCursorExpand();
}

void TDispl10::MButtonUp(int, int) { Armed = 0; }

void TDispl10::LButtonUp(int x, int y) {
  const int funKey = funKeyPressed_;
  funKeyPressed_ = 0;
  if (broken_ || !Armed) return;
  Armed = 0;  // one click acts once
  if (HotButtonLit()) {
    HotButtonRelease(true);
  } else if (funKey && FunKeyAt(x, y) == funKey) {
    EvCommand(funKey);  // may close the window: nothing may follow
    return;
  }
  if (RightPanelW > 0) {
    Vert_Bar_Control(0, x, y);
    Vert_Bar_Control(2, x, y);
  }
  RedrawScales = 1;
}

void TDispl10::RButtonUp(int x, int y) {
  funKeyPressed_ = 0;
  if (broken_ || !Armed) return;
  Armed = 0;
  if (HotButtonLit()) HotButtonRelease(false);
  if (RightPanelW > 0) {
    Vert_Bar_Control(0, x, y);
    Vert_Bar_Control(2, x, y);
  }
  RedrawScales = 1;
}

void TDispl10::MouseMove(int x, int y, int buttons) {
  if (broken_) return;
  const bool moved = x != LMouse_X || y != LMouse_Y;
  LMouse_X = Pixel(x);
  LMouse_Y = Pixel(y);
  if (RightPanelW > 0) {
    if (moved) {
      hoverStart_ = p_.plat.clock ? p_.plat.clock->TickMs() : 0;
      tipPending_ = true;
      if (tipShown_) {
        tipShown_ = false;
        DoClear = RedrawAll = 1;  // the tip lies over the plot
      }
    }
    if (Vert_Bar_Control(2, x, y)) {
      if (p_.plat.ui) p_.ui().SetCursor("");
      return;
    }
  }
  if (!MouseBlocked() && !funKeyPressed_ && vertPressed_ < 0) {
    if (buttons & 1)
      MoveCursorTo(0, x, y);
    else if (buttons & 2)
      MoveCursorTo(1, x, y);
  }
  MouseMoveReaction(x, y);
}

void TDispl10::MouseMoveReaction(int x, int y) {
  std::fill(std::begin(DM1), std::end(DM1), 0);
  const store::CG_s& g = Own();
  if (!(g.DisplFlags & store::kDisplHotButtons) || broken_) return;
  if (x >= kHotZoneX || y >= PlotTop + kHotZoneH) {
    if (hotButtonsDrawn_) {
      hotButtonsDrawn_ = false;
      DoClear = RedrawAll = 1;  // they were drawn over the plot
    }
    return;
  }
  platform::Canvas& dc = *surface_;
  platform::Font font;
  font.height = 13;
  font.width = 7;
  dc.SetFont(font);
  dc.SetTextColor(0);
  const int top = PlotTop + 2;
  for (int k = 0; k < kHotButtons; ++k) {
    const int left = PlotLeft + 2 + k * kHotButtonW;
    const bool lit = x >= left && x < left + kHotButtonW && y >= top && y < top + kHotButtonH;
    DM1[k] = lit ? 1 : 0;
    dc.FillRect(left, top, left + kHotButtonW, top + kHotButtonH,
                lit ? Rgb(255, 100, 100) : Rgb(220, 220, 220));
    dc.SetPen(Rgb(96, 96, 96), 1);
    dc.SetNullBrush();
    dc.Rectangle(left, top, left + kHotButtonW, top + kHotButtonH);
    dc.Text({left + kHotButtonW / 2, top + kHotButtonH / 2}, kHotLabels[k], platform::HAlign::Center,
            platform::VAlign::Center);
  }
  hotButtonsDrawn_ = true;
}

void TDispl10::HotButtonRelease(bool left) {
  if (DM1[0]) {
    if (left)
      DisplModeDialog();
    else
      MultiDisplDialog();
  } else if (DM1[1] && left) {
    CycleMulti();
  } else if (DM1[3] && left) {
    state::MessT(p_, 1265, 23);
  }
}

void TDispl10::CycleMulti() {
  store::CG_s& g = Own();
  // Back to the own channel first, so the own range is the own record's again.
  if (ActChan != OwnChan) NastavKanal(0, ActChan, OwnChan);
  if (!g.Multi) {
    g.Multi = 1;
    g.MultiFlags = 0;
  } else if (!(g.MultiFlags & store::kMultiStrips)) {
    g.MultiFlags |= store::kMultiStrips;
  } else {
    g.Multi = 0;
  }
  UpravAktivniKanal();
  if (ActChan != OwnChan) {
    const int16_t act = ActChan;
    ActChan = OwnChan;
    NastavKanal(0, OwnChan, act);
  }
  SetPointer();
  DoClear = 1;
  Redraw();
}

void TDispl10::MultiDisplDialog() {
  if (!Dialogs.multiDispl) {
    state::ShowNotAvailable(p_, "Vícenásobné zobrazení", "The multi display dialog");
    return;
  }
  store::CG_s& g = Own();
  MultiDisplRequest r;
  r.store = IsW;
  r.ownChan = OwnChan;
  std::copy(std::begin(g.MultiMask), std::end(g.MultiMask), std::begin(r.mask));
  r.step = g.MultiStep;
  if (!Dialogs.multiDispl(p_, r)) return;
  std::copy(std::begin(r.mask), std::end(r.mask), std::begin(g.MultiMask));
  if (std::isfinite(r.step)) g.MultiStep = std::clamp(r.step, -100000.0f, 100000.0f);
  if (r.deleteUnchosen) {
    // The mask is of this window's store, so that store loses the channels.
    for (int k = 0; k < store::kChannels; ++k) {
      if (!p_.Header(IsW).ChannelOn[k] || ((g.MultiMask[k / 32] >> (k % 32)) & 1u)) continue;
      if (k == OwnChan)
        state::Mess(p_, state::TxtF(p_, 1239, {k + 1}), state::Txt(p_, 13));
      else
        (void)ops::ChanelDeleteUtil(p_, IsW, k);
    }
  }
  if (g.Multi && g.MultiMode == 0 && !(g.MultiFlags & store::kMultiStrips)) {
    if (ActChan != OwnChan) NastavKanal(0, ActChan, OwnChan);
  } else if (g.Multi) {
    UpravAktivniKanal();
    if (ActChan != OwnChan) {
      g.VMax = Act().VMax;
      g.VMin = Act().VMin;
    }
    KoefY();
  }
  SetPointer();
  Redraw();
}

void TDispl10::EvCommand(int id) {
  if (broken_) return;
  switch (id) {
    case 112:
      F1();
      return;
    case 113:
      F2();
      return;
    case 114:
      F3();
      return;
    case 115:
      F4();
      return;
    case 116:
      F5();
      return;
    case 117:
      F6();
      return;
    case 118:
      F7();
      return;
    case 120:
      CloseWindow();  // the window may be gone now
      return;
    case 122:
      F11();
      return;
    case 123:
      F12();
      return;
    case 124:
      F8();
      return;
    default:
      break;
  }
  // The block-print panel: B1..B6, D1..D6, C1..C6, then V1 and its neighbours.
  if ((id >= 150 && id <= 155) || (id >= 160 && id <= 165) || (id >= 170 && id <= 175)) {
    PrintBlocksManagement((id - 150) / 10, (id - 150) % 10 + 1);
    BlockDispl();
  } else if (id == 180) {
    BlockDispl();
  } else if (id == 181 || id == 182) {
    PrintBlocksManagement(id == 181 ? 4 : 3, 0);
    BlockDispl();
  } else if (id == 183) {
    Printer(1);
    BlockDispl();
  } else if (id == 184) {
    Printer(0);
  }
}

void TDispl10::HotKeyDialog() {
  if (p_.HotKeyDialog)
    p_.HotKeyDialog(p_, IsW);
  else
    state::ShowNotAvailable(p_, "Horké klávesy", "The hot keys");
}

void TDispl10::DisplModeDialog() {
  if (broken_) return;
  if (!Dialogs.cursorMode) {
    state::ShowNotAvailable(p_, "Nastavení grafického okna", "The graph window settings");
    return;
  }
  store::CG_s& g = Own();
  const store::CG_s before = g;
  store::CG_s edit = g;
  if (!Dialogs.cursorMode(p_, edit, state::Txt(p_, 85))) return;
  g = edit;
  // What identifies the window is not the dialog's to change.
  g.Chan = before.Chan;
  g.MeasWin = before.MeasWin;
  if (g.DisplType < kFirstHalf || g.DisplType > kOverlaid) g.DisplType = before.DisplType;
  g.CursorStep = std::max<int16_t>(g.CursorStep, 0);
  g.CursorCount = std::clamp(g.CursorCount, 0, 2);
  if (g.CaptionBar != before.CaptionBar) state::MessT(p_, 1213, 11);
  // Bars, the value scale and the key strip follow at the next tick.
  if (g.KeyPanel != before.KeyPanel || ((g.DisplFlags ^ before.DisplFlags) & store::kDisplRightPanel))
    RedrawKeys = 1;
  if (ActChan == OwnChan &&
      (g.DisplType != before.DisplType || (g.DisplType == kHistogram && g.ClassWidth != before.ClassWidth))) {
    const int32_t type = g.DisplType;
    g.DisplType = before.DisplType;
    SetNewPointer(type, before.DisplType);
    if (before.DisplType == kBothHalves && NShown > 0 && g.IR >= NShown) {
      // The view lay in the second half: the same samples, counted anew.
      if (g.IL >= NShown) {
        g.IL -= NShown;
        g.IR -= NShown;
      }
      if (g.IR >= NShown) {
        g.IL = 0;
        g.IR = NShown - 1;
      }
    }
    OK_IL_IR();
    KoefX();
    KoefY();
  }
  if (g.CursorCount < 2) g.InfoTime = 0;
  const bool strips = g.Multi && (g.MultiFlags & store::kMultiStrips);
  if (!g.Multi) {
    const bool keptOwn = before.Multi && (before.MultiMode == 1 || (before.MultiFlags & store::kMultiStrips));
    if (keptOwn && ActChan != OwnChan) {
      g.VMax = ownVMax_;
      g.VMin = ownVMin_;
    }
    UpravAktivniKanal();
    SetPointer();
  } else if (!before.Multi) {
    NastavKanal(0, ActChan, OwnChan);
  } else if (strips) {
    if (ActChan != OwnChan) {
      g.VMax = ownVMax_;
      g.VMin = ownVMin_;
    }
    NastavKanal(0, OwnChan, ActChan);
  }
  if (g.Multi && g.MultiMode != 0 && ActChan != OwnChan) {
    g.VMax = Act().VMax;
    g.VMin = Act().VMin;
    KoefY();
  }
  DoClear = RedrawAll = RedrawText = 1;
}

}  // namespace graph
