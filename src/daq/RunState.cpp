#include "daq/RunState.h"

#include "state/Program.h"

namespace daq {
namespace {

void DeleteRunState(RunState* r) { delete r; }

}  // namespace

RunState& Runs(state::Program& p) {
  if (!p.RunData) p.RunData = {new RunState(), &DeleteRunState};
  return *p.RunData;
}

void ReleaseRuns(state::Program& p) { p.RunData.reset(); }

}  // namespace daq
