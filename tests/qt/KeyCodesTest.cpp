#include <gtest/gtest.h>

#include <QKeyEvent>
#include <tuple>

#include "qt/KeyCodes.h"

namespace {

TEST(KeyCodes, FunctionKeysLettersArrowsAndKeypad) {
  // Keypad arrows are arrows; a key without a virtual code gives 0.
  const struct {
    int key;
    bool keypad;
    int code;
  } cases[] = {{Qt::Key_F1, false, 0x70},  {Qt::Key_F9, false, 0x78},   {Qt::Key_Q, false, 'Q'},
               {Qt::Key_Left, false, 37},  {Qt::Key_Down, true, 40},    {Qt::Key_5, true, 0x65},
               {Qt::Key_Plus, true, 0x6B}, {Qt::Key_Escape, false, 27}, {Qt::Key_Pause, false, 19},
               {Qt::Key_Eacute, false, 0}};
  for (const auto& c : cases) EXPECT_EQ(qt::VirtualKey(c.key, c.keypad), c.code) << c.key;
  QKeyEvent e(QEvent::KeyPress, Qt::Key_PageUp, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(std::tuple(qt::VirtualKey(e), qt::Modifiers(e)), std::tuple(33, qt::kShift | qt::kControl));
}

}  // namespace
