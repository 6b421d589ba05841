#include "SignalConfig.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace virtualcard {

namespace {

// Guards against a hostile file: a huge one (or /dev/zero through a link) is cut off.
constexpr long MaxFileBytes = 1 << 20;
constexpr int MaxTokens = 5;
constexpr double MaxVolts = 1000.0;
constexpr double MaxFrequency = 1.0e6;

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool ParseNumber(std::string_view token, double& value) {
  const std::string text(token);  // strtod needs a terminated string
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseInput(std::string_view token, int& input) {
  if (EqualsIgnoreCase(token, "all")) {
    input = -1;
    return true;
  }
  if (token.empty() || token.size() > 2) return false;
  int value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value >= InputCount) return false;
  input = value;
  return true;
}

bool ParseKind(std::string_view token, SignalKind& kind) {
  static constexpr struct {
    std::string_view name;
    SignalKind kind;
  } kinds[] = {{"sine", SignalKind::Sine},
               {"square", SignalKind::Square},
               {"triangle", SignalKind::Triangle},
               {"dc", SignalKind::Dc},
               {"noise", SignalKind::Noise}};
  for (const auto& entry : kinds) {
    if (EqualsIgnoreCase(token, entry.name)) {
      kind = entry.kind;
      return true;
    }
  }
  return false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

SignalConfig DefaultSignalConfig() {
  SignalConfig config;
  for (int k = 0; k < InputCount; ++k) {
    config.inputs[k] = Signal{SignalKind::Sine, 1.0 + k % 5, 10.0 * (k + 1), 0.0};
  }
  return config;
}

bool ApplySignalLine(std::string_view line, SignalConfig& config,
                     std::array<bool, InputCount>& explicitInputs) {
  if (line.size() > MaxLineLength) return false;
  if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);

  std::string_view tokens[MaxTokens];
  int count = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (count == MaxTokens) return false;  // trailing garbage
    tokens[count++] = line.substr(start, i - start);
  }
  if (count == 0) return true;  // blank or comment only: nothing to do, not garbage
  if (count < 2) return false;

  int input = 0;
  Signal signal;
  if (!ParseInput(tokens[0], input) || !ParseKind(tokens[1], signal.kind)) return false;
  if (count > 2 && (!ParseNumber(tokens[2], signal.amplitude) || std::fabs(signal.amplitude) > MaxVolts))
    return false;
  if (count > 3 && (!ParseNumber(tokens[3], signal.frequency) || signal.frequency < 0.0 ||
                    signal.frequency > MaxFrequency))
    return false;
  if (count > 4 && (!ParseNumber(tokens[4], signal.offset) || std::fabs(signal.offset) > MaxVolts))
    return false;

  if (input >= 0) {
    config.inputs[input] = signal;
    explicitInputs[input] = true;
    if (input >= OutputLoopbackFirstInput) config.outputLoopback[input - OutputLoopbackFirstInput] = false;
    return true;
  }
  // `all` covers the signal inputs only, and never undoes an explicit line.
  for (int k = 0; k < OutputLoopbackFirstInput; ++k) {
    if (!explicitInputs[k]) config.inputs[k] = signal;
  }
  return true;
}

SignalConfig LoadSignalConfig(const char* path) {
  SignalConfig config = DefaultSignalConfig();
  if (path == nullptr || *path == '\0') return config;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return config;
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return config;
  }

  std::array<bool, InputCount> explicitInputs{};
  std::string line;
  bool garbage = false;  // too long, or holding a NUL byte
  auto finishLine = [&] {
    // A garbage line is skipped; the rest of the file still counts.
    if (!garbage) ApplySignalLine(line, config, explicitInputs);
    line.clear();
    garbage = false;
  };
  char chunk[4096];
  long total = 0;
  std::size_t got = 0;
  while (total < MaxFileBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    total += static_cast<long>(got);
    for (std::size_t i = 0; i < got; ++i) {
      const char c = chunk[i];
      if (c == '\n') {
        finishLine();
      } else if (!garbage) {
        if (c == '\0' || line.size() >= MaxLineLength) {
          garbage = true;
          line.clear();
        } else {
          line.push_back(c);
        }
      }
    }
  }
  if (!line.empty() || garbage) finishLine();
  std::fclose(file);
  return config;
}

}  // namespace virtualcard
