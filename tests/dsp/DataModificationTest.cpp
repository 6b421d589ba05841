#include <gtest/gtest.h>

#include <vector>

#include "dsp/DataModification.h"

namespace {

using V = std::vector<float>;

TEST(DataModif, ArithmeticModesInSequence) {
  const struct {
    int mode;
    double value;
    V want;
  } steps[] = {{0, 0, {-1, 2, -3}},     {1, 0, {1, 2, 3}},        {4, 2.5, {2.5f, 5, 7.5f}},
               {5, -0.5, {2, 4.5f, 7}}, {6, 2, {1, 2.25f, 3.5f}}, {7, 2, {-0.625f, 0.625f, 1.875f}}};
  V x = {1, -2, 3};
  for (const auto& s : steps) {  // mode 7: the baseline of the first two
    EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, s.mode, s.value), 1) << s.mode;
    EXPECT_EQ(x, s.want) << s.mode;
  }
  // Division by zero, a zero shift, other modes, no samples: refused, untouched.
  for (auto [mode, value] : {std::pair{6, 0.0}, {7, 0.0}, {8, 0.0}, {2, 1.0}, {3, 1.0}, {9, 1.0}, {-1, 1.0}})
    EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, mode, value), 0) << mode;
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 0, 0, 1), 0);
  EXPECT_EQ(x, steps[5].want);
}

TEST(DataModif, ShiftKeepsTheEdgeValue) {
  for (auto [shift, want] :
       {std::pair{2.0, V{1, 1, 1, 2, 3}}, {-1.0, V{2, 3, 4, 5, 5}}, {1e12, V{1, 1, 1, 1, 1}}}) {
    V x = {1, 2, 3, 4, 5};
    dsp::DataModifArithmetic(x.data(), 5, 8, shift);
    EXPECT_EQ(x, want) << shift;
  }
  EXPECT_EQ(dsp::DataModifValueFor(5).kind, dsp::DataModifValue::Float);
  EXPECT_EQ(dsp::DataModifValueFor(8).text, 823);
  EXPECT_EQ(dsp::DataModifValueFor(0).kind, dsp::DataModifValue::None);
}

TEST(LinearTrend, RemovedAndTheTailFollows) {
  V x = {0, 1, 3, 5, 7, 10, 11};
  dsp::RemoveLinearTrend(x.data(), 1, 4, 6);
  // Line through (1, 1) and (4, 7): slope 2; x[4] drops by 6, so does x[5].
  EXPECT_EQ(x, (V{0, 1, 1, 1, 1, 4, 11}));
  V y = {1, 2, 3}, before = y;
  dsp::RemoveLinearTrend(y.data(), 2, 1, 3);
  dsp::RemoveLinearTrend(y.data(), 0, 3, 3);
  EXPECT_EQ(y, before);
}

}  // namespace
