#include <gtest/gtest.h>

#include <vector>

#include "dsp/DataModification.h"

namespace {

using V = std::vector<float>;

TEST(DataModif, Arithmetic) {
  V x = {1, -2, 3};
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 0, 0), 1);
  EXPECT_EQ(x, (V{-1, 2, -3}));
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 1, 0), 1);
  EXPECT_EQ(x, (V{1, 2, 3}));
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 4, 2.5), 1);
  EXPECT_EQ(x, (V{2.5f, 5, 7.5f}));
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 5, -0.5), 1);
  EXPECT_EQ(x, (V{2, 4.5f, 7}));
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 6, 2), 1);
  EXPECT_EQ(x, (V{1, 2.25f, 3.5f}));
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 7, 2), 1);  // baseline of the first two
  EXPECT_EQ(x, (V{-0.625f, 0.625f, 1.875f}));
}

TEST(DataModif, RefusedValuesAndModes) {
  V x = {1, 2, 3}, before = x;
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 6, 0), 0);  // division by zero
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 7, 0), 0);
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, 8, 0), 0);
  for (int mode : {2, 3, 9, 10, 11, -1}) EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 3, mode, 1), 0);
  EXPECT_EQ(dsp::DataModifArithmetic(x.data(), 0, 0, 1), 0);
  EXPECT_EQ(x, before);
}

TEST(DataModif, ShiftKeepsTheEdgeValue) {
  V x = {1, 2, 3, 4, 5};
  dsp::DataModifArithmetic(x.data(), 5, 8, 2);
  EXPECT_EQ(x, (V{1, 1, 1, 2, 3}));
  x = {1, 2, 3, 4, 5};
  dsp::DataModifArithmetic(x.data(), 5, 8, -1);
  EXPECT_EQ(x, (V{2, 3, 4, 5, 5}));
  x = {1, 2, 3};
  dsp::DataModifArithmetic(x.data(), 3, 8, 1e12);  // beyond the record
  EXPECT_EQ(x, (V{1, 1, 1}));
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

TEST(DataModif, ValuesAsked) {
  EXPECT_EQ(dsp::DataModifValueFor(5).kind, dsp::DataModifValue::Float);
  EXPECT_EQ(dsp::DataModifValueFor(5).limit, 100000);
  EXPECT_EQ(dsp::DataModifValueFor(8).text, 823);
  EXPECT_EQ(dsp::DataModifValueFor(0).kind, dsp::DataModifValue::None);
}

}  // namespace
