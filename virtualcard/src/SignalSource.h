// Waveforms of the emulated inputs and the card's code conversions.
#pragma once

#include <cstdint>

namespace virtualcard {

enum class SignalKind { Sine, Square, Triangle, Dc, Noise };

// value(t) = offset + amplitude * shape(frequency * t); the shapes swing
// between -1 and +1 (dc is a constant 1).
struct Signal {
  SignalKind kind = SignalKind::Sine;
  double amplitude = 1.0;   // V
  double frequency = 10.0;  // Hz
  double offset = 0.0;      // V
};

// Volts of a signal at time t = time / timeDivisor [s]. Passing the scan number
// and the scan rate keeps the phase of simple ratios exact, so square edges fall
// on the same scan every time. Noise is drawn from noiseKey: the same scan
// always reads the same value however often it is generated.
double SignalValue(const Signal& signal, double time, double timeDivisor, std::uint64_t noiseKey);

// Uniform in [-1, 1), a pure function of the key.
double NoiseUnit(std::uint64_t key);

// 16-bit offset binary of a voltage on a range of +-fullScale volts,
// clamped to 0..65535.
std::uint32_t VoltsToCode(double volts, double fullScale);

// Volts of a 12-bit output code (0 = -10 V, 4095 = +10 V).
double OutputCodeToVolts(std::uint32_t code);

}  // namespace virtualcard
