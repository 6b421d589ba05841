// Per-channel graph settings and markers, kept in job files.
// Bytes no field names are reserved arrays so job files round-trip unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

namespace store {

#pragma pack(push, 1)

// Graph settings of a channel's window ("channel graph").
struct CG_s {
  // Right / left sample index of the view.
  int32_t IR;
  int32_t IL;  // left
  int32_t Cur1, Cur2;
  float HCur1, HCur2;
  float XCur1, XCur2;
  int32_t SavCur1, SavCur2;  // saved cursor positions: sample index
  float SavHCur1, SavHCur2;  // value
  float SavXCur1, SavXCur2;  // horizontal (XY plot)
  // Saved left / right limit (sample index) of a graph window.
  int32_t LimIL, LimIR;
  // Saved value / horizontal limits of a graph window.
  float LimVMax, LimVMin;
  float LimXMax, LimXMin;  // horizontal (XY plot)
  // A graph window of the measurement store.
  int32_t MeasWin;
  // The background option: a printed running sum or difference scans its raw
  // trace's range anew (with margins) and keeps it in `VSavMax`/`VSavMin`.
  int32_t Background;
  int32_t CursorCount;
  int32_t CursorStyle;  // the "cursor mode" the two-point readout tests
  int32_t TraceStyle;   // the 0/3 switch of F6 in a measurement window
  int16_t CursorStep;
  uint8_t Reserved102[4];
  // Display type of a graph window and its option bits ("displej").
  int32_t DisplType;
  int32_t InfoBar;
  int32_t PrintMode;
  int32_t BottomBar;
  int32_t VScale;
  int32_t KeyPanel;
  int32_t ClearPlot;
  int32_t InfoIndex, InfoTime, InfoValue;
  int32_t PulseWidth;
  float PulseL, PulseR;
  float PulseLevel;
  uint16_t DisplFlags;  // kDispl* bits; byte 162 = bits 0-7, byte 163 = bits 8-15
  int32_t Multi;
  int32_t BlockPage;
  int32_t BlockStep;
  int32_t XYPlot;
  int16_t XChan, YChan;
  float ClassWidth;
  float VFullMax, VFullMin;
  float VMax, VMin;
  // Saved vertical range.
  float VSavMax, VSavMin;
  float XFullMax, XFullMin;
  float XMax, XMin;
  int32_t ShowMarkers;
  int32_t TimeAxis;
  int32_t ZeroIndex;
  int16_t PenWidth;
  int32_t Envelope;
  uint16_t ScaleDiv;  // divisions: value scale in the low 4 bits, time scale in bits 4-7
  int32_t Raster;
  int32_t WhiteMode;
  uint8_t Reserved256[42];
  int32_t WinRect[4];  // left, top, right, bottom
  int32_t CaptionBar;  // non-zero: window with a caption bar
  int16_t Chan;
  int32_t MultiFlags;  // kMulti* bits
  int32_t MultiMode;
  float MultiStep;
  uint32_t MultiMask[4];
  uint8_t Reserved348[8];
};

// `CG_s::DisplFlags` bits.
inline constexpr uint16_t kDisplLongTimes = 0x0001;      // time axis also in minutes, hours and days
inline constexpr uint16_t kDisplFixedVRaster = 0x0002;   // fixed vertical raster lines without a time scale
inline constexpr uint16_t kDisplHRaster = 0x0004;        // horizontal raster lines
inline constexpr uint16_t kDisplOneLineUnit = 0x0008;    // wider value scale, unit on one line, name vertical
inline constexpr uint16_t kDisplSlopeLine = 0x0010;      // slope line between the two cursor crossings
inline constexpr uint16_t kDisplWhiteWindow = 0x0020;    // white window background, black read-outs
inline constexpr uint16_t kDisplRightPanel = 0x0040;     // right-hand button panel
inline constexpr uint16_t kDisplUserTime = 0x0100;       // cursor times in `PG` UserTimeFactor units
inline constexpr uint16_t kDisplChannelNumber = 0x0200;  // channel number at the top right, taller info bar
inline constexpr uint16_t kDisplAutoscaleValues = 0x0400;  // autoscale also sets the value range
inline constexpr uint16_t kDisplAutoscaleWhole = 0x0800;   // autoscale first shows the whole record
inline constexpr uint16_t kDisplHotButtons = 0x1000;       // hot buttons in the plot corner
inline constexpr uint16_t kDisplWideCursors = 0x2000;      // cursor lines 3 px wide

// `CG_s::MultiFlags` bits.
inline constexpr int32_t kMultiStrips = 0x2;          // every channel keeps its own value range (strips)
inline constexpr int32_t kMultiAllPresent = 0x4;      // every present channel is shown, whatever the mask
inline constexpr int32_t kMultiWholePlotMouse = 0x8;  // the mouse area is the whole plot column

// `CG_s::ScaleDiv`: one 4-bit count per scale.
inline constexpr uint16_t kScaleDivMask = 0x0F;
inline constexpr int kScaleDivTimeShift = 4;

// A marker of a graph window.
struct Marker_s {
  int32_t Index;  // 0 = marker not in use
  float Value;
  int32_t LabelIndex;
  float LabelValue;
  int32_t Vertical;
  char Text[38];
};

#pragma pack(pop)

static_assert(sizeof(CG_s) == 356);
static_assert(offsetof(CG_s, Cur1) == 8);
static_assert(offsetof(CG_s, Cur2) == 12);
static_assert(offsetof(CG_s, HCur1) == 16);
static_assert(offsetof(CG_s, HCur2) == 20);
static_assert(offsetof(CG_s, MeasWin) == 80);
static_assert(offsetof(CG_s, Background) == 84);
static_assert(offsetof(CG_s, CursorStyle) == 92);
static_assert(offsetof(CG_s, TraceStyle) == 96);
static_assert(offsetof(CG_s, DisplType) == 106);
static_assert(offsetof(CG_s, ClearPlot) == 130);
static_assert(offsetof(CG_s, DisplFlags) == 162);
static_assert(offsetof(CG_s, Multi) == 164);
static_assert(offsetof(CG_s, XMin) == 224);
static_assert(offsetof(CG_s, WhiteMode) == 252);
static_assert(offsetof(CG_s, WinRect) == 298);
static_assert(offsetof(CG_s, CaptionBar) == 314);
static_assert(offsetof(CG_s, Chan) == 318);
static_assert(offsetof(CG_s, MultiMask) == 332);

static_assert(sizeof(Marker_s) == 58);
static_assert(offsetof(Marker_s, Text) == 20);

inline constexpr int kMarkersPerChannel = 20;

}  // namespace store
