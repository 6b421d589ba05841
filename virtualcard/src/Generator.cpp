#include "Generator.h"

#include <algorithm>
#include <cmath>

#include "duziv_virtual.h"

namespace virtualcard {

bool Generator::ListComplete() const {
  for (std::int32_t i = 0; i < listCount_; ++i) {
    if (!listSet_[i]) return false;
  }
  return listCount_ > 0;
}

std::int32_t Generator::ConfigOutput(std::int32_t output, std::int32_t position, std::int32_t count) {
  if (output < 0 || output > 1 || count < 1 || count > 2 || position < 0 || position >= count)
    return DUZIV_BAD_ARGUMENT;
  if (running_ || armed_) return DUZIV_BUSY;
  if (count != listCount_) {
    listCount_ = count;
    listSet_ = {};
  }
  listOutput_[position] = output;
  listSet_[position] = true;
  return DUZIV_OK;
}

std::int32_t Generator::ConfigTiming(double& frequency, double& period) {
  if (std::isnan(frequency)) return DUZIV_BAD_ARGUMENT;
  if (running_ || armed_) return DUZIV_BUSY;
  frequency_ = std::clamp(frequency, DacMinFrequency, DacMaxFrequency);
  frequency = frequency_;
  period = 1.0 / frequency_;
  return DUZIV_OK;
}

std::int32_t Generator::ConfigMode(std::int32_t mode, std::int32_t cyclic, std::int32_t synchronous,
                                   bool acquisitionRunning) {
  if (mode == 1) {
    // Release: the buffer goes, the outputs fall back to their static values.
    running_ = armed_ = false;
    modeSet_ = false;
    buffer_.clear();
    buffer_.shrink_to_fit();
    return DUZIV_OK;
  }
  if (mode != 2) return DUZIV_BAD_ARGUMENT;
  if (running_ || armed_) return DUZIV_BUSY;
  // Like the hardware, a synchronous start cannot be set up under a running scan.
  if (synchronous != 0 && acquisitionRunning) return DUZIV_BUSY;
  modeSet_ = true;
  cyclic_ = cyclic != 0;
  synchronous_ = synchronous != 0;
  buffer_.clear();
  return DUZIV_OK;
}

std::int32_t Generator::Load(const std::uint32_t* words, std::int32_t count, std::int32_t& sent) {
  sent = 0;
  if (!modeSet_) return DUZIV_NOT_CONFIGURED;
  if (running_ || armed_) return DUZIV_BUSY;
  const std::int32_t room = DacDepth - static_cast<std::int32_t>(buffer_.size());
  const std::int32_t accepted = std::min(count, room);
  buffer_.insert(buffer_.end(), words, words + accepted);
  sent = accepted;
  return DUZIV_OK;
}

std::int32_t Generator::Status(std::int32_t what, std::int32_t& count) const {
  switch (what) {
    case 1:
      count = running_ ? 1 : armed_ ? 2 : 0;
      return DUZIV_OK;
    case 2:
      count = static_cast<std::int32_t>(buffer_.size());
      return DUZIV_OK;
    default:
      return DUZIV_BAD_ARGUMENT;
  }
}

std::int32_t Generator::Start(bool acquisitionRunning, ScanMoment now) {
  if (running_ || armed_) return DUZIV_BUSY;
  if (!modeSet_ || !ListComplete() || buffer_.size() < static_cast<std::size_t>(listCount_))
    return DUZIV_NOT_CONFIGURED;
  if (synchronous_) {
    if (acquisitionRunning) return DUZIV_BUSY;
    armed_ = true;
    return DUZIV_OK;
  }
  running_ = true;
  start_ = now;
  return DUZIV_OK;
}

std::int32_t Generator::Stop() {
  running_ = armed_ = false;
  return DUZIV_OK;
}

void Generator::OnAcquisitionStart(ScanMoment start) {
  if (!armed_) return;
  armed_ = false;
  running_ = true;
  start_ = start;
}

std::uint32_t Generator::OutputCode(int output, ScanMoment scan, bool fast, std::uint32_t staticCode) const {
  if (!running_) return staticCode;
  int slot = -1;
  for (std::int32_t i = 0; i < listCount_; ++i) {
    if (listOutput_[i] == output) slot = i;
  }
  const std::int64_t samples = static_cast<std::int64_t>(buffer_.size()) / listCount_;
  if (slot < 0 || samples == 0) return staticCode;

  std::int64_t index = 0;
  if (fast) {
    index = scan.tick - start_.tick;
  } else {
    const double elapsed = (scan.wall - start_.wall) * frequency_;
    if (elapsed < 0.0) return staticCode;
    index = elapsed >= 9.0e18 ? INT64_MAX : static_cast<std::int64_t>(elapsed);
  }
  if (index < 0) return staticCode;  // the scan was taken before the start
  // One-shot replay holds its last sample, as a DAC does.
  index = cyclic_ ? index % samples : std::min(index, samples - 1);
  return std::min<std::uint32_t>(buffer_[static_cast<std::size_t>(index * listCount_ + slot)], 4095);
}

}  // namespace virtualcard
