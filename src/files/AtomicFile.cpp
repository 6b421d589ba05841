#include "files/AtomicFile.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace files {

AtomicWriter::~AtomicWriter() {
  if (f_) std::fclose(f_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicWriter::Open(const std::string& target) {
  target_ = target;
  std::string tmpl = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return false;
  ::fchmod(fd, 0644);
  f_ = ::fdopen(fd, "wb");
  if (!f_) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return false;
  }
  temp_ = tmpl;
  ok_ = true;
  return true;
}

bool AtomicWriter::Write(const void* data, size_t bytes) {
  if (!ok_ || !f_) return false;
  if (bytes && std::fwrite(data, 1, bytes, f_) != bytes) ok_ = false;
  return ok_;
}

bool AtomicWriter::Commit() {
  if (!f_) return false;
  bool ok = ok_ && std::fflush(f_) == 0;
  ok = (std::fclose(f_) == 0) && ok;
  f_ = nullptr;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
    temp_.clear();
    return true;
  }
  return false;
}

long InputFile::Size() const {
  if (!f_) return -1;
  struct stat st {};
  if (::fstat(::fileno(f_), &st) != 0) return -1;
  return long(st.st_size);
}

bool InputFile::Close() {
  if (!f_) return false;
  bool ok = std::fclose(f_) == 0;
  f_ = nullptr;
  return ok;
}

}  // namespace files
