#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include "MacroTestSupport.h"
#include "macro/CheckMode.h"
#include "macro/CommandTable.h"
#include "state/Messages.h"

namespace {

std::set<std::string> TableSet() {
  std::set<std::string> s;
  for (size_t i = 0; macro::Commands[i]; ++i) s.insert(macro::Commands[i]);
  return s;
}

std::set<std::string> DispatchSet() {
  std::set<std::string> s;
  for (size_t i = 0; i < macro::DispatchCount(); ++i) s.insert(macro::DispatchKeyword(i));
  return s;
}

TEST(CommandTable, HoldsDistinctUpperCaseKeywordsEndedByNull) {
  size_t n = 0;
  while (macro::Commands[n]) ++n;
  EXPECT_EQ(n, 166u);
  EXPECT_EQ(TableSet().size(), 166u) << "a keyword stands twice";
  for (size_t i = 0; i < n; ++i) {
    std::string k = macro::Commands[i];
    EXPECT_TRUE(std::none_of(k.begin(), k.end(), [](unsigned char c) { return std::islower(c); })) << k;
  }
}

TEST(CommandTable, DiffersFromTheDispatcherByExactlyFiveKeywords) {
  std::set<std::string> table = TableSet(), dispatch = DispatchSet();
  EXPECT_EQ(macro::DispatchCount(), 165u);
  EXPECT_EQ(dispatch.size(), 165u);
  std::set<std::string> onlyTable, onlyDispatch;
  std::set_difference(table.begin(), table.end(), dispatch.begin(), dispatch.end(),
                      std::inserter(onlyTable, onlyTable.end()));
  std::set_difference(dispatch.begin(), dispatch.end(), table.begin(), table.end(),
                      std::inserter(onlyDispatch, onlyDispatch.end()));
  EXPECT_EQ(onlyTable, (std::set<std::string>{"KONEC", "CMOSTIME", "OPTO_DELAY"}));
  EXPECT_EQ(onlyDispatch, (std::set<std::string>{"DEFAULT", "PROLONGD_2"}));
}

TEST(CommandTable, DispatchRunsInTheListedOrder) {
  const char* head[] = {"ED", "EDMC", "FUN", "PTW", "PTM", "PTA", "PTMC", "RW", "RWADD", "WW"};
  for (size_t i = 0; i < std::size(head); ++i) EXPECT_STREQ(macro::DispatchKeyword(i), head[i]);
  EXPECT_STREQ(macro::DispatchKeyword(macro::DispatchCount() - 1), "JUMP_OFF");
  EXPECT_EQ(macro::DispatchKeyword(macro::DispatchCount()), nullptr);
  // A few fixed points in the middle of the list.
  auto pos = [](const char* k) {
    for (size_t i = 0; i < macro::DispatchCount(); ++i)
      if (std::string(macro::DispatchKeyword(i)) == k) return int(i);
    return -1;
  };
  EXPECT_LT(pos("DISPLFAST"), pos("DEFAULT"));
  EXPECT_LT(pos("DEFAULT"), pos("HADD"));
  EXPECT_LT(pos("CHWUNIT"), pos("CHWDIV"));
  EXPECT_LT(pos("PROLONG_2"), pos("PROLONGD_2"));
}

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
