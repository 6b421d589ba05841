#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "ops/MatrixOps.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using V = std::vector<float>;

struct MatrixFixture : testing::Test {
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
  store::Mat_s& m = p.Mat[0];
  // A rows × columns matrix of the given values with distinct axes and windows.
  void Set(int rows, int columns, V values) {
    m = store::Mat_s{};
    m.Rows = int16_t(rows);
    m.Columns = int16_t(columns);
    m.LastColumn = int16_t(columns - 1);
    m.FirstRow = 1;
    m.LastRow = int16_t(rows - 1);
    m.ColumnDirection = -1;
    m.RowDirection = 1;
    m.ColumnStart = 0, m.ColumnStep = 10, m.RowStart = 0.5f, m.RowStep = 0.25f;
    m.ValueMax = 6, m.ValueMin = 1;
    p.Matrix = std::move(values);
  }
  std::vector<uint8_t> Header() const {
    const auto* b = reinterpret_cast<const uint8_t*>(&m);
    return {b, b + sizeof m};
  }
};

TEST_F(MatrixFixture, TranspositionsKeepHeaderAndValuesTogether) {
  Set(2, 3, {1, 2, 3, 4, 5, 6});
  const std::vector<uint8_t> header = Header();
  ASSERT_TRUE(ops::TransposeMatrix(p, 0));
  EXPECT_EQ(p.Matrix, (V{1, 4, 2, 5, 3, 6}));
  EXPECT_EQ(m.Rows, 3);
  EXPECT_EQ(m.Columns, 2);
  EXPECT_EQ(m.FirstColumn, 1);
  EXPECT_EQ(m.LastRow, 2);
  EXPECT_EQ(m.ColumnStep, 0.25f);
  EXPECT_EQ(m.RowDirection, -1);
  ASSERT_TRUE(ops::TransposeMatrix(p, 0));
  EXPECT_EQ(p.Matrix, (V{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Header(), header);

  // A quarter turn: the last row becomes the first column, its axis runs backwards.
  ASSERT_TRUE(ops::TransposeMatrix(p, 1));
  EXPECT_EQ(p.Matrix, (V{4, 1, 5, 2, 6, 3}));
  EXPECT_EQ(std::tuple(m.FirstColumn, m.LastColumn, m.ColumnStart, m.ColumnStep),
            std::tuple(0, 0, 0.75f, -0.25f));
  for (int k = 0; k < 3; ++k) ASSERT_TRUE(ops::TransposeMatrix(p, 1));
  EXPECT_EQ(p.Matrix, (V{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Header(), header);
}

TEST_F(MatrixFixture, SmoothingAndNormalisation) {
  Set(3, 3, {9, 0, 0, 0, 0, 0, 0, 0, 18});
  ASSERT_TRUE(ops::SmoothMatrix(p));
  EXPECT_EQ(p.Matrix, (V{2.25f, 1.5f, 0, 1.5f, 3, 3, 0, 3, 4.5f}));

  Set(2, 2, {2, -4, 1, 8});
  env.ui.Push(platform::Answer::No);
  EXPECT_FALSE(ops::NormalizeMatrix(p));
  EXPECT_EQ(p.Matrix, (V{2, -4, 1, 8}));
  ASSERT_TRUE(ops::NormalizeMatrix(p));
  EXPECT_EQ(p.Matrix, (V{0.25f, -0.5f, 0.125f, 1}));
  EXPECT_EQ(m.ValueMax, 0.75f);
  // Nothing positive to divide by.
  for (V values : {V{0, 0, 0, 0}, V{-1, -2, -3, -4}, V{1, NAN, 2, 3}}) {
    Set(2, 2, values);
    EXPECT_FALSE(ops::NormalizeMatrix(p));
    EXPECT_EQ(p.Matrix[0], values[0]);
  }
  // A header that does not count the values held (as after reading a function file).
  Set(2, 2, {1, 2, 3});
  EXPECT_FALSE(ops::NormalizeMatrix(p) || ops::SmoothMatrix(p) || ops::TransposeMatrix(p, 0) ||
               ops::SaveMatrix(p));
  EXPECT_EQ(env.ui.Count(state::Txt(p, 731)), 4);
}

TEST_F(MatrixFixture, SavedFileIsHeaderThenRowsAndReadsBack) {
  Set(2, 3, {1, 2, 3, 4, 5, 6.5f});
  store::CopyText(p.DW_Name, "\\DATA\\run.7.W");
  ASSERT_TRUE(ops::SaveMatrix(p));
  const std::string path = env.paths.Resolve("\\DATA\\run.7.MAT");
  std::vector<uint8_t> bytes = testing_support::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 158u + 6 * 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 158), Header());
  float last;
  std::memcpy(&last, bytes.data() + 158 + 5 * 4, 4);
  EXPECT_EQ(last, 6.5f);

  Set(2, 2, {0, 0, 0, 0});
  ASSERT_TRUE(ops::OpenMatrix(p, path));
  EXPECT_EQ(p.Matrix, (V{1, 2, 3, 4, 5, 6.5f}));
  EXPECT_EQ(m.Columns, 3);

  // Hostile files: each is refused with a message and changes nothing.
  auto patched = [&](size_t at, std::vector<uint8_t> with, int extra) {
    std::vector<uint8_t> b = bytes;
    std::copy(with.begin(), with.end(), b.begin() + long(at));
    b.resize(size_t(long(b.size()) + extra));
    return b;
  };
  const uint8_t nan[] = {0, 0, 0xC0, 0x7F};
  for (auto b : {patched(0, {}, 1), patched(0, {}, -1), patched(0, {}, -170), patched(4, {0, 0}, 0),
                 patched(6, {0xFF, 0xFF}, 0), patched(4, {0xFF, 0x7F, 0xFF, 0x7F}, 0),
                 patched(170, {nan, nan + 4}, 0)}) {
    testing_support::WriteBytes(path, b);
    env.ui.ClearLog();
    EXPECT_FALSE(ops::OpenMatrix(p, path));
    EXPECT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(p.Matrix, (V{1, 2, 3, 4, 5, 6.5f}));
  }

  // A name without an extension saves nothing, and says so.
  store::CopyText(p.DW_Name, "\\DATA\\run");
  EXPECT_FALSE(ops::SaveMatrix(p));
  EXPECT_FALSE(testing_support::FileExists(env.paths.Resolve("\\DATA\\run.MAT")));
  EXPECT_EQ(env.ui.Count(state::Lang(p, "Chybné jméno", "Wrong name")), 1);
}

}  // namespace
