#include "macro/InternalCommands.h"

#include "daq/Driver.h"
#include "daq/RunCommands.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"
#include "store/FixedText.h"

namespace macro {

void Command(state::Program& p, int id) {
  if (id < 200 || id > 216) return;  // only the internal commands
  p.DoPanel = 1;
  switch (id) {
    case 200:  // the macro, unless one runs
      if (!p.MacGoing) StartMacro(p, "");
      break;
    case 201:  // recorder windows
      state::GoGrafWinProc(p);
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
        state::ShowNotAvailable(p, "Dialog nastavení měření", "The acquisition settings dialog");
      break;
    case 206:  // the interrupt request of a macro
      store::CopyText(p.DG.NameQueue, "INMC");
      ComInterpret(p);
      break;
    case 207:  // exit
      state::MainExitTRV(p, true);
      break;
    case 209:  // card test
      daq::CardTest(p);
      break;
    case 210:  // channel selection
      if (p.ChannelDialog)
        p.ChannelDialog(p);
      else
        state::ShowNotAvailable(p, "Dialog výběru kanálů", "The channel selection dialog");
      break;
    case 214:  // simulation on / off
      daq::ToggleSimulation(p);
      break;
    case 215:  // open / close the waveform windows
    case 216:  // open / close the measurement windows
    {
      const store::Store s = id == 215 ? store::Store::W : store::Store::M;
      if (state::AnyWindowOpen(p, s))
        state::UnDisplayWave(p, s, -1);
      else
        state::DisplayWave(p, s, -1);
      break;
    }
    default:  // 204, 211, 212, 213: no action
      break;
  }
}

}  // namespace macro
