// Helpers of the data file tests: a store filled with a recognisable
// pattern, a byte snapshot of everything a read may touch, and file images
// built by hand, independently of the writer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"
#include "store/FixedText.h"
#include "support/StoreSnapshot.h"
#include "support/TestSupport.h"

namespace datafile_test {

// Sample k of channel ch in the pattern.
inline float PatternValue(int store, int ch, int k) { return float(store * 100000 + ch * 1000 + k) * 0.5f; }

// Makes exactly the given channels (0-based) active with `length` samples each.
inline void FillStore(state::Program& p, int store, std::initializer_list<int> channels, int32_t length) {
  store::Header_s& h = p.Header(store::StoreFromFlag(store));
  for (int16_t& f : h.ChannelOn) f = 0;
  h.Length = length;
  int k = 0;
  for (int ch : channels) {
    h.ChannelOn[ch] = 1;
    store::Channel_s& c = p.Channels(store::StoreFromFlag(store))[ch];
    c = store::FGW0;
    store::CopyText(c.Name, "Chan " + std::to_string(ch));
    store::CopyText(c.Unit, "V");
    c.Step = 0.001f * float(ch + 1);
    float* s = p.Samples(store::StoreFromFlag(store)) + size_t(k++) * size_t(length);
    for (int i = 0; i < length; ++i) s[i] = PatternValue(store, ch, i);
  }
  h.ChannelCount = int16_t(k);
}

// The last message box shows `text` under general text `title`.
inline bool LastMessageIs(const testing_support::TestEnv& env, const std::string& text, int title) {
  for (auto it = env.ui.Log().rbegin(); it != env.ui.Log().rend(); ++it)
    if (it->kind == "message") return it->text == text && it->title == state::Txt(env.prog, title);
  return false;
}

using Snapshot = testing_support::StoreSnapshot;

class FileImage {
 public:
  FileImage(int16_t capacity, int16_t isWaveform, int32_t length) : length_(length) {
    std::memcpy(ig_.IdText, store::kIdText, 20);
    ig_.MaxChannels = capacity;
    header_ = isWaveform ? store::HGW0 : store::HGB0;
    for (int16_t& f : header_.ChannelOn) f = 0;
    header_.ChannelCount = 0;
    header_.Length = length;
  }
  store::IG_s& ig() { return ig_; }
  store::Header_s& header() { return header_; }
  void SetSegmented() {
    std::memcpy(ig_.IdText, "TARVELIN, SEGMENTED\0", 20);
    segmented_ = true;
  }

  // Adds channel `ch` with samples base + k; a crafted length beyond 8192
  // gets only 8192 samples (its reader must refuse it first).
  void AddChannel(int ch, float base, const char* name = "File") {
    header_.ChannelOn[ch] = 1;
    ++header_.ChannelCount;
    store::Channel_s c = store::FGW0;
    store::CopyText(c.Name, name);
    store::CopyText(c.Unit, "A");
    c.Step = 0.25f;
    std::vector<float> s(size_t(length_ > 0 ? std::min(length_, 8192) : 0));
    for (size_t k = 0; k < s.size(); ++k) s[k] = base + float(k);
    channels_.push_back({c, s});
  }

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    auto add = [&](const void* d, size_t n) {
      out.insert(out.end(), (const uint8_t*)d, (const uint8_t*)d + n);
    };
    add(&ig_, sizeof ig_);
    add(&header_, sizeof header_);
    if (segmented_) out.insert(out.end(), store::kSegmentRecordSize, uint8_t(0xA5));
    for (const auto& c : channels_) {
      add(&c.first, sizeof c.first);
      add(c.second.data(), c.second.size() * sizeof(float));
    }
    return out;
  }
  void Write(const std::string& path) const { testing_support::WriteBytes(path, Bytes()); }

 private:
  store::IG_s ig_{};
  store::Header_s header_{};
  int32_t length_;
  bool segmented_ = false;
  std::vector<std::pair<store::Channel_s, std::vector<float>>> channels_;
};

}  // namespace datafile_test
