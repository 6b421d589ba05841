#include "daq/CardState.h"

#include "daq/Driver.h"
#include "state/Program.h"

namespace daq {
namespace {

void DeleteCardState(CardState* c) { delete c; }

}  // namespace

CardState& Card(state::Program& p) {
  if (!p.CardData) {
    p.CardData = {new CardState(), &DeleteCardState};
    p.CloseCard = [](state::Program& q) { (void)CloseDriver(q); };
  }
  return *p.CardData;
}

void ReleaseCard(state::Program& p) { p.CardData.reset(); }

bool Simulating(const state::Program& p) { return p.DG.Simulation != 0 || p.BoardPresent == 0; }

}  // namespace daq
