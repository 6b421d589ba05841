#include "CardModel.h"

#include <algorithm>
#include <cmath>

#include "DeviceInfo.h"
#include "duziv_virtual.h"

namespace virtualcard {

namespace {

std::int64_t WholeScansSince(double elapsed, double frequency) {
  const double scans = std::floor(elapsed * frequency);
  if (!(scans > 0.0)) return 0;
  return scans >= 9.0e15 ? static_cast<std::int64_t>(9.0e15) : static_cast<std::int64_t>(scans);
}

}  // namespace

CardModel::CardModel(bool fast, const SignalConfig& signals) : pacing_(fast), signals_(signals) {}

ScanMoment CardModel::Now() const {
  return ScanMoment{pacing_.Now(), mode_ == Mode::Continuous ? runStart_.tick + ScansConsumed() : tick_};
}

bool CardModel::ScanConfigured() const {
  if (scanLength_ <= 0) return false;
  return std::all_of(scanSet_.begin(), scanSet_.begin() + scanLength_, [](bool set) { return set; });
}

std::int64_t CardModel::ScansConsumed() const { return (samplesRead_ + scanLength_ - 1) / scanLength_; }

std::int64_t CardModel::SamplesProduced() const {
  return WholeScansSince(pacing_.Now() - runStart_.wall, frequency_) * scanLength_;
}

std::int32_t CardModel::ConfigAcquisition(std::int32_t input, std::int32_t range, std::int32_t position,
                                          std::int32_t length) {
  const bool inputOk =
      (input >= 0 && input < InputCount) || input == SpecialZeroInput || input == SpecialFullScaleInput;
  if (!inputOk || range < 0 || range >= RangeCount || length < 1 || length > MaxScanLength || position < 0 ||
      position >= length)
    return DUZIV_BAD_ARGUMENT;
  if (mode_ == Mode::Continuous) return DUZIV_BUSY;
  // A new length starts a new list: every position must be set again.
  if (length != scanLength_) {
    scanLength_ = length;
    scanSet_ = {};
  }
  scanInput_[position] = input;
  scanRange_[position] = range;
  scanSet_[position] = true;
  return DUZIV_OK;
}

std::int32_t CardModel::ConfigScanCounter(std::int32_t counter) const {
  return counter == 0 || counter == 1 ? DUZIV_OK : DUZIV_BAD_ARGUMENT;
}

std::int32_t CardModel::ConfigTiming(double& frequency, double& period) {
  if (std::isnan(frequency)) return DUZIV_BAD_ARGUMENT;
  if (mode_ == Mode::Continuous) return DUZIV_BUSY;
  frequency_ = std::clamp(frequency, ScanMinFrequency, ScanMaxFrequency);
  frequency = frequency_;
  period = 1.0 / frequency_;
  return DUZIV_OK;
}

std::int32_t CardModel::StartAcquisition(std::int32_t mode) {
  if (mode != 1 && mode != 2) return DUZIV_BAD_ARGUMENT;
  if (!ScanConfigured()) return DUZIV_NOT_CONFIGURED;
  StopAcquisition();  // a start restarts, with an empty buffer
  if (mode == 1) {
    mode_ = Mode::Single;
    return DUZIV_OK;
  }
  mode_ = Mode::Continuous;
  runStart_ = ScanMoment{pacing_.Now(), tick_};
  samplesRead_ = 0;
  generator_.OnAcquisitionStart(runStart_);
  return DUZIV_OK;
}

std::int32_t CardModel::StopAcquisition() {
  if (mode_ == Mode::Continuous) {
    // Later scans must not reuse the ticks (noise, generator position) of this run.
    const std::int64_t taken =
        pacing_.Fast() ? ScansConsumed() : std::max(ScansConsumed(), SamplesProduced() / scanLength_);
    tick_ = runStart_.tick + taken;
  }
  mode_ = Mode::Idle;
  return DUZIV_OK;
}

std::int32_t CardModel::BufferStatus(std::int32_t& count) {
  if (mode_ != Mode::Continuous) return DUZIV_NOT_RUNNING;
  if (pacing_.Fast()) {
    // Data are made on demand: always a full buffer of whole scans.
    count = static_cast<std::int32_t>(RingSamples / scanLength_ * scanLength_);
    return DUZIV_OK;
  }
  // The overrun itself is reported by the next read.
  count = static_cast<std::int32_t>(std::min(SamplesProduced() - samplesRead_, RingSamples));
  return DUZIV_OK;
}

std::int32_t CardModel::BufferData(std::uint32_t* words, std::int32_t count, std::int32_t& got) {
  got = 0;
  if (mode_ != Mode::Continuous) return DUZIV_NOT_RUNNING;
  std::int64_t available = RingSamples / scanLength_ * scanLength_;
  if (!pacing_.Fast()) {
    const std::int64_t produced = SamplesProduced();
    available = produced - samplesRead_;
    if (available > RingSamples) {
      // The oldest scans were overwritten: drop everything up to the newest
      // whole scan and go on from there.
      samplesRead_ = produced;
      return DUZIV_OVERRUN;
    }
  }
  const std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(count, available));
  std::int32_t written = 0;
  while (written < n) {
    const std::int64_t index = samplesRead_ + written;
    const std::int64_t scan = index / scanLength_;
    const std::int32_t position = static_cast<std::int32_t>(index % scanLength_);
    const std::int32_t take = std::min(n - written, scanLength_ - position);
    const ScanMoment moment{runStart_.wall + static_cast<double>(scan) / frequency_, runStart_.tick + scan};
    FillScan(words + written, position, take, moment);
    written += take;
  }
  samplesRead_ += n;
  got = n;
  return DUZIV_OK;
}

std::int32_t CardModel::SingleAcquisition(std::uint32_t* words, std::int32_t count) {
  if (mode_ != Mode::Single) return DUZIV_NOT_RUNNING;
  if (count > scanLength_) return DUZIV_BAD_ARGUMENT;
  FillScan(words, 0, count, ScanMoment{pacing_.Now(), tick_});
  ++tick_;
  return DUZIV_OK;
}

void CardModel::FillScan(std::uint32_t* words, std::int32_t first, std::int32_t count,
                         ScanMoment scan) const {
  const bool fast = pacing_.Fast();
  const std::array<double, 2> outputs{OutputCodeToVolts(generator_.OutputCode(0, scan, fast, analogOut_[0])),
                                      OutputCodeToVolts(generator_.OutputCode(1, scan, fast, analogOut_[1]))};
  for (std::int32_t i = 0; i < count; ++i) words[i] = Sample(first + i, scan, outputs);
}

std::uint32_t CardModel::Sample(std::int32_t position, ScanMoment scan,
                                const std::array<double, 2>& outputs) const {
  const std::int32_t input = scanInput_[position];
  const double fullScale = RangeFullScale[scanRange_[position]];
  if (input == SpecialZeroInput) return VoltsToCode(0.0, fullScale);
  if (input == SpecialFullScaleInput) return VoltsToCode(fullScale, fullScale);
  const int loopback = input - OutputLoopbackFirstInput;
  if (loopback >= 0 && signals_.outputLoopback[loopback]) return VoltsToCode(outputs[loopback], fullScale);
  // Fast mode has no wall clock to speak of: the scan number sets the time.
  const bool fast = pacing_.Fast();
  const double time = fast ? static_cast<double>(scan.tick) : scan.wall;
  const double divisor = fast ? frequency_ : 1.0;
  const std::uint64_t noiseKey =
      (static_cast<std::uint64_t>(input) << 56) ^ static_cast<std::uint64_t>(scan.tick);
  return VoltsToCode(SignalValue(signals_.inputs[input], time, divisor, noiseKey), fullScale);
}

std::int32_t CardModel::GetDigitalInput(std::int32_t port, std::int32_t count, std::uint32_t& word) const {
  if (port != 0 || count != 1) return DUZIV_BAD_ARGUMENT;
  word = digitalOut_;  // the output port is wired back; bits 8-15 read 0
  return DUZIV_OK;
}

std::int32_t CardModel::SetDigitalOutput(std::int32_t port, std::int32_t count, std::uint32_t word) {
  if (port != 0 || count != 1) return DUZIV_BAD_ARGUMENT;
  digitalOut_ = word & 0xFFu;  // an 8-bit port
  return DUZIV_OK;
}

std::int32_t CardModel::SetAnalogOutputs(std::int32_t first, const std::uint32_t* words, std::int32_t count) {
  if (first < 0 || first > 1 || count < 1 || count > 2 - first) return DUZIV_BAD_ARGUMENT;
  for (std::int32_t i = 0; i < count; ++i) analogOut_[first + i] = std::min<std::uint32_t>(words[i], 4095);
  return DUZIV_OK;
}

}  // namespace virtualcard
