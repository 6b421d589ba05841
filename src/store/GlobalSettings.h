// Global settings records (`MG`, `PG`, `DG`, `WG`, `JG`), stored in job files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/Records.h"

namespace store {

// Size of a path field (260).
inline constexpr int kPathSize = 260;

#pragma pack(push, 1)

// Measurement-run settings.
struct MG_s {
  int32_t RunFlag1;
  int32_t RunFlag2;
  int16_t RefChannelM1;
  int32_t Acquire[kChannels];
  int32_t WDisplay[kChannels];
  int32_t MDisplay[kChannels];
};

// Program and acquisition options.
struct PG_s {
  int32_t Sound;
  int32_t WWindows;  // W graph windows were open at the last save
  int32_t MWindows;
  // Weights of the store ("D", data) and of the file ("F") in the W / M weighted store ⊕ file algebra.
  float WLCD, WLCF, MLCD, MLCF;
  char MacroName[kPathSize];
  int16_t MacroStatement;
  int16_t MacroRepeat;
  int16_t MacroBlock;
  uint8_t Reserved294[2];
  int32_t WLeft, WRight, MLeft, MRight;
  float WUpper, WLower, MUpper, MLower;
  int16_t RefChannel;  // 1-based index into `A`
  int16_t MemoryMode;  // kPgMemory* bits
  float MTimeScale;
  uint8_t Reserved336[2];
  float UserTimeFactor;
  uint8_t Reserved342[22];
  int16_t Flags;  // kPg* bits, all in the low byte
  uint8_t Reserved366[2];
  // Number of repetitions of a waveform run.
  int16_t QWRepeatCount;
  uint8_t Reserved370[10];
};

// `PG_s::MemoryMode` bits.
inline constexpr int16_t kPgMemoryWave = 0x01;  // the waveform store exists
inline constexpr int16_t kPgMemoryMeas = 0x02;  // the measurement store exists

// `PG_s::Flags` bits.
inline constexpr int16_t kPgKeepInterrupted = 0x04;  // an interrupted acquisition keeps its samples
inline constexpr int16_t kPgSmoothAfterRun = 0x08;   // smooth channels with a SmoothWidth after a run
inline constexpr int16_t kPgFitMeasurement = 0x10;   // M store cleared at start, cut to the points taken
inline constexpr int16_t kPgAskShortenLive = 0x20;   // ask whether an interrupted live record is cut
inline constexpr int16_t kPgExternalStart = 0x40;    // external start of waveform runs enabled
inline constexpr int16_t kPgExternalSave = 0x80;     // each external start writes the next QW_ file

// Windows LOGFONT image used by the drawing functions.
struct FontRecord_s {
  int32_t Height, Width, Escapement, Orientation, Weight;
  uint8_t Italic, Underline, StrikeOut, CharSet, OutPrecision, ClipPrecision, Quality, PitchAndFamily;
  char FaceName[32];
};

// Directories, file templates, memory budget, language and interface options.
struct DG_s {
  char WaveMask[kPathSize];
  char MeasMask[kPathSize];
  char WaveWorkFile[kPathSize];
  char MeasWorkFile[kPathSize];
  char WaveExtMask[6];
  char MeasExtMask[6];
  char WaveTextMask[6];
  char MeasTextMask[6];
  char SetupMask[kPathSize];
  uint8_t Reserved1324[6];
  char MacroMask1[kPathSize];
  char MacroMask2[kPathSize];
  uint8_t Reserved1850[6];
  char MacroMask3[kPathSize];
  uint8_t Reserved2116[6];
  // External start of waveform runs by a digital input: file mask, counter, edge mode, last input seen.
  char ExtMask[kPathSize];
  char JobMask[kPathSize];
  char JobFile[kPathSize];
  uint8_t Reserved2902[266];
  // The command text buffer: the line (or arguments) the interpreter reads.
  char NameQueue[60];
  int32_t TotalSamples;
  int32_t MaxLength;
  uint8_t Reserved3236[292];
  int32_t MainX, MainY;
  uint8_t Reserved3536[8];
  int32_t Simulation;
  int32_t Language;  // 0 English, non-zero Czech
  int32_t FixedScaleFont;
  FontRecord_s Font;
  uint8_t Reserved3616[4];
};

// Fixed working file names, kept in WORK_FIX.JOB.
struct WG_s {
  char LastWaveFile[kPathSize];
  char LastMeasFile[kPathSize];
  char WaveWorkFile[kPathSize];
  char MeasWorkFile[kPathSize];
  char FunctionFile[kPathSize];
  char ModifyMask[kPathSize];
  char ModifyFile[kPathSize];
  char MacroFile[kPathSize];
  char MacroMask[kPathSize];
  uint8_t Reserved2340[32];
  int32_t ExtStartCount;  // external starts counted (names the next save)
  int32_t ExtPrevWord;    // digital input word last seen by the external start
  int32_t ExtPrevBit;     // input bit last seen by the external start
  int32_t ExtStartMode;   // 0 bit 0 changes, 1 rises, 2 falls, 3 word changes
  uint8_t Reserved2388[4];
  int32_t LivePointsPerRefresh;
  uint8_t Reserved2396[2];
  int16_t MonitorLog;
  uint8_t Reserved2400[4];
  int16_t MonitorFormat;
};

// Job image: five opaque bytes, then copies of MG, PG and DG.
struct JG_s {
  uint8_t Head[5];
  // Measurement globals: channels acquired and shown in each store.
  MG_s MG;
  // Program globals: store limits, weights, macro position, memory mode, run options.
  PG_s PG;
  // Display / directory globals: folders, file masks, fonts, language, simulation.
  DG_s DG;
};

#pragma pack(pop)

static_assert(sizeof(MG_s) == 1546);
static_assert(offsetof(MG_s, RefChannelM1) == 8);
static_assert(offsetof(MG_s, Acquire) == 10);
static_assert(offsetof(MG_s, WDisplay) == 522);
static_assert(offsetof(MG_s, MDisplay) == 1034);

static_assert(sizeof(PG_s) == 380);
static_assert(offsetof(PG_s, WWindows) == 4);
static_assert(offsetof(PG_s, MWindows) == 8);
static_assert(offsetof(PG_s, WLCD) == 12);
static_assert(offsetof(PG_s, MacroName) == 28);
static_assert(offsetof(PG_s, MacroStatement) == 288);
static_assert(offsetof(PG_s, MacroRepeat) == 290);
static_assert(offsetof(PG_s, MacroBlock) == 292);
static_assert(offsetof(PG_s, WLeft) == 296);
static_assert(offsetof(PG_s, MRight) == 308);
static_assert(offsetof(PG_s, WUpper) == 312);
static_assert(offsetof(PG_s, MLower) == 324);
static_assert(offsetof(PG_s, RefChannel) == 328);
static_assert(offsetof(PG_s, MemoryMode) == 330);
static_assert(offsetof(PG_s, MTimeScale) == 332);
static_assert(offsetof(PG_s, UserTimeFactor) == 338);
static_assert(offsetof(PG_s, Flags) == 364);
static_assert(offsetof(PG_s, QWRepeatCount) == 368);

static_assert(sizeof(FontRecord_s) == 60);
static_assert(offsetof(FontRecord_s, FaceName) == 28);

static_assert(sizeof(DG_s) == 3620);
static_assert(offsetof(DG_s, MeasMask) == 260);
static_assert(offsetof(DG_s, WaveWorkFile) == 520);
static_assert(offsetof(DG_s, MeasWorkFile) == 780);
static_assert(offsetof(DG_s, WaveExtMask) == 1040);
static_assert(offsetof(DG_s, MeasExtMask) == 1046);
static_assert(offsetof(DG_s, WaveTextMask) == 1052);
static_assert(offsetof(DG_s, MeasTextMask) == 1058);
static_assert(offsetof(DG_s, SetupMask) == 1064);
static_assert(offsetof(DG_s, MacroMask1) == 1330);
static_assert(offsetof(DG_s, MacroMask2) == 1590);
static_assert(offsetof(DG_s, MacroMask3) == 1856);
static_assert(offsetof(DG_s, ExtMask) == 2122);
static_assert(offsetof(DG_s, JobMask) == 2382);
static_assert(offsetof(DG_s, JobFile) == 2642);
static_assert(offsetof(DG_s, NameQueue) == 3168);
static_assert(offsetof(DG_s, TotalSamples) == 3228);
static_assert(offsetof(DG_s, MaxLength) == 3232);
static_assert(offsetof(DG_s, MainX) == 3528);
static_assert(offsetof(DG_s, MainY) == 3532);
static_assert(offsetof(DG_s, Simulation) == 3544);
static_assert(offsetof(DG_s, Language) == 3548);
static_assert(offsetof(DG_s, FixedScaleFont) == 3552);
static_assert(offsetof(DG_s, Font) == 3556);
static_assert(offsetof(DG_s, Font) + offsetof(FontRecord_s, FaceName) == 3584);

static_assert(sizeof(WG_s) == 2406);
static_assert(offsetof(WG_s, ExtStartCount) == 2372);
static_assert(offsetof(WG_s, ExtPrevWord) == 2376);
static_assert(offsetof(WG_s, ExtPrevBit) == 2380);
static_assert(offsetof(WG_s, ExtStartMode) == 2384);
static_assert(offsetof(WG_s, LivePointsPerRefresh) == 2392);
static_assert(offsetof(WG_s, MonitorLog) == 2398);
static_assert(offsetof(WG_s, MonitorFormat) == 2404);

static_assert(sizeof(JG_s) == 5551);
static_assert(offsetof(JG_s, MG) == 5);
static_assert(offsetof(JG_s, PG) == 1551);
static_assert(offsetof(JG_s, DG) == 1931);

}  // namespace store
