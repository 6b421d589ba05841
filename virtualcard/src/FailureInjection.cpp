#include "FailureInjection.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "duziv_virtual.h"

namespace virtualcard {

namespace {

constexpr std::size_t MaxEntries = 64;
constexpr std::size_t MaxNameLength = 64;

struct Entry {
  std::string name;
  std::int32_t status = DUZIV_INJECTED_DEFAULT;
  long long after = 0;
  long long calls = 0;
};

struct InjectionState {
  bool seen = false;
  std::string text;
  std::vector<Entry> entries;
};

InjectionState& State() {
  static InjectionState state;
  return state;
}

bool ParseInteger(std::string_view token, long long low, long long high, long long& value) {
  if (token.empty() || token.size() > 20) return false;
  const std::string text(token);
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool ValidName(std::string_view name) {
  if (name.size() < 4 || name.size() > MaxNameLength || name.substr(0, 3) != "Td_") return false;
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

// A malformed entry is ignored rather than guessed at.
bool ParseEntry(std::string_view text, Entry& entry) {
  std::string_view fields[3];
  int count = 0;
  while (true) {
    const auto colon = text.find(':');
    if (count == 3) return false;
    fields[count++] = Trim(text.substr(0, colon));
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (!ValidName(fields[0])) return false;
  entry.name = std::string(fields[0]);
  long long value = 0;
  if (count > 1) {
    // Status 0 would be success, which is no failure to inject.
    if (!ParseInteger(fields[1], INT32_MIN, INT32_MAX, value) || value == 0) return false;
    entry.status = static_cast<std::int32_t>(value);
  }
  if (count > 2) {
    if (!ParseInteger(fields[2], 0, INT64_MAX, value)) return false;
    entry.after = value;
  }
  return true;
}

void Parse(std::string_view text, std::vector<Entry>& entries) {
  entries.clear();
  while (!text.empty() && entries.size() < MaxEntries) {
    const auto comma = text.find(',');
    Entry entry;
    if (ParseEntry(Trim(text.substr(0, comma)), entry)) entries.push_back(std::move(entry));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

void RefreshFailureInjection() {
  InjectionState& state = State();
  const char* value = std::getenv(DUZIV_ENV_FAIL);
  const std::string_view now = value ? std::string_view(value) : std::string_view();
  if (state.seen == (value != nullptr) && state.text == now) return;
  state.seen = value != nullptr;
  state.text = std::string(now);
  Parse(now, state.entries);
}

std::int32_t InjectedStatus(const char* name) {
  InjectionState& state = State();
  for (Entry& entry : state.entries) {
    if (entry.name != name) continue;
    const long long call = entry.calls;
    if (entry.calls < INT64_MAX) ++entry.calls;
    return call >= entry.after ? entry.status : 0;
  }
  return 0;
}

}  // namespace virtualcard
