#include "state/GeneralTexts.h"

#include <cstdio>
#include <fstream>

namespace state {

namespace {

constexpr std::string_view kIdentification = "TRV_TXT.TXT";

// Widths and precisions above this are refused: a hostile "%999999999d" must
// not make one conversion allocate or print gigabytes.
constexpr long kMaxFieldSize = 4096;

enum class ArgKind { Int, Real, Text };

// One parsed conversion of a format.
struct Conversion {
  std::string flags;
  std::string width;
  std::string precision;  // digits after '.', or "." alone for an empty one
  std::string length;     // "", "h", "l" or "ll"
  char conv = 0;
  ArgKind kind = ArgKind::Int;
};

bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Parses the conversion after the '%' at format[pos]; answers false for any
// conversion that is not accepted. pos ends after the conversion letter.
bool ParseConversion(std::string_view format, size_t& pos, Conversion& out) {
  size_t i = pos + 1;
  while (i < format.size() && IsFlag(format[i])) out.flags += format[i++];
  while (i < format.size() && IsDigit(format[i])) out.width += format[i++];
  if (i < format.size() && format[i] == '.') {
    out.precision += format[i++];
    while (i < format.size() && IsDigit(format[i])) out.precision += format[i++];
  }
  if (out.width.size() > 4 || out.precision.size() > 5) return false;
  if (!out.width.empty() && std::stol(out.width) > kMaxFieldSize) return false;
  if (out.precision.size() > 1 && std::stol(out.precision.substr(1)) > kMaxFieldSize) return false;
  if (i < format.size() && format[i] == 'h') {
    out.length.assign(1, 'h');  // assign(char*) trips a false -Wrestrict of GCC 12 at -O3
    ++i;
  } else if (i < format.size() && format[i] == 'l') {
    out.length.assign(1, 'l');
    ++i;
    if (i < format.size() && format[i] == 'l') {
      out.length.assign(2, 'l');
      ++i;
    }
  }
  if (i >= format.size()) return false;
  out.conv = format[i];
  bool hash = out.flags.find('#') != std::string::npos;
  bool zero = out.flags.find('0') != std::string::npos;
  switch (out.conv) {
    case 'd':
    case 'i':
    case 'u':
      if (hash) return false;  // undefined in C
      out.kind = ArgKind::Int;
      break;
    case 'x':
    case 'X':
    case 'o':
      out.kind = ArgKind::Int;
      break;
    case 'c':
      if (hash || zero || !out.length.empty() || out.precision.size()) return false;
      out.kind = ArgKind::Int;
      break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
      // "%lf" is common and harmless; h and ll have no meaning for reals.
      if (out.length == "h" || out.length == "ll") return false;
      out.kind = ArgKind::Real;
      break;
    case 's':
      if (hash || zero || !out.length.empty()) return false;
      out.kind = ArgKind::Text;
      break;
    default:
      return false;  // %n, %p, %*d, %a, %%-with-flags and everything unknown
  }
  pos = i + 1;
  return true;
}

// Walks the format: literal runs go to `literal`, conversions to `conversion`.
// Answers false on the first unaccepted conversion or a lone trailing '%'.
template <typename Literal, typename Convert>
bool WalkFormat(std::string_view format, Literal literal, Convert conversion) {
  size_t pos = 0;
  while (pos < format.size()) {
    size_t percent = format.find('%', pos);
    if (percent == std::string_view::npos) {
      literal(format.substr(pos));
      break;
    }
    literal(format.substr(pos, percent - pos));
    if (percent + 1 < format.size() && format[percent + 1] == '%') {
      literal("%");
      pos = percent + 2;
      continue;
    }
    Conversion conv;
    pos = percent;
    if (!ParseConversion(format, pos, conv)) return false;
    if (!conversion(conv)) return false;
  }
  return true;
}

// Truncates a negative value to the width of its length modifier for the
// unsigned conversions, as "%x" of -1 prints ffffffff. Signed conversions
// keep the full value: a count that outgrew 32 bits is never shown wrong.
unsigned long long UnsignedValue(long long v, const std::string& length) {
  if (v >= 0) return static_cast<unsigned long long>(v);
  if (length == "h") return static_cast<unsigned short>(v);
  if (length == "ll") return static_cast<unsigned long long>(v);
  return static_cast<unsigned int>(v);
}

template <typename T>
bool AppendFormatted(std::string& out, const std::string& format, T value) {
  int n = std::snprintf(nullptr, 0, format.c_str(), value);
  if (n < 0) return false;
  size_t at = out.size();
  out.resize(at + size_t(n) + 1);
  std::snprintf(out.data() + at, size_t(n) + 1, format.c_str(), value);
  out.resize(at + size_t(n));
  return true;
}

bool FormatOne(std::string& out, const Conversion& c, const TextArg& arg) {
  std::string format = "%" + c.flags + c.width + c.precision;
  switch (c.kind) {
    case ArgKind::Int:
      if (!arg.IsInt()) return false;
      if (c.conv == 'c')
        return AppendFormatted(out, format + "c", int(static_cast<unsigned char>(arg.Int())));
      if (c.conv == 'd' || c.conv == 'i') return AppendFormatted(out, format + "ll" + c.conv, arg.Int());
      return AppendFormatted(out, format + "ll" + c.conv, UnsignedValue(arg.Int(), c.length));
    case ArgKind::Real:
      if (!arg.IsReal()) return false;
      return AppendFormatted(out, format + c.conv, arg.Real());
    case ArgKind::Text:
      if (!arg.IsText()) return false;
      return AppendFormatted(out, format + "s", arg.Text().c_str());
  }
  return false;
}

}  // namespace

std::string SafeFormat(std::string_view format, std::span<const TextArg> args) {
  std::string out;
  size_t next = 0;
  bool ok = WalkFormat(
      format, [&](std::string_view text) { out += text; },
      [&](const Conversion& c) {
        if (next >= args.size()) return false;
        return FormatOne(out, c, args[next++]);
      });
  if (!ok || next != args.size()) return std::string(format);
  return out;
}

bool ConversionKinds(std::string_view format, std::string& kinds) {
  kinds.clear();
  bool ok = WalkFormat(
      format, [](std::string_view) {},
      [&](const Conversion& c) {
        kinds += c.kind == ArgKind::Int ? 'i' : c.kind == ArgKind::Real ? 'f' : 's';
        return true;
      });
  if (!ok) kinds.clear();
  return ok;
}

// Reads a text file in pieces, so that a huge file of remarks never has to be
// held whole. Texts go into a fresh buffer and index that replace the loaded
// ones only when the whole file was read without failure.
class TextReader {
 public:
  // Answers false once the reading has failed or ended; status() tells which.
  bool Feed(std::string_view chunk) {
    for (char c : chunk) {
      if (done_) return false;
      if (idChecked_ < kIdentification.size()) {
        if (c != kIdentification[idChecked_++]) return Fail(TextFileStatus::BadIdentification);
        continue;
      }
      if (!inText_) {
        if (c == '{') {
          inText_ = true;
          start_ = int32_t(buffer_.size());
        }
        continue;
      }
      if (c == '}') {
        if (!CloseText()) return false;
        continue;
      }
      // The file is read as text: a line end written as CR LF counts as one.
      if (c == '\n' && !buffer_.empty() && buffer_.back() == '\r' && int32_t(buffer_.size()) > start_)
        buffer_.pop_back();
      if (!Put(c)) return false;
    }
    return !done_;
  }

  // End of file. A text still open takes what was read, as if the file had
  // ended with its closing brace: the last message of a cut file still shows.
  TextFileStatus Finish() {
    if (done_) return status_;
    if (idChecked_ < kIdentification.size()) return TextFileStatus::BadIdentification;
    if (inText_) CloseText();
    return status_;
  }

  std::string& buffer() { return buffer_; }
  std::vector<int32_t>& index() { return index_; }

 private:
  bool Fail(TextFileStatus s) {
    status_ = s;
    done_ = true;
    return false;
  }

  bool Put(char c) {
    // Every stored text needs its terminator in the buffer as well.
    if (buffer_.size() + 1 >= GeneralTexts::kMaxChars) return Fail(TextFileStatus::TooLong);
    buffer_ += c;
    return true;
  }

  bool CloseText() {
    inText_ = false;
    if (buffer_.size() + 1 > GeneralTexts::kMaxChars) return Fail(TextFileStatus::TooLong);
    buffer_ += '\0';
    index_.push_back(start_);
    // The index holds no more: the texts after the last one it can address
    // are cut, and the rest of the file is not looked at.
    if (index_.size() >= GeneralTexts::kMaxTexts) done_ = true;
    return !done_;
  }

  std::string buffer_;
  std::vector<int32_t> index_;
  size_t idChecked_ = 0;
  bool inText_ = false;
  int32_t start_ = 0;
  bool done_ = false;
  TextFileStatus status_ = TextFileStatus::Ok;
};

TextFileStatus GeneralTexts::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return TextFileStatus::Missing;
  TextReader reader;
  char chunk[65536];
  while (in) {
    in.read(chunk, sizeof chunk);
    std::streamsize got = in.gcount();
    if (got <= 0) break;
    if (!reader.Feed(std::string_view(chunk, size_t(got)))) break;
  }
  // A folder or an unreadable file opens but gives nothing: it is missing.
  if (in.bad()) return TextFileStatus::Missing;
  TextFileStatus status = reader.Finish();
  if (status != TextFileStatus::Ok) return status;
  H_ = std::move(reader.buffer());
  I_ = std::move(reader.index());
  return status;
}

TextFileStatus GeneralTexts::Parse(std::string_view content) {
  TextReader reader;
  reader.Feed(content);
  TextFileStatus status = reader.Finish();
  if (status != TextFileStatus::Ok) return status;
  H_ = std::move(reader.buffer());
  I_ = std::move(reader.index());
  return status;
}

const char* GeneralTexts::FailureMessage(TextFileStatus status) {
  switch (status) {
    case TextFileStatus::Ok:
      return "";
    case TextFileStatus::Missing:
      return "General text file does'nt exists !";
    case TextFileStatus::BadIdentification:
      return "Bad identification of general text file!";
    case TextFileStatus::TooLong:
      return "General text file too long.";
  }
  return "";
}

const char* GeneralTexts::Get(int n) const {
  if (n < 0 || size_t(n) >= I_.size()) return "";
  return H_.c_str() + I_[size_t(n)];
}

std::string GeneralTexts::Format(int n, std::initializer_list<TextArg> args) const {
  return SafeFormat(Get(n), std::span<const TextArg>(args.begin(), args.size()));
}

}  // namespace state
