#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include "app/MainPanel.h"
#include "daq/CardState.h"
#include "platform/RecordingCanvas.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

struct MainPanelTest : ::testing::Test {
  TestEnv env{8192};
  state::Program& p = env.prog;
  platform::RecordingCanvas canvas{app::kMainClientWidth, app::kMainClientHeight};

  bool Drew(const std::string& part) const {
    for (const std::string& op : canvas.Ops())
      if (op.find(part) != std::string::npos) return true;
    return false;
  }
  // Every drawn text, joined by blanks (a text wrapped over lines reads whole).
  std::string Texts() const {
    std::string all;
    for (const std::string& op : canvas.Ops()) {
      if (op.rfind("Text ", 0) != 0) continue;
      size_t open = op.find('"');
      all += " " + op.substr(open + 1, op.size() - open - 2);
    }
    return all + " ";
  }
  bool Shown(const std::string& text) const { return Texts().find(" " + text + " ") != std::string::npos; }
  void Painted() {
    canvas.Clear();
    app::PaintPanel(p, canvas);
  }
};

TEST_F(MainPanelTest, ButtonsIssueTheirCommandsWithinInclusiveBounds) {
  // Corners of a few buttons, then just outside, in a gap, on the heartbeat and off the window.
  const struct {
    int x, y, command;
  } probes[] = {{9, 6, 207},    {61, 29, 207}, {279, 27, 200},     {337, 70, 200}, {406, 75, 201},
                {465, 91, 201}, {8, 6, 0},     {62, 10, 0},        {279, 71, 0},   {406, 74, 0},
                {457, 12, 0},   {-1, -1, 0},   {100000, 100000, 0}};
  for (const auto& pr : probes) EXPECT_EQ(app::PanelCommandAt(pr.x, pr.y), pr.command) << pr.x << "," << pr.y;
  EXPECT_GE(app::PanelButtonAt(457, 12), 0) << "the heartbeat has a tooltip but no command";
  for (const app::PanelButton& b : app::PanelButtons()) {
    EXPECT_LT(b.right, app::kMainClientWidth);
    EXPECT_LT(b.bottom, app::kMainClientHeight);
  }
}

TEST_F(MainPanelTest, TooltipsFollowTheButtonAndTheCardState) {
  const std::string exit = app::PanelTooltipOf(p, app::PanelButtonAt(20, 20)).text;
  EXPECT_NE(app::PanelTooltipOf(p, app::PanelButtonAt(420, 50)).text, exit);
  EXPECT_TRUE(app::PanelTooltipOf(p, -1).text.empty());
  EXPECT_TRUE(app::PanelTooltipOf(p, 999).text.empty());

  // Simulation, a missing card and a working card each explain themselves.
  int card = app::PanelButtonAt(240, 60);
  std::set<std::string> states;
  for (auto [sim, present] : {std::pair{1, 1}, {0, 0}, {0, 1}}) {
    p.DG.Simulation = sim;
    p.BoardPresent = present;
    states.insert(app::PanelTooltipOf(p, card).text);
  }
  EXPECT_EQ(states.size(), 3u);
  EXPECT_EQ(states.count(""), 0u);
}

TEST_F(MainPanelTest, CardFrequencyAndMeasurementFields) {
  store::CopyText(daq::Card(p).CardName, "DUZIV DAQ-01");
  for (auto [sim, present, shown] :
       {std::tuple{1, 1, "\"SIMULACE\""}, {0, 0, "\"HW nenalezen\""}, {0, 1, "\"DUZIV DAQ-01\""}}) {
    p.DG.Simulation = sim;
    p.BoardPresent = present;
    Painted();
    EXPECT_TRUE(Drew(shown));
  }
  EXPECT_FALSE(Drew("SIMULACE"));

  // The frequency box gives way to the running run and the external start.
  p.RefA().WPeriod = 0.5f;  // ms
  Painted();
  EXPECT_TRUE(Shown(state::TxtF(p, 1305, {2000.0})));
  EXPECT_TRUE(Shown(state::Txt(p, 1306)));
  EXPECT_FALSE(Shown("QW, opakované měření"));

  p.QW = 1;
  Painted();
  EXPECT_TRUE(Shown("QW, opakované měření"));
  p.QW = 0;

  p.QW_EXT = 1;
  p.WG.ExtStartCount = 7;
  Painted();
  EXPECT_TRUE(Shown(state::TxtF(p, 1428, {7}) + " START - kontakt na DI"));
  p.QW_EXT = 0;

  // A period from a hostile job file shows no number rather than inf or nan.
  for (float bad : {0.0f, -1.0f, NAN, INFINITY}) {
    p.RefA().WPeriod = bad;
    Painted();
    EXPECT_FALSE(Drew("inf")) << bad;
    EXPECT_FALSE(Drew("nan")) << bad;
    EXPECT_TRUE(Drew("\"---\"")) << bad;
  }

  // The measurement field counts the points, even at the largest index.
  p.HGB.Length = 500;
  p.QM = 1;
  p.Bindx = 41;
  Painted();
  EXPECT_TRUE(Drew("M: 42 / 500"));
  // The count one past the last index must not wrap to a negative number.
  p.Bindx = INT32_MAX;
  Painted();
  EXPECT_TRUE(Drew("M: 2147483648"));
  EXPECT_FALSE(Drew("M: -"));
}

TEST_F(MainPanelTest, StatusAndMacroLinesAreCutToTheirWidth) {
  store::CopyText(p.Status, std::string(200, 'x'));
  store::CopyText(p.MacroSt, "  -");
  app::PaintStatusLine(p, canvas);
  app::PaintMacroLine(p, canvas);
  int texts = 0;
  for (const std::string& op : canvas.Ops()) {
    if (op.rfind("Text ", 0) != 0) continue;
    ++texts;
    std::string shown = op.substr(op.find('"') + 1);
    shown.pop_back();
    EXPECT_LE(canvas.TextWidth(shown), 456) << op;
  }
  EXPECT_EQ(texts, 2);
  EXPECT_TRUE(Drew("\"  -\""));
  // Cutting never splits a character in two.
  canvas.Clear();
  std::string wide;
  for (int i = 0; i < 100; ++i) wide += "ř";
  store::CopyText(p.Status, wide);
  app::PaintStatusLine(p, canvas);
  for (const std::string& op : canvas.Ops())
    if (op.rfind("Text ", 0) == 0) {
      EXPECT_EQ(op.substr(op.size() - 3), "ř\"");
    }
}

TEST_F(MainPanelTest, HeartbeatShrinksInTheRunColourAndShowsTheLamps) {
  app::PaintHeartbeat(p, canvas, 5);
  std::string big = canvas.Ops().back();
  app::PaintHeartbeat(p, canvas, 1);
  EXPECT_NE(big, canvas.Ops().back());
  // White when idle, red during a waveform run, green during a measurement run.
  for (auto [qw, qm, colour] : {std::tuple{0, 0, " FFFFFF"}, {1, 0, " 0000FF"}, {0, 1, " 00C000"}}) {
    p.QW = qw, p.QM = qm;
    app::PaintHeartbeat(p, canvas, 3);
    EXPECT_NE(canvas.Ops().back().find(colour), std::string::npos) << colour;
  }

  canvas.Clear();
  app::PaintHeartbeat(p, canvas, 0);
  EXPECT_EQ(canvas.Count("Ellipse"), 2);
  EXPECT_EQ(canvas.Count("SetBrush 000000"), 2) << "driver closed, output idle";
  daq::Card(p).Driver_Inicializovan = 1;
  daq::Card(p).DA_going = 1;
  canvas.Clear();
  app::PaintHeartbeat(p, canvas, 0);
  EXPECT_EQ(canvas.Count("SetBrush 0000FF"), 1);
  EXPECT_EQ(canvas.Count("SetBrush 8080FF"), 1);
}

}  // namespace
