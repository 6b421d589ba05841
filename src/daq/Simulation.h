// Raw codes the runs use without a card. They pass through AD_Kalibrace like
// real codes (full scale 5.0 V).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace state {
struct Program;
}

namespace daq {

// A non-negative pseudo-random integer, fresh for every call.
uint32_t SimRandom(state::Program& p);

// Waveform run: a 30-sample square wave of +-1000 codes with noise -100..99;
// phase 1..30 (1..15 low, 16..30 high) is shared by all channels of a sample.
int16_t SimWaveformCode(state::Program& p, int phase);
// Live window: noise -50..149 and the sum times channel + 1. Answered as
// int32: the amplitude of the upper channels passes the int16 range.
int32_t SimLiveCode(state::Program& p, int phase, int channel);
// Slow measurement: noise only, -2000..1999.
int16_t SimMeasurementCode(state::Program& p);

// The next phase of the shared waveform phase, 1..30.
inline int SimNextPhase(int phase) { return phase >= 30 || phase < 1 ? 1 : phase + 1; }

// `scans` simulated waveform scans of `channels` codes each, scan-interleaved
// like the card's block transfer, continuing the card state's phase. Writes
// at most out.size() codes.
void SimWaveformScans(state::Program& p, std::span<int16_t> out, long scans, int channels);

}  // namespace daq
