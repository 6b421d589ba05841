#include "daq/RunCommands.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "daq/CardState.h"
#include "daq/Generator.h"
#include "daq/MeasurementMath.h"
#include "daq/MeasurementRun.h"
#include "daq/RunCommon.h"
#include "daq/RunState.h"
#include "daq/Sampling.h"
#include "daq/WaveformRun.h"
#include "ops/MeasurementTransfer.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace daq {
namespace {

constexpr const char* kStopCombinedText = "Ukončit kombinované měření QW -> QM?";

bool Yes(platform::Answer a) { return a == platform::Answer::Yes; }

void SetReferenceChannel(state::Program& p) {
  int ref1 = p.MG.RefChannelM1 + 1;
  p.PG.RefChannel = int16_t(ref1 >= 1 && ref1 <= store::kChannels ? ref1 : 1);
}

// Step 1 of the start: with external start enabled the command arms or
// disarms it; the timer performs the armed start with QW_EXT = 2. Answers
// true when the command ends here.
bool ExternalStartOnly(state::Program& p) {
  if (!(p.PG.Flags & store::kPgExternalStart) || p.MacGoing || p.QW_EXT == 2) return false;
  if (p.QW_EXT == 0) {
    if (Yes(state::AskT(p, 1425, 15))) p.QW_EXT = 1;
  } else if (p.QW_EXT == 1) {
    if (Yes(state::AskT(p, 1427, 15))) p.QW_EXT = 0;
  }
  return true;
}

// Too fast for the converter's multiplexer: per group of eight inputs.
void WarnTooFast(state::Program& p, float period) {
  for (int group = 0; group < 2; ++group) {
    int n = 0;
    for (int ch = group * 8; ch < group * 8 + 8; ++ch)
      if (p.MG.Acquire[ch]) ++n;
    if (n > 0 && period / float(n) < 0.0048f) state::MessT(p, 963, 13);
  }
}

void EndFailedStart(state::Program& p) {
  state::TS(p, state::Txt(p, 61));
  p.QW = 0;
  p.DoQW = 0;
  Runs(p).DoADTest = 0;
  p.DoPanel = 1;
  state::DataChanged(p, store::Store::W);
}

}  // namespace

void StartWaveformRun(state::Program& p) {
  p.DoPanel = 1;
  if (!p.A) return;
  RunState& r = Runs(p);
  InstallGenerator(p);
  if (ExternalStartOnly(p)) return;

  if (p.MGlobals.GenSynchro == 1 && GeneratorSamplesMissing(p)) {
    state::MessT(p, 1421, 13);
    return;
  }
  if (Card(p).DA_going) BOARD_DA_Generator_Stop(p);

  p.GoQWAgain = 0;
  if (!state::MemOK(p, store::Store::W, true)) return;

  if (!p.QM) {
    r.UkladejNadisk = 0;
    if (p.QW) {
      state::TS(p, state::Txt(p, 63));
      p.QW = 0;
      r.DoADTest = 0;
      p.DoQW = 0;
      r.TimerIntervalMs = 200;
      ReleaseMacro(p);
      return;
    }
  }

  if (!p.BoardPresent && !p.DG.Simulation && !p.MacGoing) {
    state::MessT(p, 56, 11);
    return;
  }

  SetReferenceChannel(p);
  store::A_s& ref = p.RefA();
  const int selected = SelectedChannels(p);
  p.HGW.ChannelCount = int16_t(selected);
  bool anyAnalog = false;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (p.MG.Acquire[ch] && !(p.A[size_t(ch)].Flags153 & store::kANotAnalogInput)) anyAnalog = true;
  if (selected > 0 && !anyAnalog) {
    state::MessT(p, 741, 13);
    return;
  }
  WarnTooFast(p, ref.WPeriod);
  if (selected == 0) {
    state::MessT(p, 57, 13);
    return;
  }
  float period = BOARD_SetSamplePeriod(p, 0, ref.WPeriod);
  if (!std::isfinite(period) || period <= 0.0f) period = 0.0f;
  ref.WPeriod = period;
  if (period == 0.0f) {
    state::MessT(p, 58, 13);
    return;
  }

  const uint32_t now = NowMs(p);
  if (ref.Combi) {
    state::TS(p, state::Txt(p, 456));
  } else {
    state::TS(p, state::TxtF(p, 59,
                             {long(ref.WLength), double(ref.WLength) * double(period) * 0.001,
                              1.0 / double(period), selected}));
  }

  p.DoPanel = 1;  // QW lamp
  r.PocetVln = 1.0f;
  r.HighChannelsReported = false;
  if (ref.WLength < 1 || double(selected) * double(ref.WLength) > double(p.PW)) {
    state::MessT(p, 60, 14);
    return;
  }
  if (ref.Combi && !PrepareCombinedRun(p)) return;

  const int32_t oldLength = p.HGW.Length;
  std::vector<int16_t> oldOn(p.HGW.ChannelOn, p.HGW.ChannelOn + store::kChannels);

  p.HGW.IsWaveform = 1;
  if (ref.Flags153 & store::kAWLive) {
    p.HGW.Length = ref.WLength;
    state::NaplnHlav(p);
    std::fill(p.Waveform.get(), p.Waveform.get() + p.PW, 0.0f);
    for (int code : {state::kDataChanged, state::kExpandWhole, state::kRepaintTimeScale})
      state::SendToStoreWindows(p, store::Store::W, code);
  }
  p.HGW.Length = ref.WLength;
  // The store holds the selected channels from the first acquisition on.
  state::NaplnHlav(p);
  StampTriggerTime(p, p.HGW);
  state::SendToStoreWindows(p, store::Store::W, state::kRedrawVerticalBar);

  if (ref.Combi && p.A[0].WToMCode >= 8 && p.PG.MacroRepeat < 1) {
    long long bytes = 4LL * selected * p.HGW.Length * std::max<int32_t>(ref.MLength, 0);
    if (Yes(p.ui().AskYesNo(state::TxtF(p, 1034, {bytes}), state::Txt(p, 15)))) {
      r.UkladejNadisk = 1;
      r.CombiFileIndex = 0;
    }
  }

  int ok = TRV_QW(p);
  if (ok && ref.Combi) ok = ops::Kontrola_WToMFun(p, ref.WToMCode);
  if (!ok) {
    EndFailedStart(p);
    return;
  }

  p.DoPanel = 1;
  RecomputeMeasurementMath(p);
  ApplyWaveformFilters(p);
  StampDate(p, p.HGW);
  p.HGW.TriggerFlag = 0;
  p.HGW.PreTrigger = 0;
  state::NaplnHlav(p);
  bool same = p.HGW.Length == oldLength && std::equal(oldOn.begin(), oldOn.end(), p.HGW.ChannelOn);
  if (same && !ref.Combi)
    state::DataChanged(p, store::Store::W);
  else if (state::AnyWindowOpen(p, store::Store::W))
    state::DisplayWave(p, store::Store::W, -1);
  if (!p.MacGoing && ref.WRepeat && !ref.Combi)
    state::SendToStoreWindows(p, store::Store::W, state::kRedrawAll);

  if (!ref.WRepeat) {
    p.QW = 0;
    r.DoADTest = 0;
    state::TS(p, state::Txt(p, 63));
    if (!p.MacGoing) state::SendToStoreWindows(p, store::Store::W, state::kRedrawAll);
    return;
  }
  state::TS(p, state::Txt(p, 64));
  p.PocitadloKolikOpak = p.PG.QWRepeatCount;
  p.LastWTime = now;
  p.QW = 1;
  p.DoQW = 1;
}

void StopRun(state::Program& p, bool ask) {
  p.DoPanel = 1;
  RunState& r = Runs(p);
  if (p.QW) {
    const store::A_s& ref = p.RefA();
    // The timer stops an exhausted counted run through this command too:
    // that is no reason to ask.
    bool exhausted = p.PG.QWRepeatCount >= 1 && p.PocitadloKolikOpak <= 0;
    if (ask && ref.Combi && !p.MacGoing && !p.INTERRUPT && !exhausted &&
        !Yes(p.ui().AskYesNo(kStopCombinedText, state::Txt(p, 15))))
      return;
    p.QW = 0;
    p.DoQW = 0;
    r.DoADTest = 0;
    ReleaseMacro(p);
  }
  if (p.QM) {
    Stop_QM(p);
    r.TimerIntervalMs = 200;
  }
}

void ADTest(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true) || !p.A) return;
  if (!Yes(state::AskT(p, 484, 15))) return;
  SetReferenceChannel(p);
  store::A_s& ref = p.RefA();
  ref.WRepeat = 1;
  Runs(p).DoADTest = 1;
  int bits = std::clamp(p.ADBits, 1, 30);
  const int32_t maxLength = p.DG.MaxLength;
  ref.WLength = int32_t(std::min<long>(1L << bits, std::max<int32_t>(maxLength, 1)));
  std::fill(p.Waveform.get(), p.Waveform.get() + p.PW, 0.0f);
  StartWaveformRun(p);
}

bool RunCommand(state::Program& p, int id) {
  switch (id) {
    case 202:
      StartMeasurementRun(p);
      return true;
    case 203:
      StartWaveformRun(p);
      return true;
    case 208:
      StopRun(p, true);
      return true;
    default:
      return false;
  }
}

}  // namespace daq
