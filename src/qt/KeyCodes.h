// The program's key handling speaks the card-era virtual key codes (F1 =
// 0x70, arrows 37..40, letters as their upper-case ASCII); Qt's key events
// are translated here once for the main window and the graph windows.
#pragma once

class QKeyEvent;

namespace qt {

// Modifier bits passed beside a virtual key.
inline constexpr int kShift = 1, kControl = 2, kAlt = 4;
// The virtual keys of the modifier keys themselves.
inline constexpr int kShiftKey = 16, kControlKey = 17;

// The virtual key of a Qt key (Qt::Key), or 0 when the program has none.
// keypad: the key came from the numeric keypad (digits and + - * / there
// have codes of their own).
int VirtualKey(int qtKey, bool keypad);
int VirtualKey(const QKeyEvent& event);
int Modifiers(const QKeyEvent& event);

}  // namespace qt
