// The program directory and the backslash names the program uses
// ("\DATA\WORK_W.W"): mapped to real paths below the program directory,
// matching existing folder and file names case-insensitively.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Paths {
 public:
  // root: the program directory; resources: the installed resources folder.
  Paths(std::string root, std::string resources);

  const std::string& Root() const { return root_; }
  const std::string& Resources() const { return resources_; }

  // "\DATA\x.W" or "DATA\x.W" -> "<root>/DATA/x.W"; an absolute POSIX path is
  // kept. Every existing component is matched case-insensitively.
  std::string Resolve(std::string_view name) const;

  // Creates DATA, JOB, MACRO, SETUP, EXT, FUNCTION, MODIFY, TXTKALIB when missing.
  bool CreateStandardFolders() const;

  // A general text or help file: the program directory first, then resources.
  std::optional<std::string> FindResource(std::string_view fileName) const;

 private:
  std::string root_;
  std::string resources_;
};

// Backslashes to slashes, nothing else.
std::string ToSlashes(std::string_view name);

}  // namespace platform
