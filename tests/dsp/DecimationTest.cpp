#include <gtest/gtest.h>

#include <vector>

#include "FilterTestSupport.h"
#include "app/Messages.h"
#include "dsp/Decimation.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;
using platform::Answer;

TEST(Decimation, RefusesSpectraAndTinyRecords) {
  for (int store : {1, 0}) {
    testing_support::TestEnv env(4096);
    auto& p = env.prog;
    FillStore(p, store, {0, 1}, {{1, 2, 3, 4}, {5, 6, 7, 8}}, 4);
    filter_test::MarkSpectrum(p, store, 1);
    EXPECT_EQ(dsp::DecimationUtil(p, store), 0);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, app::Txt(p, store ? 330 : 331));
    EXPECT_EQ(env.ui.Log()[0].title, app::Txt(p, 11));
    EXPECT_EQ(p.Header(store).Length, 4);
    EXPECT_EQ(Channel(p, store, 0), (std::vector<float>{1, 2, 3, 4}));
  }
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{42}}, 1);
  EXPECT_EQ(dsp::DecimationUtil(p, 1), 0);
  EXPECT_EQ(p.HGW.Length, 1);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, 0.001f);
}

TEST(Decimation, QuestionDeclinedOrSkipped) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{1, 2, 3, 4}}, 4);
  env.ui.Push(Answer::No);
  EXPECT_EQ(dsp::Decimation(p, 1, true), 0);
  EXPECT_EQ(p.HGW.Length, 4);
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(dsp::Decimation(p, 1, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(Channel(p, 1, 0), (std::vector<float>{2, 4}));
}

TEST(Decimation, MissingStoreReports) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  p.Buffer.reset();
  EXPECT_EQ(dsp::DecimationUtil(p, 0), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.Log()[0].text, app::Txt(p, 491));
}

}  // namespace
