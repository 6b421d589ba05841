// The channel numbers the main window's channel operations take: 1-based,
// 0 meaning "ask the user".
#pragma once

namespace state {
struct Program;
}

namespace ops {

// `number` when it lies in 1..128; for 0 a value prompt (1..128, default 1)
// titled with general text `promptText`. Answers 0 for numbers beyond the
// range and for a cancelled prompt.
int ChannelNumber(state::Program& p, int number, int promptText);

}  // namespace ops
