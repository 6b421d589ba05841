// Guards and locators every operation on a store goes through.
#pragma once

#include "store/Store.h"

namespace store {
struct Channel_s;
struct A_s;
}  // namespace store

namespace state {

struct Program;

// Whether the store's sample array exists; sets the store's
// `Length` to 0 when it does not.
bool MemOK(Program& p, store::Store store);
// The same, and on failure general text 490 (W) or 491 (M) with title 13.
bool MemOK(Program& p, store::Store store, bool showMessage);

// First sample index of a channel (0-based) in its store, -1 when inactive.
int Pocatek(const Program& p, store::Store store, int channel);

// Number of active channels of a store, by the flags.
int ActiveChannels(const Program& p, store::Store store);

// Sets up the waveform channel records from the acquisition settings.
void NaplnHlav(Program& p);
// One channel record (W or M) as a new recording leaves it: the acquisition
// channel's name, unit and prefix, a time axis with the given step.
void ChannelFromAcquisition(store::Channel_s& c, const store::A_s& a, float step);

// Memory budget report (general text 382, title 17).
void FreeMemUtil(Program& p);

// Applies the memory dialog's value (units of 131072 samples, clamped to
// 1..2048) to `TotalSamples` and `MaxLength`.
void ApplyMemoryUnits(Program& p, long units);

}  // namespace state
