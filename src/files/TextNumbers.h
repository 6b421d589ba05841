// Numbers in text files, written and read without the C locale: a program
// running under a locale with a decimal comma must still write and read
// decimal points. The written forms are exactly the printf forms the text
// files have always had (%g, %f, %e with a width).
#pragma once

#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace files {

// Appends `value` as printf's "%<width>.<precision><kind>" would, where kind
// is general (g), fixed (f) or scientific (e).
inline void AppendNumber(std::string& out, double value, std::chars_format kind, int precision,
                         int width = 0) {
  char buf[400];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value, kind, precision);
  size_t n = r.ec == std::errc() ? size_t(r.ptr - buf) : 0;
  if (width > 0 && n < size_t(width)) out.append(size_t(width) - n, ' ');
  out.append(buf, n);
}

// "%g": six significant digits.
inline void AppendG6(std::string& out, double value) {
  AppendNumber(out, value, std::chars_format::general, 6);
}

inline void AppendInt(std::string& out, long long value) {
  char buf[24];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, size_t(r.ptr - buf));
}

// Reads the longest number at the front of [first, last) as atof does: an
// optional sign, digits with a decimal point, an optional exponent. No
// number reads as 0. Answers where the number ended (first when none).
inline const char* ParseLeadingNumber(const char* first, const char* last, double& value) {
  value = 0.0;
  const char* p = first;
  bool negative = false;
  if (p < last && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // from_chars takes no "+" and reads "inf"/"nan", which atof-like reading
  // of a data file must not: only a digit or a point may follow the sign.
  if (p >= last || !((*p >= '0' && *p <= '9') || *p == '.')) return first;
  double v = 0.0;
  std::from_chars_result r = std::from_chars(p, last, v, std::chars_format::general);
  if (r.ec == std::errc::invalid_argument) return first;
  // Out of range: from_chars leaves v alone; atof gives ±HUGE_VAL or 0.
  if (r.ec == std::errc::result_out_of_range) {
    // The exponent tells which way it went; a mantissa of zeros is zero.
    const char* q = p;
    bool nonZero = false;
    while (q < r.ptr && *q != 'e' && *q != 'E') {
      if (*q >= '1' && *q <= '9') nonZero = true;
      ++q;
    }
    bool negExp = q + 1 < r.ptr && q[1] == '-';
    v = !nonZero || negExp ? 0.0 : std::numeric_limits<double>::infinity();
  }
  value = negative ? -v : v;
  return r.ptr;
}

// A read value as a sample; beyond the float range it becomes an infinity
// rather than an undefined conversion.
inline float ToSample(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::infinity();
  if (v < -kMax) return -std::numeric_limits<float>::infinity();
  return float(v);
}

}  // namespace files
