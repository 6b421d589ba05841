#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/CalibrationTables.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace {

// The input values parsed, into buffers one larger than allowed to catch a
// write past the limit; the output values land in `out`.
std::vector<float> Parse(const std::string& text, std::vector<float>* outValues = nullptr) {
  std::vector<float> in(301, -999.0f), out(301, -999.0f);
  int n = files::ParseCalibrationText(text, in.data(), out.data(), 300);
  EXPECT_EQ(std::tuple(in[300], out[300]), std::tuple(-999.0f, -999.0f));
  in.resize(size_t(n));
  out.resize(size_t(n));
  if (outValues) *outValues = out;
  return in;
}

TEST(CalibrationTables, PointsAreTakenAtTheirCommas) {
  // The output value is taken only when its "," is reached; bad values skip their point.
  using V = std::vector<float>;
  for (auto [text, want] : {std::pair<std::string, V>{"0,0, 10,5,", {}},
                            {"", {}},
                            {"{1,2}", {}},
                            {"{1,2,", {}},
                            {"{1,x,}{2,3,}{4,,}{5,6abc,}{7,nan,}{8,1e99,}{9,9,}", {2, 9}},
                            {"{1,{2,3,}", {2}},
                            {"{" + std::string(5000, '1') + ",1,}{1,1,}", {1}}})
    EXPECT_EQ(Parse(text), want) << text.substr(0, 40);
  V out;
  EXPECT_EQ(Parse("table 1\n{ -1.5 , 2e1 ,}\r\n# note, with comma\n{3,4,}x", &out), (V{-1.5f, 3}));
  EXPECT_EQ(out, (V{20, 4}));
  // At most 300 points, in file order.
  std::string text;
  for (int i = 0; i < 400; ++i) text += "{" + std::to_string(400 - i) + "," + std::to_string(i) + ",}";
  V in = Parse(text, &out);
  ASSERT_EQ(in.size(), 300u);
  EXPECT_EQ(std::tuple(in.front(), in.back(), out.back()), std::tuple(400.0f, 101.0f, 299.0f));
}

TEST(CalibrationTables, ReadsEveryChannelFileIntoItsRow) {
  testing_support::TestEnv e;
  const std::string dir = e.paths.Resolve("\\TXTKALIB\\");
  const std::pair<const char*, const char*> files[] = {{"/chan_001.txt", "{0,0,}{10,5,}"},
                                                       {"/chan_128.txt", "{1,2,}{3,4,}{5,6,}"},
                                                       {"/chan_002.txt", "no braces here"}};
  for (auto [name, text] : files) testing_support::WriteText(dir + name, text);
  EXPECT_EQ(files::ReadKalibText(e.prog), 1);
  EXPECT_EQ(std::tuple(e.prog.TextKalib, e.prog.KalibIn(0, 0), e.prog.KalibIn(0, 1), e.prog.KalibOut(1, 1),
                       e.prog.KalibOut(128, 2)),
            std::tuple(1, 2.0f, 0.0f, 5.0f, 6.0f));
  // Without files every channel loses its table.
  for (auto [name, text] : files) std::remove((dir + name).c_str());
  EXPECT_EQ(files::ReadKalibText(e.prog), 0);
  EXPECT_EQ(std::tuple(e.prog.TextKalib, e.prog.KalibIn(0, 127)), std::tuple(0, 0.0f));
}

}  // namespace
