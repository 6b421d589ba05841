#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/MenuCommands.h"
#include "app/MenuTable.h"
#include "dsp/DspTestSupport.h"
#include "files/DataFileWriter.h"
#include "graph/StoreLimits.h"
#include "macro/InternalCommands.h"
#include "platform/PosixProcess.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "store/Defaults.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"
#include "support/TextFile.h"

namespace {

using platform::Answer;
using testing_support::TestEnv;

struct MenuCommandsTest : ::testing::Test {
  TestEnv env{8192};
  state::Program& p = env.prog;
  platform::RecordingProcess process;
  std::vector<std::pair<int, int>> sent;  // user messages to every window

  MenuCommandsTest() {
    p.plat.process = &process;
    p.GraphFactory = [this](const platform::GraphWindowSpec&) -> std::unique_ptr<platform::GraphWindow> {
      auto w = std::make_unique<testing_support::MessageLogWindow>(
          [this](int code, int) { sent.emplace_back(code, 0); });
      w->reportFocus = true;
      return w;
    };
  }

  // Exactly `channels` active and shown in store `s`, sample k of channel ch = value(ch, k).
  void Layout(int s, const std::vector<int>& channels, int32_t length,
              const std::function<float(int, int)>& value) {
    dsptest::Layout(p, s, channels, length, value);
    for (int ch : channels) (s ? p.MG.WDisplay : p.MG.MDisplay)[ch] = 1;
  }

  // The saved limits of store `s`.
  void Limits(int s, int32_t left, int32_t right, float upper = 1, float lower = 0) {
    (s ? p.PG.WLeft : p.PG.MLeft) = left;
    (s ? p.PG.WRight : p.PG.MRight) = right;
    (s ? p.PG.WUpper : p.PG.MUpper) = upper;
    (s ? p.PG.WLower : p.PG.MLower) = lower;
  }
  float Sample(int s, int block, int k) const {
    return p.Samples(store::StoreFromFlag(
        s))[size_t(block) * size_t(p.Header(store::StoreFromFlag(s)).Length) + size_t(k)];
  }

  bool Shown(int text) const { return testing_support::MessagesWithText(env.ui, state::Txt(p, text)) > 0; }
  bool Sent(int code) const {
    for (const auto& m : sent)
      if (m.first == code) return true;
    return false;
  }
  void File(const std::string& path) { env.ui.Push(std::optional<std::string>(path)); }
};

TEST_F(MenuCommandsTest, WaveformWrittenAndReadBackThroughTheFileMenu) {
  Layout(1, {0, 2}, 64, [](int ch, int k) { return float(ch * 100 + k); });
  const std::string path = env.dir / "DATA/menu.W";
  env.ui.Push(Answer::Yes);  // the comment window before saving
  File(path);
  app::MenuCommand(p, 151);
  ASSERT_TRUE(testing_support::FileExists(path));

  Layout(1, {1}, 16, [](int, int) { return -1.0f; });
  p.GoQWAgain = 3;
  // A word left in the command text buffer is no file name for the menu.
  store::CopyText(p.DG.NameQueue, "leftover");
  File(path);
  app::MenuCommand(p, 150);
  EXPECT_EQ(std::tuple(p.GoQWAgain, p.HGW.Length), std::tuple(0, 64));
  EXPECT_TRUE(p.HGW.ChannelOn[0] && p.HGW.ChannelOn[2] && !p.HGW.ChannelOn[1]);
  EXPECT_EQ(Sample(1, 1, 5), 205.0f);
  EXPECT_TRUE(p.QWWin[0] && p.QWWin[2]);  // the windows show the new record
  EXPECT_EQ(p.FocusGraphs, 1);

  // The main window gives the focus to the graph windows at its next tick.
  app::TMainWindow w(p);
  w.FirstTick = 0;
  sent.clear();
  w.Timer();
  EXPECT_EQ(p.FocusGraphs, 0);
  EXPECT_TRUE(Sent(-1));

  // A cancelled dialog changes nothing and leaves the windows alone.
  state::UnDisplayWave(p, store::Store::W, -1);
  app::MenuCommand(p, 150);
  EXPECT_FALSE(p.QWWin[0]);
  EXPECT_EQ(p.HGW.Length, 64);
}

TEST_F(MenuCommandsTest, AlgebraWithAFileAndReductionByTheMean) {
  Layout(1, {0, 1}, 32, [](int ch, int k) { return float(ch + k); });
  const std::string path = env.dir / "DATA/add.W";
  ASSERT_TRUE(files::WriteDataFileUtil(p, path, store::Store::W, 0));
  store::CopyText(p.DG.NameQueue, "add.W");  // ignored: the menu always asks
  File(path);
  app::MenuCommand(p, 175);
  EXPECT_EQ(env.ui.Count(state::Txt(p, 499)), 1);  // the open dialog
  EXPECT_EQ(std::tuple(Sample(1, 0, 7), Sample(1, 1, 7), p.FocusGraphs), std::tuple(14.0f, 16.0f, 1));

  // The weighted sum of the joined item asks both weights first.
  env.ui.Push(2.0);
  env.ui.Push(-1.0);
  File(path);
  app::MenuCommand(p, 185);
  EXPECT_EQ(std::tuple(p.PG.WLCD, p.PG.WLCF), std::tuple(2.0f, -1.0f));
  EXPECT_EQ(Sample(1, 0, 7), 21.0f);  // 2 * 14 - 7

  // Reduction by the mean shortens the record.
  Layout(1, {0}, 40, [](int, int k) { return float(k); });
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(4));
  app::MenuCommand(p, 401);
  ASSERT_EQ(p.HGW.Length, 10);
  EXPECT_FLOAT_EQ(Sample(1, 0, 0), 1.5f);
  EXPECT_FLOAT_EQ(Sample(1, 0, 9), 37.5f);
}

TEST_F(MenuCommandsTest, LimitsThatDoNotFitTheStoreAreRefused) {
  Layout(1, {0}, 100, [](int, int k) { return float(k); });
  state::DisplayWave(p, store::Store::W, -1);
  struct Case {
    int32_t left, right;
    float upper, lower;
    int text;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Case& c : {Case{10, 11, 1, 0, 361}, Case{20, 10, 1, 0, 361}, Case{10, 100, 1, 0, 362},
                        Case{10, 50, 1, 1, 363}, Case{10, 50, nan, 0, 363}, Case{-5, 50, 1, 0, 681},
                        Case{0, std::numeric_limits<int32_t>::min(), 1, 0, 361}}) {
    env.ui.ClearLog();
    sent.clear();
    Limits(1, c.left, c.right, c.upper, c.lower);
    app::MenuCommand(p, 265);
    EXPECT_TRUE(Shown(c.text)) << c.text << " " << c.left << ".." << c.right;
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(p.MenuPopup, 0);
    // Cutting the store to refused limits leaves it alone.
    app::MenuCommand(p, 284);
    EXPECT_EQ(p.HGW.Length, 100);
  }

  Limits(1, 10, 50);
  app::MenuCommand(p, 265);
  EXPECT_TRUE(Sent(2134));
  EXPECT_EQ(p.MenuPopup, app::kLimitsSubmenu);
  EXPECT_EQ(graph::SetLimits(p, store::Store::W, false), 1);
  EXPECT_TRUE(Sent(2042));
}

TEST_F(MenuCommandsTest, GetLimitsTakesTheCursorsAndRoundsToAPowerOfTwo) {
  Layout(1, {0}, 256, [](int, int k) { return float(k); });
  store::CG_s& g = p.CGW[0];
  g.Cur1 = 10;
  g.Cur2 = 109;  // 100 samples
  g.HCur1 = 5;
  g.HCur2 = -5;

  // Channel 1, then the power-of-two question when asked.
  auto getLimits = [&](std::optional<Answer> roundUp) {
    env.ui.Push(int64_t(1));
    if (roundUp) env.ui.Push(*roundUp);
    app::MenuCommand(p, 316);
  };
  getLimits({});  // the window of channel 1 is not open
  EXPECT_TRUE(Shown(137));

  state::DisplayWave(p, store::Store::W, -1);
  getLimits(Answer::No);
  EXPECT_EQ(std::vector<float>({float(p.PG.WLeft), float(p.PG.WRight), p.PG.WUpper, p.PG.WLower}),
            std::vector<float>({10, 109, 5, -5}));
  EXPECT_EQ(p.MenuPopup, app::kLimitsSubmenu);
  getLimits(Answer::Yes);
  EXPECT_EQ(std::pair(p.PG.WLeft, p.PG.WRight), std::pair(10, 137));  // 128 samples

  // Rounded up past the end of the record: both limits move back.
  g.Cur1 = 200;
  g.Cur2 = 250;
  getLimits(Answer::Yes);
  EXPECT_EQ(std::pair(p.PG.WLeft, p.PG.WRight), std::pair(192, 255));

  // Cursors that make no limits are refused.
  g.Cur2 = 300;
  getLimits({});
  EXPECT_TRUE(Shown(681));
  EXPECT_EQ(graph::PowerOfTwoSamples(200, 200), 128);  // halved when it exceeds the record
}

TEST_F(MenuCommandsTest, WriteLimitsCutsEveryChannelAndPointsSetThem) {
  Layout(1, {0, 3}, 100, [](int ch, int k) { return float(ch * 1000 + k); });
  state::DisplayWave(p, store::Store::W, -1);
  p.HGW.PreTrigger = 15;
  p.HGW.TriggerFlag = 1;
  Limits(1, 10, 29);
  app::MenuCommand(p, 284);
  ASSERT_EQ(p.HGW.Length, 20);
  EXPECT_EQ(std::vector<float>({Sample(1, 0, 0), Sample(1, 0, 19), Sample(1, 1, 0), Sample(1, 1, 19)}),
            std::vector<float>({10, 29, 3010, 3029}));
  EXPECT_EQ(std::vector<int>({p.HGW.PreTrigger, p.HGW.TriggerFlag, p.PG.WLeft, p.PG.WRight}),
            std::vector<int>({5, 1, 0, 19}));
  EXPECT_TRUE(Sent(2040));

  // A trigger before the cut is lost; the measurement store loses it always.
  Limits(1, 8, 15);
  app::MenuCommand(p, 284);
  EXPECT_EQ(std::vector<int>({p.HGW.Length, p.HGW.PreTrigger, p.HGW.TriggerFlag}),
            std::vector<int>({8, 0, 0}));
  EXPECT_EQ(Sample(1, 1, 0), 3018.0f);

  Layout(0, {1}, 50, [](int, int k) { return float(k); });
  p.HGB.PreTrigger = 30;
  p.HGB.TriggerFlag = 1;
  Limits(0, 2, 9);
  app::MenuCommand(p, 285);
  EXPECT_EQ(std::vector<int>({p.HGB.Length, p.HGB.PreTrigger, p.HGB.TriggerFlag}),
            std::vector<int>({8, 0, 0}));
  EXPECT_EQ(Sample(0, 0, 0), 2.0f);

  // A header that claims more samples than the arrays hold is not trusted.
  p.HGW.Length = int32_t(p.DG.TotalSamples);
  for (int i = 0; i < 4; ++i) p.HGW.ChannelOn[i] = 1;
  Limits(1, 0, 9);
  app::MenuCommand(p, 284);
  EXPECT_EQ(p.HGW.Length, p.DG.TotalSamples);
  EXPECT_TRUE(Shown(490));

  // Limits by points, and the overlaid halves.
  Layout(1, {0}, 100, [](int, int k) { return float(k); });
  state::DisplayWave(p, store::Store::W, -1);
  Limits(1, 0, 0);
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(20));
  env.ui.Push(int64_t(60));
  app::MenuCommand(p, 398);
  EXPECT_EQ(std::pair(p.PG.WLeft, p.PG.WRight), std::pair(20, 60));
  EXPECT_TRUE(Sent(2135) && Sent(2134));

  sent.clear();
  env.ui.Push(Answer::No);
  app::MenuCommand(p, 397);
  EXPECT_TRUE(sent.empty());
}

TEST_F(MenuCommandsTest, InternalCommandsToggleTheWindowsAndRedrawThePanel) {
  Layout(1, {0, 1}, 16, [](int, int k) { return float(k); });
  p.DoPanel = 0;
  macro::Command(p, 215);
  EXPECT_TRUE(p.QWWin[0] && p.QWWin[1]);
  EXPECT_EQ(p.DoPanel, 1);
  macro::Command(p, 215);
  EXPECT_FALSE(p.QWWin[0] || p.QWWin[1]);

  p.DoPanel = 0;
  for (int id : {204, 211, 212, 213}) macro::Command(p, id);
  EXPECT_EQ(p.DoPanel, 1);
  p.DoPanel = 0;
  macro::Command(p, 199);  // not an internal command
  macro::Command(p, 217);
  EXPECT_EQ(p.DoPanel, 0);
  for (const auto& shown : env.ui.Log()) EXPECT_NE(shown.kind, "message") << shown.text;

  // Q&W is internal command 203 even in a macro: a second start stops the waveform run.
  p.MacGoing = 1;
  p.QW = 1;
  p.DoQW = 1;
  app::MenuCommand(p, 197);
  EXPECT_EQ(std::tuple(p.QW, p.DoQW), std::tuple(0, 0));
  p.MacGoing = 0;

  // Headless the settings dialogs are missing and say so; set, they run.
  macro::Command(p, 205);
  EXPECT_EQ(testing_support::NotAvailableMessages(env.ui), 1);
  int calls = 0;
  p.ChannelDialog = [&calls](state::Program&) { return ++calls; };
  app::MenuCommand(p, 308);
  EXPECT_EQ(calls, 1);
}

// The W and M twins of an item share a handler: each must reach its own store's windows only.
TEST_F(MenuCommandsTest, WindowItemsOpenAndCloseTheirOwnStore) {
  Layout(1, {0}, 16, [](int, int k) { return float(k); });
  Layout(0, {1}, 16, [](int, int k) { return float(k); });
  struct Case {
    int open, close;
    store::Store store;
  };
  for (const Case c : {Case{156, 222, store::Store::W}, Case{157, 223, store::Store::M}}) {
    app::MenuCommand(p, c.open);
    EXPECT_TRUE(state::AnyWindowOpen(p, c.store)) << c.open;
    EXPECT_FALSE(state::AnyWindowOpen(p, store::Other(c.store))) << c.open;
    app::MenuCommand(p, c.close);
    EXPECT_FALSE(state::AnyWindowOpen(p, c.store)) << c.close;
  }
}

TEST_F(MenuCommandsTest, FontChoiceRedrawsTheWindowsAndGreyedItemsSaySo) {
  Layout(1, {0}, 64, [](int, int k) { return float(k); });
  state::DisplayWave(p, store::Store::W, -1);
  p.DG.Font.Width = 9;
  sent.clear();
  platform::Font chosen;
  chosen.face = "DejaVu Sans Mono";
  chosen.weight = 700;
  chosen.height = 20;
  chosen.width = 3;  // a font dialog does not choose the cell width
  env.ui.Push(chosen);
  app::MenuCommand(p, 241);
  EXPECT_STREQ(p.DG.Font.FaceName, "DejaVu Sans Mono");
  EXPECT_EQ(std::vector<int>({p.DG.Font.Weight, p.DG.Font.Height, p.DG.Font.Width}),
            std::vector<int>({700, 20, 9}));
  EXPECT_TRUE(Sent(2000));

  sent.clear();
  env.ui.Push(Answer::Cancel);
  app::MenuCommand(p, 241);
  ASSERT_FALSE(env.ui.Log().empty());
  EXPECT_EQ(env.ui.Log().back().kind, "font");
  EXPECT_EQ(env.ui.Log().back().text, "DejaVu Sans Mono");  // the dialog starts from the record
  EXPECT_EQ(p.DG.Font.Weight, 700);
  EXPECT_FALSE(Sent(2000));

  // Greyed items say they are not available.
  for (int id : {171, 170}) {
    env.ui.ClearLog();
    app::MenuCommand(p, id);
    ASSERT_EQ(env.ui.Log().size(), 1u) << id;
    EXPECT_EQ(testing_support::NotAvailableMessages(env.ui), 1);
  }
}

TEST_F(MenuCommandsTest, RemarkFileIsCreatedByteExactAndOpenedInTheEditor) {
  store::CopyText(p.WG.LastWaveFile, "\\DATA\\rec.W");
  store::CopyText(p.HGW.Comment, "Run 7\r\n");
  app::MenuCommand(p, 154);
  const std::string path = env.dir / "DATA/REMARK.TXT";
  const std::string expected =
      " Tarvelin REMARK FILE --> :  \n\r\n\rRun 7\r\n" + std::string(44, '_') + "\n\r\n\r";
  EXPECT_EQ(testing_support::ReadText(path), expected);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, "Vytvořen poznámkový soubor REMARK.TXT : " + path), 1);
  ASSERT_EQ(process.Started().size(), 1u);
  EXPECT_EQ(process.Started()[0], (std::vector<std::string>{"xdg-open", path}));

  // An existing remark file is only opened.
  testing_support::WriteText(path, "mine");
  app::MenuCommand(p, 154);
  EXPECT_EQ(testing_support::ReadBytes(path).size(), 4u);
  EXPECT_EQ(process.Started().size(), 2u);
}

TEST_F(MenuCommandsTest, HelpItemsStartProgramsOnlyForFilesThatExist) {
  app::MenuCommand(p, 311);  // no manual installed
  EXPECT_TRUE(process.Started().empty());
  EXPECT_EQ(env.ui.Count("tarvelin_manual_web.htm"), 1);

  app::MenuCommand(p, 300);
  ASSERT_EQ(process.Started().size(), 1u);
  EXPECT_EQ(process.Started()[0][0], "xdg-open");
  EXPECT_NE(process.Started()[0][1].find("news.rtf"), std::string::npos);

  // The web address is an installation setting; a missing or odd one is refused.
  app::MenuCommand(p, 392);
  EXPECT_EQ(process.Started().size(), 1u);
  testing_support::WriteText(env.dir / "web.txt", "-x evil\n");
  app::MenuCommand(p, 392);
  EXPECT_EQ(process.Started().size(), 1u);
  testing_support::WriteText(env.dir / "web.txt", "https://example.org/tarvelin\n");
  app::MenuCommand(p, 393);
  ASSERT_EQ(process.Started().size(), 2u);
  EXPECT_EQ(process.Started()[1],
            (std::vector<std::string>{"x-www-browser", "https://example.org/tarvelin"}));

  // A help topic without a menu item: the help text window.
  env.ui.ClearLog();
  app::MenuCommand(p, 299);
  ASSERT_FALSE(env.ui.Log().empty());
  EXPECT_EQ(env.ui.Log().back().kind, "long");
}

TEST_F(MenuCommandsTest, PositionLaysTheOpenWindowsOutAndReopensThem) {
  Layout(1, {0, 1}, 16, [](int, int k) { return float(k); });
  Layout(0, {0}, 16, [](int, int k) { return float(k); });
  state::DisplayWave(p, store::Store::W, -1);
  state::DisplayWave(p, store::Store::M, -1);
  app::MenuCommand(p, 302);
  ASSERT_TRUE(p.QWWin[0] && p.QWWin[1] && p.QMWin[0]);
  const int32_t* a = p.CGW[0].WinRect;
  const int32_t* b = p.CGW[1].WinRect;
  const int32_t* c = p.CGB[0].WinRect;
  EXPECT_LT(a[0], a[2]);
  EXPECT_LT(a[1], a[3]);
  EXPECT_EQ(a[2], b[0]);  // side by side
  EXPECT_EQ(c[1], a[3]);  // the next row
}

using app::MenuNode;

// Every command of the table, shown or not.
std::vector<const MenuNode*> AllCommands() {
  std::vector<const MenuNode*> all = app::MenuItems();
  for (const MenuNode& n : app::CommandsWithoutItem()) all.push_back(&n);
  return all;
}

TEST(MenuTable, EveryCommandHasOneRowWithAHandlerAndIsFoundByItsId) {
  std::set<int> ids;
  for (const MenuNode* n : AllCommands()) {
    EXPECT_TRUE(ids.insert(n->id).second) << "duplicate ID " << n->id;
    EXPECT_NE(n->handler, nullptr) << n->id;
    EXPECT_EQ(app::FindMenuCommand(n->id), n) << n->id;
    EXPECT_TRUE(app::IsMenuCommand(n->id)) << n->id;
  }
  for (const MenuNode* n : app::MenuItems()) {
    EXPECT_FALSE(n->label.empty()) << n->id;
    // One accelerator at most, and never a dangling one.
    EXPECT_LE(std::count(n->label.begin(), n->label.end(), '&'), 1) << n->id;
    EXPECT_NE(n->label.back(), '&') << n->id;
  }
  // The commands without an item stay out of the menu bar.
  for (const MenuNode& n : app::CommandsWithoutItem()) EXPECT_EQ(app::FindMenuItem(n.id), nullptr) << n.id;
  EXPECT_EQ(app::MainMenuTree().size(), 9u);
  EXPECT_GE(app::MenuItems().size(), 100u);
  for (int id : {0, 149, 217, 999, -1}) EXPECT_FALSE(app::IsMenuCommand(id)) << id;
}

}  // namespace
