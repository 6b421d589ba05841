// The internal commands 200..216 of the main window: the panel's buttons,
// the keys and the macro's run words all end here.
#pragma once

namespace state {
struct Program;
}

namespace macro {

// Carries out internal command `id`; other numbers do nothing.
void Command(state::Program& p, int id);

}  // namespace macro
