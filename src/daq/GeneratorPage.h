// The generator page of the mathematics dialog (`TArit_Dialog`) without its
// window: the edited generator settings (store, outputs, cyclic, synchronous,
// rest voltages, and the shape of channel 1 = output A and channel 2 =
// output B) and the page's commands. Every command first takes the edited
// settings over into `M` and the generator globals, since the drawing and
// the card read them from there.
#pragma once

#include <string>
#include <string_view>

#include "store/ChannelSettings.h"

namespace state {
struct Program;
}

namespace daq {

// The numeric edit fields; the rest voltages belong to the page, the others
// to one channel's shape.
enum class GenField { LevelA, LevelB, Period, Duty, Phase, RestA, RestB };

class GeneratorPage {
 public:
  // The fields from the generator globals and the records of channels 1 and 2.
  explicit GeneratorPage(const state::Program& p);

  // The edited settings. Choices out of range are harmless: the drawing
  // refuses an unknown shape and replaces for an unknown combine rule.
  store::MGlobals_s& Globals() { return g_; }
  const store::MGlobals_s& Globals() const { return g_; }
  // Channel 0 (output A) or 1 (output B).
  store::M_s& Shape(int channel) { return m_[channel ? 1 : 0]; }
  const store::M_s& Shape(int channel) const { return m_[channel ? 1 : 0]; }

  // A numeric field as its edit control shows it.
  std::string Text(GenField f, int channel) const;
  // Reads the number at the front of the text (a decimal comma counts as a
  // point), limited to the field's range. Text without a number is refused
  // and the field keeps its value.
  bool SetText(GenField f, int channel, std::string_view text);

  // The edited settings into `M` (its generator fields only) and the globals.
  void TakeOver(state::Program& p) const;

  // Draws the channel's shape (asking before an empty channel is created),
  // converts the outputs and refreshes the store's windows. 1 drawn.
  int Draw(state::Program& p, int channel);
  // `GenPer`: the sample period of the generator's store, in milliseconds,
  // through a value prompt; the output rate is its reciprocal, so the prompt
  // stops at 500 ms (2 Hz). Answers whether it changed.
  bool SetSamplePeriod(state::Program& p);
  // `GenSize`: the length of the generator's store through a value prompt.
  // The channels keep their samples (a longer record is padded with zeros).
  bool SetLength(state::Program& p);
  // Converts one output (1 = A, 0 = B) and reports the result. 1 converted.
  int Convert(state::Program& p, int output);
  // The start command (refused without a card or in simulation, deferred
  // to the next acquisition when synchronous).
  void Start(state::Program& p);
  void Stop(state::Program& p);

  // What the last conversion gave, one line per output, and whether the
  // generator runs: the page's picture caption.
  std::string Status(const state::Program& p) const;

 private:
  // Converts the outputs whose channel holds data, so the codes match the
  // store after a command changed it; with `usedOnes` also the outputs the
  // generator uses, whose empty channel is then reported.
  void ConvertOutputs(state::Program& p, bool usedOnes);

  store::MGlobals_s g_;
  store::M_s m_[2];
  std::string report_[2];  // by channel: A, B
};

}  // namespace daq
