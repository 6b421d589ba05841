#include "platform/ScriptedUi.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "platform/Interrupts.h"

namespace platform {
namespace {

// std::clamp is undefined for min > max, which a caller's settings can give;
// the minimum wins then, and a NaN reply is taken as the minimum.
template <typename T>
T ClampPrompt(T v, T min, T max) {
  if (!(v == v)) return min;
  if (v > max) v = max;
  if (v < min) v = min;
  return v;
}

}  // namespace

void ScriptedUi::Push(Reply r) { replies_.push_back(std::move(r)); }

void ScriptedUi::Record(const char* kind, std::string_view title, std::string_view text) {
  log_.push_back({kind, std::string(title), std::string(text)});
  if (echo_)
    std::fprintf(stderr, "%.*s: %.*s\n", int(title.size()), title.data(), int(text.size()), text.data());
}

std::optional<ScriptedUi::Reply> ScriptedUi::Next() {
  if (replies_.empty()) return std::nullopt;
  Reply r = std::move(replies_.front());
  replies_.pop_front();
  return r;
}

int ScriptedUi::Count(std::string_view part) const {
  return int(std::count_if(log_.begin(), log_.end(), [&](const Shown& s) {
    return s.text.find(part) != std::string::npos || s.title.find(part) != std::string::npos;
  }));
}

void ScriptedUi::Message(std::string_view text, std::string_view title) { Record("message", title, text); }

Answer ScriptedUi::AskYesNo(std::string_view text, std::string_view title) {
  Record("question", title, text);
  if (auto r = Next(); r && std::holds_alternative<Answer>(*r)) {
    Answer a = std::get<Answer>(*r);
    return a == Answer::Cancel ? Answer::No : a;
  }
  return defaultAnswer_ == Answer::Cancel ? Answer::No : defaultAnswer_;
}

Answer ScriptedUi::AskYesNoCancel(std::string_view text, std::string_view title) {
  Record("question", title, text);
  if (auto r = Next(); r && std::holds_alternative<Answer>(*r)) return std::get<Answer>(*r);
  return defaultAnswer_;
}

std::optional<double> ScriptedUi::PromptFloat(std::string_view title, double min, double max,
                                              double initial) {
  Record("prompt", title, "");
  double v = initial;
  if (auto r = Next()) {
    if (std::holds_alternative<double>(*r))
      v = std::get<double>(*r);
    else if (std::holds_alternative<int64_t>(*r))
      v = double(std::get<int64_t>(*r));
    else if (std::holds_alternative<Answer>(*r) && std::get<Answer>(*r) != Answer::Yes)
      return std::nullopt;
  }
  return ClampPrompt(v, min, max);
}

std::optional<int64_t> ScriptedUi::PromptInt(std::string_view title, int64_t min, int64_t max,
                                             int64_t initial) {
  Record("prompt", title, "");
  int64_t v = initial;
  if (auto r = Next()) {
    if (std::holds_alternative<int64_t>(*r))
      v = std::get<int64_t>(*r);
    else if (std::holds_alternative<double>(*r)) {
      double d = std::get<double>(*r);  // a cast of NaN or of a huge value is undefined
      v = d != d ? min : d >= 9.2e18 ? INT64_MAX : d <= -9.2e18 ? INT64_MIN : int64_t(d);
    } else if (std::holds_alternative<Answer>(*r) && std::get<Answer>(*r) != Answer::Yes)
      return std::nullopt;
  }
  return ClampPrompt(v, min, max);
}

std::optional<std::string> ScriptedUi::ChooseFile(const FileDialogRequest& request) {
  lastFileRequest = request;
  const bool joined = request.folder.empty() || request.folder.back() == '/';
  Record("file", request.title, request.folder + (joined ? "" : "/") + request.mask);
  if (!files_.empty()) {
    std::string path = std::move(files_.front());
    files_.pop_front();
    std::error_code ec;
    if (!request.save && !std::filesystem::is_regular_file(path, ec)) {
      Message("No such file for the dialog \"" + request.title + "\": " + path, "Error");
      return std::nullopt;
    }
    return path;
  }
  if (auto r = Next(); r && std::holds_alternative<std::optional<std::string>>(*r))
    return std::get<std::optional<std::string>>(*r);
  else if (!r && reportUnansweredFiles_)
    Message("No file was given for the dialog \"" + request.title + "\"; it is cancelled", "Error");
  return std::nullopt;
}

bool ScriptedUi::EditComment(std::string& text, std::string_view title) {
  Record("comment", title, text);
  if (auto r = Next()) {
    if (std::holds_alternative<std::optional<std::string>>(*r)) {
      auto& s = std::get<std::optional<std::string>>(*r);
      if (!s) return false;
      text = *s;
    } else if (std::holds_alternative<Answer>(*r) && std::get<Answer>(*r) != Answer::Yes) {
      return false;
    }
  }
  return true;
}

void ScriptedUi::LongMessage(std::string_view text, std::string_view title) { Record("long", title, text); }
void ScriptedUi::ShowWait(std::string_view text) {
  waitText_ = std::string(text);
  Record("wait", "", text);
}

void ScriptedUi::WaitProgress(int percent) {
  waitPercent_ = percent;
  // Only a person watching a terminal wants it; a log file would fill with it.
  if (!echo_ || percent < 0 || !::isatty(STDERR_FILENO)) return;
  std::fprintf(stderr, "\r%s %3d %%", waitText_.c_str(), percent);
  std::fflush(stderr);
  progressShown_ = true;
}

void ScriptedUi::HideWait() {
  ++waitHides_;
  if (progressShown_) std::fputc('\n', stderr);
  progressShown_ = false;
}

std::optional<uint32_t> ScriptedUi::ChooseColor(uint32_t initial) {
  Record("color", "", "");
  if (auto r = Next()) {
    if (std::holds_alternative<int64_t>(*r)) return uint32_t(std::get<int64_t>(*r));
    if (std::holds_alternative<Answer>(*r) && std::get<Answer>(*r) != Answer::Yes) return std::nullopt;
  }
  return initial;
}

std::optional<Font> ScriptedUi::ChooseFont(const Font& initial, std::string_view title) {
  Record("font", title, initial.face);
  Font chosen = initial;
  if (auto r = Next()) {
    if (std::holds_alternative<Font>(*r)) {
      const Font& f = std::get<Font>(*r);
      chosen.face = f.face;
      chosen.weight = f.weight;
      chosen.height = f.height;
    } else if (std::holds_alternative<Answer>(*r) && std::get<Answer>(*r) != Answer::Yes) {
      return std::nullopt;
    }
  }
  return chosen;
}

// A SIGINT or SIGTERM counts as Escape in every loop that asks, for as long
// as the program still runs.
bool ScriptedUi::EscapePressed() {
  bool e = escape_ || InterruptRequested();
  escape_ = false;
  return e;
}

}  // namespace platform
