// The graph window's menu: its rows and what each item runs.
#include "graph/GraphWindowMenu.h"

#include "graph/GraphModel.h"
#include "state/Messages.h"

namespace graph {
namespace {

constexpr int kF1 = 0x70;

constexpr WindowMenuRow kRows[] = {
    {WindowMenuKind::Item, kWindowMenuF1, "&F1"},
    {WindowMenuKind::Submenu, 0, "Z&obrazení"},
    {WindowMenuKind::Item, kWindowMenuSetLimits, "&Nastav limity (L, F2)"},
    {WindowMenuKind::Item, kWindowMenuShowLimits, "&Zobraz v nastavených limitech (D, F3)"},
    {WindowMenuKind::Item, kWindowMenuBothHalves, "&L+R - zobrazení obou polovin dat (F4)"},
    {WindowMenuKind::Item, kWindowMenuKeep, "&Ulož do videopaměti (F7) "},
    {WindowMenuKind::Item, kWindowMenuClear, "&Maž videopaměť (F8)"},
    {WindowMenuKind::Item, kWindowMenuF6, "&FFT (F6)"},
    {WindowMenuKind::Item, kWindowMenuAutoscaleAll, "&Autoscale-všechny zobrazené kanály"},
    {WindowMenuKind::Item, kWindowMenuAutoscaleAllValues,
     "A&utoscale-všechny zobrazené kanály - pouze vertikální osa"},
    {WindowMenuKind::EndSubmenu, 0, ""},
    {WindowMenuKind::Item, kWindowMenuAutoscale, "&Autoscale(F5)"},
    {WindowMenuKind::Item, kWindowMenuAutoscaleAll, "&Autoscale - all "},
    {WindowMenuKind::Item, kWindowMenuAutoscaleAllValues, "&Vertical autoscale"},
    {WindowMenuKind::Item, kWindowMenuSettings, "&Nastav (F11)"},
    {WindowMenuKind::Item, kWindowMenuHotKeys, "&Horké klávesy (F12)"},
    {WindowMenuKind::Item, kWindowMenuCalibration, "&Kalibrace z dat. průběhu (křivky)"},
};

}  // namespace

std::span<const WindowMenuRow> WindowMenuRows() { return kRows; }

bool TDispl10::MenuCommand(int id) {
  if (broken_) return false;
  switch (id) {
    case kWindowMenuF1:
      // The same as the key; where the key has no operation, say so.
      if (!KeyDown(kF1, 0))
        state::ShowNotAvailable(p_, "Nápověda grafického okna (F1)", "The help of the graph window (F1)");
      return true;
    case kWindowMenuSetLimits:
      F2();
      return true;
    case kWindowMenuShowLimits:
      F3();
      return true;
    case kWindowMenuBothHalves:
      F4();
      return true;
    case kWindowMenuKeep:
      F7();
      return true;
    case kWindowMenuClear:
      F8();
      return true;
    case kWindowMenuF6:
      F6();
      return true;
    case kWindowMenuAutoscale:
      F5();
      return true;
    case kWindowMenuSettings:
      DisplModeDialog();
      return true;
    case kWindowMenuHotKeys:
      HotKeyDialog();
      return true;
    case kWindowMenuAutoscaleAll:
      F5_ALL();
      return true;
    case kWindowMenuAutoscaleAllValues:
      F5_ALL_MAG();
      return true;
    case kWindowMenuCalibration:
      Calibration();
      return true;
    default:
      return false;
  }
}

}  // namespace graph
