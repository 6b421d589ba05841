#include "dsp/StoreFileAlgebra.h"

#include <cmath>
#include <cstring>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "files/DataFileReader.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace dsp {
namespace {

bool KnownIdentification(const store::IG_s& ig) {
  return std::memcmp(ig.IdText, store::kIdText, 20) == 0 ||
         std::memcmp(ig.IdText, store::kIdSegmented, 19) == 0;
}

bool IsSegmented(const store::IG_s& ig) { return std::memcmp(ig.IdText, store::kIdSegmented, 19) == 0; }

// The store's active channels in block order.
int ActiveList(const store::Header_s& h, int (&list)[store::kChannels]) {
  int n = 0;
  for (int i = 0; i < store::kChannels; ++i)
    if (h.ChannelOn[i]) list[n++] = i;
  return n;
}

void Combine(float* m, const float* f, int64_t n, int operation, double cm, double cf) {
  switch (operation) {
    case kAlgebraPlus:
      for (int64_t i = 0; i < n; ++i) m[i] = m[i] + f[i];
      break;
    case kAlgebraMinus:
      for (int64_t i = 0; i < n; ++i) m[i] = m[i] - f[i];
      break;
    case kAlgebraWeightedSum:
      for (int64_t i = 0; i < n; ++i) m[i] = float(cm * m[i] + cf * f[i]);
      break;
    case kAlgebraWeightedDiff:
      for (int64_t i = 0; i < n; ++i) m[i] = float(cm * m[i] - cf * f[i]);
      break;
    case kAlgebraTimes:
      for (int64_t i = 0; i < n; ++i) m[i] = m[i] * f[i];
      break;
    case kAlgebraDivided: {
      double largest = 0;
      for (int64_t i = 0; i < n; ++i)
        if (std::fabs(f[i]) > largest) largest = std::fabs(f[i]);
      const double floor = 0.01 * largest;
      // A file channel of zeros makes the 1 % floor zero as well, so an exact
      // zero is caught on its own rather than divided by.
      for (int64_t i = 0; i < n; ++i) {
        const double d = std::fabs(f[i]);
        m[i] = d < floor || f[i] == 0.0f ? 0.0f : m[i] / f[i];
      }
      break;
    }
  }
}

}  // namespace

int AlgebraUtil(state::Program& p, const std::string& name, int operation, int store) {
  store = store ? 1 : 0;
  if (!state::MemOK(p, store)) return 0;
  if (operation < kAlgebraPlus || operation > kAlgebraDivided) return 0;
  const double cm = store ? p.PG.WLCD : p.PG.MLCD;
  const double cf = store ? p.PG.WLCF : p.PG.MLCF;
  const store::Header_s& h = p.Header(store);
  store::Channel_s* records = p.Channels(store);
  const int32_t* freq = p.Freq(store);

  files::InputFile in(files::ResolveDataName(p, name));
  if (!in) {
    state::MessT(p, 436, 14);
    return 0;
  }
  store::IG_s ig{};
  if (!in.Read(&ig, sizeof ig) || !KnownIdentification(ig)) {
    state::MessT(p, 385, 13);
    return 0;
  }
  store::Header_s fileHeader{};
  if (!in.Read(&fileHeader, sizeof fileHeader)) {
    state::MessT(p, 442, 14);
    return 0;
  }
  int64_t dataStart = files::kIdBytes + files::kHeaderBytes;
  if (IsSegmented(ig)) {
    if (!in.Skip(store::kSegmentRecordSize)) {
      state::MessT(p, 442, 14);
      return 0;
    }
    dataStart += store::kSegmentRecordSize;
  }
  // A writer with fewer channels never had the flags above its capacity.
  const int capacity = ig.MaxChannels < 0 ? 0 : ig.MaxChannels;
  for (int i = capacity; i < store::kChannels; ++i) fileHeader.ChannelOn[i] = 0;

  // Shapes are compared by the channels each side really holds: a file whose
  // `ChannelCount` understates its flags would otherwise overrun the scratch.
  int storeList[store::kChannels];
  const int count = ActiveList(h, storeList);
  int fileList[store::kChannels];
  const int fileCount = ActiveList(fileHeader, fileList);
  const int64_t length = h.Length;
  // A file of another shape changes nothing, and says so: a macro that
  // meant to combine must not go on as though it had.
  if ((fileHeader.IsWaveform != 0) != (h.IsWaveform != 0)) {
    state::MessT(p, store ? 388 : 391, 13);
    return 0;
  }
  if (fileHeader.Length != h.Length || fileCount != count || count == 0 || length < 1) {
    state::Mess(p, state::TxtF(p, 440, {fileCount, fileHeader.Length, count, h.Length}), state::Txt(p, 13));
    return 0;
  }
  if (count * length > files::SampleCapacity(p, store)) return 0;
  if (!files::FileHolds(in, dataStart + files::ChannelBytes(count, length))) {
    state::MessT(p, 442, 14);
    return 0;
  }

  float* scratch = p.Scratch(store);
  for (int k = 0; k < count; ++k) {
    store::Channel_s record;
    if (!in.Read(&record, sizeof record)) {
      state::MessT(p, 442, 14);
      return 0;
    }
    // Checked against the channel the file channel is combined with.
    const int partner = storeList[k];
    const bool storeSpectrum = records[partner].IsSpectrum != 0 || freq[partner] != 0;
    if ((record.IsSpectrum != 0) != storeSpectrum) {
      state::MessT(p, 441, 14);
      return 0;
    }
    if (!files::ReadDataBlok(in.file(), scratch, long(length), long(k * length))) {
      state::MessT(p, 442, 14);
      return 0;
    }
  }
  in.Close();

  float* samples = p.Samples(store);
  for (int k = 0; k < count; ++k) {
    const int64_t start = state::Pocatek(p, store, storeList[k]);
    Combine(samples + start, scratch + k * length, length, operation, cm, cf);
  }
  state::DataChanged(p, store);
  return 1;
}

int Algebra(state::Program& p, int operation, int store) {
  store = store ? 1 : 0;
  if (!state::MemOK(p, store, true)) return 0;
  std::string queue = store::FieldText(p.DG.NameQueue);
  if (queue.find_first_not_of(' ') == std::string::npos) store::CopyText(p.DG.NameQueue, "?");
  std::string name;
  const std::string mask = store::FieldText(store ? p.DG.WaveMask : p.DG.MeasMask);
  if (!files::FileName(p, state::Txt(p, store ? 499 : 501), state::Txt(p, store ? 500 : 502), name, mask))
    return 0;
  const int done = AlgebraUtil(p, name, operation, store);
  state::AktualizujOkno(p);
  return done;
}

}  // namespace dsp
