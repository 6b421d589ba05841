// The recorder windows of the desktop program: opened by DTR, drawn on
// screen as a run stores its points, exported as a picture, closed again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "QtTestSupport.h"
#include "graph/RecorderModel.h"
#include "macro/CommandBuffer.h"
#include "macro/InternalCommands.h"
#include "macro/Interpreter.h"
#include "qt/DesktopRunner.h"
#include "qt/MainWidget.h"
#include "qt/RecorderWidget.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace {

using qt_test::RunUntil;

qt::RecorderWidget* OnScreen() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<qt::RecorderWidget*>(w); r && r->isVisible()) return r;
  return nullptr;
}

TEST(RecorderWidget, FollowsARunOnScreenAndSavesItsPicture) {
  testing_support::TempDir root;
  app::HeadlessOptions o;
  o.root = root.path();
  qt::Desktop desktop(o);
  ASSERT_TRUE(desktop.Start());
  state::Program& p = desktop.Program();
  ASSERT_TRUE(RunUntil([&] { return desktop.Window().Logic().KeysReady != 0; }));
  p.PG.RefChannel = int16_t(p.MG.RefChannelM1 + 1);  // as a run will take it
  store::A_s& ref = p.RefA();
  ref.MPeriod = 0.02f;
  ref.MLength = 2000;
  ref.MStore = ref.MTrigger = 1;
  ref.MScroll = 0;
  macro::SetQueue(p, "DTR");
  macro::ComInterpret(p);
  qt::RecorderWidget* w = OnScreen();
  ASSERT_NE(w, nullptr);
  graph::RecorderWindow* model = w->Model();
  ASSERT_TRUE(model && model->Kind() == state::RecorderKind::Trend);

  macro::Command(p, 202);
  ASSERT_TRUE(RunUntil([&] { return p.Bindx >= 5; }));
  const QImage before = w->Image().copy();
  const int32_t seen = p.Bindx;
  ASSERT_TRUE(RunUntil([&] { return p.Bindx >= seen + 3; }));
  const QImage after = w->Image().copy();
  int changed = 0;  // columns of the plot with a pixel that changed
  for (int x = 50; x < after.width() - 8; ++x)
    for (int y = 18; y < after.height() - 20; ++y)
      if (before.pixel(x, y) != after.pixel(x, y)) {
        ++changed;
        break;
      }
  EXPECT_GT(changed, 0);
  macro::Command(p, 208);

  const std::string file = root / "DATA/rec.png";
  ASSERT_TRUE(model->ExportPicture && model->ExportPicture(file));
  EXPECT_EQ(QImage(QString::fromStdString(file)).size(), w->Image().size());

  // DTR again closes it; the widget goes with its model.
  macro::SetQueue(p, "DTR");
  macro::ComInterpret(p);
  qt_test::RunEvents();
  EXPECT_EQ(OnScreen(), nullptr);
  EXPECT_EQ(p.GrafWin1[0], nullptr);
}

}  // namespace
