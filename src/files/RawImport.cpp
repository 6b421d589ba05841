#include "files/RawImport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr size_t kChunkValues = 1 << 16;

// Whole int16 values in the file, at most `limit`, counted by reading so that
// a file whose size the system cannot tell is counted all the same; -1 when
// stopped.
long long CountValues(FILE* f, long long limit, state::Progress& progress) {
  std::vector<uint8_t> chunk(kChunkValues * 2);
  long long bytes = 0;
  size_t got;
  while (bytes / 2 < limit && (got = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
    bytes += (long long)got;
    if (!progress.Step(bytes / 2, limit)) return -1;
  }
  return std::min(bytes / 2, limit);
}

}  // namespace

int Read_BIN_INTEGER(state::Program& p, const std::string& nameOrEmpty) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  std::string name = nameOrEmpty;
  if (name.empty()) {
    std::optional<std::string> chosen =
        ChooseFile(p, 1250, 1251, "\\DATA\\", store::FieldText(TextMask(p, store::Store::W), 6), false);
    if (!chosen) return 0;
    name = *chosen;
  }
  std::optional<int64_t> channels = p.ui().PromptInt(state::Txt(p, 1252), 1, 128, 1);
  if (!channels) return 0;
  std::optional<double> frequency = p.ui().PromptFloat(state::Txt(p, 1254), 1.0, 10000.0, 100.0);
  if (!frequency) return 0;
  const long long n = std::clamp<int64_t>(*channels, 1, 128);
  // A prompt answers within its range; NaN would still slip through a clamp.
  const double f = *frequency >= 1.0 && *frequency <= 10000.0 ? *frequency : 100.0;

  InputFile file(ResolveDataName(p, name));
  if (!file) {
    ReportOpenFailure(p, name, true);
    return 0;
  }
  const long long capacityFrames = ImportCapacity(p, store::Store::W) / n;
  std::optional<state::Progress> counting(std::in_place, p, name);
  const long long values = CountValues(file.file(), capacityFrames * n, *counting);
  if (values < 0) {
    state::ReportStopped(p, name);
    return 0;
  }
  counting.reset();  // the question comes between the two passes
  const long long frames = (values + n - 1) / n;
  if (frames == 0) {
    state::MessT(p, 316, 13);
    return 0;
  }
  if (p.ui().AskYesNo(state::TxtF(p, 1253, {name}), state::Txt(p, 15)) != platform::Answer::Yes) return 1;

  if (std::fseek(file.file(), 0, SEEK_SET) != 0) {
    state::MessT(p, 316, 13);
    return 0;
  }
  float* scratch = p.Scratch(store::Store::W);
  std::fill(scratch, scratch + frames * n, 0.0f);
  std::vector<uint8_t> chunk(kChunkValues * 2);
  long long k = 0;  // values stored
  state::Progress progress(p, name);
  while (k < values) {
    // Into the scratch array: a stop leaves the store as it was.
    if (!progress.Step(k, values)) {
      state::ReportStopped(p, name);
      return 0;
    }
    size_t want = size_t(std::min<long long>(values - k, (long long)kChunkValues)) * 2;
    size_t got = std::fread(chunk.data(), 1, want, file.file());
    for (size_t i = 0; i + 1 < got; i += 2, ++k) {
      int16_t v = int16_t(uint16_t(chunk[i] | (chunk[i + 1] << 8)));
      scratch[(k % n) * frames + k / n] = float(v);
    }
    if (got < want) break;  // the file shrank since counting: keep what came
  }
  file.Close();
  CommitImport(p, store::Store::W, int(n), int32_t(frames), float(1.0 / f));
  RememberImport(p, store::Store::W, name);
  return 1;
}

}  // namespace files
