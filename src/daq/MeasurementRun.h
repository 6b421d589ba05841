// The slow measurement run: one averaged point per period into the
// measurement store (`TRV_QM`, `GoQM`), its start command and `Stop_QM`.
#pragma once

namespace state {
struct Program;
}

namespace daq {

// Highest usable MAverageExp: 2^14 scans per point. The scan count is a
// signed 16-bit number in the card interface, so 15 and more would overflow.
inline constexpr int kMaxAverageExp = 14;

// One point into the run's Val: 2^MAverageExp single scans per channel,
// averaged (without the largest and smallest with MSpike and at least 4
// scans), converted when `calibrate` is set. With calibrate and waitTrigger,
// first waits for a falling edge of digital input bit 0 (Esc/Pause ends the
// wait: INTERRUPT, answer 0). 1 = Val holds a point, 0 = failed/interrupted.
[[nodiscard]] int TRV_QM(state::Program& p, int calibrate, int waitTrigger);

// QM = 0 (and DoQM); stops the card's scanning when the driver is open.
void Stop_QM(state::Program& p);

// The start command (internal command 202, QM); a second start stops the run.
void StartMeasurementRun(state::Program& p);

// A combined waveform run (Combi) feeds the measurement store: its schedule
// starts now and, with storing, the store is set up for the first point.
// 0 (with general text 47) when the records do not fit.
[[nodiscard]] int PrepareCombinedRun(state::Program& p);

// One step of the run (the timer calls it while DoQM is set; a combined
// waveform run calls it with fromWave). Takes every point that is due,
// catching up while the run is more than one period behind. Answers 1
// normally, 0 when the run ended or the first record was just completed.
int GoQM(state::Program& p, bool force, bool fromWave);

}  // namespace daq
