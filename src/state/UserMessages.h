// The codes of the user messages by which the windows talk to each other.
// The numbers are kept as they are: macros, peers and logs know them.
#pragma once

namespace state {

enum UserMessage : int {
  // Recorder windows.
  kRecorderPoint = 10,     // a measurement run stored a point
  kRecorderRunStart = 11,  // a measurement run started

  // Main window.
  kExitAsk = 1998,    // exit after asking the user
  kExitNoAsk = 1999,  // exit without a question

  // Graph windows.
  kRedrawAll = 2000,            // redraw the whole window
  kMeasurementProgress = 2001,  // a measurement run moved on; scroll the view with it
  kApplyLimits = 2003,          // show the window's stored limits
  kExpandWhole = 2004,          // show the whole record horizontally
  kPrintGraph = 2010,
  kHistoryAdd = 2020,         // add the trace to the video-memory history
  kHistoryClear = 2030,       // clear the video-memory history
  kTransform = 2031,          // Fourier transform of the channel
  kWeightingWindow = 2032,    // apply the weighting window
  kAutoscaleAll = 2033,       // autoscale in both directions
  kShowPower = 2034,          // display type 3
  kShowMagnitude = 2035,      // display type 4
  kShowBothHalves = 2036,     // display type 2
  kZeroOffset = 2037,         // remove the zero offset over the record
  kPenWidth = 2038,           // argument: pen width 0..3
  kRedrawWhole = 2039,        // as kRedrawAll (the DISPLB command sends it)
  kDataChanged = 2040,        // the store's data changed: rebuild, then redraw
  kStatistics = 2041,         // statistics panel over the whole record
  kStoreLimitsQuiet = 2042,   // take the store's limits, no message on refusal
  kViewCopied = 2043,         // argument: channel whose view to copy
  kViewCopiedAll = 2044,      // as kViewCopied, sent to every window of the store
  kRedrawOthers = 2045,       // to the main window: redraw all but channel argument
  kStatisticsCursors = 2046,  // statistics panel between the cursors
  kPowerPanel = 2047,         // power panel over the whole record
  kPowerPanelCursors = 2048,  // power panel between the cursors

  // Hot keys: another window presses a key of the graph window.
  kHotKeyCtrlA = 2049,
  kHotKeyCtrlW = 2050,
  kHotKeyCtrlQ = 2051,
  kHotKeyCtrlH = 2052,
  kHotKeyCtrlV = 2053,
  kHotKeyCtrlR = 2054,
  kHotKeyCtrlY = 2055,
  kHotKeyB = 2056,
  kHotKeyC = 2057,
  kHotKeyY = 2058,
  kHotKeyD = 2059,
  kHotKeyF = 2060,
  kHotKeyF7 = 2061,
  kHotKeyF8 = 2062,
  kHotKeyF1 = 2063,
  kHotKeyK = 2064,
  kHotKeyL = 2065,
  kHotKeyS = 2066,
  kHotKeyT = 2067,
  kHotKeyZ = 2068,
  kHotKeyE = 2069,
  kHotKeyCtrlB = 2070,
  kHotKeyCtrlM = 2071,
  kHotKeyG = 2072,
  kHotKeyN = 2073,
  kHotKeyI = 2074,
  kHotKeyJ = 2075,
  kHotKeyX = 2076,
  kHotKeyCtrlC = 2077,
  kHotKeyCtrlL = 2078,
  kHotKeyCtrlD = 2079,
  kHotKeyTabF = 2080,
  kHotKeyCtrlN = 2113,
  kHotKeyCtrlG = 2114,
  kHotKeyO = 2115,
  kHotKeyCtrlO = 2116,

  kCalibrationDialog = 2100,
  kSmooth = 2101,

  // Wait window (or the main window, which passes them on).
  kWaitClose = 2103,
  kWaitShow = 2104,      // argument: general text shown, 0 a blank
  kWaitProgress = 2105,  // argument: percent

  // Main window: dialogs 26 to 29 of the interpreter's dialog dispatcher.
  kScaleFontHeightDialog = 2109,
  kScaleFontWidthDialog = 2110,
  kTextFontHeightDialog = 2111,
  kTextFontWidthDialog = 2112,

  kLiveProgress = 2117,       // graph windows: the live samples are in the store
  kRedrawVerticalBar = 2119,  // waveform windows that show the button bar

  // Main window: the waveform run and its file.
  kStartWaveformRun = 2120,
  kStopWaveformRun = 2121,
  kHalvePeriod = 2122,  // stop, halve the sampling period, restart
  kDoublePeriod = 2123,
  kDoubleLength = 2124,  // stop, double the record length, restart
  kHalveLength = 2125,

  kLiveAcquisition = 2126,   // first waveform window: acquire by itself
  kRepaintTimeScale = 2127,  // graph windows
  kTooltipClose = 2128,      // tooltip window

  kWriteLimits = 2130,  // main window: take the limits from the windows
  kMatrixDisplay = 2131,
  kReadWaveFile = 2132,  // reread the waveform file named in `WG`

  kWriteSelectionText = 2133,  // graph window: its text selection to a file
  kStoreLimits = 2134,         // take the store's limits, say when refused
  kOverlaidHalves = 2135,      // waveform windows: the two halves overlaid
  kSeparateHalves = 2136,      // waveform windows: the two halves apart
  kAutoscaleAllMagnitude = 2137,

  kWriteWaveFile = 2138,         // main window: store to the file named in `WG`
  kWriteLimitedWaveFile = 2139,  // take the limits, then as kWriteWaveFile
  kLinkWaveFile = 2141,          // join a waveform file to the store (the graph window's Ctrl+E)
};

// Printing: kPrintGraph with argument 0 is the user's print command (the
// dialog); kPrintInPhase + phase prints without it in that job phase (-1..2).
inline constexpr int kPrintInPhase = 10;

// Whether a code presses a graph-window hot key.
constexpr bool IsHotKey(int code) {
  return (code >= kHotKeyCtrlA && code <= kHotKeyTabF) || (code >= kHotKeyCtrlN && code <= kHotKeyCtrlO);
}

}  // namespace state
