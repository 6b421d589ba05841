#include "files/WorkSettings.h"

#include <algorithm>

#include "files/CalibrationFile.h"
#include "files/ColourFile.h"
#include "files/FunctionFile.h"
#include "files/PrintFile.h"
#include "state/Program.h"

namespace files {

void SetMissingJobDefaults(state::Program& p) {
  p.PG = store::PG0;
  p.DG.TotalSamples = 1048576;
  p.DG.MaxLength = 1048576;
  p.JobLeft = 1;
  if (p.A.size() >= 2) {
    p.A[0].BaseAddress = 784;
    p.A[1].BaseAddress = 800;
  }
}

int ReadWorkCalibration(state::Program& p) {
  if (ReadKalibrUtil(p)) return 1;
  if (!p.A) return 0;
  std::fill(p.A.get(), p.A.get() + p.A.size(), store::A0);
  for (size_t i = 1; i < p.A.size(); ++i) p.A[i].BaseAddress = 0;
  return 0;
}

int ReadWorkFunctions(state::Program& p) {
  if (ReadFunUtil(p)) return 1;
  SetFunctionDefaults(p);
  return 0;
}

int ReadWorkPrint(state::Program& p) {
  if (ReadPrtUtil(p)) return 1;
  if (p.Prt) p.Prt[0] = store::Prt0;
  return 0;
}

int ReadWorkColours(state::Program& p) { return ReadColUtil(p); }

}  // namespace files
