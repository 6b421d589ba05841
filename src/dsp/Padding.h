// Lengthening a record: to the next power of two or to twice its length, the
// new samples zero or the last value.
#pragma once

#include <cstdint>

#include "store/Records.h"

namespace dsp {

// The smallest power of two ≥ n counted from 1, or 0 when it would pass 2^30.
long long NextPowerOfTwo(long long n);

// Whether a record of `channels` blocks of n samples may grow, and to what.
enum class PadCheck { Fits, Empty, AlreadyPowerOfTwo, TooLong, NoRoom };

// To the next power of two: Empty for n < 1, AlreadyPowerOfTwo, TooLong past
// 2^30, NoRoom when a block would pass maxLength or the blocks `capacity`.
// `grown` receives the new length when it Fits.
PadCheck PowerOfTwoGrowth(int n, int channels, long long capacity, long long maxLength, long long& grown);
// To twice n, the same refusals but AlreadyPowerOfTwo.
PadCheck DoubleGrowth(int n, int channels, long long capacity, long long maxLength, long long& grown);

// What fills samples n … grown − 1 of each block: zeros, the block's last
// sample truncated toward zero, or zeros with a spectrum keeping its layout
// (its imaginary half, and the Nyquist slot before it, moves up to the upper
// half of the grown block; spectrum[c] tells which channels hold one).
enum class PadFill { Zeros, LastValue, ZerosKeepSpectra };

// Moves the block of each channel set in channelOn[0 … kChannels) from n to
// `grown` samples apart (last channel first, so no block is overwritten before
// it is read) and fills the new samples. The caller has checked the growth.
void GrowBlocks(float* data, const int16_t* channelOn, int n, long long grown, PadFill fill,
                const bool* spectrum = nullptr);

}  // namespace dsp
