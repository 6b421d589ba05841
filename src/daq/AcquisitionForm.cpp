#include "daq/AcquisitionForm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "daq/Conversion.h"
#include "daq/RunCommands.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"

namespace daq {
namespace {

constexpr double kMinLength = 8;

// The record a field lives in: lengths and periods in channel 1's record,
// limits and calibration points in the reference channel's.
bool IsCalInput(AcqField f) { return f == AcqField::CalInput1 || f == AcqField::CalInput2; }
int CalSlot(AcqField f) { return f == AcqField::CalInput2 ? 1 : 0; }

bool InChannelOne(AcqField f) {
  switch (f) {
    case AcqField::MLength:
    case AcqField::MPeriod:
    case AcqField::MBefore:
    case AcqField::WLength:
    case AcqField::WRepeatPeriod:
    case AcqField::WPeriod:
      return true;
    default:
      return false;
  }
}

double Get(const store::A_s& a, AcqField f) {
  switch (f) {
    case AcqField::MLength:
      return a.MLength;
    case AcqField::MPeriod:
      return a.MPeriod;
    case AcqField::MBefore:
      return a.MBefore;
    case AcqField::MMax:
      return a.MMax;
    case AcqField::MMin:
      return a.MMin;
    case AcqField::WLength:
      return a.WLength;
    case AcqField::WRepeatPeriod:
      return a.WRepeatPeriod;
    case AcqField::WPeriod:
      return a.WPeriod;
    case AcqField::TraceMax:
      return a.TraceMax;
    case AcqField::TraceMin:
      return a.TraceMin;
    case AcqField::CalInput1:
      return a.CalInput1;
    case AcqField::CalValue1:
      return a.CalValue1;
    case AcqField::CalInput2:
      return a.CalInput2;
    case AcqField::CalValue2:
      return a.CalValue2;
  }
  return 0;
}

// Values come from the range reader, so they fit their fields' types.
void Put(store::A_s& a, AcqField f, double v) {
  switch (f) {
    case AcqField::MLength:
      a.MLength = int32_t(v);
      break;
    case AcqField::MPeriod:
      a.MPeriod = float(v);
      break;
    case AcqField::MBefore:
      a.MBefore = int32_t(v);
      break;
    case AcqField::MMax:
      a.MMax = float(v);
      break;
    case AcqField::MMin:
      a.MMin = float(v);
      break;
    case AcqField::WLength:
      a.WLength = int32_t(v);
      break;
    case AcqField::WRepeatPeriod:
      a.WRepeatPeriod = float(v);
      break;
    case AcqField::WPeriod:
      a.WPeriod = float(v);
      break;
    case AcqField::TraceMax:
      a.TraceMax = float(v);
      break;
    case AcqField::TraceMin:
      a.TraceMin = float(v);
      break;
    case AcqField::CalInput1:
      a.CalInput1 = float(v);
      break;
    case AcqField::CalValue1:
      a.CalValue1 = float(v);
      break;
    case AcqField::CalInput2:
      a.CalInput2 = float(v);
      break;
    case AcqField::CalValue2:
      a.CalValue2 = float(v);
      break;
  }
}

// The leading number of at most `chars` characters; 0 when there is none
// (as the dialog controls of old read an empty or foreign text). Not-a-number
// reads as 0 too, so it can never slip past the clamping.
double ParseNumber(const std::string& text, int chars, bool integer) {
  std::string head = text.substr(0, size_t(std::max(chars, 0)));
  const char* s = head.c_str();
  char* end = nullptr;
  double v = integer ? double(std::strtoll(s, &end, 10)) : std::strtod(s, &end);
  if (end == s || std::isnan(v)) return 0;
  return v;
}

std::string Format(double v, bool integer) {
  char buf[48];
  if (integer)
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
  else
    std::snprintf(buf, sizeof buf, "%.7g", v);
  return buf;
}

}  // namespace

const AcqFieldInfo& InfoOf(AcqField f) {
  static const AcqFieldInfo kInfo[] = {
      {"MLength", "Size", true, 10, 142},
      {"MPeriod", "Perioda[s]", false, 12, 143},
      {"MBefore", "Před", true, 10, 146},
      {"MMax", "Max.", false, 12, 147},
      {"MMin", "Min.", false, 12, 148},
      {"TraceMax", "Trace Max.", false, 12, 150},
      {"TraceMin", "Trace Min.", false, 12, 151},
      {"WLength", "Size", true, 10, 149},
      {"WRepeatPeriod", "Opak.[s]", false, 12, 144},
      {"WPeriod", "Perioda[ms]", false, 12, 145},
      {"CalInput1", "A/D", false, 12, 0},
      {"CalValue1", "Val.", false, 9, 0},
      {"CalInput2", "A/D", false, 12, 0},
      {"CalValue2", "Val.", false, 9, 0},
  };
  return kInfo[IndexOf(f) % kAcqFields.size()];
}

size_t IndexOf(AcqField f) {
  for (size_t i = 0; i < kAcqFields.size(); ++i)
    if (kAcqFields[i] == f) return i;
  return 0;
}

AcquisitionForm::AcquisitionForm(const state::Program& p) {
  maxLength_ = std::max<double>(kMinLength, p.DG.MaxLength);
  minWPer_ = std::isfinite(p.MINWPER) && p.MINWPER > 0 ? p.MINWPER : 0.004;
  maxWPer_ = std::isfinite(p.MAXWPER) ? std::max<double>(p.MAXWPER, minWPer_) : std::max(1000.0, minWPer_);
  fullScale_ = p.A ? FullScale(p, p.RefA().RangeIndex) : 5.0;
  if (!(std::isfinite(fullScale_) && fullScale_ > 0)) fullScale_ = 5.0;

  const store::A_s& one = p.A ? p.A[0] : store::A0;
  const store::A_s& ref = p.A ? p.RefA() : store::A0;
  live = (ref.Flags153 & store::kAWLive) != 0;
  for (AcqField f : kAcqFields) {
    double v = Get(InChannelOne(f) ? one : ref, f);
    if (!std::isfinite(v)) v = Get(store::A0, f);
    if (IsCalInput(f)) calKept_[CalSlot(f)] = v;
    SetNumber(f, v);
  }
  // Shown as the range reader would take it, in reading order, so that the
  // pre-trigger follows the measurement size already brought into range.
  // The calibration inputs are the exception: their range is that of the
  // card's present input range (5 V in simulation), and bringing a
  // calibration made on another range into it would change every
  // conversion of the channel without anyone asking. They keep their
  // values until they are edited.
  for (AcqField f : kAcqFields) {
    if (IsCalInput(f)) {
      calText_[CalSlot(f)] = Text(f);
    } else {
      SetNumber(f, Read(f));
    }
  }
}

void AcquisitionForm::SetNumber(AcqField f, double v) { text_[IndexOf(f)] = Format(v, InfoOf(f).integer); }

Range AcquisitionForm::RangeOf(AcqField f) const {
  switch (f) {
    case AcqField::MLength:
    case AcqField::WLength:
      return {kMinLength, maxLength_};
    case AcqField::MPeriod:
    case AcqField::WRepeatPeriod:
      return {0.001, 3600.0};
    case AcqField::MBefore:
      return {0, Read(AcqField::MLength)};
    case AcqField::WPeriod:
      return {minWPer_, maxWPer_};
    case AcqField::CalInput1:
    case AcqField::CalInput2:
      return {-fullScale_, fullScale_};
    case AcqField::CalValue1:
    case AcqField::CalValue2:
      return {-100000.0, 100000.0};
    default:
      return {-10000.0, 10000.0};
  }
}

double AcquisitionForm::Read(AcqField f) const {
  if (IsCalInput(f) && Text(f) == calText_[CalSlot(f)]) return calKept_[CalSlot(f)];
  const AcqFieldInfo& info = InfoOf(f);
  double v = ParseNumber(Text(f), info.chars, info.integer);
  if (f == AcqField::WPeriod && v == 0) v = 1.0;
  const Range r = RangeOf(f);
  if (f == AcqField::MBefore && v >= r.max) return r.max - 2;
  v = std::clamp(v, r.min, r.max);
  if (info.integer) v = std::trunc(v);
  // A float field holds what its float32 target will hold.
  return info.integer ? v : double(float(v));
}

bool AcquisitionForm::Prompt(state::Program& p, AcqField f) {
  const AcqFieldInfo& info = InfoOf(f);
  return Prompt(p, f, info.promptText ? state::Txt(p, info.promptText) : std::string(info.label));
}

bool AcquisitionForm::Prompt(state::Program& p, AcqField f, const std::string& title) {
  const AcqFieldInfo& info = InfoOf(f);
  const Range r = RangeOf(f);
  const double current = Read(f);
  if (info.integer) {
    auto v = p.ui().PromptInt(title, int64_t(r.min), int64_t(r.max), int64_t(current));
    if (!v) return false;
    SetNumber(f, std::clamp(double(*v), r.min, r.max));
  } else {
    auto v = p.ui().PromptFloat(title, r.min, r.max, current);
    if (!v || std::isnan(*v)) return false;
    SetNumber(f, std::clamp(*v, r.min, r.max));
  }
  return true;
}

bool AcquisitionForm::DoubleSize(state::Program& p, AcqField size) {
  double v = Read(size);
  if (v <= maxLength_ / 2) SetNumber(size, v * 2);
  return Prompt(p, size, state::Txt(p, 142));
}

bool AcquisitionForm::HalveSize(state::Program& p, AcqField size) {
  double v = Read(size);
  if (v >= 16) SetNumber(size, std::trunc(v / 2));
  return Prompt(p, size, state::Txt(p, 142));
}

void AcquisitionForm::Defaults() {
  for (AcqField f : kAcqFields) SetNumber(f, Get(store::A0, f));
}

AcqDerived AcquisitionForm::Derived() const {
  const double wPeriodMs = Read(AcqField::WPeriod);
  return {Read(AcqField::MLength) * Read(AcqField::MPeriod), Read(AcqField::WLength) * wPeriodMs * 0.001,
          1000.0 / wPeriodMs};
}

int AcquisitionForm::Accept(state::Program& p) {
  if (!p.A) return 1;
  double values[kAcqFields.size()];
  for (size_t i = 0; i < kAcqFields.size(); ++i) values[i] = Read(kAcqFields[i]);
  auto value = [&](AcqField f) { return values[IndexOf(f)]; };

  if (!(value(AcqField::MMax) > value(AcqField::MMin))) state::MessT(p, 252, 13);
  if (!(value(AcqField::TraceMax) > value(AcqField::TraceMin))) state::MessT(p, 253, 13);

  store::A_s& one = p.A[0];
  const int32_t oldLength = one.WLength;
  const float oldPeriod = one.WPeriod;
  // Only the fields shown here are written: the run may have changed other
  // fields of these records while the dialog was open.
  for (AcqField f : kAcqFields) Put(InChannelOne(f) ? one : p.RefA(), f, value(f));
  store::A_s& ref = p.RefA();
  ref.Flags153 = uint8_t(live ? ref.Flags153 | store::kAWLive : ref.Flags153 & ~store::kAWLive);
  for (AcqField f : kAcqFields) SetNumber(f, value(f));
  for (AcqField f : {AcqField::CalInput1, AcqField::CalInput2}) {
    calKept_[CalSlot(f)] = value(f);
    calText_[CalSlot(f)] = Text(f);
  }
  p.DoPanel = 1;

  const bool changed = one.WLength != oldLength || one.WPeriod != oldPeriod;
  if (changed && p.QW && !p.QM) {
    StopRun(p, false);
    StartWaveformRun(p);
  }
  return 1;
}

}  // namespace daq
