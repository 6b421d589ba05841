#include "files/TextImport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"
#include "files/RowsToBlocks.h"
#include "files/TextNumbers.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr int kMaxToken = 199;
constexpr int kTextColumnProbe = 100;
constexpr int kMaxChannels = 128;

// Buffered reading of a file with a guaranteed look-ahead, so a token is
// scanned on the buffer itself.
class ByteReader {
 public:
  explicit ByteReader(FILE* f) : f_(f), buf_(kBufferBytes) {}
  // At least `k` unread bytes in the buffer unless the file ends first;
  // false when nothing is left.
  bool Ensure(size_t k) {
    if (len_ - pos_ >= k || eof_) return len_ > pos_;
    std::memmove(buf_.data(), buf_.data() + pos_, len_ - pos_);
    len_ -= pos_;
    pos_ = 0;
    while (len_ < k && !eof_) {
      size_t got = std::fread(buf_.data() + len_, 1, buf_.size() - len_, f_);
      if (got == 0) eof_ = true;
      len_ += got;
      fetched_ += (long long)got;
    }
    return len_ > pos_;
  }
  // Bytes of the file read so far.
  long long Offset() const { return fetched_ - (long long)(len_ - pos_); }
  char* Cur() { return buf_.data() + pos_; }
  char* End() { return buf_.data() + len_; }
  void Advance(size_t n) { pos_ += n; }
  int Peek() { return Ensure(1) ? static_cast<unsigned char>(buf_[pos_]) : -1; }
  int Get() { return Ensure(1) ? static_cast<unsigned char>(buf_[pos_++]) : -1; }
  bool Seek(long long offset) {
    if (std::fseek(f_, long(offset), SEEK_SET) != 0) return false;
    fetched_ = offset;
    pos_ = len_ = 0;
    eof_ = false;
    return true;
  }
  // Skips the rest of the line and its line end.
  void SkipLine() {
    while (Ensure(1)) {
      const void* nl = std::memchr(Cur(), '\n', len_ - pos_);
      if (nl) {
        pos_ = size_t(static_cast<const char*>(nl) - buf_.data()) + 1;
        return;
      }
      pos_ = len_;
    }
  }

 private:
  static constexpr size_t kBufferBytes = 1 << 20;
  FILE* f_;
  std::vector<char> buf_;
  size_t pos_ = 0, len_ = 0;
  long long fetched_ = 0;
  bool eof_ = false;
};

enum class Token { Number, LineEnd, End, Bad };
enum CharClass : uint8_t { kOther, kBlank, kLineEnd, kNumber };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> c{};
  c[' '] = c['\t'] = c['\r'] = kBlank;
  c['\n'] = kLineEnd;
  for (int d = '0'; d <= '9'; ++d) c[size_t(d)] = kNumber;
  for (char n : {'.', ',', '+', '-', 'e', 'E'}) c[static_cast<unsigned char>(n)] = kNumber;
  return c;
}
constexpr std::array<uint8_t, 256> kClass = MakeClasses();

uint8_t ClassOf(char c) { return kClass[static_cast<unsigned char>(c)]; }
bool IsBlank(int c) { return c >= 0 && kClass[size_t(c)] == kBlank; }
bool StartsNumber(int c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-'; }

constexpr uint64_t kPow10Int[] = {1ULL,
                                  10ULL,
                                  100ULL,
                                  1000ULL,
                                  10000ULL,
                                  100000ULL,
                                  1000000ULL,
                                  10000000ULL,
                                  100000000ULL,
                                  1000000000ULL,
                                  10000000000ULL,
                                  100000000000ULL,
                                  1000000000000ULL,
                                  10000000000000ULL,
                                  100000000000000ULL,
                                  1000000000000000ULL,
                                  10000000000000000ULL,
                                  100000000000000000ULL,
                                  1000000000000000000ULL,
                                  10000000000000000000ULL};
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Decimal digits from q into m, four at a time while four follow: the
// serial multiply-add per digit is the import's longest chain. A value past
// 19 digits wraps; callers refuse such numbers by their digit count.
const char* ReadDigits(const char* q, const char* e, uint64_t& m) {
  while (e - q >= 4) {
    uint32_t w;
    std::memcpy(&w, q, 4);
    const uint32_t lo = w - 0x30303030u;  // bit 7 of a byte set: below '0'
    const uint32_t hi = w + 0x46464646u;  // bit 7 of a byte set: above '9'
    if ((lo | hi) & 0x80808080u) break;
    const uint32_t pairs = (lo * 10 + (lo >> 8)) & 0x00FF00FFu;  // d0d1, d2d3 (first char lowest)
    m = m * 10000 + (pairs & 0xFFu) * 100 + (pairs >> 16);
    q += 4;
  }
  for (; q < e && unsigned(*q - '0') < 10; ++q) m = m * 10 + uint64_t(*q - '0');
  return q;
}

// The common plain number ([sign] digits [point digits] [e [sign] digits],
// then a blank, a line end or the end) read in the same scan that finds its
// end. Exact: a mantissa below 2^53 times or divided by a power of ten up
// to 10^22 is one correctly rounded operation. Anything else (long
// mantissas, odd forms such as "1.2.3") answers false and goes the general
// way.
bool FastNumber(const char* p, const char* e, const char*& end, double& value) {
  const char* q = p;
  bool negative = false;
  if (q < e && (*q == '+' || *q == '-')) negative = *q++ == '-';
  // Up to 19 digits cannot overflow; longer mantissas go the general way.
  uint64_t m = 0;
  const char* digitsStart = q;
  q = ReadDigits(q, e, m);
  int digits = int(q - digitsStart);
  int scale = 0;
  if (q < e && (*q == '.' || *q == ',')) {
    // The fraction as a second, independent chain of multiplications.
    uint64_t f = 0;
    const char* fraction = ++q;
    q = ReadDigits(q, e, f);
    scale = -int(q - fraction);
    digits -= scale;
    if (digits > 19) return false;
    m = m * kPow10Int[-scale] + f;
  }
  if (digits == 0 || digits > 19) return false;
  if (q < e && (*q == 'e' || *q == 'E')) {
    ++q;
    bool negExp = false;
    if (q < e && (*q == '+' || *q == '-')) negExp = *q++ == '-';
    int x = 0, xDigits = 0;
    for (; q < e && unsigned(*q - '0') < 10; ++q) {
      if (++xDigits > 4) return false;
      x = x * 10 + (*q - '0');
    }
    if (xDigits == 0) return false;
    scale += negExp ? -x : x;
  }
  if (q < e && ClassOf(*q) != kBlank && ClassOf(*q) != kLineEnd) return false;
  if (m >= (uint64_t(1) << 53) || scale < -22 || scale > 22) return false;
  double v = double(m);
  v = scale < 0 ? v / kPow10[-scale] : v * kPow10[scale];
  value = negative ? -v : v;
  end = q;
  return true;
}

// `SeparateFloatReturn`: the next number, line end or end of file. A token
// of anything but number characters, or longer than 199 characters, is Bad;
// a "," in a number is its decimal point. `value` null only checks.
Token NextToken(ByteReader& in, double* value) {
  for (;;) {
    if (!in.Ensure(kMaxToken + 2)) return Token::End;
    char* p = in.Cur();
    char* e = in.End();
    while (p < e && (*p == ' ' || ClassOf(*p) == kBlank)) ++p;
    in.Advance(size_t(p - in.Cur()));
    if (p < e) break;
  }
  char* p = in.Cur();
  char* e = in.End();
  if (*p == '\n') {
    in.Advance(1);
    return Token::LineEnd;
  }
  if (value) {
    const char* end = nullptr;
    if (FastNumber(p, e, end, *value)) {
      in.Advance(size_t(end - p));
      return Token::Number;
    }
  }
  // The look-ahead holds a whole token of up to 199 characters and the byte
  // after it, unless the file ends sooner.
  char* q = p;
  bool comma = false;
  int points = 0;  // decimal points and commas
  for (; q < e; ++q) {
    const uint8_t c = ClassOf(*q);
    if (c != kNumber) {
      if (c == kOther) return Token::Bad;
      break;
    }
    comma |= *q == ',';
    points += *q == ',' || *q == '.';
  }
  if (q - p > kMaxToken) return Token::Bad;
  // "1,2,3" or "1.234.567" is no number with a decimal comma: read as one
  // it would be a wrong value. A trailing separator ("1.5,") is harmless.
  if (points - int(q[-1] == ',' || q[-1] == '.') > 1) return Token::Bad;
  if (value) {
    if (comma) std::replace(p, q, ',', '.');
    ParseLeadingNumber(p, q, *value);
  }
  in.Advance(size_t(q - p));
  return Token::Number;
}

// Header lines: lines are skipped until one starts, after blanks and tabs,
// with a character that can start a number. False at the end of the file.
bool SkipHeader(ByteReader& in) {
  for (;;) {
    int c = in.Peek();
    while (IsBlank(c)) {
      in.Get();
      c = in.Peek();
    }
    if (c < 0) return false;
    if (StartsNumber(c)) return true;
    in.SkipLine();
  }
}

// The text field of a row: up to `width` characters, not past the line end.
// Answers the characters read; `keep` (when given) gets the first 49.
int ReadTextField(ByteReader& in, int width, char* keep) {
  int n = 0;
  while (n < width) {
    int c = in.Peek();
    if (c < 0 || c == '\n') break;
    in.Get();
    if (keep && n < TextColumn::kRowBytes - 1) keep[n] = char(c);
    ++n;
  }
  if (keep) keep[std::min(n, TextColumn::kRowBytes - 1)] = '\0';
  return n;
}

// Skips empty lines (a row never starts with a line end).
void SkipEmptyLines(ByteReader& in) {
  for (;;) {
    int c = in.Peek();
    if (c == '\r') {
      in.Get();
      continue;
    }
    if (c != '\n') return;
    in.Get();
  }
}

// Starts a row of a file with a text column: its field and the separator.
void StartTextRow(ByteReader& in, int width, char* keep) {
  SkipEmptyLines(in);
  ReadTextField(in, width, keep);
  int c = in.Peek();
  if (c >= 0 && c != '\n') in.Get();
}

struct Shape {
  int columns = 0;           // numbers of the first row
  long long rows = 0;        // rows holding at least one number
  long long values = 0;      // numbers stored
  bool stoppedBad = false;   // reading met a token that is not a number
  bool interrupted = false;  // Esc, STOP or SIGINT
};

// Where the numbers go in the scratch array. A row of the store is n
// consecutive numbers of the file, whatever lines they stand on (the way
// rows were always read). Once the first line has given n (up to 127),
// number k goes straight to channel k % n, row k / n, in blocks of the
// most rows that fit, so the import needs no transposition; before that,
// or when n is still to be asked for, they are kept one after another.
class Placement {
 public:
  Placement(float* base, long long capacity) : base_(base), capacity_(capacity) {}
  bool Full() const { return byChannel_ ? row_ == maxRows_ : values_ == capacity_; }
  void Put(float v) {
    if (byChannel_) {
      base_[channel_ * maxRows_ + row_] = v;
      if (++channel_ == n_) {
        channel_ = 0;
        ++row_;
      }
    } else {
      base_[values_] = v;
    }
    ++values_;
  }
  // The first line held `columns` numbers, all stored so far.
  void FirstLine(long long columns) {
    if (columns < 1 || columns > kMaxChannels - 1) return;
    n_ = columns;
    maxRows_ = capacity_ / n_;
    for (long long c = n_ - 1; c >= 1; --c) base_[c * maxRows_] = base_[c];
    byChannel_ = true;
    row_ = values_ / n_;
    channel_ = values_ % n_;
  }
  long long Values() const { return values_; }
  bool ByChannel() const { return byChannel_; }
  long long MaxRows() const { return maxRows_; }

 private:
  float* base_;
  long long capacity_;
  long long values_ = 0;
  bool byChannel_ = false;
  long long n_ = 0, maxRows_ = 0, row_ = 0, channel_ = 0;
};

// One pass over the data: the numbers are placed, the rows counted and the
// text fields kept. Rows are lines with numbers: an empty line or a final
// line without its line end is no reason to lose or invent a row.
Shape Scan(ByteReader& in, int width, Placement& out, long long capacity, TextColumn* column,
           state::Progress& progress, long long fileBytes) {
  Shape s;
  const long long maxRows = capacity - 1;
  int inLine = 0;
  bool rowStart = true;
  for (uint32_t tokens = 1;; ++tokens) {
    // A look at the clock every 64 Ki tokens costs the scan nothing.
    if ((tokens & 0xFFFF) == 0 && !progress.Step(in.Offset(), fileBytes)) {
      s.interrupted = true;
      break;
    }
    if (width > 0 && rowStart) {
      char* keep = nullptr;
      if (column && s.rows < TextColumn::kMaxRows) {
        column->TextCom.resize(size_t(s.rows + 1) * TextColumn::kRowBytes, '\0');
        keep = column->TextCom.data() + s.rows * TextColumn::kRowBytes;
      }
      StartTextRow(in, width, keep);
      rowStart = false;
    }
    double v = 0.0;
    Token t = NextToken(in, &v);
    if (t == Token::Number) {
      if (out.Full())
        t = Token::End;  // nothing more could be kept
      else {
        out.Put(ToSample(v));
        ++inLine;
        continue;
      }
    }
    if (t == Token::Bad) {
      s.stoppedBad = true;
      break;
    }
    if (inLine > 0) {
      if (s.rows == 0) {
        s.columns = inLine;
        out.FirstLine(inLine);
      }
      ++s.rows;
      if (s.rows >= maxRows) break;
    }
    if (t == Token::End) break;
    inLine = 0;
    rowStart = true;
  }
  s.values = out.Values();
  if (column)
    column->TextCom.resize(size_t(std::min<long long>(s.rows, TextColumn::kMaxRows)) * TextColumn::kRowBytes);
  return s;
}

// Width of the leading text column: the characters up to and including a
// "#" among the first 100 of the file; 0 when there is none.
int TextColumnWidth(ByteReader& in) {
  for (int i = 0; i < kTextColumnProbe; ++i) {
    int c = in.Get();
    if (c < 0) return 0;
    if (c == '#') return i + 1;
  }
  return 0;
}

// A UTF-8 byte order mark, as editors and spreadsheets write it, is no
// header line: the numbers of the first line are data.
void SkipByteOrderMark(ByteReader& in) {
  if (in.Ensure(3) && in.End() - in.Cur() >= 3 && std::memcmp(in.Cur(), "\xEF\xBB\xBF", 3) == 0)
    in.Advance(3);
}

void DeleteTextColumn(TextColumn* t) { delete t; }

void RowError(state::Program& p, long long row, long long rows) {
  char text[96];
  std::snprintf(text, sizeof text, "ERROR in row : %lld, from : %lld", row, rows);
  state::Mess(p, text, state::Txt(p, 15));
}

constexpr int kStopped = -1;

// The import once the name is known; answers as ReadDataFileELKOSO, or
// kStopped.
int Import(state::Program& p, store::Store store, const std::string& name) {
  InputFile file(ResolveDataName(p, name));
  if (!file) {
    ReportOpenFailure(p, name, true);
    return 0;
  }
  ByteReader in(file.file());
  SkipByteOrderMark(in);
  const int width = store::IsW(store) ? 0 : TextColumnWidth(in);
  if (!in.Seek(0)) return 0;
  SkipByteOrderMark(in);
  if (width == 0 && !SkipHeader(in)) {
    state::MessT(p, 1360, 13);
    return 0;
  }
  const long long capacity = ImportCapacity(p, store);
  if (capacity < 2) return 0;
  // Everything is read into the scratch array and a local text column; the
  // store changes only at the end.
  float* scratch = p.Scratch(store);
  Placement placement(scratch, capacity);
  TextColumn column;
  column.indx_TextCom = width;
  std::optional<state::Progress> progress(std::in_place, p, name);
  const Shape shape =
      Scan(in, width, placement, capacity, width > 0 ? &column : nullptr, *progress, file.Size());
  file.Close();
  progress.reset();  // the questions follow
  if (shape.interrupted) {
    state::ReportStopped(p, name);
    return kStopped;
  }

  long long n = shape.columns;
  long long rows = shape.rows;
  const bool prompted = n > kMaxChannels - 1;
  if (prompted) {
    if (state::AskT(p, 1227, 15) != platform::Answer::Yes) return 1;
    std::optional<int64_t> chosen = p.ui().PromptInt(state::Txt(p, 1252), 1, kMaxChannels, 1);
    if (!chosen) return 1;
    n = std::clamp<int64_t>(*chosen, 1, kMaxChannels);
    std::optional<int64_t> chosenRows = p.ui().PromptInt(state::Txt(p, 1280), 1, capacity / n, 1);
    if (!chosenRows) return 1;
    rows = std::clamp<int64_t>(*chosenRows, 1, capacity / n);
  }
  if (n == 0) {
    state::MessT(p, 1361, 13);
    return 0;
  }
  if (rows == 0) {
    state::MessT(p, 1360, 13);
    return 0;
  }
  rows = std::min(rows, capacity / n);
  if (p.ui().AskYesNo(state::TxtF(p, 1226, {name}), state::Txt(p, 15)) != platform::Answer::Yes) return 1;

  // Rows with all their numbers; from a row cut short on, zeros.
  const long long whole = std::min(rows, shape.values / n);
  if (placement.ByChannel() && n == shape.columns) {
    // Channel blocks close up from the most rows that fit to the rows read.
    const long long stride = placement.MaxRows();
    for (long long c = 0; c < n; ++c) {
      float* out = scratch + c * rows;
      if (c > 0) std::memmove(out, scratch + c * stride, size_t(whole) * sizeof(float));
      std::fill(out + whole, out + rows, 0.0f);
    }
    CommitImport(p, store, int(n), int32_t(rows), store::IsW(store) ? 0.01f : 1.0f);
  } else {
    // Turned into channel blocks where they are, so a stop leaves the store.
    progress.emplace(p, name);
    if (!RowsToBlocks(scratch, whole, n, rows, *progress)) {
      progress.reset();
      state::ReportStopped(p, name);
      return kStopped;
    }
    progress.reset();
    CommitImport(p, store, int(n), int32_t(rows), store::IsW(store) ? 0.01f : 1.0f);
  }
  if (whole < rows)
    RowError(p, whole + 1, rows);
  else if (shape.stoppedBad && !prompted)
    RowError(p, rows + 1, rows);  // where the numbers ended
  if (!store::IsW(store)) TextCom(p) = std::move(column);
  RememberImport(p, store, name);
  return 1;
}

}  // namespace

int ReadDataFileELKOSO(state::Program& p, store::Store store, const std::string& nameOrEmpty) {
  if (!state::MemOK(p, store, true)) return 0;
  std::string name = nameOrEmpty;
  if (name.empty()) {
    std::optional<std::string> chosen =
        ChooseFile(p, 1225, 1210, "\\DATA\\", store::FieldText(TextMask(p, store), 6), false);
    if (!chosen) return 0;
    name = *chosen;
  }
  const int ok = Import(p, store, name);
  if (ok == kStopped) return 0;
  if (!ok) state::MessT(p, 416, 13);
  return ok;
}

std::string TextColumn::Row(int r) const {
  if (r < 0 || r >= Rows()) return {};
  return store::FieldText(TextCom.data() + size_t(r) * kRowBytes, kRowBytes);
}

TextColumn& TextCom(const state::Program& p) {
  if (!p.TextColumnData) p.TextColumnData = {new TextColumn(), &DeleteTextColumn};
  return *p.TextColumnData;
}

}  // namespace files
