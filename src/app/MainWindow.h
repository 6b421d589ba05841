// The main window's logic without any widget: start-up defaults, the 200 ms
// timer tick, user messages, the channel filter and the exit. The desktop
// program hosts it and draws through MainView; the headless runner drives
// the same tick in its own loop.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/MainView.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace app {

using state::Program;

// The main window's logic.
class TMainWindow {
 public:
  TMainWindow(Program& p, MainView* view = nullptr);
  ~TMainWindow();
  TMainWindow(const TMainWindow&) = delete;
  TMainWindow& operator=(const TMainWindow&) = delete;

  // Reads the general texts (false: the program must close; the message was
  // shown) and handles a failed start-up allocation.
  bool SetupWindow();

  // One tick of the 200 ms timer (`Timer`).
  void Timer();
  // The timer step a running macro drives between statements.
  void MacroTimerStep();

  // User messages to the main window (processed only while `UserMsgReady`).
  void WMUserMessage(int code, int arg);

  // Smooths the store's channels by their `A` settings and, for the
  // measurement store, shortens it to what was measured.
  void Filtr(store::Store store);

  // Builds `EXT_Name` for the external-start saving.
  void EXT_Name_Util();

  // Waits n × 100 ms unless input arrives (answers 0 then).
  int AC_Delay(int n);
  // The same wait, not ended by input.
  void AC_DelayNoInterrupt(int n);

  // Keys of the main window as virtual key codes (acted on only while
  // `KeysReady`); modifiers: bit 1 Shift, 2 Ctrl, 4 Alt, as the host saw them.
  void KeyDown(int key, int modifiers = 0);
  void KeyUp(int key);
  // The command dialog a letter key opened has closed; on OK its line is run.
  void CommandDialogClosed(bool ok, std::string_view line);
  bool CommandDialogOpen() const { return commandDialogOpen_; }

  // The exit has completed and the window closed.
  bool Closed() const { return closed_; }

  // --- main-window state ---
  int32_t FirstTick = 1;
  // The recorder-window procedure waits for the next tick.
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
  void AdvanceRuns();  // the run steps below, in order
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
  void FileKey(store::Store store, bool save);
  void EscapeKey();

  Program& p_;
  MainView* view_;
  MainView noView_;
  bool closed_ = false;
  bool commandDialogOpen_ = false;
  int timerDepth_ = 0;  // 1 inside Timer, 2 inside a macro's step within it
};

}  // namespace app
