// A complete headless program for a test: its own temporary program folder,
// scripted Ui, fake clock and window host, and allocated stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"

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

struct TestEnv {
  // totalSamples: size of each sample array; the general texts come from resources/.
  explicit TestEnv(int32_t totalSamples = 65536, bool loadTexts = true);

  TempDir dir;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths;
  app::Program prog;
};

}  // namespace testing_support
