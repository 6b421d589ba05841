#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Allocation.h"

namespace testing_support {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tarvelin-test-XXXXXX").string();
  char* p = ::mkdtemp(tmpl.data());
  path_ = p ? p : tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

int MessagesWithText(const platform::ScriptedUi& ui, const std::string& text) {
  int n = 0;
  for (const auto& shown : ui.Log())
    if (shown.kind == "message" && shown.text == text) ++n;
  return n;
}

int NotAvailableMessages(const platform::ScriptedUi& ui) {
  int n = 0;
  for (const auto& shown : ui.Log())
    if (shown.kind == "message" && (shown.text.find(": not available in this version") != std::string::npos ||
                                    shown.text.find(": v této verzi není k dispozici") != std::string::npos))
      ++n;
  return n;
}

TestEnv::TestEnv(int32_t totalSamples, bool loadTexts)
    : paths(dir.path(), TARVELIN_SOURCE_DIR "/resources"),
      prog(state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths}) {
  prog.Path = dir.path();
  paths.CreateStandardFolders();
  prog.DG.TotalSamples = totalSamples;
  prog.DG.MaxLength = totalSamples;
  app::AllocateRecords(prog);
  app::SizeMemory(prog);
  app::AllocateSampleArrays(prog);
  app::AllocateBuffers(prog);
  prog.PG.Sound = 1;  // tests count beeps; the sound option's own test turns it off
  if (loadTexts) {
    auto texts = paths.FindResource("trv_gb.txt");
    if (texts) prog.Texts.Load(*texts);
  }
}

}  // namespace testing_support
