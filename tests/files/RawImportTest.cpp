// Raw 16-bit integer import: frames, the partial last frame, the prompts
// and questions, and the memory limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "files/RawImport.h"

namespace {

using platform::Answer;

class RawImport : public ::testing::Test {
 protected:
  RawImport() { datafile_test::FillStore(p, 1, {0, 1, 7}, 20); }
  std::string Put(const std::vector<uint8_t>& bytes) {
    testing_support::WriteBytes(env.dir / "DATA/in.bin", bytes);
    return env.dir / "DATA/in.bin";
  }
  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(RawImport, SevenBytesOfTwoChannelsAreTwoFrames) {
  env.ui.Push(int64_t(2));
  env.ui.Push(250.0);
  // 1, -2, 0x7FFF, then one odd byte; the missing half of the last frame is 0.
  ASSERT_EQ(files::Read_BIN_INTEGER(p, Put({0x01, 0x00, 0xFE, 0xFF, 0xFF, 0x7F, 0x55})), 1);
  EXPECT_EQ(std::tuple(p.HGW.ChannelCount, p.HGW.Length, p.HGW.ChannelOn[7]), std::tuple(2, 2, 0));
  EXPECT_FLOAT_EQ(p.FGW[1].Step, 0.004f);
  EXPECT_EQ(std::vector<float>(p.Waveform.get(), p.Waveform.get() + 4),
            (std::vector<float>{1, 32767, -2, 0}));
}

TEST_F(RawImport, CancelNoAndEmptyFilesChangeNothing) {
  datafile_test::Snapshot before(p);
  const std::string name = Put({1, 0, 2, 0});
  env.ui.Push(Answer::Cancel);  // channel prompt
  EXPECT_EQ(files::Read_BIN_INTEGER(p, name), 0);
  env.ui.Push(int64_t(1));
  env.ui.Push(Answer::Cancel);  // frequency prompt
  EXPECT_EQ(files::Read_BIN_INTEGER(p, name), 0);
  env.ui.Push(int64_t(1));
  env.ui.Push(100.0);
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::Read_BIN_INTEGER(p, name), 1);
  EXPECT_EQ(files::Read_BIN_INTEGER(p, Put({0x42})), 0);  // no whole value
  EXPECT_EQ(files::Read_BIN_INTEGER(p, env.dir / "DATA/none.bin"), 0);
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::Read_BIN_INTEGER(p, ""), 0);
  EXPECT_TRUE(datafile_test::Snapshot(p) == before);
}

TEST(RawImportMemory, PromptsAreClampedAndMemoryLimitsFrames) {
  testing_support::TestEnv small(128);
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 500; ++i) bytes.insert(bytes.end(), {uint8_t(i), uint8_t(i >> 8)});
  testing_support::WriteBytes(small.dir / "DATA/big.bin", bytes);
  small.ui.Push(int64_t(3));
  small.ui.Push(1e9);  // beyond 10000 Hz
  ASSERT_EQ(files::Read_BIN_INTEGER(small.prog, small.dir / "DATA/big.bin"), 1);
  EXPECT_EQ(small.prog.HGW.Length, 42);  // 128 / 3 frames
  EXPECT_FLOAT_EQ(small.prog.FGW[0].Step, 1.0f / 10000);
  EXPECT_FLOAT_EQ(small.prog.Waveform[2 * 42 + 41], float(3 * 41 + 2));
}

}  // namespace
