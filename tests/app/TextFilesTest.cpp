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

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// An argument that is a number, or "cond ? N : M", gives its numbers.
void NumbersOfArgument(const std::string& arg, std::vector<int>& found) {
  const size_t q = arg.rfind('?'), colon = arg.find(':', q == std::string::npos ? 0 : q);
  std::vector<std::string> parts{arg};
  if (q != std::string::npos && colon != std::string::npos)
    parts = {arg.substr(q + 1, colon - q - 1), arg.substr(colon + 1)};
  for (std::string part : parts) {
    part.erase(0, part.find_first_not_of(" \t\r\n"));
    part.erase(part.find_last_not_of(" \t\r\n") + 1);
    if (!part.empty() && part.size() < 9 && part.find_first_not_of("0123456789") == std::string::npos)
      found.push_back(std::stoi(part));
  }
}

// The literal text numbers of Txt(p, N ...), TxtF(p, N ...), MessT(p, N, M) and AskT(p, N, M) in a
// source text. Written by hand: std::regex warns under the sanitizer build.
std::vector<int> TextNumbersUsed(const std::string& src) {
  std::vector<int> found;
  for (size_t pos = 0; pos < src.size(); ++pos) {
    if (!IsIdentChar(src[pos]) || (pos > 0 && IsIdentChar(src[pos - 1]))) continue;
    size_t end = pos;
    while (end < src.size() && IsIdentChar(src[end])) ++end;
    const std::string name = src.substr(pos, end - pos);
    pos = end - 1;
    const size_t open = src.find_first_not_of(" \t\r\n", end);
    if ((name != "Txt" && name != "TxtF" && name != "MessT" && name != "AskT") || open == std::string::npos ||
        src[open] != '(')
      continue;
    // The arguments split at top-level commas, up to the closing parenthesis; quoted text is skipped.
    std::vector<std::string> args(1);
    int depth = 0;
    char quote = 0;
    for (size_t i = open + 1; i < src.size(); ++i) {
      const char c = src[i];
      if (quote) {
        i += c == '\\';
        quote = c == quote ? 0 : quote;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if ((c == ')' || c == '}' || c == ']') && depth-- == 0) {
        break;
      } else if (c == ',' && depth == 0) {
        args.emplace_back();
      } else {
        depth += c == '(' || c == '{' || c == '[';
        args.back() += c;
      }
    }
    const size_t last = (name == "MessT" || name == "AskT") ? 2 : 1;
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
