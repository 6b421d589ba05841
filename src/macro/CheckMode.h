// `MacInterpret`: the check mode in which a macro's keywords are only
// validated, not executed. The macro runner keeps the flag (GOIM runs a
// macro through it); the interpreter only reads it.
#pragma once

namespace state {
struct Program;
}

namespace macro {

// Whether the program is checking a macro (`MacInterpret` != 0).
bool InCheckMode(const state::Program& p);

}  // namespace macro
