// Executors of the processing keywords: transforms, zeroing, frequency
// bands, integral and derivative, user functions, constant and channel
// arithmetic, channel names.
#include <cmath>
#include <string>

#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/Prompts.h"
#include "ops/ChannelAlgebra.h"
#include "ops/ChannelTransport.h"
#include "ops/FrequencyAnalysis.h"
#include "ops/Matematika.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "ops/UserFunctions.h"
#include "ops/Zeroing.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {
namespace {

constexpr int kScratchChannel = 60;  // channel 61, the band analysis' scratch

// The store's windows show the changed data (and redraw, unless a macro runs).
void Changed(state::Program& p, store::Store store) {
  state::DataChanged(p, store);
  if (!p.MacGoing) state::SendToStoreWindows(p, store, state::kRedrawAll);
}

void RefuseChannel(state::Program& p, std::string_view keyword, long long number) {
  state::Mess(p,
              std::string(keyword) + ": channel number " + std::to_string(number) +
                  " outside 1..128, statement not executed",
              state::Txt(p, 14));
}

int WLength(const state::Program& p) { return p.HGW.Length > 0 ? int(p.HGW.Length) : 1; }

// At most `bytes` bytes of UTF-8 text, not cutting a character in two.
std::string CutUtf8(std::string text, size_t bytes) {
  if (text.size() <= bytes) return text;
  size_t n = bytes;
  while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80) --n;
  return text.substr(0, n);
}

}  // namespace

int SpectrumCommand(state::Program& p, bool magnitudes) {
  const char* keyword = magnitudes ? "WTOMAG" : "FFT";
  int32_t channel = QueueEmpty(p) ? 0 : CommandArgument(p);
  if (channel < 0 || channel > 128) {
    RefuseChannel(p, keyword, channel);
    return kFailed;
  }
  if (!state::MemOK(p, store::Store::W, true)) return kFailed;
  auto one = [&](int c) {
    return magnitudes ? ops::ToMagUtil(p, store::Store::W, c)
                      : ops::FFT_Command(p, store::Store::W, c, false);
  };
  auto all = [&] {
    if (!magnitudes) return ops::FFT_Command(p, store::Store::W, 65535, false);
    int ok = 1;
    for (int c = 0; c < store::kChannels; ++c)
      if (p.HGW.ChannelOn[c] && !ops::ToMagUtil(p, store::Store::W, c)) ok = 0;
    return ok;
  };
  int ok = 0;
  if (channel > 0) {
    ok = one(channel - 1);
  } else if (p.MacGoing || state::AskT(p, magnitudes ? 965 : 482, 15) == platform::Answer::Yes) {
    ok = all();
  } else {
    // FFT answered No: every live window shows the spectrum of what it shows.
    if (!magnitudes) Broadcast(p, state::kTransform);
    return kDone;
  }
  Changed(p, store::Store::W);
  return ok ? kDone : kFailed;
}

int ExWBZERO(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return kFailed;
  const int n = WLength(p);
  int32_t channel = 1, from = 0, to = n - 1;
  if (!GetChannel(p, channel, 0, 128, state::Txt(p, 191), "WBZERO")) return kFailed;
  if (!GetL(p, from, 0, n - 1, 0, state::Txt(p, 192))) return kFailed;
  if (!GetL(p, to, 0, n - 1, n - 1, state::Txt(p, 193))) return kFailed;
  return ops::ZeroWaveUtil(p, store::Store::W, channel, from, to, false, true) ? kDone : kFailed;
}

int ExMBZERO(state::Program& p) {
  if (!state::MemOK(p, store::Store::M, true)) return kFailed;
  return ops::ZeroWaveUtil(p, store::Store::M, 0, -1, -1, false, true) ? kDone : kFailed;
}

// mode: -1 zero the band (WBZEROHZ), else the band analysis mode.
namespace {

// The band analysis works in channel 61 and deletes it afterwards. Data
// there is not thrown away unasked: the user decides; a macro, which asks
// nothing, works in a free channel instead and says which. -1: refused.
int BandWorkChannel(state::Program& p, int source) {
  if (source == kScratchChannel || !p.HGW.ChannelOn[kScratchChannel]) return kScratchChannel;
  if (!p.MacGoing) {
    const std::string question = state::TxtF(p, 438, {kScratchChannel + 1});
    return p.ui().AskYesNo(question, state::Txt(p, 15)) == platform::Answer::Yes ? kScratchChannel : -1;
  }
  for (int c = store::kChannels - 1; c >= 0; --c) {
    if (p.HGW.ChannelOn[c]) continue;
    state::TS(p, state::TxtF(p, 439, {c + 1}));
    return c;
  }
  state::MessT(p, 444, 13);
  return -1;
}

}  // namespace

int BandCommand(state::Program& p, int mode, std::string_view keyword) {
  if (!state::MemOK(p, store::Store::W, true)) return kFailed;
  int32_t channel = 1;
  if (!GetChannel(p, channel, 0, 128, state::Txt(p, 191), keyword)) return kFailed;
  int c = channel - 1;
  if (channel == 0)
    for (c = 0; c < store::kChannels && !p.HGW.ChannelOn[c]; ++c) {
    }
  if (c >= store::kChannels || !p.HGW.ChannelOn[c]) return kFailed;
  const float step = p.FGW[size_t(c)].Step;
  if (!(step > 0) || !std::isfinite(step)) {
    // No sampling step, no frequency axis: nothing sensible to cut.
    state::Mess(p,
                std::string(keyword) +
                    state::Lang(p, ": kanál nemá krok vzorkování", ": the channel has no sampling step"),
                state::Txt(p, 11));
    return kFailed;
  }
  const float fmax = float(1.0 / (2.0 * step));
  float f1 = 0.0f, f2 = fmax * 0.5f;
  if (!GetF(p, f1, 0.0f, fmax, 0.0f, state::Txt(p, 622))) return kFailed;
  if (!GetF(p, f2, 0.0f, fmax, fmax * 0.5f, state::Txt(p, 623))) return kFailed;
  const int n = WLength(p);

  if (mode < 0) {
    long long b1 = (long long)(double(n) / 2 * f1 / fmax);
    long long b2 = (long long)(double(n) / 2 * f2 / fmax);
    if (b1 > b2) std::swap(b1, b2);
    if (b1 < 0) b1 = 0;
    if (b2 >= n / 2) b2 = n / 2 - 1;
    if (b2 < b1) return kFailed;
    return ops::ZeroWaveUtil(p, store::Store::W, c + 1, int(b1), int(b2), false, true) ? kDone : kFailed;
  }

  const int work = BandWorkChannel(p, c);
  if (work < 0) return kFailed;
  const double centre = f1 + (f2 - f1) * 0.5;
  const double halfWidth = (f2 - f1) * 0.5;
  if (!ops::DataFreqAnal(p, c, work, mode, centre, halfWidth, false)) return kFailed;
  store::Channel_s& scratch = p.FGW[size_t(work)];
  store::CopyText(scratch.Name, store::FieldText(scratch.Name) + " ENVP");
  // With the work channel as the source, moving the result "back" and
  // deleting the work channel would throw the result away: it stays in place.
  if (c != work) {
    (void)ops::ChanelTransportUtil(p, store::Store::W, work, c, false);
    (void)ops::ChanelDeleteUtil(p, store::Store::W, work);
  }
  Changed(p, store::Store::W);
  return kDone;
}

// operation: 4 integral, 1 derivative (of `Matematika`).
int CalculusCommand(state::Program& p, int operation, std::string_view keyword) {
  if (!state::MemOK(p, store::Store::W, true)) return kFailed;
  const int n = WLength(p);
  int32_t a = 1, b = 1, from = 0, to = n - 1;
  if (!GetChannel(p, a, 1, 128, state::Txt(p, 829), keyword)) return kFailed;
  if (!GetChannel(p, b, 1, 128, state::Txt(p, 830), keyword)) return kFailed;
  if (!GetL(p, from, 0, n - 1, 0, state::Txt(p, 192))) return kFailed;
  if (!GetL(p, to, 0, n - 1, n - 1, state::Txt(p, 193))) return kFailed;
  if (!p.HGW.ChannelOn[a - 1]) {
    state::Mess(p, state::TxtF(p, 326, {a}), state::Txt(p, 11));
    return kFailed;
  }
  if (!p.HGW.ChannelOn[b - 1] && !ops::ChanelTransportUtil(p, store::Store::W, a - 1, b - 1, false))
    return kFailed;
  float result = 0;
  int ok = ops::Matematika(p, a - 1, a - 1, b - 1, operation, from, to, result);
  Changed(p, store::Store::W);
  return ok ? kDone : kFailed;
}

int ExFUN(state::Program& p) {
  int32_t page = 1;
  if (!GetChannel(p, page, 1, 5, "Číslo stránky funkce", "FUN")) return kFailed;
  return ops::Funkce_Proved(p, page - 1) ? kDone : kFailed;
}

int CoefficientCommand(state::Program& p, int which, int promptText) {
  float v = 1.0f;
  if (!GetF(p, v, -1000.0f, 1000.0f, 1.0f, state::Txt(p, promptText))) return kFailed;
  switch (which) {
    case 0:
      p.PG.WLCD = v;
      break;
    case 1:
      p.PG.WLCF = v;
      break;
    case 2:
      p.PG.MLCD = v;
      break;
    default:
      p.PG.MLCF = v;
      break;
  }
  return kDone;
}

int ConstantCommand(state::Program& p, store::Store store, bool multiply, std::string_view keyword) {
  if (!state::MemOK(p, store, true)) return kFailed;
  int32_t channel = 0;
  if (store::IsW(store) && !GetChannel(p, channel, 0, 128, "zadejte číslo kanálu, 0-všechno", keyword))
    return kFailed;
  float v = multiply ? 1.0f : 0.0f;
  const float limit = multiply ? 1000.0f : 10000.0f;
  std::string prompt = store::IsW(store)
                           ? (multiply ? "WYK - násobení konstantou" : "WYP - přičtení konstanty")
                           : state::Txt(p, multiply ? 155 : 156);
  if (!GetF(p, v, -limit, limit, v, prompt)) return kFailed;
  int ok = multiply ? ops::MultiplyByConstant(p, store, channel, v) : ops::AddConstant(p, store, channel, v);
  return ok ? kDone : kFailed;
}

// operation: -1 copy, else the channel algebra operation.
int ChannelPairCommand(state::Program& p, int operation, int textA, int textB, std::string_view keyword) {
  int32_t a = 1, b = 1;
  if (!GetChannel(p, a, 1, 128, state::Txt(p, textA), keyword)) return kFailed;
  if (!GetChannel(p, b, 1, 128, state::Txt(p, textB), keyword)) return kFailed;
  int ok = operation < 0 ? ops::ChanelTransport(p, store::Store::W, a, b)
                         : ops::ChanelAlgebra(p, store::Store::W, a, b, operation);
  if (ok && p.MacGoing) state::DataChanged(p, store::Store::W);
  return ok ? kDone : kFailed;
}

int ExCHWDEL(state::Program& p) {
  int32_t a = 1;
  if (!GetChannel(p, a, 1, 128, state::Txt(p, 186), "CHWDEL")) return kFailed;
  return ops::ChanelDelete(p, store::Store::W, a) ? kDone : kFailed;
}

int ExCHWREAD(state::Program& p) {
  int32_t a = 1, b = 1;
  if (!GetChannel(p, a, 1, 128, state::Txt(p, 194), "CHWREAD")) return kFailed;
  if (!GetChannel(p, b, 1, 128, state::Txt(p, 195), "CHWREAD")) return kFailed;
  // Outside a macro the typed arguments were ignored; the file comes from the dialog.
  if (!p.MacGoing) SetQueue(p, "");
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  const bool dialog = queue.empty() || queue[0] == '?';
  if (ops::ChanelRead(p, a, b)) return kDone;
  return dialog && p.MacGoing ? NoFileChosen(p, "CHWREAD") : kFailed;
}

int ChannelTextCommand(state::Program& p, bool unit, std::string_view keyword) {
  int32_t channel = QueueEmpty(p) ? 0 : CommandArgument(p);
  if (channel < 1 || channel > 128) {
    RefuseChannel(p, keyword, channel);
    return kFailed;
  }
  std::string text = TakeRest(p);
  store::Channel_s& record = p.FGW[size_t(channel - 1)];
  if (unit)
    store::CopyText(record.Unit, CutUtf8(text, sizeof record.Unit - 1));
  else
    store::CopyText(record.Name, CutUtf8(text, sizeof record.Name - 1));
  state::UpdateCaptions(p, store::Store::W);
  return kDone;
}

}  // namespace macro
