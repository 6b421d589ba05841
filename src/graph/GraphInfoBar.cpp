// Placeholder body: the information bar lands here.
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::TextInfoCreateRefresh() {}

}  // namespace graph
