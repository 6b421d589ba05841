// Placeholder bodies: the data operations of the window land here.
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::DataModif(int) {}
void TDispl10::DataModifMultiChan(int) {}
void TDispl10::ToMag(int, int) {}
void TDispl10::Normalizace(int) {}
void TDispl10::CatData() {}

}  // namespace graph
