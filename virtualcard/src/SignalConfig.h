// The input signal file of the virtual card: one line per input,
//   <input|all> <sine|square|triangle|dc|noise> [amplitude V [frequency Hz [offset V]]]
// '#' starts a comment. Lines that do not parse are skipped, never fatal.
#pragma once

#include <array>
#include <string_view>

#include "SignalSource.h"

namespace virtualcard {

inline constexpr int InputCount = 32;
inline constexpr int OutputLoopbackFirstInput = 30;  // inputs 30, 31 read outputs A, B
inline constexpr std::size_t MaxLineLength = 256;

struct SignalConfig {
  std::array<Signal, InputCount> inputs{};
  // Inputs 30 and 31 read the analog outputs unless the file names them.
  std::array<bool, 2> outputLoopback{true, true};
};

// Input k: sine of 1 + k % 5 V at 10 * (k + 1) Hz; 30 and 31 loop back the outputs.
SignalConfig DefaultSignalConfig();

// Applies one line (without its newline) to `config`; false when it is garbage.
// Explicit lines win over the `all` line whatever their order, so `explicitInputs`
// remembers which inputs a numbered line has set.
bool ApplySignalLine(std::string_view line, SignalConfig& config,
                     std::array<bool, InputCount>& explicitInputs);

// Reads the file at `path` over the defaults. A missing or unreadable file, or
// one that is not a regular file, leaves the defaults.
SignalConfig LoadSignalConfig(const char* path);

}  // namespace virtualcard
