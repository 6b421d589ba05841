#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/HeadlessRunner.h"
#include "support/TestSupport.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadBytes;

const char* kWorkSet[] = {"DATA/WORK_W.W",    "DATA/WORK_M.M", "JOB/WORK.JOB",
                          "JOB/WORK_FIX.JOB", "JOB/WORK.BLK",  "JOB/WORK.CAL",
                          "JOB/WORK.FUN",     "JOB/WORK.PRT",  "JOB/WORK.COL"};

app::HeadlessOptions Options(const std::string& root) {
  app::HeadlessOptions o;
  o.root = root;
  o.resources = TARVELIN_SOURCE_DIR "/resources";
  o.echo = false;
  return o;
}

TEST(HeadlessRunner, EmptyFolderStartsAndASecondRunWritesTheSameBytes) {
  testing_support::TempDir dir;
  ASSERT_EQ(app::RunHeadless(Options(dir.path())), 0);
  std::vector<std::vector<uint8_t>> first;
  for (const char* f : kWorkSet) {
    ASSERT_TRUE(FileExists(dir / f)) << f;
    first.push_back(ReadBytes(dir / f));
  }
  ASSERT_EQ(app::RunHeadless(Options(dir.path())), 0);
  for (size_t i = 0; i < std::size(kWorkSet); ++i)
    EXPECT_EQ(ReadBytes(dir / kWorkSet[i]), first[i]) << kWorkSet[i];
}

TEST(HeadlessRunner, NoSaveWritesNothingAndUsageErrorsAreRefused) {
  testing_support::TempDir dir;
  app::HeadlessOptions o = Options(dir.path());
  o.save = false;
  ASSERT_EQ(app::RunHeadless(o), 0);
  EXPECT_FALSE(FileExists(dir / "DATA/WORK_W.W"));

  app::HeadlessOptions parsed;
  std::string error;
  EXPECT_TRUE(app::ParseHeadlessArguments({"--headless", "--root", "/x", "--answer", "no", "A", "B", "C"},
                                          parsed, error));
  EXPECT_EQ(parsed.answer, platform::Answer::No);
  EXPECT_EQ(parsed.words, (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(app::ParseHeadlessArguments({"--answer", "maybe"}, parsed, error));
  EXPECT_FALSE(app::ParseHeadlessArguments({"--root"}, parsed, error));
  EXPECT_FALSE(app::ParseHeadlessArguments({"--bogus"}, parsed, error));
}

TEST(HeadlessRunner, MissingGeneralTextsEndTheProgramWithAnError) {
  testing_support::TempDir dir;
  app::HeadlessOptions o = Options(dir.path());
  o.resources = dir / "nowhere";
  EXPECT_EQ(app::RunHeadless(o), 1);
  EXPECT_FALSE(FileExists(dir / "DATA/WORK_W.W"));
}

std::string VirtualCardLibrary() {
  const char* env = ::getenv("TARVELIN_DRIVER");
  if (env && *env) return env;
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "libduziv_daq01.so";
}

// The exit status says whether everything the macro asked for was done.
TEST(HeadlessRunner, EveryKindOfFailureGivesStatusOne) {
  struct Case {
    const char* name;
    const char* macro;
    const char* fail;  // DUZIV_VIRTUAL_FAIL, or nullptr for the simulation
    int status;
  };
  const Case cases[] = {
      {"everything done", "SIMON; WSIZE 64; QW; WW \\DATA\\OK.W;", nullptr, 0},
      {"a statement that failed", "SIMON; WWR 100;", nullptr, 1},
      {"a statement refused for its arguments", "CHWCOPY 300,1;", nullptr, 1},
      {"an unknown keyword", "NOSUCHWORD;\n#\n", nullptr, 1},
      {"a record taken on the emulated card", "SIMOFF; WSIZE 64; QW; WW \\DATA\\CARD.W;", "", 0},
      {"the driver failing during a run", "SIMOFF; WSIZE 64; QW;", "Td_Start_Acquisition:-77", 1},
  };
  const std::string library = VirtualCardLibrary();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.fail && !FileExists(library)) continue;  // the virtual card is not built
    testing_support::TempDir dir;
    std::filesystem::create_directories(dir / "MACRO");
    testing_support::WriteText(dir / "MACRO/T.MAC", c.macro);
    ::setenv("TARVELIN_DRIVER", library.c_str(), 1);
    ::setenv("DUZIV_VIRTUAL_FAST", "1", 1);
    if (c.fail && *c.fail) ::setenv("DUZIV_VIRTUAL_FAIL", c.fail, 1);
    app::HeadlessOptions o = Options(dir.path());
    o.macro = "T";
    EXPECT_EQ(app::RunHeadless(o), c.status);
    if (c.status == 0) {
      EXPECT_TRUE(FileExists(dir / (c.fail ? "DATA/CARD.W" : "DATA/OK.W")));
    }
    ::unsetenv("DUZIV_VIRTUAL_FAIL");
  }
  testing_support::TempDir dir;
  app::HeadlessOptions o = Options(dir.path());
  o.macro = "MISSING";
  EXPECT_EQ(app::RunHeadless(o), 1);
}

// SIGTERM during an endless run: the exit writes whole work files, status 1.
TEST(HeadlessRunner, TerminationStopsTheRunAndSavesTheWorkFiles) {
  testing_support::TempDir dir;
  std::filesystem::create_directories(dir / "MACRO");
  testing_support::WriteText(dir / "MACRO/T.MAC", "SIMON; WSIZE 256; WRCON; QW; BEEP;");
  std::filesystem::create_directories(dir / "DATA");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    app::HeadlessOptions o = Options(dir.path());
    o.macro = "T";
    ::_exit(app::RunHeadless(o));
  }
  // Wait until the run is under way (the first tick has written nothing yet).
  ::usleep(600 * 1000);
  ::kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  // The waveform work file holds the 256-sample record whole.
  EXPECT_EQ(ReadBytes(dir / "DATA/WORK_W.W").size(), 22u + 586u + 78u + 4u * 256u);
  for (const char* f : kWorkSet) EXPECT_TRUE(FileExists(dir / f)) << f;
}

// A work file that cannot be saved (a folder, which even root cannot write over) is named with the
// reason, the others are saved, and the status is 1.
TEST(HeadlessRunner, ExitNamesTheWorkFilesItCouldNotSaveAndFails) {
  testing_support::TempDir dir;
  ASSERT_EQ(app::RunHeadless(Options(dir.path())), 0);
  const std::vector<uint8_t> measurement = ReadBytes(dir / "DATA/WORK_M.M");
  std::filesystem::remove(dir / "DATA/WORK_W.W");
  std::filesystem::create_directories(dir / "DATA/WORK_W.W/inner");
  app::HeadlessOptions o = Options(dir.path());
  o.echo = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(app::RunHeadless(o), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("WORK_W.W: " + std::string(std::strerror(EISDIR))), std::string::npos) << said;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "DATA/WORK_W.W/inner"));
  EXPECT_EQ(ReadBytes(dir / "DATA/WORK_M.M"), measurement);
}

}  // namespace
