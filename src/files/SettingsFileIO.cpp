#include "files/SettingsFileIO.h"

#include <sys/stat.h>

#include <cstring>

#include "files/AtomicFile.h"
#include "state/Program.h"

namespace files {

std::string SettingsPath(const state::Program& p, const char* nameOrNull, std::string_view workName) {
  std::string_view name = (nameOrNull && *nameOrNull) ? std::string_view(nameOrNull) : workName;
  if (p.plat.paths) return p.plat.paths->Resolve(name);
  return std::string(name);
}

std::string CompanionName(std::string_view jobName, std::string_view ext) {
  size_t slash = jobName.find_last_of("/\\");
  size_t dot = jobName.find_last_of('.');
  size_t baseEnd = jobName.size();
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) baseEnd = dot;
  std::string name(jobName.substr(0, baseEnd));
  name += ext;
  return name;
}

ReadResult ReadExactFile(const std::string& path, size_t size, std::vector<uint8_t>& out) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return ReadResult::Missing;
  InputFile f(path);
  if (!f) return ReadResult::Wrong;
  // The size is checked before a byte is used, so a short or over-long file
  // can never leave a record half replaced.
  if (f.Size() < 0 || size_t(f.Size()) != size) return ReadResult::Wrong;
  std::vector<uint8_t> bytes(size);
  if (!f.Read(bytes.data(), size)) return ReadResult::Wrong;
  if (!f.Close()) return ReadResult::Wrong;
  out = std::move(bytes);
  return ReadResult::Ok;
}

ReadResult ReadVersionedFile(const std::string& path, int16_t version, size_t payload,
                             std::vector<uint8_t>& out) {
  std::vector<uint8_t> bytes;
  ReadResult r = ReadExactFile(path, sizeof(int16_t) + payload, bytes);
  if (r != ReadResult::Ok) return r;
  int16_t word = 0;
  std::memcpy(&word, bytes.data(), sizeof word);
  if (word != version) return ReadResult::Wrong;
  out.assign(bytes.begin() + sizeof(int16_t), bytes.end());
  return ReadResult::Ok;
}

bool WriteFileParts(const std::string& path, std::initializer_list<Bytes> parts) {
  AtomicWriter w;
  if (!w.Open(path)) return false;
  for (const Bytes& b : parts)
    if (!w.Write(b.data, b.size)) return false;
  return w.Commit();
}

}  // namespace files
