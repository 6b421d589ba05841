#include "daq/GeneratorPage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "daq/CardState.h"
#include "daq/Generator.h"
#include "dsp/Padding.h"
#include "files/TextNumbers.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace daq {
namespace {

// Sample counts far beyond any store, yet exact in a float's neighbourhood.
constexpr double kMaxSamples = 1e9;
// Output rates below 2 Hz are refused by the conversion.
constexpr double kMaxSamplePeriodMs = 500.0;
constexpr int kMinLength = 2;  // the card replays no fewer

struct FieldRange {
  double min, max;
};

FieldRange RangeOf(GenField f) {
  switch (f) {
    case GenField::LevelA:
    case GenField::LevelB:
      return {-1e6, 1e6};
    case GenField::Period:
    case GenField::Duty:
      return {0.0, kMaxSamples};
    case GenField::Phase:
      return {-kMaxSamples, kMaxSamples};
    case GenField::RestA:
    case GenField::RestB:
      return {-100.0, 10.0};  // -100 leaves the output as it is
  }
  return {0.0, 0.0};
}

float* FieldOf(store::MGlobals_s& g, store::M_s& m, GenField f) {
  switch (f) {
    case GenField::LevelA:
      return &m.GenLevelA;
    case GenField::LevelB:
      return &m.GenLevelB;
    case GenField::Period:
      return &m.GenPeriod;
    case GenField::Duty:
      return &m.GenDuty;
    case GenField::Phase:
      return &m.GenPhase;
    case GenField::RestA:
      return &g.GenRestA;
    case GenField::RestB:
      return &g.GenRestB;
  }
  return nullptr;
}

// The first active channel's record stands for the store's time step.
const store::Channel_s& TimeChannel(const state::Program& p, store::Store s) {
  const store::Header_s& h = store::IsW(s) ? p.HGW : p.HGB;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (h.ChannelOn[ch]) return p.Channels(s)[ch];
  return p.Channels(s)[0];
}

// Keeps the first `length` samples of every active block, now `length` apart
// (first block first, so nothing is overwritten before it is read).
void ShrinkBlocks(float* data, const int16_t* channelOn, int n, int length) {
  int order = 0;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (channelOn[ch]) {
      std::memmove(data + int64_t(order) * length, data + int64_t(order) * n, sizeof(float) * size_t(length));
      ++order;
    }
}

}  // namespace

GeneratorPage::GeneratorPage(const state::Program& p) : g_(p.MGlobals) {
  for (int ch = 0; ch < 2; ++ch) m_[ch] = p.M ? p.M[size_t(ch)] : store::M_s{};
}

std::string GeneratorPage::Text(GenField f, int channel) const {
  auto& self = const_cast<GeneratorPage&>(*this);
  std::string text;
  files::AppendNumber(text, *FieldOf(self.g_, self.Shape(channel), f), std::chars_format::general, 7);
  return text;
}

bool GeneratorPage::SetText(GenField f, int channel, std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  const char* first = s.data();
  const char* last = first + s.size();
  while (first < last && (*first == ' ' || *first == '\t')) ++first;
  double v = 0.0;
  if (files::ParseLeadingNumber(first, last, v) == first || std::isnan(v)) return false;
  const FieldRange r = RangeOf(f);
  *FieldOf(g_, Shape(channel), f) = float(std::clamp(v, r.min, r.max));
  return true;
}

void GeneratorPage::TakeOver(state::Program& p) const {
  // Only the generator's fields: the rest of the records and globals belong
  // to the measurement mathematics.
  p.MGlobals.GenStore = g_.GenStore;
  p.MGlobals.GenOutputs = g_.GenOutputs;
  p.MGlobals.GenSynchro = g_.GenSynchro;
  p.MGlobals.GenCyclic = g_.GenCyclic;
  p.MGlobals.GenRestA = g_.GenRestA;
  p.MGlobals.GenRestB = g_.GenRestB;
  if (!p.M) return;
  for (int ch = 0; ch < 2; ++ch) {
    store::M_s& m = p.M[size_t(ch)];
    m.GenShape = m_[ch].GenShape;
    m.GenCombine = m_[ch].GenCombine;
    m.GenLevelA = m_[ch].GenLevelA;
    m.GenLevelB = m_[ch].GenLevelB;
    m.GenPeriod = m_[ch].GenPeriod;
    m.GenDuty = m_[ch].GenDuty;
    m.GenPhase = m_[ch].GenPhase;
  }
}

void GeneratorPage::ConvertOutputs(state::Program& p, bool usedOnes) {
  const store::Store s = GeneratorStore(p);
  const int used = p.MGlobals.GenOutputs;
  const bool usesA = usedOnes && used != 1, usesB = usedOnes && (used == 1 || used == 2);
  if (!state::MemOK(p, s)) return;
  const store::Header_s& h = p.Header(s);
  for (int ch = 0; ch < 2; ++ch) {
    report_[ch].clear();
    if ((ch == 0 ? usesA : usesB) || h.ChannelOn[ch]) (void)GenPis(p, ch == 0 ? 1 : 0, false, &report_[ch]);
  }
}

int GeneratorPage::Draw(state::Program& p, int channel) {
  TakeOver(p);
  if (!VypocetGeneratoru(p, channel ? 1 : 0, true)) return 0;
  ConvertOutputs(p, true);
  state::DataChanged(p, GeneratorStore(p));
  return 1;
}

bool GeneratorPage::SetSamplePeriod(state::Program& p) {
  TakeOver(p);
  const store::Store s = GeneratorStore(p);
  if (!state::MemOK(p, s, true)) return false;
  const double min = std::min<double>(p.MINWPER, kMaxSamplePeriodMs);
  const double now = 1000.0 * double(TimeChannel(p, s).Step);
  const double initial = std::isfinite(now) ? std::clamp(now, min, kMaxSamplePeriodMs) : kMaxSamplePeriodMs;
  auto ms =
      p.ui().PromptFloat(state::Lang(p, "Perioda vzorků generátoru [ms]", "Generator sample period [ms]"),
                         min, kMaxSamplePeriodMs, initial);
  if (!ms || !std::isfinite(*ms)) return false;
  const float step = float(0.001 * std::clamp(*ms, min, kMaxSamplePeriodMs));
  // Channels 1 and 2 too: a channel the drawing creates copies another's record.
  const store::Header_s& h = p.Header(s);
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (h.ChannelOn[ch] || ch < 2) p.Channels(s)[ch].Step = step;
  ConvertOutputs(p, false);
  state::DataChanged(p, s);
  return true;
}

bool GeneratorPage::SetLength(state::Program& p) {
  TakeOver(p);
  const store::Store s = GeneratorStore(p);
  if (!state::MemOK(p, s, true)) return false;
  if (store::IsW(s) ? p.QW : p.QM) {
    // The run writes its records by the length it started with.
    state::Mess(
        p, state::Lang(p, "Délku nelze měnit, dokud měření běží.", "The length cannot change during a run."),
        state::Txt(p, 13));
    return false;
  }
  store::Header_s& h = p.Header(s);
  const int channels = std::max(1, state::ActiveChannels(p, s));
  const long long capacity = ops::StoreCapacity(p, s);
  const long long room = std::min<long long>(capacity / channels, p.DG.MaxLength);
  // A header that does not fit its array (a damaged file) is not moved about.
  if (room < kMinLength || h.Length < 0 || int64_t(channels) * h.Length > capacity) {
    state::MessT(p, store::IsW(s) ? 490 : 491, 13);
    return false;
  }
  const int64_t initial = std::clamp<int64_t>(h.Length, kMinLength, room);
  auto length = p.ui().PromptInt(
      state::Lang(p, "Délka signálu generátoru (vzorků)", "Generator signal length (samples)"), kMinLength,
      room, initial);
  if (!length) return false;
  const int n = h.Length, wanted = int(std::clamp<int64_t>(*length, kMinLength, room));
  if (wanted == n) return true;
  if (wanted < n)
    ShrinkBlocks(p.Samples(s), h.ChannelOn, n, wanted);
  else
    dsp::GrowBlocks(p.Samples(s), h.ChannelOn, std::max(n, 0), wanted, dsp::PadFill::Zeros);
  h.Length = wanted;
  ConvertOutputs(p, false);
  state::DataChanged(p, s);
  return true;
}

int GeneratorPage::Convert(state::Program& p, int output) {
  TakeOver(p);
  std::string& line = report_[output ? 0 : 1];
  line.clear();
  return GenPis(p, output ? 1 : 0, true, &line);
}

void GeneratorPage::Start(state::Program& p) {
  TakeOver(p);
  StartGenerate(p);
}

void GeneratorPage::Stop(state::Program& p) {
  TakeOver(p);
  BOARD_DA_Generator_Stop(p);
}

std::string GeneratorPage::Status(const state::Program& p) const {
  std::string text;
  for (const std::string& line : report_)
    if (!line.empty()) text += line + '\n';
  const bool going = p.CardData && p.CardData->DA_going;
  return text + state::Lang(p, going ? "Generátor běží." : "Generátor stojí.",
                            going ? "The generator runs." : "The generator is stopped.");
}

}  // namespace daq
