#include "ops/ChannelPrompt.h"

#include <optional>

#include "state/Messages.h"
#include "state/Program.h"
#include "store/Records.h"

namespace ops {

int ChannelNumber(state::Program& p, int number, int promptText) {
  if (number < 0 || number > store::kChannels) return 0;
  if (number > 0) return number;
  std::optional<int64_t> asked = p.ui().PromptInt(state::Txt(p, promptText), 1, store::kChannels, 1);
  if (!asked || *asked < 1 || *asked > store::kChannels) return 0;
  return int(*asked);
}

}  // namespace ops
