#include "dsp/PowerOfTwo.h"

#include "dsp/Fft.h"

namespace dsp {

int JeMocninaDvou(long long n) { return n >= 8 && IsPowerOfTwo(n) ? 1 : 0; }

long long NejblizsiMocdvou(long long n) {
  long long p = 8;
  while (p <= n && p < (1LL << 62)) p *= 2;
  return n - p / 2 < p - n ? p / 2 : p;
}

int DelkaJeMocDvou(long long n) { return IsPowerOfTwo(n) ? 1 : 0; }

}  // namespace dsp
