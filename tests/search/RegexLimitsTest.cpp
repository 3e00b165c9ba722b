// Long inputs and runaway expressions: the matcher must neither use machine
// stack in proportion to the input nor run without end.
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <functional>
#include <string>

#include "search/CodeEditRegexSearch.h"
#include "search/Regex.h"

namespace vantrel {
namespace {

// Runs body on a thread with a small stack, so that any recursion whose
// depth follows the input crashes the test instead of passing by luck.
void OnSmallStack(const std::function<void()>& body) {
  struct Context {
    const std::function<void()>* body;
    std::string error;
  } context{&body, {}};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  auto run = [](void* arg) -> void* {
    auto* ctx = static_cast<Context*>(arg);
    try {
      (*ctx->body)();
    } catch (const std::exception& e) {
      ctx->error = e.what();
    }
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, run, &context), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  EXPECT_EQ(context.error, "");
}

std::string Repeat(const std::string& unit, size_t times) {
  std::string s;
  s.reserve(unit.size() * times);
  for (size_t i = 0; i < times; ++i) s += unit;
  return s;
}

TEST(RegexLimitsTest, TenMegabyteLineWithComplexStar) {
  const std::string line = Repeat("ab", 5'000'000) + "c";
  OnSmallStack([&] {
    TRegex regex;
    regex.SetExpression("(a|b)*c");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupStart(0), 1);
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
    EXPECT_EQ(regex.GroupStart(1), static_cast<int>(line.size()) - 1);
  });
}

TEST(RegexLimitsTest, LongLineWithBacktrackingAlternatives) {
  // Both alternatives can start at every "a", so every iteration leaves a
  // choice behind: the backtracking state grows with the line, on the heap.
  const std::string line = Repeat("ab", 200'000) + "c";
  OnSmallStack([&] {
    TRegex regex;
    regex.SetExpression("(ab|a)*c");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
    regex.SetExpression("(ab|a)*?c");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
    regex.SetExpression("(ab|a){1,}c");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
  });
}

TEST(RegexLimitsTest, RepeatsThatNeedMatchingFromTheEnd) {
  const std::string line = Repeat("a", 1'000'000) + "b";
  OnSmallStack([&] {
    TRegex regex;
    regex.SetExpression("(a|b)*b$");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
    regex.SetExpression(".*?b");
    ASSERT_TRUE(regex.Exec(line));
    EXPECT_EQ(regex.GroupLength(0), static_cast<int>(line.size()));
  });
}

TEST(RegexLimitsTest, EmptyMatchesOverOneMegabyte) {
  const std::string line(1'000'000, 'a');
  OnSmallStack([&] {
    TCodeEditRegexSearch search;
    search.SetPattern("x*");
    EXPECT_EQ(search.FindMatches(line), 1'000'001);
    EXPECT_EQ(search.MatchPosition(1'000'000), 1'000'001);
    EXPECT_EQ(search.MatchLength(1'000'000), 0);
  });
}

TEST(RegexLimitsTest, PossiblyEmptyRepeatsAreRejectedAtCompileTime) {
  for (const char* pattern : {"(a*)*b", "(a?)+b", "(a|)*b", "(\\b|a)*", "((a*)(b*))+", "(a*){2,}"}) {
    TRegex regex;
    regex.SetExpression(pattern);
    try {
      regex.Exec("aaab");
      ADD_FAILURE() << pattern;
    } catch (const ERegex& e) {
      EXPECT_EQ(e.ErrorCode(), rePlusStarOperandCouldBeEmpty) << pattern;
    }
  }
}

TEST(RegexLimitsTest, ExponentialSearchStopsWithStepBudgetError) {
  // Failures inside counted loops depend on the counters and are not
  // remembered, so this one stays exponential.
  TRegex regex;
  regex.SetExpression("^(a|aa){0,}c$");
  const std::string line = Repeat("a", 80) + "bc";
  const auto begin = std::chrono::steady_clock::now();
  try {
    regex.Exec(line);
    FAIL() << "finished an exponential search";
  } catch (const ERegex& e) {
    EXPECT_EQ(e.ErrorCode(), reeStepBudgetExceeded);
    EXPECT_EQ(std::string(e.what()), TRegex::ErrorMsg(reeStepBudgetExceeded));
    EXPECT_EQ(regex.LastError(), reeStepBudgetExceeded);
  }
  // The default budget stops it in a few seconds even in sanitizer builds.
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(30));
  EXPECT_EQ(regex.GroupStart(0), -1);
  // The object stays usable.
  regex.SetExpression("b");
  EXPECT_TRUE(regex.Exec(line));
}

TEST(RegexLimitsTest, BudgetIsPerRunAndScalesWithInput) {
  TRegex regex;
  regex.SetStepBudget(1000);
  regex.SetExpression("(a|b)*c");
  // Linear work within the per-byte share passes however long the line.
  EXPECT_TRUE(regex.Exec(Repeat("ab", 50'000) + "c"));
  // Many short runs each get a fresh budget.
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(regex.Exec("ababc"));
  // A back-reference turns remembering failures off.
  regex.SetExpression("(a|a)*b\\1");
  EXPECT_THROW(regex.Exec(Repeat("a", 40) + "cb"), ERegex);
}

struct LongLineCase {
  const char* name;
  const char* pattern;
  std::string line;
  int start;  // -1: no match
  int length;
};

class RegexLongLineTest : public ::testing::TestWithParam<LongLineCase> {};

// With only the per-byte share of the budget, a search that retries the
// work of earlier start positions runs out; these must not.
TEST_P(RegexLongLineTest, FailedStartsAreNotRedone) {
  const LongLineCase& c = GetParam();
  TRegex regex;
  regex.SetStepBudget(0);
  regex.SetExpression(c.pattern);
  const bool found = regex.Exec(c.line);
  EXPECT_EQ(found ? regex.GroupStart(0) : -1, c.start);
  if (found) {
    EXPECT_EQ(regex.GroupLength(0), c.length);
  }
}

const LongLineCase kLongLineCases[] = {
    {"DotStarBeforeClass", ".*[;,]", Repeat("x", 200'000), -1, 0},
    {"WordsBeforeClass", "\\w+[;,]", Repeat("ab", 100'000), -1, 0},
    {"LettersBeforeDigit", "[a-z]+\\d", Repeat("abc", 70'000), -1, 0},
    {"LazyLeadingRepeat", "\\w+?;", "; " + Repeat("ab", 100'000), -1, 0},
    {"BoundaryBeforeRepeat", "\\b\\w+;", ";" + Repeat("abc ", 50'000), -1, 0},
    {"GroupAroundRepeat", "(\\w+)\\s*=", "=" + Repeat("ab ", 70'000), -1, 0},
    {"MatchAfterLongRun", "\\w+;", Repeat("ab", 100'000) + " x;", 200'002, 2},
    {"MatchInsideRunEnd", "a+b", Repeat("a", 200'000) + "b", 1, 200'001},
        {"AlternationLoopThenLastChar", "(ab|a)*c", Repeat("ab", 100'000) + "dc", 200'002, 1},
    {"ExponentialAlternationFails", "^(a|aa)*c$", Repeat("a", 5'000) + "bc", -1, 0},
    {"SameAlternativesTwice", "(a|a)*b", Repeat("a", 100'000) + "cb", 100'002, 1},
};

INSTANTIATE_TEST_SUITE_P(Searches, RegexLongLineTest, ::testing::ValuesIn(kLongLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegexLimitsTest, SearchOfTheAdapterReportsBudgetErrors) {
  TCodeEditRegexSearch search;
  search.Regex().SetStepBudget(10'000);
  search.SetPattern("(a|a){1,}b");
  EXPECT_THROW(search.FindMatches(Repeat("a", 30) + "cb"), ERegex);
  EXPECT_EQ(search.MatchCount(), 0);
}

}  // namespace
}  // namespace vantrel
