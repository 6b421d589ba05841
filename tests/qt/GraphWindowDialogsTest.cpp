// The graph window's dialogs on the offscreen platform: controls set by
// name, buttons clicked, the request or record read afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <cmath>
#include <cstring>

#include "QtTestSupport.h"
#include "app/MenuCommands.h"
#include "qt/CursorModeDialog.h"
#include "qt/HotKeyDialog.h"
#include "qt/MarkerDialog.h"
#include "qt/MultiDisplDialog.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/UserMessages.h"
#include "store/Defaults.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using qt_test::Child;
using qt_test::Click;

template <typename T>
void Check(QWidget* w, const char* name, bool on = true) {
  if (auto* b = Child<T>(w, QString::fromLatin1(name))) b->setChecked(on);
}
void SetText(QWidget* w, const char* name, const QString& text) {
  if (auto* e = Child<QLineEdit>(w, QString::fromLatin1(name))) e->setText(text);
}

struct GraphDialogs : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
};

TEST_F(GraphDialogs, SettingsDialogWritesOnlyOnOkAndKeepsWhatItDoesNotOffer) {
  store::CG_s record = p.CGW[0];
  record.CursorStep = 32;  // no choice of the dialog
  record.Multi = 5;
  record.DisplFlags = store::kDisplRightPanel;
  record.InfoTime = 1;
  const store::CG_s before = record;
  auto edit = [&](qt::CursorModeDialog& d) {
    Check<QRadioButton>(&d, "TimeAxis_2");
    Check<QRadioButton>(&d, "DisplType_7");
    Check<QCheckBox>(&d, "DisplFlags_0040", false);
    Check<QCheckBox>(&d, "DisplFlags_1000");
    Check<QCheckBox>(&d, "InfoTime", false);
    Check<QCheckBox>(&d, "MultiFlags_2");
  };
  {
    qt::CursorModeDialog d(p, record, "t", nullptr);
    edit(d);
    Click(&d, "cancel");
  }
  EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);

  qt::CursorModeDialog d(p, record, "t", nullptr);
  EXPECT_TRUE(Child<QCheckBox>(&d, "DisplFlags_0040")->isChecked());
  edit(d);
  Click(&d, "ok");
  store::CG_s expected = before;
  expected.TimeAxis = 2;
  expected.DisplType = 7;
  expected.DisplFlags = store::kDisplHotButtons;
  expected.InfoTime = 0;
  expected.MultiFlags |= store::kMultiStrips;
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
  EXPECT_EQ(record.CursorStep, 32);
}

TEST_F(GraphDialogs, MultiDisplayBoxesStepAndDeletion) {
  graph::MultiDisplRequest r;
  r.mask[0] = 1u;
  r.mask[1] = 1u << 8;  // channel 41
  r.step = NAN;         // from a damaged job
  auto isChecked = [](QWidget* d, int c) {
    return Child<QCheckBox>(d, QStringLiteral("chan_%1").arg(c))->isChecked();
  };
  {
    qt::MultiDisplDialog d(p, r, nullptr);
    EXPECT_TRUE(isChecked(&d, 40) && isChecked(&d, 0) && !isChecked(&d, 1));
    env.ui.Push(platform::Answer::No);
    Click(&d, "all");
    EXPECT_FALSE(isChecked(&d, 1));
    env.ui.Push(platform::Answer::Yes);
    Click(&d, "all");
    EXPECT_TRUE(isChecked(&d, 127));
    env.ui.Push(250.0);
    Click(&d, "setStep");
    Click(&d, "cancel");
  }
  EXPECT_EQ(r.mask[0], 1u);
  EXPECT_TRUE(std::isnan(r.step));

  qt::MultiDisplDialog d(p, r, nullptr);
  env.ui.Push(platform::Answer::Yes);
  Click(&d, "none");
  Check<QCheckBox>(&d, "chan_127");
  env.ui.Push(-250.0);
  Click(&d, "setStep");
  EXPECT_EQ(Child<QLabel>(&d, "step")->text(), QStringLiteral("-250"));
  env.ui.Push(platform::Answer::No);
  Click(&d, "delete");
  EXPECT_EQ(d.result(), QDialog::Rejected);
  env.ui.Push(platform::Answer::Yes);
  Click(&d, "delete");
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_TRUE(r.deleteUnchosen);
  EXPECT_EQ(std::vector<uint32_t>(r.mask, r.mask + 4), (std::vector<uint32_t>{0, 0, 0, 0x80000000u}));
  EXPECT_EQ(r.step, -250.0f);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 1234)), 0);  // asked, not told
}

TEST_F(GraphDialogs, MarkersFromCursorsTypedAndFromAFile) {
  graph::MarkerDialogRequest r;
  r.nShown = 1000;
  r.cur1 = 100, r.value1 = 1.5f, r.cur2 = 200, r.value2 = -2.0f;
  for (auto& m : r.markers) m = store::Marker0;
  r.markers[1].Index = 5000;                                      // outside the record: the window clamps it
  std::memset(r.markers[1].Text, 'A', sizeof r.markers[1].Text);  // no terminator
  const graph::MarkerDialogRequest before = r;
  {
    qt::MarkerDialog d(p, r, nullptr);
    Click(&d, "pointCur1");
    Click(&d, "cancel");
  }
  EXPECT_EQ(std::memcmp(r.markers, before.markers, sizeof r.markers), 0);

  qt::MarkerDialog d(p, r, nullptr);
  auto* choice = Child<QComboBox>(&d, "marker");
  choice->setCurrentIndex(1);  // shown, the file's text gets its terminator
  choice->setCurrentIndex(0);
  Click(&d, "pointCur1");
  Click(&d, "labelCur2");
  Check<QCheckBox>(&d, "vertical");
  SetText(&d, "text", QString(40, QChar(0x17E)));  // "ž", two bytes each
  choice->setCurrentIndex(2);
  SetText(&d, "labelIndex", QStringLiteral("1000"));  // one past the record
  env.ui.ClearLog();
  choice->setCurrentIndex(3);
  EXPECT_EQ(choice->currentIndex(), 2);
  EXPECT_EQ(env.ui.Log().size(), 1u);
  SetText(&d, "labelIndex", QStringLiteral("999"));
  SetText(&d, "value", QStringLiteral("nan"));
  Click(&d, "ok");
  EXPECT_EQ(d.result(), QDialog::Rejected);
  SetText(&d, "value", QStringLiteral("-3.25"));
  Click(&d, "ok");
  ASSERT_EQ(d.result(), QDialog::Accepted);

  const store::Marker_s& m = r.markers[0];
  EXPECT_EQ(std::tuple(m.Index, m.Value, m.LabelIndex, m.LabelValue, m.Vertical),
            std::tuple(100, 1.5f, 200, -2.0f, 1));
  EXPECT_EQ(store::FieldText(m.Text), QString(18, QChar(0x17E)).toStdString());
  EXPECT_EQ(std::tuple(r.markers[2].LabelIndex, r.markers[2].Value), std::tuple(999, -3.25f));
  EXPECT_EQ(std::tuple(r.markers[1].Index, std::string(r.markers[1].Text)),
            std::tuple(5000, std::string(37, 'A')));
  EXPECT_EQ(std::memcmp(&r.markers[3], &before.markers[3], sizeof r.markers[3]), 0);
}

TEST_F(GraphDialogs, HotKeyButtonsReachTheChosenChannelsWindow) {
  std::vector<std::pair<int, int>> got;
  p.QWWin[2] = std::make_unique<testing_support::MessageLogWindow>(
      [&](int code, int arg) { got.emplace_back(code, arg); });
  qt::InstallHotKeyDialog(p, nullptr);
  app::MenuCommand(p, 170);  // the measurement store's item
  QWidget* d = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && dynamic_cast<qt::HotKeyDialog*>(w)) d = w;
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(Child<QRadioButton>(d, "storeM")->isChecked());
  Check<QRadioButton>(d, "storeW");
  Child<QSpinBox>(d, "channel")->setValue(3);
  Click(d, "key_2065");  // L
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{2065, 0}}));
  EXPECT_EQ(p.HotKeyChan, 2);

  Child<QSpinBox>(d, "channel")->setValue(5);
  Check<QCheckBox>(d, "closeAfter");
  Click(d, "key_2049");
  EXPECT_EQ(got.size(), 1u);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::TxtF(p, 668, {5})), 1);
  EXPECT_FALSE(d->isVisible());
  // A kept channel outside the tables, or a code that is no hot key, sends nothing.
  EXPECT_FALSE(state::SendHotKey(p, store::Store::W, store::kChannels, state::kHotKeyL));
  EXPECT_FALSE(state::SendHotKey(p, store::Store::W, 2, state::kRedrawAll));
  EXPECT_EQ(got.size(), 1u);
  p.HotKeyDialog = nullptr;
  qt_test::RunEvents();
}

}  // namespace
