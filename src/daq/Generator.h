// The function generator: a shape drawn into channel 1 (output A) or 2
// (output B) of the generator's store, turned into 12-bit output codes and
// replayed by the card, on its own or started with the acquisition.
#pragma once

#include <cstdint>
#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}
namespace store {
struct M_s;
}

namespace daq {

// The built-in texts of driver failures and of a shape that cannot be drawn.
inline constexpr const char* kGeneratorErrorText = "Chyba DA";

// The store the generator draws into and replays from (GenStore 0 = waveform).
store::Store GeneratorStore(const state::Program& p);

// Draws a shape into `samples[0..n)` under the record's GenShape, GenCombine
// and parameters (rectangle, triangle, sine, constant; replace, add,
// subtract). Answers false, drawing nothing, for a shape that advances no
// sample per period (or has parameters no drawing can use).
[[nodiscard]] bool DrawShape(const store::M_s& m, float* samples, int64_t n);

// `VypocetGeneratoru`: draws the shape of channel `channel` (0 = output A,
// 1 = output B) into the generator's store; an inactive channel is created
// first (asking 1054 when `ask`). 1 drawn, 0 not (a message says why).
[[nodiscard]] int VypocetGeneratoru(state::Program& p, int channel, bool ask);

// `GenPis`: output codes of store channel 1 (output 1 = A) or 2 (output 0 =
// B). 1 done; 0 with 1454/1455, 1458 or 1419. `report`, when given, receives
// the result text (general text 1420) that `show` puts in a message.
[[nodiscard]] int GenPis(state::Program& p, int output, bool show, std::string* report = nullptr);

// Whether an output the generator uses (GenOutputs) has no codes yet.
[[nodiscard]] bool GeneratorSamplesMissing(const state::Program& p);

// Output list, timing, mode and buffer load; 1 loaded, 0 not (reported).
[[nodiscard]] int ConfigureCircleGenerate(state::Program& p);
// Load and start (nothing in simulation); 1 running.
int BOARD_DA_Generator_Start(state::Program& p);
// Stop, release the mode, and set the rest voltages; 1 stopped.
int BOARD_DA_Generator_Stop(state::Program& p);
// The generator page's start command: refuses without a card (1447) or in
// simulation (1448), defers to the next acquisition when synchronous (1453),
// else starts.
void StartGenerate(state::Program& p);

// Installs the generator into the card state so that StartSampling and
// StopSampling start and stop a synchronous generator.
void InstallGenerator(state::Program& p);

}  // namespace daq
