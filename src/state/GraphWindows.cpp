#include "state/GraphWindows.h"

#include <cstdio>

#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace state {
namespace {

void CloseWindow(Program& p, std::unique_ptr<platform::GraphWindow>& w) {
  if (!w) return;
  if (p.plat.windows) p.plat.windows->Close(*w);
  w.reset();
}

void OpenWindow(Program& p, store::Store store, int channel) {
  const store::Header_s& h = p.Header(store);
  if (!h.ChannelOn[channel]) {
    Mess(p, TxtF(p, 326, {channel + 1}), Txt(p, 11));
    return;
  }
  const store::CG_s& g = p.Graphs(store)[channel];
  platform::GraphWindowSpec request;
  request.store = store::FlagOf(store);
  request.channel = channel;
  request.start = Pocatek(p, store, channel);
  request.caption = WindowCaption(p, store, channel);
  for (int i = 0; i < 4; ++i) request.rect[i] = g.WinRect[i];
  request.captionBar = g.CaptionBar != 0;
  std::unique_ptr<platform::GraphWindow> w =
      p.GraphFactory ? p.GraphFactory(request) : MakeStandInWindow(p, request.caption);
  if (!w) return;
  AwaitFirstPaint(p);
  p.Windows(store)[channel] = std::move(w);
  if (p.plat.windows) p.plat.windows->Show(*p.Windows(store)[channel]);
}

}  // namespace

namespace {

// Stands in for a window until a front end installs its factory: it releases
// a waiting macro on its first paint, as a drawn window does.
class StandInWindow : public platform::GraphWindow {
 public:
  StandInWindow(Program& p, std::string caption) : p_(p), caption_(std::move(caption)) {}
  void UserMessage(int, int) override {}
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& Caption() const override { return caption_; }
  void Paint() override {
    if (painted_) return;
    painted_ = true;
    FirstPaintDone(p_);
  }
  void Timer() override {}

 private:
  Program& p_;
  std::string caption_;
  bool painted_ = false;
};

}  // namespace

std::unique_ptr<platform::GraphWindow> MakeStandInWindow(Program& p, std::string caption) {
  return std::make_unique<StandInWindow>(p, std::move(caption));
}

void AwaitFirstPaint(Program& p) {
  if (!p.MacGoing) return;
  p.MacStop = 1;
  ++p.DisplayLeft;
}

void FirstPaintDone(Program& p) {
  if (p.DisplayLeft > 0) --p.DisplayLeft;
  if (p.MacGoing && p.MacStop && !p.QW && !p.QM && p.PWait < 0) p.MacAgain = 1;
}

std::string WindowCaption(const Program& p, store::Store store, int channel) {
  char buf[400];
  const store::Channel_s& c = p.Channels(store)[channel];
  std::snprintf(buf, sizeof buf, store::IsW(store) ? " W%1d %s %s" : " M%1d %s %s", channel + 1,
                store::FieldText(c.Name).c_str(),
                store::FieldText(store::IsW(store) ? p.DW_Name : p.DM_Name).c_str());
  return buf;
}

void UnDisplayWave(Program& p, store::Store store, int channel) {
  auto* table = p.Windows(store);
  if (channel >= 0) {
    if (channel < store::kChannels) CloseWindow(p, table[channel]);
    return;
  }
  for (int i = 0; i < store::kChannels; ++i) CloseWindow(p, table[i]);
}

void DisplayWave(Program& p, store::Store store, int channel) {
  if (channel >= store::kChannels) return;
  UnDisplayWave(p, store, channel);
  if (channel >= 0) {
    OpenWindow(p, store, channel);
    return;
  }
  for (int i = 0; i < store::kChannels; ++i) {
    // Indexed through the packed record: a pointer into it may be misaligned.
    int32_t shown = store::IsW(store) ? p.MG.WDisplay[i] : p.MG.MDisplay[i];
    if (p.Header(store).ChannelOn[i] && shown) OpenWindow(p, store, i);
  }
}

void SendToStoreWindows(Program& p, store::Store store, int code, int arg) {
  // Every operation that changes samples announces it with one of these (or
  // runs from a macro line or a menu item, which drop the envelopes too), so
  // the painters never draw from envelopes older than the samples.
  if (code == kDataChanged || code == kRedrawAll || code == kRedrawWhole || code == kExpandWhole)
    SamplesChanged(p, store);
  auto* table = p.Windows(store);
  for (int i = 0; i < store::kChannels; ++i)
    if (table[i]) table[i]->UserMessage(code, arg);
}

void AktualizujOkno(Program& p) {
  SendToStoreWindows(p, store::Store::W, kRedrawAll);
  SendToStoreWindows(p, store::Store::M, kRedrawAll);
}

void DataChanged(Program& p, store::Store store) { SendToStoreWindows(p, store, kDataChanged); }

bool AnyWindowOpen(const Program& p, store::Store store) {
  const auto* table = store::IsW(store) ? p.QWWin : p.QMWin;
  for (int i = 0; i < store::kChannels; ++i)
    if (table[i]) return true;
  return false;
}

void UpdateCaptions(Program& p, store::Store store) {
  auto* table = p.Windows(store);
  for (int i = 0; i < store::kChannels; ++i)
    if (table[i]) table[i]->SetCaption(WindowCaption(p, store, i));
}

}  // namespace state

namespace state {

bool SendHotKey(Program& p, store::Store store, int chan, int code) {
  if (!IsHotKey(code)) return false;
  // The channel may come from a kept setting: look it up only when it is one.
  platform::GraphWindow* w = chan >= 0 && chan < store::kChannels ? p.Windows(store)[chan].get() : nullptr;
  if (!w) {
    Mess(p, TxtF(p, 668, {chan + 1}), Txt(p, 13));
    return false;
  }
  w->UserMessage(code, 0);
  return true;
}

}  // namespace state
