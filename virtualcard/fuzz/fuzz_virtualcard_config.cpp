// The input signal file is outside input: any bytes must load without a
// crash and give signals within the parser's bounds.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SignalConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Memory-backed, so the fuzzer is not bound by disk writes.
  static const std::string path = "/dev/shm/fuzz_virtualcard_" + std::to_string(getpid()) + ".conf";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  const virtualcard::SignalConfig config = virtualcard::LoadSignalConfig(path.c_str());
  for (const virtualcard::Signal& signal : config.inputs) {
    if (!std::isfinite(signal.amplitude) || !std::isfinite(signal.frequency) ||
        !std::isfinite(signal.offset) || std::fabs(signal.amplitude) > 1000.0 ||
        std::fabs(signal.offset) > 1000.0 || signal.frequency < 0.0)
      std::abort();
  }
  return 0;
}
