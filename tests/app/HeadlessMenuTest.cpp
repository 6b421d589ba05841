// Imports run by the headless program through --menu and --file, saved by the command words.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "app/HeadlessRunner.h"
#include "files/DataFileUser.h"
#include "support/TestSupport.h"

namespace {

using testing_support::FileExists;
using testing_support::TempDir;
using testing_support::TestEnv;

// The program's exit status for the arguments, its messages in `log`.
int Tarvelin(const TempDir& dir, const std::string& args) {
  const std::string command = std::string(TARVELIN_PROGRAM) + " --headless --root " + dir.path() + " " +
                              args + " >" + dir / "log" + " 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The stored file read back into a fresh program: channel c, sample k.
struct ReadBack {
  explicit ReadBack(const std::string& path) {
    ok = files::ReadDataFile(env.prog, path, store::Store::W, false) == 1;
  }
  float At(int c, int k) const {
    return env.prog.Waveform[size_t(c) * size_t(env.prog.HGW.Length) + size_t(k)];
  }
  TestEnv env;
  bool ok = false;
};

TEST(HeadlessMenu, TwoChannelWavIsImportedAndSaved) {
  TempDir dir;
  // 16-bit stereo at 8000 Hz, frames (k, -2k) for k = 0..4, an odd chunk before the format.
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0,   0,   0,    0,    'W', 'A', 'V', 'E',  'L', 'I',
                            'S', 'T', 1,   0,   0,   0,   'x',  0,    'f', 'm', 't', ' ',  16,  0,
                            0,   0,   1,   0,   2,   0,   0x40, 0x1F, 0,   0,   0,   0x7D, 0,   0,
                            4,   0,   16,  0,   'd', 'a', 't',  'a',  20,  0,   0,   0};
  for (int k = 0; k < 5; ++k)
    for (int v : {k, -2 * k}) b.insert(b.end(), {uint8_t(v), uint8_t(uint16_t(v) >> 8)});
  testing_support::WriteBytes(dir / "in.wav", b);
  ASSERT_EQ(Tarvelin(dir, "--no-save --menu 391 --file " + dir / "in.wav" + " WW out"), 0);
  ReadBack r(dir / "DATA/out.W");
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.env.prog.HGW.ChannelCount, 2);
  ASSERT_EQ(r.env.prog.HGW.Length, 5);
  EXPECT_FLOAT_EQ(r.env.prog.FGW[1].Step, 1.0f / 8000);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(std::tuple(r.At(0, k), r.At(1, k)), std::tuple(float(k), float(-2 * k)));
  }
}

TEST(HeadlessMenu, TextColumnsAreImportedAndSaved) {
  TempDir dir;
  testing_support::WriteText(dir / "in.txt", "\xEF\xBB\xBFtime volts\n0 1,5\n0.01 -2.25e1\n0.02 3\n");
  ASSERT_EQ(Tarvelin(dir, "--no-save --menu 312 --file " + dir / "in.txt" + " WW cols"), 0);
  ReadBack r(dir / "DATA/cols.W");
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.env.prog.HGW.ChannelCount, 2);
  ASSERT_EQ(r.env.prog.HGW.Length, 3);
  const float expected[2][3] = {{0.0f, 0.01f, 0.02f}, {1.5f, -22.5f, 3.0f}};
  for (int c = 0; c < 2; ++c)
    for (int k = 0; k < 3; ++k) EXPECT_EQ(r.At(c, k), expected[c][k]) << c << "," << k;
}

TEST(HeadlessMenu, UsageAndFileErrors) {
  TempDir dir;
  EXPECT_EQ(Tarvelin(dir, "--menu 9999"), 2);
  EXPECT_EQ(Tarvelin(dir, "--menu 39x"), 2);
  EXPECT_EQ(Tarvelin(dir, "--file a.wav --menu 391"), 2);
  // A missing file, or none for the dialog: status 1, the command words not run.
  EXPECT_EQ(Tarvelin(dir, "--no-save --menu 391 --file " + dir / "missing.wav" + " WW out"), 1);
  EXPECT_EQ(Tarvelin(dir, "--no-save --menu 391 WW out"), 1);
  EXPECT_FALSE(FileExists(dir / "DATA/out.W"));
  // A path nothing asked for is an error too.
  EXPECT_EQ(Tarvelin(dir, "--no-save --menu 156 --file " + dir / "log"), 1);
}

}  // namespace
