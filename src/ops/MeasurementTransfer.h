// Moving the measurement store into the waveform store, and the check that a
// waveform-to-measurement mode has the channels it needs.
#pragma once

namespace state {
struct Program;
}

namespace ops {

// `TMainWindow::MeasurementToWaveform`: the measurement store's header,
// channel records, spectrum flags and samples replace the waveform store's
// (`IsWaveform` 1, `TriggerFlag` 0). With ask and no macro it asks first
// (359) and confirms (360); the W windows reopen when `PG` says they were
// open and no macro runs. A measurement too long for the waveform arrays is
// refused with 389 / 390 and the waveform store stays as it was.
// Answers 1 when copied.
[[nodiscard]] int MeasurementToWaveform(state::Program& p, bool ask);

// `TMainWindow::Kontrola_WToMFun`: mode 8 needs channels 1 and 2 selected
// for acquisition (1032 otherwise), modes 9 and 10 channels 1 to 6 (1033).
// Answers 1 when the mode may run.
[[nodiscard]] int Kontrola_WToMFun(state::Program& p, int mode);

}  // namespace ops
