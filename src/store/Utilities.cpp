#include "store/Utilities.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "store/FixedText.h"

namespace store {
namespace {

// Widths come from settings and dialogs; beyond this a number is no longer
// something to show, and the text stays of a sane size.
constexpr int kMaxWidth = 400;

bool IsSep(char c) { return c == '\\' || c == '/'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t LastSep(std::string_view s) {
  for (size_t i = s.size(); i > 0; --i)
    if (IsSep(s[i - 1])) return i - 1;
  return std::string_view::npos;
}

// Index of the extension dot, looked for in the last component only.
size_t ExtensionDot(std::string_view s) {
  size_t sep = LastSep(s);
  size_t from = sep == std::string_view::npos ? 0 : sep + 1;
  size_t dot = s.rfind('.');
  return dot != std::string_view::npos && dot >= from ? dot : std::string_view::npos;
}

// Integer digits of |x|, 0 below 1. Counted from the exact decimal text so
// that 1000 or 1e22 never miscount through repeated division.
int IntegerDigits(double x) {
  x = std::fabs(x);
  if (!std::isfinite(x)) return 1;
  if (x < 1.0) return 0;
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, std::floor(x), std::chars_format::fixed, 0);
  return r.ec == std::errc() ? int(r.ptr - buf) : 1;
}

// Leading blanks, an optional '+', then the number; locale-independent, so a
// decimal comma locale set by the GUI cannot change what is read.
double ReadDouble(std::string_view s, bool& any) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  double v = 0;
  auto r = std::from_chars(s.data() + i, s.data() + s.size(), v);
  any = r.ec == std::errc() || r.ec == std::errc::result_out_of_range;
  if (r.ec == std::errc::result_out_of_range) {
    // from_chars leaves v alone on overflow: saturate like strtod.
    bool negative = i < s.size() && s[i] == '-';
    size_t e = s.find_first_of("eE", i);
    bool tiny = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
    v = tiny ? 0.0 : (negative ? -HUGE_VAL : HUGE_VAL);
  }
  return any ? v : 0.0;
}

long long ReadInteger(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    int d = s[i] - '0';
    if (v > (LLONG_MAX - d) / 10) return negative ? LLONG_MIN : LLONG_MAX;
    v = v * 10 + d;
  }
  return negative ? -v : v;
}

template <typename T>
T Clamp(T v, T max, T min, bool* clamped) {
  T r = v;
  if (r > max) r = max;
  if (r < min) r = min;
  if (clamped) *clamped = r != v;
  return r;
}

std::string Head(std::string_view text, int chars) {
  size_t n = chars > 0 ? size_t(chars) : 0;
  return std::string(text.substr(0, n));
}

}  // namespace

int64_t TimeToCursor(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return INT64_MAX;
  if (value <= -9223372036854775808.0) return INT64_MIN;
  return int64_t(value);
}

int PocetDigit(double a, double b) {
  double m = std::fabs(a);
  int n = m > 100000 ? 5 : m > 10000 ? 4 : m > 1000 ? 3 : m > 100 ? 2 : m > 10 ? 1 : 0;
  double r = std::fabs(a - b);
  n += r > 10 ? 1 : r > 1 ? 2 : r > 0.1 ? 3 : r > 0.01 ? 4 : r > 0.001 ? 5 : 6;
  return n;
}

// w = max(width, k) (+1 when negative), where k is the count of integer
// digits; in mode 1 the decimals fill w less the integer digits (1 to 5),
// otherwise there are k decimals. The field is w + 1 wide: the point.
int FloatNumToVarTextFormat(std::string& out, int mode, int width, double value) {
  int k = IntegerDigits(value);
  int w = std::min(std::max(width, k), kMaxWidth);
  if (value < 0) ++w;
  int shown = std::min(std::max(k, 1), 5);
  int d = mode == 1 ? w - shown : k;
  if (d < 0) return 0;
  char buf[1024];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, d);
  if (r.ec != std::errc()) return 0;
  std::string text(buf, r.ptr);
  if (int(text.size()) < w + 1) text.insert(0, size_t(w + 1) - text.size(), ' ');
  out = std::move(text);
  return 1;
}

int FloatNumToVarTextFormat(char* out, size_t size, int mode, int width, double value) {
  std::string text;
  if (!FloatNumToVarTextFormat(text, mode, width, value)) return 0;
  CopyText(out, size, text);
  return 1;
}

int NumToText(std::string& out, const char* format, double value) {
  if (!format) return 0;
  std::string fmt;
  int conversions = 0;
  bool integer = false;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      fmt += *p;
      continue;
    }
    if (p[1] == '%') {
      fmt += "%%";
      ++p;
      continue;
    }
    std::string conv = "%";
    ++p;
    while (*p && std::strchr("-+ #0", *p)) conv += *p++;
    for (int n = 0; IsDigit(*p); ++n, ++p) {
      if (n == 3) return 0;  // a width beyond 999 is no format of ours
      conv += *p;
    }
    if (*p == '.') {
      conv += *p++;
      for (int n = 0; IsDigit(*p); ++n, ++p) {
        if (n == 3) return 0;
        conv += *p;
      }
    }
    while (*p == 'l' || *p == 'L') ++p;  // the length is ours to choose
    if (*p && std::strchr("fFeEgG", *p)) {
      conv += *p;
    } else if (*p == 'd' || *p == 'i') {
      conv += "ll";
      conv += *p;
      integer = true;
    } else {
      return 0;
    }
    fmt += conv;
    ++conversions;
  }
  if (conversions != 1) return 0;
  int n;
  long long iv = 0;
  if (integer) {
    double t = std::trunc(value);
    iv = std::isnan(t) ? 0 : t >= 9.2e18 ? LLONG_MAX : t <= -9.2e18 ? LLONG_MIN : (long long)t;
    n = std::snprintf(nullptr, 0, fmt.c_str(), iv);
  } else {
    n = std::snprintf(nullptr, 0, fmt.c_str(), value);
  }
  if (n < 0) return 0;
  std::string text(size_t(n) + 1, '\0');
  if (integer)
    std::snprintf(text.data(), text.size(), fmt.c_str(), iv);
  else
    std::snprintf(text.data(), text.size(), fmt.c_str(), value);
  text.resize(size_t(n));
  out = std::move(text);
  return 1;
}

int NumToText(char* out, size_t size, const char* format, double value) {
  std::string text;
  if (!NumToText(text, format, value)) return 0;
  CopyText(out, size, text);
  return 1;
}

// Works on the text, as the numbers are shown: what the user sees rounded is
// exactly what is read back. A carry out of the first digit (9.996 -> 10.0)
// grows the number by a leading "1".
double FloatRound(double value, int digits, int width) {
  std::string t;
  if (!FloatNumToVarTextFormat(t, 1, width, value)) return 0.0;
  if (digits < 1) digits = 1;
  size_t first = t.find_first_of("123456789");
  if (first == std::string::npos) return 0.0;

  size_t lastKept = std::string::npos;
  int counted = 0;
  for (size_t j = first; j < t.size(); ++j) {
    if (IsDigit(t[j]) && ++counted == digits) {
      lastKept = j;
      break;
    }
  }
  bool any = false;
  if (lastKept == std::string::npos) return ReadDouble(t, any);  // fewer digits than asked

  size_t next = lastKept + 1;
  while (next < t.size() && !IsDigit(t[next])) ++next;
  bool roundUp = next < t.size() && t[next] >= '5';
  for (size_t j = lastKept + 1; j < t.size(); ++j)
    if (IsDigit(t[j])) t[j] = '0';

  if (roundUp) {
    size_t j = lastKept + 1;
    bool done = false;
    while (j-- > 0) {
      if (t[j] == '.') continue;
      if (!IsDigit(t[j])) break;  // blank or sign in front of the digits
      if (t[j] == '9') {
        t[j] = '0';
        continue;
      }
      ++t[j];
      done = true;
      break;
    }
    if (!done) t.insert(j == std::string::npos ? 0 : j + 1, 1, '1');
  }
  return ReadDouble(t, any);
}

int bcd2bin(uint16_t x) {
  return ((x >> 12) & 0xF) * 1000 + ((x >> 8) & 0xF) * 100 + ((x >> 4) & 0xF) * 10 + (x & 0xF);
}

uint32_t CharOctToInt(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  uint32_t v = 0;
  for (;; ++text) {
    char c = *text;
    uint32_t d;
    if (IsDigit(c))
      d = uint32_t(c - '0');
    else if (c >= 'a' && c <= 'f')
      d = uint32_t(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      d = uint32_t(c - 'A' + 10);
    else
      break;
    v = (v << 4) | d;
  }
  return v;
}

void FrontSpaceOff(char* text) {
  if (!text) return;
  size_t n = 0;
  while (text[n] == ' ') ++n;
  if (n) std::memmove(text, text + n, std::strlen(text + n) + 1);
}

void FrontSpaceOff(std::string& text) { text.erase(0, text.find_first_not_of(' ')); }

// The drive-style first component ("C:\") plus "..." takes 6 characters;
// budgeting by the real prefix keeps longer POSIX prefixes within max too.
std::string ShortPath(int max, std::string_view path) {
  size_t m = size_t(std::max(max, 12));
  if (path.size() <= m) return std::string(path);

  size_t start = 0;
  while (start < path.size() && IsSep(path[start])) ++start;
  size_t sep = start;
  while (sep < path.size() && !IsSep(path[sep])) ++sep;
  std::string prefix = sep < path.size() ? std::string(path.substr(0, sep + 1)) : std::string();

  if (prefix.size() + 3 >= m) return "..." + std::string(path.substr(path.size() - (m - 3)));
  size_t budget = m - 3 - prefix.size();
  for (size_t i = path.size() - budget; i < path.size(); ++i)
    if (IsSep(path[i])) return prefix + "..." + std::string(path.substr(i));
  // Even the file name is too long: its end is the most telling part.
  return prefix + "..." + std::string(path.substr(path.size() - budget));
}

void ShortPath(int max, char* out, size_t size, std::string_view path) {
  CopyText(out, size, ShortPath(max, path));
}

void Extension(std::string_view name, std::string& mask) {
  if (name.empty()) return;
  size_t dot = ExtensionDot(name);
  if (dot == std::string_view::npos || dot + 1 == name.size())
    mask = "*.*";
  else
    mask = "*." + std::string(name.substr(dot + 1));
}

void Extension(std::string_view name, char* mask, size_t size) {
  if (name.empty()) return;
  std::string m;
  Extension(name, m);
  // A cut extension would filter for the wrong files; all files is honest.
  CopyText(mask, size, m.size() < size ? std::string_view(m) : std::string_view("*.*"));
}

void ChangeExtension(std::string& name, std::string_view ext) {
  size_t dot = ExtensionDot(name);
  if (dot == std::string::npos)
    name += ext;
  else if (dot + 1 == name.size())
    name += !ext.empty() && ext[0] == '.' ? ext.substr(1) : ext;
  else
    name = name.substr(0, dot) + std::string(ext);
}

void ChangeExtension(char* name, size_t size, std::string_view ext) {
  if (!name || size == 0) return;
  std::string s(name, strnlen(name, size));
  ChangeExtension(s, ext);
  // A name cut short would be another file: keep the old one instead.
  if (s.size() < size) CopyText(name, size, s);
}

std::string AllName(std::string_view path, std::string_view fileName) {
  size_t sep = LastSep(path);
  if (sep == std::string_view::npos) return std::string(fileName);
  return std::string(path.substr(0, sep + 1)) + std::string(fileName);
}

std::string ExtensionFromName(std::string_view name) {
  size_t dot = ExtensionDot(name);
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

std::string PathFromName(std::string_view name) {
  size_t sep = LastSep(name);
  return sep == std::string_view::npos ? std::string() : std::string(name.substr(0, sep));
}

std::string FileNameFromName(std::string_view name) {
  size_t sep = LastSep(name);
  return std::string(sep == std::string_view::npos ? name : name.substr(sep + 1));
}

std::string GetDatum(const platform::LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", t.day, t.month, t.year);
  std::string s(buf);
  if (s.size() < 11) s.append(11 - s.size(), ' ');
  return s;
}

void GetDatum(const platform::LocalTime& t, char* text, size_t size) { CopyText(text, size, GetDatum(t)); }

std::string PisDatum(const platform::LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " %2d:%02d:%02d.%02d", t.hour, t.minute, t.second, t.hundredth);
  return GetDatum(t) + ",  " + buf;
}

void PisDatum(const platform::LocalTime& t, char* text, size_t size) { CopyText(text, size, PisDatum(t)); }

int IntRangeGet(std::string_view text, int max, int min, int chars, bool* clamped) {
  long long v = ReadInteger(Head(text, chars));
  return int(Clamp<long long>(v, max, min, clamped));
}

int32_t LongRangeGet(std::string_view text, int32_t max, int32_t min, int chars, bool* clamped) {
  long long v = ReadInteger(Head(text, chars));
  return int32_t(Clamp<long long>(v, max, min, clamped));
}

double FloatRangeGet(std::string_view text, double max, double min, int chars, bool* clamped) {
  bool any = false;
  double v = ReadDouble(Head(text, chars), any);
  if (std::isnan(v)) {
    if (clamped) *clamped = true;
    return min;
  }
  return Clamp<double>(v, max, min, clamped);
}

}  // namespace store
