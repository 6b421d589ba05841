#include "dsp/Padding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsp/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace dsp {
namespace {

constexpr long long kMaxPadded = 1LL << 30;

// Whether channels × newLength fits the store. `MaxLength` bounds a channel
// as it does for every other way a record gets its length.
bool Fits(const state::Program& p, int channels, long long newLength) {
  if (newLength > p.DG.MaxLength) return false;
  return static_cast<long long>(channels) * newLength <= StoreCapacity(p, 1);
}

// Moves each active channel from its block of n samples to its block of
// `grown`, last channel first so that no block is overwritten before it is
// read, and fills samples n … grown − 1 through `fill`.
template <typename Fill>
void Spread(state::Program& p, int n, long long grown, Fill fill) {
  float* data = p.Waveform.get();
  int order = state::ActiveChannels(p, 1);
  for (int c = store::kChannels - 1; c >= 0; --c) {
    if (!p.HGW.ChannelOn[c]) continue;
    --order;
    float* dst = data + order * grown;
    std::memmove(dst, data + static_cast<long long>(order) * n, sizeof(float) * size_t(n));
    fill(c, dst);
  }
}

}  // namespace

long long NextPowerOfTwo(long long n) {
  long long pw = 1;
  while (pw < n) {
    pw *= 2;
    if (pw > kMaxPadded) return 0;
  }
  return pw;
}

int DoplnNulamiNaMocninuDvou(state::Program& p, bool ask, bool zeros) {
  if (!state::MemOK(p, 1, true)) return 0;
  const int n = p.HGW.Length;
  // An empty record has no last sample to repeat and nothing to pad.
  if (n < 1) return 0;
  const long long grown = NextPowerOfTwo(n);
  if (grown == n) {
    if (ask) state::MessT(p, 1229, 11);
    return 0;
  }
  if (grown == 0) {
    if (ask) state::MessT(p, 1230, 11);
    return 0;
  }
  const int channels = state::ActiveChannels(p, 1);
  if (!Fits(p, channels, grown)) {
    if (ask) state::MessT(p, 1231, 11);
    return 0;
  }
  if (ask && !p.MacGoing) {
    std::string q = state::TxtF(p, 1232, {long(n), long(grown), channels, long(channels * grown)});
    if (p.ui().AskYesNo(q, state::Txt(p, 15)) != platform::Answer::Yes) return 0;
  }
  Spread(p, n, grown, [&](int, float* block) {
    // std::trunc keeps NaN and infinities instead of converting them to an
    // integer, which is undefined.
    float value = zeros ? 0.0f : std::trunc(block[n - 1]);
    std::fill(block + n, block + grown, value);
  });
  p.HGW.Length = static_cast<int32_t>(grown);
  state::DataChanged(p, 1);
  return 1;
}

int DoplnNulamiNaDvojnasobek(state::Program& p) {
  if (!state::MemOK(p, 1, true)) return 0;
  const int n = p.HGW.Length;
  if (n < 1) return 0;
  const long long grown = 2LL * n;
  if (grown > kMaxPadded) {
    state::MessT(p, 1230, 11);
    return 0;
  }
  if (!Fits(p, state::ActiveChannels(p, 1), grown)) {
    state::MessT(p, 1231, 11);
    return 0;
  }
  Spread(p, n, grown, [&](int c, float* block) {
    std::fill(block + n, block + grown, 0.0f);
    if (!p.WFreq[c] && !p.FGW[c].IsSpectrum) return;
    // The imaginary parts (and the Nyquist slot before them) move from the
    // upper half of the old record to the upper half of the new one.
    const int half = n / 2;
    std::memcpy(block + n, block + half, sizeof(float) * size_t(n - half));
    std::fill(block + half, block + n, 0.0f);
  });
  p.HGW.Length = static_cast<int32_t>(grown);
  state::DataChanged(p, 1);
  return 1;
}

}  // namespace dsp
