// WAV import: chunks walked to the data, channels split, every sample size,
// and damaged files refused with the store left as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "app/Messages.h"
#include "files/WavImport.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using datafile_test::FillStore;
using datafile_test::Snapshot;
using Bytes = std::vector<uint8_t>;
using testing_support::TestEnv;

void Put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, uint16_t(v));
  Put16(b, uint16_t(v >> 16));
}
void Chunk(Bytes& b, const char* id, const Bytes& body, bool pad = true) {
  b.insert(b.end(), id, id + 4);
  Put32(b, uint32_t(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (pad && (body.size() & 1)) b.push_back(0);
}
Bytes Format(int tag, int channels, uint32_t rate, int bits) {
  Bytes f;
  Put16(f, uint16_t(tag));
  Put16(f, uint16_t(channels));
  Put32(f, rate);
  Put32(f, rate * uint32_t(channels * ((bits + 7) / 8)));
  Put16(f, uint16_t(channels * ((bits + 7) / 8)));
  Put16(f, uint16_t(bits));
  return f;
}
// RIFF WAVE around the chunks; the RIFF size is not trusted by the reader.
Bytes Riff(const Bytes& chunks) {
  Bytes b = {'R', 'I', 'F', 'F'};
  Put32(b, uint32_t(chunks.size() + 4));
  b.insert(b.end(), {'W', 'A', 'V', 'E'});
  b.insert(b.end(), chunks.begin(), chunks.end());
  return b;
}
Bytes Samples16(std::initializer_list<int> values) {
  Bytes d;
  for (int v : values) Put16(d, uint16_t(int16_t(v)));
  return d;
}

class WavImportTest : public ::testing::Test {
 protected:
  WavImportTest() { FillStore(p, 1, {2, 5}, 30); }
  std::string Put(const Bytes& bytes) {
    std::string path = env.dir / "DATA/in.wav";
    testing_support::WriteBytes(path, bytes);
    return path;
  }
  float W(int ch, int k) const { return p.Waveform[size_t(ch) * size_t(p.HGW.Length) + size_t(k)]; }
  int Messages(int text) const { return testing_support::MessagesWithText(env.ui, app::Txt(p, text)); }

  TestEnv env;
  app::Program& p = env.prog;
};

TEST_F(WavImportTest, MonoSixteenBitThousandSamples) {
  Bytes data;
  for (int i = 0; i < 1000; ++i) Put16(data, uint16_t(int16_t(i * 30 - 15000)));
  Bytes chunks;
  Chunk(chunks, "fmt ", Format(1, 1, 44100, 16));
  Chunk(chunks, "data", data);
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  EXPECT_EQ(p.HGW.ChannelCount, 1);
  EXPECT_EQ(p.HGW.Length, 1000);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, float(1.0 / 44100));
  EXPECT_EQ(store::FieldText(p.FGW[0].Name), "WAV file");
  EXPECT_EQ(p.HGW.ChannelOn[2], 0);
  EXPECT_FLOAT_EQ(W(0, 0), -15000.0f);
  EXPECT_FLOAT_EQ(W(0, 999), 14970.0f);
  EXPECT_EQ(env.ui.Count("WAV read info"), 1);
  EXPECT_EQ(store::FieldText(p.DG.WaveTextMask), "*.wav");
}

TEST_F(WavImportTest, StereoBehindListAndFactChunksIsSplit) {
  Bytes chunks;
  Chunk(chunks, "LIST",
        Bytes{'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0});  // odd, padded
  Chunk(chunks, "fmt ", Format(1, 2, 8000, 16));
  Chunk(chunks, "fact", Bytes{3, 0, 0, 0});
  Chunk(chunks, "data", Samples16({1, -1, 2, -2, 3, -3}));
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  ASSERT_EQ(p.HGW.ChannelCount, 2);
  ASSERT_EQ(p.HGW.Length, 3);
  EXPECT_FLOAT_EQ(p.FGW[1].Step, 1.0f / 8000);
  for (int k = 0; k < 3; ++k) {
    EXPECT_FLOAT_EQ(W(0, k), float(k + 1));
    EXPECT_FLOAT_EQ(W(1, k), -float(k + 1));
  }
}

TEST_F(WavImportTest, OddChunkWithoutItsPadByteIsStillWalked) {
  Bytes chunks;
  Chunk(chunks, "fmt ", Format(1, 1, 1000, 16));
  Chunk(chunks, "junk", Bytes{1, 2, 3}, false);
  Chunk(chunks, "data", Samples16({7, 8}));
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  EXPECT_EQ(p.HGW.Length, 2);
  EXPECT_FLOAT_EQ(W(0, 1), 8.0f);
}

TEST_F(WavImportTest, EightTwentyFourBitAndFloatSamples) {
  Bytes chunks;
  Chunk(chunks, "fmt ", Format(1, 1, 100, 8));
  Chunk(chunks, "data", Bytes{0, 128, 255});
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  EXPECT_FLOAT_EQ(W(0, 2), 255.0f);  // 8 bits are unsigned

  chunks.clear();
  Chunk(chunks, "fmt ", Format(1, 2, 48000, 24));
  Chunk(chunks, "data", Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0x00, 0x00});
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  ASSERT_EQ(p.HGW.Length, 2);
  EXPECT_FLOAT_EQ(W(0, 0), -1.0f);
  EXPECT_FLOAT_EQ(W(1, 0), -8388608.0f);
  EXPECT_FLOAT_EQ(W(0, 1), 8388607.0f);
  EXPECT_FLOAT_EQ(W(1, 1), 1.0f);

  Bytes data;
  for (float f : {0.5f, -0.25f}) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    Put32(data, u);
  }
  // Extensible header naming IEEE float as its subformat.
  Bytes fmt = Format(0xFFFE, 1, 96000, 32);
  Put16(fmt, 22);
  Put16(fmt, 32);
  Put32(fmt, 4);
  Put16(fmt, 3);
  fmt.resize(40, 0);
  chunks.clear();
  Chunk(chunks, "fmt ", fmt);
  Chunk(chunks, "data", data);
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  EXPECT_FLOAT_EQ(W(0, 0), 0.5f);
  EXPECT_FLOAT_EQ(W(0, 1), -0.25f);
}

TEST_F(WavImportTest, DataSizePastTheEndIsReadToTheEnd) {
  Bytes chunks;
  Chunk(chunks, "fmt ", Format(1, 2, 1000, 16));
  Bytes data = Samples16({1, 2, 3, 4, 5});  // two whole frames and half of one
  chunks.insert(chunks.end(), {'d', 'a', 't', 'a'});
  Put32(chunks, 1000000);
  chunks.insert(chunks.end(), data.begin(), data.end());
  ASSERT_EQ(files::Read_WAV(p, Put(Riff(chunks))), 1);
  EXPECT_EQ(p.HGW.Length, 2);
  EXPECT_FLOAT_EQ(W(1, 1), 4.0f);
}

TEST_F(WavImportTest, MoreThanTheMemoryKeepsTheBeginningAndWarns) {
  TestEnv small(128);
  Bytes data;
  for (int i = 0; i < 300; ++i) Put16(data, uint16_t(i));
  Bytes chunks;
  Chunk(chunks, "fmt ", Format(1, 2, 1000, 16));
  Chunk(chunks, "data", data);
  std::string path = small.dir / "DATA/big.wav";
  testing_support::WriteBytes(path, Riff(chunks));
  ASSERT_EQ(files::Read_WAV(small.prog, path), 1);
  EXPECT_EQ(small.prog.HGW.Length, 64);
  EXPECT_FLOAT_EQ(small.prog.Waveform[64 + 63], 127.0f);
  EXPECT_EQ(small.ui.Count("*.wav read warning"), 1);
}

TEST_F(WavImportTest, DamagedFilesLeaveTheStoreAsItWas) {
  Snapshot before(p);
  auto Try = [&](const Bytes& file) {
    EXPECT_EQ(files::Read_WAV(p, Put(file)), 0);
    EXPECT_TRUE(Snapshot(p) == before);
  };
  auto With = [&](const Bytes& fmt) {
    Bytes chunks;
    Chunk(chunks, "fmt ", fmt);
    Chunk(chunks, "data", Samples16({1, 2, 3, 4}));
    return Riff(chunks);
  };
  Try(With(Format(1, 0, 44100, 16)));    // no channel
  Try(With(Format(1, 1, 44100, 0)));     // no bits
  Try(With(Format(1, 1, 44100, 64)));    // 64 bits
  Try(With(Format(3, 1, 44100, 16)));    // float of 16 bits
  Try(With(Format(2, 1, 44100, 4)));     // compressed
  Try(With(Format(1, 1, 0, 16)));        // no rate
  Try(With(Format(1, 200, 44100, 16)));  // more channels than the store
  EXPECT_EQ(env.ui.Count("WAV read info"), 7);
  Bytes whole = With(Format(1, 1, 44100, 16));
  Try(Bytes(whole.begin(), whole.begin() + 30));  // truncated header
  Try(Bytes(whole.begin(), whole.begin() + 11));
  Bytes noData;
  Chunk(noData, "fmt ", Format(1, 1, 44100, 16));
  Try(Riff(noData));
  Bytes dataFirst;
  Chunk(dataFirst, "data", Samples16({1}));
  Chunk(dataFirst, "fmt ", Format(1, 1, 44100, 16));
  Try(Riff(dataFirst));
  Bytes notWave = whole;
  notWave[8] = 'X';
  Try(notWave);
  Bytes empty;
  Chunk(empty, "fmt ", Format(1, 1, 44100, 16));
  Chunk(empty, "data", {});
  Try(Riff(empty));
  EXPECT_EQ(Messages(316), 13);
}

TEST_F(WavImportTest, CancelledDialogChangesNothing) {
  Snapshot before(p);
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::Read_WAV(p, ""), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  EXPECT_EQ(env.ui.lastFileRequest.mask, "*.WAV");
}

}  // namespace
