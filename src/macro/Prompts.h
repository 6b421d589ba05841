// How a prompting command obtains a value: inside a running macro from the
// command text buffer, otherwise from a value prompt (any argument text is
// then ignored). The result is signalled through `CommonBool` as well as
// answered.
#pragma once

#include <cstdint>
#include <string_view>

namespace state {
struct Program;
}

namespace macro {

// `GetF`, `GetI`, `GetL`: the prompt starts from `value` (or `def` when the
// value lies outside min..max). In a macro a missing argument keeps the
// value and still counts as accepted; a given one is clamped to min..max,
// since a value outside the prompt's range was never meant to reach the
// settings. Answers true when accepted; a cancelled prompt changes nothing.
bool GetF(state::Program& p, float& value, float min, float max, float def, std::string_view prompt);
// The same for an int16 ...
bool GetI(state::Program& p, int16_t& value, int16_t min, int16_t max, int16_t def, std::string_view prompt);
// ... and an int32.
bool GetL(state::Program& p, int32_t& value, int32_t min, int32_t max, int32_t def, std::string_view prompt);

// A channel number (or another table index) obtained like `GetL`, except
// that a number from a macro line outside min..max is refused rather than
// clamped: clamping would quietly pick another channel. The refusal is
// reported with the keyword; the caller then does nothing more.
bool GetChannel(state::Program& p, int32_t& value, int32_t min, int32_t max, std::string_view prompt,
                std::string_view keyword);

}  // namespace macro
