// The band analysis of WBCDHZ / WBPWCDHZ works in channel 61 and deletes it:
// data there is never lost unasked.
#include <gtest/gtest.h>

#include <tuple>

#include "MacroTestSupport.h"
#include "macro/Executors.h"
#include "state/Messages.h"

namespace {

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
