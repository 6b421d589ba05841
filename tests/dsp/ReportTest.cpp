#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "dsp/LocalExtremum.h"
#include "ops/StatisticsReport.h"
#include "platform/PosixProcess.h"
#include "state/Messages.h"
#include "support/TextFile.h"

namespace {

using store::Store;
using testing_support::ReadText;

struct Report : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  platform::RecordingProcess process;
  ops::Panel panel;
  std::string text;
  void SetUp() override {
    p.plat.process = &process;
    // W channel 2 (0-based) holds 1, 2, 3, 4, 5, 6, 7, 8.
    dsptest::Layout(
        p, 1, {0, 2}, 8, [](int ch, int k) { return ch == 2 ? float(k + 1) : 0.0f; }, 0.5f);
    store::CopyText(p.FGW[2].Name, "Volt");
    store::CopyText(p.FGW[2].Unit, "V");
  }
  std::string Label(int n) { return state::Txt(p, n); }
  // Maxima at 2, 6, 10, … (value 10 + k), minima at 0, 4, 8, … (value -k).
  void Wave(int n) {
    dsptest::Layout(
        p, 1, {2}, n, [](int, int k) { return float(k % 4 == 2   ? 10 + k
                                                    : k % 4 == 0 ? -k
                                                                 : 0); }, 0.5f);
    p.CGW[2].IL = 0;
    p.CGW[2].IR = n - 1;
  }
};

TEST_F(Report, StatisticsPanelRowsAndReportFile) {
  ASSERT_EQ(ops::ShowStat(p, Store::W, 2, false, panel), 1);
  EXPECT_EQ(panel.title, Label(554));
  ASSERT_EQ(panel.rows.size(), 11u);
  const auto& r = panel.rows;  // count, mean, sum, count, step; colours of the first rows
  EXPECT_EQ(std::tuple(r[0].value, r[3].value, r[8].value, r[9].value, r[10].value),
            std::tuple(8, 4.5, 36, 8, 0.5));
  EXPECT_EQ(std::tuple(r[0].label, r[8].label, r[0].red, r[3].blue),
            std::tuple(Label(198), Label(675), 127, 127));
  EXPECT_STREQ(r[10].format, " %10.4e");

  std::string path = env.dir / "TEXTSTAT.TXT";
  std::string expected =
      Label(1324) + "\n\n" + state::TxtF(p, 1327, {3, "Volt", "V"}) + "\n\n\n" + Label(1328) + "\n";
  const std::pair<const char*, int> lines[] = {
      {" +0004.500000", 201}, {" +0002.291288", 205}, {" +0008.000000", 198}, {" +0001.000000", 199},
      {" +0007.000000", 200}, {" +0005.049752", 202}, {" +0025.500000", 203}, {" +0005.250000", 204},
      {" +0036.000000", 675}, {" +0008.000000", 206}, {" +0000.500000", 207}};
  for (auto [value, label] : lines) expected += std::string(value) + "\t\t" + Label(label) + "\n";
  EXPECT_EQ(ReadText(path), expected + Label(1325) + "\n");
  EXPECT_EQ(process.Started(), (std::vector<std::vector<std::string>>{{Label(5), path}}));
  // The measurement store's report has no channel line.
  dsptest::Layout(p, 0, {1}, 4, [](int, int k) { return float(k); });
  ASSERT_EQ(ops::StatisticsPanel(p, Store::M, 1, false, panel, text), 1);
  EXPECT_EQ(text.rfind(Label(1324) + "\n\n" + Label(1328) + "\n", 0), 0u);
}

TEST_F(Report, BetweenCursorsWithTwoPointReadout) {
  store::CG_s& g = p.CGW[2];
  g.Cur1 = 6;  // reversed cursors are ordered
  g.Cur2 = 2;
  g.CursorStyle = 1;
  g.DisplFlags = 0x0010 | 0x0100;  // readout, user time factor
  p.PG.UserTimeFactor = 10;
  g.HCur1 = 1;
  g.HCur2 = 4;
  ASSERT_EQ(ops::StatisticsPanel(p, Store::W, 2, true, panel, text), 1);
  ASSERT_EQ(panel.rows.size(), 17u);
  const auto& r =
      panel.rows;  // mean and count of 3 … 7; t1 = 6 × 0.5, t2 = 2 × 0.5 (unscaled), slope (4 − 1) / (1 − 3)
  EXPECT_EQ(std::tuple(r[3].value, r[9].value, r[11].row, r[11].value, r[13].value, r[15].value),
            std::tuple(5, 5, 12, 3, 1, -1.5));
  EXPECT_NEAR(r[16].value, std::atan(-1.5) * 57.29577950560105, 1e-9);
  EXPECT_STREQ(r[16].format, " %7.2f");
  EXPECT_EQ(panel.title.rfind(Label(555), 0), 0u);
  EXPECT_NE(panel.title.find(" s"), std::string::npos);
  EXPECT_NE(text.find(Label(1330) + "\n\n"), std::string::npos);
  EXPECT_NE(text.find(" -0001.500000\t\t" + Label(1335) + "\n"), std::string::npos);
  EXPECT_TRUE(process.Started().empty());  // StatisticsPanel alone writes nothing
  // Equal cursors (also after limiting to the record) show nothing.
  g.Cur1 = 40;
  g.Cur2 = 7;
  EXPECT_EQ(ops::StatisticsPanel(p, Store::W, 2, true, panel, text), 0);
  EXPECT_TRUE(panel.rows.empty() && text.empty());
}

TEST_F(Report, BadChannelsAndUnwritableReport) {
  EXPECT_EQ(ops::ShowStat(p, Store::W, 1, false, panel), 0);    // inactive
  EXPECT_EQ(ops::ShowStat(p, Store::W, 128, false, panel), 0);  // no such channel
  EXPECT_EQ(ops::ShowStat(p, Store::M, 2, false, panel), 0);    // empty measurement store
  p.HGW.Length = 40000;                                         // a header the array cannot hold
  EXPECT_EQ(ops::ShowStat(p, Store::W, 2, false, panel), 0);
  p.HGW.Length = 8;
  // A report that cannot be written is reported; the panel stays, no editor starts.
  ASSERT_EQ(::mkdir((env.dir / "TEXTSTAT.TXT").c_str(), 0700), 0);
  EXPECT_EQ(ops::ShowStat(p, Store::W, 2, false, panel), 1);
  EXPECT_EQ(panel.rows.size(), 11u);
  EXPECT_TRUE(process.Started().empty());
  EXPECT_EQ(env.ui.Count(state::Txt(p, 398)), 1);
  // Without a process seam the report is still written.
  p.plat.process = nullptr;
  EXPECT_EQ(ops::WriteReportFile(p, "OTHER.TXT", "x"), 1);
  EXPECT_EQ(ReadText(env.dir / "OTHER.TXT"), "x");
}

TEST(ReportPower, PanelOfAVoltageCurrentPair) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  const double pi = 3.14159265358979;
  dsptest::Layout(
      p, 1, {4, 5, 7}, 2000,
      [&](int ch, int k) {
        double t = k * 1e-4;
        return ch == 4 ? float(100 * std::sin(2 * pi * 50 * t))
                       : float(2 * std::sin(2 * pi * 50 * t - pi / 3));
      },
      1e-4f);
  ops::Panel panel;
  ASSERT_EQ(ops::ShowStatEnergo(p, 4, false, panel), 1);
  EXPECT_EQ(panel.title, state::Txt(p, 556));
  ASSERT_EQ(panel.rows.size(), 21u);
  // U, U / I, (U / I) cos φ, φ, P, frequency.
  for (auto [row, want, tolerance] : {std::tuple{0, 100 / std::sqrt(2.0), 0.1},
                                      {6, 50.0, 0.1},
                                      {7, 25.0, 0.1},
                                      {13, 60.0, 0.1},
                                      {15, 50.0, 0.2},
                                      {19, 50.0, 0.01}})
    EXPECT_NEAR(panel.rows[size_t(row)].value, want, tolerance) << row;
  EXPECT_EQ(panel.rows[19].row, 19.5f);
  EXPECT_STREQ(panel.rows[9].format, " %10.5f");
  EXPECT_EQ(panel.rows[12].label, state::Txt(p, 537));

  EXPECT_EQ(ops::ShowStatEnergo(p, 5, false, panel), 0);  // channel 7 (0-based 6) is off
  EXPECT_TRUE(panel.rows.empty());
  EXPECT_EQ(ops::ShowStatEnergo(p, 127, false, panel), 0);
  p.CGW[4].Cur1 = p.CGW[4].Cur2 = 5;
  EXPECT_EQ(ops::ShowStatEnergo(p, 4, true, panel), 0);
}

TEST(ReportExtremes, NextLocalExtremumWalksAndWraps) {
  std::vector<float> x = {0, 1, 3, 2, 2, 5, 5, 1, 0, 4}, flat(20, 1.0f);
  // Plateaus end where they end; after the last maximum the walk wraps from 9 to 0 and finds 4 at 9 first.
  for (auto [from, maxima, want] :
       {std::tuple{0, true, 2}, {2, true, 6}, {0, false, 4}, {4, false, 8}, {6, true, 9}})
    EXPECT_EQ(dsp::NextLocalExtremum(x.data(), 0, 9, from, maxima), want) << from << maxima;
  EXPECT_EQ(dsp::NextLocalExtremum(flat.data(), 0, 19, 3, true), -1);
  EXPECT_EQ(dsp::NextLocalExtremum(x.data(), 5, 5, 5, true), -1);
}

TEST_F(Report, MaximaOrMinimaBetweenTheCursorsToATextFile) {
  Wave(40);
  p.CGW[2].Cur1 = 3;
  p.CGW[2].Cur2 = 18;
  env.ui.Push(platform::Answer::Yes);
  ASSERT_EQ(ops::ShowStatMaxMin(p, Store::W, 2, &text), 1);
  EXPECT_EQ(env.ui.Log().back().kind, "question");
  EXPECT_EQ(text.rfind(Label(1383), 0), 0u);
  EXPECT_NE(text.find(state::TxtF(p, 1327, {3, "Ch3", store::FieldText(p.FGW[2].Unit)})), std::string::npos);
  // Times from the pre-trigger origin: (6 + 1) × 0.5; 22 lies beyond cursor 2.
  EXPECT_NE(text.find("\n001   000000006   000003.500   +00016.000  \n"), std::string::npos);
  EXPECT_NE(text.find("\n004   000000018   000009.500   +00028.000  \n"), std::string::npos);
  EXPECT_EQ(text.find("005   "), std::string::npos);
  EXPECT_EQ(ReadText(env.dir / "MAX.TXT"), text);
  EXPECT_EQ(process.Started().size(), 1u);
  EXPECT_EQ(p.CGW[2].Cur1, 3);  // the cursor stays

  env.ui.Push(platform::Answer::No);
  ASSERT_EQ(ops::ShowStatMaxMin(p, Store::W, 2, &text), 1);
  EXPECT_NE(text.find("001   000000004"), std::string::npos);
  EXPECT_NE(text.find("004   000000016"), std::string::npos);
  EXPECT_TRUE(testing_support::FileExists(env.dir / "MIN.TXT"));
}

TEST_F(Report, ExtremesStopAfterAThousandEntriesAndAtTheWrap) {
  Wave(8000);
  p.CGW[2].Cur1 = 0;
  p.CGW[2].Cur2 = 7999;
  p.MacGoing = 1;  // no question inside a macro: maxima
  ASSERT_EQ(ops::ShowStatMaxMin(p, Store::W, 2, &text), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_NE(text.find("\n1000   "), std::string::npos);
  EXPECT_EQ(text.find("\n1001   "), std::string::npos);
  // A constant channel lists nothing and ends.
  dsptest::Layout(p, 1, {2}, 100, [](int, int) { return 1.0f; });
  ASSERT_EQ(ops::ShowStatMaxMin(p, Store::W, 2, &text), 1);
  EXPECT_EQ(text.find("001   "), std::string::npos);
}

}  // namespace
