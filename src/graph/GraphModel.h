// `TDispl10`, the graph window of one channel as a model without any GUI:
// what it knows about its data and its plot rectangle, the transforms between
// samples/values and pixels, and every operation that changes the shown
// range. It draws through a platform::Canvas surface (GraphPaint.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/Program.h"
#include "platform/Canvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/WindowHost.h"
#include "store/GraphSettings.h"

namespace graph {

// One point of the picture buffer, in client coordinates.
struct PicturePoint {
  int32_t x = 0, y = 0;
};

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

class TDispl10 : public platform::GraphWindow {
 public:
  // isW: 1 waveform store, 0 measurement store; offset: first sample of the
  // channel in the store (`Pocatek`), -1 when the channel is not active.
  TDispl10(app::Program& p, const std::string& title, int isW, int16_t chan, int32_t offset,
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
  void SetSurface(platform::Canvas* canvas) { surface_ = canvas ? canvas : ownSurface_.get(); }
  platform::Canvas& Surface() { return *surface_; }
  // `EvSize`: the client area changed.
  void SetClientSize(int width, int height);
  bool Broken() const { return broken_; }
  // The window's rectangle on screen (left, top, right, bottom), placed visibly.
  const int32_t* WindowRect() const { return rect_; }

  // A key pressed in the window: a virtual key code (F1 = 0x70, arrows
  // 37..40, letters upper-case ASCII) and modifier bits (1 Shift, 2 Ctrl,
  // 4 Alt). Answers true when the key was used; the host then shows the
  // surface again.
  bool KeyDown(int key, int modifiers);

  // --- set-up ---
  void DisplInit();
  void SetPointer();
  void SetNewPointer(int32_t type, int32_t previous);
  void UpravAktivniKanal();
  void SetCHANM();
  // Recomputes the plot rectangle from the client size and the bar widths.
  void Layout();

  // --- transforms ---
  void KoefX();
  void KoefY();
  void DePress();
  int16_t GlobalVertToMouse(int32_t i) const;
  int16_t FloatGlobalVertToMouse(float i) const;
  int16_t GlobalVertToMouseXYPlot(float v) const;
  int32_t MouseVertToGlobal(int16_t x) const;
  float FMouseVertToGlobal(int16_t x) const;
  float MouseVertToGlobalXYPlot(int16_t x) const;
  float MouseHorizToGlobal(int16_t y) const;
  int16_t GlobalHorizToMouse(float v, int16_t x) const;
  bool OK_xy(int16_t& x, int16_t& y) const;
  void OK_IL_IR();
  float CursorMagnitude(int16_t x) const;
  // Value to client y as the trace painter converts it (clamped into the plot).
  int16_t ValueToY(float v, int16_t x) const;

  // --- range operations ---
  void SetLimits(int which, int ask);
  void DisplLimits(int which);
  void SetMaxMinIn(int32_t from, int32_t to, int toShown, int skipZero, int margin);
  void SetMaxMinIn_OnlyValue(int32_t from, int32_t to, float& min, float& max) const;
  void SetMaxMinXYPlot();
  void AutoscaleAll(int display, int resetRange, int skipZero);
  void HorizontalAllExpand();
  void VerticalAllExpand();
  void MagExpand();
  void MagCompress();
  void WinExpand();
  void WinCompress();
  void LeftDataShift();
  void RightDataShift();
  void UpDataShift();
  void DownDataShift();
  void ShiftDivChange();
  void SetShadowMem(int16_t mode);
  void CommonDisplay(int which);
  void DisplControl();

  // --- painting (GraphPaint.cpp) ---
  void Displ(platform::Canvas& dc);
  void PictureBufferFilling();

  // --- helpers over the stores ---
  store::CG_s& Graph(int chan) const { return cg_[chan]; }
  store::CG_s& Own() const { return cg_[OwnChan]; }
  store::CG_s& Act() const { return cg_[ActChan]; }
  bool IsShown(int chan) const;  // shown in multi display
  int ShownChannelCount() const;
  bool IsXY() const { return Own().XYPlot != 0; }
  const float* Series() const { return series_; }
  const PicturePoint* Picture() const { return pictureBlock_.get(); }
  int32_t PictureCount() const { return pictureCount_; }

  // --- members of the description ---
  int32_t IsW;
  int16_t OwnChan, ActChan;
  int32_t Offset;  // the channel's first sample in the store
  int32_t Half = 0, NShown = 0;
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

  app::Program& p_;
  store::CG_s* cg_;
  std::string caption_;
  float* series_ = nullptr;
  app::Block<PicturePoint> pictureBlock_;
  int32_t pictureCount_ = 0;
  int32_t pictureCapacity_ = 0;
  std::unique_ptr<platform::RecordingCanvas> ownSurface_;
  platform::Canvas* surface_ = nullptr;
  int32_t rect_[4] = {};
  bool painted_ = false;
  bool broken_ = false;
};

// The graph window factory that the main window opens channels' windows with.
platform::GraphWindowFactory MakeGraphWindowFactory(app::Program& p);

}  // namespace graph
