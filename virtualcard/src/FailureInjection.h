// Failure injection for tests of the program's error paths:
// DUZIV_VIRTUAL_FAIL="Td_Name[:status[:afterNCalls]],..." makes the named call
// answer `status` (default 99) from its (afterNCalls + 1)-th call on.
#pragma once

#include <cstdint>

namespace virtualcard {

// Re-reads the variable; the call counts restart only when its text changed.
void RefreshFailureInjection();

// Counts a call of `name`; the status it must answer, or 0 to run normally.
std::int32_t InjectedStatus(const char* name);

}  // namespace virtualcard
