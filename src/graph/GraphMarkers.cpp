// Placeholder bodies: the markers land here.
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::Marker() {}
void TDispl10::PaintMarker(platform::Canvas&, int, float) {}

}  // namespace graph
