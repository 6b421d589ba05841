#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Padding.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::FillStore;
using platform::Answer;
using V = std::vector<float>;

V Ramp(int n, float offset) {
  V v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[size_t(i)] = offset + float(i);
  return v;
}

class Padding : public ::testing::Test {
 protected:
  int Pad(bool ask, bool lastValue) { return ops::DoplnNulamiNaMocninuDvou(p, ask, lastValue); }
  std::string Last() { return env.ui.Log().empty() ? "" : env.ui.Log().back().text; }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(Padding, LastValueTruncatedTowardZero) {
  FillStore(p, 1, {0, 1, 2}, {{1, 2, 2.7f}, {1, 2, -2.7f}, {1, 2, NAN}}, 3);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(Pad(true, false), 1);
  EXPECT_EQ(env.ui.Log().at(0).text, state::TxtF(p, 1232, {3L, 4L, 3, 12L}));
  EXPECT_EQ(Channel(p, 1, 0), (V{1, 2, 2.7f, 2.0f}));
  EXPECT_EQ(Channel(p, 1, 1), (V{1, 2, -2.7f, -2.0f}));
  EXPECT_TRUE(std::isnan(Channel(p, 1, 2)[3]));
}

TEST_F(Padding, RefusalsLeaveTheStoreAlone) {
  auto a = Ramp(1200, 0), b = Ramp(1200, 9), c = Ramp(1200, 77);
  FillStore(p, 1, {0, 1, 2}, {a, b, c}, 1200);
  const dsptest::Snapshot before(p);
  EXPECT_EQ(Pad(false, true), 0);  // 3 × 2048 > 4096, silent without ask
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1231));
  // `TotalSamples` raised by the memory dialog does not stretch the arrays allocated at start-up.
  p.DG.MaxLength = p.DG.TotalSamples = 1 << 20;
  env.ui.ClearLog();
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1231));
  // Nor does MaxLength below the padded length allow it; a No declines.
  FillStore(p, 1, {5}, {a}, 1200);
  p.DG.MaxLength = 2000;
  env.ui.ClearLog();
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1231));
  p.DG.MaxLength = 4096;
  env.ui.Push(Answer::No);
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(std::tuple(p.HGW.Length, Channel(p, 1, 5)), std::tuple(1200, a));
  env.ui.Push(Answer::Yes);
  EXPECT_EQ(Pad(true, true), 1);
  EXPECT_EQ(p.HGW.Length, 2048);
}

TEST_F(Padding, NothingToDoOrBeyondTheLimit) {
  FillStore(p, 1, {0}, {{1, 2, 3, 4}}, 4);
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1229));
  FillStore(p, 1, {0}, {{}}, 0);
  EXPECT_EQ(Pad(false, false), 0);
  EXPECT_EQ(p.HGW.Length, 0);
  // Beyond 2^30 (2^29 for doubling): refused before the memory is looked at.
  p.HGW.ChannelOn[0] = 0;
  p.HGW.Length = (1 << 30) + 1;
  EXPECT_EQ(Pad(true, true), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1230));
  p.HGW.Length = (1 << 29) + 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 0);
  EXPECT_EQ(Last(), state::Txt(p, 1230));
}

TEST_F(Padding, DoublingTimeChannelsAndSpectra) {
  // A spectrum's real half and its Nyquist-and-imaginary half each get their zeros.
  FillStore(p, 1, {2, 6}, {{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}}, 8);
  dsptest::MarkSpectrum(p, 1, 6);
  ASSERT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 1);
  EXPECT_EQ(p.HGW.Length, 16);
  EXPECT_EQ(Channel(p, 1, 2), (V{1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Channel(p, 1, 6), (V{1, 2, 3, 4, 0, 0, 0, 0, 5, 6, 7, 8, 0, 0, 0, 0}));

  auto a = Ramp(1500, 0), b = Ramp(1500, 2);
  FillStore(p, 1, {0, 1}, {a, b}, 1500);
  EXPECT_EQ(ops::DoplnNulamiNaDvojnasobek(p), 0);  // 2 × 3000 > 4096
  EXPECT_EQ(Last(), state::Txt(p, 1231));
  EXPECT_EQ(std::tuple(p.HGW.Length, Channel(p, 1, 1)), std::tuple(1500, b));
}

}  // namespace
