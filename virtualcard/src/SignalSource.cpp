#include "SignalSource.h"

#include <cmath>
#include <numbers>

namespace virtualcard {

namespace {

// splitmix64: cheap, well mixed, and stateless.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

double NoiseUnit(std::uint64_t key) {
  // 53 random bits give a uniform double in [0, 1).
  const double unit = static_cast<double>(Mix(key) >> 11) * 0x1.0p-53;
  return unit * 2.0 - 1.0;
}

double SignalValue(const Signal& signal, double time, double timeDivisor, std::uint64_t noiseKey) {
  const double cycles = signal.frequency * time / timeDivisor;
  const double phase = cycles - std::floor(cycles);  // 0 <= phase < 1
  double shape = 0.0;
  switch (signal.kind) {
    case SignalKind::Sine:
      shape = std::sin(2.0 * std::numbers::pi * phase);
      break;
    case SignalKind::Square:
      shape = phase < 0.5 ? 1.0 : -1.0;
      break;
    case SignalKind::Triangle: {
      // Starts at 0 and rises, in step with the sine.
      double shifted = phase + 0.25;
      shifted -= std::floor(shifted);
      shape = 1.0 - 4.0 * std::fabs(shifted - 0.5);
      break;
    }
    case SignalKind::Dc:
      shape = 1.0;
      break;
    case SignalKind::Noise:
      shape = NoiseUnit(noiseKey);
      break;
  }
  return signal.offset + signal.amplitude * shape;
}

std::uint32_t VoltsToCode(double volts, double fullScale) {
  if (!(fullScale > 0.0) || std::isnan(volts)) return 32768;
  // Rounded to nearest; after the clamp truncation is the floor (hot path: no std::floor).
  const double code = volts / fullScale * 32768.0 + 32768.5;
  if (code < 1.0) return 0;
  if (code >= 65535.0) return 65535;
  return static_cast<std::uint32_t>(code);
}

double OutputCodeToVolts(std::uint32_t code) {
  if (code > 4095) code = 4095;
  return static_cast<double>(code) / 4095.0 * 20.0 - 10.0;
}

}  // namespace virtualcard
