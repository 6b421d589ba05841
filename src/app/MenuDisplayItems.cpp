// The Display menu: the graph windows of both stores, their limits, the
// statistics, the scale fonts and the simulation switch.
#include "app/MenuCommands.h"
#include "app/MenuRows.h"
#include "daq/Driver.h"
#include "graph/FontSettings.h"
#include "graph/MatrixDisplay.h"
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

template <store::Store S>
void OpenWindows(Program& p) {
  DisplayWave(p, S, -1);
}

template <store::Store S>
void CloseWindows(Program& p) {
  UnDisplayWave(p, S, -1);
}

template <store::Store S>
void Comment(Program& p) {
  macro::CommentCommand(p, S);
}

template <store::Store S>
void Zero(Program& p) {
  (void)ops::ZeroWaveMenu(p, S);
}

// One limit of a store from its value prompt.
template <int (*Prompt)(Program&, store::Store), store::Store S>
void Limit(Program& p) {
  (void)Prompt(p, S);
}

template <store::Store S>
void SetStoreLimits(Program& p) {
  (void)graph::SetLimits(p, S, true);
}

template <store::Store S>
void CutStore(Program& p) {
  (void)graph::WriteLimits(p, S);
}

void LimitsFromWindows(Program& p) { (void)graph::GetLimits(p); }

template <int Flag>
void PointsLimits(Program& p) {
  (void)graph::PointsAndLimits(p, Flag);
}

// The hot-key dialog exists only on the desktop.
template <store::Store S>
void HotKeys(Program& p) {
  if (p.HotKeyDialog)
    p.HotKeyDialog(p, S);
  else
    ShowNotAvailable(p, "Dialog horkých kláves", "The hot-key dialog");
}

void MeasToWave(Program& p) { (void)ops::MeasurementToWaveform(p, true); }
void PositionWindows(Program& p) { Position(p); }

// The statistics are computed and shown by each open graph window.
template <int Code>
void Statistics(Program& p) {
  if (!AnyWindowOpen(p, store::Store::W) && !AnyWindowOpen(p, store::Store::M))
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
                     Item(kMenuWaveLeft, "&Levý bod", Limit<graph::LeftPoint, store::Store::W>),
                     Item(kMenuWaveRight, "&Pravý bod", Limit<graph::RightPoint, store::Store::W>),
                     Item(kMenuWaveUpper, "&Horní hodnota", Limit<graph::UpperValue, store::Store::W>),
                     Item(kMenuWaveLower, "&Dolní hodnota", Limit<graph::LowerValue, store::Store::W>),
                     Item(kMenuWaveSetLimits, "&Nastav limity v oknech", SetStoreLimits<store::Store::W>),
                     Item(kMenuWaveLimitsFromWindows, "Přečti limity z &oken", LimitsFromWindows),
                     Separator(),
                     Item(kMenuCutWave, "Přepiš &vlnu v paměti", CutStore<store::Store::W>),
                     Separator(),
                     Item(kMenuWavePointsLimits, "Levý,pravý bod, nastavení limitů : D, L ", PointsLimits<0>),
                     Item(kMenuWavePointsLimitsOverlaid, "Levý,pravý bod, nastavení limitů, překládání  ",
                          PointsLimits<1>),
                 });
}

MenuNode MeasLimitsMenu() {
  return Submenu("Li&mity měření",
                 {
                     Item(kMenuMeasLeft, "&Levý bod", Limit<graph::LeftPoint, store::Store::M>),
                     Item(kMenuMeasRight, "&Pravý bod", Limit<graph::RightPoint, store::Store::M>),
                     Item(kMenuMeasUpper, "&Horní hodnota", Limit<graph::UpperValue, store::Store::M>),
                     Item(kMenuMeasLower, "&Dolní hodnota", Limit<graph::LowerValue, store::Store::M>),
                     Item(kMenuMeasSetLimits, "&Nastav limity v oknech", SetStoreLimits<store::Store::M>),
                     Separator(),
                     Item(kMenuCutMeas, "Přepiš &měření v paměti", CutStore<store::Store::M>),
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
                     Item(kMenuOpenWaveWindows, "&Otevři okna (DW)", OpenWindows<store::Store::W>),
                     Item(kMenuCloseWaveWindows, "&Zavři okna (UNDW)", CloseWindows<store::Store::W>),
                     Item(kMenuWaveComment, "&Komentář  (COMW)", Comment<store::Store::W>),
                     Item(kMenuWaveHotKeys, "&Horké klávesy ", HotKeys<store::Store::W>),
                     Item(kMenuZeroWave, "&Nuluj (WBZERO)", Zero<store::Store::W>),
                     WaveLimitsMenu(),
                     Separator(),
                     Label("POMALÉ  M Ě Ř E N Í :"),
                     Item(kMenuOpenMeasWindows, "&Otevři okna (DM)", OpenWindows<store::Store::M>),
                     Item(kMenuCloseMeasWindows, "&Zavři okna (UNDM)", CloseWindows<store::Store::M>),
                     Item(kMenuMeasComment, "&Komentář  (COMM)", Comment<store::Store::M>),
                     Item(kMenuMeasHotKeys, "&Horké klávesy ", HotKeys<store::Store::M>),
                     Item(kMenuZeroMeas, "&Nuluj (MBZERO)", Zero<store::Store::M>),
                     MeasLimitsMenu(),
                     Separator(),
                     Item(kMenuMeasToWave, "&Přesuň měření->vlna", MeasToWave),
                     Item(kMenuPosition, "Napolohuj &grafická okna", PositionWindows),
                     Item(kMenuStatistics, "St&atistika  (STAT)", Statistics<state::kStatistics>),
                     Item(kMenuStatisticsCursors, "Statistika mezi ve&rt. kurzory",
                          Statistics<state::kStatisticsCursors>),
                     Item(kMenuMatrix, "Zo&braz matici", graph::ShowMatrixDisplay),
                     Separator(),
                     FontMenu(),
                     Separator(),
                     Item(kMenuSimulation, "&Simulace  (SIMON,SIMOFF)", Simulation, nullptr, SimulationOn),
                 });
}

}  // namespace app
