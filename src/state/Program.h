// The process-wide state: both stores, every settings record and the run,
// macro and name flags, under the names the rest of the program uses. The
// running program has one; every test builds its own.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Library.h"
#include "platform/Paths.h"
#include "platform/PrintJob.h"
#include "platform/Process.h"
#include "platform/Ui.h"
#include "platform/WindowHost.h"
#include "state/GeneralTexts.h"
#include "state/SampleEnvelope.h"
#include "store/Defaults.h"
#include "store/Store.h"

namespace daq {
struct CardState;
struct RunState;
}  // namespace daq
namespace macro {
struct MacroState;
}
namespace files {
struct TextColumn;
}

namespace state {

// A zero-filled block obtained at start-up and counted in `TotalDataAlloc`.
template <typename T>
class Block {
 public:
  Block() = default;
  T* get() const { return p_.get(); }
  T& operator[](size_t i) const { return p_.get()[i]; }
  explicit operator bool() const { return p_ != nullptr; }
  size_t size() const { return n_; }
  size_t bytes() const { return n_ * sizeof(T); }
  void reset() {
    p_.reset();
    n_ = 0;
  }
  // Answers false (and holds nothing) when the memory cannot be had.
  bool allocate(size_t n) {
    p_.reset(static_cast<T*>(std::calloc(n ? n : 1, sizeof(T))));
    n_ = p_ ? n : 0;
    return p_ != nullptr;
  }

 private:
  struct Free {
    void operator()(T* p) const { std::free(p); }
  };
  std::unique_ptr<T, Free> p_;
  size_t n_ = 0;
};

// One history entry of a channel: picture-buffer points kept for the graph.
struct HistEntry {
  std::unique_ptr<uint8_t[]> data;  // size × 8 bytes
  uint16_t size = 0;
};

inline constexpr int kHistEntries = 10;  // history pictures kept per channel
// Size of the text calibration tables.
inline constexpr int kKalibRows = 129;       // a row per channel, 1-based
inline constexpr int kKalibCols = 301;       // columns of a row
inline constexpr int kMaxKalibPoints = 300;  // calibration points a channel's row holds

// The platform services a Program works through.
struct Platform {
  platform::Ui* ui = nullptr;
  platform::Clock* clock = nullptr;
  platform::Library* library = nullptr;
  platform::Process* process = nullptr;
  platform::WindowHost* windows = nullptr;
  const platform::Paths* paths = nullptr;
};

struct Program {
  explicit Program(Platform p) : plat(p) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Platform plat;
  platform::Ui& ui() const { return *plat.ui; }

  // --- stores ---
  // The packed records start 8-aligned so that their aligned fields can be
  // used through references (std::min, EXPECT_EQ, ...) without misalignment.
  alignas(8) store::IG_s IG = store::IG0;        // identification record of the data files
  alignas(8) store::Header_s HGW = store::HGW0;  // header of the W store
  alignas(8) store::Header_s HGB = store::HGB0;  // header of the M store
  Block<store::Channel_s> FGW, FGB;              // channel records of the W / M store, 128 each
  Block<store::CG_s> CGW, CGB;                   // graph settings of each W / M channel's window, 128 each
  // Samples of the W / M store and their scratch ("shadow") copies.
  Block<float> Waveform, SWaveform, Buffer, SBuffer;
  int32_t WFreq[store::kChannels] = {};  // per W channel: it holds a frequency spectrum
  int32_t BFreq[store::kChannels] = {};  // the same per M channel
  int32_t PW = 0, PM = 0;                // capacity of the W and M sample arrays
  // --- min/max envelopes of the W / M sample arrays, for painting long records ---
  // Their chunks count in `TotalDataAlloc` and stay within `AllocationLimit`.
  mutable SampleEnvelope WEnvelope{TotalDataAlloc, AllocationLimit};
  mutable SampleEnvelope MEnvelope{TotalDataAlloc, AllocationLimit};
  SampleEnvelope& Envelope(store::Store s) const { return store::IsW(s) ? WEnvelope : MEnvelope; }

  // --- settings records ---
  Block<store::A_s> A;  // acquisition settings of each input channel (128)
  Block<store::M_s> M;  // measurement-mathematics / generator record of each channel (128)
  alignas(8) store::MGlobals_s MGlobals = store::MGlobals0;  // generator globals stored beside `M`
  alignas(8) store::MG_s MG = store::MG0;   // measurement globals: channels acquired and shown
  alignas(8) store::PG_s PG = store::PG0;   // program globals: limits, weights, macro position, options
  alignas(8) store::DG_s DG = store::DG0;   // display / directory globals: folders, masks, fonts, language
  alignas(8) store::WG_s WG = store::WG0;   // working file names kept in WORK_FIX.JOB
  alignas(8) store::JG_s JG{};              // job image: MG, PG and DG as a job file holds them
  Block<store::Marker_s> MarkerW, MarkerB;  // markers of the W / M graph windows, 128 × 20 each
  Block<store::Prt_s> Prt;                  // print settings (1)
  Block<store::Col_s> Col_;                 // colour table (1)
  Block<store::Fun_s> Fun;                  // user-function pages (5)
  Block<store::Kal_s> Kal;                  // calibration-from-curve records (5)
  Block<store::Mat_s> Mat;                  // matrix header (1)
  std::vector<float> Matrix;                // matrix values, Mat.Rows × Mat.Columns, row after row
  Block<store::MatH_s> MatH;                // matrix header, kept opaque (1)
  Block<uint8_t> Segment;                   // segment record of a segmented data file (1538 bytes)
  // Current user-function page and calibration page.
  int16_t FunPage = 0, KalPage = 0;

  // --- history (.BLK) ---
  store::Block_s WBlock[6] = {}, MBlock[6] = {};  // history block records of the W / M store
  // History ("video memory") pictures of each W / M channel and their counts.
  HistEntry WHBuf[store::kChannels][kHistEntries];  // pictures of each W channel
  HistEntry MHBuf[store::kChannels][kHistEntries];  // pictures of each M channel
  uint16_t WHNumb[store::kChannels] = {};           // pictures held per W channel
  uint16_t MHNumb[store::kChannels] = {};           // pictures held per M channel

  // --- text calibration tables ---
  Block<float> Kalib_In, Kalib_Out;  // input / output points per channel, kKalibRows × kKalibCols each
  // A text calibration table was read.
  int TextKalib = 0;
  // Point col of channel row in the input table; below, in the output table.
  float& KalibIn(int row, int col) const { return Kalib_In[size_t(row) * kKalibCols + col]; }
  float& KalibOut(int row, int col) const { return Kalib_Out[size_t(row) * kKalibCols + col]; }  // output

  // --- memory accounting ---
  double TotalDataAlloc = 0;  // bytes allocated for data
  int32_t NotEnoughMemory = 0;
  double AllocationLimit = -1;  // tests: refuse allocations beyond this many bytes

  // --- general texts ---
  GeneralTexts Texts;
  // Resolution of the A/D converter in bits.
  int ADBits = 12;

  // --- names ---
  std::string Path;  // the program directory
  // Data file names of the W / M store.
  char DW_Name[260] = "", DM_Name[260] = "";
  // Counted file names (WNAME, MNAME).
  char W_Name[12] = "", M_Name[12] = "";
  Block<char> W_Nam_N;         // the further counted W names, 32 × 12
  int16_t W_NameIndx = -1;     // which further counted name is chosen
  int32_t W_NameGo = 0;        // a name was set by the macro
  int16_t W_NameInc[17] = {};  // counters of the counted W names
  int16_t M_NameInc = 0;       // counter of the counted M name
  // The implicit file name (IMPLICITNAME, "I").
  char ImplicitName[260] = "";
  // File name of the next externally started save.
  char EXT_Name[260] = "";

  // --- run, macro and loop flags ---
  int32_t BudeKonecAleAzPoGrafech = 0;  // the exit waits until the graph windows have closed
  // The status line has a new text to show; the main panel is to be redrawn.
  int32_t NewStatus = 0, DoPanel = 0;
  // Command words of the command line wait to run.
  int32_t DoCommand = 0;
  char CommandLine[60] = "";
  int32_t AfterAbout = 0, WaitAfterWinCreation = 0;
  // Digital input bit a PWAIT waits on (−1 none).
  int16_t PWait = -1;
  // A macro runs; it is suspended; it is to resume.
  int32_t MacGoing = 0, MacStop = 0, MacAgain = 0;
  // Graph windows still opening / traces still drawing, which a macro waits for.
  int16_t DisplayLeft = 0, TraceLeft = 0;
  // A waveform / measurement run is on; its next step is due.
  int32_t QW = 0, DoQW = 0, QM = 0, DoQM = 0;
  // Countdown to restart a waveform run after a vertical key; the key was
  // released; the W windows' vertical bars need redrawing.
  int32_t GoQWAgain = 0, VertKeyUP = 0, QW_Vert = 0;
  // State of the external start of waveform runs (armed, due).
  uint16_t QW_EXT = 0;
  // Esc / Pause interrupted the current activity.
  int32_t INTERRUPT = 0;
  // Time now and of the last waveform run (ms).
  uint32_t ActTime = 0, LastWTime = 0;
  // "counter of how many repetitions" still to come in a repeated waveform run.
  int16_t PocitadloKolikOpak = 0;
  // Texts of the status line and the macro line.
  char Status[260] = "", MacroSt[260] = "";
  // Messages are shown (0 silences Mess).
  int32_t DoMess = 1;
  // The last value prompt was answered (not cancelled).
  int32_t CommonBool = 0;
  // A card (or the simulation) is ready; a coprocessor is present (kept,
  // always 0); the program is exiting.
  int32_t BoardPresent = 0, Kopro = 0, DoExit = 0;
  // The work job was missing and the defaults took its place.
  int32_t JobLeft = 0;
  // Integer argument of the last command (65535 none).
  int32_t Argument = -1;
  // Channel of the hot keys (kept, reset at start).
  int32_t HotKeyChan = 0;
  int32_t Bindx = -1;  // last stored point of the measurement record
  // Longest / shortest waveform sampling period (ms).
  float MAXWPER = 1000.0f, MINWPER = 0.004f;
  std::string Caption;

  // --- graph windows, one table per store ---
  std::unique_ptr<platform::GraphWindow> QWWin[store::kChannels];  // windows of the W channels
  std::unique_ptr<platform::GraphWindow> QMWin[store::kChannels];  // windows of the M channels
  platform::GraphWindowFactory GraphFactory;                       // empty: a window model that only records
  // Dialogs only the desktop program has (empty headless): the acquisition
  // settings (internal command 205) and the channel selection (210). Each
  // answers 1 when the settings were accepted and written back.
  std::function<int(Program&)> AcquisitionDialog;
  std::function<int(Program&)> ChannelDialog;
  // The mathematics dialog with the function generator (channel dialog's 869).
  std::function<int(Program&)> AritDialog;
  // The memory dialog (empty: a value prompt in units of 131072 samples).
  std::function<int(Program&)> MemoryDialog;
  std::function<int(Program&)> FunctionDialog;  // the five function pages (menu 310)
  // The hot-key dialog of the graph windows (main menu 170/171, Space and F12
  // in a graph window); empty headless.
  std::function<void(Program&, store::Store)> HotKeyDialog;
  // The about box (help menu); empty: its facts come as a message.
  std::function<void(Program&)> AboutDialog;
  // --- matrix display ---
  std::unique_ptr<platform::GraphWindow> MatrixWin;  // the open matrix display, null when closed
  int32_t FULL_MATRIX = 0;  // grey background and the colour legend in the matrix display
  // Recorder windows of the measurement run (trend and screen of the
  // reference channel) and what builds them (empty: windows that only record;
  // kind 1 trend, 2 screen). `GoGrafWin`: they are in use.
  std::unique_ptr<platform::GraphWindow> GrafWin1[store::kChannels];  // trend windows
  std::unique_ptr<platform::GraphWindow> GrafWin2[store::kChannels];  // screen windows
  std::function<std::unique_ptr<platform::GraphWindow>(const platform::GraphWindowSpec&, int kind)>
      RecorderFactory;
  int32_t GoGrafWin = 0;

  // --- card driver state (created by the card layer on first use) ---
  std::unique_ptr<daq::CardState, void (*)(daq::CardState*)> CardData{nullptr, nullptr};
  // Closes the card driver; the card layer installs it with its state, so
  // the exit closes a card it does not otherwise know about.
  void (*CloseCard)(Program&) = nullptr;
  // --- waveform and measurement run state (created by the runs on first use) ---
  std::unique_ptr<daq::RunState, void (*)(daq::RunState*)> RunData{nullptr, nullptr};
  // --- macro runner state beside the counters kept in `PG` (created on first use) ---
  mutable std::unique_ptr<macro::MacroState, void (*)(macro::MacroState*)> MacroData{nullptr, nullptr};
  // --- the leading text column of the last measurement import (`TextCom`) ---
  mutable std::unique_ptr<files::TextColumn, void (*)(files::TextColumn*)> TextColumnData{nullptr, nullptr};
  int32_t WWindowsOpen = 0, MWindowsOpen = 0;  // kept across the exit's closing
  // Requests of the menu commands to the main window: give the focus to the
  // graph windows at the next tick (`FocusGraphs`), and open a submenu again
  // (the ID of an item in it, 0 none) once the command has returned.
  int32_t FocusGraphs = 0;
  // A submenu the last menu command asks to reopen.
  int32_t MenuPopup = 0;

  // --- printing ---
  // Opens print jobs (empty: nothing can be printed); the job open between
  // the phases of a multi-part print (`hPr`).
  platform::PrintJobOpener OpenPrintJob;
  std::unique_ptr<platform::PrintJob> PrintJobNow;
  // Without a display every job is a PDF file: the one named (--print-to),
  // else counted names in the data folder.
  bool PrintToFile = false;
  std::string PrintToName;
  int32_t PrintJobsDone = 0;
  // The graphs of a block print: store (0 M, 1 W, -1 none) and channel of each block.
  struct PrintBlock {
    int store = -1, chan = 0;
  };
  PrintBlock PrintBlocks[6];
  int32_t DoBlockPrint = 0;
  // The multiple-print dialog (menu 320): marks the windows to print, in
  // the order W 1..128, M 1..128; false when cancelled. Empty: every open window.
  std::function<bool(Program&, std::vector<bool>& chosen)> MultiPrintDialog;

  // --- statistics panel ---
  // The printed statistics panel covers the cursor range (1) or the whole
  // channel (0): the last power analysis sets it.
  int32_t StatCursor = 0;

  // Counts and obtains a start-up block; sets `NotEnoughMemory` on failure.
  template <typename T>
  bool Allocate(Block<T>& block, size_t n) {
    double bytes = double(n) * sizeof(T);
    if (AllocationLimit >= 0 && TotalDataAlloc + bytes > AllocationLimit) {
      NotEnoughMemory = 1;
      return false;
    }
    if (!block.allocate(n)) {
      NotEnoughMemory = 1;
      return false;
    }
    TotalDataAlloc += bytes;
    return true;
  }

  // Store accessors: the W or the M side of each pair.
  store::Header_s& Header(store::Store s) { return store::IsW(s) ? HGW : HGB; }
  store::Channel_s* Channels(store::Store s) const { return store::IsW(s) ? FGW.get() : FGB.get(); }
  store::CG_s* Graphs(store::Store s) const { return store::IsW(s) ? CGW.get() : CGB.get(); }
  float* Samples(store::Store s) const { return store::IsW(s) ? Waveform.get() : Buffer.get(); }
  float* Scratch(store::Store s) const { return store::IsW(s) ? SWaveform.get() : SBuffer.get(); }
  int32_t* Freq(store::Store s) { return store::IsW(s) ? WFreq : BFreq; }
  store::Marker_s* Markers(store::Store s) const { return store::IsW(s) ? MarkerW.get() : MarkerB.get(); }
  std::unique_ptr<platform::GraphWindow>* Windows(store::Store s) { return store::IsW(s) ? QWWin : QMWin; }
  store::A_s& RefA() const {
    int r = PG.RefChannel;
    if (r < 1 || r > store::kChannels) r = 1;
    return A[size_t(r - 1)];
  }
};

}  // namespace state
