#include "app/MemoryDialog.h"

#include "app/Exit.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"

namespace app {

int MemSize(Program& p) {
  p.CommonBool = 0;
  // The field shows units of 131072 samples; out-of-range entries are clamped.
  std::optional<int64_t> units = p.ui().PromptInt(Txt(p, 80), 1, 2048, p.DG.TotalSamples / 131072);
  if (!units) return 0;
  if (AskT(p, 315, 15) != platform::Answer::Yes) return 0;
  ApplyMemoryUnits(p, long(*units));
  p.CommonBool = 1;
  MainExitTRV(p, false);
  return 1;
}

}  // namespace app
