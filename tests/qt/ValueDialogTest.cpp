// The value dialog driven directly (shown, not run modally).
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "qt/ValueDialog.h"

namespace {

using app::ValueKind;
using app::ValuePrompt;

struct Opened {
  explicit Opened(const ValuePrompt& prompt) : dialog(nullptr, prompt, "Frequency", "Tarvelin") {
    dialog.show();
    field = dialog.findChild<QLineEdit*>("511");
    bar = dialog.findChild<QScrollBar*>("510");
  }
  QPushButton* Button(const char* control) { return dialog.findChild<QPushButton*>(control); }

  qt::ValueDialog dialog;
  QLineEdit* field = nullptr;
  QScrollBar* bar = nullptr;
};

TEST(ValueDialog, ControlsFollowTheValueWhicheverWayItChanges) {
  Opened o(ValuePrompt(ValueKind::Float, 1.0, 10000.0, 100.0, 0, 10000));
  ASSERT_TRUE(o.field && o.bar);
  for (const char* c : {"513", "512", "500", "1", "2"}) ASSERT_TRUE(o.Button(c)) << c;
  EXPECT_EQ(o.field->maxLength(), 10);
  EXPECT_EQ(o.bar->value(), 99);

  o.bar->setValue(10000);
  EXPECT_DOUBLE_EQ(o.dialog.Prompt().Value(), 10000.0);
  EXPECT_EQ(o.field->text(), "10000.00");

  o.field->setText("2500");         // typing moves the bar, the field keeps what was typed
  EXPECT_EQ(o.bar->value(), 2499);  // (2500 - 1) / 0.9999, rounded
  EXPECT_EQ(o.field->text(), "2500");

  o.Button("513")->click();
  EXPECT_EQ(o.bar->value(), 0);
  o.Button("512")->click();
  EXPECT_EQ(o.field->text(), "10000.00");
  o.Button("500")->click();
  EXPECT_DOUBLE_EQ(o.dialog.Prompt().Value(), 100.0);
}

}  // namespace
