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

struct JobSnapshot {
  std::vector<uint8_t> mg, pg, dg, wg, cgw, cgb, mw, mb;
  explicit JobSnapshot(const state::Program& p)
      : mg(BytesOf(&p.MG)),
        pg(BytesOf(&p.PG)),
        dg(BytesOf(&p.DG)),
        wg(BytesOf(&p.WG)),
        cgw(BytesOf(p.CGW.get(), store::kChannels)),
        cgb(BytesOf(p.CGB.get(), store::kChannels)),
        mw(BytesOf(p.MarkerW.get(), kMarkers)),
        mb(BytesOf(p.MarkerB.get(), kMarkers)) {}
  bool operator==(const JobSnapshot&) const = default;
};

std::string JobPath(TestEnv& e, const char* name = "\\JOB\\T.JOB") { return e.paths.Resolve(name); }

TEST(JobFile, RoundTripIsByteForByte) {
  TestEnv a;
  FillJob(a.prog, 11);
  const std::string path = JobPath(a);
  ASSERT_EQ(files::WriteJobFileUtil(a.prog, path.c_str()), 1);
  std::vector<uint8_t> first = ReadBytes(path);
  ASSERT_EQ(first.size(), files::kJobFileSize);

  TestEnv b;
  ASSERT_EQ(files::ReadJobFileUtil(b.prog, path.c_str()), 1);
  EXPECT_TRUE(JobSnapshot(b.prog) == JobSnapshot(a.prog));
  EXPECT_EQ(std::memcmp(b.prog.JG.Head, a.prog.JG.Head, 5), 0);

  const std::string again = JobPath(b);
  ASSERT_EQ(files::WriteJobFileUtil(b.prog, again.c_str()), 1);
  EXPECT_EQ(ReadBytes(again), first);
}

TEST(JobFile, RecordsSitAtTheirFileOffsets) {
  TestEnv e;
  e.prog.PG.RefChannel = 0x1234;
  e.prog.DG.MainX = 0x01020304;
  e.prog.CGB[3].IL = 0x0A0B0C0D;
  e.prog.MarkerB[2 * store::kMarkersPerChannel + 1].Index = 0x11223344;
  e.prog.MarkerW[5 * store::kMarkersPerChannel].Index = 0x55667788;
  const std::string path = JobPath(e);
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, path.c_str()), 1);
  std::vector<uint8_t> f = ReadBytes(path);
  ASSERT_EQ(f.size(), files::kJobFileSize);
  auto at = [&f](size_t off, auto value) {
    decltype(value) v;
    std::memcpy(&v, f.data() + off, sizeof v);
    return v == value;
  };
  EXPECT_TRUE(at(1551 + offsetof(store::PG_s, RefChannel), int16_t(0x1234)));
  EXPECT_TRUE(at(1931 + offsetof(store::DG_s, MainX), int32_t(0x01020304)));
  EXPECT_TRUE(at(5907 + 712 * 3 + offsetof(store::CG_s, IL), int32_t(0x0A0B0C0D)));
  EXPECT_TRUE(at(97847 + 2320 * 2 + 58, int32_t(0x11223344)));
  EXPECT_TRUE(at(96687 + 2320 * 5, int32_t(0x55667788)));
}

TEST(JobFile, ShortOrLongFileIsRefusedWithRecordsUnchanged) {
  TestEnv a;
  FillJob(a.prog, 3);
  const std::string path = JobPath(a);
  ASSERT_EQ(files::WriteJobFileUtil(a.prog, path.c_str()), 1);
  std::vector<uint8_t> good = ReadBytes(path);

  TestEnv b;
  FillJob(b.prog, 77);
  b.prog.WG.ExtStartMode = 3;  // the fixed job file must not be read either
  const JobSnapshot before(b.prog);
  for (long delta : {-1L, +1L, -long(files::kJobFileSize) + 100}) {
    std::vector<uint8_t> bad = good;
    bad.resize(size_t(long(good.size()) + delta), 0xEE);
    WriteBytes(path, bad);
    EXPECT_EQ(files::ReadJobFileUtil(b.prog, path.c_str()), 0) << delta;
    EXPECT_TRUE(JobSnapshot(b.prog) == before) << delta;
  }
  EXPECT_EQ(files::ReadJobFileUtil(b.prog, JobPath(b, "\\JOB\\NONE.JOB").c_str()), 0);
  EXPECT_TRUE(JobSnapshot(b.prog) == before);
}

TEST(JobFile, MacroKeepsItsProgramOptionsAndTheCommandBuffer) {
  TestEnv a;
  FillJob(a.prog, 21);
  const std::string path = JobPath(a);
  ASSERT_EQ(files::WriteJobFileUtil(a.prog, path.c_str()), 1);

  TestEnv b;
  Pattern(b.prog.PG, 99);
  store::CopyText(b.prog.DG.NameQueue, "WW NEXT");
  b.prog.MacGoing = 1;
  const std::vector<uint8_t> mine = BytesOf(&b.prog.PG);
  ASSERT_EQ(files::ReadJobFileUtil(b.prog, path.c_str()), 1);
  const std::vector<uint8_t> got = BytesOf(&b.prog.PG);
  const std::vector<uint8_t> file = BytesOf(&a.prog.PG);
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], (i >= 28 && i < 296) ? mine[i] : file[i]) << i;
  EXPECT_EQ(store::FieldText(b.prog.DG.NameQueue), "WW NEXT");

  b.prog.MacGoing = 0;
  ASSERT_EQ(files::ReadJobFileUtil(b.prog, path.c_str()), 1);
  EXPECT_EQ(BytesOf(&b.prog.PG), file);
}

TEST(JobFile, MemoryBudgetFromAFileIsBounded) {
  TestEnv e;
  const std::string path = JobPath(e);
  struct Case {
    int32_t total, maxLength, wantTotal, wantMax;
  } cases[] = {{-5, 100, 128, 100},
               {0, 0, 128, 128},
               {2'000'000'000, 5, files::kMaxTotalSamples, 5},
               {4096, 1 << 20, 4096, 4096},
               {4096, -1, 4096, 4096}};
  for (const Case& c : cases) {
    e.prog.DG.TotalSamples = c.total;
    e.prog.DG.MaxLength = c.maxLength;
    ASSERT_EQ(files::WriteJobFileUtil(e.prog, path.c_str()), 1);
    ASSERT_EQ(files::ReadJobFileUtil(e.prog, path.c_str()), 1);
    EXPECT_EQ(+e.prog.DG.TotalSamples, +c.wantTotal) << c.total;
    EXPECT_EQ(+e.prog.DG.MaxLength, +c.wantMax) << c.total;
  }
}

TEST(JobFile, WindowFlagsFollowOpenWindowsOrTheExitRecord) {
  TestEnv e;
  e.prog.HGW.ChannelOn[0] = 1;
  e.prog.MG.WDisplay[0] = 1;
  state::DisplayWave(e.prog, store::Store::W, -1);
  ASSERT_TRUE(state::AnyWindowOpen(e.prog, store::Store::W));
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, nullptr), 1);
  EXPECT_EQ(+e.prog.PG.WWindows, +1);
  EXPECT_EQ(+e.prog.PG.MWindows, +0);

  // At exit the windows are closed already: the remembered state counts.
  state::UnDisplayWave(e.prog, store::Store::W, -1);
  e.prog.BudeKonecAleAzPoGrafech = 1;
  e.prog.WWindowsOpen = 0;
  e.prog.MWindowsOpen = 1;
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, nullptr), 1);
  std::vector<uint8_t> f = ReadBytes(e.paths.Resolve(files::kJobWorkName));
  int32_t w = -1, m = -1;
  std::memcpy(&w, f.data() + 1551 + 4, 4);
  std::memcpy(&m, f.data() + 1551 + 8, 4);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(m, 1);
  // The fixed job file is written beside it.
  EXPECT_EQ(ReadBytes(e.paths.Resolve(files::kFixJobWorkName)).size(), 2u + sizeof(store::WG_s));
}

// --- the user operations ---

TEST(JobUser, WriteAndReadBackWithCompanions) {
  TestEnv e;
  FillJob(e.prog, 5);
  e.prog.A[7].BaseAddress = 1234;
  e.prog.Fun[2].N = 77;
  e.prog.Prt[0].Width = 321;
  e.prog.Col_[0].TraceColor[4] = 0x123456;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\MINE.JOB");
  ASSERT_EQ(files::WriteJobFile(e.prog, 0), 1);
  const JobSnapshot saved(e.prog);

  FillJob(e.prog, 50);
  e.prog.A[7].BaseAddress = 0;
  e.prog.Fun[2].N = 0;
  e.prog.Prt[0].Width = 0;
  e.prog.Col_[0].TraceColor[4] = 0;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\MINE.JOB");
  ASSERT_EQ(files::ReadJobFile(e.prog, 0), 1);
  EXPECT_EQ(BytesOf(&e.prog.MG), saved.mg);
  EXPECT_EQ(BytesOf(e.prog.CGB.get(), store::kChannels), saved.cgb);

  EXPECT_EQ(+e.prog.A[7].BaseAddress, +1234);
  EXPECT_EQ(+e.prog.Fun[2].N, +77);
  EXPECT_EQ(+e.prog.Prt[0].Width, +321);
  EXPECT_EQ(+e.prog.Col_[0].TraceColor[4], +0x123456u);
  EXPECT_EQ(store::FieldText(e.prog.DG.JobFile), "\\JOB\\MINE.JOB");
}

TEST(JobUser, OnlyJobLeavesCompanionsAloneAndMissingOnesFallBack) {
  TestEnv e;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\BARE.JOB");
  ASSERT_EQ(files::WriteJobFile(e.prog, 1), 1);
  EXPECT_FALSE(testing_support::FileExists(e.paths.Resolve("\\JOB\\BARE.CAL")));

  e.prog.A[3].BaseAddress = 99;
  e.prog.Fun[4].N = 5;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\BARE.JOB");
  ASSERT_EQ(files::ReadJobFile(e.prog, 1), 1);
  EXPECT_EQ(+e.prog.A[3].BaseAddress, +99);

  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\BARE.JOB");
  ASSERT_EQ(files::ReadJobFile(e.prog, 0), 1);
  EXPECT_EQ(+e.prog.A[3].BaseAddress, +store::A0.BaseAddress);
  EXPECT_EQ(+e.prog.Fun[4].N, +store::Fun0.N);
  EXPECT_EQ(+e.prog.Col_[0].TraceColor[12], +0x00FF00u);
}

TEST(JobUser, FailedReadShowsTextAndChangesNothing) {
  TestEnv e;
  const JobSnapshot before(e.prog);
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\ABSENT.JOB");
  EXPECT_EQ(files::ReadJobFile(e.prog, 0), 0);
  EXPECT_EQ(e.ui.LastText(), state::Txt(e.prog, 321));
  EXPECT_TRUE(JobSnapshot(e.prog) == before);
}

TEST(JobUser, OtherMemoryBudgetEndsTheProgram) {
  TestEnv e;
  e.prog.DG.TotalSamples = e.prog.PW * 2;
  e.prog.PG.WWindows = 1;
  ASSERT_EQ(files::WriteJobFileUtil(e.prog, e.paths.Resolve("\\JOB\\BIG.JOB").c_str()), 1);
  e.prog.DG.TotalSamples = e.prog.PW;

  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\BIG.JOB");
  EXPECT_EQ(files::ReadJobFile(e.prog, 1), 0);
  EXPECT_EQ(e.ui.LastText(), state::Txt(e.prog, 322));
  EXPECT_EQ(e.prog.BudeKonecAleAzPoGrafech, 1);
  EXPECT_EQ(+e.prog.DG.TotalSamples, +e.prog.PW * 2);  // written at exit for the next start
  EXPECT_FALSE(state::AnyWindowOpen(e.prog, store::Store::W));
}

TEST(JobUser, ReadReopensTheWindowsTheJobHad) {
  TestEnv e;
  e.prog.HGW.ChannelOn[1] = 1;
  e.prog.MG.WDisplay[1] = 1;
  state::DisplayWave(e.prog, store::Store::W, -1);
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\WIN.JOB");
  ASSERT_EQ(files::WriteJobFile(e.prog, 1), 1);
  state::UnDisplayWave(e.prog, store::Store::W, -1);

  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\WIN.JOB");
  ASSERT_EQ(files::ReadJobFile(e.prog, 1), 1);
  EXPECT_TRUE(state::AnyWindowOpen(e.prog, store::Store::W));
  EXPECT_FALSE(state::AnyWindowOpen(e.prog, store::Store::M));
}

TEST(JobUser, DialogNamesAndTheOverwriteQuestion) {
  TestEnv e;
  e.ui.Push(std::optional<std::string>(e.paths.Resolve("\\JOB\\") + "/PICKED"));
  ASSERT_EQ(files::WriteJobFile(e.prog, 1), 1);
  const std::string picked = e.paths.Resolve("\\JOB\\PICKED.JOB");
  ASSERT_TRUE(testing_support::FileExists(picked));
  const std::vector<uint8_t> original = ReadBytes(picked);

  // Existing file, answer No: nothing written.
  e.prog.MG.RunFlag1 = 42;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\PICKED.JOB");
  e.ui.Push(platform::Answer::No);
  EXPECT_EQ(files::WriteJobFile(e.prog, 1), 0);
  EXPECT_EQ(ReadBytes(picked), original);

  // While a macro runs nobody is asked.
  e.ui.ClearLog();
  e.prog.MacGoing = 1;
  store::CopyText(e.prog.DG.NameQueue, "\\JOB\\PICKED.JOB");
  e.ui.Push(platform::Answer::No);
  EXPECT_EQ(files::WriteJobFile(e.prog, 1), 1);
  EXPECT_TRUE(e.ui.Log().empty());
  EXPECT_NE(ReadBytes(picked), original);

  // A cancelled dialog ends quietly.
  e.prog.MacGoing = 0;
  e.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::ReadJobFile(e.prog, 0), 0);
}

TEST(JobUser, WorkSetRoundTripsThroughTheWorkingNames) {
  TestEnv a;
  FillJob(a.prog, 8);
  a.prog.A[0].BaseAddress = 555;
  ASSERT_EQ(files::WriteWorkJobFiles(a.prog), 1);
  a.prog.A[0].BaseAddress = 0;
  EXPECT_EQ(files::ReadWorkCalibration(a.prog), 1);
  EXPECT_EQ(+a.prog.A[0].BaseAddress, +555);
}

}  // namespace
