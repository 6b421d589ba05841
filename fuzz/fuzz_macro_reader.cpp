// The macro reader on arbitrary bytes: statements, comments, "#", REPEAT and
// END recognition, with the block rules the runner applies. The interpreter
// is left out: only the reading of the file is outside input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "macro/MacroReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  macro::MacroReader reader(in);
  macro::Statement s;
  std::vector<std::string> block;
  bool collecting = false;
  int lastLine = 1;
  for (;;) {
    macro::ReadResult r = reader.Next(s);
    if (r != macro::ReadResult::Statement) break;
    if (s.text.size() > macro::kStatementChars || s.line < lastLine) std::abort();
    if (!s.text.empty() && (s.text.front() == ' ' || s.text.back() == ' ')) std::abort();
    lastLine = s.line;
    int32_t n = 0;
    if (macro::IsRepeat(s.text, n)) {
      if (collecting || n < 1) break;
      collecting = n > 1;
      block.clear();
    } else if (macro::IsEnd(s.text)) {
      if (!collecting) break;
      collecting = false;
    } else if (collecting) {
      if (block.size() >= macro::kBlockStatements) break;
      block.push_back(s.text);
    }
  }
  return 0;
}
