// The graph window's own menu ("DISPL_MENU"): the rows a front end builds
// it from. Every item names the key it stands for; choosing one runs
// `TDispl10::MenuCommand` with its identifier.
#pragma once

#include <span>

namespace graph {

enum class WindowMenuKind { Item, Submenu, EndSubmenu };

struct WindowMenuRow {
  WindowMenuKind kind;
  int id;  // 0 for a submenu's bounds
  const char* label;
};

// Identifiers of the items; 336 and 338 stand twice (in the submenu and at
// the top level).
enum WindowMenuId {
  kWindowMenuF1 = 324,
  kWindowMenuSetLimits = 325,   // L, F2
  kWindowMenuShowLimits = 326,  // D, F3
  kWindowMenuBothHalves = 327,  // F4
  kWindowMenuKeep = 328,        // F7
  kWindowMenuClear = 329,       // F8
  kWindowMenuF6 = 330,          // FFT (W), dots (M)
  kWindowMenuAutoscale = 331,   // F5
  kWindowMenuSettings = 334,    // F11
  kWindowMenuHotKeys = 335,     // F12
  kWindowMenuAutoscaleAll = 336,
  kWindowMenuAutoscaleAllValues = 338,
  kWindowMenuCalibration = 332,  // user message 2100
};

std::span<const WindowMenuRow> WindowMenuRows();

}  // namespace graph
