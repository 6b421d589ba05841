// Settings blocks kept in the job companions (.COL, .PRT, .FUN, .BLK). Most of
// their fields belong to the graph, printing and function code; here they are
// laid out so the files can be moved byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/Records.h"

namespace store {

inline constexpr int kViewHistory = 10;

#pragma pack(push, 1)

// Colour table `Col_` (.COL).
struct Col_s {
  uint32_t TraceColor[kChannels];  // 0x00BBGGRR
  float TimeStep[kChannels];       // fixed time-scale step, <= 1e-5 automatic
  float ValueStep[kChannels];      // fixed value-scale step, <= 0 automatic
  uint32_t Background[kChannels];
  int16_t ViewCount[kChannels];
  int16_t ViewPos[kChannels];  // -1 = none
  int32_t ViewIL[kChannels][kViewHistory];
  int32_t ViewIR[kChannels][kViewHistory];
  int16_t StripWeight[kChannels];
};

// Print record `Prt` (.PRT).
struct Prt_s {
  int16_t Width, Height;
  int16_t X, Y;
  int32_t Requested;
  int32_t Colour;
  int32_t TextSwitch1, TextSwitch2;
  int16_t ScaleFontHeight, ScaleFontWidth;
  int32_t FontFromSize;
  int16_t TextFontHeight, TextFontWidth;
  int16_t TextX, TextY;
  char TextFile[30];
};

// Function page `Fun` (.FUN).
struct Fun_s {
  int16_t Code;
  int16_t Channel;
  uint8_t Reserved4[32];
  int32_t N;
  uint8_t Reserved40[54];
};

// Calibration-from-curve record `Kal` (.FUN).
struct Kal_s {
  // The channel and the two level / value pairs of Kal.
  int16_t KalChannel;
  float KalValue1, KalValue2;  // values the two levels stand for
  float KalLevel1, KalLevel2;  // the two levels read on the channel
};

// Matrix header `Mat`: the view fields the matrix display uses, then what the
// producing analysis records about its axes. Written in front of the values
// in a .MAT file and kept in the function file.
struct Mat_s {
  int32_t Mode;                     // 0 colour map, 1 inverted, 10 waterfall hidden rows, 20 plain lines
  int16_t Columns, Rows;            // values per row, rows
  float ColumnDirection;            // negative: columns shown in reverse order
  float RowDirection;               // negative: rows shown in reverse order
  float Perspective;                // waterfall slant; 1.6 or more turns it off
  float RowSpacing;                 // second waterfall factor
  int16_t FirstColumn, LastColumn;  // column window
  int16_t FirstRow, LastRow;        // row window
  float ValueMax, ValueMin;         // value range
  // Axes, filled by the producer: column k stands for ColumnStart + k*ColumnStep
  // (a frequency in Hz for a time-frequency matrix), row r for RowStart + r*RowStep
  // (a time in s).
  float ColumnStart, ColumnStep;
  float RowStart, RowStep;
  int16_t SourceChannel;    // 0-based channel the matrix was computed from, -1 none
  int16_t SourceStore;      // 1 W, 0 M
  int16_t AnalysisMode;     // the producer's mode (FreqAnal2D mode)
  int16_t TransformLength;  // points of each window's transform (the window padded with zeros)
  int32_t WindowLength;     // samples per analysed window
  int32_t WindowStep;       // samples between successive windows
  uint8_t Rest[86];
};

struct MatH_s {
  uint8_t Reserved0[2];
  int16_t Field2;
  uint8_t Rest[316];
};

// Block record of the history file (`WBlock`, `MBlock`).
struct Block_s {
  uint8_t Bytes[80];
};

#pragma pack(pop)

static_assert(sizeof(Col_s) == 13056);
static_assert(offsetof(Col_s, TimeStep) == 512);
static_assert(offsetof(Col_s, ValueStep) == 1024);
static_assert(offsetof(Col_s, Background) == 1536);
static_assert(offsetof(Col_s, ViewCount) == 2048);
static_assert(offsetof(Col_s, ViewPos) == 2304);
static_assert(offsetof(Col_s, ViewIL) == 2560);
static_assert(offsetof(Col_s, ViewIR) == 7680);
static_assert(offsetof(Col_s, StripWeight) == 12800);

static_assert(sizeof(Prt_s) == 70);
static_assert(sizeof(Mat_s) == 158);
static_assert(offsetof(Mat_s, FirstColumn) == 24);
static_assert(offsetof(Mat_s, ValueMax) == 32);
static_assert(offsetof(Mat_s, WindowLength) == 64);
static_assert(sizeof(Fun_s) == 94);
static_assert(offsetof(Fun_s, N) == 36);
static_assert(sizeof(Kal_s) == 18);
static_assert(offsetof(Kal_s, KalValue1) == 2);
static_assert(offsetof(Kal_s, KalLevel2) == 14);
static_assert(sizeof(Mat_s) == 158);
static_assert(sizeof(MatH_s) == 320);
static_assert(offsetof(MatH_s, Field2) == 2);
static_assert(sizeof(Block_s) == 80);

}  // namespace store
