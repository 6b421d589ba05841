#include "app/GeneralTexts.h"

namespace app {

std::string SafeFormat(std::string_view format, std::span<const TextArg>) { return std::string(format); }
bool ConversionKinds(std::string_view, std::string& kinds) {
  kinds.clear();
  return true;
}
TextFileStatus GeneralTexts::Load(const std::string&) { return TextFileStatus::Missing; }
TextFileStatus GeneralTexts::Parse(std::string_view) { return TextFileStatus::Missing; }
const char* GeneralTexts::FailureMessage(TextFileStatus) { return ""; }
const char* GeneralTexts::Get(int n) const {
  if (n < 0 || size_t(n) >= I_.size()) return "";
  return H_.c_str() + I_[size_t(n)];
}
std::string GeneralTexts::Format(int n, std::initializer_list<TextArg> args) const {
  return SafeFormat(Get(n), std::span<const TextArg>(args.begin(), args.size()));
}

}  // namespace app
