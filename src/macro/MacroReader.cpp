#include "macro/MacroReader.h"

#include <cctype>
#include <cstdlib>
#include <limits>

namespace macro {
namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

bool HasText(const std::string& s) {
  for (char c : s)
    if (!Blank(c)) return true;
  return false;
}

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && Blank(s[b])) ++b;
  while (e > b && Blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char Upper(char c) { return char(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

ReadResult MacroReader::Next(Statement& out) {
  for (;;) {
    int c = in_.get();
    if (c == std::char_traits<char>::eof()) {
      // The last line ends without a line feed: the same rule as any line.
      if (!inComment_ && !lineHasSemicolon_ && HasText(partial_)) return ReadResult::MissingSemicolon;
      return ReadResult::End;
    }
    if (c == '\r' && in_.peek() == '\n') continue;
    if (c == '\n') {
      // Text after the last ";" of a line is dropped; text with no ";" at all is an error.
      if (!lineHasSemicolon_ && HasText(partial_)) return ReadResult::MissingSemicolon;
      partial_.clear();
      inComment_ = false;
      lineHasSemicolon_ = false;
      ++line_;
      continue;
    }
    if (inComment_) continue;
    if (c == '*') {
      inComment_ = true;
      continue;
    }
    if (c == '#') return ReadResult::End;
    if (c == ';') {
      lineHasSemicolon_ = true;
      out.text = Trimmed(partial_);
      out.line = line_;
      partial_.clear();
      return ReadResult::Statement;
    }
    partial_ += char(c);
    if (partial_.size() > kStatementChars) return ReadResult::TooLong;
  }
}

bool IsRepeat(std::string_view statement, int32_t& count) {
  static constexpr char kRepeat[] = "REPEAT";
  if (statement.size() < 6) return false;
  for (size_t i = 0; i < 6; ++i)
    if (Upper(statement[i]) != kRepeat[i]) return false;
  std::string rest(statement.substr(6));
  long long v = std::strtoll(rest.c_str(), nullptr, 10);
  if (v > std::numeric_limits<int32_t>::max()) v = std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) v = std::numeric_limits<int32_t>::min();
  count = int32_t(v);
  return true;
}

bool IsEnd(std::string_view statement) {
  return statement.size() == 3 && Upper(statement[0]) == 'E' && Upper(statement[1]) == 'N' &&
         Upper(statement[2]) == 'D';
}

}  // namespace macro
