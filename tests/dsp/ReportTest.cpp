#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "AlgebraTestSupport.h"
#include "app/Messages.h"
#include "dsp/StatisticsReport.h"
#include "platform/Process.h"
#include "support/TestSupport.h"

namespace {

class RecordingProcess : public platform::Process {
 public:
  bool Start(const std::vector<std::string>& argv) override {
    calls.push_back(argv);
    return true;
  }
  std::vector<std::vector<std::string>> calls;
};

std::string ReadText(const std::string& path) {
  std::vector<uint8_t> b = testing_support::ReadBytes(path);
  return std::string(b.begin(), b.end());
}

struct ReportFixture : testing::Test {
  testing_support::TestEnv env{65536};
  app::Program& p = env.prog;
  RecordingProcess process;
  void SetUp() override {
    p.plat.process = &process;
    // W channel 2 (0-based) holds 1, 2, 3, 4, 5, 6, 7, 8.
    algebra_test::Layout(p, 1, {0, 2}, 8, [](int ch, int k) { return ch == 2 ? float(k + 1) : 0.0f; });
    store::CopyText(p.FGW[2].Name, "Volt");
    store::CopyText(p.FGW[2].Unit, "V");
    p.FGW[2].Step = 0.5f;
  }
  std::string Label(int n) { return app::Txt(p, n); }
};

TEST_F(ReportFixture, BetweenCursorsWithTwoPointReadout) {
  store::CG_s& g = p.CGW[2];
  g.Cur1 = 6;  // reversed cursors are ordered
  g.Cur2 = 2;
  g.CursorStyle = 1;
  g.DisplFlags = 0x0010 | 0x0100;  // readout, user time factor
  p.PG.UserTimeFactor = 10;
  g.HCur1 = 1;
  g.HCur2 = 4;
  dsp::Panel panel;
  std::string report;
  ASSERT_EQ(dsp::StatisticsPanel(p, 1, 2, 1, panel, report), 1);
  EXPECT_EQ(panel.rows[3].value, 5);  // mean of 3 … 7
  EXPECT_EQ(panel.rows[9].value, 5);
  EXPECT_EQ(panel.title.rfind(Label(555), 0), 0u);
  EXPECT_NE(panel.title.find(" s"), std::string::npos);
  ASSERT_EQ(panel.rows.size(), 17u);
  // t1 = 6 × 0.5, t2 = 2 × 0.5 (unscaled), slope (4 − 1) / (1 − 3).
  EXPECT_EQ(panel.rows[11].row, 12);
  EXPECT_EQ(panel.rows[11].value, 3);
  EXPECT_EQ(panel.rows[13].value, 1);
  EXPECT_EQ(panel.rows[15].value, -1.5);
  EXPECT_NEAR(panel.rows[16].value, std::atan(-1.5) * 57.29577950560105, 1e-9);
  EXPECT_STREQ(panel.rows[16].format, " %7.2f");
  EXPECT_NE(report.find(Label(1330) + "\n\n"), std::string::npos);
  EXPECT_NE(report.find(" -0001.500000\t\t" + Label(1335) + "\n"), std::string::npos);
  EXPECT_TRUE(process.calls.empty());  // StatisticsPanel alone writes nothing

  // Equal cursors (also after limiting to the record) show nothing.
  g.Cur1 = 40;
  g.Cur2 = 7;
  EXPECT_EQ(dsp::StatisticsPanel(p, 1, 2, 1, panel, report), 0);
  EXPECT_TRUE(panel.rows.empty());
  EXPECT_TRUE(report.empty());
}

TEST_F(ReportFixture, BadChannelsAndUnwritableReport) {
  dsp::Panel panel;
  EXPECT_EQ(dsp::ShowStat(p, 1, 1, 0, panel), 0);    // inactive
  EXPECT_EQ(dsp::ShowStat(p, 1, 128, 0, panel), 0);  // no such channel
  EXPECT_EQ(dsp::ShowStat(p, 0, 2, 0, panel), 0);    // empty measurement store
  p.HGW.Length = 40000;                              // a header the array cannot hold
  EXPECT_EQ(dsp::ShowStat(p, 1, 2, 0, panel), 0);
  p.HGW.Length = 8;

  // A report that cannot be written is reported; the panel stays, no editor starts.
  ASSERT_EQ(::mkdir((env.dir / "TEXTSTAT.TXT").c_str(), 0700), 0);
  EXPECT_EQ(dsp::ShowStat(p, 1, 2, 0, panel), 1);
  EXPECT_EQ(panel.rows.size(), 11u);
  EXPECT_TRUE(process.calls.empty());
  EXPECT_EQ(env.ui.Count(app::Txt(p, 398)), 1);

  // Without a process seam the report is still written.
  p.plat.process = nullptr;
  EXPECT_EQ(dsp::WriteReportFile(p, "OTHER.TXT", "x"), 1);
  EXPECT_EQ(ReadText(env.dir / "OTHER.TXT"), "x");
}

TEST_F(ReportFixture, MeasurementStoreReportHasNoChannelLine) {
  algebra_test::Layout(p, 0, {1}, 4, [](int, int k) { return float(k); });
  dsp::Panel panel;
  std::string report;
  ASSERT_EQ(dsp::StatisticsPanel(p, 0, 1, 0, panel, report), 1);
  EXPECT_EQ(report.rfind(Label(1324) + "\n\n" + Label(1328) + "\n", 0), 0u);
}

TEST(ReportPower, PanelOfAVoltageCurrentPair) {
  testing_support::TestEnv env(65536);
  app::Program& p = env.prog;
  const double pi = 3.14159265358979;
  algebra_test::Layout(p, 1, {4, 5, 7}, 2000, [&](int ch, int k) {
    double t = k * 1e-4;
    return ch == 4 ? float(100 * std::sin(2 * pi * 50 * t)) : float(2 * std::sin(2 * pi * 50 * t - pi / 3));
  });
  for (int ch : {4, 5, 7}) p.FGW[ch].Step = 1e-4f;
  dsp::Panel panel;
  ASSERT_EQ(dsp::ShowStatEnergo(p, 4, 0, panel), 1);
  EXPECT_EQ(panel.title, app::Txt(p, 556));
  ASSERT_EQ(panel.rows.size(), 21u);
  EXPECT_NEAR(panel.rows[0].value, 100 / std::sqrt(2.0), 0.1);  // U
  EXPECT_NEAR(panel.rows[6].value, 50, 0.1);                    // U / I
  EXPECT_NEAR(panel.rows[7].value, 25, 0.1);                    // (U / I) cos φ
  EXPECT_NEAR(panel.rows[13].value, 60, 0.1);                   // φ
  EXPECT_NEAR(panel.rows[15].value, 50, 0.2);                   // P
  EXPECT_EQ(panel.rows[19].row, 19.5f);
  EXPECT_NEAR(panel.rows[19].value, 50, 0.01);  // frequency
  EXPECT_STREQ(panel.rows[9].format, " %10.5f");
  EXPECT_EQ(panel.rows[12].label, app::Txt(p, 537));

  EXPECT_EQ(dsp::ShowStatEnergo(p, 5, 0, panel), 0);  // channel 7 (0-based 6) is off
  EXPECT_TRUE(panel.rows.empty());
  EXPECT_EQ(dsp::ShowStatEnergo(p, 127, 0, panel), 0);
  p.CGW[4].Cur1 = p.CGW[4].Cur2 = 5;
  EXPECT_EQ(dsp::ShowStatEnergo(p, 4, 1, panel), 0);
}

struct ExtremesFixture : ReportFixture {
  void Wave(int n) {
    // Maxima at 2, 6, 10, … (value k), minima at 0, 4, 8, …
    algebra_test::Layout(p, 1, {2}, n, [](int, int k) {
      int r = k % 4;
      return float(r == 2 ? 10 + k : r == 0 ? -k : 0);
    });
    p.FGW[2].Step = 0.5f;
    p.CGW[2].IL = 0;
    p.CGW[2].IR = n - 1;
  }
};

TEST_F(ExtremesFixture, MaximaBetweenTheCursorsToMaxTxt) {
  Wave(40);
  p.CGW[2].Cur1 = 3;
  p.CGW[2].Cur2 = 18;
  env.ui.Push(platform::Answer::Yes);
  std::string text;
  ASSERT_EQ(dsp::ShowStatMaxMin(p, 1, 2, &text), 1);
  EXPECT_EQ(env.ui.Log().back().kind, "question");
  EXPECT_EQ(text.rfind(Label(1383), 0), 0u);
  EXPECT_NE(text.find(app::TxtF(p, 1327, {3, "Ch3", store::FieldText(p.FGW[2].Unit)})), std::string::npos);
  // Times from the pre-trigger origin: (6 + 1) × 0.5.
  EXPECT_NE(text.find("\n001   000000006   000003.500   +00016.000  \n"), std::string::npos);
  EXPECT_NE(text.find("\n004   000000018   000009.500   +00028.000  \n"), std::string::npos);
  EXPECT_EQ(text.find("005   "), std::string::npos);  // 22 lies beyond cursor 2
  EXPECT_EQ(ReadText(env.dir / "MAX.TXT"), text);
  ASSERT_EQ(process.calls.size(), 1u);
  EXPECT_EQ(p.CGW[2].Cur1, 3);  // the cursor stays

  env.ui.Push(platform::Answer::No);
  ASSERT_EQ(dsp::ShowStatMaxMin(p, 1, 2, &text), 1);
  EXPECT_NE(text.find("001   000000004"), std::string::npos);
  EXPECT_NE(text.find("004   000000016"), std::string::npos);
  EXPECT_TRUE(testing_support::FileExists(env.dir / "MIN.TXT"));
}

TEST_F(ExtremesFixture, StopsAfterAThousandEntriesAndAtTheWrap) {
  Wave(8000);
  p.CGW[2].Cur1 = 0;
  p.CGW[2].Cur2 = 7999;
  p.MacGoing = 1;  // no question inside a macro: maxima
  std::string text;
  ASSERT_EQ(dsp::ShowStatMaxMin(p, 1, 2, &text), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_NE(text.find("\n1000   "), std::string::npos);
  EXPECT_EQ(text.find("\n1001   "), std::string::npos);

  // A constant channel lists nothing and ends.
  algebra_test::Layout(p, 1, {2}, 100, [](int, int) { return 1.0f; });
  ASSERT_EQ(dsp::ShowStatMaxMin(p, 1, 2, &text), 1);
  EXPECT_EQ(text.find("001   "), std::string::npos);
}

}  // namespace
