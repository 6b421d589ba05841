// Progress of a long operation (reading or writing a long data file, and any
// other loop that may take seconds): once it has run half a second the wait
// window shows its percentage, and Esc, the wait window's STOP or SIGINT ask
// it to stop. The operation then abandons its work and leaves everything as
// it was before it started.
#pragma once

#include <cstdint>
#include <string>

namespace state {

struct Program;

class Progress {
 public:
  // `text` follows the percentage in the wait window.
  Progress(Program& p, std::string text);
  ~Progress();  // closes the wait window it opened
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` of `total` units are finished; false once a stop was asked for.
  [[nodiscard]] bool Step(int64_t done, int64_t total);
  bool Stopped() const { return stopped_; }

  static constexpr uint32_t kShowAfterMs = 500;
  static constexpr uint32_t kPollEveryMs = 50;

 private:
  Program& p_;
  std::string text_;
  uint32_t start_ = 0, lastPoll_ = 0;
  bool shown_ = false, stopped_ = false;
  int percent_ = -1;
};

// Samples a long loop handles between two Steps: a few million keep the
// wait window and a stop prompt without costing the loop anything.
inline constexpr int64_t kStepPiece = int64_t(1) << 22;

// Tells that `what` was stopped and everything was left as it was (title 11),
// so a stop never reads as a failure nor as a finished operation.
void ReportStopped(Program& p, const std::string& what);

// While one lives no Progress stops: the exit's saving of the work files
// must finish, since they hold the records (a SIGINT asks for that exit).
class UnstoppableScope {
 public:
  UnstoppableScope();
  ~UnstoppableScope();
  UnstoppableScope(const UnstoppableScope&) = delete;
  UnstoppableScope& operator=(const UnstoppableScope&) = delete;
  static bool Active();
};

}  // namespace state
