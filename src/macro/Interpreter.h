// The command interpreter: one line of the command language, taken from the
// command text buffer, dispatched to its executor. It serves the macro
// runner, the command dialog, the program's command line and a few menu
// items alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace app {
struct Program;
}

namespace macro {

// `ComInterpret`: executes the line in the command text buffer. In check
// mode only the keyword is looked up in `Commands` (answer 1 when found)
// and the buffer is emptied. Otherwise the keyword is dispatched; an unknown
// one is reported (general text 211, title 14). Answers 1 when the statement
// ran (its executor reports its own failures, and a macro goes on), 0 when
// it could not run at all: an unknown keyword, a keyword this build cannot
// carry out, or a file nobody named or chose. `status`, when given,
// receives the executor's own answer (1 done, 0 failed, -1 not run), which
// the headless runner turns into its exit status.
int ComInterpret(app::Program& p, int* status = nullptr);
int ComInterpret(app::Program& p, bool checkMode, int* status);

// `ComInterpret1`: dispatches an upper-case keyword whose arguments are in
// the buffer. Answers 1 when the keyword is a command (whatever its
// executor answered, which goes to `status`), 0 when it is not.
int ComInterpret1(app::Program& p, std::string_view keyword, int* status = nullptr);

// The dispatch order, for the command dialog's help and for tests.
size_t DispatchCount();
const char* DispatchKeyword(size_t i);

}  // namespace macro
