// The main window's panel with hostile settings: the `DG`, `PG`, `WG` and
// measurement header images, the reference channel's period, run flags, the
// status and macro lines without terminators, the card's name, and the
// surface and pressed region. A fresh program each input; the general texts
// are read once and copied in.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "app/Allocation.h"
#include "app/MainPanel.h"
#include "daq/CardState.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace {

const state::GeneralTexts& Texts() {
  static const state::GeneralTexts texts = [] {
    state::GeneralTexts t;
    const auto file =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "trv_gb.txt";
    t.Load(file.string());
    return t;
  }();
  return texts;
}

template <typename T>
void Image(FuzzedDataProvider& in, T& record) {
  // Either the whole record from the input or a few fields patched.
  auto* bytes = reinterpret_cast<uint8_t*>(&record);
  if (in.ConsumeBool()) {
    std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(sizeof(T));
    if (!raw.empty()) std::memcpy(bytes, raw.data(), raw.size());
    return;
  }
  const int patches = in.ConsumeIntegralInRange<int>(0, 6);
  for (int i = 0; i < patches; ++i) {
    const size_t at = in.ConsumeIntegralInRange<size_t>(0, sizeof(T) - 4);
    const int32_t v = in.ConsumeIntegral<int32_t>();
    std::memcpy(bytes + at, &v, 4);
  }
}

float HostilePeriod(FuzzedDataProvider& in) {
  static const float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   0.0f,
                                   -0.0f,
                                   std::numeric_limits<float>::denorm_min(),
                                   std::numeric_limits<float>::min(),
                                   std::numeric_limits<float>::max(),
                                   -1.0f,
                                   1e-30f,
                                   0.004f,
                                   1000.0f};
  if (in.ConsumeBool()) return kSpecial[in.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)];
  uint32_t bits = in.ConsumeIntegral<uint32_t>();
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

void FillText(FuzzedDataProvider& in, char* field, size_t size) {
  // Fills the field, sometimes with no terminator at all.
  std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, size));
  std::memset(field, in.ConsumeBool() ? 0 : 'x', size);
  if (!raw.empty()) std::memcpy(field, raw.data(), raw.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths("/nonexistent-tarvelin-fuzz", "/nonexistent-tarvelin-fuzz");
  state::Program p(state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths});
  p.DoMess = 0;
  p.Texts = Texts();
  p.DG.TotalSamples = 1024;
  p.DG.MaxLength = 1024;
  if (!app::AllocateRecords(p)) return 0;
  app::SizeMemory(p);
  if (in.ConsumeBool() && !app::AllocateSampleArrays(p)) return 0;

  Image(in, p.DG);
  Image(in, p.PG);
  Image(in, p.WG);
  Image(in, p.HGB);
  // The reference channel as `PG` names it, and a few others.
  for (int i = in.ConsumeIntegralInRange<int>(0, 3); i > 0; --i)
    p.A[in.ConsumeIntegralInRange<size_t>(0, store::kChannels - 1)].WPeriod = HostilePeriod(in);
  if (p.PG.RefChannel >= 1 && p.PG.RefChannel <= store::kChannels) p.RefA().WPeriod = HostilePeriod(in);
  p.QW = in.ConsumeIntegral<int32_t>() % 3;
  p.QM = in.ConsumeIntegral<int32_t>() % 3;
  p.QW_EXT = in.ConsumeIntegral<uint16_t>() % 3;
  p.MacGoing = in.ConsumeBool();
  p.BoardPresent = in.ConsumeBool();
  p.Bindx = in.ConsumeIntegral<int32_t>();
  FillText(in, p.Status, sizeof p.Status);
  FillText(in, p.MacroSt, sizeof p.MacroSt);
  if (in.ConsumeBool()) {
    daq::CardState& card = daq::Card(p);
    FillText(in, card.CardName, sizeof card.CardName);
    card.Driver_Inicializovan = in.ConsumeBool();
    card.DA_going = in.ConsumeBool();
  }

  const int w = in.ConsumeIntegralInRange<int>(-5, 2000), h = in.ConsumeIntegralInRange<int>(-5, 2000);
  platform::RecordingCanvas c(w, h);
  const int held = in.ConsumeIntegralInRange<int>(-3, int(app::PanelButtons().size()) + 3);
  app::PaintPanel(p, c, held);
  app::PaintHeartbeat(p, c, in.ConsumeIntegralInRange<int>(-10, 10));
  // Hit testing and tooltips agree with the region table anywhere.
  for (int i = 0; i < 4; ++i) {
    const int x = in.ConsumeIntegralInRange<int>(-10, 500), y = in.ConsumeIntegralInRange<int>(-10, 240);
    const int button = app::PanelButtonAt(x, y);
    if (button < -1 || button >= int(app::PanelButtons().size())) __builtin_trap();
    app::PanelTooltip t = app::PanelTooltipOf(p, button);
    if ((button < 0) != t.text.empty()) __builtin_trap();
    if (app::PanelCommandAt(x, y) != (button < 0 ? 0 : app::PanelButtons()[size_t(button)].command))
      __builtin_trap();
  }
  return 0;
}
