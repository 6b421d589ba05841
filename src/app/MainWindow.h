// The main window's logic without any widget: start-up defaults, the 200 ms
// timer tick, user messages, the channel filter and the exit. The desktop
// program hosts it and draws through MainView; the headless runner drives
// the same tick in its own loop.
#pragma once

#include <cstdint>

#include "app/MainView.h"

namespace app {

struct Program;

class TMainWindow {
 public:
  TMainWindow(Program& p, MainView* view = nullptr);

  // Reads the general texts (false: the program must close; the message was
  // shown) and handles a failed start-up allocation.
  bool SetupWindow();

  // One tick of the 200 ms timer (`Timer`).
  void Timer();

  // User messages to the main window (processed only while `UserMsgReady`).
  void WMUserMessage(int code, int arg);

  // Smooths the store's channels by their `A` settings and, for the
  // measurement store, shortens it to what was measured.
  void Filtr(int store);

  // Builds `EXT_Name` for the external-start saving.
  void EXT_Name_Util();

  // Waits n × 100 ms unless input arrives (answers 0 then).
  int AC_Delay(int n);
  void AC_DelayNoInterrupt(int n);

  // The exit has completed and the window closed.
  bool Closed() const { return closed_; }

  // --- main-window state ---
  int32_t FirstTick = 1;
  int32_t GoGrafWinPending = 0;
  int32_t FocusGraphs = 0;
  int16_t TicCount = 1;
  int32_t KeyModifier = 0;
  int32_t UserMsgReady = 0;
  int32_t KeysReady = 0;
  int32_t InKeyDown = 0;
  bool saveAtExit = true;  // cleared by the headless runner's --no-save

 private:
  // The timer's steps, in the order they run.
  void FinishExit();
  void RedrawStatus();
  void FirstTickLoad();
  void RedrawPanel();
  void RunRecorderProcedure();
  void RunWaitingCommandLine();
  void PollInputWait();
  void ContinueMacro();
  void AdvanceMeasurementRun();
  void RestartAfterVerticalKey();
  void RedrawVerticalBars();
  void WatchExternalStart();
  void StopInterruptedRun();
  void RepeatWaveformRun();
  void FocusGraphWindows();
  void Heartbeat();
  void ReArm();

  void LoadWorkFiles();
  void WriteWorkJob();
  void AutoSaveMeasurement();
  void StopAndRestart(void (*change)(Program&));

  Program& p_;
  MainView* view_;
  MainView noView_;
  bool closed_ = false;
};

}  // namespace app
