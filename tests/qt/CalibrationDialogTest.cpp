// The calibration dialog on the offscreen platform: levels from the cursors,
// typed values, calibrate and undo on the stored samples, OK and Init.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <vector>

#include "QtTestSupport.h"
#include "dsp/DspTestSupport.h"
#include "qt/CalibrationDialog.h"
#include "store/Defaults.h"

namespace {

using qt_test::Child;
using qt_test::Click;

TEST(CalibrationDialog, LevelsCalibrateUndoAndKeep) {
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
  std::vector<float> ramp(40);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = float(i);
  dsptest::FillStore(p, 1, {1}, {ramp}, 40);
  p.CGW[1].Cur1 = 10, p.CGW[1].Cur2 = 19;
  graph::CalibrationDialogRequest r;
  std::fill(std::begin(r.records), std::end(r.records), store::Kal0);
  r.page = 2;
  qt::CalibrationDialog d(p, r, nullptr);
  auto text = [&](const char* name) { return Child<QLineEdit>(&d, QString::fromLatin1(name)); };
  EXPECT_EQ(Child<QComboBox>(&d, "record")->currentIndex(), 2);
  Child<QComboBox>(&d, "channel")->setCurrentIndex(1);
  Click(&d, "level1Mean");
  EXPECT_EQ(text("level1")->text().trimmed(), "14.500");
  Click(&d, "level1Cur");
  text("level2")->setText("20");
  text("value1")->setText("0");
  text("value2")->setText("100");
  Click(&d, "calibrate");  // what the fields show, without a list change first
  EXPECT_EQ(dsptest::Channel(p, 1, 1)[15], 50.0f);
  text("value1")->setText("x");
  Click(&d, "undo");
  EXPECT_EQ(dsptest::Channel(p, 1, 1)[15], 50.0f);
  text("value1")->setText("0");
  Click(&d, "undo");
  EXPECT_EQ(dsptest::Channel(p, 1, 1), ramp);

  Click(&d, "ok");
  ASSERT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(r.page, 2);
  EXPECT_EQ(std::tuple(r.records[2].KalChannel, r.records[2].KalLevel1, r.records[2].KalLevel2,
                       r.records[2].KalValue2),
            std::tuple(int16_t(1), 10.0f, 20.0f, 100.0f));
  Click(&d, "init");
  EXPECT_EQ(text("level1")->text().trimmed(), "0.000");
}

}  // namespace
