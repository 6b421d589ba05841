// The band analysis of WBCDHZ / WBPWCDHZ works in channel 61 and deletes it:
// data there is never lost unasked.
#include <gtest/gtest.h>

#include <vector>

#include "MacroTestSupport.h"
#include "macro/Executors.h"
#include "app/Messages.h"

namespace {

std::vector<float> Samples(const macro_test::Env& env, int c) {
  return std::vector<float>(env.W(c), env.W(c) + env.prog.HGW.Length);
}

TEST(BandWorkChannel, ChannelSixtyOneIsUsedOnlyWhenFreeOrAgreed) {
  struct {
    bool sixtyOneHeld;
    bool inMacro;
    platform::Answer answer;
    int status;
    bool sourceChanged;
    int questions;
    int workUsed;  // 1-based channel named on the status line, 0: none
  } cases[] = {
      {false, true, platform::Answer::Yes, macro::kDone, true, 0, 0},
      {true, false, platform::Answer::No, macro::kFailed, false, 1, 0},
      {true, false, platform::Answer::Yes, macro::kDone, true, 1, 0},
      {true, true, platform::Answer::Yes, macro::kDone, true, 0, 128},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sixtyOneHeld << c.inMacro);
    macro_test::Env env;
    if (c.sixtyOneHeld)
      env.FillW({0, 60}, 64, 0.001f);
    else
      env.FillW({0}, 64, 0.001f);
    const std::vector<float> source = Samples(env, 0);
    const std::vector<float> held = c.sixtyOneHeld ? Samples(env, 60) : std::vector<float>();
    int status = -9;
    if (c.inMacro) {
      env.RunInMacro("WBCDHZ 1, 100, 200", &status);
    } else {
      for (double v : {1.0, 100.0, 200.0}) env.ui.Push(v);
      env.ui.Push(c.answer);
      env.Run("WBCDHZ", &status);
    }
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(env.Questions(), c.questions);
    EXPECT_EQ(Samples(env, 0) != source, c.sourceChanged);
    // Agreed overwriting consumes channel 61 as before; otherwise it keeps its data.
    const bool agreed = c.sixtyOneHeld && !c.inMacro && c.answer == platform::Answer::Yes;
    EXPECT_EQ(env.prog.HGW.ChannelOn[60] != 0, c.sixtyOneHeld && !agreed);
    if (c.sixtyOneHeld && !agreed) {
      EXPECT_EQ(Samples(env, 60), held);
    }
    EXPECT_FALSE(env.prog.HGW.ChannelOn[127]);
    if (c.workUsed) {
      EXPECT_EQ(store::FieldText(env.prog.Status), app::TxtF(env.prog, 439, {c.workUsed}));
    }
  }
}

}  // namespace
