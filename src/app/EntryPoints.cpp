#include "app/EntryPoints.h"

#include "app/Exit.h"
#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "daq/Driver.h"
#include "daq/Generator.h"
#include "daq/MeasurementMath.h"
#include "daq/MeasurementRun.h"
#include "daq/RunCommands.h"
#include "daq/Sampling.h"
#include "daq/WaveformRun.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "ops/MeasurementTransfer.h"
#include "ops/Smoothing.h"
#include "store/FixedText.h"

namespace app {

void ShowNotAvailable(Program& p, std::string_view name) {
  Mess(p, std::string(name) + Lang(p, ": v této verzi není k dispozici", ": not available in this version"),
       Txt(p, 14));
}

void ShowNotAvailable(Program& p, const char* whatCzech, const char* whatEnglish) {
  ShowNotAvailable(p, Lang(p, whatCzech, whatEnglish));
}

void InitCard(Program& p) {
  daq::Board_Init(p);
  daq::InstallGenerator(p);
}

void CloseDriver(Program& p) { daq::CloseDriver(p); }

void DeriveCardAddresses(Program& p) { daq::DeriveCardAddresses(p); }

bool ReadDigitalInputs(Program& p, int& word) { return daq::ReadDigitalInputs(p, word); }

int ComInterpret(Program& p) { return macro::ComInterpret(p); }

void GoMac(Program& p) { macro::GoMac(p); }

int GoQM(Program& p, int force, int combined) { return daq::GoQM(p, force, combined); }

int TRV_QW(Program& p) { return daq::TRV_QW(p); }

void RecomputeMeasurementMath(Program& p) { daq::RecomputeMeasurementMath(p); }

void SmoothChannel(Program& p, int store, int channel, int width) {
  (void)ops::SmoothChannel(p, store::StoreFromFlag(store), channel, width);
}

void MeasurementToWaveform(Program& p) { (void)ops::MeasurementToWaveform(p, false); }

void Command(Program& p, int id) {
  if (id < 200 || id > 216) return;  // only the internal commands
  p.DoPanel = 1;
  switch (id) {
    case 200:  // the macro, unless one runs
      if (!p.MacGoing) macro::StartMacro(p, "");
      break;
    case 201:  // recorder windows
      ShowNotAvailable(p, "Okna zapisovače", "The recorder windows");
      break;
    case 202:  // measurement run
    case 203:  // waveform run
    case 208:  // stop the runs
      daq::RunCommand(p, id);
      break;
    case 205:  // acquisition settings
      if (p.AcquisitionDialog)
        p.AcquisitionDialog(p);
      else
        ShowNotAvailable(p, "Dialog nastavení měření", "The acquisition settings dialog");
      break;
    case 206:  // the interrupt request of a macro
      store::CopyText(p.DG.NameQueue, "INMC");
      macro::ComInterpret(p);
      break;
    case 207:  // exit
      MainExitTRV(p, true);
      break;
    case 209:  // card test
      daq::CardTest(p);
      break;
    case 210:  // channel selection
      if (p.ChannelDialog)
        p.ChannelDialog(p);
      else
        ShowNotAvailable(p, "Dialog výběru kanálů", "The channel selection dialog");
      break;
    case 214:  // simulation on / off
      daq::ToggleSimulation(p);
      break;
    case 215:  // open / close the waveform windows
    case 216:  // open / close the measurement windows
    {
      int s = id == 215 ? 1 : 0;
      if (AnyWindowOpen(p, s))
        UnDisplayWave(p, s, -1);
      else
        DisplayWave(p, s, -1);
      break;
    }
    default:  // 204, 211, 212, 213: no action
      break;
  }
}

void GoGrafWinProc(Program&) {}

}  // namespace app
