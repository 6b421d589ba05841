#include <gtest/gtest.h>

#include <cmath>

#include "dsp/DspTestSupport.h"
#include "files/DataFileWriter.h"
#include "ops/StoreFileAlgebra.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::Layout;
using dsptest::Snapshot;
using store::Store;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

constexpr int kLength = 64;

float StoreValue(int ch, int k) { return float(ch + 1) * 1.5f + 0.25f * float(k) - 3.0f; }
// File values reach zero and stay small near it, so division meets both rules.
float FileValue(int ch, int k) { return float(k % 16) * 0.5f - float(ch) * 0.125f; }

class StoreFileAlgebra : public ::testing::Test {
 protected:
  // A file of the given channels and values; the store then holds `mine` with StoreValue.
  void Prepare(int store, const char* file, const std::vector<int>& theirs, const std::vector<int>& mine,
               const std::function<float(int, int)>& value = FileValue) {
    Layout(p, store, theirs, kLength, value);
    name = file;
    ASSERT_EQ(files::WriteDataFileUtil(p, name, store::StoreFromFlag(store), 0), 1);
    Layout(p, store, mine, kLength, StoreValue);
  }
  void Prepare(int store) { Prepare(store, store ? "\\DATA\\file.W" : "\\DATA\\file.M", {0, 2}, {0, 2}); }
  std::string Path() const { return env.paths.Resolve(name); }
  int Run(int op, Store s = Store::W) { return ops::AlgebraUtil(p, s, name, op); }

  testing_support::TestEnv env{8192};
  state::Program& p = env.prog;
  std::string name;
};

TEST_F(StoreFileAlgebra, EveryOperationOnBothStoresMatchesDoubleReference) {
  for (int store : {1, 0})
    for (int op = 0; op <= 5; ++op) {
      SCOPED_TRACE("store " + std::to_string(store) + " op " + std::to_string(op));
      Prepare(store);
      p.PG.WLCD = 2.5f, p.PG.WLCF = -0.75f, p.PG.MLCD = -1.25f, p.PG.MLCF = 3.0f;
      const double cm = store ? 2.5 : -1.25, cf = store ? -0.75 : 3.0;
      ASSERT_EQ(Run(op, store::StoreFromFlag(store)), 1);
      for (int ch : {0, 2}) {
        double largest = 0;
        for (int k = 0; k < kLength; ++k) largest = std::max(largest, std::fabs(double(FileValue(ch, k))));
        std::vector<float> got = Channel(p, store, ch);
        for (int k = 0; k < kLength; ++k) {
          const double m = StoreValue(ch, k), f = FileValue(ch, k);
          const double want[] = {m + f,           m - f,
                                 cm * m + cf * f, cm * m - cf * f,
                                 m * f,           std::fabs(f) < 0.01 * largest || f == 0 ? 0.0 : m / f};
          ASSERT_NEAR(got[size_t(k)], want[op], 1e-5 * (1 + std::fabs(want[op])))
              << "ch " << ch << " k " << k;
        }
      }
      EXPECT_TRUE(env.ui.Log().empty());
    }
}

TEST_F(StoreFileAlgebra, ZeroDivisorsPairingByPositionAndSpectra) {
  // Division by a file channel of zeros gives zeros, not infinities.
  Prepare(1, "\\DATA\\zero.W", {0}, {0}, [](int, int) { return 0.0f; });
  ASSERT_EQ(Run(dsp::kAlgebraDivided), 1);
  EXPECT_EQ(Channel(p, 1, 0), std::vector<float>(kLength, 0.0f));
  // Channels pair by position, not by number.
  Prepare(1, "\\DATA\\pair.W", {0, 2}, {3, 9});
  ASSERT_EQ(Run(dsp::kAlgebraMinus), 1);
  for (int k = 0; k < kLength; ++k) {
    EXPECT_FLOAT_EQ(Channel(p, 1, 3)[size_t(k)], StoreValue(3, k) - FileValue(0, k));
    EXPECT_FLOAT_EQ(Channel(p, 1, 9)[size_t(k)], StoreValue(9, k) - FileValue(2, k));
  }
  // A spectrum file combines with spectrum channels only.
  Layout(p, 1, {0}, kLength, FileValue);
  p.WFreq[0] = 1;
  ASSERT_EQ(files::WriteDataFileUtil(p, name, store::Store::W, 0), 1);
  Layout(p, 1, {0}, kLength, StoreValue);
  const Snapshot time(p);
  EXPECT_EQ(Run(0), 0);  // a time channel meets a spectrum
  EXPECT_TRUE(Snapshot(p) == time);
  p.WFreq[0] = 1;
  EXPECT_EQ(Run(0), 1);
}

TEST_F(StoreFileAlgebra, ShapeMismatchIsRefusedWithAnErrorAndChangesNothing) {
  Prepare(1);
  // Another length, another channel count, a measurement store against a .W file.
  for (auto [store, channels, length, text] : {std::tuple{1, std::vector<int>{0, 2}, kLength / 2, 440},
                                               {1, std::vector<int>{0, 2, 5}, kLength, 440},
                                               {0, std::vector<int>{0, 2}, kLength, 391}}) {
    Layout(p, store, channels, length, StoreValue);
    const Snapshot before(p);
    EXPECT_EQ(Run(0, store::StoreFromFlag(store)), 0);
    EXPECT_TRUE(Snapshot(p) == before);
    EXPECT_EQ(env.ui.Log().back().title, state::Txt(p, 13));
    EXPECT_EQ(env.ui.Log().back().text.substr(0, 12), state::Txt(p, text).substr(0, 12));
  }
}

TEST_F(StoreFileAlgebra, BadFilesAreReportedAndLeaveTheStoreUnchanged) {
  Prepare(1);
  const std::vector<uint8_t> good = ReadBytes(Path());
  const Snapshot before(p);
  auto edit = [&](auto change) {
    std::vector<uint8_t> b = good;
    change(b);
    return b;
  };
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    int text, title;
  } cases[] = {
      {"identification", edit([](auto& b) { b[3] = 'x'; }), 385, 13},
      {"truncated samples", edit([](auto& b) { b.resize(b.size() - 4); }), 442, 14},
      {"truncated header", edit([](auto& b) { b.resize(100); }), 442, 14},
      {"spectrum", edit([](auto& b) { b[22 + 586] = 1; }), 441,
       14},  // the first file channel claims to be one
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(Path(), c.bytes);
    env.ui.ClearLog();
    EXPECT_EQ(Run(dsp::kAlgebraPlus), 0);
    EXPECT_TRUE(Snapshot(p) == before);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, c.text));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, c.title));
  }
  // Flag channel 100 on while ChannelCount still says 2: the file really
  // claims three channels and must not be read as a two-channel file.
  WriteBytes(Path(), edit([](auto& b) { b[22 + 2 + 2 * 100] = 1; }));
  EXPECT_EQ(Run(0), 0);
  name = "\\DATA\\missing.W";
  EXPECT_EQ(Run(0), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 436));
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(StoreFileAlgebra, AlgebraTakesTheNameFromTheQueueOrTheDialog) {
  Prepare(1);
  store::CopyText(p.DG.NameQueue, "file.W");
  EXPECT_EQ(ops::Algebra(p, Store::W, dsp::kAlgebraPlus), 1);
  EXPECT_FLOAT_EQ(Channel(p, 1, 2)[5], StoreValue(2, 5) + FileValue(2, 5));
  // An empty queue always asks; a cancelled dialog does nothing.
  Layout(p, 1, {0, 2}, kLength, StoreValue);
  store::CopyText(p.DG.NameQueue, "");
  const Snapshot before(p);
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(ops::Algebra(p, Store::W, dsp::kAlgebraPlus), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  EXPECT_EQ(env.ui.Log().back().kind, "file");
  EXPECT_EQ(env.ui.lastFileRequest.title, state::Txt(p, 499));
  env.ui.Push(std::optional<std::string>(Path()));
  EXPECT_EQ(ops::Algebra(p, Store::W, dsp::kAlgebraTimes), 1);
  EXPECT_FLOAT_EQ(Channel(p, 1, 0)[7], StoreValue(0, 7) * FileValue(0, 7));
}

}  // namespace
