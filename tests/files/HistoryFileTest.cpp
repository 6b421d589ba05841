#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/HistoryFile.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

// A .BLK image: block records filled with `fill`, then per channel the given
// entry sizes (data bytes derived from the channel and entry).
struct HistImage {
  std::vector<uint16_t> w[store::kChannels], m[store::kChannels];
  uint8_t fill = 0xAB;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out(960, fill);
    auto put16 = [&out](uint16_t v) {
      out.push_back(uint8_t(v));
      out.push_back(uint8_t(v >> 8));
    };
    for (const auto* table : {w, m})
      for (int ch = 0; ch < store::kChannels; ++ch) {
        put16(uint16_t(table[ch].size()));
        for (size_t k = 0; k < table[ch].size(); ++k) {
          put16(table[ch][k]);
          for (size_t i = 0; i < size_t(table[ch][k]) * 8; ++i) out.push_back(uint8_t(ch + k + i));
        }
      }
    return out;
  }
};

std::string BlkPath(TestEnv& e) { return e.paths.Resolve(files::kHistoryWorkName); }

TEST(HistoryFile, EntryIsAllocatedAndCounted) {
  TestEnv e;
  HistImage img;
  img.w[5] = {1000};
  img.m[0] = {3, 0, 2};
  WriteBytes(BlkPath(e), img.Bytes());
  const double before = e.prog.TotalDataAlloc;
  ASSERT_EQ(files::ReadHistFile(e.prog), 1);
  EXPECT_EQ(e.prog.TotalDataAlloc, before + 8000 + 40);
  EXPECT_EQ(e.prog.MHNumb[0], 3);
  ASSERT_EQ(e.prog.WHBuf[5][0].size, 1000);
  EXPECT_EQ(e.prog.WHBuf[5][0].data[7999], uint8_t(5 + 0 + 7999));

  // Reading again releases what was held before counting the new entries.
  HistImage small;
  small.w[1] = {10};
  WriteBytes(BlkPath(e), small.Bytes());
  ASSERT_EQ(files::ReadHistFile(e.prog), 1);
  EXPECT_EQ(e.prog.TotalDataAlloc, before + 80);
  EXPECT_EQ(e.prog.WHBuf[5][0].data, nullptr);
}

TEST(HistoryFile, RoundTripIsByteForByte) {
  TestEnv e;
  HistImage img;
  img.fill = 0x5A;
  img.w[0] = {1, 2};
  img.w[127] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
  img.m[64] = {300};
  const std::vector<uint8_t> bytes = img.Bytes();
  WriteBytes(BlkPath(e), bytes);
  ASSERT_EQ(files::ReadHistFile(e.prog), 1);
  ASSERT_EQ(files::WriteHistFile(e.prog, e.paths.Resolve("\\JOB\\COPY.BLK").c_str()), 1);
  EXPECT_EQ(ReadBytes(e.paths.Resolve("\\JOB\\COPY.BLK")), bytes);
}

TEST(HistoryFile, MalformedFilesAreRefusedWithMemoryUntouched) {
  TestEnv e;
  HistImage held;
  held.w[2] = {4};
  WriteBytes(BlkPath(e), held.Bytes());
  ASSERT_EQ(files::ReadHistFile(e.prog), 1);
  const double alloc = e.prog.TotalDataAlloc;
  const uint8_t* data = e.prog.WHBuf[2][0].data.get();

  HistImage tooMany;
  tooMany.w[3] = std::vector<uint16_t>(11, 1);
  tooMany.fill = 0;
  HistImage fine;
  fine.m[127] = {5};
  fine.fill = 0;
  std::vector<uint8_t> pastEnd = fine.Bytes();
  pastEnd.resize(pastEnd.size() - 1);
  std::vector<uint8_t> leftOver = fine.Bytes();
  leftOver.push_back(0);
  std::vector<uint8_t> hugeEntry = HistImage{}.Bytes();
  hugeEntry.resize(960 + 2);
  hugeEntry[960] = 1;  // one entry in channel 0 ...
  hugeEntry.push_back(0xFF);
  hugeEntry.push_back(0xFF);  // ... of 65535 points that are not there
  const std::vector<uint8_t> cases[] = {tooMany.Bytes(), pastEnd, leftOver, hugeEntry, {1, 2, 3}, {}};

  for (size_t i = 0; i < std::size(cases); ++i) {
    WriteBytes(BlkPath(e), cases[i]);
    EXPECT_EQ(files::ReadHistFile(e.prog), 0) << i;
    EXPECT_EQ(e.prog.TotalDataAlloc, alloc) << i;
    EXPECT_EQ(e.prog.WHBuf[2][0].data.get(), data) << i;

    EXPECT_EQ(e.prog.WBlock[0].Bytes[0], 0xAB) << i;
    EXPECT_EQ(e.prog.WHNumb[3] + e.prog.MHNumb[127], 0) << i;
  }
}

TEST(HistoryFile, OutOfMemoryExitsAndKeepsTheOldHistory) {
  TestEnv e;
  HistImage held;
  held.w[0] = {2};
  WriteBytes(BlkPath(e), held.Bytes());
  ASSERT_EQ(files::ReadHistFile(e.prog), 1);

  HistImage big;
  big.w[1] = {60000, 60000};
  WriteBytes(BlkPath(e), big.Bytes());
  e.prog.AllocationLimit = e.prog.TotalDataAlloc + 100000;
  EXPECT_EQ(files::ReadHistFile(e.prog), 0);
  EXPECT_EQ(e.prog.DoExit, 1);
  EXPECT_EQ(e.prog.WHNumb[0], 1);
  EXPECT_EQ(e.prog.WHNumb[1], 0);
}

}  // namespace
