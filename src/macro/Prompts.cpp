#include "macro/Prompts.h"

#include <cmath>
#include <string>

#include "macro/CommandBuffer.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace macro {
namespace {

template <typename T>
T Clamp(T v, T min, T max) {
  return v < min ? min : (v > max ? max : v);
}

// The common integer path; answers whether a value was accepted and whether
// it came from a macro line out of range.
bool GetInteger(state::Program& p, int64_t& value, int64_t min, int64_t max, int64_t def,
                std::string_view prompt, bool& outOfRange, int64_t* given = nullptr) {
  outOfRange = false;
  if (p.MacGoing) {
    if (!QueueEmpty(p)) {
      int64_t v = LCommandArgument(p);
      if (given) *given = v;
      outOfRange = v < min || v > max;
      value = Clamp(v, min, max);
    }
    p.CommonBool = 1;
    return true;
  }
  int64_t initial = value >= min && value <= max ? value : def;
  // A number typed after the keyword is where the dialog starts.
  if (!QueueEmpty(p)) initial = LCommandArgument(p);
  std::optional<int64_t> answer = p.ui().PromptInt(prompt, min, max, initial);
  if (!answer) {
    p.CommonBool = 0;
    return false;
  }
  value = Clamp(*answer, min, max);
  p.CommonBool = 1;
  return true;
}

}  // namespace

bool GetF(state::Program& p, float& value, float min, float max, float def, std::string_view prompt) {
  if (p.MacGoing) {
    if (!QueueEmpty(p)) value = Clamp(FCommandArgument(p), min, max);
    p.CommonBool = 1;
    return true;
  }
  double initial = std::isfinite(value) && value >= min && value <= max ? value : def;
  if (!QueueEmpty(p)) {
    const float typed = FCommandArgument(p);
    if (std::isfinite(typed)) initial = typed;
  }
  std::optional<double> answer = p.ui().PromptFloat(prompt, min, max, initial);
  if (!answer || !std::isfinite(*answer)) {
    p.CommonBool = 0;
    return false;
  }
  value = Clamp(float(*answer), min, max);
  p.CommonBool = 1;
  return true;
}

bool GetI(state::Program& p, int16_t& value, int16_t min, int16_t max, int16_t def, std::string_view prompt) {
  int64_t v = value;
  bool outOfRange = false;
  if (!GetInteger(p, v, min, max, def, prompt, outOfRange)) return false;
  value = int16_t(v);
  return true;
}

bool GetL(state::Program& p, int32_t& value, int32_t min, int32_t max, int32_t def, std::string_view prompt) {
  int64_t v = value;
  bool outOfRange = false;
  if (!GetInteger(p, v, min, max, def, prompt, outOfRange)) return false;
  value = int32_t(v);
  return true;
}

bool GetChannel(state::Program& p, int32_t& value, int32_t min, int32_t max, std::string_view prompt,
                std::string_view keyword) {
  int64_t v = value;
  bool outOfRange = false;
  int64_t given = 0;
  if (!GetInteger(p, v, min, max, min, prompt, outOfRange, &given)) return false;
  if (outOfRange) {
    p.CommonBool = 0;
    state::Mess(p,
                std::string(keyword) + ": number " + std::to_string(given) + " outside " +
                    std::to_string(min) + ".." + std::to_string(max) + ", statement not executed",
                state::Txt(p, 14));
    return false;
  }
  value = int32_t(v);
  return true;
}

}  // namespace macro
