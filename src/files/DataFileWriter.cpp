#include "files/DataFileWriter.h"

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace files {
int WriteDataFileUtil(state::Program& p, const std::string& name, store::Store store, int channel,
                      bool* stopped) {
  if (!state::MemOK(p, store)) return 0;
  DiskCursor cursor(p);

  // The written header is a copy: a single-channel file must not disturb the store.
  store::Header_s header = p.Header(store);
  if (channel >= 1 && channel <= store::kChannels) {
    const int index = channel - 1;
    // Nothing written is a failure, and the user numbers channels from 1.
    if (!header.ChannelOn[index]) {
      state::Mess(p, state::TxtF(p, store::IsW(store) ? 396 : 397, {channel}), state::Txt(p, 13));
      return 0;
    }
    const int16_t flag = header.ChannelOn[index];
    for (int16_t& f : header.ChannelOn) f = 0;
    header.ChannelOn[index] = flag;
    header.ChannelCount = 1;
  }

  // Never write from beyond the array. Measured against the array itself, not
  // `TotalSamples`: a memory size lowered for the next start must not stop
  // the exit from saving what the store holds now.
  const int64_t length = p.Header(store).Length;
  const int64_t allocated = int64_t((store::IsW(store) ? p.Waveform : p.Buffer).size());
  if (length < 0 || int64_t(state::ActiveChannels(p, store)) * length > allocated) return 0;

  AtomicWriter out;
  if (!out.Open(ResolveDataName(p, name))) {
    state::MessT(p, 398, 13);
    return 0;
  }
  p.IG = store::IG0;
  out.Write(&p.IG, sizeof p.IG);
  out.Write(&header, sizeof header);

  store::Channel_s* records = p.Channels(store);
  const float* samples = p.Samples(store);
  const int32_t* freq = p.Freq(store);
  int written = 0;
  for (int16_t f : header.ChannelOn) written += f ? 1 : 0;
  SampleTransfer transfer(p, name, int64_t(written) * length);
  for (int i = 0; i < store::kChannels; ++i) {
    if (!header.ChannelOn[i]) continue;
    if (freq[i]) records[i].IsSpectrum = 1;
    out.Write(&records[i], sizeof records[i]);
    // Large pieces straight from the store: the bytes are those of 16384-value pieces.
    // A stop abandons the temporary file; the previous file stays as it was.
    if (!transfer.Write(out, samples + state::Pocatek(p, store, i), length)) {
      if (transfer.Stopped()) {
        state::ReportStopped(p, name);
        if (stopped) *stopped = true;
        return 0;
      }
      break;  // the commit reports the failed write
    }
  }
  // A full disk shows at the commit; a silent 0 would let a timed save
  // (auto-save, external start, combined run) lose the record unnoticed.
  // The file is on the disk before it replaces the old one, so a crash
  // leaves one of the two whole.
  if (!out.Commit(true)) {
    state::MessT(p, 398, 13);
    return 0;
  }
  return 1;
}

}  // namespace files
