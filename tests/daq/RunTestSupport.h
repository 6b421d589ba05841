// A simulated program for the run tests: the fake clock, graph windows that
// record their user messages, and a Ui whose Esc/Pause arrives on a chosen
// call.
#pragma once

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "daq/CardState.h"
#include "daq/RunState.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace runtest {

struct RecordingWindow : testing_support::MessageLogWindow {
  RecordingWindow() : MessageLogWindow([this](int code, int) { codes.push_back(code); }) {}
  int Count(int code) const { return int(std::count(codes.begin(), codes.end(), code)); }
  std::vector<int> codes;
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
    for (auto& a : p().MG.Acquire) a = 0;
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
    p().A[size_t(channel)].CalValue1 = p().A[size_t(channel)].CalValue2 = value;
  }
  RecordingWindow* OpenWindow(int store, int channel) {
    auto w = std::make_unique<RecordingWindow>();
    RecordingWindow* raw = w.get();
    p().Windows(store::StoreFromFlag(store))[channel] = std::move(w);
    return raw;
  }
  // Message boxes whose text is general text n.
  int Shown(int n) { return testing_support::MessagesWithText(ui, state::Txt(p(), n)); }
  const float* W(int block) { return p().Waveform.get() + size_t(block) * size_t(p().HGW.Length); }
  const float* M(int block) { return p().Buffer.get() + size_t(block) * size_t(p().HGB.Length); }

  testing_support::TestEnv env;
  EscapeUi ui;
};

}  // namespace runtest
