// Loading a shared library and resolving names (the card driver).
#pragma once

#include <memory>
#include <string>

namespace platform {

class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;
  virtual void* Symbol(const char* name) = 0;  // nullptr when missing
};

class Library {
 public:
  virtual ~Library() = default;
  // nullptr on failure; `error` then says why.
  virtual std::unique_ptr<LoadedLibrary> Open(const std::string& path, std::string& error) = 0;
};

}  // namespace platform
