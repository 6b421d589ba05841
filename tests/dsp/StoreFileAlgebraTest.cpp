#include <gtest/gtest.h>

#include <cmath>

#include "dsp/AlgebraTestSupport.h"
#include "files/DataFileWriter.h"
#include "ops/StoreFileAlgebra.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using algebra_test::ChannelData;
using algebra_test::Layout;
using algebra_test::Snapshot;
using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

constexpr int kLength = 64;

float StoreValue(int ch, int k) { return float(ch + 1) * 1.5f + 0.25f * float(k) - 3.0f; }
// File values reach zero and stay small near it, so division meets both rules.
float FileValue(int ch, int k) { return float(k % 16) * 0.5f - float(ch) * 0.125f; }

int CountMessages(const platform::ScriptedUi& ui) {
  int n = 0;
  for (const auto& s : ui.Log()) n += s.kind == "message" ? 1 : 0;
  return n;
}

class StoreFileAlgebra : public ::testing::Test {
 protected:
  // The file holds channels 1 and 3 (0-based 0 and 2) with FileValue; the
  // store then holds the same channels with StoreValue.
  void Prepare(int store) {
    Layout(p, store, {0, 2}, kLength, FileValue);
    name = store ? "\\DATA\\file.W" : "\\DATA\\file.M";
    ASSERT_EQ(files::WriteDataFileUtil(p, name, store::StoreFromFlag(store), 0), 1);
    Layout(p, store, {0, 2}, kLength, StoreValue);
  }
  std::string Path() const { return env.paths.Resolve(name); }

  TestEnv env{8192};
  state::Program& p = env.prog;
  std::string name;
};

double Reference(int op, double m, double f, double cm, double cf, double largest) {
  switch (op) {
    case 0:
      return m + f;
    case 1:
      return m - f;
    case 2:
      return cm * m + cf * f;
    case 3:
      return cm * m - cf * f;
    case 4:
      return m * f;
    default:
      return std::fabs(f) < 0.01 * largest || f == 0 ? 0.0 : m / f;
  }
}

TEST_F(StoreFileAlgebra, EveryOperationOnBothStoresMatchesDoubleReference) {
  for (int store : {1, 0}) {
    for (int op = 0; op <= 5; ++op) {
      SCOPED_TRACE("store " + std::to_string(store) + " op " + std::to_string(op));
      Prepare(store);
      p.PG.WLCD = 2.5f, p.PG.WLCF = -0.75f, p.PG.MLCD = -1.25f, p.PG.MLCF = 3.0f;
      const double cm = store ? 2.5 : -1.25, cf = store ? -0.75 : 3.0;
      ASSERT_EQ(ops::AlgebraUtil(p, store::StoreFromFlag(store), name, op), 1);
      for (int ch : {0, 2}) {
        double largest = 0;
        for (int k = 0; k < kLength; ++k) largest = std::max(largest, std::fabs(double(FileValue(ch, k))));
        std::vector<float> got = ChannelData(p, store, ch);
        for (int k = 0; k < kLength; ++k) {
          double want = Reference(op, StoreValue(ch, k), FileValue(ch, k), cm, cf, largest);
          ASSERT_NEAR(got[size_t(k)], want, 1e-5 * (1 + std::fabs(want))) << "ch " << ch << " k " << k;
        }
      }
      EXPECT_EQ(CountMessages(env.ui), 0);
    }
  }
}

TEST_F(StoreFileAlgebra, PlusOfItselfDoublesAndUnitWeightedDifferenceIsZero) {
  Layout(p, 1, {1, 4}, kLength, StoreValue);
  name = "\\DATA\\same.W";
  ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
  ASSERT_EQ(ops::AlgebraUtil(p, store::Store::W, name, dsp::kAlgebraPlus), 1);
  for (int k = 0; k < kLength; ++k) EXPECT_FLOAT_EQ(ChannelData(p, 1, 4)[size_t(k)], 2 * StoreValue(4, k));
  Layout(p, 1, {1, 4}, kLength, StoreValue);
  p.PG.WLCD = p.PG.WLCF = 1.0f;
  ASSERT_EQ(ops::AlgebraUtil(p, store::Store::W, name, dsp::kAlgebraWeightedDiff), 1);
  for (int ch : {1, 4})
    for (float v : ChannelData(p, 1, ch)) EXPECT_EQ(v, 0.0f);
}

TEST_F(StoreFileAlgebra, DivisionByAFileChannelOfZerosGivesZerosNotInfinities) {
  Layout(p, 1, {0}, kLength, [](int, int) { return 0.0f; });
  name = "\\DATA\\zero.W";
  ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
  Layout(p, 1, {0}, kLength, StoreValue);
  ASSERT_EQ(ops::AlgebraUtil(p, store::Store::W, name, dsp::kAlgebraDivided), 1);
  for (float v : ChannelData(p, 1, 0)) EXPECT_EQ(v, 0.0f);
}

TEST_F(StoreFileAlgebra, ChannelsArePairedByPositionNotByNumber) {
  Layout(p, 1, {0, 2}, kLength, FileValue);
  name = "\\DATA\\pair.W";
  ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
  Layout(p, 1, {3, 9}, kLength, StoreValue);
  ASSERT_EQ(ops::AlgebraUtil(p, store::Store::W, name, dsp::kAlgebraMinus), 1);
  for (int k = 0; k < kLength; ++k) {
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 3)[size_t(k)], StoreValue(3, k) - FileValue(0, k));
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 9)[size_t(k)], StoreValue(9, k) - FileValue(2, k));
  }
}

TEST_F(StoreFileAlgebra, ShapeMismatchIsRefusedWithAnErrorAndChangesNothing) {
  Prepare(1);
  // Another length, another channel count, a measurement store against a .W file.
  auto refused = [&](int store, int text) {
    const Snapshot before(p);
    EXPECT_EQ(ops::AlgebraUtil(p, store::StoreFromFlag(store), name, 0), 0);
    EXPECT_TRUE(Snapshot(p) == before);
    EXPECT_EQ(env.ui.Log().back().title, state::Txt(p, 13));
    EXPECT_EQ(env.ui.Log().back().text.substr(0, 12), state::Txt(p, text).substr(0, 12));
  };
  Layout(p, 1, {0, 2}, kLength / 2, StoreValue);
  refused(1, 440);
  Layout(p, 1, {0, 2, 5}, kLength, StoreValue);
  refused(1, 440);
  Layout(p, 0, {0, 2}, kLength, StoreValue);
  refused(0, 391);
}

TEST_F(StoreFileAlgebra, BadFilesAreReportedAndLeaveTheStoreUnchanged) {
  Prepare(1);
  const std::vector<uint8_t> good = ReadBytes(Path());
  const Snapshot before(p);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int text, title;
  };
  std::vector<Case> cases;
  std::vector<uint8_t> b = good;
  b[3] = 'x';
  cases.push_back({"identification", b, 385, 13});
  b = good;
  b.resize(b.size() - 4);
  cases.push_back({"truncated samples", b, 442, 14});
  b = good;
  b.resize(100);
  cases.push_back({"truncated header", b, 442, 14});
  b = good;
  b[22 + 586] = 1;  // the first file channel claims to be a spectrum
  cases.push_back({"spectrum", b, 441, 14});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Path(), c.bytes);
    env.ui.ClearLog();
    EXPECT_EQ(ops::AlgebraUtil(p, store::Store::W, name, dsp::kAlgebraPlus), 0);
    EXPECT_TRUE(Snapshot(p) == before);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, c.text));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, c.title));
  }
  env.ui.ClearLog();
  EXPECT_EQ(ops::AlgebraUtil(p, store::Store::W, "\\DATA\\missing.W", 0), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 436));
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(StoreFileAlgebra, ExtraFlagsBeyondTheCountAreCountedNotTrusted) {
  Prepare(1);
  std::vector<uint8_t> b = ReadBytes(Path());
  // Flag channel 100 on while ChannelCount still says 2: the file really
  // claims three channels and must not be read as a two-channel file.
  b[22 + 2 + 2 * 100] = 1;
  WriteBytes(Path(), b);
  const Snapshot before(p);
  EXPECT_EQ(ops::AlgebraUtil(p, store::Store::W, name, 0), 0);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(StoreFileAlgebra, SpectrumChannelsCombineWithSpectrumFiles) {
  Layout(p, 1, {0}, kLength, FileValue);
  p.WFreq[0] = 1;
  name = "\\DATA\\spectrum.W";
  ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
  Layout(p, 1, {0}, kLength, StoreValue);
  const Snapshot time(p);
  EXPECT_EQ(ops::AlgebraUtil(p, store::Store::W, name, 0), 0);  // a time channel meets a spectrum
  EXPECT_TRUE(Snapshot(p) == time);
  p.WFreq[0] = 1;
  EXPECT_EQ(ops::AlgebraUtil(p, store::Store::W, name, 0), 1);
}

TEST_F(StoreFileAlgebra, AlgebraTakesTheNameFromTheQueueOrTheDialog) {
  Prepare(1);
  store::CopyText(p.DG.NameQueue, "file.W");
  EXPECT_EQ(ops::Algebra(p, store::Store::W, dsp::kAlgebraPlus), 1);
  EXPECT_FLOAT_EQ(ChannelData(p, 1, 2)[5], StoreValue(2, 5) + FileValue(2, 5));

  // An empty queue always asks; a cancelled dialog does nothing.
  Layout(p, 1, {0, 2}, kLength, StoreValue);
  store::CopyText(p.DG.NameQueue, "");
  const Snapshot before(p);
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(ops::Algebra(p, store::Store::W, dsp::kAlgebraPlus), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  EXPECT_EQ(env.ui.Log().back().kind, "file");
  EXPECT_EQ(env.ui.lastFileRequest.title, state::Txt(p, 499));

  env.ui.Push(std::optional<std::string>(Path()));
  EXPECT_EQ(ops::Algebra(p, store::Store::W, dsp::kAlgebraTimes), 1);
  EXPECT_FLOAT_EQ(ChannelData(p, 1, 0)[7], StoreValue(0, 7) * FileValue(0, 7));
}

}  // namespace
