// The second phase of the exit: after the request (ExitRequest.h) the next
// tick writes the work set.
#pragma once

namespace state {
struct Program;
}

namespace app {

using state::Program;

// The work set of the exit: both data work files, the work job and its
// companions. Every file is attempted; a file that cannot be written keeps
// its previous contents, and one message (title general text 13) names each
// such file with the system's reason. Answers false when any failed.
bool SaveWorkSet(Program& p);

}  // namespace app
