// Shared plumbing of the settings files (.JOB and its companions): resolving
// the program's backslash names, reading a whole file of a known size before
// anything is applied, and writing a sequence of byte blocks atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace state {
struct Program;
}

namespace files {

enum class ReadResult { Ok, Missing, Wrong };

// A program name ("\JOB\X.JOB") or an absolute path as a real path; a null
// or empty name stands for `workName`.
std::string SettingsPath(const state::Program& p, const char* nameOrNull, std::string_view workName);

// `jobName` with its extension replaced by `ext` (".BLK"); a name without an
// extension gets `ext` appended.
std::string CompanionName(std::string_view jobName, std::string_view ext);

// Reads the whole file into `out` when it is exactly `size` bytes long and
// closes without error. Missing: the file does not exist; Wrong: anything else.
ReadResult ReadExactFile(const std::string& path, size_t size, std::vector<uint8_t>& out);

// As ReadExactFile for files that start with an int16 version word: `out`
// receives the `payload` bytes after it when the word equals `version`.
ReadResult ReadVersionedFile(const std::string& path, int16_t version, size_t payload,
                             std::vector<uint8_t>& out);

struct Bytes {
  const void* data;
  size_t size;
};

// Creates or replaces the file with the blocks in order; true only when every
// byte was written and the file closed without error.
[[nodiscard]] bool WriteFileParts(const std::string& path, std::initializer_list<Bytes> parts);

}  // namespace files
