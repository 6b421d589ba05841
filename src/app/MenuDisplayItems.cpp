// The Display menu: the graph windows of both stores, their limits, the
// statistics, the scale fonts and the simulation switch.
#include "app/MenuCommands.h"
#include "app/MenuRows.h"
#include "daq/Driver.h"
#include "graph/FontSettings.h"
#include "graph/StoreLimits.h"
#include "macro/Executors.h"
#include "ops/MeasurementTransfer.h"
#include "ops/Zeroing.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"

namespace app {
namespace {

template <int Store>
void OpenWindows(Program& p) {
  DisplayWave(p, Store, -1);
}

template <int Store>
void CloseWindows(Program& p) {
  UnDisplayWave(p, Store, -1);
}

template <int Store>
void Comment(Program& p) {
  macro::CommentCommand(p, Store);
}

template <int Store>
void Zero(Program& p) {
  (void)ops::ZeroWaveMenu(p, store::StoreFromFlag(Store));
}

// One limit of a store from its value prompt.
template <int (*Prompt)(Program&, int), int Store>
void Limit(Program& p) {
  Prompt(p, Store);
}

template <int Store>
void SetStoreLimits(Program& p) {
  graph::SetLimits(p, Store, 1);
}

template <int Store>
void CutStore(Program& p) {
  graph::WriteLimits(p, Store);
}

void LimitsFromWindows(Program& p) { graph::GetLimits(p); }

template <int Flag>
void PointsLimits(Program& p) {
  graph::PointsAndLimits(p, Flag);
}

void MeasToWave(Program& p) { (void)ops::MeasurementToWaveform(p, true); }
void PositionWindows(Program& p) { Position(p); }

// The statistics are computed and shown by each open graph window.
template <int Code>
void Statistics(Program& p) {
  if (!AnyWindowOpen(p, 1) && !AnyWindowOpen(p, 0))
    MessT(p, 137, 13);
  else
    macro::Broadcast(p, Code);
}

void ScaleFont(Program& p) { graph::ChooseScaleFont(p); }

// One cell of the font settings (dialogs 26 to 29); the font submenu opens again.
template <int Dialog>
void FontCell(Program& p) {
  graph::FontCellDialog(p, Dialog);
  p.MenuPopup = kFontSubmenu;
}

void FixedScaleFont(Program& p) {
  p.DG.FixedScaleFont = p.DG.FixedScaleFont ? 0 : 1;
  p.MenuPopup = kFontSubmenu;
}
bool FixedScaleFontOn(const Program& p) { return p.DG.FixedScaleFont != 0; }

void Simulation(Program& p) {
  daq::ToggleSimulation(p);
  p.DoPanel = 1;
}
bool SimulationOn(const Program& p) { return p.DG.Simulation != 0; }

// The limits of one store; the waveform store has more of them.
MenuNode WaveLimitsMenu() {
  return Submenu("L&imity vlny",
                 {
                     Item(kMenuWaveLeft, "&Levý bod", Limit<graph::LeftPoint, 1>),
                     Item(kMenuWaveRight, "&Pravý bod", Limit<graph::RightPoint, 1>),
                     Item(kMenuWaveUpper, "&Horní hodnota", Limit<graph::UpperValue, 1>),
                     Item(kMenuWaveLower, "&Dolní hodnota", Limit<graph::LowerValue, 1>),
                     Item(kMenuWaveSetLimits, "&Nastav limity v oknech", SetStoreLimits<1>),
                     Item(kMenuWaveLimitsFromWindows, "Přečti limity z &oken", LimitsFromWindows),
                     Separator(),
                     Item(kMenuCutWave, "Přepiš &vlnu v paměti", CutStore<1>),
                     Separator(),
                     Item(kMenuWavePointsLimits, "Levý,pravý bod, nastavení limitů : D, L ", PointsLimits<0>),
                     Item(kMenuWavePointsLimitsOverlaid, "Levý,pravý bod, nastavení limitů, překládání  ",
                          PointsLimits<1>),
                 });
}

MenuNode MeasLimitsMenu() {
  return Submenu("Li&mity měření", {
                                       Item(kMenuMeasLeft, "&Levý bod", Limit<graph::LeftPoint, 0>),
                                       Item(kMenuMeasRight, "&Pravý bod", Limit<graph::RightPoint, 0>),
                                       Item(kMenuMeasUpper, "&Horní hodnota", Limit<graph::UpperValue, 0>),
                                       Item(kMenuMeasLower, "&Dolní hodnota", Limit<graph::LowerValue, 0>),
                                       Item(kMenuMeasSetLimits, "&Nastav limity v oknech", SetStoreLimits<0>),
                                       Separator(),
                                       Item(kMenuCutMeas, "Přepiš &měření v paměti", CutStore<0>),
                                   });
}

MenuNode FontMenu() {
  return Submenu(
      "&Typ písma - stupnice v graf. oknech",
      {
          // Face, weight and size in the font dialog; then the cell, item by item.
          Item(kMenuScaleFont, "&Typ písma - stupnice v graf. oknech", ScaleFont),
          Separator(),
          Item(kMenuScaleFontHeight, "&Výška písma stupnice", FontCell<26>),
          Item(kMenuScaleFontWidth, "Šíř&ka písma stupnice", FontCell<27>),
          Item(kMenuFixedScaleFont, "&Pevné písmo stupnice", FixedScaleFont, nullptr, FixedScaleFontOn),
          Item(kMenuTextFontHeight, "Výška písma &textu", FontCell<28>),
          Item(kMenuTextFontWidth, "Šířka písma te&xtu", FontCell<29>),
      });
}

}  // namespace

MenuNode DisplayMenu() {
  return Submenu("&Zobraz",
                 {
                     Item(kMenuOpenWaveWindows, "&Otevři okna (DW)", OpenWindows<1>),
                     Item(kMenuCloseWaveWindows, "&Zavři okna (UNDW)", CloseWindows<1>),
                     Item(kMenuWaveComment, "&Komentář  (COMW)", Comment<1>),
                     Unavailable(kMenuWaveHotKeys, "&Horké klávesy "),
                     Item(kMenuZeroWave, "&Nuluj (WBZERO)", Zero<1>),
                     WaveLimitsMenu(),
                     Separator(),
                     Label("POMALÉ  M Ě Ř E N Í :"),
                     Item(kMenuOpenMeasWindows, "&Otevři okna (DM)", OpenWindows<0>),
                     Item(kMenuCloseMeasWindows, "&Zavři okna (UNDM)", CloseWindows<0>),
                     Item(kMenuMeasComment, "&Komentář  (COMM)", Comment<0>),
                     Unavailable(kMenuMeasHotKeys, "&Horké klávesy "),
                     Item(kMenuZeroMeas, "&Nuluj (MBZERO)", Zero<0>),
                     MeasLimitsMenu(),
                     Separator(),
                     Item(kMenuMeasToWave, "&Přesuň měření->vlna", MeasToWave),
                     Item(kMenuPosition, "Napolohuj &grafická okna", PositionWindows),
                     Item(kMenuStatistics, "St&atistika  (STAT)", Statistics<state::kStatistics>),
                     Item(kMenuStatisticsCursors, "Statistika mezi ve&rt. kurzory",
                          Statistics<state::kStatisticsCursors>),
                     Unavailable(kMenuMatrix, "Zo&braz matici"),
                     Separator(),
                     FontMenu(),
                     Separator(),
                     Item(kMenuSimulation, "&Simulace  (SIMON,SIMOFF)", Simulation, nullptr, SimulationOn),
                 });
}

}  // namespace app
