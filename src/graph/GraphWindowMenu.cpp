// Placeholder body: the window menu lands here.
#include "graph/GraphModel.h"

namespace graph {

bool TDispl10::MenuCommand(int) { return false; }

}  // namespace graph
