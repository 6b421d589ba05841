// Per-input-channel acquisition settings (`A`) and measurement-mathematics
// records (`M`), stored in the .CAL and .FUN files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace store {

#pragma pack(push, 1)

// Acquisition settings of an input channel: calibration, run lengths, periods, outputs.
struct A_s {
  char Name[30];
  float CalValue1, CalValue2;
  float CalInput1, CalInput2;
  int16_t RangeIndex;
  char Unit[20];
  int16_t PrefixCode;
  float MPeriod;  // seconds between measurement points
  int32_t MLength;
  int32_t MRepeat;
  int32_t MTrigger;
  int32_t MScroll;
  float MRefresh;
  int32_t MStore;
  int32_t MEvent;
  int32_t MBefore;   // pre-trigger points
  float MMax, MMin;  // event window (trigger levels)
  // Measurement averaging: 2^n scans per point.
  int16_t MAverageExp;
  int32_t MSpike;
  // Measurement started by a digital input.
  int32_t MDITrigger;
  float TraceMax, TraceMin;
  float WRepeatPeriod;  // seconds
  float WPeriod;        // sampling period, ms
  int32_t WLength;
  uint8_t Reserved144[4];
  int32_t WRepeat;
  uint8_t Flags152;  // kAAccumulate, kAMRefreshOn, kAAutoSave
  uint8_t Flags153;  // kANotAnalogInput, kAWLive, kARedrawRepeats
  uint8_t Reserved154[2];
  int32_t WAverage;
  // Combined run: waveform records stored as measurement points.
  int32_t Combi;
  int16_t WToMCode;
  uint8_t Reserved166[2];
  int16_t BaseAddress;
  uint8_t Reserved170[6];
  int16_t DOValue;
  int16_t DIValue;
  float DA1Max, DA1Min, DA1Value;
  float DA2Max, DA2Min, DA2Value;
  int16_t SmoothWidth;
  uint8_t Reserved206[2];
};

// `A_s::Flags152` bits.
inline constexpr uint8_t kAAccumulate = 0x01;  // WAdd: add into the store instead of overwriting
inline constexpr uint8_t kAMRefreshOn = 0x40;  // periodic refreshes of the measurement windows
inline constexpr uint8_t kAAutoSave = 0x80;    // the measurement store is saved every 600 s

// `A_s::Flags153` bits.
inline constexpr uint8_t kANotAnalogInput = 0x04;  // not counted as an analog input
inline constexpr uint8_t kAWLive = 0x20;           // waveform runs are done by the live window
inline constexpr uint8_t kARedrawRepeats = 0x80;   // a repeated run redraws whole windows, not the progress

// Measurement-mathematics / generator record of a channel.
struct M_s {
  uint8_t Reserved0[26];
  int16_t GenShape;    // 0 rectangle, 1 triangle, 2 sine, 3 constant
  int16_t GenCombine;  // 0 replace, 1 add, 2 subtract
  float GenLevelA;
  float GenLevelB;
  float GenPeriod;  // samples
  float GenDuty;
  float GenPhase;
  uint8_t Reserved50[84];
};

// The 32 bytes of measurement-mathematics globals stored in the .FUN file.
struct MGlobals_s {
  int32_t Reserved0;
  int16_t GenStore;
  int16_t GenOutputs;
  // Generator synchronised with the acquisition.
  int32_t GenSynchro;
  int32_t GenCyclic;
  float GenRestA;
  float GenRestB;
  uint8_t Reserved24[8];
};

#pragma pack(pop)

static_assert(sizeof(A_s) == 208);
static_assert(offsetof(A_s, CalValue1) == 30);
static_assert(offsetof(A_s, RangeIndex) == 46);
static_assert(offsetof(A_s, Unit) == 48);
static_assert(offsetof(A_s, PrefixCode) == 68);
static_assert(offsetof(A_s, MPeriod) == 70);
static_assert(offsetof(A_s, MRefresh) == 90);
static_assert(offsetof(A_s, MStore) == 94);
static_assert(offsetof(A_s, MBefore) == 102);
static_assert(offsetof(A_s, MMax) == 106);
static_assert(offsetof(A_s, MMin) == 110);
static_assert(offsetof(A_s, MAverageExp) == 114);
static_assert(offsetof(A_s, MDITrigger) == 120);
static_assert(offsetof(A_s, WRepeatPeriod) == 132);
static_assert(offsetof(A_s, WPeriod) == 136);
static_assert(offsetof(A_s, WLength) == 140);
static_assert(offsetof(A_s, WRepeat) == 148);
static_assert(offsetof(A_s, Flags152) == 152);
static_assert(offsetof(A_s, Flags153) == 153);
static_assert(offsetof(A_s, WAverage) == 156);
static_assert(offsetof(A_s, Combi) == 160);
static_assert(offsetof(A_s, WToMCode) == 164);
static_assert(offsetof(A_s, BaseAddress) == 168);
static_assert(offsetof(A_s, DOValue) == 176);
static_assert(offsetof(A_s, DA1Value) == 188);
static_assert(offsetof(A_s, DA2Value) == 200);
static_assert(offsetof(A_s, SmoothWidth) == 204);

static_assert(sizeof(M_s) == 134);
static_assert(offsetof(M_s, GenShape) == 26);
static_assert(offsetof(M_s, GenPhase) == 46);

static_assert(sizeof(MGlobals_s) == 32);
static_assert(offsetof(MGlobals_s, GenStore) == 4);
static_assert(offsetof(MGlobals_s, GenRestB) == 20);

}  // namespace store
