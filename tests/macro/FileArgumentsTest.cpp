// Every keyword that names a file takes it by one rule: its own folder and
// extension for a bare word, "?" for its dialog, "I" for the implicit name.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "MacroTestSupport.h"
#include "files/FileArguments.h"
#include "macro/Executors.h"

namespace {

using testing_support::FileExists;

struct Row {
  const char* keywords;
  const char* folder;
  const char* ext;
} const kRows[] = {
    {"RW RWADD WW WWR DELW CHWREAD WPLUS WMINUS WCPLUS WCMINUS", "\\DATA\\", ".W"},
    {"RM WM WMR DELM MPLUS MMINUS MCPLUS MCMINUS", "\\DATA\\", ".M"},
    {"WWA DELWA", "\\DATA\\", ".WTX"},
    {"WMA DELMA", "\\DATA\\", ".MTX"},
    {"RJOB RJOBONLY WJOB WJOBONLY", "\\JOB\\", ".JOB"},
    {"MODIFY", "\\MODIFY\\", ".TXT"},
    {"ED EDMC GOMC GOIM PTA", "\\MACRO\\", ".MAC"},
};

TEST(FileArguments, EveryFileKeywordResolvesByTheOneRule) {
  macro_test::Env env;
  store::CopyText(env.prog.ImplicitName, "noname.w");
  size_t keywords = 0;
  for (const Row& r : kRows) {
    std::istringstream words(r.keywords);
    for (std::string keyword; words >> keyword; ++keywords) {
      SCOPED_TRACE(keyword);
      const std::string folder = r.folder;
      struct {
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
      for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        if (c.answer) env.ui.Push(*c.answer);
        macro::SetQueue(env.prog, c.line);
        std::string name;
        EXPECT_EQ(files::TakeFileArgument(env.prog, keyword, name) ? name : "", c.expected);
      }
    }
  }
  size_t count = 0;
  files::FileArguments(count);
  EXPECT_EQ(keywords, count);
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
  // A file of another shape is refused and the command answers failure.
  env.Run("WW shorter", &status);
  env.FillW({0}, 32);
  env.Run("WPLUS shorter", &status);
  EXPECT_EQ(status, macro::kFailed);
  EXPECT_FALSE(FileExists(env.dir / "myjob"));
  EXPECT_FALSE(FileExists(env.dir / "textexp"));

  // "?" without an answer is refused with a message; nothing is written.
  const int before = env.Messages();
  env.Run("WWA ?", &status);
  EXPECT_EQ(std::tuple(status, env.Messages()), std::tuple(macro::kStatementFailed, before + 1));
  for (const auto& e : std::filesystem::recursive_directory_iterator(env.dir.path()))
    EXPECT_EQ(e.path().filename().string().find('?'), std::string::npos) << e.path();
}

}  // namespace
