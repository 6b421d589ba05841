// Entry points the main window's loop calls into the acquisition and the
// command language. Until those parts are built, each does the least that
// keeps the loop sound and says so where a user asked for something.
#pragma once

#include <string_view>

namespace app {

struct Program;

// Tells the user, in the interface language, that an operation is not part
// of this build yet, instead of pretending it happened.
void ShowNotAvailable(Program& p, const char* whatCzech, const char* whatEnglish);
// The same for a keyword or label, which reads alike in both languages.
void ShowNotAvailable(Program& p, std::string_view name);

// Card driver (initialisation at the first tick, closing at exit, the default
// card addresses re-derived after a job was read).
void InitCard(Program& p);
void CloseDriver(Program& p);
void DeriveCardAddresses(Program& p);
// The digital input word; answers false when it cannot be read.
bool ReadDigitalInputs(Program& p, int& word);

// Command interpreter on `NameQueue` of `DG`; answers 1 on success.
int ComInterpret(Program& p);
// Continues a suspended macro.
void GoMac(Program& p);

// One measurement step; answers 0 when no further step is wanted now.
int GoQM(Program& p, int force, int combined);
// One waveform acquisition into the waveform store; answers 1 on success.
int TRV_QW(Program& p);
// Recomputes the measurement mathematics after an acquisition.
void RecomputeMeasurementMath(Program& p);
// Smooths a channel in place with the given width using the scratch array.
void SmoothChannel(Program& p, int store, int channel, int width);
// Copies the measurement store to the waveform store.
void MeasurementToWaveform(Program& p);
// Internal commands 200..216 of the main window.
void Command(Program& p, int id);
// The recorder-window procedure.
void GoGrafWinProc(Program& p);

}  // namespace app
