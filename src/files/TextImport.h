// Importing columns of numbers from a text file into either store, with the
// optional leading text column of measurement imports (`TextCom`).
#pragma once

#include <string>
#include <vector>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// The leading text column of the last measurement import: `indx_TextCom` is
// the column's width (0: none), `TextCom` holds one terminated row of at
// most 49 characters in every 50 bytes, for at most 99998 rows.
struct TextColumn {
  static constexpr int kRowBytes = 50;
  static constexpr int kMaxRows = 99998;
  // Index into the leading text column of a text import.
  int indx_TextCom = 0;
  std::vector<char> TextCom;

  int Rows() const { return int(TextCom.size() / kRowBytes); }
  std::string Row(int r) const;
};

// The program's text column. It lives beside the `Program`, keyed by it,
// until the record gets a member of its own; a new import overwrites it.
TextColumn& TextCom(const state::Program& p);

// `TMainWindow::ReadDataFileELKOSO`: the open dialog when no name is given
// (cancel answers 0), then counting the rows and columns, the questions
// (more than 127 columns: 1227 and the two prompts; 1226 before anything
// changes; No answers 1 with nothing changed), and the import into the
// store. Until the last question the store is untouched, and
// a file that yields no data leaves it as it was (1360, 1361; 416 after any
// failure). Reading stops at the first token that is not a number; a row
// cut short by it is reported ("ERROR in row") and zero from there on.
[[nodiscard]] int ReadDataFileELKOSO(state::Program& p, store::Store store, const std::string& nameOrEmpty);

}  // namespace files
