#include "state/MemoryDialog.h"

#include <algorithm>
#include <cstdlib>

#include "state/ExitRequest.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace state {

std::string MemoryReport(const Program& p) {
  const double mb = 9.536743e-07;
  return TxtF(p, 382,
              {p.TotalDataAlloc * mb, long(p.DG.TotalSamples), double(p.DG.TotalSamples) * 8 * mb,
               long(p.DG.MaxLength), 128});
}

namespace {

// What the field can hold, even when a job file brought a budget it cannot.
long ShownUnits(const Program& p) { return std::clamp<long>(p.DG.TotalSamples / kMemoryUnit, 1, 2048); }

}  // namespace

std::string MemoryFieldText(const Program& p) { return std::to_string(ShownUnits(p)); }

std::string DefaultMemoryFieldText() { return std::to_string(kDefaultMemorySamples / kMemoryUnit); }

long MemoryUnitsFromText(std::string_view text) {
  std::string head(text.substr(0, 8));
  // strtol saturates instead of overflowing; eight digits never reach that.
  long v = std::strtol(head.c_str(), nullptr, 10);
  return std::clamp(v, 1L, 2048L);
}

int CloseMemoryDialog(Program& p, long units) {
  if (AskT(p, 315, 15) != platform::Answer::Yes) return 0;
  ApplyMemoryUnits(p, units);
  p.CommonBool = 1;
  return 1;
}

int MemSize(Program& p) {
  p.CommonBool = 0;
  if (p.MemoryDialog) {
    p.MemoryDialog(p);
  } else {
    // Without a dialog window: a prompt in the same units, out-of-range entries clamped.
    std::optional<int64_t> units = p.ui().PromptInt(Txt(p, 80), 1, 2048, ShownUnits(p));
    if (units) CloseMemoryDialog(p, long(std::clamp<int64_t>(*units, 1, 2048)));
  }
  if (!p.CommonBool) return 0;
  MainExitTRV(p, false);
  return 1;
}

}  // namespace state
