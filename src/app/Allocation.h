// The start-up allocations, in the order the application object makes them.
// Each block is zero-filled and counted in `TotalDataAlloc`; any failure sets
// `NotEnoughMemory`.
#pragma once

namespace state {
struct Program;
}

namespace app {

using state::Program;

// Marker tables, graph records, `A`, `M`, `FGW`, `FGB`, each filled from its default.
bool AllocateRecords(Program& p);
// Cuts `MaxLength` to `TotalSamples`, sets `PW`/`PM` and the memory mode bits.
void SizeMemory(Program& p);
// `Buffer`, `SBuffer`, `Waveform`, `SWaveform` of `TotalSamples` floats each.
bool AllocateSampleArrays(Program& p);
// Text buffers, calibration tables, print, colour, function, calibration,
// matrix and segment records and the working-name table.
bool AllocateBuffers(Program& p);

}  // namespace app
