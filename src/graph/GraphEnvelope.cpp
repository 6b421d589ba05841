// A pixel column's extremes for the trace, and a range's for the value
// scale: long ranges come from the store's min/max envelope, which gives the
// same extremes as the samples.
#include "graph/GraphModel.h"
#include "state/Program.h"

namespace graph {

int64_t TDispl10::StoreIndex(const float* data) const {
  const auto& samples = store::IsW(IsW) ? p_.Waveform : p_.Buffer;
  const float* base = samples.get();
  // The derived traces live in the scratch array, which has no envelope.
  if (!base || !data || data < base || data >= base + samples.size()) return -1;
  return data - base;
}

state::SampleEnvelope::Extremes TDispl10::ColumnExtremes(const float* data, int64_t from, int64_t to) const {
  const int64_t at = StoreIndex(data);
  if (at < 0) return state::ScanExtremes(data, from, to);
  const auto& samples = store::IsW(IsW) ? p_.Waveform : p_.Buffer;
  return p_.Envelope(IsW).Query(samples.get(), samples.size(), at + from, at + to);
}

state::SampleEnvelope::Extremes TDispl10::FiniteExtremes(const float* data, int64_t from, int64_t to) const {
  const int64_t at = StoreIndex(data);
  if (at < 0) return state::ScanFiniteExtremes(data, from, to);
  const auto& samples = store::IsW(IsW) ? p_.Waveform : p_.Buffer;
  return p_.Envelope(IsW).QueryFinite(samples.get(), samples.size(), at + from, at + to);
}

void TDispl10::PrepareColumns(const float* data, int64_t from, int64_t to) const {
  const int64_t at = StoreIndex(data);
  if (at < 0) return;
  const auto& samples = store::IsW(IsW) ? p_.Waveform : p_.Buffer;
  p_.Envelope(IsW).Prepare(samples.get(), samples.size(), at + from, at + to);
}

}  // namespace graph
