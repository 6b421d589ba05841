#include <gtest/gtest.h>

#include <filesystem>

#include "daq/MonitoringLog.h"
#include "daq/RunState.h"
#include "support/TestSupport.h"

namespace {

// Channels 1 and 3 active, four samples each; the fake clock's 6.8.2023 14:37:05.
struct LogEnv : testing_support::TestEnv {
  LogEnv() {
    prog.HGW.ChannelCount = 2;
    std::fill(std::begin(prog.HGW.ChannelOn), std::end(prog.HGW.ChannelOn), int16_t(0));
    prog.HGW.ChannelOn[0] = prog.HGW.ChannelOn[2] = 1;
    prog.HGW.Length = 4;
    prog.FGW[0].Step = 0.001f;
    const float samples[] = {1, 2, 3, 4, -1, -1, -1, -1};
    std::copy(std::begin(samples), std::end(samples), prog.Waveform.get());
    prog.WG.ExtStartCount = 42;
  }
  ~LogEnv() { daq::ReleaseRuns(prog); }
};

TEST(MonitoringLog, LineOfEveryModeAndFormat) {
  const std::string head = "06.08.2023 14:37:05  00000004  0.001  002",
                    csvHead = "06.08.2023; 14:37:05;  00000004;  0.001;  002;";
  const std::string groups =
      "    001 0004.0000 0002.5000 0001.0000 0001.1180    003 -001.0000 -001.0000 -001.0000 0000.0000";
  const std::string csvGroups =
      "    001; 0004.0000; 0002.5000; 0001.0000; 0001.1180;    003; -001.0000; -001.0000; -001.0000; "
      "0000.0000;";
  const struct {
    int mode, format;
    std::string line;
  } cases[] = {{0, 1, ""},
               {1, 1, head + "\n"},
               {2, 1, head + groups + "\n"},
               {1, 2, csvHead + "\n"},
               {2, 3, "00042;  " + csvHead + csvGroups + "\n"}};
  LogEnv env;
  for (const auto& c : cases) {
    env.prog.WG.MonitorLog = int16_t(c.mode);
    env.prog.WG.MonitorFormat = int16_t(c.format);
    EXPECT_EQ(daq::MonitLine(env.prog, env.clock.Now()), c.line) << c.mode << "/" << c.format;
  }
}

TEST(MonitoringLog, AppendsAndReportsAFailingLogOncePerSeries) {
  LogEnv env;
  env.prog.WG.MonitorLog = 1;
  env.prog.WG.MonitorFormat = 2;
  EXPECT_TRUE(daq::WriteMonit(env.prog) && daq::WriteMonit(env.prog));
  const std::string line = daq::MonitLine(env.prog, env.clock.Now());
  auto bytes = testing_support::ReadBytes(env.dir / "DATA/monit.csv");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), line + line);

  // A directory in the log's place cannot be opened, not even by root.
  env.prog.WG.MonitorFormat = 1;
  const std::string txt = env.dir / "DATA/monit.txt";
  const bool fails[] = {true, true, false, true};  // reported: first, then after the success
  for (bool fail : fails) {
    std::filesystem::remove(txt);
    if (fail) std::filesystem::create_directory(txt);
    EXPECT_EQ(daq::WriteMonit(env.prog), !fail);
  }
  EXPECT_EQ(env.ui.Count("monit.txt"), 2);
}

}  // namespace
