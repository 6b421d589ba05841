#include "dsp/StoreChecks.h"

#include <algorithm>

#include "state/Program.h"

namespace dsp {

bool StoreHoldsSpectrum(const state::Program& p, int store) {
  const store::Header_s& h = store ? p.HGW : p.HGB;
  const int32_t* freq = store ? p.WFreq : p.BFreq;
  const store::Channel_s* channels = p.Channels(store);
  for (int c = 0; c < store::kChannels; ++c) {
    if (!h.ChannelOn[c]) continue;
    if (freq[c] || (channels && channels[c].IsSpectrum)) return true;
  }
  return false;
}

long long StoreCapacity(const state::Program& p, int store) {
  const auto& samples = store ? p.Waveform : p.Buffer;
  const auto& scratch = store ? p.SWaveform : p.SBuffer;
  long long cap = std::max<long long>(p.DG.TotalSamples, 0);
  cap = std::min<long long>(cap, static_cast<long long>(samples.size()));
  cap = std::min<long long>(cap, static_cast<long long>(scratch.size()));
  return cap;
}

bool BlockFits(const state::Program& p, int store, long long start, long long n) {
  const auto& samples = store ? p.Waveform : p.Buffer;
  const auto& scratch = store ? p.SWaveform : p.SBuffer;
  long long size = std::min(static_cast<long long>(samples.size()), static_cast<long long>(scratch.size()));
  return start >= 0 && n >= 0 && start + n <= size;
}

}  // namespace dsp
