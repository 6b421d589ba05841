// DELAY, the digital input wait, the editor call, the help files and the
// demonstration macros that ship with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "macro/HelpFiles.h"
#include "macro/MacroEditor.h"
#include "macro/MacroReader.h"
#include "macro/MacroRunner.h"
#include "platform/PosixProcess.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using platform::Answer;

struct MacroToolsTest : ::testing::Test {
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(MacroToolsTest, DelayWaitsItsTenthsUnlessInputArrives) {
  uint32_t start = env.clock.TickMs();
  macro::MacroDelay(p, 50);
  EXPECT_EQ(env.clock.TickMs() - start, 5000u);
  EXPECT_EQ(env.ui.Cursor(), "") << "the wait cursor is taken back";

  start = env.clock.TickMs();
  macro::MacroDelay(p, 0);
  EXPECT_EQ(env.clock.TickMs() - start, 100u) << "clamped to the prompt's 1..30000";

  env.ui.PressEscape();
  start = env.clock.TickMs();
  macro::MacroDelay(p, 30000);
  EXPECT_EQ(env.clock.TickMs() - start, 0u);
}

TEST_F(MacroToolsTest, EditStartsTheEditorWithTheNameIntact) {
  platform::RecordingProcess process;
  p.plat.process = &process;
  const std::string chosen = env.dir / "MACRO/my \"odd\" $name;rm -rf.txt";
  env.ui.Push(std::optional<std::string>(chosen));
  ASSERT_EQ(macro::Edit(p, 0), 1);
  ASSERT_EQ(process.Started().size(), 1u);
  const std::vector<std::string> expected{state::Txt(p, 5), env.dir / "MACRO/my \"odd\" $name;rm -rf.MAC"};
  EXPECT_EQ(process.Started()[0], expected);
  EXPECT_EQ(env.ui.lastFileRequest.mask, "*.MAC");

  // EDMC starts from and remembers the WG name; an extension in another case is kept.
  store::CopyText(p.WG.MacroFile, "/old/place/RUN1.MAC");
  env.ui.Push(std::optional<std::string>(env.dir / "MACRO/run2.mac"));
  ASSERT_EQ(macro::Edit(p, 1), 1);
  EXPECT_EQ(env.ui.lastFileRequest.name, "RUN1.MAC");
  EXPECT_EQ(process.Started()[1][1], env.dir / "MACRO/run2.mac");
  EXPECT_EQ(store::FieldText(p.WG.MacroFile), env.dir / "MACRO/run2.mac");

  EXPECT_EQ(macro::Edit(p, 0), -1) << "a cancelled dialog starts nothing";
  EXPECT_EQ(process.Started().size(), 2u);

  process.SetResult(false);
  env.ui.Push(std::optional<std::string>(env.dir / "MACRO/x"));
  EXPECT_EQ(macro::Edit(p, 0), 0);
  EXPECT_EQ(env.ui.Log().back().kind, "message");
}

TEST_F(MacroToolsTest, EveryHelpFileShipsAndReadsWithPlainLineEnds) {
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18}) {
    std::string text;
    ASSERT_EQ(macro::LoadHelpText(p, n, text), 1) << macro::HelpFileName(n);
    EXPECT_GT(text.size(), 200u) << macro::HelpFileName(n);
  }
  EXPECT_EQ(macro::HelpFileName(12), nullptr);

  // A copy in the program folder wins over the installed one.
  testing_support::WriteText(env.dir / "mainhelp.txt", "line 1\r\nline 2\r\n");
  std::string text;
  ASSERT_EQ(macro::LoadHelpText(p, 2, text), 1);
  EXPECT_EQ(text, "line 1\nline 2\n");
  ASSERT_EQ(macro::ShowHelpText(p, 2), 1);
  EXPECT_EQ(env.ui.Log().back().kind, "long");

  EXPECT_EQ(macro::LoadHelpText(p, 13, text), 0);
  EXPECT_EQ(env.ui.Log().back().kind, "message");
}

TEST_F(MacroToolsTest, DemonstrationMacrosPassTheCheckMode) {
  const std::filesystem::path folder = std::filesystem::path(TARVELIN_SOURCE_DIR) / "resources/macros";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".MAC") continue;
    env.ui.ClearLog();
    EXPECT_EQ(macro::CheckMacro(p, entry.path().string()), 0) << entry.path();
    for (const auto& shown : env.ui.Log()) ADD_FAILURE() << entry.path() << ": " << shown.text;
    EXPECT_EQ(store::FieldText(p.MacroSt), state::Txt(p, 374));
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

}  // namespace
