#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/CalibrationTables.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;
using testing_support::WriteText;

struct Parsed {
  std::vector<float> in, out;
};

// Parses into buffers one larger than allowed, to catch a write past the limit.
Parsed Parse(const std::string& text, int maxPoints = 300) {
  std::vector<float> in(size_t(maxPoints) + 1, -999.0f), out(size_t(maxPoints) + 1, -999.0f);
  int n = files::ParseCalibrationText(text, in.data(), out.data(), maxPoints);
  EXPECT_EQ(in[size_t(maxPoints)], -999.0f);
  EXPECT_EQ(out[size_t(maxPoints)], -999.0f);
  in.resize(size_t(n));
  out.resize(size_t(n));
  return {in, out};
}

TEST(CalibrationTables, PointsAreTakenAtTheirCommas) {
  EXPECT_TRUE(Parse("0,0, 10,5,").in.empty());

  EXPECT_TRUE(Parse("").in.empty());
  // The output value is taken only when its "," is reached.
  EXPECT_TRUE(Parse("{1,2}").in.empty());
  EXPECT_TRUE(Parse("{1,2,").in.empty());

  Parsed noisy = Parse("table 1\n{ -1.5 , 2e1 ,}\r\n# note, with comma\n{3,4,}x");
  EXPECT_EQ(noisy.in, (std::vector<float>{-1.5f, 3}));
  EXPECT_EQ(noisy.out, (std::vector<float>{20, 4}));
}

TEST(CalibrationTables, BadValuesSkipTheirPoint) {
  Parsed p = Parse("{1,x,}{2,3,}{4,,}{5,6abc,}{7,nan,}{8,1e99,}{9,9,}");
  EXPECT_EQ(p.in, (std::vector<float>{2, 9}));
  Parsed reopened = Parse("{1,{2,3,}");
  EXPECT_EQ(reopened.in, (std::vector<float>{2}));
  Parsed longText = Parse("{" + std::string(5000, '1') + ",1,}{1,1,}");
  EXPECT_EQ(longText.in.size(), 1u);
}

TEST(CalibrationTables, AtMostThreeHundredPointsKeepFileOrder) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "{" + std::to_string(400 - i) + "," + std::to_string(i) + ",}";
  Parsed p = Parse(text);
  ASSERT_EQ(p.in.size(), 300u);
  EXPECT_EQ(p.in.front(), 400);
  EXPECT_EQ(p.in.back(), 101);
  EXPECT_EQ(p.out.back(), 299);
}

TEST(CalibrationTables, ReadsEveryChannelFileIntoItsRow) {
  TestEnv e;
  WriteText(e.paths.Resolve("\\TXTKALIB\\") + "/chan_001.txt", "{0,0,}{10,5,}");
  WriteText(e.paths.Resolve("\\TXTKALIB\\") + "/chan_128.txt", "{1,2,}{3,4,}{5,6,}");
  WriteText(e.paths.Resolve("\\TXTKALIB\\") + "/chan_002.txt", "no braces here");
  EXPECT_EQ(files::ReadKalibText(e.prog), 1);
  EXPECT_EQ(e.prog.TextKalib, 1);
  EXPECT_EQ(e.prog.KalibIn(0, 0), 2);
  EXPECT_EQ(e.prog.KalibIn(0, 1), 0);
  EXPECT_EQ(e.prog.KalibOut(1, 1), 5);
  EXPECT_EQ(e.prog.KalibOut(128, 2), 6);

  // Without files every channel loses its table.
  std::remove((e.paths.Resolve("\\TXTKALIB\\") + "/chan_001.txt").c_str());
  std::remove((e.paths.Resolve("\\TXTKALIB\\") + "/chan_002.txt").c_str());
  std::remove((e.paths.Resolve("\\TXTKALIB\\") + "/chan_128.txt").c_str());
  EXPECT_EQ(files::ReadKalibText(e.prog), 0);
  EXPECT_EQ(e.prog.TextKalib, 0);
  EXPECT_EQ(e.prog.KalibIn(0, 127), 0);
}

}  // namespace
