// A complete headless program for a test: its own temporary program folder,
// scripted Ui, fake clock and window host, and allocated stores.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "platform/WindowHost.h"
#include "state/Program.h"

namespace testing_support {

// A fresh folder under the system temporary folder, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// Message boxes (not questions or prompts) whose text is exactly `text`.
int MessagesWithText(const platform::ScriptedUi& ui, const std::string& text);
// Messages saying that an operation is not part of this build, in either language.
int NotAvailableMessages(const platform::ScriptedUi& ui);

// A graph window that only reports the user messages it receives (and its
// focus, as code -1) and keeps its caption.
class MessageLogWindow : public platform::GraphWindow {
 public:
  using Report = std::function<void(int code, int arg)>;
  explicit MessageLogWindow(Report report, std::string caption = {})
      : report_(std::move(report)), caption_(std::move(caption)) {}
  void UserMessage(int code, int arg) override { report_(code, arg); }
  void SetCaption(const std::string& c) override { caption_ = c; }
  const std::string& Caption() const override { return caption_; }
  void Paint() override {}
  void Timer() override {}
  void Focus() override {
    if (reportFocus) report_(-1, 0);
  }
  bool reportFocus = false;

 private:
  Report report_;
  std::string caption_;
};

struct TestEnv {
  // totalSamples: size of each sample array; the general texts come from resources/.
  explicit TestEnv(int32_t totalSamples = 65536, bool loadTexts = true);

  TempDir dir;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths;
  state::Program prog;
};

}  // namespace testing_support
