// Process seam on posix_spawnp: the argv reaches the program as given, no
// shell ever parses it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/Process.h"

namespace platform {

class PosixProcess : public Process {
 public:
  ~PosixProcess() override;
  // Starts argv[0] (searched on PATH when it has no "/") and does not wait.
  // False when argv is empty or the program cannot be started.
  bool Start(const std::vector<std::string>& argv) override;

  // Reaps the children of this object that have ended. Start calls it, so
  // started programs never pile up as zombies; only our own pids are waited
  // for, never others a caller may be waiting on.
  void Reap();
  size_t Running() const { return children_.size(); }

 private:
  std::vector<pid_t> children_;
};

// The Process of tests: records each argv and answers a set result.
class RecordingProcess : public Process {
 public:
  bool Start(const std::vector<std::string>& argv) override {
    started_.push_back(argv);
    return result_;
  }
  void SetResult(bool ok) { result_ = ok; }
  const std::vector<std::vector<std::string>>& Started() const { return started_; }
  void Clear() { started_.clear(); }

 private:
  std::vector<std::vector<std::string>> started_;
  bool result_ = true;
};

}  // namespace platform
