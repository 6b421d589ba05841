// The macro runner over real macro files and the real interpreter: statement
// syntax, REPEAT blocks, suspension and resume, check mode and interrupts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "macro/MacroRunner.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using platform::Answer;

class MacroRunnerTest : public ::testing::Test {
 protected:
  MacroRunnerTest() {
    p.DG.Simulation = 1;
    p.DoMess = 1;
  }
  ~MacroRunnerTest() override { macro::SetMacroTimerStep(p, nullptr); }

  std::string Put(const std::string& name, const std::string& text) {
    std::string path = env.paths.Resolve("\\MACRO\\") + "/" + name;
    testing_support::WriteText(path, text);
    return path;
  }
  int Run(const std::string& text) {
    Put("T.MAC", text);
    return macro::StartMacro(p, "T.MAC");
  }
  // The main timer's resume step.
  bool Resume() {
    if (!(p.MacGoing && p.MacStop && p.MacAgain) || p.DisplayLeft || p.TraceLeft) return false;
    p.MacStop = p.MacAgain = 0;
    if (p.PWait >= 0) p.PWait = -1;
    macro::GoMac(p);
    return true;
  }
  // Message boxes and questions that show general text `text` (at their start).
  int Messages(int text) const {
    int n = 0;
    for (const auto& shown : env.ui.Log())
      if (shown.text.rfind(state::Txt(p, text), 0) == 0 && (text != 211 || shown.kind == "message")) ++n;
    return n;
  }
  int Beeps() const { return env.ui.beeps_; }

  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(MacroRunnerTest, StatementsCommentsAndBlocksRunWhatTheyShould) {
  EXPECT_EQ(macro::StartMacro(p, "T.MAC"), 1);  // a missing file
  EXPECT_EQ(std::tuple(Messages(367), store::FieldText(p.Status)), std::tuple(1, state::Txt(p, 368)));

  std::string block60 = "REPEAT 2;\n";
  for (int i = 0; i < 60; ++i) block60 += "BEEP;";
  const struct {
    std::string text;
    int result, beeps, message;
  } cases[] = {
      // Statements end at ";"; text after the last one is dropped.
      {"BEEP; BEEP;\r\n  \n\tBEEP ; BEEP\n", 0, 3, 0},
      {"BEEPOFF; BEEP; BEEPON; BEEP;", 0, 2, 0},  // BEEPON's own and the second BEEP
      // A line without ";" ends the macro with an error, the last line too.
      {"BEEP;\nBEEP\nBEEP;\n", 1, 1, 371},
      {"BEEP;\nBEEP", 1, 1, 371},
      {"* BEEP; QW; # in a comment\nBEEP; * BEEP;\n   * only a comment\nBEEP;\n", 0, 2, 0},
      {"BEEP; # BEEP;\nBEEP;\n", 0, 1, 0},                  // # outside a comment ends the macro
      {"BEEP * no semicolon here;\n", 1, 0, 371},           // a ; inside a comment ends nothing
      {"BEEP;\nREPEAT 0;\nBEEP;\n", 0, 1, 0},               // REPEAT 0 ends the macro
      {"REPEAT 1;\nBEEP;\nBEEP;\nEND;\nBEEP;\n", 0, 2, 0},  // collects nothing; END ends the macro
      // Blocks do not nest: refused instead of running with the inner count.
      {"REPEAT 2;\nBEEP;\nREPEAT 3;\nBEEP;\nEND;\nEND;\n", 1, 0, 0},
      {block60 + "\nEND;\n", 0, 120, 0},  // a block holds sixty statements
      {block60 + "BEEP;\nEND;\n", 1, 0, 373},
  };
  for (const auto& c : cases) {
    env.ui.ClearLog();
    const int before = Beeps();
    EXPECT_EQ(Run(c.text), c.result) << c.text;
    EXPECT_EQ(Beeps() - before, c.beeps) << c.text;
    if (c.message) {
      EXPECT_EQ(Messages(c.message), 1) << c.text;
    }
    EXPECT_EQ(p.MacGoing, 0);
    EXPECT_EQ(store::FieldText(p.PG.MacroName), "");
    if (c.result == 0) {
      EXPECT_EQ(store::FieldText(p.MacroSt), state::Txt(p, 375));
    }
  }
}

TEST_F(MacroRunnerTest, SixtyCharacterStatementRunsWholeSixtyOneIsAnError) {
  const std::string name60(60 - 13, 'n');  // "IMPLICITNAME " + name = 60
  ASSERT_EQ(Run("IMPLICITNAME " + name60 + ";\n"), 0);
  EXPECT_EQ(store::FieldText(p.ImplicitName), name60) << "no character of the statement is lost";

  store::CopyText(p.ImplicitName, "kept");
  EXPECT_EQ(Run("IMPLICITNAME " + name60 + "x;\nBEEP;\n"), 1);
  EXPECT_EQ(Messages(370), 1);
  EXPECT_EQ(store::FieldText(p.ImplicitName), "kept");
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(MacroRunnerTest, RepeatHundredThousandSurvivesASuspensionPastTheInt16Counters) {
  int64_t steps = 0;
  macro::SetMacroTimerStep(p, [&] {
    if (++steps == 40000) p.MacStop = 1;  // as a run started by the statement would
  });
  EXPECT_EQ(Run("REPEAT 100000;\nBEEP;\nEND;\nBEEP;\n"), 0);
  EXPECT_EQ(p.MacGoing, 1);
  EXPECT_EQ(Beeps(), 40001) << "the step runs after the statement; the next one then sees MacStop";
  EXPECT_EQ(std::tuple(+p.PG.MacroStatement, +p.PG.MacroBlock), std::tuple(INT16_MAX, 1));
  p.MacAgain = 1;
  ASSERT_TRUE(Resume());
  EXPECT_EQ(std::tuple(Beeps(), p.MacGoing, +p.PG.MacroStatement), std::tuple(100001, 0, 0));
}

TEST_F(MacroRunnerTest, CheckModeOnlyLooksKeywordsUp) {
  Put("C.MAC", "BEEP;\nKONEC;\nDEFAULT;\nrepeat 2;\nWNAMEI;\nEND;\n");
  env.ui.Push(Answer::No);
  p.PG.WLCD = 7.0f;
  EXPECT_EQ(macro::CheckMacro(p, "C"), 0);
  EXPECT_EQ(std::tuple(Beeps(), p.W_NameInc[0]), std::tuple(0, 0));
  EXPECT_EQ(+p.PG.WLCD, 7.0f) << "DEFAULT was not executed";
  EXPECT_EQ(Messages(372), 1) << "only DEFAULT, which the table lacks";
  EXPECT_EQ(store::FieldText(p.MacroSt), state::Txt(p, 374));
  EXPECT_FALSE(macro::MacroCheckMode(p));
}

TEST_F(MacroRunnerTest, EscapeAsksAndYesStopsTheMacro) {
  int steps = 0;
  macro::SetMacroTimerStep(p, [&] {
    if (++steps == 1) env.ui.PressEscape();
  });
  env.ui.Push(Answer::No);
  EXPECT_EQ(Run("BEEP;\nBEEP;\nBEEP;\n"), 0);
  EXPECT_EQ(Beeps(), 3) << "No continues";
  EXPECT_EQ(Messages(380), 1);

  steps = 0;
  EXPECT_EQ(Run("BEEP;\nBEEP;\nBEEP;\n"), 1);  // the default answer is Yes
  EXPECT_EQ(std::tuple(Beeps(), p.MacStop), std::tuple(5, 0));
  EXPECT_NE(store::FieldText(p.Status).find(state::Txt(p, 377)), std::string::npos);
}

TEST_F(MacroRunnerTest, InterruptGomcAndARefusedStart) {
  macro::InsertMacro(p, "");
  EXPECT_EQ(Messages(378), 1);
  env.ui.Push(Answer::Yes);
  EXPECT_EQ(Run("BEEP;\nINMC;\nBEEP;\n"), 1);
  EXPECT_EQ(std::tuple(Beeps(), Messages(380)), std::tuple(1, 1));

  // GOMC inside a macro replaces it.
  env.ui.beeps_ = 0;
  std::string inner = Put("INNER.MAC", "WNAMEI;\nWNAMEI;\n");
  env.ui.Push(std::optional<std::string>(inner));
  EXPECT_EQ(Run("BEEP;\nGOMC;\nBEEP;\n"), 0);
  EXPECT_EQ(std::tuple(Beeps(), p.W_NameInc[0]), std::tuple(1, 2));

  // A macro is refused while a run is active.
  env.ui.beeps_ = 0;
  Put("T.MAC", "BEEP;\n");
  p.QW = 1;
  EXPECT_EQ(macro::StartMacro(p, "T.MAC"), 0);
  EXPECT_EQ(Messages(366), 1);
  EXPECT_EQ(p.QW, 1) << "the run's flags are left alone";
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(MacroRunnerTest, ResumeOfAVanishedFileAndExitEndTheMacro) {
  std::string path = Put("T.MAC", "BEEP;\nPWAIT 1;\nBEEP;\n");
  ASSERT_EQ(macro::StartMacro(p, "T.MAC"), 0);
  ASSERT_EQ(p.MacStop, 1);
  std::remove(path.c_str());
  macro::StopInputWait(p);
  ASSERT_TRUE(Resume());
  EXPECT_EQ(Messages(367), 1);
  EXPECT_EQ(p.PG.MacroName[0], '\0');

  // EXIT inside a macro ends the runner, which keeps its place.
  EXPECT_EQ(Run("BEEP;\nEXIT;\nBEEP;\n"), 0);
  EXPECT_EQ(std::tuple(Beeps(), p.MacGoing), std::tuple(2, 0));
}

TEST_F(MacroRunnerTest, CommandLineMacroIsArmedForTheNextTick) {
  Put("DEMO.MAC", "BEEP;\n");
  EXPECT_EQ(macro::StartMacroFromCommandLine(p, "nothing"), 0);
  EXPECT_EQ(std::tuple(Messages(367), p.MacGoing), std::tuple(1, 0));

  ASSERT_EQ(macro::StartMacroFromCommandLine(p, "demo"), 1) << "found case-insensitively, .MAC added";
  EXPECT_EQ(Beeps(), 0);
  ASSERT_TRUE(Resume());
  EXPECT_EQ(std::tuple(Beeps(), p.MacGoing), std::tuple(1, 0));

  std::string elsewhere = env.dir / "my macro.mac";
  testing_support::WriteText(elsewhere, "BEEP;BEEP;\n");
  ASSERT_EQ(macro::StartMacroFromCommandLine(p, elsewhere), 1);
  ASSERT_TRUE(Resume());
  EXPECT_EQ(Beeps(), 3);
}

}  // namespace
