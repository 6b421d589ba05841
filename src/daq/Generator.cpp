#include "daq/Generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "daq/CardState.h"
#include "daq/RunCommon.h"
#include "daq/Sampling.h"
#include "ops/ChannelTransport.h"
#include "ops/StoreChecks.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace daq {
namespace {

constexpr const char* kShapeText =
    "Tvar generátoru nelze vykreslit: za periodu nepostoupí ani o jeden vzorek";
// Beyond this many samples per period the sample arithmetic would leave int64.
constexpr double kMaxPeriod = 1e15;
constexpr uint32_t kDacDepth = 131072;
constexpr float kLeaveOutput = -100.0f;

enum Outputs { OnlyA = 0, OnlyB = 1, Both = 2 };

int UsedOutputs(const state::Program& p) {
  int o = p.MGlobals.GenOutputs;
  return o == OnlyB || o == Both ? o : OnlyA;
}
bool UsesA(int o) { return o == OnlyA || o == Both; }
bool UsesB(int o) { return o == OnlyB || o == Both; }

std::string Caption(const char* format, int32_t status) {
  char text[120];
  std::snprintf(text, sizeof text, format, int(status));
  return text;
}

void DriverFailure(state::Program& p, const char* format, int32_t status) {
  state::Mess(p, kGeneratorErrorText, Caption(format, status));
}

// Number of integers k >= 0 with k < limit.
int64_t CountBelow(double limit) { return limit > 0.0 ? int64_t(std::ceil(limit)) : 0; }

// The phase the drawing starts from: above the period it counts as 0; a
// negative one is taken modulo the period (the same picture, and no
// endless run-up of skipped samples).
double StartPhase(const store::M_s& m) {
  double period = m.GenPeriod, phase = m.GenPhase;
  if (!std::isfinite(phase) || phase > period) return 0.0;
  if (phase < 0.0) phase = std::fmod(phase, period) + period;
  return phase;
}

struct Writer {
  float* x;
  int64_t n;
  int combine;
  void operator()(int64_t i, float v) const {
    if (i < 0 || i >= n) return;
    if (combine == 1)
      x[i] += v;
    else if (combine == 2)
      x[i] -= v;
    else
      x[i] = v;
  }
};

bool ShapeAdvances(const store::M_s& m) {
  const double period = m.GenPeriod;
  switch (m.GenShape) {
    case 0: {
      if (!std::isfinite(period) || !std::isfinite(m.GenDuty) || std::fabs(period) > kMaxPeriod ||
          std::fabs(m.GenDuty) > kMaxPeriod)
        return false;
      return CountBelow(period - m.GenDuty) + CountBelow(m.GenDuty) > 0;
    }
    case 1:
      return std::isfinite(period) && period >= 2.0 && period <= kMaxPeriod;
    case 2:
      return std::isfinite(period) && period > 0.0 && period <= kMaxPeriod;
    case 3:
      return true;
    default:
      return false;
  }
}

}  // namespace

store::Store GeneratorStore(const state::Program& p) {
  return p.MGlobals.GenStore == 0 ? store::Store::W : store::Store::M;
}

bool DrawShape(const store::M_s& m, float* samples, int64_t n) {
  if (!ShapeAdvances(m)) return false;
  if (n <= 0) return true;
  const int combine = m.GenCombine == 1 || m.GenCombine == 2 ? m.GenCombine : 0;
  const Writer put{samples, n, combine};
  const double period = m.GenPeriod;
  const float a = m.GenLevelA, b = m.GenLevelB;
  switch (m.GenShape) {
    case 0: {
      const int64_t low = CountBelow(period - m.GenDuty), high = CountBelow(m.GenDuty);
      int64_t i = int64_t(StartPhase(m) - period);
      while (i < n) {
        for (int64_t j = std::max<int64_t>(i, 0); j < std::min(i + low, n); ++j) put(j, a);
        i += low;
        for (int64_t j = std::max<int64_t>(i, 0); j < std::min(i + high, n); ++j) put(j, b);
        i += high;
      }
      break;
    }
    case 1: {
      const double half = period * 0.5;
      const double step = (double(a) - b) / half;
      const int64_t rise = int64_t(half);
      int64_t i = int64_t(StartPhase(m) - period);
      while (i < n) {
        for (int64_t j = std::max<int64_t>(i, 0); j < std::min(i + rise, n); ++j)
          put(j, float(double(j - i + 1) * step + b));  // k = 1 .. rise
        i += rise;
        for (int64_t j = std::max<int64_t>(i, 0); j < std::min(i + rise, n); ++j)
          put(j, float(double(rise - 1 - (j - i)) * step + b));  // k = rise - 1 .. 0
        i += rise;
      }
      break;
    }
    case 2: {
      const double w = 6.2831855 / period;
      int64_t k = int64_t(period - StartPhase(m));
      for (int64_t i = 0; i < n; ++i, ++k) put(i, float(std::sin(double(k) * w) * a + b));
      break;
    }
    case 3:
      for (int64_t i = 0; i < n; ++i) put(i, a);
      break;
  }
  return true;
}

int VypocetGeneratoru(state::Program& p, int channel, bool ask) {
  if (channel != 0 && channel != 1) return 0;
  const store::Store s = GeneratorStore(p);
  if (!state::MemOK(p, s, true) || !p.M) return 0;
  const store::M_s& m = p.M[size_t(channel)];
  if (!ShapeAdvances(m)) {
    state::Mess(p, kShapeText, state::Txt(p, 13));
    return 0;
  }
  store::Header_s& h = p.Header(s);
  if (!h.ChannelOn[channel]) {
    if (ask && !p.MacGoing && state::AskT(p, 1054, 15) != platform::Answer::Yes) return 0;
    int first = -1;
    for (int ch = 0; ch < store::kChannels && first < 0; ++ch)
      if (h.ChannelOn[ch]) first = ch;
    if (first < 0) {
      state::MessT(p, channel == 0 ? 1454 : 1455, 14);
      return 0;
    }
    // The copy is made without its questions, so its refusal for want of
    // room would go unsaid: say it here.
    if ((int64_t(state::ActiveChannels(p, s)) + 1) * h.Length > ops::StoreCapacity(p, s)) {
      state::MessT(p, 338, 11);
      return 0;
    }
    if (!ops::ChanelTransportUtil(p, s, first, channel, false)) return 0;
    int start = state::Pocatek(p, s, channel);
    if (start >= 0) std::fill(p.Samples(s) + start, p.Samples(s) + start + h.Length, 0.0f);
  }
  const int start = state::Pocatek(p, s, channel);
  const int32_t capacity = store::IsW(s) ? p.PW : p.PM;
  if (start < 0 || h.Length <= 0 || double(start) + h.Length > double(capacity)) return 0;
  // Unusable shape parameters draw nothing: not a computed generator.
  return DrawShape(m, p.Samples(s) + start, h.Length) ? 1 : 0;
}

int GenPis(state::Program& p, int output, bool show, std::string* report) {
  const store::Store s = GeneratorStore(p);
  const int ch = output ? 0 : 1;
  if (!state::MemOK(p, s) || !p.Header(s).ChannelOn[ch]) {
    state::MessT(p, output ? 1454 : 1455, 14);
    return 0;
  }
  const store::Header_s& h = p.Header(s);
  const double frequency = 1.0 / double(p.Channels(s)[ch].Step);
  if (!std::isfinite(frequency) || !(frequency >= 2.0)) {
    state::MessT(p, 1458, 14);
    return 0;
  }
  CardState& c = Card(p);
  c.DA_frequency = frequency;
  std::vector<uint32_t>& mine = output ? c.DA_BufferA : c.DA_BufferB;
  std::vector<uint32_t>& other = output ? c.DA_BufferB : c.DA_BufferA;
  std::vector<uint32_t>().swap(mine);
  if (h.Length != c.DA_Size) std::vector<uint32_t>().swap(other);
  c.DA_Size = h.Length;
  const int start = state::Pocatek(p, s, ch);
  const int32_t capacity = store::IsW(s) ? p.PW : p.PM;
  const double bytes = double(h.Length) * sizeof(uint32_t);
  if (h.Length <= 0 || start < 0 || double(start) + h.Length > double(capacity) ||
      (p.AllocationLimit >= 0 && p.TotalDataAlloc + bytes > p.AllocationLimit)) {
    state::MessT(p, 1419, 14);
    return 0;
  }
  mine.resize(size_t(h.Length));
  const float* x = p.Samples(s) + start;
  for (size_t i = 0; i < mine.size(); ++i) mine[i] = DacCode(x[i]);
  std::string text =
      state::TxtF(p, 1420, {int(p.MGlobals.GenStore), output ? 1 : 2, long(c.DA_Size), c.DA_frequency});
  if (show) state::Mess(p, text, state::Txt(p, 11));
  if (report) *report = std::move(text);
  return 1;
}

bool GeneratorSamplesMissing(const state::Program& p) {
  CardState& c = Card(const_cast<state::Program&>(p));
  int o = UsedOutputs(p);
  return (UsesA(o) && c.DA_BufferA.empty()) || (UsesB(o) && c.DA_BufferB.empty());
}

int ConfigureCircleGenerate(state::Program& p) {
  CardState& c = Card(p);
  const int o = UsedOutputs(p);
  const std::string tooMany = state::TxtF(p, 1474, {unsigned(c.DA_send_samples)});
  if (p.MGlobals.GenCyclic) {
    if ((o == Both && c.DA_send_samples > kDacDepth / 2) || (o != Both && c.DA_send_samples > kDacDepth)) {
      state::Mess(p, tooMany, state::Txt(p, 13));
      return 0;
    }
    if (c.DA_send_samples < 2) {
      state::MessT(p, 1475, 13);
      return 0;
    }
  }
  // Never more than the output buffers hold.
  size_t send = c.DA_send_samples;
  if (UsesA(o)) send = std::min(send, c.DA_BufferA.size());
  if (UsesB(o)) send = std::min(send, c.DA_BufferB.size());

  if (o == Both) {
    c.iret = c.fn.Td_Config_Generating(c.PHandleKarty, 0, 0, 0, 2);
    if (c.iret == 0) c.iret = c.fn.Td_Config_Generating(c.PHandleKarty, 1, 0, 1, 2);
  } else {
    c.iret = c.fn.Td_Config_Generating(c.PHandleKarty, o == OnlyA ? 0 : 1, 0, 0, 1);
  }
  if (c.iret != 0) {
    DriverFailure(p, "Td_Config_Generating %d", c.iret);
    return 0;
  }
  c.DA_period = 0;
  c.iret = c.fn.Td_Config_Timing_Generating(c.PHandleKarty, &c.DA_frequency, &c.DA_period);
  if (c.iret != 0) {
    DriverFailure(p, "Td_Config_Timing_Generating %d", c.iret);
    return 0;
  }
  const int32_t cyclic = p.MGlobals.GenCyclic ? 1 : 0, synchronous = p.MGlobals.GenSynchro == 1 ? 1 : 0;
  c.iret = c.fn.Td_Config_Generating_Mode(c.PHandleKarty, 2, cyclic, synchronous);
  if (c.iret != 0) {
    c.fn.Td_Stop_Acquisition(c.PHandleKarty);
    c.iret = c.fn.Td_Config_Generating_Mode(c.PHandleKarty, 2, cyclic, synchronous);
    if (c.iret != 0) {
      DriverFailure(p, "Td_Config_Generating_Mode %d", c.iret);
      return 0;
    }
  }
  const uint32_t* words = nullptr;
  size_t count = send;
  if (o == Both) {
    c.DA_BufferAB.resize(2 * send);
    for (size_t i = 0; i < send; ++i) {
      c.DA_BufferAB[2 * i] = c.DA_BufferA[i];
      c.DA_BufferAB[2 * i + 1] = c.DA_BufferB[i];
    }
    words = c.DA_BufferAB.data();
    count = 2 * send;
  } else {
    words = o == OnlyA ? c.DA_BufferA.data() : c.DA_BufferB.data();
  }
  int32_t sent = 0;
  c.iret = c.fn.Td_Set_Buffer_Data(c.PHandleKarty, words, int32_t(count), &sent);
  if (c.iret != 0) {
    DriverFailure(p, "Td_Set_Buffer_Data %d", c.iret);
    return 0;
  }
  c.DA_number_of_sended = uint32_t(std::max(sent, 0));
  for (int poll = 1; poll <= 20; ++poll) {
    if (p.plat.clock) p.plat.clock->SleepMs(100);
    int32_t loaded = 0;
    c.iret = c.fn.Td_Get_Generating_Status(c.PHandleKarty, 2, &loaded);
    if (c.iret != 0) {
      DriverFailure(p, "Td_Get_Generating_Status %d", c.iret);
      return 0;
    }
    if (loaded == int32_t(c.DA_number_of_sended) || loaded >= int32_t(kDacDepth)) return 1;
  }
  state::Mess(p, tooMany, state::Txt(p, 13));
  return 0;
}

int BOARD_DA_Generator_Start(state::Program& p) {
  if (Simulating(p)) return 0;
  CardState& c = Card(p);
  if (c.DA_going) {
    state::MessT(p, 1416, 13);
    return 0;
  }
  if (GeneratorSamplesMissing(p)) {
    state::MessT(p, 1421, 13);
    return 0;
  }
  if (!c.Driver_Inicializovan) {
    state::MessT(p, 1417, 13);
    return 0;
  }
  c.DA_send_samples = uint32_t(std::max(c.DA_Size, 0));
  p.ui().SetCursor("AQT");
  if (!ConfigureCircleGenerate(p)) {
    p.ui().SetCursor("");
    state::MessT(p, 1449, 13);
    return 0;
  }
  c.iret = c.fn.Td_Start_Generating(c.PHandleKarty);
  p.ui().SetCursor("");
  if (c.iret != 0) {
    // Not running: saying so keeps DA_going honest.
    DriverFailure(p, "Td_Start_Generating %d", c.iret);
    return 0;
  }
  c.DA_going = 1;
  return 1;
}

int BOARD_DA_Generator_Stop(state::Program& p) {
  if (Simulating(p)) return 0;
  CardState& c = Card(p);
  if (!c.Driver_Inicializovan) {
    state::MessT(p, 1417, 13);
    return 0;
  }
  if (!c.DA_going) {
    state::MessT(p, 1459, 13);
    return 0;
  }
  c.fn.Td_Stop_Generating(c.PHandleKarty);
  c.DA_going = 0;
  c.fn.Td_Config_Generating_Mode(c.PHandleKarty, 1, 0, 0);
  const int o = UsedOutputs(p);
  if (p.MGlobals.GenRestA != kLeaveOutput && UsesA(o)) {
    c.DAC_val[0] = p.MGlobals.GenRestA;
    BOARD_DA_Out(p, 0);
  }
  if (p.MGlobals.GenRestB != kLeaveOutput && UsesB(o)) {
    c.DAC_val[1] = p.MGlobals.GenRestB;
    BOARD_DA_Out(p, 1);
  }
  return 1;
}

void StartGenerate(state::Program& p) {
  if (!p.BoardPresent) {
    state::MessT(p, 1447, 11);
  } else if (p.DG.Simulation) {
    state::MessT(p, 1448, 11);
  } else if (p.MGlobals.GenSynchro == 1) {
    state::MessT(p, 1453, 11);
  } else {
    BOARD_DA_Generator_Start(p);
  }
}

void InstallGenerator(state::Program& p) {
  CardState& c = Card(p);
  if (!c.GeneratorStart) c.GeneratorStart = [](state::Program& q) { return BOARD_DA_Generator_Start(q); };
  if (!c.GeneratorStop) c.GeneratorStop = [](state::Program& q) { return BOARD_DA_Generator_Stop(q); };
}

}  // namespace daq
