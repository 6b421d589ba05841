#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::TempDir;

int Tarvelin(const TempDir& dir, const std::string& args) {
  // Without a runtime directory: Qt must not complain, and the one made in TMPDIR goes at the exit.
  std::filesystem::create_directories(dir / "tmp");
  const std::string command = "env -u XDG_RUNTIME_DIR TMPDIR=" + dir / "tmp " +
                              std::string(TARVELIN_PROGRAM) + " --headless --no-save --root " + dir.path() +
                              " " + args + " >" + dir / "log" + " 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Page objects of a PDF file ("/Type /Page", not the "/Pages" tree).
int Pages(const std::string& path) {
  const std::vector<uint8_t> b = testing_support::ReadBytes(path);
  const std::string s(b.begin(), b.end());
  const std::regex page("/Type\\s*/Page[^s]");
  return int(std::distance(std::sregex_iterator(s.begin(), s.end(), page), std::sregex_iterator()));
}

TEST(HeadlessPrint, MacroPrintsGraphsAndTextIntoPdfFiles) {
  TempDir dir;
  std::filesystem::create_directories(dir / "MACRO");
  testing_support::WriteText(dir / "MACRO/P.MAC", "DW;\nPTW 1;\nPTA T.MAC;\nPTW 200;\n");
  testing_support::WriteText(dir / "MACRO/T.MAC", "DW;\nPTW 1;\n");
  // The last statement names no channel: the run reports the failure.
  EXPECT_EQ(Tarvelin(dir, "--macro P --print-to " + dir / "out.pdf"), 1);
  EXPECT_EQ(Pages(dir / "out.pdf"), 1);
  EXPECT_EQ(Pages(dir / "out_2.pdf"), 1);
  EXPECT_FALSE(testing_support::FileExists(dir / "out_3.pdf"));
  const std::vector<uint8_t> log = testing_support::ReadBytes(dir / "log");
  EXPECT_EQ(std::string(log.begin(), log.end()).find("XDG_RUNTIME_DIR"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "tmp"));
}

TEST(HeadlessPrint, MenuItemsWriteCountedFilesInTheDataFolder) {
  TempDir dir;
  // The first start shows the demonstration windows of both stores.
  ASSERT_EQ(Tarvelin(dir, "--menu 318 --menu 320"), 0);
  EXPECT_EQ(Pages(dir / "DATA/PRINT_001.pdf"), 1);
  EXPECT_GE(Pages(dir / "DATA/PRINT_002.pdf"), 2);
}

}  // namespace
