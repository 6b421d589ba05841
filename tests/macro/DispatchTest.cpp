#include <gtest/gtest.h>

#include <tuple>

#include "MacroTestSupport.h"
#include "state/Messages.h"

namespace {

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
  EXPECT_EQ(std::tuple(env.prog.PG.Sound, env.Messages()), std::tuple(store::PG0.Sound, 0));
  // ComInterpret1 takes only upper-case keywords.
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF"), 1);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "beepoff"), 0);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF "), 0);
  EXPECT_EQ(env.Messages(), 0) << "ComInterpret1 itself reports nothing";
}

}  // namespace
