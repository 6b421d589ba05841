// The data menu: a store with a file, the reductions and the operations on
// the waveform record and its channels.
#include "app/MenuRows.h"
#include "files/DataFileUser.h"
#include "macro/Executors.h"
#include "ops/ChannelAlgebra.h"
#include "ops/ChannelTransport.h"
#include "ops/Decibels.h"
#include "ops/Decimation.h"
#include "ops/Padding.h"
#include "ops/Reduction.h"
#include "ops/StoreFileAlgebra.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"

namespace app {
namespace {

// Store ⊕ file; `Algebra` always asks for the file when the menu runs it.
template <int Operation, store::Store S>
void StoreAlgebra(Program& p) {
  (void)ops::Algebra(p, S, Operation);
  p.FocusGraphs = 1;
}

// The weight of the store (dialog 22 for W, 18 for M) or of the file (23, 19).
template <store::Store S, bool OfFile>
void Weight(Program& p) {
  macro::CoefficientCommand(p, (store::IsW(S) ? 0 : 2) + (OfFile ? 1 : 0),
                            (store::IsW(S) ? 153 : 157) + (OfFile ? 1 : 0));
}

// Both weights, then the algebra; a cancelled weight ends it.
template <int Operation, store::Store S>
void AskWeightedAlgebra(Program& p) {
  const int d = store::IsW(S) ? 0 : 2;
  if (!macro::CoefficientCommand(p, d, store::IsW(S) ? 153 : 157)) return;
  if (!macro::CoefficientCommand(p, d + 1, store::IsW(S) ? 154 : 158)) return;
  StoreAlgebra<Operation, S>(p);
}

// The store times a constant (WYK, MYK) or plus one (WYP, MYP).
template <store::Store S, bool Multiply>
void Constant(Program& p) {
  macro::ConstantCommand(p, S, Multiply,
                         store::IsW(S) ? (Multiply ? "WYK" : "WYP") : (Multiply ? "MYK" : "MYP"));
}

template <int Reduction>
void Reduce(Program& p) {
  (void)ops::Reduce(p, Reduction);
}

// A change of the waveform record's length: the windows redraw what it holds.
void Reshaped(Program& p, int ok) {
  if (!ok) return;
  DataChanged(p, store::Store::W);
  if (!p.MacGoing) SendToStoreWindows(p, store::Store::W, state::kRedrawAll);
}

template <bool Zeros>
void PadToPowerOfTwo(Program& p) {
  Reshaped(p, ops::DoplnNulamiNaMocninuDvou(p, true, Zeros));
}

void PadToDouble(Program& p) { Reshaped(p, ops::DoplnNulamiNaDvojnasobek(p)); }
void Decimate(Program& p) { (void)ops::Decimation(p, store::Store::W, true); }
void Decibels(Program& p) { (void)ops::ChaneldB(p, 0); }

template <int Operation>
void ChannelAlgebra(Program& p) {
  (void)ops::ChanelAlgebra(p, store::Store::W, 0, 0, Operation);
}

void ChannelCopy(Program& p) { (void)ops::ChanelTransport(p, store::Store::W, 0, 0); }
void ChannelDelete(Program& p) { (void)ops::ChanelDelete(p, store::Store::W, 0); }

void ChannelRead(Program& p) {
  (void)ops::ChanelRead(p, 0, 0);
  p.FocusGraphs = 1;
}

void ChannelsRead(Program& p) {
  ops::MultiChanelRead(p);
  p.FocusGraphs = 1;
}

void LinkFiles(Program& p) {
  (void)files::WaveformLink(p);
  p.FocusGraphs = 1;
}

// The function pages are set in a dialog only the desktop has; without it
// the item runs a page the user names, as FUN does.
void Function(Program& p) {
  if (p.FunctionDialog)
    (void)p.FunctionDialog(p);
  else
    (void)macro::ExFUN(p);
}

MenuNode WaveAlgebraMenu() {
  using namespace dsp;
  return Submenu(
      "&Vlna {+-*/} soubor (všechny kanály)",
      {
          Item(kMenuWavePlus, "   {+} &Plus (WPLUS)", StoreAlgebra<kAlgebraPlus, store::Store::W>),
          Item(kMenuWaveMinus, "   {-} &Mínus (WMINUS)", StoreAlgebra<kAlgebraMinus, store::Store::W>),
          Item(kMenuWaveTimes, "   {*} &Krát", StoreAlgebra<kAlgebraTimes, store::Store::W>),
          Item(kMenuWaveDivided, "   {/} &Děleno ", StoreAlgebra<kAlgebraDivided, store::Store::W>),
          Separator(),
          Item(kMenuWaveWeightedSum, "   W&LCD*vlna {+} WLCF*soubor  (WCPLUS)",
               StoreAlgebra<kAlgebraWeightedSum, store::Store::W>),
          Item(kMenuWaveWeightedDiff, "   WL&CD*vlna {-} WLCF*soubor   (WCMINUS)",
               StoreAlgebra<kAlgebraWeightedDiff, store::Store::W>),
          Item(kMenuWaveOwnWeight, "   Nastav &WLCD   (WLCD)", Weight<store::Store::W, false>),
          Item(kMenuWaveFileWeight, "   Nastav WLC&F   (WLCF)", Weight<store::Store::W, true>),
          Item(kMenuWaveAskWeightedSum, "   &Spojení : WLCD WLCF WCPLUS",
               AskWeightedAlgebra<kAlgebraWeightedSum, store::Store::W>),
          Item(kMenuWaveAskWeightedDiff, "   Sp&ojení : WLCD WLCF WCMINUS",
               AskWeightedAlgebra<kAlgebraWeightedDiff, store::Store::W>),
          Separator(),
          Item(kMenuWaveScale, "   W&YK * vlna   (WYK)", Constant<store::Store::W, true>),
          Item(kMenuWaveShift, "   WYP + &vlna   (WYP)", Constant<store::Store::W, false>),
      });
}

MenuNode MeasAlgebraMenu() {
  using namespace dsp;
  return Submenu(
      "M&ěření {+-*/} soubor",
      {
          Item(kMenuMeasPlus, "   {+} &Plus (MPLUS)", StoreAlgebra<kAlgebraPlus, store::Store::M>),
          Item(kMenuMeasMinus, "   {-} &Mínus (MMINUS)", StoreAlgebra<kAlgebraMinus, store::Store::M>),
          Item(kMenuMeasTimes, "   {*} &Krát", StoreAlgebra<kAlgebraTimes, store::Store::M>),
          Item(kMenuMeasDivided, "   {/} &Děleno ", StoreAlgebra<kAlgebraDivided, store::Store::M>),
          Separator(),
          Item(kMenuMeasWeightedSum, "   M&LCD*měření {+} MLCF*soubor  (MCPLUS)",
               StoreAlgebra<kAlgebraWeightedSum, store::Store::M>),
          Item(kMenuMeasWeightedDiff, "   ML&CD*měření {-} MLCF*soubor   (MCMINUS)",
               StoreAlgebra<kAlgebraWeightedDiff, store::Store::M>),
          Item(kMenuMeasOwnWeight, "   Nastav &MLCD   (MLCD)", Weight<store::Store::M, false>),
          Item(kMenuMeasFileWeight, "   Nastav MLC&F   (MLCF)", Weight<store::Store::M, true>),
          Item(kMenuMeasAskWeightedSum, "   &Spojení : MLCD MLCF MCPLUS",
               AskWeightedAlgebra<kAlgebraWeightedSum, store::Store::M>),
          Item(kMenuMeasAskWeightedDiff, "   Sp&ojení : MLCD MLCF MCMINUS",
               AskWeightedAlgebra<kAlgebraWeightedDiff, store::Store::M>),
          Separator(),
          Item(kMenuMeasScale, "   M&YK * měření   (MYK)", Constant<store::Store::M, true>),
          Item(kMenuMeasShift, "   MYP + mě&ření   (MYP)", Constant<store::Store::M, false>),
      });
}

}  // namespace

MenuNode DataMenu() {
  using namespace dsp;
  return Submenu(
      "M&anipulace s daty",
      {
          WaveAlgebraMenu(),
          MeasAlgebraMenu(),
          Separator(),
          Submenu("&Redukce dat",
                  {
                      Item(kMenuReduceMean, "&Střední hodnota", Reduce<kMenuReduceMean - 400>),
                      Item(kMenuReduceDeviation, "Směrodatná odchylka", Reduce<kMenuReduceDeviation - 400>),
                      Item(kMenuReduceMaximum, "&Maximum", Reduce<kMenuReduceMaximum - 400>),
                      Item(kMenuReduceMinimum, "Minimum", Reduce<kMenuReduceMinimum - 400>),
                      Item(kMenuReduceRange, "&Rozkmit", Reduce<kMenuReduceRange - 400>),
                      Item(kMenuReduceRms, "&Efektivní hodnota", Reduce<kMenuReduceRms - 400>),
                  }),
          Item(kMenuPadZerosToPowerOfTwo, "&Doplnění nulami na délku moc. dvou (256,512, ...) (PROLONG_2)",
               PadToPowerOfTwo<true>),
          Item(kMenuPadLastToPowerOfTwo,
               "&Doplnění posledním vzrokem na délku moc. dvou (256,512, ...)(PROLONGD_2) ",
               PadToPowerOfTwo<false>),
          Item(kMenuPadZerosToDouble, "&Doplnění nulami na dvojnásobek (DOUBLE)", PadToDouble),
          Item(kMenuDecimate, "&Decimace - vypuštení každého 2. vzorku (WDECIM)", Decimate),
          Item(kMenuDecibels, "Kanál A do/z d&B (20log)", Decibels),
          Separator(),
          Item(kMenuChannelAdd, "&Sečti kanály A+B->A (CHWADD A,B)", ChannelAlgebra<kChannelAdd>),
          Item(kMenuChannelSubtract, "&Odečti kanály  A-B->A  (CHWSUB A,B)",
               ChannelAlgebra<kChannelSubtract>),
          Item(kMenuChannelDivide, "Děl&ení A/B->A (CHWDIV A,B)", ChannelAlgebra<kChannelDivide>),
          Item(kMenuChannelMultiply, "&Násobení  A*B->A (CHWMPY A,B) ", ChannelAlgebra<kChannelMultiply>),
          Item(kMenuChannelCopy, "&Kopíruj A -> B (CHWCOPY A,B) ", ChannelCopy),
          Item(kMenuChannelDelete, "&Zruš kanál A (CHWDEL A)", ChannelDelete),
          Item(kMenuChannelRead, "Č&ti A z disku a ulož do B (CHWREAD A,B,Jmeno)", ChannelRead),
          Item(kMenuChannelsRead, "Vícenásobné načítání kanálů z diskových souborů", ChannelsRead),
          Item(kMenuLinkFiles, "Spojení dvou souborů pamět-disk", LinkFiles),
          Separator(),
          Item(kMenuFunction, "&Funkce", Function),
      });
}

}  // namespace app
