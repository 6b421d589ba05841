// Writing a store to a .W/.M file.
#pragma once

#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `WriteDataFileUtil`: writes the store to `name` (a program
// name, resolved under the program directory). `channel` 1..128 writes only
// that channel; an inactive one is reported (396/397) and answers 0 without
// writing. Any other value writes every active channel. The file is replaced
// only when everything was written, so a failure keeps the previous file.
// Answers 1 on success, 0 on failure (398 when the file cannot be created or
// completed), so callers that only go on need not report again. A write
// stopped by Esc, STOP or SIGINT says so itself and sets *stopped.
[[nodiscard]] int WriteDataFileUtil(state::Program& p, const std::string& name, store::Store store,
                                    int channel, bool* stopped = nullptr);

}  // namespace files
