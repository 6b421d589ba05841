// Waveform runs taken by the live window, in simulation and on the virtual card.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "RealCard.h"
#include "RunTestSupport.h"
#include "daq/Driver.h"
#include "daq/WaveformRun.h"
#include "graph/GraphModel.h"
#include "state/StoreAccess.h"

namespace {

graph::TDispl10* OpenLiveWindow(state::Program& p) {
  p.RefA().Flags153 |= store::kAWLive;
  state::NaplnHlav(p);
  const int32_t rect[4] = {0, 0, 640, 400};
  auto w = std::make_unique<graph::TDispl10>(p, "live", store::Store::W, 0, 0, rect);
  w->DisplInit();
  p.QWWin[0] = std::move(w);
  return static_cast<graph::TDispl10*>(p.QWWin[0].get());
}

// Channels 1 and 2 acquired live into a record of `length` samples, shown
// in the first waveform window; codes convert to themselves less `shift`.
struct Live : runtest::Sim {
  explicit Live(int32_t length, float shift = 0.0f) {
    Select({0, 1});
    p().HGW.Length = length;
    for (int ch : {0, 1}) {
      store::A_s& a = p().A[size_t(ch)];
      a.CalInput1 = 0.0f, a.CalValue1 = -shift, a.CalInput2 = 5.0f, a.CalValue2 = 32768.0f - shift;
    }
    window = OpenLiveWindow(p());
  }
  graph::TDispl10* window;
};

TEST(LiveAcquisition, InterruptedRecordIsShortenedOrCleared) {
  const struct {
    int escapeAt;  // the query that finds Esc: scans taken = escapeAt - 1
    bool ask;
    int32_t length;
  } cases[] = {{11, true, 16}, {101, true, 100}, {11, false, 200}};
  for (const auto& c : cases) {
    Live t(200);
    t.Constant(0, 1.0f);
    t.Constant(1, 2.0f);
    t.ui.escapeAt = c.escapeAt;
    t.p().PG.Flags = c.ask ? store::kPgAskShortenLive : 0;
    EXPECT_EQ(daq::TRV_QW(t.p()), 0);
    EXPECT_EQ(t.p().GoQWAgain, 1);
    EXPECT_EQ(t.p().HGW.Length, c.length);
    const int taken = c.escapeAt - 1;
    for (int k = 0; k < 2; ++k)
      for (int i = 0; i < c.length; ++i)
        ASSERT_EQ(t.W(k)[i], i < taken ? float(k + 1) : 0.0f) << c.escapeAt << " " << k << " " << i;
  }
}

TEST(LiveAcquisition, SquareWavesGrowWithTheChannelAndStatisticsFollowThem) {
  // Shifted so that every value is negative: the maximum is still found.
  Live t(60, 5000.0f);
  ASSERT_EQ(daq::TRV_QW(t.p()), 1);
  EXPECT_EQ(t.p().HGW.Length, 60);
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < 60; ++i) {
      const float code = t.W(k)[i] + 5000.0f, level = (i / 15) % 2 ? 1000.0f : -1000.0f;
      ASSERT_GE(code, (level - 50.0f) * float(k + 1)) << k << " " << i;
      ASSERT_LE(code, (level + 149.0f) * float(k + 1)) << k << " " << i;
    }
    const float* w = t.W(k);
    EXPECT_EQ(t.window->WR_max[k], *std::max_element(w, w + 60));
    EXPECT_EQ(t.window->WR_min[k], *std::min_element(w, w + 60));
    EXPECT_LT(t.window->WR_max[k], 0.0f);
  }
  EXPECT_FLOAT_EQ(t.runs().PocetVln, 2.0f);
}

TEST(LiveAcquisition, EveryRecordLogsItsChannelGroupsAndAFailingLogIsReportedOnce) {
  Live t(40);
  t.p().WG.MonitorLog = 2;
  t.p().WG.MonitorFormat = 1;
  ASSERT_EQ(daq::TRV_QW(t.p()), 1);
  auto bytes = testing_support::ReadBytes(t.env.dir / "DATA/monit.txt");
  const std::string line(bytes.begin(), bytes.end());
  const std::string group = "    00[12]( [-0-9]{4,5}\\.[0-9]{4}){4}";
  EXPECT_TRUE(std::regex_match(line, std::regex("[^\n]*  00000040  [^\n]*  002" + group + group + "\n")))
      << line;

  std::filesystem::remove(t.env.dir / "DATA/monit.txt");
  std::filesystem::create_directory(t.env.dir / "DATA/monit.txt");
  t.ui.ClearLog();
  EXPECT_EQ(daq::TRV_QW(t.p()), 1);
  EXPECT_EQ(daq::TRV_QW(t.p()), 1);
  EXPECT_EQ(t.ui.Count("monit.txt"), 1);
}

TEST(LiveAcquisition, OnTheCardEveryScanReachesTheStore) {
  realcard::Env c;
  if (!c.ok) GTEST_SKIP() << c.skipReason;
  testing_support::WriteText(c.env.dir / "signals.conf", "0 dc 0.5\n2 dc 1.5\n");
  ::setenv("DUZIV_VIRTUAL_CONFIG", (c.env.dir / "signals.conf").c_str(), 1);
  state::Program& p = c.p();
  for (auto& a : p.MG.Acquire) a = 0;
  for (int ch : {0, 2, 40}) p.MG.Acquire[ch] = 1;
  ASSERT_EQ(daq::Board_Init(p), 1);
  p.RefA().WPeriod = 0.01f;
  p.HGW.Length = 500;
  OpenLiveWindow(p);
  EXPECT_EQ(daq::TRV_QW(p), 1);
  ::unsetenv("DUZIV_VIRTUAL_CONFIG");
  const float expect[3] = {0.5f, 1.5f, 0.0f};
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 500; ++i)
      ASSERT_NEAR(p.Waveform[size_t(k * 500 + i)], expect[k], 1e-3f) << k << " " << i;
  daq::ReleaseRuns(p);
}

}  // namespace
