// `Commands`: the keywords of the command language as the command dialog
// lists them and the check mode of macros accepts them. It is not the
// dispatch table: a few keywords are in one and not the other.
#pragma once

#include <cstddef>
#include <string_view>

namespace macro {

inline constexpr size_t kCommandCount = 166;

// Upper-case keywords, ended by a null pointer.
extern const char* const Commands[kCommandCount + 1];

// Exact comparison against `Commands` (the check mode's test).
bool IsCommand(std::string_view keyword);

}  // namespace macro
