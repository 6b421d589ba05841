#include "platform/Paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {
namespace {

bool Exists(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0;
}

bool IsDir(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The existing entry of `dir` whose name equals `part` ignoring case, else `part`.
std::string MatchEntry(const std::string& dir, const std::string& part) {
  if (part == "." || part == ".." || Exists(dir + "/" + part)) return part;
  DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str());
  if (!d) return part;
  std::string found = part;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, part.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::vector<std::string> Split(std::string_view s) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= s.size()) {
    size_t j = s.find('/', i);
    if (j == std::string_view::npos) j = s.size();
    if (j > i) parts.emplace_back(s.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

}  // namespace

std::string ToSlashes(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

Paths::Paths(std::string root, std::string resources)
    : root_(std::move(root)), resources_(std::move(resources)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::string Paths::Resolve(std::string_view name) const {
  std::string s = ToSlashes(name);
  std::string base;
  std::string rest;
  if (s.compare(0, root_.size(), root_) == 0 && (s.size() == root_.size() || s[root_.size()] == '/')) {
    base = root_;
    rest = s.substr(root_.size());
  } else if (!name.empty() && name[0] == '/') {
    base = "";  // a real absolute path
    rest = s;
  } else {
    base = root_;  // "\DATA\x" and "DATA\x" are below the program directory
    rest = s;
  }
  std::string out = base;
  for (const std::string& part : Split(rest)) out += "/" + MatchEntry(out, part);
  if (out.empty()) out = "/";
  return out;
}

bool Paths::CreateStandardFolders() const {
  static const char* kFolders[] = {"DATA", "JOB", "MACRO", "SETUP", "EXT", "FUNCTION", "MODIFY", "TXTKALIB"};
  bool ok = true;
  // A first start may name a folder that does not exist yet (--root DIR).
  std::error_code ec;
  std::filesystem::create_directories(root_, ec);
  for (const char* f : kFolders) {
    std::string p = Resolve(f);
    if (!IsDir(p) && ::mkdir(p.c_str(), 0777) != 0) ok = false;
  }
  return ok;
}

std::optional<std::string> Paths::FindResource(std::string_view fileName) const {
  std::string inRoot = Resolve(fileName);
  if (Exists(inRoot)) return inRoot;
  if (!resources_.empty()) {
    Paths res(resources_, "");
    std::string inRes = res.Resolve(fileName);
    if (Exists(inRes)) return inRes;
  }
  return std::nullopt;
}

}  // namespace platform
