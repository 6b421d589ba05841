#include "files/CalibrationTables.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/AtomicFile.h"
#include "state/Program.h"

namespace files {
namespace {

// Longer value texts are not numbers anyone writes; they mark the point bad.
constexpr size_t kMaxValueChars = 63;

bool ToFloat(const std::string& text, float& value) {
  size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  if (b == e) return false;
  std::string t = text.substr(b, e - b);
  char* end = nullptr;
  float v = std::strtof(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

// Character-by-character, so a table file is streamed rather than held.
class TableParser {
 public:
  TableParser(float* in, float* out, int maxPoints) : in_(in), out_(out), max_(maxPoints) {}
  int Points() const { return n_; }

  void Feed(char c) {
    if (c == '{') {
      // A new brace starts the point afresh, whatever was left open.
      inside_ = true;
      bad_ = false;
      values_ = 0;
      current_.clear();
    } else if (!inside_) {
      return;
    } else if (c == ',') {
      float v = 0;
      if (current_.size() > kMaxValueChars || !ToFloat(current_, v))
        bad_ = true;
      else if (values_ < 2)
        taken_[values_] = v;
      if (values_ < 2) ++values_;
      current_.clear();
    } else if (c == '}') {
      if (!bad_ && values_ == 2 && n_ < max_) {
        in_[n_] = taken_[0];
        out_[n_] = taken_[1];
        ++n_;
      }
      inside_ = false;
    } else if (current_.size() <= kMaxValueChars) {
      current_ += c;
    }
  }

 private:
  float* in_;
  float* out_;
  int max_;
  int n_ = 0;
  bool inside_ = false;
  bool bad_ = false;
  int values_ = 0;
  float taken_[2] = {0, 0};
  std::string current_;
};

}  // namespace

int ParseCalibrationText(std::string_view text, float* in, float* out, int maxPoints) {
  TableParser parser(in, out, maxPoints);
  for (char c : text) parser.Feed(c);
  return parser.Points();
}

int ReadKalibText(state::Program& p) {
  p.TextKalib = 0;
  if (p.Kalib_In.size() < size_t(state::kKalibRows) * state::kKalibCols ||
      p.Kalib_Out.size() < size_t(state::kKalibRows) * state::kKalibCols || !p.plat.paths)
    return 0;
  static_assert(state::kMaxKalibPoints <= state::kKalibCols && store::kChannels < state::kKalibRows);
  for (int ch = 0; ch < store::kChannels; ++ch) {
    p.KalibIn(0, ch) = 0;
    char name[40];
    std::snprintf(name, sizeof name, "\\TXTKALIB\\chan_%03d.txt", ch + 1);
    InputFile f(p.plat.paths->Resolve(name));
    if (!f) continue;
    p.TextKalib = 1;
    TableParser parser(&p.KalibIn(ch + 1, 0), &p.KalibOut(ch + 1, 0), state::kMaxKalibPoints);
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.file())) > 0)
      for (size_t i = 0; i < got; ++i) parser.Feed(buf[i]);
    p.KalibIn(0, ch) = float(parser.Points());
  }
  return p.TextKalib;
}

}  // namespace files
