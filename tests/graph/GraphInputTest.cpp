#include <gtest/gtest.h>

#include <tuple>

#include "GraphTestSupport.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/UserMessages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

constexpr int kCtrl = 2, kLeft = 0x25, kEsc = 0x1B, kNumMultiply = 0x6A;

struct InputFixture : GraphFixture {
  InputFixture() : GraphFixture(65536, true) {
    Store(Ramp(1000));
    View(0, 999);
    Range(1000, 0);
    w = Open();
    w->Paint();
    w->Timer();  // armed
  }
  int Shown(int text) { return env.ui.Count(state::Txt(p, text)); }
  int Drawn(const std::string& part) {
    int n = 0;
    for (const std::string& op : graph_test::Rec(*w).Ops()) n += op.find(part) != std::string::npos;
    return n;
  }
  std::unique_ptr<graph::TDispl10> w;
};

TEST(GraphInput, TimeZeroKeysAndHotKeyCodesPressTheSameKeys) {
  InputFixture f;
  f.G().Cur1 = 100;
  f.w->UserMessage(state::kHotKeyCtrlO, 0);  // no zero set: says so, changes nothing
  EXPECT_EQ(f.Shown(837), 1);
  EXPECT_EQ(f.G().ZeroIndex, 0);
  f.env.ui.Push(platform::Answer::No);
  EXPECT_TRUE(f.w->KeyDown('O', 0));
  EXPECT_EQ(f.G().ZeroIndex, 0);
  f.env.ui.Push(platform::Answer::Yes);
  f.w->UserMessage(state::kHotKeyO, 0);
  EXPECT_EQ(f.G().ZeroIndex, 101);  // one-based
  EXPECT_TRUE(f.w->KeyDown('O', kCtrl));
  EXPECT_EQ(f.G().ZeroIndex, 0);
  EXPECT_EQ(f.Shown(834), 1);
  // A hot key's Ctrl is released afterwards: the next plain O asks again.
  EXPECT_EQ(f.w->ModifierState, 0);
  // Tab+F reaches the band filter, which asks for its band first.
  const size_t before = f.env.ui.Log().size();
  f.w->UserMessage(state::kHotKeyTabF, 0);
  ASSERT_GT(f.env.ui.Log().size(), before);
  EXPECT_EQ(f.env.ui.Log()[before].kind, "prompt");
  EXPECT_EQ(f.w->ModifierState, 0);
  // Ctrl pressed as a key of its own counts for the next key.
  EXPECT_TRUE(f.w->KeyDown(0x11, 0));
  EXPECT_TRUE(f.w->KeyDown('O', 0));
  EXPECT_EQ(f.Shown(837), 2);
  f.w->KeyUp('O');
  EXPECT_EQ(f.w->ModifierState, 0);

  f.G().CursorStep = 1;
  for (int k = 0; k < 7; ++k) f.w->KeyDown(kNumMultiply, 0);
  EXPECT_EQ(f.G().CursorStep, 64);
}

TEST(GraphInput, HoldingLeftAcceleratesUntilTheKeyIsReleased) {
  InputFixture f;
  f.View(0, 499);
  f.w->DisplControl();
  auto step = [&] {
    const int32_t before = f.G().IL;
    f.w->KeyDown(kLeft, 0);
    return f.G().IL - before;
  };
  const int first = step();
  f.w->Timer();  // a tick while the key is held keeps the pace
  const int second = step();
  const int third = step();
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  f.w->KeyUp(kLeft);
  EXPECT_EQ(step(), first);
}

TEST(GraphInput, ClicksActOnceAndNeverThroughALitHotButton) {
  InputFixture f;
  f.G().DisplFlags |= store::kDisplHotButtons;
  const int x = f.w->PlotLeft + 200, y = f.w->PlotTop + 100;
  f.w->LButtonDown(x, y);
  const int32_t at = f.G().Cur1;
  EXPECT_EQ(at, f.w->MouseVertToGlobal(int16_t(x)));
  f.w->LButtonUp(x, y);
  f.w->LButtonDown(x + 50, y);  // disarmed until the next tick
  EXPECT_EQ(f.G().Cur1, at);
  f.w->Timer();
  f.w->RButtonDown(x + 50, y);
  EXPECT_EQ(f.G().Cur2, f.w->MouseVertToGlobal(int16_t(x + 50)));
  f.w->RButtonUp(x + 50, y);
  f.w->Timer();

  // Over hot button "?": the click moves no cursor, its release shows the help text.
  const int hx = f.w->PlotLeft + 2 + 3 * 14 + 5, hy = f.w->PlotTop + 8;
  f.w->MouseMove(hx, hy, 0);
  EXPECT_EQ(f.w->DM1[3], 1);
  f.w->LButtonDown(hx, hy);
  f.w->MouseMove(hx, hy, 1);
  EXPECT_EQ(f.G().Cur1, at);
  f.w->LButtonUp(hx, hy);
  EXPECT_EQ(f.Shown(1265), 1);
  // Hot button "2" cycles the multi display: on, strips, off.
  f.w->Timer();
  for (int32_t strips : {0, store::kMultiStrips, -1}) {
    f.w->MouseMove(f.w->PlotLeft + 2 + 14 + 5, hy, 0);
    f.w->LButtonDown(f.w->LMouse_X, hy);
    f.w->LButtonUp(f.w->LMouse_X, hy);
    f.w->Timer();
    EXPECT_EQ(f.G().Multi, strips >= 0 ? 1 : 0);
    if (strips >= 0) {
      EXPECT_EQ(f.G().MultiFlags, strips);
    }
  }
}

TEST(GraphInput, AClickInAStripMakesItsChannelActive) {
  InputFixture f;
  f.Store(Ramp(1000), 1);
  f.Store(Ramp(1000), 2);
  f.G().Multi = 1;
  f.G().MultiFlags = store::kMultiStrips;
  f.G().MultiMask[0] = 0b111;
  for (int k = 0; k < 3; ++k) f.p.Col_.get()->StripWeight[k] = 1;
  f.w->DisplControl();
  const int stripH = f.w->PlotH / 3;
  f.w->LButtonDown(f.w->PlotLeft + 10, f.w->PlotTop + 2 * stripH + stripH / 2);
  EXPECT_EQ(f.w->ActChan, 2);
  f.w->LButtonUp(0, 0);
  f.w->Timer();
  f.w->LButtonDown(f.w->PlotLeft + 10, f.w->PlotTop + stripH / 2);
  EXPECT_EQ(f.w->ActChan, 0);
}

TEST(GraphInput, FunctionKeyPanelLabelsAndClicks) {
  struct Case {
    int width;
    const char* f4;
  } cases[] = {{630, "F4"}, {631, "F4 L+R"}};
  for (const Case& c : cases) {
    InputFixture f;
    f.G().KeyPanel = 1;
    f.w->SetClientSize(c.width, 400);
    f.w->Timer();  // the key strip comes with the next tick
    EXPECT_EQ(f.w->PlotTop, 42);
    EXPECT_EQ(f.w->FunKeyLabel(4), c.f4);
    EXPECT_EQ(f.Drawn('"' + std::string(c.f4) + '"'), 1);
    // F4 clicked: both halves shown from the second half's view.
    f.G().DisplType = graph::kSecondHalf;
    f.w->DisplControl();
    const int x = 4 * (c.width / 11) + 5;
    f.w->LButtonDown(x, 5);
    f.w->LButtonUp(x, 5);
    EXPECT_EQ(f.G().DisplType, graph::kBothHalves);
  }
}

TEST(GraphInput, RightPanelButtonsActOnReleaseAndShowTips) {
  InputFixture f;
  f.G().DisplFlags |= store::kDisplRightPanel;
  f.w->DisplControl();
  f.View(100, 199);
  const int x = f.w->PlotLeft + f.w->PlotW + 20, autoY = f.w->PlotTop + 5, allY = autoY + 3 * 22;
  f.w->MouseMove(x, allY, 0);
  f.env.clock.Advance(1000);
  f.w->Timer();
  EXPECT_EQ(f.Drawn("(W)\""), 1);  // the tip of the button under the mouse
  f.w->LButtonDown(x, allY);
  EXPECT_EQ(f.G().IL, 100);  // not on the press
  f.w->LButtonUp(x, autoY);  // released elsewhere: nothing
  EXPECT_EQ(f.G().IL, 100);
  f.w->Timer();
  f.w->LButtonDown(x, allY);
  f.w->LButtonUp(x, allY);
  EXPECT_EQ(f.G().IR, 999);
}

TEST(GraphInput, TimerAppliesLayoutThenRedrawsAtMostEveryOtherTick) {
  InputFixture f;
  auto& rec = graph_test::Rec(*f.w);
  f.G().BottomBar = 0;
  rec.Clear();
  f.w->Timer();  // the new layout is drawn in this tick
  EXPECT_EQ(f.w->BottomBarH, 0);
  EXPECT_GT(rec.Count("FillRect 0,0"), 0);
  rec.Clear();
  f.w->RedrawAll = 1;
  f.w->Timer();  // busy: waits
  EXPECT_EQ(rec.Count("FillRect 0,0"), 0);
  f.w->Timer();
  EXPECT_GT(rec.Count("FillRect 0,0"), 0);
  // Outside multi display the own channel is the active one again.
  f.w->ActChan = 3;
  f.w->Timer();
  EXPECT_EQ(f.w->ActChan, 0);
}

TEST(GraphInput, SettingsDialogFollowUp) {
  InputFixture f;
  f.w->DisplModeDialog();  // no dialog here: a notice
  EXPECT_EQ(testing_support::NotAvailableMessages(f.env.ui), 1);
  f.G().DisplType = graph::kBothHalves;
  f.View(600, 700);
  f.w->Dialogs.cursorMode = [](state::Program&, store::CG_s& g, const std::string& title) {
    EXPECT_FALSE(title.empty());
    g.DisplType = graph::kFirstHalf;
    g.CursorCount = 1;
    g.InfoTime = 1;
    g.CaptionBar = !g.CaptionBar;
    g.KeyPanel = 1;
    g.Chan = 77;
    return true;
  };
  f.w->DisplModeDialog();
  EXPECT_EQ(std::tuple(f.G().IL, f.G().IR, f.G().InfoTime, f.G().Chan), std::tuple(100, 200, 0, 0));
  EXPECT_EQ(f.Shown(1213), 1);
  f.w->Timer();
  EXPECT_EQ(f.w->PlotTop, 42);
}

TEST(GraphInput, MultiDialogDeletesUncheckedChannelsButNotItsOwn) {
  InputFixture f;
  for (int k = 1; k < 4; ++k) f.Store(Ramp(1000), k);
  f.p.HGW.ChannelCount = 4;
  f.G().DisplFlags |= store::kDisplHotButtons;
  f.w->Dialogs.multiDispl = [](state::Program&, graph::MultiDisplRequest& r) {
    r.mask[0] = 0b0100;  // only channel 3 kept, the own channel 1 unchecked
    r.deleteUnchosen = true;
    return true;
  };
  const int hx = f.w->PlotLeft + 5, hy = f.w->PlotTop + 8;
  f.w->MouseMove(hx, hy, 0);
  f.w->RButtonDown(hx, hy);
  f.w->RButtonUp(hx, hy);
  EXPECT_EQ(f.Shown(1239), 0);  // formatted with the channel number
  EXPECT_EQ(f.env.ui.Count(state::TxtF(f.p, 1239, {1})), 1);
  EXPECT_EQ(
      std::tuple(f.p.HGW.ChannelOn[0], f.p.HGW.ChannelOn[1], f.p.HGW.ChannelOn[2], f.p.HGW.ChannelOn[3]),
      std::tuple(1, 0, 1, 0));
}

TEST(GraphInput, EscapeClosesTheProgramsWindow) {
  GraphFixture f;
  f.Store(Ramp(100));
  f.p.GraphFactory = graph::MakeGraphWindowFactory(f.p);
  state::DisplayWave(f.p, store::Store::W, 0);
  auto* w = static_cast<graph::TDispl10*>(f.p.QWWin[0].get());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->KeyDown(kEsc, 0));
  EXPECT_EQ(f.p.QWWin[0], nullptr);
}

}  // namespace
