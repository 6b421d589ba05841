#include "ops/StoreChecks.h"

#include <algorithm>

#include "state/Program.h"

namespace ops {

bool StoreHoldsSpectrum(const state::Program& p, store::Store s) {
  const store::Header_s& h = store::IsW(s) ? p.HGW : p.HGB;
  const int32_t* freq = store::IsW(s) ? p.WFreq : p.BFreq;
  const store::Channel_s* channels = p.Channels(s);
  for (int c = 0; c < store::kChannels; ++c) {
    if (!h.ChannelOn[c]) continue;
    if (freq[c] || (channels && channels[c].IsSpectrum)) return true;
  }
  return false;
}

long long StoreCapacity(const state::Program& p, store::Store s) {
  const auto& samples = store::IsW(s) ? p.Waveform : p.Buffer;
  const auto& scratch = store::IsW(s) ? p.SWaveform : p.SBuffer;
  long long cap = std::max<long long>(p.DG.TotalSamples, 0);
  cap = std::min<long long>(cap, static_cast<long long>(samples.size()));
  cap = std::min<long long>(cap, static_cast<long long>(scratch.size()));
  return cap;
}

bool BlockFits(const state::Program& p, store::Store s, long long start, long long n) {
  const auto& samples = store::IsW(s) ? p.Waveform : p.Buffer;
  const auto& scratch = store::IsW(s) ? p.SWaveform : p.SBuffer;
  long long size = std::min(static_cast<long long>(samples.size()), static_cast<long long>(scratch.size()));
  return start >= 0 && n >= 0 && start + n <= size;
}

}  // namespace ops
