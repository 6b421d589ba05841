// The user messages other windows send to the main window.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "dsp/DspTestSupport.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

struct MainWindowMessagesTest : ::testing::Test {
  TestEnv env{8192};
  state::Program& p = env.prog;
  app::TMainWindow w{p};
  std::vector<int> sent;

  MainWindowMessagesTest() {
    p.GraphFactory = [this](const auto&) -> std::unique_ptr<platform::GraphWindow> {
      return std::make_unique<testing_support::MessageLogWindow>(
          [this](int code, int) { sent.push_back(code); });
    };
    env.windows.SetMainHandler([this](int code, int arg) { w.WMUserMessage(code, arg); });
  }

  // One message as the timer's re-arming lets it through.
  void Message(int code, int arg = 0) {
    w.UserMsgReady = 1;
    w.WMUserMessage(code, arg);
  }

  // The waveform store: sample k of channel ch is ch * 1000 + k; limits left..right over 0..1.
  void Waveform(const std::vector<int>& channels, int32_t length, int32_t left, int32_t right) {
    dsptest::Layout(p, 1, channels, length, [](int ch, int k) { return float(ch * 1000 + k); });
    for (int ch : channels) p.MG.WDisplay[ch] = 1;
    p.PG.WLeft = left;
    p.PG.WRight = right;
    p.PG.WUpper = 1;
    p.PG.WLower = 0;
  }

  float Sample(int block, int k) const {
    return p.Waveform[size_t(block) * size_t(p.HGW.Length) + size_t(k)];
  }
  int Count(int code) const { return int(std::count(sent.begin(), sent.end(), code)); }
};

TEST_F(MainWindowMessagesTest, WaitWindowIsShownAdvancedAndClosed) {
  Message(2104, 39);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 39));
  // A percentage out of range cannot overfill or reverse the bar.
  for (auto [sent, shown] : {std::pair{42, 42}, {250, 100}, {-7, 0}}) {
    Message(2105, sent);
    EXPECT_EQ(env.ui.waitPercent_, shown) << sent;
  }
  Message(2103);
  EXPECT_EQ(env.ui.waitHides_, 1);

  // Until the next tick re-arms the handling, further messages are dropped.
  w.WMUserMessage(2103, 0);
  EXPECT_EQ(env.ui.waitHides_, 1);
}

TEST_F(MainWindowMessagesTest, ValueDialogsSetTheScaleAndTextFontCells) {
  p.DG.Font.Height = 16;
  p.DG.Font.Width = 7;
  p.Prt[0].TextFontHeight = 16;
  p.Prt[0].TextFontWidth = 7;
  for (auto [code, value] : {std::pair{2109, 20}, {2110, 99}, {2111, 30}, {2112, 45}}) {
    env.ui.Push(int64_t(value));
    Message(code);
  }
  // 99 is above the width's maximum of 40.
  EXPECT_EQ(
      std::vector<int>({p.DG.Font.Height, p.DG.Font.Width, p.Prt[0].TextFontHeight, p.Prt[0].TextFontWidth}),
      std::vector<int>({20, 40, 30, 45}));

  // Cancel keeps the value.
  env.ui.Push(platform::Answer::Cancel);
  Message(2109);
  EXPECT_EQ(p.DG.Font.Height, 20);
}

TEST_F(MainWindowMessagesTest, TakingTheLimitsCutsTheWaveformAndCutAndWriteSavesIt) {
  Waveform({0, 3}, 100, 10, 29);
  state::DisplayWave(p, store::Store::W, -1);
  sent.clear();
  Message(2130);
  ASSERT_EQ(p.HGW.Length, 20);
  EXPECT_EQ(Sample(1, 19), 3029.0f);
  EXPECT_GT(Count(2040), 0);

  // Limits past the record are refused with general text 362; nothing moves.
  p.PG.WLeft = 2;
  p.PG.WRight = 40;
  Message(2130);
  EXPECT_EQ(
      std::tuple(p.HGW.Length, Sample(1, 0), testing_support::MessagesWithText(env.ui, state::Txt(p, 362))),
      std::tuple(20, 3010.0f, 1));

  store::CopyText(p.WG.LastWaveFile, "\\DATA\\named.W");
  const std::string file = env.dir / "DATA/named.W";
  // Refused limits (right not beyond left) leave the file unwritten.
  Waveform({1}, 64, 30, 30);
  Message(2139);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 361)), 1);
  EXPECT_FALSE(testing_support::FileExists(file));
  EXPECT_EQ(p.HGW.Length, 64);

  p.PG.WLeft = 4;
  p.PG.WRight = 11;
  Message(2139);
  ASSERT_TRUE(testing_support::FileExists(file));

  // 2132 reads the named file back into the store.
  Waveform({2, 5}, 32, 0, 31);
  Message(2132);
  ASSERT_EQ(p.HGW.Length, 8);
  EXPECT_EQ(std::tuple(p.HGW.ChannelOn[2], Sample(0, 7)), std::tuple(0, 1011.0f));

  // 2138 writes the whole record as it stands.
  Waveform({0}, 48, 0, 47);
  Message(2138);
  Waveform({0}, 16, 0, 15);
  Message(2132);
  EXPECT_EQ(p.HGW.Length, 48);
}

TEST_F(MainWindowMessagesTest, MatrixDisplayOpensForAMatrixAndOtherCodesAreIgnored) {
  env.windows.PostMain(2131, 0);
  w.UserMsgReady = 1;
  env.windows.DeliverPending();
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 731)), 1) << "no matrix yet";
  p.Mat[0].Columns = p.Mat[0].Rows = 3;
  p.Matrix.assign(9, 1.0f);
  Message(2131);
  EXPECT_TRUE(p.MatrixWin);

  // Codes of the graph windows, the tooltip and unknown ones change nothing.
  Waveform({0}, 100, 10, 29);
  for (int code : {2000, 2040, 2119, 2126, 2128, 2133, 2134, 2135, 2136, 2137, 2140, -1, 65535}) {
    env.ui.ClearLog();
    Message(code, 3);
    EXPECT_TRUE(env.ui.Log().empty()) << code;
    EXPECT_EQ(p.HGW.Length, 100) << code;
  }
  EXPECT_TRUE(sent.empty());
}

}  // namespace
