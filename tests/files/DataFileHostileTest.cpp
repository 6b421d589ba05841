// Data files that are damaged, truncated or crafted: every one is refused,
// reported, and leaves the stores exactly as they were; failed writes keep
// the previous file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "DataFileTestSupport.h"
#include "files/AtomicFile.h"
#include "files/DataFileLink.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"

namespace {

using datafile_test::FileImage;
using datafile_test::FillStore;
using datafile_test::LastMessageIs;
using datafile_test::Snapshot;
using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

int Read(TestEnv& env, const char* name, int store, int channel = -1, int add = 0) {
  return files::ReadDataFileUtil(env.prog, name, store::StoreFromFlag(store), true, channel,
                                 channel < 0 ? -1 : 0, add);
}

TEST(DataFileHostile, TruncatedAtEveryByteChangesNothing) {
  TestEnv env(4096);
  env.prog.DoMess = 0;
  FillStore(env.prog, 1, {0, 4}, 100);
  ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\full.w", store::Store::W, 0), 1);
  const auto full = ReadBytes(env.dir / "DATA/full.w");
  FillStore(env.prog, 1, {2}, 30);
  FillStore(env.prog, 0, {1}, 30);
  const Snapshot before(env.prog);
  // Identification, header, the first channel record and its samples, the
  // second channel's record.
  for (size_t size = 0; size < 22 + 586 + 478 + 78 + 8; ++size) {
    WriteBytes(env.dir / "DATA/cut.w", std::vector<uint8_t>(full.begin(), full.begin() + long(size)));
    ASSERT_EQ(Read(env, "\\DATA\\cut.w", 1), 0) << size;
    ASSERT_EQ(Read(env, "\\DATA\\cut.w", 1, -1, 1), 0) << size;
    ASSERT_EQ(files::ReadDataFileUtil(env.prog, "\\DATA\\cut.w", store::Store::W, true, 4, 2, false), 0)
        << size;
    ASSERT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\cut.w", store::Store::W), 0) << size;
    ASSERT_TRUE(Snapshot(env.prog) == before) << size;
  }
  // One sample short of the whole file.
  WriteBytes(env.dir / "DATA/cut.w", std::vector<uint8_t>(full.begin(), full.end() - 4));
  EXPECT_EQ(Read(env, "\\DATA\\cut.w", 1), 0);
  EXPECT_TRUE(Snapshot(env.prog) == before);
}

TEST(DataFileHostile, WrongIdentificationOrCapacity) {
  for (auto [capacity, id] :
       {std::pair<int16_t, const char*>{128, "TARVELIN, B 3.0,7/96"}, {-1, nullptr}, {-32768, nullptr}}) {
    TestEnv env(4096);
    FileImage f(capacity, 1, 10);
    f.AddChannel(0, 1.0f);
    if (id) std::memcpy(f.ig().IdText, id, 20);
    f.Write(env.dir / "DATA/bad.w");
    const std::string text =
        id ? state::TxtF(env.prog, 384, {"TARVELIN, B 3.0,7/95"}) : state::Txt(env.prog, 498);
    const Snapshot before(env.prog);
    EXPECT_EQ(Read(env, "\\DATA\\bad.w", 1), 0) << capacity;
    EXPECT_TRUE(LastMessageIs(env, text, id ? 385 : 13)) << capacity;
    EXPECT_EQ(files::WaveformLinkUtil(env.prog, "\\DATA\\bad.w", store::Store::W), 0);
    EXPECT_TRUE(!id || LastMessageIs(env, text, 385));
    EXPECT_TRUE(Snapshot(env.prog) == before);
  }
}

TEST(DataFileHostile, LengthsOutsideTheStoreAreRefused) {
  for (int s : {1, 0}) {
    // Zero, negative, beyond MaxLength, and the flags (128 of them, though
    // ChannelCount says 1) outnumbering what the array holds.
    for (int32_t length : {0, -1, -100000, int32_t(0x80000000), 3000, 2000000000}) {
      TestEnv env(4096);
      env.prog.DG.MaxLength = length == 3000 ? 4096 : 2048;
      FileImage f(128, int16_t(s), length);
      f.AddChannel(0, 1.0f);
      if (length == 3000) {
        f.header().ChannelOn[1] = f.header().ChannelOn[127] = 1;
        f.header().ChannelCount = 1;
      }
      f.Write(env.dir / "DATA/len.x");
      const Snapshot before(env.prog);
      EXPECT_EQ(Read(env, "\\DATA\\len.x", s), 0) << length;
      EXPECT_TRUE(LastMessageIs(env, state::TxtF(env.prog, s ? 389 : 392, {long(length)}), s ? 390 : 393))
          << length;
      EXPECT_EQ(Read(env, "\\DATA\\len.x", s, -1, 1), 0) << length;
      EXPECT_TRUE(length > 0 || Read(env, "\\DATA\\len.x", 1, 0) == 0);
      EXPECT_TRUE(Snapshot(env.prog) == before) << length;
    }
  }
}

TEST(DataFileHostile, UnterminatedTextsEndInsideTheirFields) {
  TestEnv env(4096);
  FileImage f(128, 1, 4);
  f.AddChannel(0, 1.0f);
  std::memset(f.header().Comment, 'c', sizeof f.header().Comment);
  std::memset(f.header().Date, 'd', sizeof f.header().Date);
  auto bytes = f.Bytes();
  std::memset(&bytes[608 + 2], 'n', 76);  // Name, Unit, PrefixCode, XUnit: no terminator anywhere
  WriteBytes(env.dir / "DATA/t.w", bytes);
  ASSERT_EQ(Read(env, "\\DATA\\t.w", 1), 1);
  EXPECT_EQ(std::tuple(std::strlen(env.prog.HGW.Comment), std::strlen(env.prog.HGW.Date),
                       std::strlen(env.prog.FGW[0].Name), std::strlen(env.prog.FGW[0].XUnit)),
            std::tuple(299u, 11u, 29u, 19u));
}

// A failure anywhere keeps the file that was there and leaves no temporary file.
class FailedWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    FillStore(env.prog, 1, {0}, 100);
    ASSERT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\keep.w", store::Store::W, 0), 1);
    previous = ReadBytes(env.dir / "DATA/keep.w");
    FillStore(env.prog, 1, {0, 1, 2, 3, 4, 5, 6, 7}, 400);
  }
  size_t FilesInData() const {
    size_t n = 0;
    for (auto& e : std::filesystem::directory_iterator(env.dir / "DATA")) n += e.is_regular_file();
    return n;
  }
  TestEnv env{4096};
  std::vector<uint8_t> previous;
};

TEST_F(FailedWrite, MissingFolderOrATargetThatCannotBeReplaced) {
  EXPECT_EQ(files::WriteDataFileUtil(env.prog, "\\NOSUCH\\keep.w", store::Store::W, 0), 0);
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 398), 13));
  // A folder, which even root cannot write over: the failure names the file and the system's reason.
  std::filesystem::create_directories(env.dir / "DATA/taken.w/inner");
  files::WriteFailureLog log;
  EXPECT_EQ(files::WriteDataFileUtil(env.prog, "\\DATA\\taken.w", store::Store::W, 0), 0);
  EXPECT_TRUE(std::filesystem::is_directory(env.dir / "DATA/taken.w/inner"));
  EXPECT_EQ(FilesInData(), 1u);
  EXPECT_EQ(log.Entries(), std::vector<std::string>{env.dir / "DATA/taken.w: " + std::strerror(EISDIR)});
}

TEST_F(FailedWrite, DiskFullHalfway) {
  // A file size limit makes the writes fail part of the way, as a full disk does.
  struct sigaction ignore {
  }, old{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &old);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const int ok = files::WriteDataFileUtil(env.prog, "\\DATA\\keep.w", store::Store::W, 0);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &old, nullptr);
  EXPECT_EQ(ok, 0);
  // Said, not only answered: timed saves drop the answer.
  EXPECT_TRUE(LastMessageIs(env, state::Txt(env.prog, 398), 13));
  EXPECT_EQ(ReadBytes(env.dir / "DATA/keep.w"), previous);
  EXPECT_EQ(FilesInData(), 1u);
}

}  // namespace
