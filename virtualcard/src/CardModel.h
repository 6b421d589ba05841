// The state behind one driver handle: scan list, timing, scanning, digital
// port, analog outputs and generator. Arguments arrive checked for null
// pointers and negative counts; this class checks what depends on its state.
#pragma once

#include <array>
#include <cstdint>

#include "Generator.h"
#include "Pacing.h"
#include "SignalConfig.h"

namespace virtualcard {

inline constexpr std::int32_t MaxScanLength = 32;
inline constexpr std::int64_t RingSamples = 4194304;
inline constexpr std::int32_t SpecialZeroInput = 256;       // reads 0 V
inline constexpr std::int32_t SpecialFullScaleInput = 257;  // reads + full scale of its range

class CardModel {
 public:
  CardModel(bool fast, const SignalConfig& signals);

  std::int32_t ConfigAcquisition(std::int32_t input, std::int32_t range, std::int32_t position,
                                 std::int32_t length);
  std::int32_t ConfigScanCounter(std::int32_t counter) const;
  std::int32_t ConfigTiming(double& frequency, double& period);
  std::int32_t StartAcquisition(std::int32_t mode);
  std::int32_t StopAcquisition();
  std::int32_t BufferStatus(std::int32_t& count);
  std::int32_t BufferData(std::uint32_t* words, std::int32_t count, std::int32_t& got);
  std::int32_t SingleAcquisition(std::uint32_t* words, std::int32_t count);

  std::int32_t GetDigitalInput(std::int32_t port, std::int32_t count, std::uint32_t& word) const;
  std::int32_t SetDigitalOutput(std::int32_t port, std::int32_t count, std::uint32_t word);
  std::int32_t SetAnalogOutputs(std::int32_t first, const std::uint32_t* words, std::int32_t count);

  Generator& Gen() { return generator_; }
  bool Continuous() const { return mode_ == Mode::Continuous; }
  ScanMoment Now() const;

 private:
  enum class Mode { Idle, Single, Continuous };

  bool ScanConfigured() const;
  std::int64_t ScansConsumed() const;
  std::int64_t SamplesProduced() const;
  void FillScan(std::uint32_t* words, std::int32_t first, std::int32_t count, ScanMoment scan) const;
  std::uint32_t Sample(std::int32_t position, ScanMoment scan, const std::array<double, 2>& outputs) const;

  Pacing pacing_;
  SignalConfig signals_;

  std::int32_t scanLength_ = 0;
  std::array<std::int32_t, MaxScanLength> scanInput_{};
  std::array<std::int32_t, MaxScanLength> scanRange_{};
  std::array<bool, MaxScanLength> scanSet_{};
  double frequency_ = 1000.0;  // until the program sets it

  Mode mode_ = Mode::Idle;
  std::int64_t tick_ = 0;  // scans taken before the current continuous run
  ScanMoment runStart_;
  std::int64_t samplesRead_ = 0;

  std::uint32_t digitalOut_ = 0;
  std::array<std::uint32_t, 2> analogOut_{2048, 2048};
  Generator generator_;
};

}  // namespace virtualcard
