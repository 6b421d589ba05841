// Small pieces both runs share: the clock, time stamps of a record, the
// release of a waiting macro, the channel filters, and the notifications of
// windows that are not graph windows of the store (the live window, the
// recorder windows).
#pragma once

#include <cstdint>

namespace store {
struct Header_s;
}
namespace state {
struct Program;
}

namespace daq {

uint32_t NowMs(state::Program& p);
// The time of day into a header's TriggerTime (minutes, hours, hundredths, seconds).
void StampTriggerTime(state::Program& p, store::Header_s& h);
// Today as "dd.mm.yyyy" padded with blanks to 11 characters into a header's Date.
void StampDate(state::Program& p, store::Header_s& h);
// A macro waiting for the run may continue.
void ReleaseMacro(state::Program& p);

// The waveform channel filters (smoothing by each channel's SmoothWidth when
// the PG option is on), as the main window applies them after a run.
void ApplyWaveformFilters(state::Program& p);

// The first open waveform graph window (the live window), or -1.
[[nodiscard]] int FirstWaveformWindow(const state::Program& p);

// User messages to the recorder windows (kRecorderRunStart when a run starts,
// kRecorderPoint after every point), with the last stored point as argument.
void NotifyRecorderWindows(state::Program& p, int code);
// Opens the recorder windows of the reference channel that a run asks for
// (MTrigger or MScroll with storing) and that are not open yet.
void OpenRecorderWindows(state::Program& p);

// The number of channels selected for acquisition (MG).
[[nodiscard]] int SelectedChannels(const state::Program& p);

}  // namespace daq
