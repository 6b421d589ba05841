#include "app/ValuePrompt.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "store/Utilities.h"

namespace app {
namespace {

constexpr int kDefaultScrollSpan = 1000;

double TypeLow(ValueKind k) {
  return k == ValueKind::Float ? -FLT_MAX : k == ValueKind::Int16 ? -32768 : INT32_MIN;
}
double TypeHigh(ValueKind k) {
  return k == ValueKind::Float ? FLT_MAX : k == ValueKind::Int16 ? 32767 : INT32_MAX;
}

// Keeps a bound or value finite and inside the value type.
double IntoType(ValueKind k, double v, double nanValue) {
  if (std::isnan(v)) v = nanValue;
  return std::clamp(v, TypeLow(k), TypeHigh(k));
}

// The leading part of a text that is at most `n` UTF-8 characters long.
std::string_view FirstChars(std::string_view text, size_t n) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars == n) return text.substr(0, i);
    ++chars;
  }
  return text;
}

}  // namespace

ValuePrompt::ValuePrompt(ValueKind kind, double min, double max, double initial, int scrollMin, int scrollMax)
    : kind_(kind), scrollMin_(scrollMin), scrollMax_(std::max(scrollMin, scrollMax)) {
  min_ = Fit(IntoType(kind, min, 0.0));
  max_ = Fit(IntoType(kind, max, min_));
  if (max_ < min_) max_ = min_;
  initial_ = Fit(IntoType(kind, initial, min_));
  value_ = initial_;
  // Computed in double: for the widest float range the span overflows float.
  step_ = scrollMax_ > scrollMin_ ? (max_ - min_) / (double(scrollMax_) - double(scrollMin_)) : 0.0;
}

double ValuePrompt::Fit(double v) const {
  if (!std::isfinite(v)) v = std::isnan(v) ? 0.0 : std::clamp(v, TypeLow(kind_), TypeHigh(kind_));
  if (kind_ != ValueKind::Float) v = std::clamp(std::round(v), TypeLow(kind_), TypeHigh(kind_));
  return v;
}

std::string ValuePrompt::Text() const {
  char buf[32];
  if (kind_ != ValueKind::Float) {
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value_));
    return buf;
  }
  std::string text;
  if (store::FloatNumToVarTextFormat(text, 1, 7, value_)) {
    text.erase(0, text.find_first_not_of(' '));
    if (int(text.size()) <= kMaxChars) return text;
  }
  // Too wide for the field: a shorter form that still reads back.
  std::snprintf(buf, sizeof buf, "%.4g", value_);
  return buf;
}

int ValuePrompt::Position() const {
  if (step_ <= 0) return scrollMin_;
  double offset = std::round((value_ - min_) / step_);
  offset = std::clamp(offset, 0.0, double(scrollMax_) - double(scrollMin_));
  return scrollMin_ + int(offset);
}

void ValuePrompt::SetPosition(int position) {
  position = std::clamp(position, scrollMin_, scrollMax_);
  // The bar's first position is min whatever scrollMin is.
  double v = (double(position) - double(scrollMin_)) * step_ + min_;
  value_ = Fit(std::min(v, max_));
}

bool ValuePrompt::SetText(std::string_view text) {
  double v = 0;
  if (!ParseNumber(FirstChars(text, kMaxChars), v)) return false;
  value_ = Fit(v);
  return true;
}

double ValuePrompt::Result() const { return std::clamp(value_, min_, max_); }

bool ValuePrompt::ParseNumber(std::string_view text, double& out) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  std::string s(text.substr(i));
  const bool plus = s[0] == '+';
  if (plus) s.erase(0, 1);
  if (s.empty()) return false;
  if (size_t comma = s.find(','); comma != std::string::npos) s[comma] = '.';
  // "inf" and "nan" read as numbers by from_chars; the field takes digits only.
  size_t first = !plus && s[0] == '-' ? 1 : 0;
  if (first >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[first])) || s[first] == '.'))
    return false;
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

void DefaultScrollRange(ValueKind kind, double min, double max, int& scrollMin, int& scrollMax) {
  scrollMin = 0;
  scrollMax = kDefaultScrollSpan;
  if (kind == ValueKind::Float || !std::isfinite(min) || !std::isfinite(max) || max < min) return;
  double span = std::round(max) - std::round(min);
  if (span < kDefaultScrollSpan) scrollMax = int(span);
}

}  // namespace app
