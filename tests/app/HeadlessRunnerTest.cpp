#include <gtest/gtest.h>

#include <cerrno>
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
  for (const char* dirName : {"DATA", "JOB", "MACRO", "SETUP", "EXT", "FUNCTION", "MODIFY", "TXTKALIB"})
    EXPECT_TRUE(std::filesystem::is_directory(dir / dirName)) << dirName;
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
  EXPECT_EQ(parsed.root, "/x");
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

}  // namespace

namespace {

TEST(HeadlessRunner, DemonstrationMacroRecordsTransformsAndSavesUnderCountedNames) {
  testing_support::TempDir dir;
  std::filesystem::create_directories(dir / "MACRO");
  std::filesystem::copy_file(TARVELIN_SOURCE_DIR "/resources/macros/DEMO.MAC", dir / "MACRO/DEMO.MAC");
  app::HeadlessOptions o = Options(dir.path());
  o.macro = "demo";  // found whatever the case, with its extension added
  ASSERT_EQ(app::RunHeadless(o), 0);
  EXPECT_TRUE(FileExists(dir / "DATA/demo_000.w"));
  EXPECT_TRUE(FileExists(dir / "DATA/demo_000.WTX"));
  EXPECT_TRUE(FileExists(dir / "DATA/demo_001.w"));
  // Two channels of 1024 samples were recorded and saved.
  EXPECT_EQ(ReadBytes(dir / "DATA/demo_000.w").size(), 22u + 586u + 2u * (78u + 4u * 1024u));
}

TEST(HeadlessRunner, MacroThatFailsOrIsMissingGivesStatusOne) {
  testing_support::TempDir dir;
  std::filesystem::create_directories(dir / "MACRO");
  testing_support::WriteText(dir / "MACRO/BAD.MAC", "NOSUCHWORD;\n#\n");
  app::HeadlessOptions o = Options(dir.path());
  o.macro = "BAD";
  EXPECT_EQ(app::RunHeadless(o), 1);
  o.macro = "MISSING";
  EXPECT_EQ(app::RunHeadless(o), 1);
}

}  // namespace

namespace {

TEST(HeadlessRunner, MacroWaitsForAMeasurementRunAndSavesItsPoints) {
  testing_support::TempDir dir;
  std::filesystem::create_directories(dir / "MACRO");
  testing_support::WriteText(
      dir / "MACRO/QM.MAC", "SIMON;\nMSIZE 20;\nMPER 0.01;\nMRCOFF;\nMSVON;\nQM;\nWM \\DATA\\POINTS.M;\n#\n");
  app::HeadlessOptions o = Options(dir.path());
  o.macro = "QM";
  ASSERT_EQ(app::RunHeadless(o), 0);
  // One channel of the 20 points taken while the macro waited.
  EXPECT_EQ(ReadBytes(dir / "DATA/POINTS.M").size(), 22u + 586u + 78u + 4u * 20u);
}

}  // namespace

namespace {

// Work files that cannot be saved (here a target that is a folder, which
// even root cannot write over) are named with the reason, the others are
// saved, and the run ends with status 1.
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
