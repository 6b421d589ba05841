#include "ops/Spectrum.h"

#include <cstring>
#include <string>
#include <vector>

#include "dsp/Fft.h"
#include "files/DataFileFormat.h"
#include "ops/ChannelView.h"
#include "state/EventQueue.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {
namespace {

// The channel's samples when 2M of them (and the scratch range beside them)
// exist; M below 1 has nothing to transform.
ChannelView Usable(state::Program& p, store::Store s, int channel, int M) {
  if (M < 1) return {};
  ChannelView v = ViewChannel(p, s, channel);
  if (!v || !v.scratch || 2LL * M > v.length) return {};
  return v;
}

// The channel ready for a forward (`wantSpectrum` false) or inverse
// transform: the store usable, the length there, and the channel holding a
// time signal or a spectrum as the direction needs (texts 431..434 if not).
ChannelView ReadyFor(state::Program& p, store::Store s, int channel, int M, bool wantSpectrum) {
  if (!state::MemOK(p, s, true)) return {};
  ChannelView v = Usable(p, s, channel, M);
  if (!v) return {};
  if (v.spectrum != wantSpectrum) {
    state::MessT(p, (wantSpectrum ? 433 : 431) + (store::IsW(s) ? 0 : 1), 13);
    return {};
  }
  return v;
}

}  // namespace

FftCursor::FftCursor(state::Program& p) : p_(p) { p_.ui().SetCursor("FFT"); }
FftCursor::~FftCursor() { p_.ui().SetCursor(""); }

void SetSpectrumFlags(state::Program& p, store::Store s, int channel, bool spectrum) {
  if (channel < 0 || channel >= store::kChannels) return;
  p.Freq(s)[channel] = spectrum ? 1 : 0;
  if (p.Channels(s)) p.Channels(s)[channel].IsSpectrum = spectrum ? 1 : 0;
}

int RealFFT_SLOW(state::Program& p, store::Store s, int channel, int M, bool commit) {
  ChannelView v = ReadyFor(p, s, channel, M, false);
  if (!v) return 0;
  if (commit) {
    std::memcpy(v.scratch, v.data, sizeof(float) * 2 * size_t(M));
    dsp::AnyLengthSpectrum(v.scratch, v.data, M);
    SetSpectrumFlags(p, s, channel, true);
    state::DataChanged(p, s);
  } else {
    // Without commit the channel stays a time signal, so its samples must
    // stay too: the spectrum goes where the fast path leaves it.
    dsp::AnyLengthSpectrum(v.data, v.scratch, M);
  }
  return 1;
}

int InverzRealFFT_SLOW(state::Program& p, store::Store s, int channel, int M, bool commit) {
  ChannelView v = ReadyFor(p, s, channel, M, true);
  if (!v) return 0;
  if (!commit) return 1;
  std::memcpy(v.scratch, v.data, sizeof(float) * 2 * size_t(M));
  dsp::AnyLengthSpectrumInverse(v.scratch, v.data, M);
  SetSpectrumFlags(p, s, channel, false);
  state::DataChanged(p, s);
  return 1;
}

int RealFFT(state::Program& p, store::Store s, int channel, int M, bool commit) {
  if (M < 1) return 0;
  if (!dsp::IsPowerOfTwo(M)) {
    if (M > 1000 && state::AskT(p, 1228, 15) != platform::Answer::Yes) return 0;
    return RealFFT_SLOW(p, s, channel, M, commit);
  }
  ChannelView v = ReadyFor(p, s, channel, M, false);
  if (!v) return 0;
  (void)dsp::RealSpectrum(v.data, v.scratch, M);
  if (commit) {
    std::memcpy(v.data, v.scratch, sizeof(float) * 2 * size_t(M));
    SetSpectrumFlags(p, s, channel, true);
    state::DataChanged(p, s);
  }
  return 1;
}

int InverzRealFFT(state::Program& p, store::Store s, int channel, int M, bool commit) {
  if (M < 1) return 0;
  if (!dsp::IsPowerOfTwo(M)) return InverzRealFFT_SLOW(p, s, channel, M, commit);
  ChannelView v = ReadyFor(p, s, channel, M, true);
  if (!v) return 0;
  if (!commit) return 1;
  (void)dsp::RealSpectrumInverse(v.data, v.scratch, v.data, M);
  SetSpectrumFlags(p, s, channel, false);
  state::DataChanged(p, s);
  return 1;
}

namespace {

// One channel's transform computed into its scratch range, its samples left
// as they are, so that a stop can still abandon the whole command. The
// inverse needs a working area besides: the scratch array past the store's
// samples when it has room (no memory is added for it); else it works in the
// samples as it always did and sets `changed`: that channel has no way back.
int IntoScratch(state::Program& p, store::Store s, int channel, int M, bool spectrum, bool& changed) {
  if (!spectrum) return RealFFT(p, s, channel, M, false);
  if (M < 1) return 0;
  ChannelView v = ReadyFor(p, s, channel, M, true);
  if (!v) return 0;
  if (!dsp::IsPowerOfTwo(M)) {
    dsp::AnyLengthSpectrumInverse(v.data, v.scratch, M);
    return 1;
  }
  const int64_t n = 2 * int64_t(M);
  const int64_t used = int64_t(state::ActiveChannels(p, s)) * v.length;
  if (files::SampleCapacity(p, s) - used >= n) {
    (void)dsp::RealSpectrumInverse(v.data, p.Scratch(s) + used, v.scratch, M);
    return 1;
  }
  (void)dsp::RealSpectrumInverse(v.data, v.scratch, v.data, M);
  std::memcpy(v.scratch, v.data, sizeof(float) * size_t(n));
  changed = true;
  return 1;
}

struct Pending {
  int channel;
  bool spectrum;  // what the channel held before
};

// FFT_Transform over `channels`: each is asked for and transformed into the
// scratch array, and only when all are done do the results replace the
// samples. Esc, STOP or SIGINT before that leaves the store as it was.
int TransformChannels(state::Program& p, store::Store s, const int* channels, int count, int M, bool ask) {
  FftCursor cursor(p);
  state::Progress progress(p, "FFT");
  std::vector<Pending> done;
  bool changed = false;
  int result = 1;
  for (int k = 0; k < count; ++k) {
    const int c = channels[k];
    state::AC_Beep(p);
    ChannelView v = ViewChannel(p, s, c);
    if (!v) {
      result = 0;
      continue;
    }
    if (!p.MacGoing && ask) {
      std::string text = state::Txt(p, v.spectrum ? 426 : 428) + ", kanal " + std::to_string(c + 1);
      if (p.ui().AskYesNo(text, state::Txt(p, 15)) != platform::Answer::Yes) {
        result = 0;
        continue;
      }
    }
    // A transform of 2^26 points takes a second: a step on either side.
    if (!progress.Step(2 * k, 2 * count) && !changed) {
      state::ReportStopped(p, "FFT");
      return 0;
    }
    if (!IntoScratch(p, s, c, M, v.spectrum, changed)) {
      result = 0;
      continue;
    }
    done.push_back({c, v.spectrum});
    if (!progress.Step(2 * k + 1, 2 * count) && !changed) {
      state::ReportStopped(p, "FFT");
      return 0;
    }
  }
  for (const Pending& d : done) {
    ChannelView v = ViewChannel(p, s, d.channel);
    std::memcpy(v.data, v.scratch, sizeof(float) * 2 * size_t(M));
    SetSpectrumFlags(p, s, d.channel, !d.spectrum);
  }
  if (!done.empty()) state::DataChanged(p, s);
  return result;
}

}  // namespace

int FFT_Transform(state::Program& p, store::Store s, int channel, int M, bool ask) {
  if (!state::MemOK(p, s, true)) {
    state::AC_Beep(p);
    return 0;
  }
  return TransformChannels(p, s, &channel, 1, M, ask);
}

int FFT_Command(state::Program& p, store::Store s, int channel, bool ask) {
  if (!state::MemOK(p, s, true)) return 0;
  int first = channel, last = channel;
  if (channel == 65535) {
    first = 0;
    last = store::kChannels - 1;
  } else if (channel < 0 || channel >= store::kChannels) {
    return 0;
  }
  const int M = p.Header(s).Length / 2;
  int tried[store::kChannels];
  int count = 0;
  for (int c = first; c <= last; ++c)
    if (state::Pocatek(p, s, c) >= 0) tried[count++] = c;
  return count ? TransformChannels(p, s, tried, count, M, ask) : 0;
}

}  // namespace ops
