// Writing a file so that a failure never destroys the previous one: the bytes
// go to a temporary file beside the target, which replaces the target only
// when everything was written, flushed and closed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace files {

class AtomicWriter {
 public:
  AtomicWriter() = default;
  ~AtomicWriter();  // drops the temporary file unless committed
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  bool Open(const std::string& target);
  // False once any write failed; later writes are skipped.
  bool Write(const void* data, size_t bytes);
  FILE* file() const { return f_; }
  // Flushes, closes and renames over the target; false leaves the target as it
  // was. `durable`: the bytes reach the disk (fsync) before the rename.
  bool Commit(bool durable = false);

 private:
  void Failed(int error);

  std::string target_, temp_;
  FILE* f_ = nullptr;
  bool ok_ = false;
  bool reported_ = false;
};

// While one lives, every AtomicWriter that fails adds "target: reason"
// (the system's error text) to it, so that a caller writing many files
// through many writers can say which failed and why. Logs nest.
class WriteFailureLog {
 public:
  WriteFailureLog();
  ~WriteFailureLog();
  WriteFailureLog(const WriteFailureLog&) = delete;
  WriteFailureLog& operator=(const WriteFailureLog&) = delete;

  const std::vector<std::string>& Entries() const { return entries_; }
  void Add(std::string entry) { entries_.push_back(std::move(entry)); }

 private:
  std::vector<std::string> entries_;
  WriteFailureLog* outer_;
};

// A read-only file closed on scope exit.
class InputFile {
 public:
  explicit InputFile(const std::string& path) : f_(std::fopen(path.c_str(), "rb")) {}
  ~InputFile() {
    if (f_) std::fclose(f_);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  explicit operator bool() const { return f_ != nullptr; }
  FILE* file() const { return f_; }
  // Exactly `bytes` bytes, or false.
  bool Read(void* data, size_t bytes) { return f_ && std::fread(data, 1, bytes, f_) == bytes; }
  bool Skip(long bytes) { return f_ && std::fseek(f_, bytes, SEEK_CUR) == 0; }
  long Size() const;  // -1 when unknown
  // Closes now; false when closing failed.
  bool Close();

 private:
  FILE* f_;
};

}  // namespace files
