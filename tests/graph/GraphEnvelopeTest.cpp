#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "GraphTestSupport.h"
#include "files/DataFileWriter.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "state/GraphWindows.h"
#include "state/UserMessages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Rec;

float Noise(uint32_t& s) {
  s = s * 1664525u + 1013904223u;
  return float(int(s >> 12) % 20001 - 10000) * 0.1f;
}

// What the window draws: the picture buffer and the drawing calls.
std::vector<std::string> Drawn(graph::TDispl10& w) {
  Rec(w).Clear();
  w.Paint();
  std::vector<std::string> out = Rec(w).Ops();
  for (int32_t i = 0; i < w.PictureCount(); ++i)
    out.push_back(std::to_string(w.Picture()[i].x) + "," + std::to_string(w.Picture()[i].y));
  return out;
}

// The same window drawn from the envelopes and from the samples.
void ExpectSamePicture(GraphFixture& f, graph::TDispl10& w, const std::string& what) {
  state::SampleEnvelope& e = f.p.Envelope(store::Store::W);
  const std::vector<std::string> fromEnvelope = Drawn(w);
  e.enabled = false;
  const std::vector<std::string> fromSamples = Drawn(w);
  e.enabled = true;
  EXPECT_EQ(fromEnvelope, fromSamples) << what;
}

TEST(GraphEnvelope, PictureEqualsTheSamplesPicture) {
  const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
  struct Data {
    const char* name;
    int length;
    std::function<float(int, uint32_t&)> value;
  };
  const Data kData[] = {
      {"random", 400'000, [](int, uint32_t& s) { return Noise(s); }},
      {"constant", 400'000, [](int, uint32_t&) { return 3.5f; }},
      {"NaN and Inf runs", 400'000,
       [=](int i, uint32_t& s) {
         if (i % 70'000 < 9'000) return nan;  // whole columns and whole chunks of NaN
         if (i % 5'003 == 0) return i % 2 ? inf : -inf;
         if (i % 131 < 3) return nan;
         return Noise(s);
       }},
      {"single sample", 1, [](int, uint32_t&) { return 7.0f; }},
  };
  struct View {
    int32_t il, span;  // span: IR - IL
  };
  const View kViews[] = {{0, 399'999}, {0, 478 * 64},       {63, 478 * 64 + 1}, {12'345, 478 * 700 + 77},
                         {5, 478 * 3}, {65'530, 478 * 130}, {100, 478 * 17 + 5}};
  for (const Data& d : kData) {
    GraphFixture f(1 << 20);
    std::vector<float> v(size_t(d.length));
    uint32_t seed = 99;
    for (int i = 0; i < d.length; ++i) v[size_t(i)] = d.value(i, seed);
    f.Store(v);
    f.Range(1000, -1000);
    auto w = f.Open();
    for (int envelope : {0, 1}) {
      f.G().Envelope = envelope;
      for (const View& view : kViews) {
        f.View(std::min(view.il, d.length - 1), std::min(view.il + view.span, d.length - 1));
        ExpectSamePicture(f, *w,
                          std::string(d.name) + " envelope " + std::to_string(envelope) + " view " +
                              std::to_string(view.il) + "+" + std::to_string(view.span));
      }
    }
  }
}

// Every kind of change to the samples, then the picture: drawn from stale
// envelopes it would differ from the one drawn from the samples.
TEST(GraphEnvelope, StaysTrueAfterEverySampleChange) {
  GraphFixture f(1 << 21);
  constexpr int32_t kLength = 1 << 18;
  std::vector<float> a(kLength), b(kLength);
  uint32_t seed = 5;
  for (int32_t i = 0; i < kLength; ++i) a[size_t(i)] = Noise(seed), b[size_t(i)] = Noise(seed) * 0.5f;
  f.Store(a, 0);
  f.Store(b, 1);
  f.p.HGW.ChannelCount = 2;
  f.p.DoMess = 0;
  ASSERT_EQ(files::WriteDataFileUtil(f.p, f.env.dir / "other.w", store::Store::W, 0), 1);
  f.Range(2000, -2000);
  auto w = f.Open();
  auto run = [&](const std::string& line, bool inMacro) {
    f.p.MacGoing = inMacro;
    macro::SetQueue(f.p, line);
    macro::ComInterpret(f.p, false, nullptr);
    f.p.MacGoing = 0;
  };
  const std::string other = f.env.dir / "other.w";
  const std::vector<std::pair<std::string, std::function<void()>>> kChanges = {
      {"WBZERO", [&] { run("WBZERO 1,1000,90000", true); }},
      {"CHWADD", [&] { run("CHWADD 1,2", true); }},
      {"CHWMPY", [&] { run("CHWMPY 1,2", false); }},
      {"CHWCOPY", [&] { run("CHWCOPY 2,1", true); }},
      {"RW", [&] { run("RW " + other, true); }},
      {"RWADD", [&] { run("RWADD " + other, false); }},
      {"WDECIM", [&] { run("WDECIM", true); }},
      {"DOUBLE", [&] { run("DOUBLE", true); }},
      {"FFT", [&] { run("FFT 1", true); }},
      {"window's zero offset", [&] { w->UserMessage(state::kZeroOffset, 0); }},
      {"written, then announced",
       [&] {
         f.p.Waveform[77'777] = 1e6f;
         state::DataChanged(f.p, store::Store::W);
       }},
      {"one point appended",
       [&] {
         f.p.Waveform[150'001] = -1e6f;
         state::SamplesWritten(f.p, store::Store::W, 150'001, 150'002);
       }},
  };
  f.G().Envelope = 1;
  for (const auto& [name, change] : kChanges) {
    f.View(0, f.p.HGW.Length - 1);
    (void)Drawn(*w);  // envelopes built from the samples before the change
    change();
    w->UserMessage(state::kDataChanged, 0);  // the window's own view of the record, not the envelopes
    f.View(0, f.p.HGW.Length - 1);
    ExpectSamePicture(f, *w, name);
  }
}

TEST(GraphEnvelope, AnAppendedPointRebuildsOnlyItsChunk) {
  GraphFixture f(1 << 20);
  f.Store(std::vector<float>(1 << 20, 1.0f));
  state::SampleEnvelope& e = f.p.Envelope(store::Store::W);
  const float* data = f.p.Waveform.get();
  (void)e.Query(data, f.p.Waveform.size(), 0, 1 << 20);
  const int64_t built = e.ChunksBuilt();
  f.p.Waveform[300'000] = 9.0f;
  state::SamplesWritten(f.p, store::Store::W, 300'000, 300'001);
  EXPECT_EQ(e.Query(data, f.p.Waveform.size(), 1000, 1 << 20).max, 9.0f);
  EXPECT_EQ(e.ChunksBuilt(), built + 1);
}

// The envelope answers as the scans do, built chunk by chunk on demand or
// all at once on several threads, over ranges ending at chunk and bucket edges.
TEST(GraphEnvelope, QueriesEqualTheScans) {
  using E = state::SampleEnvelope;
  const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
  constexpr int64_t kC = E::kChunk, kN = 20 * kC + 100;
  const std::vector<std::pair<const char*, std::function<float(int64_t, uint32_t&)>>> kData = {
      {"random", [](int64_t, uint32_t& s) { return Noise(s); }},
      {"constant", [](int64_t, uint32_t&) { return -2.0f; }},
      {"NaN and Inf runs", [=](int64_t i, uint32_t& s) {
         if (i % (3 * kC) < kC + 70) return nan;
         if (i % 4'099 == 0) return i % 2 ? inf : -inf;
         return i % 97 < 5 ? nan : Noise(s);
       }}};
  const std::pair<int64_t, int64_t> kRanges[] = {{0, kN},           {63, 129},
                                                 {64, 128},         {kC - 1, 2 * kC + 1},
                                                 {5, 17 * kC + 64}, {3 * kC + 1024, 3 * kC + 2047},
                                                 {kN - 1, kN}};
  for (const auto& [name, value] : kData) {
    std::vector<float> v(static_cast<size_t>(kN));
    uint32_t seed = 7;
    for (int64_t i = 0; i < kN; ++i) v[size_t(i)] = value(i, seed);
    for (bool prepared : {false, true}) {
      E e;
      if (prepared) e.Prepare(v.data(), v.size(), 0, kN);
      for (const auto& [from, to] : kRanges) {
        const E::Extremes a = e.Query(v.data(), v.size(), from, to),
                          b = state::ScanExtremes(v.data(), from, to);
        const E::Extremes c = e.QueryFinite(v.data(), v.size(), from, to);
        const E::Extremes d = state::ScanFiniteExtremes(v.data(), from, to);
        const std::string what = std::string(name) + " " + std::to_string(from) + ".." + std::to_string(to);
        EXPECT_TRUE(a.min == b.min && a.max == b.max) << what;
        EXPECT_TRUE(c.min == d.min && c.max == d.max) << what;
      }
    }
  }
  const float one = 4.0f;
  E e;
  EXPECT_EQ(e.Query(&one, 1, 0, 1).max, 4.0f);
}

// The chunks count in the program's memory while held; short of memory the
// picture is drawn from the samples, the same.
TEST(GraphEnvelope, MemoryIsCountedAndLimited) {
  GraphFixture f(1 << 20);
  std::vector<float> v(1 << 20);
  uint32_t seed = 3;
  for (float& x : v) x = Noise(seed);
  f.Store(v);
  f.Range(1000, -1000);
  auto w = f.Open();
  f.G().Envelope = 1;
  f.View(0, (1 << 20) - 1);
  state::SampleEnvelope& e = f.p.Envelope(store::Store::W);
  const double start = f.p.TotalDataAlloc;
  (void)Drawn(*w);
  EXPECT_GT(e.BytesHeld(), 0u);
  EXPECT_EQ(f.p.TotalDataAlloc, start + double(e.BytesHeld()));
  EXPECT_LE(e.BytesHeld() * 16, v.size() * sizeof(float));
  // A change keeps the blocks for the rebuild; those it leaves unused go at the next.
  const double drawn = f.p.TotalDataAlloc;
  state::SamplesChanged(f.p, store::Store::W);
  (void)Drawn(*w);
  EXPECT_EQ(f.p.TotalDataAlloc, drawn);
  state::SamplesChanged(f.p, store::Store::W);
  state::SamplesChanged(f.p, store::Store::W);
  EXPECT_EQ(f.p.TotalDataAlloc, start);
  f.p.AllocationLimit = start + 3.5 * double(state::SampleEnvelope::kChunkBytes);
  ExpectSamePicture(f, *w, "three chunks at most");
  EXPECT_EQ(e.BytesHeld(), 3 * state::SampleEnvelope::kChunkBytes);
  EXPECT_EQ(f.p.NotEnoughMemory, 0);
}

// The value scale found through the envelope is the one the samples give.
TEST(GraphEnvelope, ScaleEqualsTheSamplesScale) {
  const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
  GraphFixture f(1 << 20);
  std::vector<float> v(300'000);
  uint32_t seed = 11;
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = i % 7'001 == 0 ? inf : i % 9'001 == 0 ? -inf : i % 50 ? Noise(seed) : nan;
  f.Store(v);
  auto w = f.Open();
  state::SampleEnvelope& e = f.p.Envelope(store::Store::W);
  for (const auto& [il, ir] : {std::pair{0, 299'999}, {70, 200'063}, {65'536, 131'071}}) {
    float found[2][2];
    for (bool on : {true, false}) {
      e.enabled = on;
      f.View(il, ir);
      w->VerticalAllExpand();
      found[on][0] = f.G().VMin;
      found[on][1] = f.G().VMax;
    }
    EXPECT_EQ(found[0][0], found[1][0]) << il;
    EXPECT_EQ(found[0][1], found[1][1]) << il;
  }
}

}  // namespace
