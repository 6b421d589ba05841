// What the waveform and measurement runs keep between timer ticks besides the
// flags the main loop reads in state::Program (QW, DoQW, QM, DoQM, INTERRUPT,
// Bindx ...): the averaging counter, the point values, the measurement
// schedule and the main-window ticks the measurement run owns.
#pragma once

#include <cstdint>

#include "store/Records.h"

namespace state {
struct Program;
}

namespace daq {

struct RunState {
  // --- waveform run ---
  float PocetVln = 1.0f;              // number of the acquisition within an averaging series
  int32_t DoADTest = 0;               // histogram of raw codes instead of values
  int32_t UkladejNadisk = 0;          // combined run: every record goes to disk
  int32_t CombiFileIndex = 0;         // next "komb_NNN.w"
  bool HighChannelsReported = false;  // channels above 32 said once per run
  bool MonitLogFailing = false;       // the monitoring log's failure has been reported
  int32_t LiveResult = 0;             // what the live window's record came to (1 complete)

  // --- measurement run ---
  float Val[store::kChannels] = {};
  int32_t NewValue = 0;
  int32_t LPar = -1;
  int32_t Event = 0;
  // Elapsed time of the measurement run.
  float TotalQMTime = 0.0f;
  uint32_t LastBTime = 0;
  int16_t OldDig = 0;
  uint32_t OldTick[store::kChannels] = {};
  // Main-window members of the run: schedule start, last value display,
  // start of the current record, and the first-record flag.
  uint32_t ScheduleStart = 0;
  uint32_t DisplayTick = 0;
  uint32_t RecordStart = 0;
  int32_t FirstRecord = 0;
  // Points taken since ScheduleStart, less one. The schedule follows this
  // and not Bindx, so that an event rearrangement (which moves Bindx back)
  // or a run without storing never makes the catch-up loop take a burst of
  // points that were not due.
  int32_t SchedIndex = -1;
  // Points stored since the run started: an event early in a run may look
  // back only this far, never into what an earlier run left in the store.
  int64_t PointsStored = 0;
  // Tick of the run start, for the main window's automatic-save counter.
  uint32_t LastAutoSave = 0;

  // The interval the host should run the main timer at: 1 ms while a
  // measurement run is active, else 200 ms.
  int32_t TimerIntervalMs = 200;
};

// The run state of a program, created on first use.
RunState& Runs(state::Program& p);
// Drops it (tests, and the program's end).
void ReleaseRuns(state::Program& p);

}  // namespace daq
