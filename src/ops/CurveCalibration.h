// Calibration from the curve (`TKal_Dialog`): two levels read off a waveform
// channel with the cursors, the physical values they stand for, and the
// straight line through the two points applied to every stored sample of the
// channel. The channel's acquisition calibration is left alone.
#pragma once

#include <optional>

#include "store/SettingsBlocks.h"

namespace state {
struct Program;
}

namespace ops {

enum class CurveLevel {
  AtCursor1,   // the stored sample at cursor 1
  CursorMean,  // the mean of the samples from cursor 1 to cursor 2, both included
};

// The level the channel's curve shows at its window's cursors; nothing when
// the channel holds no data or the cursors lie outside the record.
std::optional<float> ReadCurveLevel(const state::Program& p, int channel, CurveLevel how);

// value = k × level + q through (KalLevel1, KalValue1) and (KalLevel2, KalValue2).
struct CurveLine {
  double k = 1, q = 0;
};
// Nothing when the levels are equal or the line is not a finite one.
std::optional<CurveLine> CalibrationLine(const store::Kal_s& r);

// Calibrates the record's channel in the waveform store (or, with `undo`,
// takes a calibration back) after asking. Refuses with a message when the
// line cannot be drawn, cannot be inverted for an undo, or the channel holds
// no data; the samples are then untouched. Answers 1 when they changed.
int ApplyCurveCalibration(state::Program& p, const store::Kal_s& r, bool undo);

}  // namespace ops
