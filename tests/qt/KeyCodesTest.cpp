#include <gtest/gtest.h>

#include <QKeyEvent>

#include "qt/KeyCodes.h"

namespace {

TEST(KeyCodes, FunctionKeysLettersArrowsAndKeypad) {
  EXPECT_EQ(qt::VirtualKey(Qt::Key_F1, false), 0x70);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_F9, false), 0x78);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Q, false), 'Q');
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Left, false), 37);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Down, true), 40);  // keypad arrows are arrows
  EXPECT_EQ(qt::VirtualKey(Qt::Key_5, true), 0x65);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Plus, true), 0x6B);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Escape, false), 27);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Pause, false), 19);
  EXPECT_EQ(qt::VirtualKey(Qt::Key_Eacute, false), 0);

  QKeyEvent e(QEvent::KeyPress, Qt::Key_PageUp, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(qt::VirtualKey(e), 33);
  EXPECT_EQ(qt::Modifiers(e), qt::kShift | qt::kControl);
}

}  // namespace
