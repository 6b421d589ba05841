// Point values of a combined run taken from a whole waveform (`WToMFun`), and
// the measurement mathematics the runs recompute after every point.
#pragma once

namespace state {
struct Program;
}

namespace daq {

// The modes of the combined run (the reference channel's WToMCode, which
// COMBION sets to its argument - 1). Each gives one value per waveform
// channel, computed over the channel's whole record:
//   0  RMS, sqrt(mean of x^2)           (COMBION 1, the default)
//   1  mean                             (COMBION 2)
//   2  maximum                          (COMBION 3)
//   3  minimum                          (COMBION 4)
//   4  peak to peak, maximum - minimum  (COMBION 5)
// Other codes (the harmonic and phase modes) are not built and give the RMS.
enum class WToMMode { Rms = 0, Mean = 1, Maximum = 2, Minimum = 3, PeakToPeak = 4 };

// One value of a record under a mode; 0 for an empty record.
float WaveformPointValue(const float* samples, long length, int mode);

// Fills the run's Val for every channel selected for acquisition from its
// waveform block (0 for a selected channel the store does not hold).
void WToMFun(state::Program& p);

// Recomputes the measurement mathematics from the new point values. The
// per-channel formulas of the mathematics records are not defined yet, so
// the values stay as the run took them.
void RecomputeMeasurementMath(state::Program& p);

}  // namespace daq
