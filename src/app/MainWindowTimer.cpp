// The 200 ms tick: every long-running activity advances here, in a fixed order.
#include <algorithm>

#include "app/MainWindow.h"
#include "daq/MeasurementMath.h"
#include "daq/MeasurementRun.h"
#include "daq/RunState.h"
#include "daq/Sampling.h"
#include "daq/WaveformRun.h"
#include "files/DataFileWriter.h"
#include "macro/InternalCommands.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace app {

void TMainWindow::Timer() {
  if (closed_) return;
  if (p_.BudeKonecAleAzPoGrafech) {
    FinishExit();
    return;
  }
  if (p_.NotEnoughMemory) return;
  ++timerDepth_;
  RedrawStatus();
  if (FirstTick) FirstTickLoad();
  RedrawPanel();
  RunRecorderProcedure();
  RunWaitingCommandLine();
  PollInputWait();
  macro::ReleaseAfterRun(p_);
  ContinueMacro();
  AdvanceRuns();
  FocusGraphWindows();
  Heartbeat();
  ReArm();
  --timerDepth_;
}

void TMainWindow::AdvanceRuns() {
  AdvanceMeasurementRun();
  RestartAfterVerticalKey();
  RedrawVerticalBars();
  WatchExternalStart();
  StopInterruptedRun();
  RepeatWaveformRun();
}

// The step a running macro drives between its statements (and during
// DELAY): runs, waits and displays go on, but nothing that would start a
// statement of its own inside the one running (the macro resume, a waiting
// command line) and not the exit, which the macro itself notices.
void TMainWindow::MacroTimerStep() {
  if (closed_ || p_.NotEnoughMemory || FirstTick || timerDepth_ > 1) return;
  ++timerDepth_;
  RedrawStatus();
  RedrawPanel();
  RunRecorderProcedure();
  PollInputWait();
  AdvanceRuns();
  Heartbeat();
  --timerDepth_;
}

void TMainWindow::FinishExit() {
  p_.BudeKonecAleAzPoGrafech = 0;
  if (saveAtExit) WriteWorkJob();
  closed_ = true;
  view_->Close();
}

void TMainWindow::RedrawStatus() {
  if (!p_.NewStatus) return;
  view_->DrawStatus();
  p_.NewStatus = 0;
}

void TMainWindow::RedrawPanel() {
  if (!p_.DoPanel) return;
  view_->DrawPanel();
  p_.DoPanel = 0;
  view_->DrawStatus();
  view_->DrawMacroLine();
  p_.NewStatus = 0;
}

void TMainWindow::RunRecorderProcedure() {
  if (!GoGrafWinPending) return;
  GoGrafWinPending = 0;
  state::GoGrafWinProc(p_);
}

void TMainWindow::RunWaitingCommandLine() {
  if (!p_.DoCommand || !p_.AfterAbout) return;
  p_.DoCommand = 0;
  if (p_.CommandLine[0]) {
    store::CopyText(p_.DG.NameQueue, store::FieldText(p_.CommandLine));
    p_.CommandLine[0] = '\0';
  }
  macro::ComInterpret(p_);
}

void TMainWindow::PollInputWait() {
  if (p_.PWait < 0) return;
  // PWAIT sets the expected level, the time-out and the start.
  macro::InputWait& wait = macro::PendingInputWait(p_);
  uint32_t now = p_.plat.clock->TickMs();
  int32_t elapsed = int32_t((now - wait.start) / 100);
  if (elapsed <= wait.timeoutTenths) {
    int word = 0;
    daq::ReadDigitalInputs(p_, word);
    // The wait compares levels: the masked bit against the expected 0 / non-zero.
    bool level = (word & (1 << (p_.PWait & 15))) != 0;
    if (level == (wait.level != 0)) {
      TS(p_, Txt(p_, 452));
      if (p_.MacGoing) p_.MacAgain = 1;
      p_.PWait = -1;
    } else {
      TS(p_,
         TxtF(p_, 38, {wait.level != 0 ? 1 : 0, int(p_.PWait), int((wait.timeoutTenths - elapsed) / 10)}));
    }
    return;
  }
  TS(p_, Txt(p_, 451));
  if (p_.MacGoing) p_.MacAgain = 1;
  p_.PWait = -2;
}

void TMainWindow::ContinueMacro() {
  if (!(p_.MacGoing && p_.MacStop && p_.MacAgain) || p_.DisplayLeft || p_.TraceLeft) return;
  p_.MacStop = 0;
  p_.MacAgain = 0;
  if (p_.PWait >= 0) {
    TS(p_, "-");
    p_.PWait = -1;
  }
  macro::GoMac(p_);
}

void TMainWindow::AdvanceMeasurementRun() {
  if (!(p_.QM && p_.DoQM) || p_.TraceLeft) return;
  const store::A_s& ref = p_.RefA();
  if (!ref.MDITrigger) {
    daq::GoQM(p_, false, false);
  } else {
    p_.DoQM = 0;
    while (daq::GoQM(p_, true, false)) {
    }
  }
  AutoSaveMeasurement();
}

void TMainWindow::AutoSaveMeasurement() {
  const store::A_s& ref = p_.RefA();
  if (!(ref.Flags152 & store::kAAutoSave) || !ref.MStore) return;
  // The measurement start sets the first save time.
  uint32_t& last = daq::Runs(p_).LastAutoSave;
  uint32_t now = p_.plat.clock->TickMs();
  if (now - last <= 600000) return;
  last = now;
  // A failed save has shown its message; the next try is one interval later.
  (void)files::WriteDataFileUtil(p_, store::FieldText(p_.WG.MeasWorkFile), store::Store::M, 0);
}

void TMainWindow::RestartAfterVerticalKey() {
  if (p_.GoQWAgain == 4 && !p_.QW && p_.VertKeyUP) {
    p_.GoQWAgain = 0;
    p_.VertKeyUP = 0;
    macro::Command(p_, 203);
  }
  if (p_.GoQWAgain > 0) ++p_.GoQWAgain;
}

void TMainWindow::RedrawVerticalBars() {
  if (p_.GoQWAgain != 0 || p_.QW || !p_.QW_Vert) return;
  p_.QW_Vert = 0;
  SendToStoreWindows(p_, store::Store::W, state::kRedrawVerticalBar);
}

void TMainWindow::WatchExternalStart() {
  bool enabled = (p_.PG.Flags & store::kPgExternalStart) != 0;
  bool running = p_.QW || p_.QM;
  if (!running && !enabled) p_.QW_EXT = 0;
  if (p_.QW_EXT != 1 || running || !enabled) return;
  int word = 0;
  daq::ReadDigitalInputs(p_, word);
  int bit = word & 1;
  p_.DoPanel = 1;
  bool start = false;
  switch (p_.WG.ExtStartMode) {
    case 0:
      start = bit != p_.WG.ExtPrevBit;
      break;
    case 1:
      start = p_.WG.ExtPrevBit == 0 && bit == 1;
      break;
    case 2:
      start = p_.WG.ExtPrevBit == 1 && bit == 0;
      break;
    case 3:
      start = word != p_.WG.ExtPrevWord;
      break;
  }
  if (start) {
    TS(p_, "QW-GO - měří " + Txt(p_, 1426));
    p_.QW_EXT = 2;
    macro::Command(p_, 203);
    p_.QW_EXT = p_.INTERRUPT ? 0 : 1;
    daq::ReadDigitalInputs(p_, word);
    bit = word & 1;
    if (p_.PG.Flags & store::kPgExternalSave) {
      EXT_Name_Util();
      (void)files::WriteDataFileUtil(p_, store::FieldText(p_.EXT_Name), store::Store::W, 0);
    }
    ++p_.WG.ExtStartCount;
  }
  p_.WG.ExtPrevWord = word;
  p_.WG.ExtPrevBit = bit;
}

void TMainWindow::StopInterruptedRun() {
  if (!p_.INTERRUPT || !p_.QW) return;
  macro::Command(p_, 208);
  p_.DoQW = 0;
  TS(p_, Txt(p_, 1429));
}

void TMainWindow::RepeatWaveformRun() {
  if (!(p_.QW && p_.DoQW) || p_.TraceLeft) return;
  const store::A_s& ref = p_.RefA();
  uint32_t now = p_.plat.clock->TickMs();
  bool due = double(now - p_.LastWTime) > double(ref.WRepeatPeriod) * 1000.0;
  if (!due && !ref.Combi) return;
  TS(p_, "QW, opakované měření " + Txt(p_, 1426));
  bool more = p_.PG.QWRepeatCount < 1 || --p_.PocitadloKolikOpak > 0;
  if (!more) {
    macro::Command(p_, 208);
    p_.DoQW = 0;
    TS(p_, Txt(p_, 39));
    if (p_.MacGoing) p_.MacAgain = 1;
    return;
  }
  while (p_.DoQW) {
    p_.DoQW = 0;
    p_.LastWTime = p_.plat.clock->TickMs();
    platform::LocalTime t = p_.plat.clock->Now();
    p_.HGW.TriggerTime[0] = uint8_t(t.minute);
    p_.HGW.TriggerTime[1] = uint8_t(t.hour);
    p_.HGW.TriggerTime[2] = uint8_t(t.hundredth);
    p_.HGW.TriggerTime[3] = uint8_t(t.second);
    if (ref.Combi) {
      daq::GoQM(p_, false, true);
    } else if (!daq::TRV_QW(p_)) {
      macro::Command(p_, 208);
      p_.DoQW = 0;
      TS(p_, p_.INTERRUPT ? Txt(p_, 39) + " " + Txt(p_, 1429) : Txt(p_, 39));
      if (p_.MacGoing) p_.MacAgain = 1;
      return;
    }
    daq::RecomputeMeasurementMath(p_);
    Filtr(store::Store::W);
    SendToStoreWindows(
        p_, store::Store::W,
        (ref.Flags153 & store::kARedrawRepeats) ? state::kRedrawAll : state::kMeasurementProgress);
  }
  p_.DoQW = p_.INTERRUPT ? 0 : 1;
}

void TMainWindow::FocusGraphWindows() {
  // The menu commands ask through the program record.
  if (p_.FocusGraphs) FocusGraphs = 1;
  p_.FocusGraphs = 0;
  if (!FocusGraphs) return;
  FocusGraphs = 0;
  for (store::Store s : {store::Store::W, store::Store::M})
    for (int i = 0; i < store::kChannels; ++i)
      if (p_.Windows(s)[i]) p_.Windows(s)[i]->Focus();
}

void TMainWindow::Heartbeat() {
  if (p_.QM && p_.RefA().MPeriod < 1.0f) return;
  if (--TicCount <= 0) {
    TicCount = 5;
    view_->DrawHeartbeat(0);
  } else {
    view_->DrawHeartbeat(TicCount);
  }
}

void TMainWindow::ReArm() {
  KeysReady = 1;
  UserMsgReady = 1;
  if (p_.WaitAfterWinCreation) {
    p_.WaitAfterWinCreation = 0;
    p_.AfterAbout = 1;
  }
}

}  // namespace app
