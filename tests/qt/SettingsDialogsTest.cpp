// The settings dialogs on the offscreen platform: controls set by name,
// buttons clicked, records checked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <tuple>
#include <vector>

#include "QtTestSupport.h"
#include "files/ColourFile.h"
#include "qt/AcquisitionDialog.h"
#include "qt/ChannelDialog.h"
#include "qt/MemoryDialogWindow.h"
#include "qt/SettingsDialogs.h"
#include "state/MemoryDialog.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using qt_test::Child;
using qt_test::Click;

void SetText(QWidget* w, const QString& name, const QString& text) {
  if (auto* e = Child<QLineEdit>(w, name)) e->setText(text);
}

// Closes a modal dialog that a test failed to close, so that a fault fails
// the test instead of hanging the run.
class ModalGuard {
 public:
  ModalGuard() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    timer_.start(10000);
  }

 private:
  QTimer timer_;
};

struct SettingsDialogs : testing::Test {
  SettingsDialogs() {
    files::Init_Color(p);
    p.PG.MemoryMode = 3;
  }
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
};

TEST_F(SettingsDialogs, AcquisitionButtonsPromptDoubleAndReset) {
  qt::AcquisitionDialog d(p, nullptr);
  d.show();
  SetText(&d, "WLength", "1000");
  env.ui.Push(platform::Answer::Yes);  // the prompt keeps the doubled value
  Click(&d, "double_WLength");
  EXPECT_EQ(Child<QLineEdit>(&d, "WLength")->text(), QStringLiteral("2000"));
  Click(&d, "halve_WLength");
  EXPECT_EQ(Child<QLineEdit>(&d, "WLength")->text(), QStringLiteral("1000"));
  env.ui.Push(0.125);
  Click(&d, "prompt_MPeriod");
  EXPECT_EQ(Child<QLineEdit>(&d, "MPeriod")->text(), QStringLiteral("0.125"));
  Click(&d, "init");
  EXPECT_EQ(Child<QLineEdit>(&d, "WLength")->text(), QString::number(store::A0.WLength));
  EXPECT_EQ(Child<QLineEdit>(&d, "MPeriod")->text(), QStringLiteral("1"));
}

TEST_F(SettingsDialogs, ChannelPagesWriteBackAndOkRefusesNoChannel) {
  for (int i = 0; i < store::kChannels; ++i) p.MG.Acquire[i] = 0;
  p.MG.Acquire[0] = 1;
  qt::ChannelDialog d(p, nullptr);
  d.show();
  auto* page = Child<QComboBox>(&d, "page");
  ASSERT_EQ(page->count(), 8);
  EXPECT_TRUE(Child<QCheckBox>(&d, "box_1_0")->isChecked());

  page->setCurrentIndex(1);
  Child<QCheckBox>(&d, "box_1_3")->setChecked(true);  // channel 20
  page->setCurrentIndex(0);
  EXPECT_EQ(p.MG.Acquire[19], 1);

  Child<QCheckBox>(&d, "box_1_0")->setChecked(false);
  page->setCurrentIndex(1);
  Child<QCheckBox>(&d, "box_1_3")->setChecked(false);
  Click(&d, "ok");
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 255)), 1);
  EXPECT_EQ(p.MG.Acquire[19], 1);  // the refused OK wrote nothing

  Child<QCheckBox>(&d, "box_1_3")->setChecked(true);
  Child<QCheckBox>(&d, "box_1_4")->setChecked(true);
  Child<QCheckBox>(&d, "box_3_4")->setChecked(true);
  Click(&d, "ok");
  EXPECT_EQ(std::tuple(d.result(), p.MG.MDisplay[20], p.MG.RunFlag2), std::tuple(QDialog::Accepted, 1, 1));
}

TEST_F(SettingsDialogs, ChannelRowButtonsHiddenRowsAndColours) {
  p.PG.MemoryMode = 2;  // only the measurement store
  qt::ChannelDialog d(p, nullptr);
  uint32_t offered = 0;
  QString title;
  d.SetColourChooser([&](const QString& t, uint32_t& colour) {
    title = t;
    offered = colour;
    colour = 0x00102030;
    return true;
  });
  d.show();
  EXPECT_FALSE(Child<QCheckBox>(&d, "box_2_0")->isVisibleTo(&d));
  EXPECT_FALSE(Child<QLabel>(&d, "info_1")->isVisibleTo(&d));

  env.ui.Push(platform::Answer::Yes);
  Click(&d, "checkAll_3");
  for (int c = 0; c < 16; ++c)
    EXPECT_TRUE(Child<QCheckBox>(&d, QStringLiteral("box_3_%1").arg(c))->isChecked());

  const uint32_t original = p.Col_[0].TraceColor[2];
  Click(&d, "colour_2");
  EXPECT_EQ(offered, original);
  EXPECT_EQ(p.Col_[0].TraceColor[2], original);  // a copy until OK
  Click(&d, "ok");
  EXPECT_EQ(std::tuple(d.result(), p.Col_[0].TraceColor[2], p.MG.MDisplay[15]),
            std::tuple(QDialog::Accepted, 0x00102030u, 1));
}

TEST_F(SettingsDialogs, MemoryDialogAsksAndEndsTheProgramOnlyOnYes) {
  {
    qt::MemoryDialogWindow d(p, nullptr);
    d.show();
    EXPECT_EQ(Child<QLineEdit>(&d, "units")->text(), QStringLiteral("1"));  // 65536 samples, shown as 1
    Click(&d, "init");
    EXPECT_EQ(Child<QLineEdit>(&d, "units")->text(), QStringLiteral("8"));
    env.ui.Push(platform::Answer::No);
    Click(&d, "ok");
    EXPECT_EQ(d.result(), QDialog::Rejected);
  }
  EXPECT_EQ(p.DG.TotalSamples, 65536);

  qt::InstallSettingsDialogs(p, nullptr);
  ModalGuard guard;
  QTimer::singleShot(0, [this] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    SetText(w, "units", "5000");
    env.ui.Push(platform::Answer::Yes);
    Click(w, "ok");
  });
  EXPECT_EQ(state::MemSize(p), 1);
  EXPECT_EQ(std::tuple(p.DG.TotalSamples, p.BudeKonecAleAzPoGrafech), std::tuple(2048 * 131072, 1));

  // The memory field reads at most eight characters, clamped.
  // "00000003999": the ninth character is not read.
  for (auto [text, units] :
       {std::pair{"0", 1}, {"5000", 2048}, {" 16", 16}, {"abc", 1}, {"-7", 1}, {"00000003999", 3}})
    EXPECT_EQ(state::MemoryUnitsFromText(text), units) << text;
  env.ui.Push(platform::Answer::Yes);
  EXPECT_EQ(state::CloseMemoryDialog(p, state::MemoryUnitsFromText("2048")), 1);
  EXPECT_EQ(p.DG.TotalSamples, 268435456);
  EXPECT_EQ(state::MemoryFieldText(p), "2048");
  p.DG.TotalSamples = -131072 * 4;  // from a damaged job
  EXPECT_EQ(state::MemoryFieldText(p), "1");
}

}  // namespace
