// Placeholder bodies: the keys, mouse and panels land here.
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::KeyUp(int) {}
void TDispl10::LButtonDown(int, int) {}
void TDispl10::LButtonUp(int, int) {}
void TDispl10::RButtonDown(int, int) {}
void TDispl10::RButtonUp(int, int) {}
void TDispl10::MButtonDown(int, int) {}
void TDispl10::MButtonUp(int, int) {}
void TDispl10::MouseMove(int, int, int) {}
void TDispl10::EvCommand(int) {}
void TDispl10::DisplModeDialog() {}
void TDispl10::HotKeyDialog() {}

}  // namespace graph
