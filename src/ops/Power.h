// Harmonic amplitudes, the distortion factor and the voltage/current power
// analysis of waveform channels (the kernels in dsp/Power.h).
#pragma once

#include <cstdint>

#include "dsp/Power.h"

namespace state {
struct Program;
}

namespace ops {

// dsp::HarmonicMagnitudes of W channel `channel` (0-based): 0 (out zeroed)
// when the channel is inactive or holds a spectrum. The channel is left as it
// was.
int GetHarm(state::Program& p, int channel, float fundamental, int count, float* out);

// dsp::DistortionFactor of W channel `channel`; 0 for an inactive channel or
// a spectrum.
[[nodiscard]] int CinitelZkresleni(state::Program& p, int channel, int harmonics, float& factor);

// `Faze_UI`: dsp::PowerAnalysis of W channels channelU (voltage) and channelI
// (current), 0-based, over samples from … to or, when betweenCursors, between
// the cursors of u's graph settings. 0 (all results 0) for an inactive
// channel or a spectrum. On success `p.StatCursor` takes betweenCursors.
[[nodiscard]] int Faze_UI(state::Program& p, int channelU, int channelI, bool betweenCursors, int32_t from,
                          int32_t to, float frequency, dsp::PowerResults& out);

}  // namespace ops
