#include "ops/ChannelView.h"

#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Records.h"

namespace ops {

ChannelView ViewChannel(state::Program& p, store::Store s, int channel) {
  ChannelView v;
  if (!state::MemOK(p, s)) return v;
  if (channel < 0 || channel >= store::kChannels) return v;
  const store::Header_s& h = p.Header(s);
  int32_t n = h.Length;
  if (!h.ChannelOn[channel] || n <= 0) return v;
  // The offset is counted here in 64 bits: a hostile length times the number
  // of channels below must not wrap before it is checked.
  int64_t below = 0;
  for (int i = 0; i < channel; ++i)
    if (h.ChannelOn[i]) ++below;
  uint64_t start = uint64_t(below) * uint64_t(n);
  size_t capacity = store::IsW(s) ? p.Waveform.size() : p.Buffer.size();
  if (start + uint64_t(n) > capacity) return v;
  v.data = p.Samples(s) + start;
  float* scratch = p.Scratch(s);
  size_t scratchSize = store::IsW(s) ? p.SWaveform.size() : p.SBuffer.size();
  if (scratch && size_t(start) + size_t(n) <= scratchSize) v.scratch = scratch + start;
  v.length = n;
  const store::Channel_s& c = p.Channels(s)[channel];
  v.step = c.Step;
  v.spectrum = p.Freq(s)[channel] != 0 || c.IsSpectrum != 0;
  return v;
}

}  // namespace ops
