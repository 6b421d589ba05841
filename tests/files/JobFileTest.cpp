#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/FixJobFile.h"
#include "files/JobFile.h"
#include "files/JobUser.h"
#include "files/SettingsFiles.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

constexpr int kMarkers = store::kChannels * store::kMarkersPerChannel;

template <typename T>
std::vector<uint8_t> BytesOf(const T* data, size_t n = 1) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(b, b + n * sizeof(T));
}

template <typename T>
void Pattern(T& rec, int seed) {
  auto* b = reinterpret_cast<uint8_t*>(&rec);
  for (size_t i = 0; i < sizeof(T); ++i) b[i] = uint8_t(seed + i * 7);
}

// Every job record filled with distinct bytes, the memory budget kept sane.
void FillJob(state::Program& p, int seed) {
  Pattern(p.MG, seed);
  Pattern(p.PG, seed + 1);
  Pattern(p.DG, seed + 2);
  p.DG.TotalSamples = p.PW;
  p.DG.MaxLength = p.PW / 2;
  std::memset(p.DG.NameQueue, 0, sizeof p.DG.NameQueue);
  for (int i = 0; i < 5; ++i) p.JG.Head[i] = uint8_t(seed + 40 + i);
  for (int ch = 0; ch < store::kChannels; ++ch) {
    Pattern(p.CGW[ch], seed + 3 * ch);
    Pattern(p.CGB[ch], seed + 5 * ch + 1);
  }
  for (int k = 0; k < kMarkers; ++k) {
    Pattern(p.MarkerW[k], seed + k);
    Pattern(p.MarkerB[k], seed + 2 * k + 9);
  }
}

// The job records as bytes: the general, program, data and fixed records, graphs and markers.
std::vector<uint8_t> JobBytes(const state::Program& p) {
  std::vector<uint8_t> v;
  for (const auto& part : {BytesOf(&p.MG), BytesOf(&p.PG), BytesOf(&p.DG), BytesOf(&p.WG),
                           BytesOf(p.CGW.get(), store::kChannels), BytesOf(p.CGB.get(), store::kChannels),
                           BytesOf(p.MarkerW.get(), kMarkers), BytesOf(p.MarkerB.get(), kMarkers)})
    v.insert(v.end(), part.begin(), part.end());
  return v;
}

std::string JobPath(TestEnv& e, const char* name = "\\JOB\\T.JOB") { return e.paths.Resolve(name); }
int Write(TestEnv& e, const std::string& path) { return files::WriteJobFileUtil(e.prog, path.c_str()); }
int Read(TestEnv& e, const std::string& path) { return files::ReadJobFileUtil(e.prog, path.c_str()); }

TEST(JobFile, RoundTripIsByteForByteWithRecordsAtTheirOffsets) {
  TestEnv a;
  FillJob(a.prog, 11);
  a.prog.PG.RefChannel = 0x1234;
  a.prog.DG.MainX = 0x01020304;
  a.prog.CGB[3].IL = 0x0A0B0C0D;
  a.prog.MarkerB[2 * store::kMarkersPerChannel + 1].Index = 0x11223344;
  a.prog.MarkerW[5 * store::kMarkersPerChannel].Index = 0x55667788;
  const std::string path = JobPath(a);
  ASSERT_EQ(Write(a, path), 1);
  std::vector<uint8_t> f = ReadBytes(path);
  ASSERT_EQ(f.size(), files::kJobFileSize);
  auto at = [&f](size_t off) {
    int32_t v;
    std::memcpy(&v, f.data() + off, sizeof v);
    return v;
  };
  EXPECT_EQ(int16_t(at(1551 + offsetof(store::PG_s, RefChannel))), 0x1234);
  EXPECT_EQ(at(1931 + offsetof(store::DG_s, MainX)), 0x01020304);
  EXPECT_EQ(at(5907 + 712 * 3 + offsetof(store::CG_s, IL)), 0x0A0B0C0D);
  EXPECT_EQ(at(97847 + 2320 * 2 + 58), 0x11223344);
  EXPECT_EQ(at(96687 + 2320 * 5), 0x55667788);

  TestEnv b;
  ASSERT_EQ(Read(b, path), 1);
  EXPECT_TRUE(JobBytes(b.prog) == JobBytes(a.prog));
  EXPECT_EQ(std::memcmp(b.prog.JG.Head, a.prog.JG.Head, 5), 0);
  ASSERT_EQ(Write(b, JobPath(b)), 1);
  EXPECT_EQ(ReadBytes(JobPath(b)), f);
}

TEST(JobFile, ShortOrLongFileIsRefusedWithRecordsUnchanged) {
  TestEnv a;
  FillJob(a.prog, 3);
  const std::string path = JobPath(a);
  ASSERT_EQ(Write(a, path), 1);
  std::vector<uint8_t> good = ReadBytes(path);

  TestEnv b;
  FillJob(b.prog, 77);
  b.prog.WG.ExtStartMode = 3;  // the fixed job file must not be read either
  const std::vector<uint8_t> before = JobBytes(b.prog);
  for (long delta : {-1L, +1L, -long(files::kJobFileSize) + 100}) {
    std::vector<uint8_t> bad = good;
    bad.resize(size_t(long(good.size()) + delta), 0xEE);
    WriteBytes(path, bad);
    EXPECT_EQ(Read(b, path), 0) << delta;
    EXPECT_TRUE(JobBytes(b.prog) == before) << delta;
  }
  EXPECT_EQ(Read(b, JobPath(b, "\\JOB\\NONE.JOB")), 0);
  EXPECT_TRUE(JobBytes(b.prog) == before);
}

TEST(JobFile, MacroKeepsItsProgramOptionsAndTheCommandBuffer) {
  TestEnv a;
  FillJob(a.prog, 21);
  const std::string path = JobPath(a);
  ASSERT_EQ(Write(a, path), 1);
  TestEnv b;
  Pattern(b.prog.PG, 99);
  store::CopyText(b.prog.DG.NameQueue, "WW NEXT");
  b.prog.MacGoing = 1;
  const std::vector<uint8_t> mine = BytesOf(&b.prog.PG), file = BytesOf(&a.prog.PG);
  ASSERT_EQ(Read(b, path), 1);
  const std::vector<uint8_t> got = BytesOf(&b.prog.PG);
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], (i >= 28 && i < 296) ? mine[i] : file[i]) << i;
  EXPECT_EQ(store::FieldText(b.prog.DG.NameQueue), "WW NEXT");
  b.prog.MacGoing = 0;
  ASSERT_EQ(Read(b, path), 1);
  EXPECT_EQ(BytesOf(&b.prog.PG), file);
}

TEST(JobFile, MemoryBudgetFromAFileIsBounded) {
  TestEnv e;
  const std::string path = JobPath(e);
  const struct {
    int32_t total, maxLength, wantTotal, wantMax;
  } cases[] = {{-5, 100, 128, 100},
               {0, 0, 128, 128},
               {2'000'000'000, 5, files::kMaxTotalSamples, 5},
               {4096, 1 << 20, 4096, 4096},
               {4096, -1, 4096, 4096}};
  for (const auto& c : cases) {
    e.prog.DG.TotalSamples = c.total;
    e.prog.DG.MaxLength = c.maxLength;
    ASSERT_EQ(Write(e, path), 1);
    ASSERT_EQ(Read(e, path), 1);
    EXPECT_EQ(std::tuple(+e.prog.DG.TotalSamples, +e.prog.DG.MaxLength), std::tuple(c.wantTotal, c.wantMax))
        << c.total;
  }
}

TEST(JobFile, WindowFlagsFollowOpenWindowsOrTheExitRecord) {
  TestEnv e;
  e.prog.HGW.ChannelOn[0] = 1;
  e.prog.MG.WDisplay[0] = 1;
  state::DisplayWave(e.prog, store::Store::W, -1);
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, nullptr), 1);
  EXPECT_EQ(std::tuple(+e.prog.PG.WWindows, +e.prog.PG.MWindows), std::tuple(1, 0));
  // At exit the windows are closed already: the remembered state counts.
  state::UnDisplayWave(e.prog, store::Store::W, -1);
  e.prog.BudeKonecAleAzPoGrafech = 1;
  e.prog.WWindowsOpen = 0;
  e.prog.MWindowsOpen = 1;
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, nullptr), 1);
  std::vector<uint8_t> f = ReadBytes(e.paths.Resolve(files::kJobWorkName));
  int32_t flags[2] = {-1, -1};
  std::memcpy(flags, f.data() + 1551 + 4, 8);
  EXPECT_EQ(std::tuple(flags[0], flags[1]), std::tuple(0, 1));
  // The fixed job file is written beside it.
  EXPECT_EQ(ReadBytes(e.paths.Resolve(files::kFixJobWorkName)).size(), 2u + sizeof(store::WG_s));
}

// --- the user operations ---

class JobUser : public ::testing::Test {
 protected:
  int Write(const char* name, int onlyJob) {
    store::CopyText(p.DG.NameQueue, name);
    return files::WriteJobFile(p, onlyJob);
  }
  int Read(const char* name, int onlyJob) {
    store::CopyText(p.DG.NameQueue, name);
    return files::ReadJobFile(p, onlyJob);
  }
  void Companions(int32_t address, int16_t n, int32_t width, uint32_t colour) {
    p.A[7].BaseAddress = address;
    p.Fun[2].N = n;
    p.Prt[0].Width = width;
    p.Col_[0].TraceColor[4] = colour;
  }
  TestEnv e;
  state::Program& p = e.prog;
};

TEST_F(JobUser, WriteAndReadBackWithCompanionsOrTheJobAlone) {
  FillJob(p, 5);
  Companions(1234, 77, 321, 0x123456);
  ASSERT_EQ(Write("\\JOB\\MINE.JOB", 0), 1);
  const auto savedMG = BytesOf(&p.MG), savedCGB = BytesOf(p.CGB.get(), store::kChannels);
  FillJob(p, 50);
  Companions(0, 0, 0, 0);
  ASSERT_EQ(Read("\\JOB\\MINE.JOB", 0), 1);
  EXPECT_TRUE(BytesOf(&p.MG) == savedMG && BytesOf(p.CGB.get(), store::kChannels) == savedCGB);
  EXPECT_EQ(std::tuple(+p.A[7].BaseAddress, +p.Fun[2].N, +p.Prt[0].Width, +p.Col_[0].TraceColor[4]),
            std::tuple(1234, 77, 321, 0x123456u));
  EXPECT_EQ(store::FieldText(p.DG.JobFile), "\\JOB\\MINE.JOB");

  // Only the job: the companions are neither written nor read; missing ones fall back.
  ASSERT_EQ(Write("\\JOB\\BARE.JOB", 1), 1);
  EXPECT_FALSE(testing_support::FileExists(e.paths.Resolve("\\JOB\\BARE.CAL")));
  p.A[3].BaseAddress = 99;
  p.Fun[4].N = 5;
  ASSERT_EQ(Read("\\JOB\\BARE.JOB", 1), 1);
  EXPECT_EQ(+p.A[3].BaseAddress, +99);
  ASSERT_EQ(Read("\\JOB\\BARE.JOB", 0), 1);
  EXPECT_EQ(std::tuple(+p.A[3].BaseAddress, +p.Fun[4].N, +p.Col_[0].TraceColor[12]),
            std::tuple(+store::A0.BaseAddress, +store::Fun0.N, 0x00FF00u));
}

TEST_F(JobUser, ReadReopensTheWindowsTheJobHad) {
  p.HGW.ChannelOn[1] = 1;
  p.MG.WDisplay[1] = 1;
  state::DisplayWave(p, store::Store::W, -1);
  ASSERT_EQ(Write("\\JOB\\WIN.JOB", 1), 1);
  state::UnDisplayWave(p, store::Store::W, -1);
  ASSERT_EQ(Read("\\JOB\\WIN.JOB", 1), 1);
  EXPECT_TRUE(state::AnyWindowOpen(p, store::Store::W));
  EXPECT_FALSE(state::AnyWindowOpen(p, store::Store::M));
}

TEST_F(JobUser, DialogNamesAndTheOverwriteQuestion) {
  e.ui.Push(std::optional<std::string>(e.paths.Resolve("\\JOB\\") + "/PICKED"));
  ASSERT_EQ(files::WriteJobFile(p, 1), 1);
  const std::string picked = e.paths.Resolve("\\JOB\\PICKED.JOB");
  const std::vector<uint8_t> original = ReadBytes(picked);
  // Existing file, answer No: nothing written; while a macro runs nobody is asked.
  p.MG.RunFlag1 = 42;
  e.ui.Push(platform::Answer::No);
  EXPECT_EQ(Write("\\JOB\\PICKED.JOB", 1), 0);
  EXPECT_EQ(ReadBytes(picked), original);
  e.ui.ClearLog();
  p.MacGoing = 1;
  e.ui.Push(platform::Answer::No);
  EXPECT_EQ(Write("\\JOB\\PICKED.JOB", 1), 1);
  EXPECT_TRUE(e.ui.Log().empty());
  EXPECT_NE(ReadBytes(picked), original);
  // A cancelled dialog ends quietly.
  p.MacGoing = 0;
  e.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::ReadJobFile(p, 0), 0);
}

TEST_F(JobUser, WorkSetRoundTripsThroughTheWorkingNames) {
  FillJob(p, 8);
  p.A[0].BaseAddress = 555;
  ASSERT_EQ(files::WriteWorkJobFiles(p), 1);
  p.A[0].BaseAddress = 0;
  EXPECT_EQ(files::ReadWorkCalibration(p), 1);
  EXPECT_EQ(+p.A[0].BaseAddress, +555);
}

}  // namespace
