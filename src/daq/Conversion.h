// Raw card code to the channel's physical value: the two-point calibration of
// the channel's A record, then its text calibration table when one was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace state {
struct Program;
}

namespace daq {

// The conversion of one channel with everything per channel worked out once,
// so that bulk loops cost a multiply-add per sample (plus the table lookup
// for channels with a text table).
struct ChannelConversion {
  bool zero = false;  // CalInput2 <= CalInput1: every code converts to 0.0
  double slope = 0, offset = 0;
  std::vector<float> in, out;  // the text table sorted by input; empty = none

  float operator()(float code) const {
    if (zero) return 0.0f;
    float v = float(code * slope + offset);
    return in.empty() ? v : Table(v);
  }
  float Table(float v) const;
};

// Full scale of a range index 1..6 (5.0 V in simulation, for other indices
// and for values the card reported that are not positive and finite).
double FullScale(const state::Program& p, int rangeIndex);

ChannelConversion MakeConversion(const state::Program& p, int channel);

// One code of channel ch (0..127; other channels give 0.0).
float AD_Kalibrace(const state::Program& p, float code, int16_t ch);

// count codes read every `stride` codes from `codes` into out[0..count).
void ConvertCodes(const ChannelConversion& conv, const int16_t* codes, size_t stride, size_t count,
                  float* out);

}  // namespace daq
