// The run commands of the main window: start a waveform run (internal
// command 203, QW), start a measurement run (202, QM), stop (208), and the
// converter test (ADTest).
#pragma once

namespace state {
struct Program;
}

namespace daq {

// Internal command 203: every check of the start, the first acquisition,
// and for repeated runs the state the main timer continues from (QW, DoQW,
// PocitadloKolikOpak, LastWTime). A second start stops the active run.
void StartWaveformRun(state::Program& p);

// Internal command 208: ends the waveform run and the measurement run. A
// combined run started by the user asks first unless `ask` is false (the
// runs' own failure and end paths, a macro, an interruption).
void StopRun(state::Program& p, bool ask = true);

// `TMainWindow::ADTest`: after a Yes, a repeated run that counts how often
// each converter code occurs, one histogram per channel.
void ADTest(state::Program& p);

// Internal commands of the runs: 202, 203 and 208. Answers false for other ids.
bool RunCommand(state::Program& p, int id);

}  // namespace daq
