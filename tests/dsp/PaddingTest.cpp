#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FilterTestSupport.h"
#include "ops/Padding.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;
using platform::Answer;

std::vector<float> Ramp(int n, float offset) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[size_t(i)] = offset + float(i);
  return v;
}

TEST(PadToPowerOfTwo, ZerosAfterEveryChannel) {
  testing_support::TestEnv env(8192);
  auto& p = env.prog;
  auto a = Ramp(1000, 1), b = Ramp(1000, 5000), c = Ramp(1000, -7000);
  FillStore(p, 1, {0, 3, 127}, {a, b, c}, 1000);
  auto windows = filter_test::OpenLoggingWindows(p, 1);
  ASSERT_EQ(ops::DoplnNulamiNaMocninuDvou(p, false, true), 1);
  EXPECT_EQ(p.HGW.Length, 1024);
  for (auto [ch, src] : {std::pair{0, &a}, std::pair{3, &b}, std::pair{127, &c}}) {
    auto got = Channel(p, 1, ch);
    EXPECT_TRUE(std::equal(src->begin(), src->end(), got.begin())) << ch;
    for (int i = 1000; i < 1024; ++i) EXPECT_EQ(got[size_t(i)], 0.0f) << ch;
  }
  EXPECT_EQ(filter_test::Codes(*windows), (std::vector<int>{2040, 2040, 2040}));
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST(PadToPowerOfTwo, LastValueTruncatedTowardZero) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0, 1, 2}, {{1, 2, 2.7f}, {1, 2, -2.7f}, {1, 2, NAN}}, 3);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, false), 1);
  EXPECT_EQ(env.ui.Log().at(0).text, state::TxtF(p, 1232, {3L, 4L, 3, 12L}));
  EXPECT_EQ(Channel(p, 1, 0), (std::vector<float>{1, 2, 2.7f, 2.0f}));
  EXPECT_EQ(Channel(p, 1, 1), (std::vector<float>{1, 2, -2.7f, -2.0f}));
  EXPECT_TRUE(std::isnan(Channel(p, 1, 2)[3]));
}

TEST(PadToPowerOfTwo, RefusalsLeaveTheStoreAlone) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  auto a = Ramp(1200, 0), b = Ramp(1200, 9), c = Ramp(1200, 77);
  FillStore(p, 1, {0, 1, 2}, {a, b, c}, 1200);
  // 3 × 2048 > 4096.
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, false, true), 0);
  EXPECT_TRUE(env.ui.Log().empty());  // silent without ask
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, 1231));
  // `TotalSamples` raised by the memory dialog does not stretch the arrays
  // allocated at start-up.
  p.DG.MaxLength = p.DG.TotalSamples = 1 << 20;
  env.ui.ClearLog();
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1231));
  EXPECT_EQ(p.HGW.Length, 1200);
  EXPECT_EQ(Channel(p, 1, 0), a);
  EXPECT_EQ(Channel(p, 1, 1), b);
  EXPECT_EQ(Channel(p, 1, 2), c);
}

TEST(PadToPowerOfTwo, MaxLengthAndDeclined) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  auto a = Ramp(1200, 0);
  FillStore(p, 1, {5}, {a}, 1200);
  p.DG.MaxLength = 2000;
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1231));
  p.DG.MaxLength = 4096;
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  EXPECT_EQ(p.HGW.Length, 1200);
  EXPECT_EQ(Channel(p, 1, 5), a);
  env.ui.Push(Answer::Yes);
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 1);
  EXPECT_EQ(p.HGW.Length, 2048);
}

TEST(PadToPowerOfTwo, NothingToDo) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{1, 2, 3, 4}}, 4);
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1229));
  FillStore(p, 1, {0}, {{}}, 0);
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, false, false), 0);
  EXPECT_EQ(p.HGW.Length, 0);
  // Beyond 2^30: refused before the memory is looked at.
  p.HGW.Length = (1 << 30) + 1;
  p.HGW.ChannelOn[0] = 0;
  env.ui.ClearLog();
  EXPECT_EQ(ops::DoplnNulamiNaMocninuDvou(p, true, true), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1230));
}

TEST(PadToDouble, TimeChannelsAndSpectra) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  // Spectrum of 8: real parts 1..4 (with the Nyquist slot 4 at index 4),
  // imaginary parts at 4..7.
  FillStore(p, 1, {2, 6}, {{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}}, 8);
  filter_test::MarkSpectrum(p, 1, 6);
  ASSERT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 1);
  EXPECT_EQ(p.HGW.Length, 16);
  EXPECT_EQ(Channel(p, 1, 2), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Channel(p, 1, 6), (std::vector<float>{1, 2, 3, 4, 0, 0, 0, 0, 5, 6, 7, 8, 0, 0, 0, 0}));
}

TEST(PadToDouble, Refusals) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  auto a = Ramp(1500, 0), b = Ramp(1500, 2);
  FillStore(p, 1, {0, 1}, {a, b}, 1500);
  EXPECT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 0);  // 2 × 3000 > 4096
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1231));
  EXPECT_EQ(p.HGW.Length, 1500);
  EXPECT_EQ(Channel(p, 1, 1), b);
  p.HGW.ChannelOn[0] = p.HGW.ChannelOn[1] = 0;
  p.HGW.Length = (1 << 29) + 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 1230));
}

}  // namespace
