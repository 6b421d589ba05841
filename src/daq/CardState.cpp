#include "daq/CardState.h"

#include "app/Program.h"

namespace daq {
namespace {

void DeleteCardState(CardState* c) { delete c; }

}  // namespace

CardState& Card(app::Program& p) {
  if (!p.CardData) p.CardData = {new CardState(), &DeleteCardState};
  return *p.CardData;
}

void ReleaseCard(app::Program& p) { p.CardData.reset(); }

bool Simulating(const app::Program& p) { return p.DG.Simulation != 0 || p.BoardPresent == 0; }

}  // namespace daq
