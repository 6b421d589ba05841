// The desktop implementation of the user-facing seam: message boxes and
// questions labelled in the interface language, the value dialogs, the file
// dialog, the comment, long-message, wait and colour windows, the font
// dialog, busy cursors and the queries that long loops of a run or macro make.
//
// InputPending and EscapePressed keep the windows painted while a loop runs
// without letting the loop's program be re-entered: while they pump events,
// user input is swallowed (Esc and Pause are remembered) and timer events are
// held back, so no tick or key handler of the program runs inside the loop.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

#include "platform/Ui.h"

class QWidget;

namespace state {
struct Program;
}

namespace qt {

class InputGate;
class WaitWindow;

class QtUi : public platform::Ui {
 public:
  QtUi();
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  void SetParent(QWidget* parent) { parent_ = parent; }
  // The general texts and the interface language (`DG` language field).
  void SetProgram(const state::Program* p) { program_ = p; }

  void Message(std::string_view text, std::string_view title) override;
  platform::Answer AskYesNo(std::string_view text, std::string_view title) override;
  platform::Answer AskYesNoCancel(std::string_view text, std::string_view title) override;

  // The caller gives no scroll range: floats get 0..1000, integers their own
  // span when it is below 1000 steps, else 0..1000.
  std::optional<double> PromptFloat(std::string_view title, double min, double max, double initial) override;
  std::optional<int64_t> PromptInt(std::string_view title, int64_t min, int64_t max,
                                   int64_t initial) override;

  std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override;

  // Init. puts general text 311 into the field when the title is "M" (the
  // measurement store), else general text 310.
  bool EditComment(std::string& text, std::string_view title) override;
  void LongMessage(std::string_view text, std::string_view title) override;

  void ShowWait(std::string_view text) override;
  void WaitProgress(int percent) override;
  void HideWait() override;

  std::optional<uint32_t> ChooseColor(uint32_t initial) override;
  // Qt's own font dialog; heights convert between pixels and points at the
  // parent's (else the primary screen's) logical resolution, weights are
  // rounded to the hundreds 100..900 that QFont::Weight names.
  std::optional<platform::Font> ChooseFont(const platform::Font& initial, std::string_view title) override;

  // Busy cursors nest: each named cursor is undone by one empty name (or the
  // program's normal cursor, "Trv"); an empty name with none shown does nothing.
  void SetCursor(std::string_view name) override;
  void Beep() override;

  bool InputPending() override;
  bool EscapePressed() override;
  int TakeKey() override;

  WaitWindow* Wait() const;  // the open wait window, if any
  int CursorDepth() const { return cursorDepth_; }
  // Labels of the question buttons in the interface language.
  QString YesLabel() const;
  QString NoLabel() const;
  QString CancelLabel() const;

 private:
  bool Czech() const;
  // Lets paint and window events through at most every few milliseconds
  // (always when `force`), holding back input and timers.
  void Pump(bool force);
  platform::Answer Ask(std::string_view text, std::string_view title, bool withCancel);

  QWidget* parent_ = nullptr;
  const state::Program* program_ = nullptr;
  std::unique_ptr<InputGate> gate_;
  QPointer<WaitWindow> wait_;
  int cursorDepth_ = 0;
  QElapsedTimer lastPump_;
};

}  // namespace qt
