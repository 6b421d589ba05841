// Placeholder bodies: the cursor operations land here.
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::CursorToMax(int) {}
int32_t TDispl10::SetMaxPosition() const { return NShown; }
int32_t TDispl10::SetFirstMaxPosition(bool) const { return NShown; }
int32_t TDispl10::SetFirstMinPosition() const { return NShown; }
void TDispl10::CursorExpand() {}
void TDispl10::VerticalCursorExpand() {}
void TDispl10::HorizontalCursorExpand() {}
void TDispl10::CursorSave(int, int, bool) {}
void TDispl10::CursorRestore(int, bool) {}
void TDispl10::Wider(bool) {}
void TDispl10::ZjistiNejblizsi() {}
void TDispl10::VyberKanaluProMultizobrazeniMeziKurzory() {}
void TDispl10::VyberKanaluProMultizobrazeni(bool) {}
void TDispl10::StepCursor(int) {}

}  // namespace graph
