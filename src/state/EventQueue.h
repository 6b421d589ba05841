// The small event-queue helpers of the main window.
#pragma once

namespace state {

struct Program;

// Beeps when the sound option of `PG` is on.
void AC_Beep(Program& p);
// No key is ever taken from the main queue this way.
inline int AC_GetHitFromMainQueue() { return 0; }

}  // namespace state
