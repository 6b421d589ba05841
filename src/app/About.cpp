#include "app/About.h"

#include "daq/CardState.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace app {

std::string AboutText(const state::Program& p) {
  using state::Lang;
  std::string text = p.Caption.empty() ? std::string("Tarvelin") : p.Caption;
  text += '\n';
  // Without a card every run is simulated, so the box says which of the two
  // the runs will use, and why.
  if (p.DG.Simulation) {
    text += Lang(p, "Simulace: měří se bez karty (zapnuto v nastavení)",
                 "Simulation: runs take no card (switched on in the settings)");
  } else if (!p.BoardPresent || !p.CardData) {
    text += Lang(p, "Karta nenalezena: měří se simulovaná data", "No card found: runs take simulated data");
  } else {
    std::string name = store::FieldText(p.CardData->CardName);
    std::string type = store::FieldText(p.CardData->DeviceType);
    text += Lang(p, "Karta: ", "Card: ") + (name.empty() ? std::string("?") : name);
    if (!type.empty()) text += " (" + type + ")";
  }
  return text;
}

std::string AboutTitle(const state::Program& p) {
  return state::Lang(p, "O programu Tarvelin", "About Tarvelin");
}

void About(state::Program& p) {
  if (p.AboutDialog) {
    p.AboutDialog(p);
    return;
  }
  state::Mess(p, AboutText(p), AboutTitle(p));
}

}  // namespace app
