#include "daq/Simulation.h"

#include "daq/CardState.h"
#include "state/Program.h"

namespace daq {

uint32_t SimRandom(state::Program& p) {
  // xorshift64*: cheap, and uniform enough in its upper bits for the moduli used.
  uint64_t& s = Card(p).SimSeed;
  s ^= s >> 12;
  s ^= s << 25;
  s ^= s >> 27;
  return uint32_t((s * 0x2545F4914F6CDD1Dull) >> 33);
}

int16_t SimWaveformCode(state::Program& p, int phase) {
  int noise = int(SimRandom(p) % 200) - 100;
  return int16_t(noise + (phase <= 15 ? -1000 : 1000));
}

int32_t SimLiveCode(state::Program& p, int phase, int channel) {
  int noise = int(SimRandom(p) % 200) - 50;
  return (noise + (phase <= 15 ? -1000 : 1000)) * (channel + 1);
}

int16_t SimMeasurementCode(state::Program& p) { return int16_t(int(SimRandom(p) % 4000) - 2000); }

void SimWaveformScans(state::Program& p, std::span<int16_t> out, long scans, int channels) {
  if (scans <= 0 || channels <= 0) return;
  CardState& c = Card(p);
  size_t fit = out.size() / size_t(channels);
  size_t n = std::min(size_t(scans), fit);
  int phase = c.SimPhase;
  for (size_t s = 0; s < n; ++s) {
    for (int k = 0; k < channels; ++k) out[s * size_t(channels) + size_t(k)] = SimWaveformCode(p, phase);
    phase = SimNextPhase(phase);
  }
  c.SimPhase = phase;
}

}  // namespace daq
