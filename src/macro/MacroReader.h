// The statement syntax of macro files: statements end with ";", "*" starts a
// comment to the line end, "#" ends the macro, a statement holds at most 60
// characters and may not run over a line end. The reader only splits the
// text; REPEAT blocks and execution are the runner's.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace macro {

inline constexpr size_t kStatementChars = 60;
inline constexpr size_t kBlockStatements = 60;

enum class ReadResult {
  Statement,         // `text` and `line` are set
  End,               // end of the file or "#" outside a comment
  TooLong,           // more than 60 characters before the ";" (general text 370)
  MissingSemicolon,  // a line with text but without any ";" (general text 371)
};

struct Statement {
  std::string text;  // without ";", leading and trailing blanks removed
  int line = 0;      // 1-based line the statement ends on
};

class MacroReader {
 public:
  // Reads from `in`, which must outlive the reader. Carriage returns before
  // a line feed are dropped, as a file opened in text mode gives them.
  explicit MacroReader(std::istream& in) : in_(in) {}

  ReadResult Next(Statement& out);
  int Line() const { return line_; }

 private:
  std::istream& in_;
  std::string partial_;
  int line_ = 1;
  bool inComment_ = false;
  bool lineHasSemicolon_ = false;
};

// Statement kinds the runner handles itself.
// "REPEAT" (the first six characters, any case) with the count after them,
// read as atol does and saturated to int32; false when not a REPEAT.
bool IsRepeat(std::string_view statement, int32_t& count);
// "END" in any case.
bool IsEnd(std::string_view statement);

}  // namespace macro
