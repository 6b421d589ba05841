// The keys of the graph window: the function keys F2 to F8 and the zoom,
// shift, limit, autoscale, statistics and processing keys. Keys not handled here answer false.
#include <algorithm>

#include "graph/GraphModel.h"
#include "state/EventQueue.h"

namespace graph {
namespace {

constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;
constexpr int kPageUp = 0x21, kPageDown = 0x22, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int kF2 = 0x71, kF8 = 0x77;
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

bool TDispl10::KeyDown(int key, int modifiers) {
  if (broken_ || (modifiers & (kAltBit | kShiftBit))) return false;
  if (modifiers & kCtrlBit) return CtrlKey(key);
  if (key >= kF2 && key <= kF8) {
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
  return PlainKey(key);
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
    case 'C':
      CommonDisplay(1);
      return true;
    case 'D':
      beep();
      DisplLimits(1);
      return true;
    case 'F':
      Transform();
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
    case 'W':
      beep();
      HorizontalAllExpand();
      return true;
    case kNumMultiply:
      beep();
      g.CursorStep = int16_t(std::min(g.CursorStep * 2, 64));
      return true;
    case kNumDivide:
      beep();
      g.CursorStep = int16_t(std::max(g.CursorStep / 2, 1));
      return true;
    default:
      return false;
  }
}

bool TDispl10::CtrlKey(int key) {
  switch (key) {
    case 'A':
    case 'B':
    case 'C':
    case 'D':
    case 'L':
    case 'M':
    case 'Q':
    case 'R':
    case 'W':
      break;
    default:
      return false;
  }
  if (p_.plat.ui) state::AC_Beep(p_);
  switch (key) {
    case 'A':
      AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true});
      break;
    case 'B':
      ZeroOffset();
      break;
    case 'C':
      CommonDisplay(0);
      break;
    case 'D':
      DisplLimits(0);
      break;
    case 'L':
      SetLimits(0, true);
      break;
    case 'M':
      GoSmooth();
      break;
    case 'Q':
      AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = true});
      break;
    case 'R':
      DrawCursor(1);
      break;
    default:
      HorizontalAllExpand();
      break;
  }
  return true;
}

}  // namespace graph
