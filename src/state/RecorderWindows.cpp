#include "state/RecorderWindows.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace state {
namespace {

std::unique_ptr<platform::GraphWindow>* Table(Program& p, RecorderKind kind) {
  return kind == RecorderKind::Trend ? p.GrafWin1 : p.GrafWin2;
}

void Close(Program& p, std::unique_ptr<platform::GraphWindow>& w) {
  if (!w) return;
  // Out of the table first: closing may re-enter (a host's close handler).
  std::unique_ptr<platform::GraphWindow> gone = std::move(w);
  if (p.plat.windows) p.plat.windows->Close(*gone);
}

// Default places: the two recorders side by side under the main window.
void DefaultRect(RecorderKind kind, int32_t rect[4]) {
  const int32_t left = kind == RecorderKind::Trend ? 0 : 500;
  rect[0] = left;
  rect[1] = 260;
  rect[2] = left + 480;
  rect[3] = 260 + 220;
}

void Open(Program& p, RecorderKind kind) {
  const int channel = RecorderChannel(p);
  auto& slot = Table(p, kind)[channel];
  if (slot) return;
  platform::GraphWindowSpec request;
  request.store = store::FlagOf(store::Store::M);
  request.channel = channel;
  request.start = Pocatek(p, store::Store::M, channel);
  char caption[160];
  const std::string name = p.FGB ? store::FieldText(p.FGB[size_t(channel)].Name) : std::string();
  std::snprintf(caption, sizeof caption, " %s M%d %s",
                kind == RecorderKind::Trend ? Lang(p, "Trend", "Trend") : Lang(p, "Zapisovač", "Recorder"),
                channel + 1, name.c_str());
  request.caption = caption;
  DefaultRect(kind, request.rect);
  std::unique_ptr<platform::GraphWindow> w =
      p.RecorderFactory ? p.RecorderFactory(request, int(kind)) : MakeStandInWindow(p, request.caption);
  if (!w) return;
  AwaitFirstPaint(p);
  slot = std::move(w);
  p.GoGrafWin = 1;
  if (p.plat.windows) p.plat.windows->Show(*slot);
}

}  // namespace

int RecorderChannel(const Program& p) {
  const int r = p.PG.RefChannel;
  return r >= 1 && r <= store::kChannels ? r - 1 : 0;
}

bool RecorderWanted(const Program& p, RecorderKind kind) {
  if (!p.A) return false;
  const store::A_s& ref = p.RefA();
  return ref.MStore && (kind == RecorderKind::Trend ? ref.MTrigger : ref.MScroll);
}

bool AnyRecorderOpen(const Program& p) {
  for (int i = 0; i < store::kChannels; ++i)
    if (p.GrafWin1[i] || p.GrafWin2[i]) return true;
  return false;
}

void OpenRecorderWindows(Program& p) {
  if (!MemOK(p, store::Store::M)) return;
  for (RecorderKind kind : {RecorderKind::Trend, RecorderKind::Screen})
    if (RecorderWanted(p, kind)) Open(p, kind);
}

void CloseRecorderWindows(Program& p) {
  for (int i = 0; i < store::kChannels; ++i) {
    Close(p, p.GrafWin1[i]);
    Close(p, p.GrafWin2[i]);
  }
  p.GoGrafWin = 0;
}

void CloseRecorderWindow(Program& p, platform::GraphWindow& window) {
  for (RecorderKind kind : {RecorderKind::Trend, RecorderKind::Screen}) {
    auto* table = Table(p, kind);
    for (int i = 0; i < store::kChannels; ++i)
      if (table[i].get() == &window) Close(p, table[i]);
  }
  p.GoGrafWin = AnyRecorderOpen(p) ? 1 : 0;
}

void GoGrafWinProc(Program& p) {
  if (AnyRecorderOpen(p)) {
    CloseRecorderWindows(p);
    return;
  }
  if (!MemOK(p, store::Store::M)) return;
  if (!RecorderWanted(p, RecorderKind::Trend) && !RecorderWanted(p, RecorderKind::Screen)) {
    // Otherwise the button would seem dead.
    TS(p, Lang(p, "Okna zapisovače: zapněte ukládání a trend nebo obrazovku (MSVON, MTRON, MSCRON)",
               "Recorder windows: switch on storing and the trend or the screen (MSVON, MTRON, MSCRON)"));
    return;
  }
  OpenRecorderWindows(p);
}

void SendToRecorderWindows(Program& p, int code, int arg) {
  for (int i = 0; i < store::kChannels; ++i) {
    if (p.GrafWin1[i]) p.GrafWin1[i]->UserMessage(code, arg);
    if (p.GrafWin2[i]) p.GrafWin2[i]->UserMessage(code, arg);
  }
}

}  // namespace state
