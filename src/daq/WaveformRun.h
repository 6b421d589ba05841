// One waveform acquisition (`TRV_QW`): every selected channel's record taken
// through the card's block transfer or simulated, converted, and written
// over, added to or averaged into the waveform store.
#pragma once

namespace state {
struct Program;
}

namespace daq {

// 1 = record acquired; 0 = not acquired, failed or interrupted by Esc/Pause
// (INTERRUPT then set, the scans taken so far kept). A failure that is not
// an interruption has been reported.
//
// Channels the card cannot scan (above 32) are not read from the transfer:
// they get 0, and the status line says so once per run. The A/D test counts
// codes for converters of 12, 14 and 16 bits.
//
// With the reference channel's WLive flag the first waveform graph window
// takes the record itself (user message kLiveAcquisition) and its result is
// answered; without such a window nothing is acquired (general text 1304).
[[nodiscard]] int TRV_QW(state::Program& p);

}  // namespace daq
