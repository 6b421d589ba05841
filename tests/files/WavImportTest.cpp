// WAV import: one writer produces each variant (format, bits, channels,
// byte order, chunk oddities); the samples come back exactly, or the file is
// refused with the store left as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "files/WavImport.h"

namespace {

using datafile_test::Snapshot;
using Bytes = std::vector<uint8_t>;

struct Wav {
  int tag = 1;  // 0xFFFE: extensible with subformat `sub`
  int sub = 1;
  int channels = 1;
  int bits = 16;  // container
  int valid = 0;  // extensible valid bits, or PCM bits below the container (0: all)
  bool rifx = false;
  uint32_t rate = 8000;
  bool oddChunks = false;      // padded LIST before "fmt ", unpadded junk after, LIST after the data
  std::vector<double> values;  // interleaved frames, as imported
  long long claim = -1;        // data chunk size written (-1: the true size)
  size_t cut = 0;              // bytes dropped from the end
};

void Put(Bytes& b, uint64_t v, int n, bool big) {
  for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * (big ? n - 1 - i : i))));
}
void Chunk(Bytes& b, const char* id, const Bytes& body, bool big, bool pad = true) {
  b.insert(b.end(), id, id + 4);
  Put(b, body.size(), 4, big);
  b.insert(b.end(), body.begin(), body.end());
  if (pad && (body.size() & 1)) b.push_back(0);
}

Bytes Write(const Wav& w) {
  const bool big = w.rifx;
  const int bytes = (w.bits + 7) / 8, format = w.tag == 0xFFFE ? w.sub : w.tag;
  const int valid = w.valid ? w.valid : w.bits;
  Bytes fmt, data, chunks;
  for (auto [v, n] : {std::pair<uint64_t, int>{uint64_t(w.tag), 2},
                      {uint64_t(w.channels), 2},
                      {w.rate, 4},
                      {uint64_t(w.rate) * uint64_t(w.channels * bytes), 4},
                      {uint64_t(w.channels * bytes), 2},
                      {uint64_t(w.bits), 2}})
    Put(fmt, v, n, big);
  if (w.tag == 0xFFFE) {
    for (auto [v, n] : {std::pair<uint64_t, int>{22, 2}, {uint64_t(valid), 2}, {0, 4}, {uint64_t(w.sub), 2}})
      Put(fmt, v, n, big);
    fmt.resize(40, 0x11);
  }
  for (double v : w.values) {
    uint64_t u = 0;
    if (format == 3 && bytes == 4) {
      float f = float(v);
      std::memcpy(&u, &f, 4);  // little-endian host: the low bytes
    } else if (format == 3) {
      std::memcpy(&u, &v, 8);
    } else {
      u = uint64_t(int64_t(v)) << (bytes * 8 - valid);  // left-justified
    }
    Put(data, u, bytes, big);
  }
  if (w.oddChunks) Chunk(chunks, "LIST", Bytes{'I', 'N', 'F', 'O', 'x'}, big);
  Chunk(chunks, "fmt ", fmt, big);
  if (w.oddChunks) Chunk(chunks, "junk", Bytes{1, 2, 3}, big, false);
  Chunk(chunks, "data", data, big);
  if (w.claim >= 0) {
    Bytes size;
    Put(size, uint64_t(w.claim), 4, big);
    std::copy(size.begin(), size.end(), chunks.end() - long(data.size()) - 4 - long(data.size() & 1));
  }
  if (w.oddChunks) Chunk(chunks, "LIST", Bytes{'a', 'b', 'c'}, big);
  Bytes b(w.rifx ? "RIFX" : "RIFF", (w.rifx ? "RIFX" : "RIFF") + 4);
  Put(b, chunks.size() + 4, 4, big);
  b.insert(b.end(), {'W', 'A', 'V', 'E'});
  b.insert(b.end(), chunks.begin(), chunks.end());
  b.resize(b.size() - w.cut);
  return b;
}

class WavImportTest : public ::testing::Test {
 protected:
  WavImportTest() { datafile_test::FillStore(p, 1, {2, 5}, 30); }
  int Import(const Bytes& bytes) {
    testing_support::WriteBytes(env.dir / "DATA/in.wav", bytes);
    return files::Read_WAV(p, env.dir / "DATA/in.wav");
  }
  float W(int ch, int k) const { return p.Waveform[size_t(ch) * size_t(p.HGW.Length) + size_t(k)]; }

  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(WavImportTest, EveryVariantImportsWhatTheFileHolds) {
  const std::vector<double> stereo16 = {1, -1, -32768, 32767, 300, -300};
  const struct {
    const char* what;
    Wav wav;
    int frames;    // whole frames expected
    int warnings;  // "*.wav read warning"
  } cases[] = {
      {"8-bit unsigned", {.bits = 8, .values = {0, 128, 255}}, 3, 0},
      {"16-bit stereo", {.channels = 2, .values = stereo16}, 3, 0},
      {"12 of 16 bits", {.tag = 0xFFFE, .bits = 16, .valid = 12, .values = {-2048, 2047}}, 2, 0},
      {"20-bit", {.bits = 20, .values = {-524288, 524287, 5}}, 3, 0},
      {"24-bit stereo", {.channels = 2, .bits = 24, .values = {-1, -8388608, 8388607, 1}}, 2, 0},
      {"32-bit", {.bits = 32, .values = {-2147483648.0, 16777216, -7}}, 3, 0},
      {"float 32", {.tag = 3, .bits = 32, .values = {0.5, -0.25, 1e30}}, 3, 0},
      {"float 64", {.tag = 3, .bits = 64, .values = {0.1, -2.5, 1e-3}}, 3, 0},
      {"extensible float", {.tag = 0xFFFE, .sub = 3, .bits = 32, .values = {0.75, -1}}, 2, 0},
      {"extensible 20 in 24", {.tag = 0xFFFE, .bits = 24, .valid = 20, .values = {-3, 524287}}, 2, 0},
      {"RIFX 16-bit stereo", {.channels = 2, .rifx = true, .values = stereo16}, 3, 0},
      {"RIFX 24-bit", {.bits = 24, .rifx = true, .values = {-8388608, 65536}}, 2, 0},
      {"RIFX float 64", {.tag = 3, .bits = 64, .rifx = true, .values = {0.125, 3}}, 2, 0},
      {"odd chunks", {.channels = 2, .oddChunks = true, .values = stereo16}, 3, 0},
      {"claims more", {.channels = 2, .values = stereo16, .claim = 1000000}, 3, 1},
      {"ends early", {.channels = 2, .values = stereo16, .cut = 3}, 2, 1},
      {"130 channels", {.channels = 130, .values = std::vector<double>(260, 7)}, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    env.ui.ClearLog();
    ASSERT_EQ(Import(Write(c.wav)), 1);
    const int n = std::min(c.wav.channels, 128);
    ASSERT_EQ(std::tuple(p.HGW.ChannelCount, p.HGW.Length), std::tuple(n, c.frames));
    EXPECT_EQ(n < 128 ? p.HGW.ChannelOn[n] : 0, 0);
    EXPECT_EQ(p.FGW[n - 1].Step, float(1.0 / 8000));
    EXPECT_EQ(store::FieldText(p.FGW[0].Name), "WAV file");
    for (int ch = 0; ch < n; ++ch)
      for (int k = 0; k < c.frames; ++k)
        EXPECT_EQ(W(ch, k), float(c.wav.values[size_t(k * c.wav.channels + ch)])) << ch << "," << k;
    EXPECT_EQ(env.ui.Count("*.wav read warning"), c.warnings);
  }
  EXPECT_EQ(store::FieldText(p.DG.WaveTextMask), "*.wav");
}

TEST_F(WavImportTest, UnimportableFilesAreRefusedWithTheStoreAsItWas) {
  Snapshot before(p);
  const Bytes good = Write({.values = {1, 2}});
  Bytes rf64 = good, notWave = good, dataFirst(good.begin(), good.begin() + 12);
  std::memcpy(rf64.data(), "RF64", 4);
  notWave[8] = 'X';
  Chunk(dataFirst, "data", Bytes{1, 0}, false);
  dataFirst.insert(dataFirst.end(), good.begin() + 12, good.begin() + 36);
  const std::pair<Bytes, const char*> cases[] = {
      {Write({.tag = 0x55, .values = {1, 2}}), "MPEG Layer 3"},
      {Write({.tag = 0xFFFE, .sub = 6, .bits = 8, .values = {1, 2}}), "A-law"},
      {Write({.tag = 0x1234, .values = {1, 2}}), "0x1234"},
      {Write({.channels = 0, .values = {}}), "no channel"},
      {Write({.rate = 0, .values = {1, 2}}), "no sample rate"},
      {Write({.bits = 0, .values = {}}), "of 0 bits"},
      {Write({.bits = 64, .values = {1}}), "of 64 bits"},
      {Write({.tag = 3, .bits = 16, .values = {1}}), "of 16 bits"},
      {Write({.tag = 0xFFFE, .bits = 16, .valid = 20, .values = {}}), "valid bits"},
      {Write({.values = {}}), "no whole sample frame"},
      {Write({.bits = 24, .values = {1}, .cut = 2}), "no whole sample frame"},
      {Bytes(good.begin(), good.begin() + 30), "format chunk is cut short"},
      {Bytes(good.begin(), good.begin() + 11), "too short"},
      {Bytes(good.begin(), good.begin() + 36), "no data chunk"},
      {dataFirst, "no format chunk before"},
      {notWave, "not a RIFF WAVE"},
      {rf64, "RF64"},
  };
  p.DG.Language = 0;  // the reasons are the English wording
  for (const auto& [file, reason] : cases) {
    SCOPED_TRACE(reason);
    env.ui.ClearLog();
    EXPECT_EQ(Import(file), 0);
    EXPECT_TRUE(Snapshot(p) == before);
    EXPECT_EQ(std::tuple(env.ui.Count("Cannot import"), env.ui.Count(reason)), std::tuple(1, 1));
  }
  // A cancelled dialog changes nothing either.
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::Read_WAV(p, ""), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  EXPECT_EQ(env.ui.lastFileRequest.mask, "*.WAV");
}

TEST(WavImportMemory, MoreThanTheMemoryKeepsTheBeginningAndWarns) {
  testing_support::TestEnv small(128);
  Wav w{.channels = 2, .values = {}};
  for (int i = 0; i < 300; ++i) w.values.push_back(i);
  testing_support::WriteBytes(small.dir / "DATA/big.wav", Write(w));
  ASSERT_EQ(files::Read_WAV(small.prog, small.dir / "DATA/big.wav"), 1);
  EXPECT_EQ(std::tuple(small.prog.HGW.Length, small.prog.Waveform[64 + 63]), std::tuple(64, 127.0f));
  EXPECT_EQ(testing_support::MessagesWithText(small.ui, state::Txt(small.prog, 1309)), 1);
  EXPECT_EQ(small.ui.Count("*.wav read warning"), 1);
}

}  // namespace
