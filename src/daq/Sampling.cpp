#include "daq/Sampling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "daq/CardState.h"
#include "daq/Driver.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace daq {
namespace {

// Words per Td_Get_Buffer_Data call of a block transfer: large enough that a
// fast card is drained in few calls, small enough to keep Esc responsive.
constexpr size_t kChunkWords = 65536;
// A card that stops delivering in the middle of a block would otherwise hold
// the program in the transfer loop forever.
constexpr uint32_t kStallMs = 5000;

inline int16_t Code(uint32_t word) { return int16_t(int32_t(word & 0xFFFFu) - 32768); }

uint32_t Now(state::Program& p) { return p.plat.clock ? p.plat.clock->TickMs() : 0; }
void Sleep(state::Program& p, uint32_t ms) {
  if (p.plat.clock) p.plat.clock->SleepMs(ms);
}

// Configures the scan list position by position; false on the first refusal.
bool ConfigureScan(CardState& c) {
  for (uint32_t i = 0; i < c.pocet_kanalu; ++i) {
    c.iret = c.fn.Td_Config_Acquisition(c.PHandleKarty, c.IChannelMux[i], c.IChannelGain[i], int32_t(i),
                                        int32_t(c.pocet_kanalu));
    if (c.iret != 0) return false;
  }
  return true;
}

void ReadFailure(state::Program& p, const char* text, const char* caption, int32_t status) {
  state::Mess(p, text, StatusCaption(caption, status));
}

}  // namespace

void SetRequests(state::Program& p) {
  CardState& c = Card(p);
  for (int ch = 0; ch < kRequestSize; ++ch) {
    bool on = p.MG.Acquire[ch] != 0;
    c.TED_Rec[ch] = on ? 1.0f : 0.0f;
    c.TED_Gain[ch] = on && p.A ? float(p.A[size_t(ch)].RangeIndex) : 0.0f;
  }
  if (p.A) c.TED_SamplePeriod = p.RefA().WPeriod;
}

uint32_t BuildScanList(state::Program& p) {
  CardState& c = Card(p);
  uint32_t n = 0;
  for (int ch = 0; ch < kScanSize; ++ch) {
    if (c.TED_Rec[ch] == 0.0f) continue;
    float g = c.TED_Gain[ch] - 1.0f;
    int32_t range = std::isfinite(g) && std::fabs(g) < 1e6f ? int32_t(g) : 0;
    int32_t input = ch;
    if (range == 10) {
      input = 256;
      range = 0;
    } else if (range == 11) {
      input = 257;
      range = 0;
    }
    c.IChannelMux[n] = input;
    c.IChannelGain[n] = range;
    ++n;
  }
  c.pocet_kanalu = n;
  return n;
}

int ScanPosition(const state::Program& p, int channel) {
  if (channel < 0 || channel >= kScanSize) return -1;
  CardState& c = Card(const_cast<state::Program&>(p));
  if (c.TED_Rec[channel] == 0.0f) return -1;
  int pos = 0;
  for (int ch = 0; ch < channel; ++ch)
    if (c.TED_Rec[ch] != 0.0f) ++pos;
  return pos;
}

int StartSampling(state::Program& p) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (c.Driver_Inicializovan) StopSampling(p);
  InitDriver(p);
  if (!c.Driver_Inicializovan) return 0;  // InitDriver told the user why

  BuildScanList(p);
  if (!ConfigureScan(c)) return 0;
  for (int counter = 0; counter < 2; ++counter) {
    c.iret = c.fn.Td_Config_ScanCounter(c.PHandleKarty, 1, counter);
    if (c.iret != 0) {
      ReadFailure(p, "Chyba v konfiguraci casovace zarizeni", "Chyba Td_Config_ScanCounter %d", c.iret);
      return 0;
    }
  }
  c.period = 0;
  c.frequency = 1000.0 / double(c.TED_SamplePeriod);
  if (!(c.frequency >= 10.0) || !std::isfinite(c.frequency)) c.frequency = 10.0;
  char text[120];
  std::snprintf(text, sizeof text, "Chyba v nastaveni vzorkovaci frekvence : %7.1f Hz", c.frequency);
  c.iret = c.fn.Td_Config_Timing_Acquisition(c.PHandleKarty, &c.frequency, &c.period);
  if (c.iret != 0) {
    state::Mess(p, text, "Chyba Start Sampling : Td_Config_Ai_Timing ");
    return 0;
  }
  if (p.A) p.A[0].WPeriod = float(c.period * 1000.0);

  if (p.MGlobals.GenSynchro == 1 && !c.DA_going) {
    if (c.GeneratorStart) c.GeneratorStart(p);
    if (!c.DA_going) {
      c.fn.Td_Stop_Acquisition(c.PHandleKarty);
      if (c.GeneratorStart) c.GeneratorStart(p);
    }
    if (!c.DA_going) {
      state::Mess(p, "Nelze spustit synchronní DAC", "Chyba DAC");
      return 0;
    }
  }

  return StartAcquisitionOrClose(p, 2, "Nelze odstartovat rychle mereni v procedure StartSampling ");
}

int StopSampling(state::Program& p) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (c.fn.Td_Stop_Acquisition && c.Driver_Inicializovan) c.fn.Td_Stop_Acquisition(c.PHandleKarty);
  c.ScanMode = 0;
  if (c.DA_going && p.MGlobals.GenSynchro == 1 && c.GeneratorStop) c.GeneratorStop(p);
  return 1;
}

int BOARD_StartSamplingINT(state::Program& p, long) { return StartSampling(p) ? 1 : 0; }
int BOARD_StartSampling_FIFO(state::Program& p) { return StartSampling(p); }
int BOARD_StopSamplingINT(state::Program& p) { return StopSampling(p); }

int BOARD_GetData(state::Program& p, std::span<int16_t> out, int16_t, uint16_t) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (!c.Driver_Inicializovan) return 0;
  int32_t waiting = 0;
  c.iret = c.fn.Td_Get_Buffer_Status(c.PHandleKarty, &waiting);
  if (c.iret != 0) {
    ReadFailure(p, "Chyba pri detekci poctu merenych kanalu", "Chyba Td_Get_Buffer_Status %d", c.iret);
    CloseDriver(p);
    InitDriver(p);
    return kReadRecovered;
  }
  uint32_t n = c.pocet_kanalu;
  if (n == 0 || waiting < int32_t(n)) return 0;
  int32_t got = int32_t(n);
  c.iret = c.fn.Td_Get_Buffer_Data(c.PHandleKarty, c.Data, int32_t(n), &got);
  if (c.iret != 0 || got < int32_t(n)) {
    // A short delivery would shift every later scan by the missing words.
    ReadFailure(p, "Chyba pri cteni vzorku z bufferu, bude provedena inicializace driveru",
                "Chyba Td_Get_Buffer_Data %d", c.iret);
    CloseDriver(p);
    InitDriver(p);
    return kReadRecovered;
  }
  size_t m = std::min<size_t>(n, out.size());
  for (size_t i = 0; i < m; ++i) out[i] = Code(c.Data[i]);
  return 1;
}

int BOARD_GetData_FIFO(state::Program& p, std::span<int16_t> out, long count, int16_t) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (!StartSampling(p)) return 0;
  if (!c.Driver_Inicializovan) return 0;
  const size_t n = c.pocet_kanalu;
  if (n == 0 || count <= 0) {
    StopSampling(p);
    return 1;
  }
  // Never more than the caller's buffer holds, whatever was asked for.
  const size_t scans = std::min<size_t>(size_t(count), out.size() / n);
  const size_t total = scans * n;

  uint32_t start = Now(p);
  while (p.ui().InputPending() && Now(p) - start < 1000) Sleep(p, 1);
  Sleep(p, 1);

  const double scanMs = c.frequency > 0 ? 1000.0 / c.frequency : 100.0;
  const uint32_t stallMs = kStallMs + uint32_t(std::min(20.0 * scanMs, 600000.0));
  int result = 1;
  size_t stored = 0;
  uint32_t lastProgress = Now(p);
  while (stored < total) {
    if (p.ui().EscapePressed()) {
      p.INTERRUPT = 1;
      result = 0;
      break;
    }
    int32_t waiting = 0;
    c.iret = c.fn.Td_Get_Buffer_Status(c.PHandleKarty, &waiting);
    if (c.iret != 0) {
      ReadFailure(p, "Chyba pri cteni vzorku z bufferu, provedte inicializaci driveru",
                  "Chyba Td_Get_Buffer_Status %d", c.iret);
      result = 0;
      break;
    }
    // At least one whole scan waiting: reading it is safe. (Waiting for
    // strictly more would hang when the card stops after the last scan.)
    if (waiting >= int32_t(n)) {
      size_t want = std::min({size_t(waiting), total - stored, kChunkWords});
      if (c.Transfer.size() < want) c.Transfer.resize(want);
      int32_t got = int32_t(want);
      c.iret = c.fn.Td_Get_Buffer_Data(c.PHandleKarty, c.Transfer.data(), int32_t(want), &got);
      if (c.iret != 0) {
        ReadFailure(p, "Chyba pri cteni vzorku z bufferu, provedte inicializaci driveru",
                    "Chyba Td_Get_Buffer %d", c.iret);
        result = 0;
        break;
      }
      // The driver's own count is believed only within what was asked for.
      size_t delivered = got <= 0 ? 0 : std::min(size_t(got), want);
      const uint32_t* words = c.Transfer.data();
      int16_t* dst = out.data() + stored;
      for (size_t i = 0; i < delivered; ++i) dst[i] = Code(words[i]);
      stored += delivered;
      if (delivered) {
        lastProgress = Now(p);
        continue;
      }
    }
    if (Now(p) - lastProgress > stallMs) {
      ReadFailure(p, "Chyba pri cteni vzorku z bufferu, provedte inicializaci driveru",
                  "Chyba Td_Get_Buffer_Status %d", c.iret);
      result = 0;
      break;
    }
    Sleep(p, waiting >= int32_t(n) ? 0 : 1);
  }
  StopSampling(p);
  return result;
}

int BOARD_SW_GetData(state::Program& p, std::span<int16_t> out, int16_t, uint16_t) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (c.Driver_Inicializovan && c.ScanMode == 1) {
    // An open driver in single-scan mode is used as it is, unless its scan
    // list is not the one asked for now (the card test's default scan, or
    // another selection): then its words would land on the wrong channels.
    int32_t mux[kScanSize], gain[kScanSize];
    std::copy(c.IChannelMux, c.IChannelMux + kScanSize, mux);
    std::copy(c.IChannelGain, c.IChannelGain + kScanSize, gain);
    uint32_t oldN = c.pocet_kanalu;
    uint32_t n = BuildScanList(p);
    bool same =
        oldN == n && std::equal(mux, mux + n, c.IChannelMux) && std::equal(gain, gain + n, c.IChannelGain);
    if (!same) {
      StopSampling(p);
    }
  } else if (c.Driver_Inicializovan) {
    StopSampling(p);  // continuous scanning is not a single scan
  }
  if (!c.Driver_Inicializovan || c.ScanMode != 1) {
    InitDriver(p);
    if (!c.Driver_Inicializovan) return 0;
    BuildScanList(p);
    if (!ConfigureScan(c)) {
      StopSampling(p);
      return 0;
    }
    c.iret = c.fn.Td_Start_Acquisition(c.PHandleKarty, 1);
    if (c.iret != 0) {
      int32_t status = c.iret;
      StopSampling(p);
      state::Mess(p, "Nelze odstartovat pomale mereni",
                  StatusCaption("Chyba Td_Start_Acquisition(1) %d", status));
      return 0;
    }
    c.ScanMode = 1;
    Sleep(p, 1);
  }
  uint32_t n = c.pocet_kanalu;
  if (n == 0) return 1;
  c.iret = c.fn.Td_Get_SingleAcquisition(c.PHandleKarty, c.Data, int32_t(n));
  if (c.iret != 0) {
    int32_t status = c.iret;
    StopSampling(p);
    state::Mess(p, "Nelze precist vzorek z analogovych vstupu", StatusCaption("Chyba Td_Get_AI %d", status));
    return 0;
  }
  uint32_t k = 0;
  for (int ch = 0; ch < kScanSize && k < n; ++ch) {
    if (c.TED_Rec[ch] == 0.0f) continue;
    if (size_t(ch) < out.size()) out[size_t(ch)] = Code(c.Data[k]);
    ++k;
  }
  return 1;
}

int BOARD_GetDigIn(state::Program& p, int16_t) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  InitDriver(p);
  if (!c.Driver_Inicializovan) return 0;
  uint32_t word = 0;
  c.fn.Td_Get_DI(c.PHandleKarty, 0, &word, 1);
  return int(word & 0xFFFFu);
}

void BOARD_PutDigOut(state::Program& p, uint16_t value, int16_t) {
  if (p.DG.Simulation) return;
  CardState& c = Card(p);
  InitDriver(p);
  if (!c.Driver_Inicializovan) return;
  uint32_t word = value > 255 ? 255 : value;
  c.fn.Td_Set_DO(c.PHandleKarty, 0, &word, 1);
}

uint32_t DacCode(float volts) {
  double code = (double(volts) + 10.0) * 204.8;
  if (!(code > 0.0)) return 0;  // also NaN
  if (code >= 4095.0) return 4095;
  return uint32_t(code);
}

void BOARD_DA_Out(state::Program& p, int16_t output) {
  if (p.DG.Simulation || (output != 0 && output != 1)) return;
  CardState& c = Card(p);
  InitDriver(p);
  if (!c.Driver_Inicializovan) return;
  uint32_t codes[2] = {DacCode(c.DAC_val[0]), DacCode(c.DAC_val[1])};
  c.iret = c.fn.Td_Set_AO(c.PHandleKarty, 0, codes, 2);
  if (c.iret != 0)
    state::Mess(p, "Chyba v nastaveni prevodniku ", StatusCaption("Chyba Td_Set_AO %d", c.iret));
}

void TRV_SetDA(state::Program& p, int16_t) {
  CardState& c = Card(p);
  if (!p.A) return;
  c.DAC_val[0] = p.RefA().DA1Value;
  c.DAC_val[1] = p.RefA().DA2Value;
  BOARD_DA_Out(p, 0);
}

void TRV_PutDigOut(state::Program& p, uint16_t value) {
  BOARD_PutDigOut(p, value, p.A ? p.RefA().BaseAddress : int16_t(0));
}

int TRV_GetDigIn(state::Program& p) { return BOARD_GetDigIn(p, p.A ? p.RefA().BaseAddress : int16_t(0)); }

bool ReadDigitalInputs(state::Program& p, int& word) {
  // Without a card the main loop polls the simulated input, not the loader:
  // trying to load a missing library every tick would repeat its message.
  if (Simulating(p)) {
    word = 1;
    return true;
  }
  CardState& c = Card(p);
  word = TRV_GetDigIn(p);
  return c.Driver_Inicializovan != 0;
}

float BOARD_SetSamplePeriod(state::Program&, int, float period, int, uint16_t, int16_t) { return period; }
float Board_SetSamplePeriod(state::Program&, float period) { return period; }
void BOARD_SetGain(state::Program&) {}
void BOARD_SetChanel(state::Program&) {}
void OverPreiodu(state::Program&) {}
void cti_data(state::Program&) {}
int Get_HalfBuf(state::Program&) { return 1; }

}  // namespace daq
