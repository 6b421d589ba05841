#include "ops/StoreFileAlgebra.h"

#include <algorithm>
#include <cstring>

#include "dsp/StoreFileAlgebra.h"
#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "files/DataFileReader.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace ops {
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

}  // namespace

int AlgebraUtil(state::Program& p, store::Store s, const std::string& name, int operation) {
  if (!state::MemOK(p, s)) return 0;
  if (operation < dsp::kAlgebraPlus || operation > dsp::kAlgebraDivided) return 0;
  const double cm = store::IsW(s) ? p.PG.WLCD : p.PG.MLCD;
  const double cf = store::IsW(s) ? p.PG.WLCF : p.PG.MLCF;
  const store::Header_s& h = p.Header(s);
  store::Channel_s* records = p.Channels(s);
  const int32_t* freq = p.Freq(s);

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
    state::MessT(p, store::IsW(s) ? 388 : 391, 13);
    return 0;
  }
  if (fileHeader.Length != h.Length || fileCount != count || count == 0 || length < 1) {
    state::Mess(p, state::TxtF(p, 440, {fileCount, fileHeader.Length, count, h.Length}), state::Txt(p, 13));
    return 0;
  }
  if (count * length > files::SampleCapacity(p, s)) return 0;
  if (!files::FileHolds(in, dataStart + files::ChannelBytes(count, length))) {
    state::MessT(p, 442, 14);
    return 0;
  }

  // The file goes to the scratch array: a stop while reading changes nothing.
  float* scratch = p.Scratch(s);
  files::SampleTransfer transfer(p, name, count * length);
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
    if (!transfer.Read(in, scratch + k * length, length)) {
      if (transfer.Stopped())
        state::ReportStopped(p, name);
      else
        state::MessT(p, 442, 14);
      return 0;
    }
  }
  in.Close();

  // Combined into the scratch array too, whose channels lie where the
  // store's do: a stop leaves the store as it was, the end swaps them in.
  const float* samples = p.Samples(s);
  for (int k = 0; k < count; ++k) {
    const int64_t start = state::Pocatek(p, s, storeList[k]);
    float* f = scratch + k * length;
    const double floor = operation == dsp::kAlgebraDivided ? dsp::DivisionFloor(f, length) : 0.0;
    for (int64_t at = 0; at < length; at += state::kStepPiece) {
      if (!transfer.Steps().Step(k * length + at, count * length)) {
        state::ReportStopped(p, name);
        return 0;
      }
      const int64_t n = std::min(state::kStepPiece, length - at);
      dsp::CombineSamples(samples + start + at, f + at, f + at, n, operation, cm, cf, floor);
    }
  }
  if (!transfer.Steps().Step(count * length, count * length)) {
    state::ReportStopped(p, name);
    return 0;
  }
  files::CommitScratch(p, s, size_t(count * length));
  state::DataChanged(p, s);
  return 1;
}

int Algebra(state::Program& p, store::Store s, int operation) {
  if (!state::MemOK(p, s, true)) return 0;
  std::string queue = store::FieldText(p.DG.NameQueue);
  if (queue.find_first_not_of(' ') == std::string::npos) store::CopyText(p.DG.NameQueue, "?");
  std::string name;
  const std::string mask = store::FieldText(store::IsW(s) ? p.DG.WaveMask : p.DG.MeasMask);
  if (!files::FileName(p, state::Txt(p, store::IsW(s) ? 499 : 501), state::Txt(p, store::IsW(s) ? 500 : 502),
                       name, mask))
    return 0;
  const int done = AlgebraUtil(p, s, name, operation);
  state::AktualizujOkno(p);
  return done;
}

}  // namespace ops
