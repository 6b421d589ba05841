#include "macro/CommandBuffer.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {
namespace {

// The text of the next argument; the buffer keeps what follows its comma.
std::string NextArgumentText(state::Program& p) {
  std::string queue = QueueText(p);
  size_t comma = queue.find(',');
  if (comma != std::string::npos && comma <= kArgumentChars) {
    SetQueue(p, std::string_view(queue).substr(comma + 1));
    return queue.substr(0, comma);
  }
  SetQueue(p, "");
  return queue;
}

int32_t ToInt32(const std::string& text) {
  errno = 0;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

}  // namespace

std::string QueueText(const state::Program& p) { return store::FieldText(p.DG.NameQueue); }

void SetQueue(state::Program& p, std::string_view text) { store::CopyText(p.DG.NameQueue, text); }

bool QueueEmpty(const state::Program& p) { return p.DG.NameQueue[0] == '\0'; }

std::string TakeKeyword(state::Program& p) {
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  size_t end = queue.find(' ');
  std::string keyword = queue.substr(0, end);
  std::string rest = end == std::string::npos ? std::string() : queue.substr(end);
  store::FrontSpaceOff(rest);
  SetQueue(p, rest);
  for (char& c : keyword)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return keyword;
}

int32_t CommandArgument(state::Program& p) {
  if (QueueEmpty(p)) return 0;
  return ToInt32(NextArgumentText(p));
}

int32_t LCommandArgument(state::Program& p) { return CommandArgument(p); }

float FCommandArgument(state::Program& p) {
  if (QueueEmpty(p)) return 0.0f;
  std::string text = NextArgumentText(p);
  // strtod also reads "inf", "nan" and hexadecimal floats, which the
  // program's own reader never did; they read as 0 like any other non-number.
  size_t start = text.find_first_not_of(" \t");
  if (start != std::string::npos) {
    size_t i = start + (text[start] == '+' || text[start] == '-' ? 1 : 0);
    if (i < text.size() && !(text[i] >= '0' && text[i] <= '9') && text[i] != '.') return 0.0f;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) return 0.0f;
  }
  double v = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(v)) return 0.0f;
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) v = kMax;
  if (v < -kMax) v = -kMax;
  return float(v);
}

std::string TakeRest(state::Program& p) {
  std::string rest = QueueText(p);
  store::FrontSpaceOff(rest);
  SetQueue(p, "");
  return rest;
}

std::string TakeWord(state::Program& p) {
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  size_t end = queue.find(' ');
  std::string word = queue.substr(0, end);
  std::string rest = end == std::string::npos ? std::string() : queue.substr(end);
  store::FrontSpaceOff(rest);
  SetQueue(p, rest);
  return word;
}

void SetArgument(state::Program& p) {
  if (QueueEmpty(p)) {
    NulujArgument(p);
    return;
  }
  p.Argument = ToInt32(QueueText(p));
  SetQueue(p, "");
}

void NulujArgument(state::Program& p) { p.Argument = -1; }

}  // namespace macro
