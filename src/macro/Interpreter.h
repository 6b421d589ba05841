// The command interpreter: one line of the command language, taken from the
// command text buffer, dispatched to its executor. It serves the macro
// runner, the command dialog, the program's command line and a few menu
// items alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace state {
struct Program;
}

namespace macro {

// `ComInterpret`: executes the line in the command text buffer. In check
// mode only the keyword is looked up in `Commands` (answer 1 when found)
// and the buffer is emptied. Otherwise the keyword is dispatched; an unknown
// one is reported (general text 211, title 14). Answers 0 only for an
// unknown keyword, 1 when the keyword was dispatched, whatever came of it:
// a statement that failed or was refused has told the user why, is kept in
// the list of failed statements (the headless exit status), and a macro goes
// on. `status`, when given, receives the executor's own answer (1 done,
// 0 failed, -1 not run).
int ComInterpret(state::Program& p, int* status = nullptr);
int ComInterpret(state::Program& p, bool checkMode, int* status);

// The statements that failed or were refused since the program started
// (unknown keywords included), each with where it came from; the list keeps
// the first 100, the count goes on.
struct FailedStatements {
  std::vector<std::string> shown;
  int64_t count = 0;
};
const FailedStatements& FailedStatementList(const state::Program& p);
// Records a failure that happened outside a statement's executor (a run that
// failed over later timer ticks, a file the exit could not write).
void NoteFailure(state::Program& p, const std::string& what);
// Where the statement being interpreted comes from ("DEMO.MAC row 12"),
// added to its entry when it fails; empty for typed lines.
void SetStatementSource(state::Program& p, std::string source);

// `ComInterpret1`: dispatches an upper-case keyword whose arguments are in
// the buffer. Answers 1 when the keyword is a command (whatever its
// executor answered, which goes to `status`), 0 when it is not.
int ComInterpret1(state::Program& p, std::string_view keyword, int* status = nullptr);

// The dispatch order, for the command dialog's help and for tests.
size_t DispatchCount();
const char* DispatchKeyword(size_t i);

}  // namespace macro
