// Helpers of the interpreter tests: a program whose graph windows record
// their user messages, a filled waveform store, and a command line run
// through the interpreter.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "platform/WindowHost.h"
#include "state/Program.h"
#include "store/Defaults.h"
#include "support/TestSupport.h"

namespace macro_test {

struct Env : testing_support::TestEnv {
  explicit Env(int32_t samples = 65536) : TestEnv(samples) {
    prog.GraphFactory = [this](const platform::GraphWindowSpec& request) {
      return std::make_unique<testing_support::MessageLogWindow>(
          [this](int code, int arg) { sent.emplace_back(code, arg); }, request.caption);
    };
    prog.DoMess = 1;
    // Every active channel shows a window when its store's windows open.
    for (int i = 0; i < store::kChannels; ++i) prog.MG.WDisplay[i] = prog.MG.MDisplay[i] = 1;
  }

  // Runs one command line as the command dialog or a macro would.
  int Run(const std::string& line, int* status = nullptr) {
    macro::SetQueue(prog, line);
    return macro::ComInterpret(prog, false, status);
  }
  int RunInMacro(const std::string& line, int* status = nullptr) {
    prog.MacGoing = 1;
    int r = Run(line, status);
    prog.MacGoing = 0;
    return r;
  }

  // Exactly the given W channels (0-based) active, sample k of channel c = c * 1000 + k.
  void FillW(std::initializer_list<int> channels, int32_t length, float step = 0.001f) {
    dsptest::Layout(
        prog, 1, channels, length, [](int c, int k) { return float(c * 1000 + k); }, step);
  }
  // The samples of active W channel c (0-based).
  const float* W(int c) const {
    int k = 0;
    for (int i = 0; i < c; ++i) k += prog.HGW.ChannelOn[i] ? 1 : 0;
    return prog.Waveform.get() + size_t(k) * size_t(prog.HGW.Length);
  }

  // Message boxes, questions and prompts shown so far.
  int Shown(const char* kind) const {
    return int(
        std::count_if(ui.Log().begin(), ui.Log().end(), [&](const auto& s) { return s.kind == kind; }));
  }
  int Messages() const { return Shown("message"); }
  int Questions() const { return Shown("question"); }
  int Prompts() const { return Shown("prompt"); }

  std::vector<std::pair<int, int>> sent;
};

}  // namespace macro_test
