// A simulated program for the run tests: the fake clock, graph windows that
// record their user messages, and a Ui whose Esc/Pause arrives on a chosen
// call.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "daq/CardState.h"
#include "daq/RunState.h"
#include "platform/WindowHost.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace runtest {

class RecordingWindow : public platform::GraphWindow {
 public:
  void UserMessage(int code, int arg) override { messages.emplace_back(code, arg); }
  void SetCaption(const std::string& c) override { caption = c; }
  const std::string& Caption() const override { return caption; }
  void Paint() override {}
  void Timer() override {}
  int Count(int code) const {
    int n = 0;
    for (auto& m : messages) n += m.first == code;
    return n;
  }
  std::vector<std::pair<int, int>> messages;
  std::string caption;
};

// Esc/Pause is found on the n-th query (1-based); 0 = never.
class EscapeUi : public platform::ScriptedUi {
 public:
  bool EscapePressed() override { return escapeAt != 0 && ++calls == escapeAt; }
  int escapeAt = 0, calls = 0;
};

struct Sim {
  explicit Sim(int32_t totalSamples = 65536) : env(totalSamples) {
    p().DG.Simulation = 1;
    p().plat.ui = &ui;
    for (int i = 0; i < store::kChannels; ++i) p().MG.Acquire[i] = 0;
  }
  ~Sim() {
    daq::ReleaseRuns(p());
    daq::ReleaseCard(p());
  }
  state::Program& p() { return env.prog; }
  daq::RunState& runs() { return daq::Runs(p()); }
  void Select(std::initializer_list<int> channels) {
    for (int ch : channels) p().MG.Acquire[ch] = 1;
  }
  // Every code of the channel converts to `value`.
  void Constant(int channel, float value) {
    p().A[size_t(channel)].CalValue1 = value;
    p().A[size_t(channel)].CalValue2 = value;
  }
  RecordingWindow* OpenWindow(int store, int channel) {
    auto w = std::make_unique<RecordingWindow>();
    RecordingWindow* raw = w.get();
    p().Windows(store::StoreFromFlag(store))[channel] = std::move(w);
    return raw;
  }
  // Messages shown whose text is general text n.
  int Shown(int n) {
    std::string t = state::Txt(p(), n);
    int count = 0;
    for (auto& s : ui.Log())
      if (s.text == t) ++count;
    return count;
  }
  const float* W(int block) { return p().Waveform.get() + size_t(block) * size_t(p().HGW.Length); }
  const float* M(int block) { return p().Buffer.get() + size_t(block) * size_t(p().HGB.Length); }

  testing_support::TestEnv env;
  EscapeUi ui;
};

}  // namespace runtest
