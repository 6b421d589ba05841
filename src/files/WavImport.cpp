#include "files/WavImport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"

namespace files {
namespace {

constexpr int kMaxChannels = 128;
constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;

uint16_t U16(const uint8_t* b) { return uint16_t(b[0] | (b[1] << 8)); }
uint32_t U32(const uint8_t* b) {
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

bool ReadAt(InputFile& in, long long offset, void* data, size_t bytes) {
  return std::fseek(in.file(), long(offset), SEEK_SET) == 0 && in.Read(data, bytes);
}

// Whether four bytes at `offset` look like a chunk name (printable ASCII).
bool ChunkIdAt(InputFile& in, long long offset) {
  uint8_t id[4];
  if (!ReadAt(in, offset, id, 4)) return false;
  return std::all_of(id, id + 4, [](uint8_t c) { return c >= 0x20 && c <= 0x7E; });
}

int BytesPerSample(int bits) {
  if (bits >= 1 && bits <= 8) return 1;
  if (bits <= 16) return 2;
  if (bits <= 24) return 3;
  return 4;
}

WavCheck CheckFormat(WavLayout& w) {
  if (w.channels < 1 || w.channels > kMaxChannels || w.rate == 0 || w.bits < 1 || w.bits > 32)
    return WavCheck::BadFormat;
  if (w.tag == kFormatFloat ? w.bits != 32 : w.tag != kFormatPcm) return WavCheck::BadFormat;
  return WavCheck::Ok;
}

float Sample(const uint8_t* b, const WavLayout& w) {
  switch (w.bytes) {
    case 1:
      return float(b[0]);
    case 2:
      return float(int16_t(U16(b)));
    case 3: {
      int32_t v = int32_t(b[0] | (b[1] << 8) | (b[2] << 16));
      if (v & 0x800000) v -= 0x1000000;
      return float(v);
    }
    default: {
      uint32_t u = U32(b);
      if (w.tag == kFormatFloat) {
        float f;
        std::memcpy(&f, &u, 4);
        return f;
      }
      return float(int32_t(u));
    }
  }
}

}  // namespace

WavCheck ReadWavLayout(InputFile& in, WavLayout& w) {
  w = WavLayout{};
  uint8_t riff[12];
  if (!ReadAt(in, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return WavCheck::NotWave;
  const long size = in.Size();
  const long long fileSize = size >= 0 ? size : (1LL << 62);
  bool haveFormat = false;
  long long pos = 12;
  while (pos + 8 <= fileSize) {
    uint8_t head[8];
    if (!ReadAt(in, pos, head, sizeof head)) break;
    const long long chunk = U32(head + 4);
    if (std::memcmp(head, "fmt ", 4) == 0) {
      uint8_t fmt[40] = {};
      const size_t want = size_t(std::min<long long>(chunk, sizeof fmt));
      if (chunk < 16 || !ReadAt(in, pos + 8, fmt, want)) return WavCheck::NotWave;
      w.tag = U16(fmt);
      w.channels = int16_t(U16(fmt + 2));
      w.rate = U32(fmt + 4);
      w.bits = int16_t(U16(fmt + 14));
      // An extensible file names its real format in the subformat's first word.
      if (w.tag == kFormatExtensible && chunk >= 26) w.tag = U16(fmt + 24);
      w.bytes = BytesPerSample(w.bits);
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      if (!haveFormat) return WavCheck::NotWave;
      w.dataStart = pos + 8;
      w.dataBytes = std::max(0LL, std::min(chunk, fileSize - w.dataStart));
      return CheckFormat(w);
    }
    long long next = pos + 8 + chunk;
    // RIFF pads odd chunks to an even size, but some writers forget.
    if ((chunk & 1) && (ChunkIdAt(in, next + 1) || !ChunkIdAt(in, next))) next += 1;
    pos = next;
  }
  return WavCheck::NotWave;
}

int Read_WAV(app::Program& p, const std::string& nameOrEmpty) {
  if (!app::MemOK(p, 1, true)) return 0;
  std::string name = nameOrEmpty;
  if (name.empty()) {
    std::optional<std::string> chosen = ChooseFile(p, 1307, 1308, "\\DATA\\", "*.WAV", false);
    if (!chosen) return 0;
    name = *chosen;
  }
  InputFile file(ResolveDataName(p, name));
  if (!file) {
    ReportOpenFailure(p, name, true);
    return 0;
  }
  WavLayout w;
  const WavCheck check = ReadWavLayout(file, w);
  if (check != WavCheck::NotWave)
    app::Mess(p, app::TxtF(p, 1370, {w.tag, w.channels, (long long)w.rate, w.bits, w.bytes}),
              "WAV read info");
  const long long frameBytes = (long long)w.channels * w.bytes;
  long long frames = check == WavCheck::Ok ? w.dataBytes / frameBytes : 0;
  if (frames == 0) {
    app::MessT(p, 316, 13);
    return 0;
  }
  const long long capacityFrames = ImportCapacity(p, 1) / w.channels;
  if (frames > capacityFrames) {
    frames = capacityFrames;
    app::Mess(p, app::Txt(p, 1309), "*.wav read warning");
  }
  if (frames == 0 || std::fseek(file.file(), long(w.dataStart), SEEK_SET) != 0) {
    app::MessT(p, 316, 13);
    return 0;
  }

  float* scratch = p.Scratch(1);
  const long long chunkFrames = std::max(1LL, (1LL << 20) / frameBytes);
  std::vector<uint8_t> chunk(size_t(chunkFrames * frameBytes));
  long long done = 0;
  while (done < frames) {
    const long long want = std::min(chunkFrames, frames - done);
    const size_t got = std::fread(chunk.data(), 1, size_t(want * frameBytes), file.file());
    const long long whole = (long long)got / frameBytes;
    for (long long j = 0; j < whole; ++j) {
      const uint8_t* frame = chunk.data() + j * frameBytes;
      for (int c = 0; c < w.channels; ++c) scratch[c * frames + done + j] = Sample(frame + c * w.bytes, w);
    }
    done += whole;
    if (whole < want) break;
  }
  file.Close();
  if (done == 0) {
    app::MessT(p, 316, 13);
    return 0;
  }
  // A file that ended early: the channels close up to the frames read.
  if (done < frames)
    for (int c = 1; c < w.channels; ++c)
      std::memmove(scratch + c * done, scratch + c * frames, size_t(done) * sizeof(float));
  CommitImport(p, 1, w.channels, int32_t(done), float(1.0 / double(w.rate)), "WAV file");
  RememberImport(p, 1, name);
  return 1;
}

}  // namespace files
