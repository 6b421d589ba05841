#include <gtest/gtest.h>

#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Decimation.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::FillStore;
using V = std::vector<float>;

TEST(Decimation, KeepsTheOddSamplesOrRefusesSpectra) {
  for (int store : {1, 0}) {
    SCOPED_TRACE(store);
    testing_support::TestEnv env(4096);
    auto& p = env.prog;
    FillStore(p, store, {3, 7}, {{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}}, 5);
    p.Header(store::StoreFromFlag(store)).PreTrigger = 2;
    p.Header(store::StoreFromFlag(store)).TriggerFlag = 1;
    auto windows = dsptest::OpenLoggingWindows(p, store);
    ASSERT_EQ(ops::DecimationUtil(p, store::StoreFromFlag(store)), 1);
    EXPECT_EQ(std::tuple(p.Header(store::StoreFromFlag(store)).Length,
                         p.Header(store::StoreFromFlag(store)).PreTrigger,
                         p.Header(store::StoreFromFlag(store)).TriggerFlag),
              std::tuple(2, 0, 0));
    EXPECT_EQ(Channel(p, store, 3), (V{2, 4}));
    EXPECT_EQ(Channel(p, store, 7), (V{20, 40}));
    EXPECT_FLOAT_EQ(p.Channels(store::StoreFromFlag(store))[7].Step, 0.002f);
    EXPECT_EQ(dsptest::Codes(*windows), (std::vector<int>{2040, 2040, 2000, 2000}));

    dsptest::MarkSpectrum(p, store, 3);
    env.ui.ClearLog();
    EXPECT_EQ(ops::DecimationUtil(p, store::StoreFromFlag(store)), 0);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, store ? 330 : 331));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 11));
    EXPECT_EQ(Channel(p, store, 7), (V{20, 40}));
  }
}

TEST(Decimation, TinyRecordQuestionAndMissingStore) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{42}}, 1);
  EXPECT_EQ(ops::DecimationUtil(p, store::Store::W), 0);
  EXPECT_EQ(p.HGW.Length, 1);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, 0.001f);

  FillStore(p, 1, {0}, {{1, 2, 3, 4}}, 4);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(ops::Decimation(p, store::Store::W, true), 0);
  EXPECT_EQ(p.HGW.Length, 4);
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::Decimation(p, store::Store::W, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(Channel(p, 1, 0), (V{2, 4}));

  p.Buffer.reset();
  EXPECT_EQ(ops::DecimationUtil(p, store::Store::M), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 491));
}

}  // namespace
