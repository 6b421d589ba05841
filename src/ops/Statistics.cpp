#include "ops/Statistics.h"

#include "state/Program.h"

namespace ops {

float RMS_fun(const state::Program& p, int64_t offset) {
  int32_t n = p.HGW.Length;
  if (!p.Waveform || n <= 0 || offset < 0 || uint64_t(offset) + uint64_t(n) > p.Waveform.size()) return 0;
  return dsp::RootMeanSquare(p.Waveform.get() + offset, n);
}

}  // namespace ops
