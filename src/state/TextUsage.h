// Every general text number the program uses, with the kinds of the arguments
// its caller formats into it. The shipped text files are checked against this
// table, so a translator cannot give a text a conversion its caller does not
// pass, and code cannot use a number the files do not carry.
#pragma once

#include <span>

namespace state {

struct TextUse {
  int number;
  // One letter per argument, in order: 'i' integer, 'f' real, 's' text;
  // "" for a text shown as it stands.
  const char* kinds;
};

// The whole table, ascending by number.
std::span<const TextUse> TextUses();

// The entry of general text n, or nullptr when the program does not use n.
const TextUse* FindTextUse(int n);

}  // namespace state
