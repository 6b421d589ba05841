// Every keyword that names a file takes it by one rule: its own folder and
// extension for a bare word, "?" for its dialog, "I" for the implicit name.
#include <gtest/gtest.h>

#include <filesystem>

#include "MacroTestSupport.h"
#include "macro/Executors.h"
#include "files/FileArguments.h"

namespace {

using testing_support::FileExists;

struct Row {
  const char* keyword;
  const char* folder;
  const char* ext;
};

constexpr Row kRows[] = {
    {"RW", "\\DATA\\", ".W"},        {"RWADD", "\\DATA\\", ".W"},     {"WW", "\\DATA\\", ".W"},
    {"WWR", "\\DATA\\", ".W"},       {"RM", "\\DATA\\", ".M"},        {"WM", "\\DATA\\", ".M"},
    {"WMR", "\\DATA\\", ".M"},       {"WWA", "\\DATA\\", ".WTX"},     {"WMA", "\\DATA\\", ".MTX"},
    {"RJOB", "\\JOB\\", ".JOB"},     {"RJOBONLY", "\\JOB\\", ".JOB"}, {"WJOB", "\\JOB\\", ".JOB"},
    {"WJOBONLY", "\\JOB\\", ".JOB"}, {"DELW", "\\DATA\\", ".W"},      {"DELM", "\\DATA\\", ".M"},
    {"DELWA", "\\DATA\\", ".WTX"},   {"DELMA", "\\DATA\\", ".MTX"},   {"MODIFY", "\\MODIFY\\", ".TXT"},
    {"CHWREAD", "\\DATA\\", ".W"},   {"WPLUS", "\\DATA\\", ".W"},     {"WMINUS", "\\DATA\\", ".W"},
    {"WCPLUS", "\\DATA\\", ".W"},    {"WCMINUS", "\\DATA\\", ".W"},   {"MPLUS", "\\DATA\\", ".M"},
    {"MMINUS", "\\DATA\\", ".M"},    {"MCPLUS", "\\DATA\\", ".M"},    {"MCMINUS", "\\DATA\\", ".M"},
    {"ED", "\\MACRO\\", ".MAC"},     {"EDMC", "\\MACRO\\", ".MAC"},   {"GOMC", "\\MACRO\\", ".MAC"},
    {"GOIM", "\\MACRO\\", ".MAC"},   {"PTA", "\\MACRO\\", ".MAC"},
};

TEST(FileArguments, EveryFileKeywordResolvesByTheOneRule) {
  size_t count = 0;
  files::FileArguments(count);
  EXPECT_EQ(count, std::size(kRows));
  macro_test::Env env;
  store::CopyText(env.prog.ImplicitName, "noname.w");
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.keyword);
    ASSERT_NE(files::FindFileArgument(r.keyword), nullptr);
    const std::string folder = r.folder;
    struct Case {
      const char* line;
      std::optional<std::optional<std::string>> answer;  // a scripted dialog answer
      std::string expected;                              // empty: refused
    } cases[] = {
        {"x", {}, folder + "x" + r.ext},
        {"x.abc rest", {}, folder + "x.abc"},
        {"sub/x.abc", {}, "sub/x.abc"},
        {"Input", {}, folder + "Input" + r.ext},  // only "I" alone is the implicit name
        {"I", {}, folder + "noname.w"},
        {"?", std::optional<std::string>("/abs/y"), "/abs/y" + std::string(r.ext)},
        {"", std::optional<std::string>("z.q"), folder + "z.q"},
        {"?", std::optional<std::string>(), ""},
        {"?", {}, ""},  // headless without an answer: nothing is chosen
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.line);
      if (c.answer) env.ui.Push(*c.answer);
      macro::SetQueue(env.prog, c.line);
      std::string name = "unchanged";
      const int got = files::TakeFileArgument(env.prog, r.keyword, name);
      EXPECT_EQ(got, c.expected.empty() ? 0 : 1);
      if (got) {
        EXPECT_EQ(name, c.expected);
      }
    }
    EXPECT_EQ(macro::QueueText(env.prog), "");
  }
}

TEST(FileArguments, KeywordsWriteInTheirFoldersAndNeverAFileNamedQuestionMark) {
  macro_test::Env env;
  env.FillW({0}, 16);
  int status = 9;
  env.Run("WJOB myjob", &status);
  EXPECT_EQ(status, macro::kDone);
  EXPECT_TRUE(FileExists(env.dir / "JOB/myjob.JOB"));
  EXPECT_TRUE(FileExists(env.dir / "JOB/myjob.CAL"));
  env.Run("WWA textexp", &status);
  EXPECT_EQ(status, macro::kDone);
  EXPECT_TRUE(FileExists(env.dir / "DATA/textexp.WTX"));
  EXPECT_FALSE(FileExists(env.dir / "myjob"));
  EXPECT_FALSE(FileExists(env.dir / "textexp"));

  // "?" without an answer is refused with a message; nothing is written.
  for (const char* line : {"WWA ?", "WJOB ?", "WW ?", "WPLUS ?"}) {
    SCOPED_TRACE(line);
    const int before = env.Messages();
    env.Run(line, &status);
    EXPECT_EQ(status, macro::kStatementFailed);
    EXPECT_EQ(env.Messages(), before + 1);
  }
  for (const auto& e : std::filesystem::recursive_directory_iterator(env.dir.path()))
    EXPECT_EQ(e.path().filename().string().find('?'), std::string::npos) << e.path();
}

}  // namespace
