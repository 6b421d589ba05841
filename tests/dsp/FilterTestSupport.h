// Shared set-up of the filter tests: a store filled channel by channel, and
// graph windows that keep the user messages they receive.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/WindowHost.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace filter_test {

// Makes the given channels (0-based) the active ones of a store, with
// `Length` n and Step 0.001, and fills each block from `values` (one vector
// per channel, n values each).
inline void FillStore(state::Program& p, int store, const std::vector<int>& channels,
                      const std::vector<std::vector<float>>& values, int n) {
  store::Header_s& h = p.Header(store::StoreFromFlag(store));
  for (auto& on : h.ChannelOn) on = 0;
  for (int c : channels) h.ChannelOn[c] = 1;
  h.ChannelCount = static_cast<int16_t>(channels.size());
  h.Length = n;
  for (size_t i = 0; i < channels.size(); ++i) {
    int c = channels[i];
    p.Channels(store::StoreFromFlag(store))[c].Step = 0.001f;
    p.Freq(store::StoreFromFlag(store))[c] = 0;
    p.Channels(store::StoreFromFlag(store))[c].IsSpectrum = 0;
    float* block = p.Samples(store::StoreFromFlag(store)) + state::Pocatek(p, store::StoreFromFlag(store), c);
    for (int j = 0; j < n; ++j) block[j] = values[i][size_t(j)];
  }
}

inline std::vector<float> Channel(const state::Program& p, int store, int channel) {
  int start = state::Pocatek(p, store::StoreFromFlag(store), channel);
  const float* block = p.Samples(store::StoreFromFlag(store)) + start;
  return std::vector<float>(block, block + (store ? p.HGW.Length : p.HGB.Length));
}

inline void MarkSpectrum(state::Program& p, int store, int channel) {
  p.Freq(store::StoreFromFlag(store))[channel] = 1;
  p.Channels(store::StoreFromFlag(store))[channel].IsSpectrum = 1;
}

// Opens the store's windows with a factory whose windows log (channel, code).
inline std::shared_ptr<std::vector<std::pair<int, int>>> OpenLoggingWindows(state::Program& p, int store) {
  auto log = std::make_shared<std::vector<std::pair<int, int>>>();
  p.GraphFactory = [log](const platform::GraphWindowSpec& s) {
    return std::make_unique<testing_support::MessageLogWindow>(
        [log, channel = s.channel](int code, int) { log->emplace_back(channel, code); });
  };
  for (int c = 0; c < store::kChannels; ++c) {
    if (store)
      p.MG.WDisplay[c] = 1;
    else
      p.MG.MDisplay[c] = 1;
  }
  state::DisplayWave(p, store::StoreFromFlag(store), -1);
  return log;
}

inline std::vector<int> Codes(const std::vector<std::pair<int, int>>& log) {
  std::vector<int> codes;
  for (auto& e : log) codes.push_back(e.second);
  return codes;
}

}  // namespace filter_test
