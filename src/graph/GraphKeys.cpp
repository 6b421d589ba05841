// The keys of the graph window: the modifier keys, the function keys, and
// the zoom, shift, limit, autoscale, cursor, statistics and processing keys
// without and with Ctrl. Keys not handled here answer false.
#include <algorithm>
#include <string_view>

#include "graph/GraphModel.h"
#include "macro/HelpFiles.h"
#include "state/EventQueue.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"

namespace graph {
namespace {

constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;
constexpr int kPageUp = 0x21, kPageDown = 0x22, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int kTab = 0x09, kShiftKey = 0x10, kCtrlKey = 0x11, kEscape = 0x1B, kSpace = 0x20;
constexpr int kF1 = 0x70, kF2 = 0x71, kF8 = 0x77, kF9 = 0x78, kF11 = 0x7A, kF12 = 0x7B;
constexpr int kComma = 0xBC, kFullStop = 0xBE;
constexpr int kNumMultiply = 0x6A, kNumAdd = 0x6B, kNumSubtract = 0x6D, kNumDivide = 0x6F;

}  // namespace

void TDispl10::DisplTypeSet(int32_t type) {
  const int32_t previous = Act().DisplType;
  SetNewPointer(type, previous);
  RedrawAll = 1;
  DisplControl();
}

void TDispl10::F2() {
  if (p_.plat.ui) state::AC_Beep(p_);
  SetLimits(1, true);
}

void TDispl10::F3() {
  if (p_.plat.ui) state::AC_Beep(p_);
  DisplLimits(1);
}

void TDispl10::F4() { DisplTypeSet(kBothHalves); }

void TDispl10::F5() { AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true}); }

bool TDispl10::F6() {
  if (store::IsW(IsW)) {
    Transform();
    return true;
  }
  store::CG_s& g = Own();
  g.TraceStyle = g.TraceStyle == 0 ? 3 : 0;
  RedrawAll = 1;
  DisplControl();
  return true;
}

void TDispl10::F7() {
  AddHBuf();
  RedrawAll = 1;
  DisplControl();
}

void TDispl10::F8() {
  ClearHBufAll(true);
  RedrawAll = 1;
  DisplControl();
}

void TDispl10::F1() { macro::ShowHelpText(p_, 0); }

void TDispl10::F11() { DisplModeDialog(); }

void TDispl10::F12() { HotKeyDialog(); }

bool TDispl10::KeyDown(int key, int modifiers) {
  if (broken_) return false;
  switch (key) {
    case kCtrlKey:
      ModifierState = 1;
      return true;
    case kShiftKey:
      ModifierState = 2;
      return true;
    case kTab:
      ModifierState = 3;
      return true;
    default:
      break;
  }
  if (modifiers & kAltBit) return false;
  // The desktop passes the held modifiers with every key, so a Ctrl held
  // since before the window got the focus counts as well.
  int state = ModifierState;
  if (modifiers & kCtrlBit)
    state = 1;
  else if (modifiers & kShiftBit)
    state = 2;
  // A key-down after a key-up is a fresh press: shifts start with small steps.
  if (!KeyEnable) Div = 50;
  KeyEnable = 1;
  switch (state) {
    case 0:
      return FunctionKey(key) || PlainKey(key);
    case 1:
      if (key == kF9) {
        state::ExitTRV(p_);
        return true;
      }
      return CtrlKey(key);
    case 3:
      return TabKey(key);
    default:
      return false;  // Shift has no keys of its own in a graph window
  }
}

// The Tab state reaches the analyses that have no letter of their own.
bool TDispl10::TabKey(int key) {
  switch (key) {
    case 'F':
      DataModif(10);  // band filter
      return true;
    case 'T':
      DataModif(2);  // trend removal
      return true;
    case 'D':
      DataModif(6);  // division by a constant
      return true;
    case 'B':
      DataModif(7);  // baseline subtraction
      return true;
    case 'S':
      DataModif(8);  // sample shift
      return true;
    case 'H':
      DataModif(9);  // trend through the two cursor points
      return true;
    default:
      return false;
  }
}

bool TDispl10::FunctionKey(int key) {
  switch (key) {
    case kSpace:
    case kF12:
      F12();
      return true;
    case kEscape:
    case kF9:
      CloseWindow();  // the window may be gone now: touch nothing after this
      return true;
    case kF1:
      F1();
      return true;
    case kF11:
      F11();
      return true;
    default:
      break;
  }
  if (key < kF2 || key > kF8) return false;
  switch (key - kF2 + 2) {
    case 2:
      F2();
      return true;
    case 3:
      F3();
      return true;
    case 4:
      F4();
      return true;
    case 5:
      F5();
      return true;
    case 6:
      return F6();
    case 7:
      F7();
      return true;
    default:
      F8();
      return true;
  }
}

bool TDispl10::PressKey(int state, int key) {
  // As if pressed by hand in that state, then released, so no state is left
  // for the next real key. Never a key that closes the window.
  ModifierState = state;
  KeyEnable = 0;
  const bool used = KeyDown(key, 0);
  ModifierState = KeyEnable = 0;
  return used;
}

void TDispl10::CloseWindow() {
  // Only the window the program keeps in its table can be closed through it;
  // the table entry owns this object, so it goes last.
  std::unique_ptr<platform::GraphWindow>& entry = p_.Windows(IsW)[OwnChan];
  if (entry.get() == this) state::UnDisplayWave(p_, IsW, OwnChan);
}

bool TDispl10::PlainKey(int key) {
  auto beep = [this] {
    if (p_.plat.ui) state::AC_Beep(p_);
  };
  store::CG_s& g = Own();
  switch (key) {
    case kPageUp:
      WinCompress();
      return true;
    case kPageDown:
      WinExpand();
      return true;
    case kLeft:
      LeftDataShift();
      return true;
    case kRight:
      RightDataShift();
      return true;
    case kUp:
      UpDataShift();
      return true;
    case kDown:
      DownDataShift();
      return true;
    case 'A':
      beep();
      AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true});
      return true;
    case 'B':
      DataModifMultiChan(2);
      return true;
    case 'C':
      CommonDisplay(1);
      return true;
    case 'D':
      beep();
      DisplLimits(1);
      return true;
    case 'E':
      beep();
      if (g.CursorStyle == 1)
        CursorExpand();
      else
        VerticalCursorExpand();
      return true;
    case 'F':
      Transform();
      return true;
    case 'G':
      ToMag(1, 0);
      return true;
    case 'H':
      VyberKanaluProMultizobrazeniMeziKurzory();
      return true;
    case 'I':
    case 'J':
      ShowStat(*surface_, key == 'J');
      return true;
    case 'K':
      WeightFunction();
      return true;
    case 'L':
      beep();
      SetLimits(1, true);
      return true;
    case 'M':
    case kNumSubtract:
      MagCompress();
      return true;
    case 'N':
      Normalizace(1);
      return true;
    case 'O':
      // The time zero is kept one-based: 0 means none.
      if (state::AskT(p_, 778, 15) == platform::Answer::Yes) {
        g.ZeroIndex = std::clamp(g.Cur1, 0, std::max(NShown - 1, 0)) + 1;
        Redraw();
      }
      return true;
    case 'P':
    case kNumAdd:
      MagExpand();
      return true;
    case 'Q':
      beep();
      AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = true});
      return true;
    case 'R':
      DrawCursor(1);
      return true;
    case 'S':
      DataModif(0);
      return true;
    case 'U':
      DataModif(1);
      return true;
    case 'Y':
      DataModif(4);
      return true;
    case 'Z':
      DataModif(3);
      return true;
    case 'T':
      beep();
      Printer(0);
      return true;
    case 'V':
      CursorToMax(3);
      return true;
    case 'W':
      beep();
      HorizontalAllExpand();
      return true;
    case 'X':
      Marker();
      return true;
    case kNumMultiply:
      beep();
      g.CursorStep = int16_t(std::min(g.CursorStep * 2, 64));
      return true;
    case kNumDivide:
      beep();
      g.CursorStep = int16_t(std::max(g.CursorStep / 2, 1));
      return true;
    case kComma:
      StepCursor(-1);
      return true;
    case kFullStop:
      StepCursor(1);
      return true;
    default:
      return false;
  }
}

bool TDispl10::CtrlKey(int key) {
  static constexpr std::string_view kCtrlLetters = "ABCDEGHIJKLMNOPQRSTUVWXYZ";
  if (key > 0xFF || kCtrlLetters.find(char(key)) == std::string_view::npos) return false;
  if (p_.plat.ui) state::AC_Beep(p_);
  store::CG_s& g = Own();
  switch (key) {
    case 'A':
      AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true});
      break;
    case 'B':
      ZeroOffset();
      Normalizace(0);
      break;
    case 'C':
      CommonDisplay(0);
      break;
    case 'D':
      DisplLimits(0);
      break;
    case 'E':
      CatData();
      break;
    case 'G':
      ToMag(1, 1);
      break;
    case 'H':
      HorizontalCursorExpand();
      break;
    case 'L':
      SetLimits(0, true);
      break;
    case 'M':
      GoSmooth();
      break;
    case 'N':
      Normalizace(0);
      break;
    case 'O':
      if (g.ZeroIndex == 0) {
        state::MessT(p_, 837, 11);
      } else {
        g.ZeroIndex = 0;
        state::MessT(p_, 834, 11);
        Redraw();
      }
      break;
    case 'Q':
      AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = true});
      break;
    case 'R':
      DrawCursor(1);
      break;
    case 'S':
    case 'T':
    case 'U':
      CursorToMax(key - 'S');
      break;
    case 'V':
      VerticalCursorExpand();
      break;
    case 'W':
      HorizontalAllExpand();
      break;
    case 'Y':
      DataModif(5);
      break;
    // Analyses with no key of their own in the classic map take the free Ctrl letters.
    case 'I':
    case 'J':
      ShowStatEnergo(*surface_, key == 'J');
      break;
    case 'K':
    case 'Z':
      RemoveStepsSpikes(key == 'Z' ? 1 : 0);
      break;
    case 'P':
      ShowHarmonics(*surface_);
      break;
    case 'X':
      ShowStatMaxMin();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace graph
