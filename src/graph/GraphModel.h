// `TDispl10`, the graph window of one channel as a model without any GUI:
// what it knows about its data and its plot rectangle, the transforms between
// samples/values and pixels, and every operation that changes the shown
// range. It draws through a platform::Canvas surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/WindowDialogs.h"
#include "platform/Canvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/WindowHost.h"
#include "state/Program.h"
#include "store/GraphSettings.h"
#include "store/Store.h"

namespace ops {
struct Panel;
}

namespace graph {

// One point of the picture buffer, in client coordinates.
struct PicturePoint {
  int32_t x = 0, y = 0;
  bool operator==(const PicturePoint&) const = default;
};

// In the XY plot a point with x ≤ 0 marks a break of the trace (a sample
// without a finite pair); a drawn point always lies in the plot, right of
// the border.
inline constexpr int32_t kNoPointX = 0;

// `displ_t`
enum DisplayType : int32_t {
  kFirstHalf = 0,
  kSecondHalf = 1,
  kBothHalves = 2,
  kPower = 3,
  kMagnitude = 4,
  kRunningSum = 5,
  kDifference = 6,
  kHistogram = 7,
  kOverlaid = 8,
};

// `SetShadowMem` modes.
enum ShadowMode : int16_t {
  kShadowPower = 0,
  kShadowSum = 1,
  kShadowMagnitude = 2,
  kShadowDiff = 3,
  kShadowHist = 4
};

// Window rectangles come from job files: a rectangle that is empty or
// reversed gets the default rectangle, the size is limited to
// kMinWindowW..kMaxScreenW × kMinWindowH..kMaxScreenH and the window is moved
// so that it lies wholly inside 0..kMaxScreenW × 0..kMaxScreenH.
inline constexpr int kMinWindowW = 40, kMinWindowH = 60;
inline constexpr int kMaxScreenW = 3840, kMaxScreenH = 2160;
void PlaceWindowRect(const int32_t in[4], int32_t out[4]);

// What an autoscale does besides finding the value range.
struct AutoscaleChoice {
  bool redraw;       // repaint the window afterwards
  bool wholeRecord;  // show the whole record again when the window's flags ask for it
  bool skipZeros;    // leave exact zeros (unset samples) out of the range
};

// A graph window of one channel.
class TDispl10 : public platform::GraphWindow {
 public:
  // isW: 1 waveform store, 0 measurement store; offset: first sample of the
  // channel in the store (`Pocatek`), -1 when the channel is not active.
  TDispl10(state::Program& p, const std::string& title, store::Store isW, int16_t chan, int32_t offset,
           const int32_t rect[4]);
  ~TDispl10() override;
  TDispl10(const TDispl10&) = delete;
  TDispl10& operator=(const TDispl10&) = delete;

  // platform::GraphWindow
  void UserMessage(int code, int arg) override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& Caption() const override { return caption_; }
  void Paint() override;
  void Timer() override;

  // The surface drawn on; the window owns a recording one until a host
  // attaches its own (which must outlive the window or be detached).
  void SetSurface(platform::Canvas* canvas) {
    surface_ = canvas ? canvas : ownSurface_.get();
    ForgetCursors();  // nothing of ours is on a new surface yet
  }
  // From now on the window's own surface keeps nothing (a window without a
  // display that may repaint for hours).
  void DrawNothing();
  platform::Canvas& Surface() { return *surface_; }
  // `EvSize`: the client area changed.
  void SetClientSize(int width, int height);
  bool Broken() const { return broken_; }
  // The window's rectangle on screen (left, top, right, bottom), placed visibly.
  const int32_t* WindowRect() const { return rect_; }
  // The host moved or resized the window; kept as a paint keeps it.
  void SetWindowRect(const int32_t rect[4]) {
    PlaceWindowRect(rect, rect_);
    if (ClientH > 50)
      for (int i = 0; i < 4; ++i) Own().WinRect[i] = rect_[i];
  }

  // A key pressed in the window: a virtual key code (F1 = 0x70, arrows
  // 37..40, letters upper-case ASCII) and modifier bits (1 Shift, 2 Ctrl,
  // 4 Alt). Answers true when the key was used; the host then shows the
  // surface again.
  bool KeyDown(int key, int modifiers);

  // --- set-up ---
  void DisplInit();  // set the window up from its graph settings
  void SetPointer();
  void SetNewPointer(int32_t type, int32_t previous);
  // "adjust the active channel" to one that is shown.
  void UpravAktivniKanal();
  // Active channel of a multi-channel display.
  void SetCHANM();
  // Recomputes the plot rectangle from the client size and the bar widths.
  void Layout();

  // --- transforms ---
  // One vocabulary for every value <-> pixel conversion: "Global" is the
  // record's coordinate (sample index, or value), "Mouse" the window pixel;
  // "Vert" converts along the sample axis (x, whose lines are vertical),
  // "Horiz" along the value axis (y). `KX`/`KY` are pixels per unit.
  void KoefX();  // "coefficient": the horizontal scale factor `KX`
  void KoefY();  // the vertical scale factor `KY`
  // Recompute SPP after the range changed.
  void DePress();
  // Conversions between window pixels and sample / value coordinates.
  int16_t GlobalVertToMouse(int32_t i) const;
  int16_t FloatGlobalVertToMouse(float i) const;
  int16_t GlobalVertToMouseXYPlot(float v) const;
  int32_t MouseVertToGlobal(int16_t x) const;  // pixel column to sample index
  float FMouseVertToGlobal(int16_t x) const;
  float MouseVertToGlobalXYPlot(int16_t x) const;
  float MouseHorizToGlobal(int16_t y) const;
  int16_t GlobalHorizToMouse(float v, int16_t x) const;
  // Keeps a pixel inside the plot; answers false when it had to be moved.
  bool OK_xy(int16_t& x, int16_t& y) const;
  // Keeps the left / right limits inside the record.
  void OK_IL_IR();
  float CursorMagnitude(int16_t x) const;
  // `GlobalHorizToMouse` as the trace painter uses it: clamped into the plot.
  int16_t ClampedGlobalHorizToMouse(float v, int16_t x) const;

  // --- range operations ---
  void SetLimits(int which, bool ask);
  // Shows the saved cursor range (which 0) or the saved limits.
  void DisplLimits(int which);
  void SetMaxMinIn(int32_t from, int32_t to, int toShown, int skipZero, int margin);
  void SetMaxMinIn_OnlyValue(int32_t from, int32_t to, float& min, float& max) const;
  void SetMaxMinXYPlot();
  void AutoscaleAll(AutoscaleChoice how);
  void HorizontalAllExpand();
  void VerticalAllExpand();
  // Magnify / shrink the value scale.
  void MagExpand();
  void MagCompress();  // shrink
  void WinExpand();
  void WinCompress();
  void LeftDataShift();
  void RightDataShift();
  void UpDataShift();
  void DownDataShift();
  void ShiftDivChange();
  void SetShadowMem(int16_t mode);
  void CommonDisplay(int which);
  // Checks the ranges, lays the window out, recomputes the scales and cursor pixels, repaints.
  void DisplControl();

  // --- painting ---
  // The repaint (GraphDispl.cpp): background, trace, stored pictures, scales, cursors.
  void Displ(platform::Canvas& dc);
  // Refills the picture buffer from the displayed series over IL..IR: every
  // sample (points), one peak-hold point or the minimum and maximum per
  // pixel column (GraphTrace.cpp); in the XY plot the pairs of the X and Y
  // channels (GraphXYPlot.cpp).
  void PictureBufferFilling();
  // Draws n points in the current trace colour by `TraceStyle`.
  void PictureBufferOut(platform::Canvas& dc, const PicturePoint* pts, int32_t n, uint32_t colour);
  // `paint_t` modes of `PaintData`.
  enum PaintMode {
    kPaintPixels = 0,
    kPaintLine = 1,
    kPaintNothing = 2,
    kPaintLineTo = 3,
    kPaintFilled = 4,
    kPaintAppend = 5,
    kPaintMoveTo = 6
  };
  int16_t PaintData(platform::Canvas& dc, int16_t x, float v, int mode, int16_t width);
  // Trace colour of the active channel's display type (or the override).
  uint32_t TraceColour() const;
  // Display type 8: successive sweeps of the record drawn over each other.
  void PrekladaneZobrazeni(platform::Canvas& dc);
  // Multi display: every shown channel drawn with its label.
  void PaintMulti(platform::Canvas& dc);
  // Scales (GraphScales.cpp).
  void PaintScale(platform::Canvas& dc);
  void PaintVScale(platform::Canvas& dc);
  // One value scale of channel `chan` for the plot band top..top+height
  // showing vMin..vMax.
  void PaintOneVScale(platform::Canvas& dc, int chan, int top, int height, float vMax, float vMin,
                      bool highlight);
  void PaintRaster(platform::Canvas& dc);
  void PaintLimits(platform::Canvas& dc);
  // The value panel of the live window: per channel mean, maximum, minimum.
  struct LiveValues {
    const float* sum = nullptr;  // running sums of the channels (128)
    const float* max = nullptr;
    const float* min = nullptr;
    float count = 0;  // values gathered since the last display
    int lines = 1;    // 1 mean, 2 mean and maximum, 3 all three
    int size = 1;     // character cell 1..5
  };
  void PaintValues(platform::Canvas& dc, const LiveValues& v);
  void PaintText(platform::Canvas& dc);

  // --- video memory (F7/F8), kept in the program's per-channel tables ---
  void AddHBuf();               // keep the trace as a picture
  void ClearHBufAll(bool all);  // clear the pictures
  int HBufCount() const;        // pictures held

  // --- cursors (GraphCursors.cpp) ---
  void DrawCursor(int reset);
  // Moves cursor `which` (0 or 1) to pixel (x, y), clamped into the plot;
  // with setIndex the cursor's sample index follows x.
  void CursorPaint(int16_t& x, int16_t& y, int which, bool setIndex);

  // --- function keys of the graph window ---
  void F2();  // set the limits
  void F3();  // show the saved limits
  void F4();  // both halves
  void F5();  // autoscale
  bool F6();  // spectrum (W), or the trace style (M)
  void F7();  // add the trace to the history
  void F8();  // clear the history
  // Changes the active channel's display type and repaints.
  void DisplTypeSet(int32_t type);

  // --- operations the user messages ask for (GraphMessages.cpp) ---
  // kStoreLimits / kStoreLimitsQuiet: the store's limits in `PG` become the window's view and its
  // saved limits. Interactive: a window whose series cannot hold them says so.
  void TakeStoreLimits(bool interactive);
  // kMeasurementProgress: during a measurement run the view moves on by its width once the
  // newest point reaches its right end.
  void MeasurementProgress();
  // kRepaintTimeScale: the time scale alone, on the current geometry.
  void RepaintTimeScale();
  // kPenWidth: pen width 0..3 of the trace.
  void SetPenWidth(int width);
  // `NastavKanal`: channel `chan` (shown) becomes the active one.
  void NastavKanal(int chan);
  // `F5_ALL` / `F5_ALL_MAG` (kAutoscaleAllMagnitude): autoscale every shown channel.
  void F5_ALL();
  void F5_ALL_MAG();  // the same on magnitudes
  // `HotKey`: the codes of `IsHotKey` press a graph key.
  void HotKey(int code);

  // --- cursor operations (GraphCursorOps.cpp) ---
  // `CursorToMax`: cursor 1 jumps to an extremum (modes 0..5).
  void CursorToMax(int mode);
  int32_t SetMaxPosition() const;                     // largest sample in IL..IR
  int32_t SetFirstMaxPosition(bool overLevel) const;  // next local maximum; NShown = none
  int32_t SetFirstMinPosition() const;                // next local minimum; NShown = none
  void CursorExpand();                                // zoom to both cursors
  void VerticalCursorExpand();                        // the sample range of the cursors only
  void HorizontalCursorExpand();                      // the value range of the horizontal lines only
  // View history: what 0 store the view (asking when `ask`); what 1 with
  // which 0 clear, which 1 delete the current view.
  void CursorSave(int what, int which, bool ask);
  void CursorRestore(int step, bool report);
  void Wider(bool search);  // pulse width at the level of cursor 1
  void ZjistiNejblizsi();   // "find the nearest": the channel nearest to cursor 1 becomes active
  // Channels for the multi display chosen by the cursor box.
  void VyberKanaluProMultizobrazeniMeziKurzory();
  void VyberKanaluProMultizobrazeni(bool keep);
  // Cursor 1 one cursor step left (-1) or right (+1): comma and full stop.
  void StepCursor(int direction);

  // --- information bar (GraphInfoBar.cpp) ---
  void TextInfoCreateRefresh();

  // --- markers (GraphMarkers.cpp) ---
  void Marker();  // the marker dialog for the active channel
  void PaintMarker(platform::Canvas& dc, int chan, float offset);

  // --- input: keys, mouse, panels, timer (GraphInput.cpp and neighbours) ---
  void KeyUp(int key);
  // Mouse in client pixels; `buttons` while moving: 1 left, 2 right, 4 middle held.
  void LButtonDown(int x, int y);
  void LButtonUp(int x, int y);
  void RButtonDown(int x, int y);
  void RButtonUp(int x, int y);
  void MButtonDown(int x, int y);
  void MButtonUp(int x, int y);
  void MouseMove(int x, int y, int buttons);
  void EvCommand(int id);  // a button of the function-key panel
  void DisplModeDialog();  // F11: the graph settings dialog
  void HotKeyDialog();     // Space, F12
  // Dialogs only the desktop program shows; empty ones refuse with a notice.
  WindowDialogs Dialogs;
  // Function keys the key map and the key panel call besides F2..F8.
  void F1();   // the graph window's help
  void F11();  // the settings dialog
  void F12();  // the hot-key dialog
  // `NastavKanal` (redraw, oldChan, newChan): with the active channel's own
  // range kept in scale-per-channel layouts; redraw outside strips.
  void NastavKanal(int redraw, int oldChan, int16_t newChan);
  // The hot buttons in the plot corner: drawn while the mouse is near them.
  void MouseMoveReaction(int x, int y);
  // The function-key panel (the top 18 px of the key strip): drawn when
  // `create`, taken away otherwise; `FunKeyAt` answers the id under a point, or 0.
  void FunKeysCreateDelete(int create);
  int FunKeyAt(int x, int y) const;
  // Long or short label of function-key panel button `slot` (0..10).
  std::string FunKeyLabel(int slot) const;
  // The right-hand button panel: code 0 release, 2 hover, 3 press, 4 draw,
  // 5 tool tip. Press and hover answer 1 when the point is on a button.
  int Vert_Bar_Control(int code, int x, int y);
  int VertBarButtonAt(int x, int y) const;  // index, or -1

  // Input state. A host passes only real key releases to `KeyUp`, not the
  // ones its auto-repeat makes: a held key then pans with growing steps.
  int32_t ModifierState = 0;  // 0 none, 1 Ctrl, 2 Shift, 3 Tab held
  int32_t KeyEnable = 0;      // a key is down in this window; its repeats keep accelerating
  int32_t Armed = 0;          // set by each tick, cleared by each button release
  int16_t BusyCount = 0;      // ticks a deferred redraw still waits
  // Requests for the next tick: the scales (after a click), the information
  // bar, an autoscale instead of the redraw.
  int32_t RedrawScales = 0, RedrawInfo = 0, AutoscaleAfterResize = 0;
  int16_t LMouse_X = 0, LMouse_Y = 0;
  int32_t DM1[10] = {};       // hot button k is under the mouse
  bool FunKeysShown = false;  // the function-key panel, while `KeyPanel` is set

  // --- the window's own menu (GraphWindowMenu.cpp) ---
  // Runs the item `id` (324..338) of the window menu; false for an unknown id.
  bool MenuCommand(int id);
  // The calibration-from-curve dialog (GraphCalibration.cpp).
  void Calibration();

  // --- data operations on the window's channel (GraphDataOps.cpp) ---
  void DataModif(int mode);
  void DataModifMultiChan(int mode);
  void ToMag(int a, int b);
  void Normalizace(int mode);  // "normalisation"
  void CatData();              // Ctrl+E
  // Steps (mode 0) or spikes (mode 1) taken out of the channel above a threshold asked for.
  void RemoveStepsSpikes(int mode);
  // The list of local maxima or minima between the cursors, to MAX.TXT / MIN.TXT.
  void ShowStatMaxMin();
  // Panel of the harmonics at 50 Hz, the distortion factor, the median and the
  // correlation with the next channel, drawn like the statistics panel.
  void ShowHarmonics(platform::Canvas& dc);
  // kWriteSelectionText: the shown section or the section between the cursors as text columns.
  void Write_ASCII();

  // --- signal processing on the window's channel (GraphProcessing.cpp) ---
  void Transform();       // kTransform, key F
  void WeightFunction();  // kWeightingWindow, key K
  void GoSmooth();        // kSmooth, Ctrl+M
  void ZeroOffset();      // kZeroOffset, Ctrl+B: `KorekceNuly` over the record
  int SmoothWidth = 3;    // the last smoothing width

  // --- statistics and power panels (GraphStatisticsPanel.cpp) ---
  // Codes kStatistics / kStatisticsCursors and kPowerPanel / kPowerPanelCursors: the panel drawn over the
  // plot (until the next repaint) and, for the statistics, the report.
  void ShowStat(platform::Canvas& dc, int betweenCursors);        // statistics panel
  void ShowStatEnergo(platform::Canvas& dc, int betweenCursors);  // power ("energo") panel
  // One panel row: row −1 is the title (no value); half rows are allowed.
  void Pis(platform::Canvas& dc, float row, const std::string& label, double value, uint32_t colour,
           const char* format);

  // A colour set from outside (the live window) replaces the trace colours.
  bool ColourOverride = false;
  uint32_t OverrideColour = 0xFFFFFF;
  // Overdraw mode repaints the previous trace in grey before the new one.
  bool GreyGhost = true;
  // Offset layout: each trace carries its channel number at its left end.
  bool OffsetLabels = true;

  // --- printing (GraphPrint.cpp) ---
  // `Printer`: the user's print command (T, menu 318, the block panel);
  // block 1 prints the block page. Warns about stored pictures and opens
  // the print dialog where there is one.
  void Printer(int block);
  // `PrinterDispl`: the graph on paper in job phase `phase` (files::PrintPhase).
  bool PrinterDispl(int phase);
  // `DrawPrinter`: the graph in print layout where the print record puts it,
  // or the block page when one was asked for, and the text block.
  void DrawPrinter(platform::Canvas& dc);
  // The graph in print layout: its box's top left at (x, y), the plot w × h.
  void DrawPrinterAt(platform::Canvas& dc, int x, int y, int w, int h);
  // Block print: op 0 this graph into block k (1..6), 1 empty block k,
  // 2 this graph into block k and print the page, 3 the store's open
  // windows into the blocks, 4 empty every block.
  void PrintBlocksManagement(int op, int block);
  void DisplBlocks(platform::Canvas& dc);  // the blocks on one page
  void BlockDispl();                       // what the blocks hold, on the status line
  // The print page onto a job opened by the caller (a PDF file the user
  // named); false when another job is open or nothing was printed.
  bool PrintToJob(std::unique_ptr<platform::PrintJob> job);
  // Character cell of the scale labels while printing (0: the screen's).
  int16_t PrintCellH = 0, PrintCellW = 0;
  int ScaleCellH() const { return PrintCellH > 0 ? PrintCellH : 12; }
  // Printing a running sum or difference: the raw channel as well, on its own range.
  void PrintRawTrace(platform::Canvas& dc);

  // --- helpers over the stores ---
  store::CG_s& Graph(int chan) const { return cg_[chan]; }
  // The window's own and the active channel's graph settings.
  store::CG_s& Own() const { return cg_[OwnChan]; }
  store::CG_s& Act() const { return cg_[ActChan]; }  // the active channel's
  bool IsShown(int chan) const;                      // shown in multi display
  int ShownChannelCount() const;
  bool IsXY() const { return Own().XYPlot != 0; }
  const float* Series() const { return series_; }
  const PicturePoint* Picture() const { return pictureBlock_.get(); }
  int32_t PictureCount() const { return pictureCount_; }

  // --- window state under its kept names ---
  store::Store IsW;
  int16_t OwnChan, ActChan;  // the window's own channel; the active one
  int32_t Offset;            // the channel's first sample in the store
  int32_t Half = 0, NShown = 0;
  // Horizontal / vertical scale factors (pixels per unit); samples per pixel.
  float KX = 1.0f, KY = 1.0f, SPP = 1.0f;
  int16_t Div = 50;
  int32_t ShownCount = 0;
  int16_t ClientW = 0, ClientH = 0;
  int16_t BorderX = 5, BorderY = 0;
  int16_t VScaleW = 0, RightPanelW = 0, KeyStripH = 0, InfoBarH = 0, BottomBarH = 0;
  int16_t PlotLeft = 0, PlotTop = 0, PlotW = 1, PlotH = 1;
  int32_t RedrawAll = 1, RedrawBackground = 1, RedrawCursors = 1, RedrawText = 1, RedrawKeys = 1;
  int32_t DoClear = 1, LayoutChanged = 1;
  // Cursor positions in pixels, from the last `DisplControl`.
  int16_t CurX1 = 0, CurX2 = 0, CurY1 = 0, CurY2 = 0;

  // --- live acquisition (GraphLive.cpp) ---
  // `TRV_QW_ZIVE`: the waveform record taken scan by scan into the W store,
  // every sample drawn as it arrives; 1 complete, 0 interrupted or failed.
  int32_t TRV_QW_ZIVE();
  // Draws the samples at `MonIndx`, moving the view on at its right edge.
  void DisplZive(platform::Canvas& dc);
  float Mon[store::kChannels] = {};     // latest converted value of each channel
  int32_t MonIndx = 0;                  // index of the latest sample in the record
  float WR[store::kChannels] = {};      // sum of the record's values so far
  float WR_max[store::kChannels] = {};  // largest value of the record so far
  float WR_min[store::kChannels] = {};  // smallest value of the record so far
  float WR_Numb_act = 0;                // points drawn since the last full refresh

 private:
  // How one shown channel's live values map to pixels, fixed at each repaint.
  struct LiveTrace {
    int chan;
    uint32_t colour;
    double base, vMin, ky;  // y = base - (v - vMin) * ky
  };
  void LiveTraces();      // the traces of the view as it is now drawn
  void LiveRepaint();     // graph and value panel anew
  bool LiveKey(int key);  // a key taken off the queue; true = Esc or Pause
  int32_t LiveScans(bool simulate, const std::vector<int>& chans, int16_t* raw, size_t len);
  std::vector<LiveTrace> liveTraces_;
  float monPrev_[store::kChannels] = {};  // the value each trace was drawn to last
  uint32_t livePanelTick_ = 0;

 private:
  // Data of channel `chan` of the main store (or the shadow store), or null.
  float* ChannelData(int chan, bool shadow) const;
  // Points the series and `NShown` at the active channel's display type.
  void SelectSeries();
  // Replaces non-finite value and x ranges of a record (from a job file).
  static void SaneRanges(store::CG_s& g);
  // The record that the vertical zoom and shift change.
  int VerticalRecordChannel() const;
  // Step 5 of autoscale: the own record takes the active channel's range.
  void MultiCopy();
  void Finish();  // the common end of a range operation
  void Busy(bool on) const;
  void Rescale();  // `SetMaxMinIn` (IL, IR, 1, 0, 0) and the full range
  void Histogram();
  void Rebuild();  // the store changed: offset, `Half`, picture buffer
  bool AllocatePicture();
  void ReleasePicture();
  void CopyView(int fromChan);
  // Marks a trace that lies wholly above or below the view after a shift.
  void OffRangeIndicator(int chan);
  // Painting helpers.
  void PaintBackground(platform::Canvas& dc);
  // Fills the picture buffer from `data` over il..ir mapped by the window's
  // x transform and the value mapping y = yBase - (v - vMin) * ky.
  void FillPicture(const float* data, int32_t il, int32_t ir, double vMin, double ky, double yBase,
                   bool points);
  // The XY plot's picture: the pairs (X channel, Y channel) over IL..IR
  // through the XY transforms, breaks where a pair is not finite.
  void FillXYPicture();
  // Points style of the XY plot: every pixel of the plot at most once.
  void FillXYPoints(const float* xs, const float* ys, int32_t il, int32_t ir);
  // Lines of the XY plot: every sample, or for long views the extreme
  // points of each block of samples.
  void FillXYLines(const float* xs, const float* ys, int32_t il, int32_t ir);
  // Draws the XY picture: points right of x = 0 only, lines only between
  // two such neighbours.
  void XYPictureOut(platform::Canvas& dc, const PicturePoint* pts, int32_t n, uint32_t colour);
  // The repeat number under the plot during a counted repeated waveform run.
  void PaintRepetition(platform::Canvas& dc);
  void DrawPolyline(platform::Canvas& dc, const PicturePoint* pts, int32_t n, int dx = 0, int dy = 0);
  void ThickLine(platform::Canvas& dc, int width, uint32_t colour);
  void FilledArea(platform::Canvas& dc, uint32_t colour);
  void DrawStoredPictures(platform::Canvas& dc);
  void PaintCursors(platform::Canvas& dc);  // both cursors anew after a repaint
  void EraseCursors(platform::Canvas& dc);
  void ForgetCursors() { cursorDrawn_[0] = cursorDrawn_[1] = slopeDrawn_ = false; }
  // A new own surface of the client size; an attached surface stays in use.
  void MakeOwnSurface();
  void XorCursor(platform::Canvas& dc, int which, int16_t x, int16_t y, int16_t traceY);
  void XorSlope(platform::Canvas& dc);
  int16_t CursorTraceY(int32_t index, int16_t x) const;
  bool CursorVisible(int which) const;
  // Strip of channel `chan` in strips layout: top and height; false when none.
  bool StripOf(int chan, double& top, double& height) const;
  bool CtrlKey(int key);
  bool PlainKey(int key);
  bool TabKey(int key);
  // The channel the window's data operations work on: the active one in
  // multi display, else the own one.
  int DataChannel() const { return Own().Multi ? ActChan : OwnChan; }
  void AutoscaleShown(bool resetRange);
  // Lays out and draws a statistics or power panel through `Pis`.
  void DrawPanel(platform::Canvas& dc, const ops::Panel& panel);
  void Redraw() {
    RedrawAll = 1;
    DisplControl();
  }

  state::Program& p_;
  store::CG_s* cg_;
  std::string caption_;
  float* series_ = nullptr;
  state::Block<PicturePoint> pictureBlock_;
  int32_t pictureCount_ = 0;
  int32_t pictureCapacity_ = 0;
  std::unique_ptr<platform::Canvas> ownSurface_;
  platform::RecordingCanvas* recording_ = nullptr;  // the own surface when it records
  bool drawsNothing_ = false;
  platform::Canvas* surface_ = nullptr;
  int32_t rect_[4] = {};
  bool painted_ = false;
  // Reused by every repaint so that drawing allocates nothing.
  std::vector<platform::Point> line_;
  std::vector<PicturePoint> stored_;
  std::vector<uint64_t> xyPixels_;  // pixels taken by the XY points style, a bit each
  platform::Point current_;         // the current position of `PaintData` modes 3 and 6
  // The own scale remembered by `Displ` (multi display draws the own channel with it).
  float ownVMax_ = 0, ownVMin_ = 0;
  // Cursors as last drawn (exclusive-or): pixel, horizontal line y, trace y.
  bool cursorDrawn_[2] = {false, false};
  int16_t cursorX_[2] = {}, cursorY_[2] = {}, cursorTraceY_[2] = {};
  bool slopeDrawn_ = false;
  platform::Point slope_[2];
  bool broken_ = false;
  // Geometry of the panel being drawn by `Pis`.
  int panelX_ = 0, panelY_ = 0, panelValueX_ = 0, panelLineH_ = 14;

  // Cursor operations, pulse width and the information bar.
  // Cursor 1 drawn anew at `Cur1` / `HCur1` (the old picture is taken away).
  void RedrawCursor1();
  // Both cursors drawn by one call refresh the bar once, at the end.
  bool infoHeld_ = false;
  // Pulse edges marked on the horizontal line of the drawn cursor 1 (pixels).
  bool pulseShown_ = false;
  int16_t pulseX_[2] = {}, pulseY_ = 0;
  bool PulseApplies() const;
  void XorPulseMarks(platform::Canvas& dc);
  // The series channel `chan` shows in this window and its length; null when none.
  const float* ShownSeries(int chan, int32_t& n) const;
  int NearestChannel() const;  // the shown channel nearest to cursor 1; -1 when none

  // --- input: keys, mouse, panels, timer ---
  bool MouseBlocked() const;
  bool HotButtonLit() const;
  void HotButtonRelease(bool left);
  void MultiDisplDialog();
  void CycleMulti();
  void CloseWindow();
  void MoveCursorTo(int which, int x, int y);
  void PaintPanels(platform::Canvas& dc);
  void ApplyPendingLayout();
  void RefreshScales();
  void TimerToolTip();
  // Presses and releases a key in modifier state `state`; answers whether it was used.
  bool PressKey(int state, int key);
  bool FunctionKey(int key);  // the keys without a modifier that every graph window has
  bool hotButtonsDrawn_ = false;
  bool firstTick_ = true;
  int funKeyPressed_ = 0;
  int vertPressed_ = -1, vertHover_ = -1;
  bool tipPending_ = false, tipShown_ = false;
  uint32_t hoverStart_ = 0;

  // --- long records: one pixel column's extremes from the store's envelopes ---
  // The extremes of data[from, to), NaN passed over; through the store's
  // min/max envelope when `data` lies in its sample array, else by a scan.
  state::SampleEnvelope::Extremes ColumnExtremes(const float* data, int64_t from, int64_t to) const;
  // The same with infinities passed over too, as a value scale is found.
  state::SampleEnvelope::Extremes FiniteExtremes(const float* data, int64_t from, int64_t to) const;
  // Builds at once the envelope chunks that the columns of data[from, to) read.
  void PrepareColumns(const float* data, int64_t from, int64_t to) const;
  // Where `data` lies in the store's sample array, or -1 outside it.
  int64_t StoreIndex(const float* data) const;
};

// What a window draws on until a host attaches a surface: a recording one
// (tests read what was drawn) or one that keeps nothing (headless).
enum class OwnSurface { Recording, Nothing };

// The graph window factory that the main window opens channels' windows with.
platform::GraphWindowFactory MakeGraphWindowFactory(state::Program& p, OwnSurface own = OwnSurface::Recording,
                                                    WindowDialogs dialogs = {});

}  // namespace graph
