// The keys of the graph window.
#include "graph/GraphModel.h"

namespace graph {

bool TDispl10::KeyDown(int, int) { return false; }

}  // namespace graph
