// Differential test: generated expressions in the syntax we share with Perl,
// with the groups Perl found (regex_perl_cases.tsv, made by
// gen_regex_perl_cases.pl). Committed so the test does not need perl.
//
// Perl keeps or drops captures inside repeated groups in its own ways (a
// capture set in an alternative it backtracked out of can survive, a loop
// that ran zero times can unset its group); we keep the last value set on
// the path that matched. Groups are therefore compared only where no
// group is repeated; the whole match is compared everywhere.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <algorithm>
#include <vector>

#include "search/Regex.h"

namespace vantrel {
namespace {

struct PerlCase {
  int line = 0;
  std::string modifiers;
  std::string pattern;
  std::string subject;
  std::string expected;
};

std::vector<PerlCase> LoadCases() {
  std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/tests/search/regex_perl_cases.tsv",
                   std::ios::binary);
  std::vector<PerlCase> cases;
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    std::vector<std::string> fields;
    size_t from = 0;
    for (;;) {
      size_t tab = text.find('\t', from);
      fields.push_back(text.substr(from, tab - from));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    if (fields.size() != 4) continue;
    cases.push_back({line, fields[0], fields[1], fields[2], fields[3]});
  }
  return cases;
}

std::string Describe(TRegex& regex, const std::string& subject, int groups) {
  if (!regex.Exec(subject)) return "nomatch";
  std::string out;
  for (int g = 0; g < groups; ++g) {
    if (g > 0) out += ';';
    out += std::to_string(regex.GroupStart(g)) + ',' + std::to_string(regex.GroupLength(g));
  }
  return out;
}

bool HasRepeatedGroup(const std::string& pattern) {
  for (size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] == '\\') {
      ++i;
    } else if (pattern[i] == ')' && std::string_view("*+?{").find(pattern[i + 1]) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

TEST(RegexPerlTest, GeneratedCasesAgreeWithPerl) {
  const std::vector<PerlCase> cases = LoadCases();
  ASSERT_GE(cases.size(), 300u);
  int failures = 0;
  int budgetErrors = 0;
  for (const PerlCase& c : cases) {
    TRegex regex;
    regex.SetModifier(1, c.modifiers.find('i') != std::string::npos);
    regex.SetExpression(c.pattern);
    const int groups = c.expected == "nomatch"
                           ? 1
                           : static_cast<int>(std::count(c.expected.begin(), c.expected.end(), ';')) + 1;
    const bool wholeOnly = HasRepeatedGroup(c.pattern);
    std::string expected = c.expected;
    if (wholeOnly) expected = expected.substr(0, expected.find(';'));
    std::string got;
    try {
      got = Describe(regex, c.subject, wholeOnly ? 1 : groups);
    } catch (const ERegex& e) {
      // Perl remembers failed positions and so survives some exponential
      // cases that exhaust our step budget.
      if (e.ErrorCode() == reeStepBudgetExceeded) {
        ++budgetErrors;
        continue;
      }
      got = std::string("error ") + e.what();
    }
    if (got != expected) {
      ++failures;
      ADD_FAILURE() << "line " << c.line << ": /" << c.pattern << "/" << c.modifiers << " on '" << c.subject
                    << "': perl " << c.expected << ", ours " << got;
      if (failures > 20) break;
    }
  }
  EXPECT_LE(budgetErrors, static_cast<int>(cases.size() / 200));
}

}  // namespace
}  // namespace vantrel
