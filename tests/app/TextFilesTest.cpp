// The shipped general text files against the table of texts the program uses,
// and the program's sources against that table.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "state/GeneralTexts.h"
#include "state/TextUsage.h"

namespace {

namespace fs = std::filesystem;

const std::string kRoot = TARVELIN_SOURCE_DIR;

// Sample arguments of the given kinds, to format an entry as its caller would.
std::vector<state::TextArg> SampleArgs(const std::string& kinds) {
  std::vector<state::TextArg> args;
  for (char k : kinds) {
    if (k == 'i') args.emplace_back(7);
    if (k == 'f') args.emplace_back(2.5);
    if (k == 's') args.emplace_back("name");
  }
  return args;
}

class ShippedTextFile : public testing::TestWithParam<const char*> {};

TEST_P(ShippedTextFile, CarriesEveryUsedNumberWithItsCallersConversions) {
  state::GeneralTexts texts;
  ASSERT_EQ(texts.Load(kRoot + "/resources/" + GetParam()), state::TextFileStatus::Ok);
  const auto uses = state::TextUses();
  ASSERT_FALSE(uses.empty());
  ASSERT_EQ(texts.Count(), size_t(uses.back().number) + 1);

  size_t nextUse = 0;
  for (int n = 0; n < int(texts.Count()); ++n) {
    std::string text = texts.Get(n);
    bool used = nextUse < uses.size() && uses[nextUse].number == n;
    if (!used) {
      // Unused entries are placeholders; a real text here means the numbering slipped.
      EXPECT_EQ(text, "-") << "entry " << n;
      continue;
    }
    const state::TextUse& use = uses[nextUse++];
    EXPECT_FALSE(text.empty() || text == "-") << "entry " << n;
    std::string kinds;
    ASSERT_TRUE(state::ConversionKinds(text, kinds)) << "entry " << n << ": " << text;
    EXPECT_EQ(kinds, use.kinds) << "entry " << n << ": " << text;
    if (kinds.empty()) {
      // Shown as it stands, so a percent sign would appear doubled or stray.
      EXPECT_EQ(text.find('%'), std::string::npos) << "entry " << n;
    } else {
      auto args = SampleArgs(use.kinds);
      EXPECT_NE(state::SafeFormat(text, args), text) << "entry " << n;
    }
  }
  EXPECT_EQ(nextUse, uses.size());
  // Data entries: the converter resolution and the program that opens text files.
  EXPECT_EQ(std::atoi(texts.Get(22)), 12);
  EXPECT_STREQ(texts.Get(5), "xdg-open");
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedTextFile, testing::Values("trv_gb.txt", "trv_cz.txt"));

TEST(TextUsage, TableIsAscendingAndFindAnswersOnlyUsedNumbers) {
  const auto uses = state::TextUses();
  for (size_t i = 1; i < uses.size(); ++i) EXPECT_LT(uses[i - 1].number, uses[i].number);
  EXPECT_EQ(state::FindTextUse(uses.back().number), &uses.back());
  for (int unused : {2, uses.back().number + 1, -1}) EXPECT_EQ(state::FindTextUse(unused), nullptr) << unused;
}

// The literal text numbers of the calls Txt(p, N ...), TxtF(p, N ...),
// MessT(p, N, M) and AskT(p, N, M) in a source text. An argument written as
// "cond ? N : M" gives both numbers; other expressions are not numbers.
// Written by hand: std::regex warns under the sanitizer build.
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool AllDigits(const std::string& s) {
  return !s.empty() && s.size() < 9 && s.find_first_not_of("0123456789") == std::string::npos;
}

void NumbersOfArgument(const std::string& arg, std::vector<int>& found) {
  std::string whole = Trim(arg);
  if (AllDigits(whole)) {
    found.push_back(std::stoi(whole));
    return;
  }
  size_t question = whole.rfind('?');
  if (question == std::string::npos) return;
  std::string choices = whole.substr(question + 1);
  size_t colon = choices.find(':');
  if (colon == std::string::npos) return;
  std::string first = Trim(choices.substr(0, colon)), second = Trim(choices.substr(colon + 1));
  if (!AllDigits(first) || !AllDigits(second)) return;
  found.push_back(std::stoi(first));
  found.push_back(std::stoi(second));
}

std::vector<int> TextNumbersUsed(const std::string& source) {
  std::vector<int> found;
  size_t pos = 0;
  while (pos < source.size()) {
    if (!IsIdentChar(source[pos]) || (pos > 0 && IsIdentChar(source[pos - 1]))) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < source.size() && IsIdentChar(source[end])) ++end;
    std::string name = source.substr(pos, end - pos);
    pos = end;
    if (name != "Txt" && name != "TxtF" && name != "MessT" && name != "AskT") continue;
    while (pos < source.size() && std::isspace(static_cast<unsigned char>(source[pos]))) ++pos;
    if (pos >= source.size() || source[pos] != '(') continue;
    ++pos;
    // Split the arguments at top-level commas, up to the closing parenthesis.
    std::vector<std::string> args(1);
    int depth = 0;
    char quote = 0;
    for (; pos < source.size(); ++pos) {
      char c = source[pos];
      if (quote) {
        if (c == '\\') {
          args.back() += c;
          ++pos;
          if (pos < source.size()) args.back() += source[pos];
          continue;
        }
        if (c == quote) quote = 0;
        args.back() += c;
        continue;
      }
      if (c == '"' || c == '\'') quote = c;
      if (c == '(' || c == '{' || c == '[') ++depth;
      if (c == ')' || c == '}' || c == ']') {
        if (depth == 0) break;
        --depth;
      }
      if (c == ',' && depth == 0) {
        args.emplace_back();
        continue;
      }
      args.back() += c;
    }
    size_t last = (name == "MessT" || name == "AskT") ? 2 : 1;
    for (size_t a = 1; a <= last && a < args.size(); ++a) NumbersOfArgument(args[a], found);
  }
  return found;
}

TEST(TextUsage, EveryNumberTheSourcesUseIsInTheTable) {
  size_t calls = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kRoot + "/src")) {
    auto ext = entry.path().extension();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    for (int n : TextNumbersUsed(content.str())) {
      ++calls;
      EXPECT_NE(state::FindTextUse(n), nullptr)
          << "general text " << n << " used in " << entry.path().string() << " is not in the table";
    }
  }
  // The scan must see the program's calls, or it proves nothing.
  EXPECT_GT(calls, 3u);
}

}  // namespace
