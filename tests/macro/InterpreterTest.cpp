#include <gtest/gtest.h>

#include <tuple>

#include "MacroTestSupport.h"
#include "files/DataFileNames.h"
#include "macro/Executors.h"
#include "platform/PosixProcess.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"

namespace {

using macro_test::Env;

int CountSent(const Env& env, int code) {
  int n = 0;
  for (const auto& m : env.sent) n += m.first == code ? 1 : 0;
  return n;
}

TEST(FileCommands, AMacroWithoutNameOrDialogFailsTheStatementAndWritesNothing) {
  Env env(4096);
  env.FillW({0}, 16);
  int status = 1;
  // Known keywords that failed: no "unknown command" question, but each is
  // kept as a failed statement.
  for (const char* line : {"WW", "RW ?", "DELW"}) {
    EXPECT_EQ(env.RunInMacro(line, &status), 1);
    EXPECT_EQ(status, -1) << line;
  }
  EXPECT_EQ(env.ui.Count("WW"), 1);
  EXPECT_EQ(env.prog.HGW.Length, 16);
  const auto& failed = macro::FailedStatementList(env.prog);
  EXPECT_EQ(failed.count, 3);
  EXPECT_EQ(failed.shown.at(1), "RW ?");
}

TEST(FileCommands, MacroNamesAreCountedAndUsed) {
  Env env(4096);
  env.FillW({1}, 16);
  env.prog.MacGoing = 1;
  EXPECT_EQ(env.Run("WNAME Wave_041.w"), 1);
  EXPECT_EQ(env.Run("WNAMEI"), 1);
  EXPECT_EQ(files::MacroName(env.prog, store::Store::W), "Wave_042.w");
  EXPECT_EQ(env.Run("WW"), 1);
  EXPECT_TRUE(testing_support::FileExists(env.paths.Resolve("\\DATA\\Wave_042.w")));
  EXPECT_EQ(env.Run("WNAME test"), 1);
  EXPECT_EQ(files::MacroName(env.prog, store::Store::W), "test.w");
  EXPECT_EQ(env.prog.W_NameInc[0], 0);
  EXPECT_EQ(env.Run("WNAME_INDX 16"), 1) << "refused, the macro goes on";
  EXPECT_EQ(env.prog.W_NameIndx, -1);
  env.prog.MacGoing = 0;
}

TEST(Processing, FftTakesOneOrEveryChannelOrAsks) {
  Env env;
  env.FillW({0, 1, 2}, 64);
  EXPECT_EQ(env.RunInMacro("fft 2"), 1);
  EXPECT_FALSE(env.prog.WFreq[0]);
  EXPECT_TRUE(env.prog.WFreq[1]);
  EXPECT_EQ(env.RunInMacro("FFT 0"), 1);
  EXPECT_TRUE(env.prog.WFreq[0] && env.prog.WFreq[2]);
  EXPECT_EQ(env.Prompts() + env.Questions(), 0) << "no question inside a macro";
  // A channel beyond the store is refused without touching it.
  env.FillW({0}, 64);
  int status = 1;
  EXPECT_EQ(env.RunInMacro("FFT 200", &status), 1);
  EXPECT_EQ(std::tuple(status, env.Messages()), std::tuple(0, 1));
  EXPECT_FLOAT_EQ(env.W(0)[5], 5.0f);

  // Without a channel FFT asks; No sends the live spectrum code.
  env.FillW({0, 1}, 64);  // time channels again
  env.Run("DW");
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(env.Run("FFT"), 1);
  EXPECT_EQ(CountSent(env, 2031), 2);
  EXPECT_FALSE(env.prog.WFreq[0] || env.prog.WFreq[1]);
  ASSERT_EQ(env.Questions(), 1);
  EXPECT_EQ(env.ui.Log().back().text, state::Txt(env.prog, 482));
}

TEST(Processing, ConstantOperationsOnOneOrAllChannels) {
  Env env;
  env.FillW({0, 1}, 16);
  EXPECT_EQ(env.RunInMacro("WYK 2, 3"), 1);
  EXPECT_FLOAT_EQ(env.W(1)[4], 3.0f * 1004.0f);
  EXPECT_FLOAT_EQ(env.W(0)[4], 4.0f);
  EXPECT_EQ(env.RunInMacro("WYP 0,1.5"), 1);
  EXPECT_FLOAT_EQ(env.W(1)[4], 3012.0f + 1.5f);
  // A factor beyond the prompt's range is clamped; a channel beyond it is refused.
  EXPECT_EQ(env.RunInMacro("WYK 1, 5000"), 1);
  EXPECT_FLOAT_EQ(env.W(0)[4], 5500.0f);
  env.ui.ClearLog();
  EXPECT_EQ(env.RunInMacro("WYK 129, 2"), 1);
  EXPECT_EQ(env.Messages(), 1);
  EXPECT_FLOAT_EQ(env.W(0)[4], 5500.0f);
}

TEST(Processing, ChannelCopyNameAndUnit) {
  Env env;
  env.FillW({1}, 16);
  EXPECT_EQ(env.RunInMacro("CHWCOPY 2"), 1);
  EXPECT_FLOAT_EQ(env.W(0)[3], 1003.0f);
  EXPECT_EQ(env.RunInMacro("CHWCOPY 2, 5"), 1);
  ASSERT_TRUE(env.prog.HGW.ChannelOn[4]);
  EXPECT_FLOAT_EQ(env.W(4)[3], 1003.0f);
  env.FillW({2}, 8);  // names and units keep their case and are cut
  EXPECT_EQ(env.Run("CHWNAME 3,Napětí"), 1);
  EXPECT_EQ(store::FieldText(env.prog.FGW[2].Name), "Napětí");
  EXPECT_EQ(env.Run("chwunit 3, " + std::string(40, 'u')), 1);
  EXPECT_EQ(store::FieldText(env.prog.FGW[2].Unit), std::string(19, 'u'));
  env.ui.ClearLog();
  EXPECT_EQ(env.Run("CHWNAME 0,x"), 1);
  EXPECT_EQ(env.Messages(), 1);
}

TEST(Processing, DerivativeAndBandZeroing) {
  Env env;
  env.FillW({0}, 32, 0.5f);
  EXPECT_EQ(env.RunInMacro("WDERIVDT 1,3,0,31"), 1);
  ASSERT_TRUE(env.prog.HGW.ChannelOn[2]);
  EXPECT_FLOAT_EQ(env.W(2)[10], 2.0f);  // slope 1 per sample over a step of 0.5
  env.ui.ClearLog();
  EXPECT_EQ(env.RunInMacro("WINTEGRALDT 7,3"), 1);
  ASSERT_EQ(env.Messages(), 1);
  EXPECT_EQ(env.ui.Log()[0].text, state::TxtF(env.prog, 326, {7}));
  env.FillW({0}, 64, 0.001f);  // fmax 500 Hz, 32 bins
  ASSERT_EQ(env.RunInMacro("FFT 1"), 1);
  ASSERT_NE(env.W(0)[20], 0.0f);
  EXPECT_EQ(env.RunInMacro("WBZEROHZ 1, 0, 250"), 1);
  for (int k = 0; k <= 16; ++k) EXPECT_EQ(env.W(0)[k], 0.0f) << k;
  EXPECT_NE(env.W(0)[20], 0.0f);
}

TEST(Display, BroadcastsReachEveryOpenWindowOfBothStores) {
  Env env;
  env.FillW({0, 3}, 16);
  EXPECT_EQ(env.Run("DW"), 1);
  env.sent.clear();
  EXPECT_EQ(env.Run("STAT"), 1);
  EXPECT_EQ(CountSent(env, 2041), 2);
  EXPECT_EQ(env.RunInMacro("PEN 7"), 1);
  ASSERT_EQ(env.sent.back(), std::make_pair(2038, 3)) << "width clamped to 0..3";
  EXPECT_EQ(env.Run("CTRLM 5"), 1);
  EXPECT_EQ(env.prog.Argument, -1);
  EXPECT_EQ(env.Run("UNDW"), 1);
  env.sent.clear();
  EXPECT_EQ(env.Run("DISPL"), 1);
  EXPECT_TRUE(env.sent.empty());
}

TEST(Settings, FlagsSelectionsAndCombination) {
  Env env;
  store::A_s& a = env.prog.RefA();
  a.Flags152 = 0x40;
  EXPECT_EQ(env.Run("WADDON"), 1);
  EXPECT_EQ(a.Flags152, 0x41);  // the other bits kept
  EXPECT_EQ(env.Run("WADDOFF"), 1);
  EXPECT_EQ(a.Flags152, 0x40);
  EXPECT_EQ(env.RunInMacro("COMBION 3"), 1);
  EXPECT_EQ(a.WToMCode, 2);
  EXPECT_EQ(env.RunInMacro("AQTOFF 0"), 1);  // 0: every channel
  EXPECT_EQ(env.prog.MG.Acquire[127], 0);
  EXPECT_EQ(env.RunInMacro("AQTON 3"), 1);
  EXPECT_EQ(env.prog.MG.Acquire[2] + env.prog.MG.Acquire[3], 1);
  env.prog.MG.WDisplay[8] = 0;
  EXPECT_EQ(env.RunInMacro("DWON 9"), 1) << "refused, the macro goes on";
  EXPECT_EQ(env.prog.MG.WDisplay[8], 0);
  EXPECT_EQ(env.Run("CHANNEL 5"), 1);
  EXPECT_EQ(env.Run("MAINCH"), 1);
  // The base address reads hexadecimal digits.
  EXPECT_EQ(env.Run("BASEADR 3a0"), 1);
  EXPECT_EQ(env.prog.RefA().BaseAddress, 0x3A0);
  env.ui.Push(int64_t{300});
  EXPECT_EQ(env.Run("BASEADR"), 1);
  EXPECT_EQ(env.prog.RefA().BaseAddress, 0x300);
}

TEST(Program, ResettingSettingsInsideAMacroKeepsTheRunnerState) {
  Env env;
  store::CopyText(env.prog.PG.MacroName, "\\MACRO\\RUN.MAC");
  env.prog.PG.MacroStatement = 5;
  env.prog.PG.Sound = 1;
  env.prog.RefA().WLength = 77;
  EXPECT_EQ(env.RunInMacro("IMPLICIT"), 1);
  EXPECT_EQ(std::tuple(env.prog.PG.Sound, env.prog.PG.MacroStatement), std::tuple(store::PG0.Sound, 5));
  EXPECT_EQ(store::FieldText(env.prog.PG.MacroName), "\\MACRO\\RUN.MAC");
  env.prog.PG.Sound = 1;
  EXPECT_EQ(env.Run("DEFAULT"), 1);
  EXPECT_EQ(env.prog.PG.MacroStatement, store::PG0.MacroStatement);
}

TEST(Program, TextExportConverterAndEditorCommands) {
  Env env;
  EXPECT_EQ(env.RunInMacro("WWA \\DATA\\EXPORT.WTX"), 1);
  EXPECT_TRUE(testing_support::FileExists(env.dir / "DATA/EXPORT.WTX"));
  int status = 1;
  EXPECT_EQ(env.RunInMacro("WMA", &status), 1);  // no name inside a macro: refused, not waiting
  EXPECT_EQ(status, -1);
  platform::RecordingProcess process;
  env.prog.plat.process = &process;
  env.Run("CONV");
  EXPECT_FALSE(state::AnyWindowOpen(env.prog, store::Store::W));
  // The editor without a chosen file fails only inside a macro.
  env.ui.ClearLog();
  EXPECT_EQ(env.Run("ED", &status), 1);
  EXPECT_EQ(std::tuple(status, env.Messages()), std::tuple(0, 0));
  EXPECT_EQ(env.RunInMacro("EDMC", &status), 1);
  EXPECT_EQ(std::tuple(status, env.Messages()), std::tuple(-1, 1));
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
  EXPECT_EQ(std::tuple(env.prog.PG.Sound, env.Messages()), std::tuple(store::PG0.Sound, 0));
  // ComInterpret1 takes only upper-case keywords.
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF"), 1);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "beepoff"), 0);
  EXPECT_EQ(macro::ComInterpret1(env.prog, "BEEPOFF "), 0);
  EXPECT_EQ(env.Messages(), 0) << "ComInterpret1 itself reports nothing";
}

// The band analysis of WBCDHZ / WBPWCDHZ works in channel 61 and deletes it: data there is never
// lost unasked.
TEST(BandWorkChannel, ChannelSixtyOneIsUsedOnlyWhenFreeOrAgreed) {
  using platform::Answer;
  struct {
    bool held, inMacro;
    Answer answer;
    int status, questions;
    bool sixtyOneKept;
  } cases[] = {
      {false, true, Answer::Yes, macro::kDone, 0, false},
      {true, false, Answer::No, macro::kFailed, 1, true},
      {true, false, Answer::Yes, macro::kDone, 1, false},
      {true, true, Answer::Yes, macro::kDone, 0, true},  // a free channel (128) instead
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.held << c.inMacro);
    macro_test::Env env;
    env.FillW(c.held ? std::initializer_list<int>{0, 60} : std::initializer_list<int>{0}, 64);
    auto samples = [&](int ch) { return std::vector<float>(env.W(ch), env.W(ch) + 64); };
    const std::vector<float> source = samples(0), held = samples(60);
    int status = -9;
    if (c.inMacro) {
      env.RunInMacro("WBCDHZ 1, 100, 200", &status);
    } else {
      for (double v : {1.0, 100.0, 200.0}) env.ui.Push(v);
      env.ui.Push(c.answer);
      env.Run("WBCDHZ", &status);
    }
    EXPECT_EQ(std::tuple(status, env.Questions(), samples(0) != source, env.prog.HGW.ChannelOn[60] != 0),
              std::tuple(c.status, c.questions, c.status == macro::kDone, c.sixtyOneKept));
    EXPECT_TRUE(!c.sixtyOneKept || samples(60) == held);
    EXPECT_FALSE(env.prog.HGW.ChannelOn[127]);
    const bool named = store::FieldText(env.prog.Status) == state::TxtF(env.prog, 439, {128});
    EXPECT_EQ(named, c.held && c.inMacro);
  }
}

}  // namespace
