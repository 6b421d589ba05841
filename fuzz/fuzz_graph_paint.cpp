// The graph window's painting with the records a job or history file may
// bring: graph settings, the colour record, the header and the samples
// (NaN/Inf included), then keys, user messages and resizes. Every input gets
// a fresh program, so nothing is carried between runs.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "app/Allocation.h"
#include "graph/GraphModel.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Defaults.h"

namespace {

constexpr int32_t kCapacity = 4096;  // samples of each store array

// A recording surface that stops recording past a cap: a loop that never
// ends shows as a time-out, one that merely draws too much as a trap.
class CappedCanvas : public platform::RecordingCanvas {
 public:
  CappedCanvas(int w, int h) : RecordingCanvas(w, h) {}
  static constexpr long kCap = 200000;  // calls of one step

  void Step() {
    calls_ = 0;
    Clear();
  }

  void SetPen(uint32_t c, int w) override {
    if (w < 0 || w > 64) __builtin_trap();  // a pen from a record, unchecked
    if (Tally()) RecordingCanvas::SetPen(c, w);
  }
  void SetBrush(uint32_t c) override {
    if (Tally()) RecordingCanvas::SetBrush(c);
  }
  void SetNullBrush() override {
    if (Tally()) RecordingCanvas::SetNullBrush();
  }
  void SetFont(const platform::Font& f) override {
    // A desktop surface renders whatever cell it is given; a cell from a
    // record of several thousand pixels would stall it.
    if (f.height < 1 || f.height > 400 || f.width < 0 || f.width > 400) __builtin_trap();
    if (Tally()) RecordingCanvas::SetFont(f);
  }
  void SetTextColor(uint32_t c) override {
    if (Tally()) RecordingCanvas::SetTextColor(c);
  }
  void SetXor(bool on) override {
    if (Tally()) RecordingCanvas::SetXor(on);
  }
  void Line(platform::Point a, platform::Point b) override {
    Check(a);
    Check(b);
    if (Tally()) RecordingCanvas::Line(a, b);
  }
  void Polyline(const std::vector<platform::Point>& pts) override {
    if (pts.size() > size_t(8 * kCapacity + 64)) __builtin_trap();  // more points than samples
    for (const platform::Point& q : pts) Check(q);
    if (Tally()) RecordingCanvas::Polyline(pts);
  }
  void Polygon(const std::vector<platform::Point>& pts) override {
    if (pts.size() > size_t(8 * kCapacity + 64)) __builtin_trap();
    for (const platform::Point& q : pts) Check(q);
    if (Tally()) RecordingCanvas::Polygon(pts);
  }
  void Rectangle(int l, int t, int r, int b) override {
    Check({l, t});
    Check({r, b});
    if (Tally()) RecordingCanvas::Rectangle(l, t, r, b);
  }
  void FillRect(int l, int t, int r, int b, uint32_t c) override {
    Check({l, t});
    Check({r, b});
    if (Tally()) RecordingCanvas::FillRect(l, t, r, b, c);
  }
  void Ellipse(int l, int t, int r, int b) override {
    Check({l, t});
    Check({r, b});
    if (Tally()) RecordingCanvas::Ellipse(l, t, r, b);
  }
  void Pixel(platform::Point q, uint32_t c) override {
    Check(q);
    if (Tally()) RecordingCanvas::Pixel(q, c);
  }
  int Text(platform::Point q, std::string_view s, platform::HAlign h, platform::VAlign v) override {
    Check(q);
    return Tally() ? RecordingCanvas::Text(q, s, h, v) : 0;
  }
  void Bitmap(platform::Point q, std::string_view name) override {
    Check(q);
    if (Tally()) RecordingCanvas::Bitmap(q, name);
  }

 private:
  // Coordinates come from int16 transforms; anything far beyond them is a
  // conversion that went wrong.
  static void Check(platform::Point q) {
    if (q.x < -40000 || q.x > 40000 || q.y < -40000 || q.y > 40000) __builtin_trap();
  }
  bool Tally() {
    if (++calls_ > kCap) __builtin_trap();  // a scale or raster loop that runs away
    // Keep the recorded text small; counting goes on.
    return Ops().size() < 4096;
  }
  long calls_ = 0;
};

float HostileFloat(FuzzedDataProvider& in) {
  static const float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   0.0f,
                                   -0.0f,
                                   1.0f,
                                   -1.0f,
                                   std::numeric_limits<float>::denorm_min(),
                                   std::numeric_limits<float>::min(),
                                   std::numeric_limits<float>::max(),
                                   -std::numeric_limits<float>::max(),
                                   1e-30f,
                                   1e30f,
                                   1e-6f,
                                   1e6f,
                                   0.001f};
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return kSpecial[in.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)];
    case 1: {
      uint32_t bits = in.ConsumeIntegral<uint32_t>();
      float f;
      std::memcpy(&f, &bits, 4);
      return f;
    }
    default:
      return float(in.ConsumeIntegralInRange<int>(-1000, 1000)) * 0.25f;
  }
}

// Overwrites `n` bytes of a packed record: fields at arbitrary offsets,
// half of the time with a hostile float, else with raw integers.
void Patch(FuzzedDataProvider& in, void* record, size_t size) {
  auto* bytes = static_cast<uint8_t*>(record);
  if (in.ConsumeIntegralInRange<int>(0, 15) == 0) {
    std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(size);
    if (!raw.empty()) std::memcpy(bytes, raw.data(), raw.size());
    return;
  }
  const int patches = in.ConsumeIntegralInRange<int>(0, 8);
  for (int i = 0; i < patches; ++i) {
    const size_t at = in.ConsumeIntegralInRange<size_t>(0, size - 4);
    if (in.ConsumeBool()) {
      float f = HostileFloat(in);
      std::memcpy(bytes + at, &f, 4);
    } else {
      int32_t v =
          in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-3, 300) : in.ConsumeIntegral<int32_t>();
      std::memcpy(bytes + at, &v, 4);
    }
  }
}

void FillSamples(FuzzedDataProvider& in, float* data, size_t n) {
  const int mode = in.ConsumeIntegralInRange<int>(0, 4);
  const float a = HostileFloat(in), b = HostileFloat(in);
  for (size_t i = 0; i < n; ++i) {
    switch (mode) {
      case 0:
        data[i] = a;
        break;
      case 1:
        data[i] = a + b * float(i);
        break;
      case 2:
        data[i] = (i & 1) ? a : b;
        break;
      case 3:
        data[i] = float(std::sin(double(i) * 0.05)) * a;
        break;
      default:
        data[i] = in.remaining_bytes() ? HostileFloat(in) : a;
        break;
    }
  }
  // A few single hostile samples at chosen places.
  const int spikes = in.ConsumeIntegralInRange<int>(0, 4);
  for (int i = 0; i < spikes && n; ++i) data[in.ConsumeIntegralInRange<size_t>(0, n - 1)] = HostileFloat(in);
}

int HostileSize(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return in.ConsumeIntegralInRange<int>(-2, 12);
    case 1:
      return in.ConsumeIntegral<int>();
    default:
      return in.ConsumeIntegralInRange<int>(40, 1200);
  }
}

constexpr int kKeys[] = {0x21, 0x22, 0x25, 0x26, 0x27, 0x28, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77,
                         'A',  'C',  'D',  'L',  'M',  'P',  'Q',  'R',  'W',  0x6A, 0x6B, 0x6D, 0x6F};

void Run(FuzzedDataProvider& in, platform::Paths& paths) {
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  state::Program p(state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths});
  p.DoMess = 0;
  p.DG.TotalSamples = kCapacity;
  p.DG.MaxLength = kCapacity;
  if (!app::AllocateRecords(p)) return;
  app::SizeMemory(p);
  if (!app::AllocateSampleArrays(p) || !app::AllocateBuffers(p)) return;
  const double baseAlloc = p.TotalDataAlloc;

  const store::Store isW = in.ConsumeBool() ? store::Store::W : store::Store::M;
  store::Header_s& h = p.Header(isW);
  std::memset(h.ChannelOn, 0, sizeof h.ChannelOn);
  const int16_t own = int16_t(in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 3)
                                               : in.ConsumeIntegralInRange<int>(0, store::kChannels - 1));
  h.ChannelOn[own] = int16_t(in.ConsumeIntegralInRange<int>(0, 8) != 0);
  const int more = in.ConsumeIntegralInRange<int>(0, 4);
  int chans[8] = {own};
  int nChans = 1;
  for (int i = 0; i < more; ++i) {
    int c = in.ConsumeIntegralInRange<int>(0, store::kChannels - 1);
    h.ChannelOn[c] = 1;
    chans[nChans++] = c;
  }
  const int active = state::ActiveChannels(p, isW);
  // The readers never let the active channels together outgrow the arrays
  // (a negative length may still come from a header image).
  const int32_t longest = kCapacity / std::max(active, 1);
  auto hostileLength = [&] {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-2, 3)
                            : in.ConsumeIntegralInRange<int32_t>(0, longest);
  };
  h.Length = hostileLength();

  store::CG_s* cg = p.Graphs(isW);
  store::Col_s& col = *p.Col_.get();
  for (int i = 0; i < nChans; ++i) {
    const int c = chans[i];
    Patch(in, &cg[c], sizeof(store::CG_s));
    // The colour record's entries of the channel, field by field.
    col.TraceColor[c] = in.ConsumeIntegral<uint32_t>();
    col.TimeStep[c] = HostileFloat(in);
    col.ValueStep[c] = HostileFloat(in);
    col.Background[c] = in.ConsumeIntegral<uint32_t>();
    col.ViewCount[c] = in.ConsumeIntegral<int16_t>();
    col.ViewPos[c] = in.ConsumeIntegral<int16_t>();
    col.ViewIL[c][0] = in.ConsumeIntegral<int32_t>();
    col.ViewIR[c][0] = in.ConsumeIntegral<int32_t>();
    col.StripWeight[c] =
        in.ConsumeBool() ? int16_t(in.ConsumeIntegralInRange<int>(-2, 5)) : in.ConsumeIntegral<int16_t>();
    p.Channels(isW)[c].Step = HostileFloat(in);
    p.Freq(isW)[c] = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  }
  if (in.ConsumeBool()) Patch(in, p.Prt.get(), sizeof(store::Prt_s));
  FillSamples(in, p.Samples(isW), size_t(kCapacity));
  if (in.ConsumeBool()) FillSamples(in, p.Scratch(isW), size_t(kCapacity));

  int32_t rect[4];
  for (int32_t& r : rect)
    r = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-100, 1500) : in.ConsumeIntegral<int32_t>();

  CappedCanvas canvas(1200, 900);
  {
    graph::TDispl10 w(p, "fuzz", isW, own, state::Pocatek(p, isW, own), rect);
    const int32_t* placed = w.WindowRect();
    if (placed[0] < 0 || placed[1] < 0 || placed[2] > graph::kMaxScreenW || placed[3] > graph::kMaxScreenH ||
        placed[2] - placed[0] < graph::kMinWindowW || placed[3] - placed[1] < graph::kMinWindowH)
      __builtin_trap();
    if (in.ConsumeIntegralInRange<int>(0, 7) != 0) w.SetSurface(&canvas);
    w.DisplInit();
    w.Paint();
    canvas.Step();
    if (w.Broken()) __builtin_trap();  // only a failed allocation may break it

    const int steps = in.ConsumeIntegralInRange<int>(0, 24);
    for (int s = 0; s < steps && in.remaining_bytes(); ++s) {
      switch (in.ConsumeIntegralInRange<int>(0, 11)) {
        case 0:
        case 1:
        case 2:
        case 3:
          w.KeyDown(kKeys[in.ConsumeIntegralInRange<size_t>(0, std::size(kKeys) - 1)],
                    in.ConsumeIntegralInRange<int>(0, 7) == 0 ? 2 : 0);
          break;
        case 4:
          w.KeyDown(in.ConsumeIntegralInRange<int>(0, 255), in.ConsumeIntegralInRange<int>(0, 7));
          break;
        case 5:
          w.UserMessage(2040, 0);
          break;
        case 6:
          w.UserMessage(2000, 0);
          break;
        case 7: {
          static const int kCodes[] = {2003, 2004, 2039, 2043, 2044};
          w.UserMessage(kCodes[in.ConsumeIntegralInRange<size_t>(0, std::size(kCodes) - 1)],
                        in.ConsumeIntegralInRange<int>(-2, store::kChannels + 1));
          break;
        }
        case 8:
          w.SetClientSize(HostileSize(in), HostileSize(in));
          w.Paint();
          break;
        case 9: {
          // The record changes under the window: a new length, then 2040.
          h.Length = hostileLength();
          if (in.ConsumeBool()) Patch(in, &cg[own], sizeof(store::CG_s));
          w.UserMessage(2040, 0);
          break;
        }
        case 10:
          w.Timer();
          break;
        default:
          w.Paint();
          break;
      }
      canvas.Step();
    }
    w.SetSurface(nullptr);
  }
  // The window is gone: only the video memory it stored may still be held.
  double held = 0;
  for (int c = 0; c < store::kChannels; ++c)
    for (int k = 0; k < state::kHistEntries; ++k)
      held += 8.0 * (p.WHBuf[c][k].data ? p.WHBuf[c][k].size : 0) +
              8.0 * (p.MHBuf[c][k].data ? p.MHBuf[c][k].size : 0);
  if (p.TotalDataAlloc != baseAlloc + held) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No folder is created: the graph window reads and writes no files.
  static platform::Paths paths("/nonexistent-tarvelin-fuzz", "/nonexistent-tarvelin-fuzz");
  FuzzedDataProvider in(data, size);
  Run(in, paths);
  return 0;
}
