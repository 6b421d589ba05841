#include "files/DataFileFormat.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "state/Messages.h"
#include "state/Program.h"

namespace files {

DiskCursor::DiskCursor(state::Program& p) : p_(p) { p_.ui().SetCursor("Disk"); }
DiskCursor::~DiskCursor() { p_.ui().SetCursor(""); }

SampleTransfer::SampleTransfer(state::Program& p, const std::string& name, int64_t total)
    : progress_(p, name), total_(total) {}

bool SampleTransfer::Read(InputFile& in, float* dest, int64_t count) {
  for (int64_t at = 0; at < count;) {
    const int64_t n = std::min(kPiece, count - at);
    if (!progress_.Step(done_, total_) || !in.Read(dest + at, size_t(n) * sizeof(float))) return false;
    at += n;
    done_ += n;
  }
  return progress_.Step(done_, total_);
}

bool SampleTransfer::Write(AtomicWriter& out, const float* src, int64_t count) {
  for (int64_t at = 0; at < count;) {
    const int64_t n = std::min(kPiece, count - at);
    if (!progress_.Step(done_, total_) || !out.Write(src + at, size_t(n) * sizeof(float))) return false;
    at += n;
    done_ += n;
  }
  return progress_.Step(done_, total_);
}

std::string ResolveDataName(const state::Program& p, const std::string& name) {
  return p.plat.paths ? p.plat.paths->Resolve(name) : platform::ToSlashes(name);
}

void ReportOpenFailure(state::Program& p, const std::string& name, bool withPrefix) {
  std::string text = withPrefix ? state::Txt(p, 383) : std::string();
  state::Mess(p, text + "  : " + name, state::Txt(p, 13));
}

bool ReadDataFileHead(state::Program& p, InputFile& in, int fileChannel, DataFileHead& head) {
  bool segmented = false;
  bool known = in.Read(&head.ig, sizeof head.ig);
  if (known) {
    segmented = std::memcmp(head.ig.IdText, store::kIdSegmented, 19) == 0;
    known = segmented || std::memcmp(head.ig.IdText, store::kIdText, 20) == 0;
  }
  if (!known) {
    state::Mess(p, state::TxtF(p, 384, {store::kIdText}), state::Txt(p, 385));
    return false;
  }
  // A whole-file read asks for channel -1, so only a negative capacity fails it.
  const int capacity = head.ig.MaxChannels;
  if (capacity != store::kChannels && capacity <= std::max(fileChannel, -1)) {
    state::MessT(p, 498, 13);
    return false;
  }
  if (!in.Read(&head.header, sizeof head.header)) return false;
  head.dataStart = kIdBytes + kHeaderBytes;
  if (segmented) {
    if (!in.Skip(store::kSegmentRecordSize)) return false;
    head.dataStart += store::kSegmentRecordSize;
  }
  for (int i = capacity; i < store::kChannels; ++i) head.header.ChannelOn[i] = 0;
  head.channels = int(std::count_if(std::begin(head.header.ChannelOn), std::end(head.header.ChannelOn),
                                    [](int16_t f) { return f != 0; }));
  return true;
}

int64_t ChannelBytes(int64_t channels, int64_t length) { return channels * (kChannelBytes + 4 * length); }

bool FileHolds(const InputFile& in, int64_t bytes) {
  long size = in.Size();
  return size < 0 || int64_t(size) >= bytes;
}

int64_t SampleCapacity(const state::Program& p, store::Store store) {
  int64_t n = std::max<int64_t>(p.DG.TotalSamples, 0);
  const auto& samples = store::IsW(store) ? p.Waveform : p.Buffer;
  const auto& scratch = store::IsW(store) ? p.SWaveform : p.SBuffer;
  n = std::min<int64_t>(n, int64_t(samples.size()));
  return std::min<int64_t>(n, int64_t(scratch.size()));
}

void TerminateTexts(store::Header_s& h) {
  h.Date[sizeof h.Date - 1] = '\0';
  h.Comment[sizeof h.Comment - 1] = '\0';
}

void TerminateTexts(store::Channel_s& c) {
  c.Name[sizeof c.Name - 1] = '\0';
  c.Unit[sizeof c.Unit - 1] = '\0';
  c.XUnit[sizeof c.XUnit - 1] = '\0';
}

void CommitScratch(state::Program& p, store::Store store, size_t n) {
  auto& samples = store::IsW(store) ? p.Waveform : p.Buffer;
  auto& scratch = store::IsW(store) ? p.SWaveform : p.SBuffer;
  if (samples.size() == scratch.size())
    std::swap(samples, scratch);
  else
    std::memcpy(samples.get(), scratch.get(), n * sizeof(float));
}

void ResetDisplayTypes(state::Program& p) {
  for (store::Store s : store::kBothStores) {
    store::CG_s* g = p.Graphs(s);
    if (!g) continue;
    for (int i = 0; i < store::kChannels; ++i) g[i].DisplType = 2;
  }
}

}  // namespace files
