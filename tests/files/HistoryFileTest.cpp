#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/HistoryFile.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace {

using testing_support::WriteBytes;

// A .BLK image: block records filled with `fill`, then per channel the given
// entry sizes (data bytes derived from the channel and entry).
struct HistImage {
  std::vector<uint16_t> w[store::kChannels], m[store::kChannels];
  uint8_t fill = 0xAB;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out(960, fill);
    auto put16 = [&out](uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
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

class HistoryFile : public ::testing::Test {
 protected:
  int Read(const std::vector<uint8_t>& bytes) {
    WriteBytes(env.paths.Resolve(files::kHistoryWorkName), bytes);
    return files::ReadHistFile(p);
  }
  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(HistoryFile, EntriesAreAllocatedCountedAndWrittenBackByteForByte) {
  HistImage img;
  img.w[5] = {1000};
  img.m[0] = {3, 0, 2};
  const double before = p.TotalDataAlloc;
  ASSERT_EQ(Read(img.Bytes()), 1);
  EXPECT_EQ(p.TotalDataAlloc, before + 8000 + 40);
  EXPECT_EQ(p.MHNumb[0], 3);
  ASSERT_EQ(p.WHBuf[5][0].size, 1000);
  EXPECT_EQ(p.WHBuf[5][0].data[7999], uint8_t(5 + 0 + 7999));
  // Reading again releases what was held before counting the new entries.
  HistImage other;
  other.fill = 0x5A;
  other.w[0] = {1, 2};
  other.w[127] = std::vector<uint16_t>(10, 7);
  other.m[64] = {300};
  ASSERT_EQ(Read(other.Bytes()), 1);
  EXPECT_EQ(p.TotalDataAlloc, before + 8 * (3 + 70 + 300));
  EXPECT_EQ(p.WHBuf[5][0].data, nullptr);
  ASSERT_EQ(files::WriteHistFile(p, env.paths.Resolve("\\JOB\\COPY.BLK").c_str()), 1);
  EXPECT_EQ(testing_support::ReadBytes(env.paths.Resolve("\\JOB\\COPY.BLK")), other.Bytes());
}

TEST_F(HistoryFile, MalformedFilesAreRefusedWithMemoryUntouched) {
  HistImage held;
  held.w[2] = {4};
  ASSERT_EQ(Read(held.Bytes()), 1);
  const double alloc = p.TotalDataAlloc;
  const uint8_t* data = p.WHBuf[2][0].data.get();

  HistImage tooMany, fine;
  tooMany.w[3] = std::vector<uint16_t>(11, 1);
  fine.m[127] = {5};
  tooMany.fill = fine.fill = 0;
  std::vector<uint8_t> pastEnd = fine.Bytes(), leftOver = fine.Bytes(), hugeEntry = HistImage{}.Bytes();
  pastEnd.pop_back();
  leftOver.push_back(0);
  hugeEntry.resize(960 + 2);
  hugeEntry[960] = 1;                               // one entry in channel 0 ...
  hugeEntry.insert(hugeEntry.end(), {0xFF, 0xFF});  // ... of 65535 points that are not there
  const std::vector<uint8_t> cases[] = {tooMany.Bytes(), pastEnd, leftOver, hugeEntry, {1, 2, 3}, {}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Read(cases[i]), 0) << i;
    EXPECT_EQ(p.TotalDataAlloc, alloc) << i;
    EXPECT_EQ(p.WHBuf[2][0].data.get(), data) << i;
    EXPECT_EQ(p.WBlock[0].Bytes[0], 0xAB) << i;
    EXPECT_EQ(p.WHNumb[3] + p.MHNumb[127], 0) << i;
  }
}

TEST_F(HistoryFile, OutOfMemoryExitsAndKeepsTheOldHistory) {
  HistImage held, big;
  held.w[0] = {2};
  big.w[1] = {60000, 60000};
  ASSERT_EQ(Read(held.Bytes()), 1);
  p.AllocationLimit = p.TotalDataAlloc + 100000;
  EXPECT_EQ(Read(big.Bytes()), 0);
  EXPECT_EQ(std::tuple(p.DoExit, p.WHNumb[0], p.WHNumb[1]), std::tuple(1, 1, 0));
}

}  // namespace
