#include "files/WorkSettings.h"

#include <algorithm>

#include "app/Program.h"
#include "files/CalibrationFile.h"
#include "files/ColourFile.h"
#include "files/FunctionFile.h"
#include "files/PrintFile.h"

namespace files {

void SetMissingJobDefaults(app::Program& p) {
  p.PG = store::PG0;
  p.DG.TotalSamples = 1048576;
  p.DG.MaxLength = 1048576;
  p.JobLeft = 1;
  if (p.A.size() >= 2) {
    p.A[0].BaseAddress = 784;
    p.A[1].BaseAddress = 800;
  }
}

int ReadWorkCalibration(app::Program& p) {
  if (ReadKalibrUtil(p)) return 1;
  if (!p.A) return 0;
  std::fill(p.A.get(), p.A.get() + p.A.size(), store::A0);
  for (size_t i = 1; i < p.A.size(); ++i) p.A[i].BaseAddress = 0;
  return 0;
}

int ReadWorkFunctions(app::Program& p) {
  if (ReadFunUtil(p)) return 1;
  SetFunctionDefaults(p);
  return 0;
}

int ReadWorkPrint(app::Program& p) {
  if (ReadPrtUtil(p)) return 1;
  if (p.Prt) p.Prt[0] = store::Prt0;
  return 0;
}

int ReadWorkColours(app::Program& p) { return ReadColUtil(p); }

}  // namespace files
