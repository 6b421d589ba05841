// The general text file: every message, title and status text by number.
// The files are outside input, so formatting checks each printf conversion of
// a text against the arguments actually given and never trusts the text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace state {

enum class TextFileStatus { Ok, Missing, BadIdentification, TooLong };

// One argument of a formatted text.
class TextArg {
 public:
  TextArg(int v) : v_(static_cast<long long>(v)) {}
  TextArg(long v) : v_(static_cast<long long>(v)) {}
  TextArg(long long v) : v_(v) {}
  TextArg(unsigned v) : v_(static_cast<long long>(v)) {}
  TextArg(double v) : v_(v) {}
  TextArg(const char* v) : v_(std::string(v ? v : "")) {}
  TextArg(std::string v) : v_(std::move(v)) {}
  TextArg(std::string_view v) : v_(std::string(v)) {}

  bool IsInt() const { return v_.index() == 0; }
  bool IsReal() const { return v_.index() == 1; }
  bool IsText() const { return v_.index() == 2; }
  long long Int() const { return std::get<0>(v_); }
  double Real() const { return std::get<1>(v_); }
  const std::string& Text() const { return std::get<2>(v_); }

 private:
  std::variant<long long, double, std::string> v_;
};

// printf-style formatting that checks every conversion against the argument
// kinds: integers for d/i/u/x/X/o/c, reals for f/e/E/g/G, texts for s. On any
// mismatch (count or kind, or an unknown or unsafe conversion such as %n) the
// format is answered unformatted.
std::string SafeFormat(std::string_view format, std::span<const TextArg> args);

// The argument kinds a text's conversions ask for, one letter each: 'i'
// integer, 'f' real, 's' text; false when the text holds a conversion that is
// never accepted.
bool ConversionKinds(std::string_view format, std::string& kinds);

class GeneralTexts {
 public:
  static constexpr size_t kMaxChars = 140000;  // the text buffer `H`
  static constexpr size_t kMaxTexts = 3000;    // the index `I`

  // Reads a text file; on failure the texts held so far stay as they were.
  // Texts past kMaxTexts are cut. A text left open at the end of the file
  // keeps what was read, as if its closing brace were there.
  TextFileStatus Load(const std::string& path);
  TextFileStatus Parse(std::string_view content);

  // The built-in message of a failed load, shown with the title kFailureTitle.
  // They are built in because no general text exists when the load fails.
  static const char* FailureMessage(TextFileStatus status);
  static constexpr const char* kFailureTitle = "Error";

  // Entry n, or "" when the file has no such entry.
  const char* Get(int n) const;
  std::string Format(int n, std::initializer_list<TextArg> args) const;
  size_t Count() const { return I_.size(); }

 private:
  std::string H_;           // terminated texts one after another
  std::vector<int32_t> I_;  // start offsets into H_
};

}  // namespace state
