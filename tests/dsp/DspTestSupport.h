// Stores laid out with chosen channels and values, a byte snapshot of all a
// refused operation must leave alone, and windows that log their messages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Defaults.h"
#include "store/FixedText.h"
#include "support/StoreSnapshot.h"
#include "support/TestSupport.h"

namespace dsptest {

// Exactly `channels` (0-based) active with `length` samples: sample k of
// channel ch = value(ch, k).
inline void Layout(state::Program& p, int store, const std::vector<int>& channels, int32_t length,
                   const std::function<float(int, int)>& value, float step = 0.01f) {
  store::Header_s& h = p.Header(store::StoreFromFlag(store));
  for (auto& on : h.ChannelOn) on = 0;
  h.Length = length;
  for (size_t b = 0; b < channels.size(); ++b) {
    const int ch = channels[b];
    h.ChannelOn[ch] = 1;
    store::Channel_s& c = p.Channels(store::StoreFromFlag(store))[ch];
    c = store::FGW0;
    store::CopyText(c.Name, "Ch" + std::to_string(ch + 1));
    c.Step = step;
    p.Freq(store::StoreFromFlag(store))[ch] = 0;
    float* s = p.Samples(store::StoreFromFlag(store)) + b * size_t(length);
    for (int k = 0; k < length; ++k) s[k] = value(ch, k);
  }
  h.ChannelCount = int16_t(channels.size());
}

// The same from one vector per channel, with step 0.001.
inline void FillStore(state::Program& p, int store, const std::vector<int>& channels,
                      const std::vector<std::vector<float>>& values, int n) {
  std::vector<int> row(store::kChannels);
  for (size_t i = 0; i < channels.size(); ++i) row[size_t(channels[i])] = int(i);
  Layout(
      p, store, channels, n, [&](int ch, int k) { return values[size_t(row[size_t(ch)])][size_t(k)]; },
      0.001f);
}

// The samples of an active channel, located independently of Pocatek.
inline std::vector<float> Channel(const state::Program& p, int store, int channel) {
  const store::Header_s& h = store ? p.HGW : p.HGB;
  if (!h.ChannelOn[channel]) return {};
  size_t below = 0;
  for (int i = 0; i < channel; ++i) below += h.ChannelOn[i] ? 1 : 0;
  const float* s = p.Samples(store::StoreFromFlag(store)) + below * size_t(h.Length);
  return std::vector<float>(s, s + h.Length);
}

inline void MarkSpectrum(state::Program& p, int store, int channel) {
  p.Freq(store::StoreFromFlag(store))[channel] = 1;
  p.Channels(store::StoreFromFlag(store))[channel].IsSpectrum = 1;
}

using Snapshot = testing_support::StoreSnapshot;

using WindowLog = std::vector<std::pair<int, int>>;  // (channel, code)

// Opens all of the store's windows; each logs the user messages it receives.
inline std::shared_ptr<WindowLog> OpenLoggingWindows(state::Program& p, int store) {
  auto log = std::make_shared<WindowLog>();
  p.GraphFactory = [log](const platform::GraphWindowSpec& s) {
    return std::make_unique<testing_support::MessageLogWindow>(
        [log, channel = s.channel](int code, int) { log->emplace_back(channel, code); });
  };
  for (int c = 0; c < store::kChannels; ++c) (store ? p.MG.WDisplay : p.MG.MDisplay)[c] = 1;
  state::DisplayWave(p, store::StoreFromFlag(store), -1);
  return log;
}

inline std::vector<int> Codes(const WindowLog& log) {
  std::vector<int> codes;
  for (auto& e : log) codes.push_back(e.second);
  return codes;
}

}  // namespace dsptest
