#include "files/AtomicFile.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace files {
namespace {

thread_local WriteFailureLog* activeLog = nullptr;

}  // namespace

WriteFailureLog::WriteFailureLog() : outer_(activeLog) { activeLog = this; }

WriteFailureLog::~WriteFailureLog() { activeLog = outer_; }

void AtomicWriter::Failed(int error) {
  ok_ = false;
  if (reported_ || !activeLog) return;
  reported_ = true;
  activeLog->Add(target_ + ": " + (error ? std::strerror(error) : "write failed"));
}

AtomicWriter::~AtomicWriter() {
  if (f_) std::fclose(f_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicWriter::Open(const std::string& target) {
  target_ = target;
  std::string tmpl = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    Failed(errno);
    return false;
  }
  ::fchmod(fd, 0644);
  f_ = ::fdopen(fd, "wb");
  if (!f_) {
    Failed(errno);
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
  if (bytes && std::fwrite(data, 1, bytes, f_) != bytes) Failed(errno);
  return ok_;
}

bool AtomicWriter::Commit(bool durable) {
  if (!f_) return false;
  // A full disk often shows only when the buffer is flushed or the file closed.
  bool ok = ok_;
  if (ok && std::fflush(f_) != 0) {
    Failed(errno);
    ok = false;
  }
  if (ok && durable && ::fsync(::fileno(f_)) != 0) {
    Failed(errno);
    ok = false;
  }
  if (std::fclose(f_) != 0 && ok) {
    Failed(errno);
    ok = false;
  }
  f_ = nullptr;
  if (!ok) return false;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
    Failed(errno);
    return false;
  }
  temp_.clear();
  return true;
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
