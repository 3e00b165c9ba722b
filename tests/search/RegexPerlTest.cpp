// Differential test: generated expressions in the syntax we share with Perl,
// with the groups Perl found (regex_perl_cases.tsv, made by
// gen_regex_perl_cases.pl). Committed so the test does not need perl.
//
// Perl keeps or drops captures inside repeated groups in its own ways (a
// capture set in an alternative it backtracked out of can survive, a loop
// that ran zero times can unset its group); we keep the last value set on
// the path that matched. Groups are therefore compared only where no
// group is repeated; the whole match is compared everywhere.
//
// The second test compares the search that reuses failures (skipped start
// positions, remembered alternation failures) with the plain search over
// generated expressions and every short subject of a tiny alphabet.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <algorithm>
#include <random>
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


// Small random expressions over a, b and ";", with the constructs the
// reuse of failures has to respect: leading repeats, anchors, boundaries,
// alternations in loops, counted loops and back-references.
std::string RandomPattern(std::mt19937& random, int depth, int& groups) {
  static const char* const kAtoms[] = {"a", "b", ";", ".", "[ab]", "\\w", "[^a]", "\\b", "\\B", "^", "$", "ab"};
  static const char* const kRepeats[] = {"", "", "*", "+", "?", "*?", "+?", "{1,2}", "{0,}", "{2,}?"};
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::string out;
  const int pieces = 1 + pick(3);
  for (int i = 0; i < pieces; ++i) {
    std::string atom;
    const int kind = pick(10);
    if (kind < 6 || depth >= 2) {
      atom = kAtoms[pick(std::size(kAtoms))];
    } else if (kind < 9) {
      ++groups;
      atom = "(" + RandomPattern(random, depth + 1, groups);
      for (int alt = pick(3); alt > 0; --alt) atom += "|" + RandomPattern(random, depth + 1, groups);
      atom += ")";
    } else if (groups > 0) {
      atom = "\\" + std::to_string(1 + pick(groups));
    } else {
      atom = "a";
    }
    out += atom + kRepeats[pick(std::size(kRepeats))];
  }
  return out;
}

std::string AllMatches(TRegex& regex, const std::string& subject) {
  std::string out;
  try {
    for (bool ok = regex.Exec(subject); ok; ok = regex.ExecNext()) {
      for (int g = 0; g < kRegexGroupCount; ++g) {
        out += std::to_string(regex.GroupStart(g)) + ',' + std::to_string(regex.GroupLength(g)) + ' ';
      }
      out += '|';
    }
  } catch (const ERegex& e) {
    out += "error " + std::to_string(e.ErrorCode());
  }
  return out;
}

TEST(RegexReuseTest, ReusingFailuresChangesNoResult) {
  std::vector<std::string> subjects{""};
  for (size_t from = 0; subjects[from].size() < 5; ++from) {
    for (char c : {'a', 'b', ';'}) subjects.push_back(subjects[from] + c);
  }
  // Past sixteen bytes the start scan works a block at a time.
  for (const char* tail : {"ab", "b;", ";a", "ba;b"}) subjects.push_back(std::string(15, ';') + tail);
  subjects.push_back(std::string(17, 'b') + "a;ab" + std::string(14, ';') + "ba");
  std::mt19937 random(20250107);
  int compared = 0;
  for (int n = 0; n < 300; ++n) {
    int groups = 0;
    const std::string pattern = RandomPattern(random, 0, groups);
    TRegex reusing;
    TRegex plain;
    plain.SetReuseFailures(false);
    reusing.SetExpression(pattern);
    plain.SetExpression(pattern);
    for (const std::string& subject : subjects) {
      const std::string expected = AllMatches(plain, subject);
      ASSERT_EQ(AllMatches(reusing, subject), expected) << "/" << pattern << "/ on '" << subject << "'";
      ++compared;
    }
  }
  EXPECT_EQ(compared, 300 * (364 + 5));
}

}  // namespace
}  // namespace vantrel
