#include "daq/MeasurementRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "daq/CardState.h"
#include "daq/Conversion.h"
#include "daq/Driver.h"
#include "daq/MeasurementMath.h"
#include "daq/RunCommands.h"
#include "daq/RunCommon.h"
#include "daq/RunState.h"
#include "daq/Sampling.h"
#include "daq/Simulation.h"
#include "daq/WaveformRun.h"
#include "files/DataFileNames.h"
#include "files/DataFileWriter.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace daq {
namespace {

constexpr const char* kHighChannelsText = "Kanály nad 32 karta neměří: jejich hodnoty jsou 0";

// The measurement period a step works with: settings from an old job file
// may hold anything, and a period of 0 would make the catch-up loop endless.
double PeriodSeconds(const store::A_s& ref) {
  double t = ref.MPeriod;
  if (!std::isfinite(t)) return 1.0;
  return std::clamp(t, 0.001, 3600.0);
}

// Without a card the digital input is a square wave of one measurement
// period, falling once per period, so input-triggered runs are paced as
// clock-driven ones.
int SimulatedInputBit(state::Program& p) {
  uint32_t half = uint32_t(PeriodSeconds(p.RefA()) * 500.0);
  if (half == 0) half = 1;
  return (NowMs(p) / half) % 2 == 0 ? 1 : 0;
}

bool WaitForFallingEdge(state::Program& p, bool simulate) {
  RunState& r = Runs(p);
  for (;;) {
    if (p.ui().EscapePressed()) {
      p.INTERRUPT = 1;
      return false;
    }
    int bit = 1;
    if (simulate) {
      bit = SimulatedInputBit(p);
    } else {
      int word = 0;
      if (!ReadDigitalInputs(p, word)) return false;
      bit = word & 1;
    }
    if (bit == 0 && r.OldDig == 1) {
      r.OldDig = 0;
      return true;
    }
    r.OldDig = int16_t(bit);
    if (p.plat.clock) p.plat.clock->SleepMs(1);
  }
}

// Brings the reference channel's measurement settings into the ranges the
// settings dialog accepts (nearer limit), as a run cannot use others.
void SanitizeSettings(state::Program& p, store::A_s& ref) {
  // Copied out first: the packed field is misaligned for a reference.
  float period = ref.MPeriod;
  if (!std::isfinite(period)) period = 1.0f;
  ref.MPeriod = std::clamp(period, 0.001f, 3600.0f);
  int32_t maxLength = std::max<int32_t>(8, p.DG.MaxLength);
  int32_t length = ref.MLength;
  ref.MLength = std::clamp<int32_t>(length, 8, maxLength);
  if (ref.MBefore < 0) ref.MBefore = 0;
  if (!(p.PG.MTimeScale >= 0.5f && p.PG.MTimeScale <= 1.5f)) p.PG.MTimeScale = 1.0f;
}

// The measurement store of a new run: header, channel records, and the
// run's current values as point 0 of every selected channel.
void SetUpMeasurementStore(state::Program& p, const store::A_s& ref) {
  RunState& r = Runs(p);
  store::Header_s& h = p.HGB;
  StampDate(p, h);
  h.Length = ref.MLength;
  h.IsWaveform = 0;
  h.TriggerFlag = 0;
  h.PreTrigger = 0;
  const float step = ref.MPeriod * p.PG.MTimeScale;
  size_t k = 0;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    h.ChannelOn[ch] = p.MG.Acquire[ch] ? 1 : 0;
    if (!h.ChannelOn[ch]) continue;
    p.Buffer[k * size_t(h.Length)] = r.Val[ch];
    ++k;
    p.BFreq[ch] = 0;
    state::ChannelFromAcquisition(p.FGB[size_t(ch)], p.A[size_t(ch)], step);
  }
  h.ChannelCount = int16_t(k);
}

void EndRunTimer(state::Program& p) {
  Runs(p).TimerIntervalMs = 200;
  p.DoPanel = 1;
}

std::string RunStatusText(state::Program& p, const store::A_s& ref) {
  std::string s = state::Txt(p, 49);
  if (ref.MRepeat) s += state::Txt(p, 50);
  if (ref.MStore) s += state::Txt(p, 51);
  if (ref.MEvent) s += state::Txt(p, 52);
  if (ref.MTrigger) s += state::Txt(p, 53);
  if (ref.MDITrigger) s += state::Txt(p, 460);
  return s;
}

// The event: the last MBefore points of every stored channel (going back
// from Bindx through the ring) move to the front of its block, the rest of
// the record is cleared and the record continues after them.
void KeepPreEventHistory(state::Program& p, const store::A_s& ref) {
  RunState& r = Runs(p);
  store::Header_s& h = p.HGB;
  r.Event = 1;
  h.TriggerFlag = 1;
  StampTriggerTime(p, h);
  const int32_t mLength = ref.MLength, hLength = h.Length, mBefore = ref.MBefore;
  const int32_t L = std::min(mLength, hLength);
  const int32_t before = std::clamp(mBefore, 0, std::max(L, 0));
  h.PreTrigger = before;
  std::vector<float> tmp;
  if (p.AllocationLimit >= 0 && p.TotalDataAlloc + double(before + 1) * sizeof(float) > p.AllocationLimit) {
    state::MessT(p, 77, 14);
    state::TS(p, state::Txt(p, 78));
    return;
  }
  tmp.resize(size_t(before) + 1);
  float* b = p.Buffer.get();
  int k = 0;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (!h.ChannelOn[ch]) continue;
    float* block = b + size_t(k) * size_t(h.Length);
    ++k;
    if (double(k) * double(h.Length) > double(p.PM)) break;
    int32_t src = p.Bindx;
    const int64_t available = std::min<int64_t>(r.PointsStored, L);
    for (int32_t j = before - 1; j >= 0; --j) {
      if (src < 0) src = L - 1;
      const bool ofThisRun = before - 1 - j < available;
      tmp[size_t(j)] = ofThisRun && src < L ? block[src] : 0.0f;
      --src;
    }
    std::copy(tmp.begin(), tmp.begin() + before, block);
    std::fill(block + before, block + L, 0.0f);
  }
  p.Bindx = before - 1;
  state::TS(p, state::Txt(p, 79));
}

void StorePoint(state::Program& p) {
  RunState& r = Runs(p);
  store::Header_s& h = p.HGB;
  ++p.Bindx;
  if (p.Bindx < 0 || p.Bindx >= h.Length) return;  // the store changed under the run
  float* b = p.Buffer.get();
  size_t k = 0;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (!h.ChannelOn[ch]) continue;
    size_t at = k * size_t(h.Length) + size_t(p.Bindx);
    ++k;
    if (at >= size_t(p.PM)) break;
    b[at] = r.Val[ch];
    state::SamplesWritten(p, store::Store::M, int64_t(at), int64_t(at) + 1);  // only its chunk is rebuilt
  }
  ++r.PointsStored;
  r.LPar = p.Bindx;
}

void PeriodicRefresh(state::Program& p, uint32_t now) {
  RunState& r = Runs(p);
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (!p.QMWin[ch]) continue;
    double wait = double(p.A[size_t(ch)].MRefresh) * 1000.0;
    if (!(double(now - r.OldTick[ch]) >= wait)) continue;
    p.QMWin[ch]->UserMessage(state::kMeasurementProgress, 0);
    r.OldTick[ch] = now;
  }
}

void PointFailed(state::Program& p) {
  Stop_QM(p);
  EndRunTimer(p);
  state::TS(p, state::Txt(p, 76));
  NotifyRecorderWindows(p, state::kRecorderPoint);
  ReleaseMacro(p);
}

// Writes the record of a combined run to the next "komb_NNN.w".
void WriteCombinedRecord(state::Program& p);

}  // namespace

int TRV_QM(state::Program& p, int calibrate, int waitTrigger) {
  if (!p.A) return 0;
  RunState& r = Runs(p);
  SetRequests(p);
  p.INTERRUPT = 0;
  const bool simulate = Simulating(p);
  if (calibrate && waitTrigger && !WaitForFallingEdge(p, simulate)) return 0;

  const int e = std::clamp<int>(p.RefA().MAverageExp, 0, kMaxAverageExp);
  const long n = 1L << e;
  std::vector<int> selected;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (p.MG.Acquire[ch]) selected.push_back(ch);

  long long sum[store::kChannels] = {};
  int largest[store::kChannels], smallest[store::kChannels];
  std::fill(largest, largest + store::kChannels, -32768);
  std::fill(smallest, smallest + store::kChannels, 32767);
  int16_t codes[store::kChannels];
  for (long i = 0; i < n; ++i) {
    std::fill(codes, codes + store::kChannels, int16_t(0));
    if (simulate) {
      for (int ch : selected) codes[ch] = SimMeasurementCode(p);
    } else if (BOARD_SW_GetData(p, std::span<int16_t>(codes, store::kChannels)) != 1) {
      return 0;
    }
    for (int ch : selected) {
      sum[ch] += codes[ch];
      largest[ch] = std::max<int>(largest[ch], codes[ch]);
      smallest[ch] = std::min<int>(smallest[ch], codes[ch]);
    }
  }
  for (int ch : selected) {
    if (!simulate && ch >= kScanSize) {
      r.Val[ch] = 0.0f;
      if (!r.HighChannelsReported) {
        r.HighChannelsReported = true;
        state::TS(p, kHighChannelsText);
      }
      continue;
    }
    const bool spike = p.A[size_t(ch)].MSpike && n >= 4;
    double q =
        spike ? double(sum[ch] - largest[ch] - smallest[ch]) / double(n - 2) : double(sum[ch]) / double(n);
    r.Val[ch] = calibrate ? MakeConversion(p, ch)(float(q)) : float(q);
  }
  return 1;
}

void Stop_QM(state::Program& p) {
  p.QM = 0;
  p.DoQM = 0;
  if (Card(p).Driver_Inicializovan) StopSampling(p);
}

void StartMeasurementRun(state::Program& p) {
  p.DoPanel = 1;
  if (!state::MemOK(p, store::Store::M, true) || !p.A) return;
  if (p.QW) {
    state::MessT(p, 41, 11);
    return;
  }
  if (p.QM) {
    StopRun(p);
    return;
  }
  RunState& r = Runs(p);
  r.FirstRecord = 1;
  r.HighChannelsReported = false;
  if (p.PG.Flags & store::kPgFitMeasurement) {
    std::fill(p.Buffer.get(), p.Buffer.get() + p.PM, 0.0f);
    state::SendToStoreWindows(p, store::Store::M, state::kApplyLimits);
  }
  if (!p.BoardPresent && !p.DG.Simulation && !p.MacGoing) state::MessT(p, 42, 12);

  int ref1 = p.MG.RefChannelM1 + 1;
  p.PG.RefChannel = int16_t(ref1 >= 1 && ref1 <= store::kChannels ? ref1 : 1);
  store::A_s& ref = p.RefA();
  const int selected = SelectedChannels(p);
  if (ref.MStore) p.HGB.ChannelCount = int16_t(selected);
  r.Event = 0;
  r.PointsStored = 0;
  if (ref.MEvent) {
    if (ref.MBefore > ref.MLength) {
      state::MessT(p, 43, 13);
      return;
    }
    if (!ref.MStore) {
      state::MessT(p, 44, 13);
      return;
    }
  }
  SanitizeSettings(p, ref);

  const uint32_t now = NowMs(p);
  p.QM = 1;
  state::TS(p, "QM");
  r.TimerIntervalMs = 1;
  NotifyRecorderWindows(p, state::kRecorderRunStart);
  r.RecordStart = now - uint32_t(1000.0 * PeriodSeconds(ref));
  r.TotalQMTime = 0;
  r.OldDig = 0;
  StampTriggerTime(p, p.HGB);
  std::fill(r.Val, r.Val + store::kChannels, 0.0f);

  daq::CloseDriver(p);
  if (!TRV_QM(p, 1, ref.MDITrigger)) {
    state::TS(p, state::Txt(p, 45));
    Stop_QM(p);
    EndRunTimer(p);
    return;
  }
  RecomputeMeasurementMath(p);
  r.NewValue = 1;
  p.DoPanel = 1;  // the panel shows the values

  if (!ref.MRepeat && !ref.MStore) {
    Stop_QM(p);
    EndRunTimer(p);
    state::TS(p, state::Txt(p, 46));
    return;
  }
  if (ref.MStore) {
    if (double(selected) * double(ref.MLength) > double(p.PM)) {
      state::MessT(p, 47, 14);
      // The run was already marked active: leave nothing running behind.
      Stop_QM(p);
      EndRunTimer(p);
      return;
    }
    SetUpMeasurementStore(p, ref);
    p.Bindx = 0;
    r.PointsStored = 1;
    RecomputeMeasurementMath(p);
    files::NameDatum(p);
    for (int code : {state::kDataChanged, state::kRedrawAll, state::kRepaintTimeScale})
      state::SendToStoreWindows(p, store::Store::M, code);
  } else {
    p.Bindx = -1;
  }
  r.LPar = p.Bindx;
  if (ref.MStore && (ref.MTrigger || ref.MScroll)) OpenRecorderWindows(p);

  const uint32_t t = NowMs(p);
  r.LastBTime = r.DisplayTick = r.ScheduleStart = r.LastAutoSave = t;
  r.SchedIndex = 0;
  p.DoQM = 1;
  state::TS(p, RunStatusText(p, ref));
}

int PrepareCombinedRun(state::Program& p) {
  if (!state::MemOK(p, store::Store::M)) return 1;  // nothing to store into: GoQM does nothing
  RunState& r = Runs(p);
  store::A_s& ref = p.RefA();
  SanitizeSettings(p, ref);
  r.FirstRecord = 1;
  r.Event = 0;
  r.TotalQMTime = 0;
  std::fill(r.Val, r.Val + store::kChannels, 0.0f);
  const uint32_t now = NowMs(p);
  r.ScheduleStart = r.LastBTime = r.DisplayTick = r.RecordStart = r.LastAutoSave = now;
  r.SchedIndex = -1;
  p.Bindx = -1;
  r.LPar = -1;
  r.PointsStored = 0;
  if (!ref.MStore) return 1;
  if (double(SelectedChannels(p)) * double(ref.MLength) > double(p.PM)) {
    state::MessT(p, 47, 14);
    return 0;
  }
  SetUpMeasurementStore(p, ref);
  for (int code : {state::kDataChanged, state::kRedrawAll, state::kRepaintTimeScale})
    state::SendToStoreWindows(p, store::Store::M, code);
  return 1;
}

int GoQM(state::Program& p, bool force, bool fromWave) {
  if (!state::MemOK(p, store::Store::M) || !p.A) return 0;
  RunState& r = Runs(p);
  int result = 1;
  for (;;) {
    const store::A_s& ref = p.RefA();
    const uint32_t now = NowMs(p);
    p.ActTime = now;
    const double period = PeriodSeconds(ref);
    const double due = double(r.SchedIndex + 1) * period;
    const double elapsed = double(uint32_t(now - r.ScheduleStart)) * 0.001;

    if (elapsed >= due || force) {
      p.DoQM = 0;
      r.LastBTime = now;
      if (fromWave) {
        if (!TRV_QW(p)) {
          p.DoQW = 0;
          StopRun(p, false);
          state::TS(p, state::Txt(p, 39));
          ReleaseMacro(p);
          return 0;
        }
        WToMFun(p);
        if (r.UkladejNadisk) WriteCombinedRecord(p);
        state::SendToStoreWindows(p, store::Store::W, state::kRedrawAll);
      } else {
        std::fill(r.Val, r.Val + store::kChannels, 0.0f);
        if (!TRV_QM(p, 1, force)) {
          PointFailed(p);
          return 0;
        }
      }
      r.NewValue = 1;
      RecomputeMeasurementMath(p);
      const uint32_t t = NowMs(p);
      if (t - r.DisplayTick >= 400) {
        r.DisplayTick = t;
        p.DoPanel = 1;  // the panel shows the values
      }
      ++r.SchedIndex;
      if (ref.MStore) StorePoint(p);
      if (p.Bindx >= ref.MLength - 1) {
        r.TotalQMTime = float(double(uint32_t(t - r.RecordStart)) * 0.001);
        r.RecordStart = t;
      }
      NotifyRecorderWindows(p, state::kRecorderPoint);

      const int refIndex =
          p.PG.RefChannel >= 1 && p.PG.RefChannel <= store::kChannels ? p.PG.RefChannel - 1 : 0;
      if (ref.MEvent && !r.Event && ref.MStore) {
        float v = r.Val[refIndex];
        if (v > ref.MMax || v < ref.MMin) KeepPreEventHistory(p, ref);
      }

      r.LPar = p.Bindx;
      if (p.Bindx >= ref.MLength - 1) {
        if (r.FirstRecord) {
          p.DoQM = 1;
          result = 0;
        }
        state::SendToStoreWindows(p, store::Store::M, state::kRedrawAll);
        r.FirstRecord = 0;
        bool restart = ref.MRepeat && !(ref.MEvent && r.Event);
        if (!restart) {
          // The start command of an active run ends it.
          if (fromWave)
            StartWaveformRun(p);
          else
            StartMeasurementRun(p);
          return 0;
        }
        p.Bindx = -1;
        r.LPar = -1;
        r.ScheduleStart = t;
        r.SchedIndex = -1;
      }
      if (!force && !fromWave) p.DoQM = 1;
      if (ref.Flags152 & store::kAMRefreshOn) PeriodicRefresh(p, t);
    }

    p.ui().SetCursor("");
    if (p.ui().InputPending()) return result;
    // More than one period behind: take the next point at once.
    if (elapsed - due > period && (p.QM || fromWave)) continue;
    return result;
  }
}

namespace {

void WriteCombinedRecord(state::Program& p) {
  RunState& r = Runs(p);
  char name[40];
  std::snprintf(name, sizeof name, "\\DATA\\komb_%03d.w", int(r.CombiFileIndex % 1000));
  ++r.CombiFileIndex;
  (void)files::WriteDataFileUtil(p, name, store::Store::W, 0);
}

}  // namespace

}  // namespace daq
