// The card's output generator: an output list, a rate, and a buffer of 12-bit
// codes that replaces the static output values while it runs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace virtualcard {

inline constexpr std::int32_t DacDepth = 131072;  // words, both outputs together
inline constexpr double DacMinFrequency = 1.0;
inline constexpr double DacMaxFrequency = 500000.0;

// When a scan is taken: `wall` in seconds of card time, `tick` its number among
// all scans since the driver opened (fast mode paces by ticks).
struct ScanMoment {
  double wall = 0.0;
  std::int64_t tick = 0;
};

class Generator {
 public:
  std::int32_t ConfigOutput(std::int32_t output, std::int32_t position, std::int32_t count);
  std::int32_t ConfigTiming(double& frequency, double& period);
  std::int32_t ConfigMode(std::int32_t mode, std::int32_t cyclic, std::int32_t synchronous,
                          bool acquisitionRunning);
  std::int32_t Load(const std::uint32_t* words, std::int32_t count, std::int32_t& sent);
  std::int32_t Status(std::int32_t what, std::int32_t& count) const;
  std::int32_t Start(bool acquisitionRunning, ScanMoment now);
  std::int32_t Stop();

  // A synchronous generator waits for the continuous acquisition to start.
  void OnAcquisitionStart(ScanMoment start);

  // The code output `output` shows at a scan; `staticCode` when the generator
  // does not drive it. In fast mode one generator sample passes per scan.
  std::uint32_t OutputCode(int output, ScanMoment scan, bool fast, std::uint32_t staticCode) const;

 private:
  bool ListComplete() const;

  std::int32_t listCount_ = 0;
  std::array<std::int32_t, 2> listOutput_{};
  std::array<bool, 2> listSet_{};
  double frequency_ = 1000.0;
  bool modeSet_ = false;  // mode 2 configured, buffer accepting data
  bool cyclic_ = false;
  bool synchronous_ = false;
  bool running_ = false;
  bool armed_ = false;  // synchronous, waiting for the acquisition
  ScanMoment start_;
  std::vector<std::uint32_t> buffer_;
};

}  // namespace virtualcard
