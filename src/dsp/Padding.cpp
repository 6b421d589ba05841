#include "dsp/Padding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace dsp {
namespace {

constexpr long long kMaxPadded = 1LL << 30;

// `MaxLength` bounds a channel as it does for every other way a record gets
// its length.
bool Fits(int channels, long long grown, long long capacity, long long maxLength) {
  return grown <= maxLength && static_cast<long long>(channels) * grown <= capacity;
}

void PadSpectrumBlock(float* block, int n, long long grown) {
  std::fill(block + n, block + grown, 0.0f);
  const int half = n / 2;
  std::memcpy(block + n, block + half, sizeof(float) * size_t(n - half));
  std::fill(block + half, block + n, 0.0f);
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

PadCheck PowerOfTwoGrowth(int n, int channels, long long capacity, long long maxLength, long long& grown) {
  // An empty record has no last sample to repeat and nothing to pad.
  if (n < 1) return PadCheck::Empty;
  grown = NextPowerOfTwo(n);
  if (grown == n) return PadCheck::AlreadyPowerOfTwo;
  if (grown == 0) return PadCheck::TooLong;
  return Fits(channels, grown, capacity, maxLength) ? PadCheck::Fits : PadCheck::NoRoom;
}

PadCheck DoubleGrowth(int n, int channels, long long capacity, long long maxLength, long long& grown) {
  if (n < 1) return PadCheck::Empty;
  grown = 2LL * n;
  if (grown > kMaxPadded) return PadCheck::TooLong;
  return Fits(channels, grown, capacity, maxLength) ? PadCheck::Fits : PadCheck::NoRoom;
}

void GrowBlocks(float* data, const int16_t* channelOn, int n, long long grown, PadFill fill,
                const bool* spectrum) {
  int order = 0;
  for (int c = 0; c < store::kChannels; ++c)
    if (channelOn[c]) ++order;
  for (int c = store::kChannels - 1; c >= 0; --c) {
    if (!channelOn[c]) continue;
    --order;
    float* block = data + order * grown;
    std::memmove(block, data + static_cast<long long>(order) * n, sizeof(float) * size_t(n));
    if (fill == PadFill::ZerosKeepSpectra && spectrum && spectrum[c])
      PadSpectrumBlock(block, n, grown);
    else
      // std::trunc keeps NaN and infinities instead of converting them to an
      // integer, which is undefined.
      std::fill(block + n, block + grown, fill == PadFill::LastValue ? std::trunc(block[n - 1]) : 0.0f);
  }
}

}  // namespace dsp
