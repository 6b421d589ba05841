// The card layer the runs use: scan list, continuous and single-scan
// acquisition, block transfer, digital port and analog outputs. While the card
// is simulated (Simulating()) every call answers success without touching the
// card and the runs produce simulated data themselves (Simulation.h).
#pragma once

#include <cstdint>
#include <span>

namespace state {
struct Program;
}

namespace daq {

// Results of the transfer calls besides 1 and 0.
inline constexpr int kReadRecovered = 10;  // driver error; the driver was re-opened

// Fills the requests from the acquisition selection (MG.Acquire) and each
// channel's RangeIndex, and the scan period from the reference channel.
void SetRequests(state::Program& p);
// The scan list from TED_Rec/TED_Gain: channels 0..31 in ascending order;
// range codes 11 and 12 select inputs 256 and 257. Answers pocet_kanalu.
uint32_t BuildScanList(state::Program& p);
// Position of `channel` in the scan list, -1 when it is not scanned.
[[nodiscard]] int ScanPosition(const state::Program& p, int channel);

[[nodiscard]] int StartSampling(state::Program& p);
int StopSampling(state::Program& p);
[[nodiscard]] int BOARD_StartSamplingINT(state::Program& p, long ignored = 0);
[[nodiscard]] int BOARD_StartSampling_FIFO(state::Program& p);
int BOARD_StopSamplingINT(state::Program& p);

// One scan while continuous scanning runs, in scan order into out (at most
// out.size() codes): 1 stored, 0 not yet there or driver closed, 10 error.
[[nodiscard]] int BOARD_GetData(state::Program& p, std::span<int16_t> out, int16_t = 0, uint16_t = 0);
// `count` scans, scan-interleaved (all positions of scan 0, then scan 1 ...);
// never more than out.size() codes are written. 1 all arrived, 0 failed or
// Esc/Pause (INTERRUPT set).
[[nodiscard]] int BOARD_GetData_FIFO(state::Program& p, std::span<int16_t> out, long count,
                                     int16_t baseAddress = 0);
// One software-triggered scan scattered by channel: out[channel] for every
// requested channel 0..31 (only indices below out.size() are written).
[[nodiscard]] int BOARD_SW_GetData(state::Program& p, std::span<int16_t> out, int16_t = 0, uint16_t = 0);

// Digital port 0 and the analog outputs.
[[nodiscard]] int BOARD_GetDigIn(state::Program& p, int16_t baseAddress = 0);
void BOARD_PutDigOut(state::Program& p, uint16_t value, int16_t baseAddress = 0);
void BOARD_DA_Out(state::Program& p, int16_t output);
// Tarvelin's analog output, digital output and input.
void TRV_SetDA(state::Program& p, int16_t ignored = 0);
void TRV_PutDigOut(state::Program& p, uint16_t value);  // digital output
[[nodiscard]] int TRV_GetDigIn(state::Program& p);      // digital input
// The digital input word for the main loop (input waits, external start).
bool ReadDigitalInputs(state::Program& p, int& word);

// Output code of a voltage: -10 V -> 0, 0 V -> 2048, +10 V and above -> 4095.
uint32_t DacCode(float volts);

// Hooks the callers keep; they have no effect on this card.
float BOARD_SetSamplePeriod(state::Program& p, int, float period, int = 0, uint16_t = 0, int16_t = 0);
float Board_SetSamplePeriod(state::Program& p, float period);
void BOARD_SetGain(state::Program& p);
void BOARD_SetChanel(state::Program& p);
// "check the period" (kept, empty).
void OverPreiodu(state::Program& p);
// "read the data" (kept, empty).
void cti_data(state::Program& p);
// Half-buffer transfer (kept, always ready).
[[nodiscard]] int Get_HalfBuf(state::Program& p);

}  // namespace daq
