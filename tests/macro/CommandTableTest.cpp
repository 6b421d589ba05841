#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MacroTestSupport.h"
#include "macro/CheckMode.h"
#include "state/Messages.h"

namespace {

// Keywords that only the table knows (KONEC, CMOSTIME, OPTO_DELAY) pass a
// check but are unknown when run; DEFAULT and PROLONGD_2 run but fail a check.
TEST(CheckMode, AcceptsTheTableNotTheDispatcher) {
  macro_test::Env env;
  const store::PG_s before = env.prog.PG;
  for (const char* line : {"KONEC", "cmostime", "OPTO_DELAY", "WSIZE 99", "fft 3"}) {
    macro::SetQueue(env.prog, line);
    EXPECT_EQ(macro::ComInterpret(env.prog, true, nullptr), 1) << line;
    EXPECT_TRUE(macro::QueueEmpty(env.prog));
  }
  for (const char* line : {"DEFAULT", "PROLONGD_2", "NOSUCH"}) {
    macro::SetQueue(env.prog, line);
    EXPECT_EQ(macro::ComInterpret(env.prog, true, nullptr), 0) << line;
  }
  // Nothing was executed, nothing was said.
  EXPECT_EQ(env.prog.RefA().WLength, store::A0.WLength);
  EXPECT_EQ(std::memcmp(&before, &env.prog.PG, sizeof before), 0);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_FALSE(macro::InCheckMode(env.prog));
}

TEST(Dispatch, TableOnlyKeywordsAreUnknownWhenRunAndDispatcherOnlyOnesRun) {
  macro_test::Env env;
  for (const char* k : {"KONEC", "CMOSTIME", "OPTO_DELAY", "noSuch", ""}) {
    env.ui.ClearLog();
    int status = 7;
    EXPECT_EQ(env.Run(k, &status), 0) << k;
    EXPECT_EQ(status, -1);
    ASSERT_EQ(env.Messages(), 1) << k;
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(env.prog, 211));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(env.prog, 14));
  }
  env.prog.PG.Sound = 1;
  env.ui.ClearLog();
  EXPECT_EQ(env.Run("default"), 1);
  EXPECT_EQ(env.prog.PG.Sound, store::PG0.Sound);
  EXPECT_EQ(env.Messages(), 0);
}

TEST(Dispatch, ComInterpret1TakesOnlyUpperCaseKeywords) {
  macro_test::Env env;
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF"), 1);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "beepoff"), 0);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF "), 0);
  EXPECT_EQ(env.Messages(), 0) << "ComInterpret1 itself reports nothing";
}

}  // namespace
