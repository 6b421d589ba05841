#include "files/DataFileReader.h"

#include <algorithm>
#include <cstring>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace files {
namespace {

// A transfer that failed because it was stopped says so, and only that.
int Failed(state::Program& p, const SampleTransfer& transfer, const std::string& name, bool* stopped) {
  if (transfer.Stopped()) {
    state::ReportStopped(p, name);
    if (stopped) *stopped = true;
  }
  return 0;
}

void ReportTooLong(state::Program& p, store::Store store, int32_t length) {
  state::Mess(p, state::TxtF(p, store::IsW(store) ? 389 : 392, {long(length)}),
              state::Txt(p, store::IsW(store) ? 390 : 393));
}

int ReadWholeStore(state::Program& p, InputFile& in, const DataFileHead& head, store::Store store,
                   int accumulate, const std::string& name, bool* stopped) {
  const store::Header_s& fileHeader = head.header;
  if (store::IsW(store) ? fileHeader.IsWaveform == 0 : fileHeader.IsWaveform != 0) {
    state::MessT(p, store::IsW(store) ? 388 : 391, 13);
    return 0;
  }
  // The counted flags decide how much is read, never `ChannelCount`: a file
  // whose flags outnumber it would otherwise run past the array.
  const int64_t length = fileHeader.Length;
  const int64_t count = head.channels;
  if (length < 1 || length > p.DG.MaxLength || count * length > SampleCapacity(p, store)) {
    ReportTooLong(p, store, fileHeader.Length);
    return 0;
  }
  if (!FileHolds(in, head.dataStart + ChannelBytes(count, length))) return 0;

  // Into the scratch array: a failed or stopped read leaves the store whole.
  float* scratch = p.Scratch(store);
  store::Channel_s records[store::kChannels];
  SampleTransfer transfer(p, name, count * length);
  int64_t k = 0;
  for (int i = 0; i < store::kChannels; ++i) {
    if (!fileHeader.ChannelOn[i]) continue;
    if (!in.Read(&records[i], sizeof records[i])) return 0;
    if (!transfer.Read(in, scratch + k * length, length)) return Failed(p, transfer, name, stopped);
    ++k;
  }
  if (!in.Close()) return 0;

  // Everything was read: only now does the store change.
  p.IG = head.ig;
  store::Header_s& h = p.Header(store);
  h = fileHeader;
  h.ChannelCount = int16_t(count);
  TerminateTexts(h);
  store::Channel_s* channels = p.Channels(store);
  int32_t* freq = p.Freq(store);
  for (int i = 0; i < store::kChannels; ++i) {
    if (!fileHeader.ChannelOn[i]) continue;
    channels[i] = records[i];
    TerminateTexts(channels[i]);
    freq[i] = records[i].IsSpectrum;
  }
  const size_t n = size_t(count * length);
  if (accumulate) {
    float* samples = p.Samples(store);
    for (size_t j = 0; j < n; ++j) samples[j] += scratch[j];
  } else {
    CommitScratch(p, store, n);
  }
  ResetDisplayTypes(p);
  state::DataChanged(p, store);
  return 1;
}

int ReadOneChannel(state::Program& p, InputFile& in, const DataFileHead& head, int fileChannel,
                   int destChannel, const std::string& name, bool* stopped) {
  const store::Header_s& fileHeader = head.header;
  const int64_t fileLength = fileHeader.Length;
  if (fileLength < 1) {
    ReportTooLong(p, store::Store::W, fileHeader.Length);
    return 0;
  }
  if (fileChannel >= store::kChannels || !fileHeader.ChannelOn[fileChannel]) {
    state::MessT(p, 395, 13);
    return 0;
  }
  const int target = state::Pocatek(p, store::Store::W, destChannel);
  const int64_t storeLength = p.HGW.Length;
  if (target < 0 || storeLength < 0 || target + storeLength > SampleCapacity(p, store::Store::W)) return 0;
  const int64_t n = std::min(fileLength, storeLength);

  // Only the last channel read survives, so the ones before it are skipped.
  int64_t before = 0;
  for (int i = 0; i < fileChannel; ++i)
    if (fileHeader.ChannelOn[i]) ++before;
  const int64_t skip = ChannelBytes(before, fileLength);
  if (!FileHolds(in, head.dataStart + skip + kChannelBytes + 4 * n)) return 0;
  store::Channel_s record;
  if (!in.Skip(long(skip)) || !in.Read(&record, sizeof record)) return 0;
  float* scratch = p.Scratch(store::Store::W);
  SampleTransfer transfer(p, name, n);
  if (!transfer.Read(in, scratch, n)) return Failed(p, transfer, name, stopped);
  if (!in.Close()) return 0;

  p.IG = head.ig;
  p.FGW[size_t(destChannel)] = record;
  TerminateTexts(p.FGW[size_t(destChannel)]);
  p.WFreq[destChannel] = record.IsSpectrum;
  float* dest = p.Waveform.get() + target;
  std::memcpy(dest, scratch, size_t(n) * sizeof(float));
  std::fill(dest + n, dest + storeLength, 0.0f);
  ResetDisplayTypes(p);
  state::DataChanged(p, store::Store::W);
  return 1;
}

}  // namespace

int ReadDataBlok(FILE* file, float* array, long count, long offset) {
  if (!file || count < 0 || offset < 0) return 0;
  if (count == 0) return 1;
  return std::fread(array + offset, sizeof(float), size_t(count), file) == size_t(count) ? 1 : 0;
}

int ReadDataFileUtil(state::Program& p, const std::string& name, store::Store store, bool withPrefix,
                     int fileChannel, int destChannel, bool accumulate, bool* stopped) {
  if (!state::MemOK(p, store)) return 0;
  const bool whole = fileChannel < 0;
  if (!whole && store == store::Store::M) return 1;

  InputFile in(ResolveDataName(p, name));
  if (!in) {
    ReportOpenFailure(p, name, withPrefix != 0);
    return 0;
  }
  DiskCursor cursor(p);
  DataFileHead head;
  if (!ReadDataFileHead(p, in, whole ? -1 : fileChannel, head)) return 0;
  return whole ? ReadWholeStore(p, in, head, store, accumulate, name, stopped)
               : ReadOneChannel(p, in, head, fileChannel, destChannel, name, stopped);
}

}  // namespace files
