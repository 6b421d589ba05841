#include "daq/RunState.h"

#include "app/Program.h"

namespace daq {
namespace {

void DeleteRunState(RunState* r) { delete r; }

}  // namespace

RunState& Runs(app::Program& p) {
  if (!p.RunData) p.RunData = {new RunState(), &DeleteRunState};
  return *p.RunData;
}

void ReleaseRuns(app::Program& p) { p.RunData.reset(); }

}  // namespace daq
