#include "files/DataFileLink.h"

#include <algorithm>
#include <cstring>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/DataFileReader.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace files {

int WaveformLinkUtil(state::Program& p, const std::string& name, store::Store store, bool* stopped) {
  // Joining is defined for the waveform store only.
  if (!store::IsW(store) || !state::MemOK(p, store::Store::W)) return 0;
  InputFile in(ResolveDataName(p, name));
  if (!in) {
    ReportOpenFailure(p, name, true);
    return 0;
  }
  DiskCursor cursor(p);

  DataFileHead head;
  if (!ReadDataFileHead(p, in, -1, head)) return 0;
  const store::Header_s& fileHeader = head.header;
  const int64_t fileLength = fileHeader.Length;
  if (fileLength < 1) {
    state::Mess(p, state::TxtF(p, 389, {long(fileHeader.Length)}), state::Txt(p, 390));
    return 0;
  }
  const int64_t memLength = std::max<int32_t>(p.HGW.Length, 0);
  if (state::ActiveChannels(p, store::Store::W) * memLength > SampleCapacity(p, store::Store::W)) return 0;
  int64_t unionCount = 0;
  for (int i = 0; i < store::kChannels; ++i)
    if (p.HGW.ChannelOn[i] || fileHeader.ChannelOn[i]) ++unionCount;
  const int64_t joined = memLength + fileLength;
  if (joined > p.DG.MaxLength || joined * unionCount > SampleCapacity(p, store::Store::W)) {
    state::Mess(p, state::TxtF(p, 1321, {long(joined)}), state::Txt(p, 390));
    return 0;
  }
  if (!FileHolds(in, head.dataStart + ChannelBytes(head.channels, fileLength))) return 0;

  // Timed from here: building the joined layout takes a while on its own, so
  // that a stop asked meanwhile is seen at the first piece read.
  SampleTransfer transfer(p, name, head.channels * fileLength);
  // The joined store is built in the scratch array: memory samples first,
  // zeros after them, the file's samples read straight into their place.
  float* scratch = p.SWaveform.get();
  const float* samples = p.Waveform.get();
  int64_t blockOf[store::kChannels] = {};
  int64_t k = 0;
  for (int i = 0; i < store::kChannels; ++i) {
    if (!p.HGW.ChannelOn[i] && !fileHeader.ChannelOn[i]) continue;
    float* block = scratch + k * joined;
    const int start = state::Pocatek(p, store::Store::W, i);
    if (start >= 0)
      std::memcpy(block, samples + start, size_t(memLength) * sizeof(float));
    else
      std::fill(block, block + memLength, 0.0f);
    std::fill(block + memLength, block + joined, 0.0f);
    blockOf[i] = k++;
  }
  store::Channel_s records[store::kChannels];
  for (int i = 0; i < store::kChannels; ++i) {
    if (!fileHeader.ChannelOn[i]) continue;
    if (!in.Read(&records[i], sizeof records[i])) return 0;
    if (!transfer.Read(in, scratch + blockOf[i] * joined + memLength, fileLength)) {
      if (transfer.Stopped()) {
        state::ReportStopped(p, name);
        if (stopped) *stopped = true;
      }
      return 0;
    }
  }
  if (!in.Close()) return 0;

  const float step = p.FGW[0].Step;
  for (int i = 0; i < store::kChannels; ++i) {
    if (p.HGW.ChannelOn[i] || !fileHeader.ChannelOn[i]) continue;
    store::Channel_s& c = p.FGW[size_t(i)];
    store::CopyText(c.Name, store::FieldText(records[i].Name));
    store::CopyText(c.Unit, store::FieldText(records[i].Unit));
    c.Step = step;
    p.HGW.ChannelOn[i] = 1;
  }
  p.HGW.ChannelCount = int16_t(unionCount);
  p.HGW.Length = int32_t(joined);
  CommitScratch(p, store::Store::W, size_t(joined * unionCount));
  state::DataChanged(p, store::Store::W);
  return 1;
}

}  // namespace files
