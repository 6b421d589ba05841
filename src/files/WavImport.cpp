#include "files/WavImport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"
#include "files/TextNumbers.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace files {
namespace {

constexpr int kMaxChannels = 128;
constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;

// Little- or big-endian unsigned value of `n` bytes.
uint64_t Unsigned(const uint8_t* b, int n, bool bigEndian) {
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint64_t(b[bigEndian ? n - 1 - i : i]) << (8 * i);
  return v;
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

const char* CompressedName(int tag) {
  switch (tag) {
    case 0x0002:
      return "Microsoft ADPCM";
    case 0x0006:
      return "A-law";
    case 0x0007:
      return "mu-law";
    case 0x0011:
      return "IMA ADPCM";
    case 0x0031:
      return "GSM 6.10";
    case 0x0050:
      return "MPEG";
    case 0x0055:
      return "MPEG Layer 3";
    case 0x00FF:
    case 0x1610:
      return "AAC";
    case 0x0161:
    case 0x0162:
      return "Windows Media Audio";
    case 0x2000:
      return "AC-3";
    case 0xF1AC:
      return "FLAC";
    default:
      return nullptr;
  }
}

std::string Hex(int tag) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", unsigned(tag) & 0xFFFFu);
  return text;
}

void SetProblem(WavLayout& w, std::string czech, std::string english) {
  w.problemCz = std::move(czech);
  w.problem = std::move(english);
}

// Leaves the problem empty when the samples can be imported.
void FormatProblem(WavLayout& w) {
  if (w.tag != kFormatPcm && w.tag != kFormatFloat) {
    const char* name = CompressedName(w.tag);
    const std::string format = Hex(w.tag) + (name ? std::string(" (") + name + ")" : std::string());
    return SetProblem(
        w, "formát WAV " + format + " nelze načíst: jen celočíselné PCM a IEEE float vzorky",
        "WAV format " + format + " cannot be imported: only integer PCM and IEEE float samples can");
  }
  if (w.channels < 1) return SetProblem(w, "soubor WAV nemá žádný kanál", "the WAV file has no channel");
  if (w.rate == 0)
    return SetProblem(w, "soubor WAV nemá vzorkovací kmitočet", "the WAV file has no sample rate");
  const std::string bits = std::to_string(w.bits);
  if (w.tag == kFormatFloat && w.bits != 32 && w.bits != 64)
    return SetProblem(w, "vzorky float s " + bits + " bity nelze načíst",
                      "float samples of " + bits + " bits cannot be imported");
  if (w.tag == kFormatPcm && (w.bits < 1 || w.bits > 32))
    return SetProblem(w, "celočíselné vzorky s " + bits + " bity nelze načíst",
                      "integer samples of " + bits + " bits cannot be imported");
  if (w.validBits < 1 || w.validBits > w.bytes * 8)
    return SetProblem(w, "platné bity souboru WAV se nevejdou do jeho vzorků",
                      "the WAV file's valid bits do not fit its samples");
}

float Sample(const uint8_t* b, const WavLayout& w) {
  const uint64_t u = Unsigned(b, w.bytes, w.bigEndian);
  if (w.tag == kFormatFloat) {
    if (w.bytes == 4) {
      float f;
      const uint32_t u32 = uint32_t(u);
      std::memcpy(&f, &u32, 4);
      return f;
    }
    double d;
    std::memcpy(&d, &u, 8);
    return ToSample(d);
  }
  // The value stands in the top `validBits` of the container; 8 bits and
  // less are unsigned.
  const int shift = w.bytes * 8 - w.validBits;
  if (w.bytes == 1) return float(unsigned(u) >> shift);
  const int64_t sign = int64_t(1) << (w.bytes * 8 - 1);
  const int64_t v = (int64_t(u) ^ sign) - sign;
  return float(v >> shift);
}

}  // namespace

WavCheck ReadWavLayout(InputFile& in, WavLayout& w) {
  w = WavLayout{};
  uint8_t riff[12];
  if (!ReadAt(in, 0, riff, sizeof riff)) {
    SetProblem(w, "soubor je na soubor WAV příliš krátký", "the file is too short for a WAV file");
    return WavCheck::NotWave;
  }
  w.bigEndian = std::memcmp(riff, "RIFX", 4) == 0;
  if ((!w.bigEndian && std::memcmp(riff, "RIFF", 4) != 0) || std::memcmp(riff + 8, "WAVE", 4) != 0) {
    if (std::memcmp(riff, "RF64", 4) == 0)
      SetProblem(w, "64bitové soubory WAV RF64 nelze načíst", "64-bit RF64 WAV files cannot be imported");
    else
      SetProblem(w, "soubor není souborem RIFF WAVE", "the file is not a RIFF WAVE file");
    return WavCheck::NotWave;
  }
  const bool be = w.bigEndian;
  const long size = in.Size();
  const long long fileSize = size >= 0 ? size : (1LL << 62);
  bool haveFormat = false;
  long long pos = 12;
  while (pos + 8 <= fileSize) {
    uint8_t head[8];
    if (!ReadAt(in, pos, head, sizeof head)) break;
    const long long chunk = (long long)Unsigned(head + 4, 4, be);
    if (std::memcmp(head, "fmt ", 4) == 0) {
      uint8_t fmt[40] = {};
      const size_t want = size_t(std::min<long long>(chunk, sizeof fmt));
      if (chunk < 16 || !ReadAt(in, pos + 8, fmt, want)) {
        SetProblem(w, "blok formátu souboru WAV je zkrácený", "the WAV file's format chunk is cut short");
        return WavCheck::NotWave;
      }
      w.tag = int(Unsigned(fmt, 2, be));
      w.channels = int(Unsigned(fmt + 2, 2, be));
      w.rate = uint32_t(Unsigned(fmt + 4, 4, be));
      w.bits = int(Unsigned(fmt + 14, 2, be));
      w.validBits = w.bits;
      // An extensible file names its real format in the subformat's first
      // word, and may keep fewer valid bits than its container holds.
      if (w.tag == kFormatExtensible && chunk >= 40) {
        const int valid = int(Unsigned(fmt + 18, 2, be));
        if (valid) w.validBits = valid;
        w.tag = int(Unsigned(fmt + 24, 2, be));
      }
      w.bytes = w.tag == kFormatFloat ? w.bits / 8 : (w.bits + 7) / 8;
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      if (!haveFormat) {
        SetProblem(w, "soubor WAV nemá před daty blok formátu",
                   "the WAV file has no format chunk before its data");
        return WavCheck::NotWave;
      }
      w.dataStart = pos + 8;
      w.dataClaimed = chunk;
      w.dataBytes = std::max(0LL, std::min(chunk, fileSize - w.dataStart));
      FormatProblem(w);
      return w.problem.empty() ? WavCheck::Ok : WavCheck::BadFormat;
    }
    long long next = pos + 8 + chunk;
    // RIFF pads odd chunks to an even size, but some writers forget.
    if ((chunk & 1) && (ChunkIdAt(in, next + 1) || !ChunkIdAt(in, next))) next += 1;
    pos = next;
  }
  if (haveFormat)
    SetProblem(w, "soubor WAV nemá blok dat", "the WAV file has no data chunk");
  else
    SetProblem(w, "soubor WAV nemá blok formátu", "the WAV file has no format chunk");
  return WavCheck::NotWave;
}

int Read_WAV(state::Program& p, const std::string& nameOrEmpty) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
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
    state::Mess(p, state::TxtF(p, 1370, {w.tag, w.channels, (long long)w.rate, w.bits, w.bytes}),
                "WAV read info");
  auto refuse = [&](const std::string& czech, const std::string& english) {
    state::Mess(
        p,
        state::Lang(p, "Nelze načíst ", "Cannot import ") + name + ": " + (p.DG.Language ? czech : english),
        state::Txt(p, 13));
    return 0;
  };
  if (check != WavCheck::Ok) return refuse(w.problemCz, w.problem);
  const long long frameBytes = (long long)w.channels * w.bytes;
  const long long claimedFrames = w.dataClaimed / frameBytes;
  long long frames = w.dataBytes / frameBytes;
  if (frames == 0)
    return refuse("soubor WAV neobsahuje ani jeden celý rámec vzorků",
                  "the WAV file holds no whole sample frame");
  const int channels = std::min(w.channels, kMaxChannels);
  const long long capacityFrames = ImportCapacity(p, store::Store::W) / channels;
  if (frames > capacityFrames) frames = capacityFrames;
  if (frames == 0 || std::fseek(file.file(), long(w.dataStart), SEEK_SET) != 0)
    return refuse("vzorky nelze přečíst", "the samples cannot be read");

  float* scratch = p.Scratch(store::Store::W);
  const long long chunkFrames = std::max(1LL, (1LL << 20) / frameBytes);
  std::vector<uint8_t> chunk(size_t(chunkFrames * frameBytes));
  long long done = 0;
  state::Progress progress(p, name);
  while (done < frames) {
    // Everything goes to the scratch array: a stop leaves the store as it was.
    if (!progress.Step(done, frames)) {
      state::ReportStopped(p, name);
      return 0;
    }
    const long long want = std::min(chunkFrames, frames - done);
    const size_t got = std::fread(chunk.data(), 1, size_t(want * frameBytes), file.file());
    const long long whole = (long long)got / frameBytes;
    for (long long j = 0; j < whole; ++j) {
      const uint8_t* frame = chunk.data() + j * frameBytes;
      for (int c = 0; c < channels; ++c) scratch[c * frames + done + j] = Sample(frame + c * w.bytes, w);
    }
    done += whole;
    if (whole < want) break;
  }
  file.Close();
  if (done == 0) return refuse("vzorky nelze přečíst", "the samples cannot be read");
  // A file that ended early: the channels close up to the frames read.
  if (done < frames)
    for (int c = 1; c < channels; ++c)
      std::memmove(scratch + c * done, scratch + c * frames, size_t(done) * sizeof(float));
  CommitImport(p, store::Store::W, channels, int32_t(done), float(1.0 / double(w.rate)), "WAV file");
  RememberImport(p, store::Store::W, name);
  if (channels < w.channels)
    state::Mess(p,
                state::Lang(p, "Soubor WAV má ", "The WAV file has ") + std::to_string(w.channels) +
                    state::Lang(p, " kanálů; načteno prvních ", " channels; the first ") +
                    std::to_string(channels) + state::Lang(p, "", " were imported"),
                "*.wav read warning");
  if (done == capacityFrames && done < claimedFrames)
    state::Mess(p, state::Txt(p, 1309), "*.wav read warning");
  else if (done < claimedFrames || w.dataBytes % frameBytes)
    state::Mess(
        p,
        state::Lang(p, "Soubor WAV končí uprostřed dat: načteno ", "The WAV file ends inside its data: ") +
            std::to_string(done) + state::Lang(p, " celých rámců z ", " whole frames of ") +
            std::to_string(std::max(claimedFrames, done)) + state::Lang(p, "", " were imported"),
        "*.wav read warning");
  return 1;
}

}  // namespace files
