#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <tuple>

#include "MacroTestSupport.h"
#include "macro/Prompts.h"

namespace {

using macro::CommandArgument;
using macro::FCommandArgument;
using macro::QueueText;
using macro::SetQueue;

TEST(CommandBuffer, StaysTerminatedWhateverIsWritten) {
  macro_test::Env env;
  std::memset(env.prog.DG.NameQueue, 'x', sizeof env.prog.DG.NameQueue);
  SetQueue(env.prog, std::string(200, 'A'));
  EXPECT_EQ(QueueText(env.prog), std::string(59, 'A'));
  EXPECT_EQ(env.prog.DG.NameQueue[59], '\0');
  // A full field without terminator (as a job file may leave it) still reads safely.
  std::memset(env.prog.DG.NameQueue, '7', sizeof env.prog.DG.NameQueue);
  EXPECT_EQ(QueueText(env.prog).size(), 60u);
  EXPECT_EQ(CommandArgument(env.prog), INT32_MAX);
  EXPECT_TRUE(macro::QueueEmpty(env.prog));
}

TEST(ArgumentReaders, CommasBlanksAndNonNumbers) {
  macro_test::Env env;
  SetQueue(env.prog, "12 V, -3,abc,,  7.5e1 , 4");
  EXPECT_EQ(CommandArgument(env.prog), 12);
  EXPECT_EQ(QueueText(env.prog), " -3,abc,,  7.5e1 , 4");
  EXPECT_EQ(CommandArgument(env.prog), -3);
  EXPECT_EQ(CommandArgument(env.prog), 0);  // abc
  EXPECT_EQ(CommandArgument(env.prog), 0);  // empty between commas
  EXPECT_FLOAT_EQ(FCommandArgument(env.prog), 75.0f);
  EXPECT_EQ(macro::LCommandArgument(env.prog), 4);
  EXPECT_TRUE(macro::QueueEmpty(env.prog));
  EXPECT_EQ(CommandArgument(env.prog), 0) << "an empty buffer yields 0";
  EXPECT_FLOAT_EQ(FCommandArgument(env.prog), 0.0f);

  // A comma past fifty characters does not end the argument.
  SetQueue(env.prog, "5" + std::string(49, ' ') + ",9");  // comma at position 50
  EXPECT_EQ(CommandArgument(env.prog), 5);
  EXPECT_EQ(CommandArgument(env.prog), 9);
  SetQueue(env.prog, "5" + std::string(50, ' ') + ",9");  // comma at 51: one argument
  EXPECT_EQ(CommandArgument(env.prog), 5);
  EXPECT_TRUE(macro::QueueEmpty(env.prog));
}

TEST(ArgumentReaders, OutOfRangeAndSpecialTextsNeverGiveUndefinedValues) {
  macro_test::Env env;
  SetQueue(env.prog, "99999999999999,-99999999999999");
  EXPECT_EQ(CommandArgument(env.prog), INT32_MAX);
  EXPECT_EQ(CommandArgument(env.prog), INT32_MIN);
  SetQueue(env.prog, "1e300,-1e300,inf,nan,0x10,-.5");
  for (float expected : {FLT_MAX, -FLT_MAX, 0.0f, 0.0f, 0.0f, -0.5f})
    EXPECT_EQ(FCommandArgument(env.prog), expected);
  // SetArgument takes the whole buffer; none left reads as -1 (65535 as int16).
  SetQueue(env.prog, " 7,3");
  macro::SetArgument(env.prog);
  EXPECT_EQ(env.prog.Argument, 7);
  macro::SetArgument(env.prog);
  EXPECT_EQ(env.prog.Argument, -1);
  env.prog.Argument = 5;
  macro::NulujArgument(env.prog);
  EXPECT_EQ(env.prog.Argument, -1);
}

TEST(Prompting, InsideAMacroArgumentsAreClampedOutsideThePromptDecides) {
  macro_test::Env env;
  env.prog.MacGoing = 1;
  SetQueue(env.prog, "500, -3");
  int16_t i = 5;
  int32_t l = 5;
  EXPECT_TRUE(macro::GetI(env.prog, i, 0, 255, 0, "i"));
  EXPECT_TRUE(macro::GetL(env.prog, l, 1, 100, 1, "l"));
  EXPECT_EQ(std::tuple(std::pair(i, l), env.Prompts()), std::tuple(std::pair(int16_t(255), 1), 0));
  // A channel number is refused, not clamped.
  SetQueue(env.prog, "129");
  EXPECT_FALSE(macro::GetChannel(env.prog, l, 1, 128, "ch", "TEST"));
  EXPECT_EQ(std::pair(l, env.Messages()), std::pair(1, 1));
  env.prog.MacGoing = 0;

  SetQueue(env.prog, "77");
  env.ui.Push(int64_t{12});
  EXPECT_TRUE(macro::GetL(env.prog, l, 1, 100, 1, "prompt text"));
  EXPECT_EQ(l, 12);  // the user's answer wins over the typed number
  ASSERT_EQ(env.Prompts(), 1);
  EXPECT_EQ(env.ui.Log().back().title, "prompt text");

  // Accepted unchanged, the dialog gives the typed number (clamped by OK).
  SetQueue(env.prog, "12.5 more words");
  float f = 3.0f;
  EXPECT_TRUE(macro::GetF(env.prog, f, 0.0f, 100.0f, 1.0f, "f"));
  EXPECT_FLOAT_EQ(f, 12.5f);
  SetQueue(env.prog, "250");
  EXPECT_TRUE(macro::GetL(env.prog, l, 1, 100, 1, "l"));
  EXPECT_EQ(l, 100);
  // A typed word that is no number reads as 0, as every argument does.
  SetQueue(env.prog, "nan");
  f = 3.0f;
  EXPECT_TRUE(macro::GetF(env.prog, f, -1.0f, 10.0f, 1.0f, "f"));
  EXPECT_FLOAT_EQ(f, 0.0f);

  env.ui.Push(platform::Answer::Cancel);
  f = 3.0f;
  EXPECT_FALSE(macro::GetF(env.prog, f, 0.0f, 10.0f, 1.0f, "f"));
  EXPECT_FLOAT_EQ(f, 3.0f);
  EXPECT_EQ(env.prog.CommonBool, 0);
}

}  // namespace
