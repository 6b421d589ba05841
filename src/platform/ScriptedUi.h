// Headless Ui: answers from a queue, logs every message, and falls back to a
// default policy when the queue is empty (questions answered by the policy,
// prompts keep their initial value, file dialogs are cancelled). File
// dialogs may instead take paths from a queue of their own.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Ui.h"

namespace platform {

class ScriptedUi : public Ui {
 public:
  struct Shown {
    std::string kind;  // "message", "question", "prompt", "file", "comment", "long", "wait", "font"
    std::string title;
    std::string text;
  };
  // A scripted reply: an answer, a number, a file name (nullopt = cancel), a
  // font (its face, weight and height are taken).
  using Reply = std::variant<Answer, double, int64_t, std::optional<std::string>, Font>;

  // Out of line: inlined into a caller, GCC 12 warns falsely about the
  // variant's inactive string (-Wmaybe-uninitialized).
  void Push(Reply r);
  void SetDefaultAnswer(Answer a) { defaultAnswer_ = a; }
  void SetEcho(bool on) { echo_ = on; }  // also print messages to stderr
  void PressEscape() { escape_ = true; }
  void SetInputPending(bool on) { inputPending_ = on; }

  // Paths for the file dialogs, taken before the reply queue, so questions
  // and prompts between the dialogs cannot take a file's place. An open
  // dialog refuses a path that names no file ("Error" message, cancelled).
  void QueueFile(std::string path) { files_.push_back(std::move(path)); }
  size_t FilesLeft() const { return files_.size(); }
  void ClearFiles() { files_.clear(); }
  // A dialog nobody answered is reported ("Error" message) before it is
  // cancelled, so that a headless run cannot pass over it silently.
  void SetReportUnansweredFiles(bool on) { reportUnansweredFiles_ = on; }

  const std::vector<Shown>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Number of logged entries whose text or title contains `part`.
  int Count(std::string_view part) const;
  std::string LastText() const { return log_.empty() ? std::string() : log_.back().text; }
  const std::string& Cursor() const { return cursor_; }

  void Message(std::string_view text, std::string_view title) override;
  Answer AskYesNo(std::string_view text, std::string_view title) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  std::optional<double> PromptFloat(std::string_view title, double min, double max, double initial) override;
  std::optional<int64_t> PromptInt(std::string_view title, int64_t min, int64_t max,
                                   int64_t initial) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  bool EditComment(std::string& text, std::string_view title) override;
  void LongMessage(std::string_view text, std::string_view title) override;
  void ShowWait(std::string_view text) override;
  // With echo on and stderr a terminal, the percentage is shown on one line there.
  void WaitProgress(int percent) override;
  void HideWait() override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;
  std::optional<Font> ChooseFont(const Font& initial, std::string_view title) override;
  void SetCursor(std::string_view name) override { cursor_ = std::string(name); }
  void Beep() override { ++beeps_; }
  bool InputPending() override { return inputPending_; }
  bool EscapePressed() override;

  int beeps_ = 0;
  int waitPercent_ = -1;  // the last progress shown
  int waitHides_ = 0;
  FileDialogRequest lastFileRequest;

 private:
  void Record(const char* kind, std::string_view title, std::string_view text);
  std::optional<Reply> Next();

  std::deque<Reply> replies_;
  std::deque<std::string> files_;
  bool reportUnansweredFiles_ = false;
  std::vector<Shown> log_;
  Answer defaultAnswer_ = Answer::Yes;
  bool echo_ = false;
  bool escape_ = false;
  bool inputPending_ = false;
  std::string cursor_;
  std::string waitText_;
  bool progressShown_ = false;  // a progress line on the terminal awaits its end
};

}  // namespace platform
