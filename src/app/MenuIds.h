// The command IDs of the main menu and of the commands it runs without an
// item of its own. The numbers are kept as they are: macros, hot keys, the
// headless --menu option and the desktop's actions know them.
#pragma once

namespace app {

enum MenuId : int {
  // File.
  kMenuReadWave = 150,           // read the waveform store (F3, RW)
  kMenuImportAscii = 312,        // text columns into the waveform store
  kMenuImportInteger = 374,      // binary integers into the waveform store
  kMenuImportWav = 391,          // a WAV recording into the waveform store
  kMenuModifyRun = 366,          // run the modification file
  kMenuModifySetup = 365,        // choose the modification file
  kMenuConversion = 271,         // the external data converter
  kMenuWriteWave = 151,          // write the waveform store (F2, WW)
  kMenuExportAsciiChosen = 395,  // text columns: header and channels chosen
  kMenuExportAsciiAll = 399,     // text columns: everything, nothing asked
  kMenuReadMeas = 152,           // read the measurement store
  kMenuWriteMeas = 153,          // write the measurement store (F5, WM)
  kMenuReadJob = 166,            // read the settings (RJOB)
  kMenuWriteJob = 167,           // write the settings (WJOB)
  kMenuWriteWorkSet = 174,       // settings and both stores to the work files
  kMenuPrintOne = 318,
  kMenuPrintMany = 320,
  kMenuMemSize = 279,  // free the stores, then the memory dialog (MEMSIZE)
  kMenuExit = 155,     // F9
  // Without an item of their own.
  kMenuWriteWaveText = 164,  // the waveform store as text
  kMenuWriteMeasText = 165,  // the measurement store as text
  kMenuFreeMemory = 278,     // free the stores

  // Display: the waveform store.
  kMenuOpenWaveWindows = 156,   // DW
  kMenuCloseWaveWindows = 222,  // UNDW
  kMenuWaveComment = 172,       // COMW
  kMenuWaveHotKeys = 171,
  kMenuZeroWave = 169,  // WBZERO
  kMenuWaveLeft = 261,
  kMenuWaveRight = 262,
  kMenuWaveUpper = 263,
  kMenuWaveLower = 264,
  kMenuWaveSetLimits = 265,
  kMenuWaveLimitsFromWindows = 316,
  kMenuCutWave = 284,                   // cut the store to its limits
  kMenuWavePointsLimits = 397,          // points and limits, separate halves
  kMenuWavePointsLimitsOverlaid = 398,  // points and limits, overlaid halves
  // Display: the measurement store.
  kMenuOpenMeasWindows = 157,   // DM
  kMenuCloseMeasWindows = 223,  // UNDM
  kMenuMeasComment = 173,       // COMM
  kMenuMeasHotKeys = 170,
  kMenuZeroMeas = 168,  // MBZERO
  kMenuMeasLeft = 266,
  kMenuMeasRight = 267,
  kMenuMeasUpper = 268,
  kMenuMeasLower = 269,
  kMenuMeasSetLimits = 270,
  kMenuCutMeas = 285,
  // Display: both.
  kMenuMeasToWave = 294,
  kMenuPosition = 302,  // lay the graph windows out
  kMenuStatistics = 260,
  kMenuStatisticsCursors = 306,
  kMenuMatrix = 319,
  kMenuScaleFont = 241,  // face, weight and size of the scale font
  kMenuScaleFontHeight = 242,
  kMenuScaleFontWidth = 243,
  kMenuFixedScaleFont = 244,
  kMenuTextFontHeight = 245,
  kMenuTextFontWidth = 246,
  kMenuSimulation = 211,  // SIMON, SIMOFF

  // Macro.
  kMenuRunMacro = 159,    // GOMC
  kMenuEditMacro = 161,   // EDMC
  kMenuCheckMacro = 160,  // GOIM
  kMenuMacroNoAction = 158,

  // Data: the waveform store with a file.
  kMenuWavePlus = 175,   // WPLUS
  kMenuWaveMinus = 176,  // WMINUS
  kMenuWaveTimes = 280,
  kMenuWaveDivided = 281,
  kMenuWaveWeightedSum = 177,      // WCPLUS
  kMenuWaveWeightedDiff = 178,     // WCMINUS
  kMenuWaveOwnWeight = 181,        // WLCD
  kMenuWaveFileWeight = 182,       // WLCF
  kMenuWaveAskWeightedSum = 185,   // WLCD, WLCF, WCPLUS
  kMenuWaveAskWeightedDiff = 184,  // WLCD, WLCF, WCMINUS
  kMenuWaveScale = 179,            // WYK
  kMenuWaveShift = 180,            // WYP
  // Data: the measurement store with a file.
  kMenuMeasPlus = 186,
  kMenuMeasMinus = 187,
  kMenuMeasTimes = 282,
  kMenuMeasDivided = 283,
  kMenuMeasWeightedSum = 188,
  kMenuMeasWeightedDiff = 189,
  kMenuMeasOwnWeight = 192,
  kMenuMeasFileWeight = 193,
  kMenuMeasAskWeightedSum = 196,
  kMenuMeasAskWeightedDiff = 195,
  kMenuMeasScale = 190,
  kMenuMeasShift = 191,
  // Data: reduction (the reduction's number is ID - 400).
  kMenuReduceMean = 401,
  kMenuReduceDeviation = 402,
  kMenuReduceMaximum = 403,
  kMenuReduceMinimum = 404,
  kMenuReduceRange = 405,
  kMenuReduceRms = 406,
  // Data: the waveform record.
  kMenuPadZerosToPowerOfTwo = 411,  // PROLONG_2
  kMenuPadLastToPowerOfTwo = 412,   // PROLONGD_2
  kMenuPadZerosToDouble = 386,      // DOUBLE
  kMenuDecimate = 287,              // WDECIM
  kMenuDecibels = 293,
  kMenuChannelAdd = 290,       // CHWADD
  kMenuChannelSubtract = 291,  // CHWSUB
  kMenuChannelDivide = 314,    // CHWDIV
  kMenuChannelMultiply = 315,  // CHWMPY
  kMenuChannelCopy = 288,      // CHWCOPY
  kMenuChannelDelete = 289,    // CHWDEL
  kMenuChannelRead = 292,      // CHWREAD
  kMenuChannelsRead = 414,
  kMenuLinkFiles = 396,
  kMenuFunction = 310,

  // Top level and settings.
  kMenuQW = 197,  // a waveform run
  kMenuQM = 198,  // a measurement run
  kMenuEdit = 154,
  kMenuAcquisitionDialog = 307,
  kMenuChannelDialog = 308,
  kMenuCardTest = 309,

  // Help.
  kMenuManual = 311,
  kMenuManualSecondBrowser = 394,
  kMenuWebSite = 392,
  kMenuWebSiteSecondBrowser = 393,
  kMenuNews = 300,
  kMenuAbout = 313,           // the about box
  kMenuManualDocument = 390,  // without an item of its own
  // Help topics without an item of their own (the topic in the name).
  kMenuHelpTopic0 = 276,
  kMenuHelpTopic1 = 298,
  kMenuHelpTopic2 = 272,
  kMenuHelpTopic3 = 301,
  kMenuHelpTopic4 = 273,
  kMenuHelpTopic5 = 274,
  kMenuHelpTopic6 = 297,
  kMenuHelpTopic7 = 295,
  kMenuHelpTopic8 = 296,
  kMenuHelpTopic9 = 277,
  kMenuHelpTopic11 = 299,
  kMenuHelpTopic16 = 303,
  kMenuHelpTopic17 = 304,
  kMenuHelpTopic18 = 305,
};

// The internal commands (`Command`) run before an item's own action.
inline constexpr int kFirstInternalCommand = 200, kLastInternalCommand = 216;

// Items that name the submenus a command opens again afterwards.
inline constexpr int kLimitsSubmenu = kMenuWaveLeft;
inline constexpr int kFontSubmenu = kMenuScaleFontHeight;

}  // namespace app
