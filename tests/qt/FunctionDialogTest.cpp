// The function pages' dialog on the offscreen platform: a page set and run
// by FUN, Cancel, and damaged records from a file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "QtTestSupport.h"
#include "app/MenuCommands.h"
#include "dsp/DspTestSupport.h"
#include "files/FunctionFile.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "qt/FunctionDialog.h"
#include "qt/SettingsDialogs.h"

namespace {

using qt_test::Child;
using qt_test::Click;

struct FunctionDialogTest : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
};

TEST_F(FunctionDialogTest, PageSetInTheDialogRunsByFunAndIsSaved) {
  dsptest::Layout(
      p, 1, {0, 2}, 4, [](int ch, int k) { return ch == 2 ? float(k * k) : 5.0f; }, 1.0f);
  qt::FunctionDialog d(p, nullptr);
  d.show();
  Child<QSpinBox>(&d, "code_2")->setValue(59);
  EXPECT_FALSE(Child<QLabel>(&d, "operation_2")->text().isEmpty());
  Child<QSpinBox>(&d, "channel_2")->setValue(3);
  Click(&d, "ok");
  EXPECT_EQ(d.result(), QDialog::Accepted);

  macro::SetQueue(p, "FUN 2");
  int status = 0;
  ASSERT_EQ(macro::ComInterpret(p, false, &status), 1);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(dsptest::Channel(p, 1, 2), (std::vector<float>{1, 3, 5, 5}));  // derivative in place
  EXPECT_EQ(dsptest::Channel(p, 1, 0), std::vector<float>(4, 5.0f));

  // The file holds the page: read back over a cleared record.
  p.Fun[1] = store::Fun_s{};
  ASSERT_EQ(files::ReadFunUtil(p), 1);
  EXPECT_EQ(std::pair(p.Fun[1].Code, p.Fun[1].Channel), std::pair(int16_t(59), int16_t(2)));
}

TEST_F(FunctionDialogTest, DamagedPagesShowClampedAndCancelKeepsThem) {
  store::Fun_s& f = p.Fun[3];
  f.Code = 3000;
  f.Channel = -7;
  f.N = -5;
  const float nan = std::numeric_limits<float>::quiet_NaN(), huge = 1e30f;
  std::memcpy(f.Reserved4, &nan, 4);
  std::memcpy(f.Reserved4 + 4, &huge, 4);
  p.Fun[0].Channel = 500;
  p.FunPage = 9;
  std::vector<store::Fun_s> before(p.Fun.get(), p.Fun.get() + 5);

  qt::FunctionDialog d(p, nullptr);
  d.show();
  EXPECT_EQ(Child<QTabWidget>(&d, "pages")->currentIndex(), 4);
  EXPECT_EQ(Child<QSpinBox>(&d, "code_4")->value(), 99);
  EXPECT_EQ(Child<QSpinBox>(&d, "channel_4")->value(), 1);
  EXPECT_EQ(Child<QSpinBox>(&d, "n_4")->value(), 0);
  EXPECT_EQ(Child<QDoubleSpinBox>(&d, "centre_4")->value(), 0.0);
  EXPECT_EQ(Child<QDoubleSpinBox>(&d, "halfWidth_4")->value(), 1e9);
  EXPECT_EQ(Child<QSpinBox>(&d, "channel_1")->value(), 128);
  Click(&d, "cancel");
  EXPECT_EQ(std::memcmp(before.data(), p.Fun.get(), sizeof(store::Fun_s) * 5), 0);
}

TEST_F(FunctionDialogTest, MenuOpensTheDialogOnTheDesktopAndRunsAPageHeadless) {
  app::MenuCommand(p, 310);  // without the dialog: which page to run?
  ASSERT_GE(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.Log()[0].kind, "prompt");
  const size_t asked = env.ui.Log().size();
  qt::InstallSettingsDialogs(p, nullptr);
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    QWidget* w = QApplication::activeModalWidget();
    shown = w && w->findChild<QTabWidget*>(QStringLiteral("pages"));
    if (w) w->close();
  });
  app::MenuCommand(p, 310);
  EXPECT_TRUE(shown);
  EXPECT_EQ(env.ui.Log().size(), asked);
}

}  // namespace
