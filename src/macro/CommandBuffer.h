// The command text buffer (`NameQueue` of `DG`): whoever issues a command
// writes the whole line into it, and the keyword and argument readers take
// their words from its front, so after a command it holds what nobody read.
// The field is 60 bytes; every write goes through here and keeps it
// terminated, so at most 59 characters of a line survive.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace state {
struct Program;
}

namespace macro {

inline constexpr size_t kArgumentChars = 50;  // an argument ends after this many characters

// The buffer's text (never reads past the field).
std::string QueueText(const state::Program& p);
// Replaces the buffer by `text`, cut to what the field holds.
void SetQueue(state::Program& p, std::string_view text);
bool QueueEmpty(const state::Program& p);

// Removes the keyword from the front (after leading blanks) and leaves only
// the argument text, without leading blanks. Answers the keyword in upper case.
std::string TakeKeyword(state::Program& p);

// The argument readers: the next comma-separated argument, converted as
// atoi / atof would (leading blanks skipped, conversion stops at the first
// character that does not fit, no number reads as 0). Values beyond the
// type saturate and a float that is not finite reads as 0, so no reader
// ever yields an undefined value.
int32_t CommandArgument(state::Program& p);   // as an integer
int32_t LCommandArgument(state::Program& p);  // the same ("long"; int32 in either case)
float FCommandArgument(state::Program& p);    // as float

// The rest of the buffer as text, leading blanks removed; the buffer is emptied.
std::string TakeRest(state::Program& p);
// The next blank-delimited word, removed from the buffer.
std::string TakeWord(state::Program& p);

// `SetArgument`: `Argument` = the whole buffer read as an integer (65535
// when empty), the buffer emptied. `NulujArgument`: `Argument` = 65535.
void SetArgument(state::Program& p);
// "zero the argument": Argument = none.
void NulujArgument(state::Program& p);

}  // namespace macro
