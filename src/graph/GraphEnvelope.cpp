// A pixel column's extremes for the trace: long columns come from the
// store's min/max envelope, which gives the same extremes as the samples.
#include "graph/GraphModel.h"
#include "state/Program.h"

namespace graph {

state::SampleEnvelope::Extremes TDispl10::ColumnExtremes(const float* data, int64_t from, int64_t to) const {
  const auto& samples = store::IsW(IsW) ? p_.Waveform : p_.Buffer;
  const float* base = samples.get();
  // The derived traces live in the scratch array, which has no envelope.
  if (base && data >= base && data < base + samples.size()) {
    const int64_t at = data - base;
    return p_.Envelope(IsW).Query(base, samples.size(), at + from, at + to);
  }
  return state::ScanExtremes(data, from, to);
}

}  // namespace graph
