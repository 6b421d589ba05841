// The user-facing seam: message boxes, questions, value prompts, file dialogs
// and the few queries long loops make. The Qt program shows real dialogs; the
// headless one answers from a script and logs every message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace platform {

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
  std::string title;
  std::string filter;  // parts separated by "$": "Waveform files$*.W$All files$*.*"
  std::string folder;  // absolute folder the dialog starts in
  std::string mask;    // "*.W"
  std::string name;    // initial file name, may be empty
  bool save = false;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A notice or error (the program's `Mess`).
  virtual void Message(std::string_view text, std::string_view title) = 0;
  virtual Answer AskYesNo(std::string_view text, std::string_view title) = 0;
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view title) = 0;

  // Value prompts; nullopt when cancelled. Results are clamped to min..max.
  virtual std::optional<double> PromptFloat(std::string_view title, double min, double max,
                                            double initial) = 0;
  virtual std::optional<int64_t> PromptInt(std::string_view title, int64_t min, int64_t max,
                                           int64_t initial) = 0;

  // Absolute path chosen, or nullopt when cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

  // The comment window: edits text in place; false when cancelled.
  virtual bool EditComment(std::string& text, std::string_view title) = 0;
  virtual void LongMessage(std::string_view text, std::string_view title) = 0;

  // Wait window with progress (0..100, negative = no bar).
  virtual void ShowWait(std::string_view text) = 0;
  virtual void WaitProgress(int percent) = 0;
  virtual void HideWait() = 0;

  // 0x00BBGGRR colour; nullopt when cancelled.
  virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;
  // Face, weight (100..900) and pixel height; the width and angle of
  // `initial` come back unchanged. nullopt when cancelled.
  virtual std::optional<Font> ChooseFont(const Font& initial, std::string_view title) = 0;

  // Named busy cursor ("Wait", "Disk", ...); an empty name restores the arrow.
  virtual void SetCursor(std::string_view name) = 0;
  virtual void Beep() = 0;

  // Queries of loops that take pending messages off the queue.
  virtual bool InputPending() = 0;
  virtual bool EscapePressed() = 0;  // Esc or Pause since the last call
  // The next key taken off the queue by a loop that acts on a few keys
  // itself and never dispatches them: a virtual key code (Esc 27, Pause 19,
  // arrows 37..40, letters upper-case ASCII, 1 a mouse button), 0 = none.
  virtual int TakeKey() { return EscapePressed() ? 27 : 0; }
};

}  // namespace platform
