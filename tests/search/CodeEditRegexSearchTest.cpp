// The regular-expression engine as the editor drives it through the search
// engine interface.
#include "search/CodeEditRegexSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

std::vector<std::pair<int, int>> Matches(const TCodeEditSearchCustom& engine) {
  std::vector<std::pair<int, int>> out;
  for (int i = 0; i < engine.MatchCount(); ++i) out.emplace_back(engine.MatchPosition(i), engine.MatchLength(i));
  return out;
}

using Hits = std::vector<std::pair<int, int>>;

TEST(CodeEditRegexSearchTest, FindsEveryMatchOfALine) {
  std::unique_ptr<TCodeEditSearchCustom> engine = std::make_unique<TCodeEditRegexSearch>();
  engine->SetPattern("a+");
  EXPECT_EQ(engine->GetPattern(), "a+");
  engine->SetSearchFlags({});
  EXPECT_EQ(engine->FindMatches("xAaAx"), 1);
  EXPECT_EQ(Matches(*engine), (Hits{{2, 3}}));
  engine->SetSearchFlags({srCaseSensitive});
  EXPECT_EQ(engine->FindMatches("xAaAxaa"), 2);
  EXPECT_EQ(Matches(*engine), (Hits{{3, 1}, {6, 2}}));
  EXPECT_EQ(engine->FindMatches("none"), 0);
  EXPECT_EQ(engine->MatchCount(), 0);
}

TEST(CodeEditRegexSearchTest, EmptyMatchesAndNulBytes) {
  TCodeEditRegexSearch engine;
  engine.SetPattern("x*");
  EXPECT_EQ(engine.FindMatches("abc"), 4);
  EXPECT_EQ(Matches(engine), (Hits{{1, 0}, {2, 0}, {3, 0}, {4, 0}}));
  engine.SetPattern("b");
  EXPECT_EQ(engine.FindMatches(std::string("ab\0b", 4)), 1);
}

TEST(CodeEditRegexSearchTest, WholeWordsFlagIsIgnored) {
  TCodeEditRegexSearch engine;
  engine.SetPattern("foo");
  engine.SetSearchFlags({srCaseSensitive, srWholeWords});
  EXPECT_EQ(engine.FindMatches("food foo"), 2);
}

TEST(CodeEditRegexSearchTest, IndexOutsideListsRaisesListError) {
  TCodeEditRegexSearch engine;
  engine.SetPattern("a");
  engine.FindMatches("aa");
  for (int index : {-1, 2}) {
    try {
      engine.MatchPosition(index);
      ADD_FAILURE() << index;
    } catch (const ESearchListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(index) + ")");
    }
    EXPECT_THROW(engine.MatchLength(index), ESearchListError);
  }
}

TEST(CodeEditRegexSearchTest, ReplacementRunsTheExpressionOnTheOccurrence) {
  TCodeEditRegexSearch engine;
  engine.SetPattern("x*");
  EXPECT_EQ(engine.ReplacementText("xx", "y"), "yy");
  engine.SetPattern("(\\w+)=(\\w+)");
  EXPECT_EQ(engine.ReplacementText("a=b", "$2=$1"), "b=a");
}

// The editor replaces each hit through ReplacementTextAt: the template sees
// the match as it was found in the line, not the occurrence searched alone.
TEST(CodeEditRegexSearchTest, ReplacementOfAHitKeepsItsLineContext) {
  struct Case {
    const char* pattern;
    const char* line;
    int index;
    const char* templ;
    const char* expected;
  };
  const Case cases[] = {
      {"x*", "axxb", 1, "y", "y"},           // not "yy": one hit, one replacement
      {"\\Bb", "ab", 0, "[$0]", "[b]"},    // inside a word only in its line
      {"\\bfoo", "a foo", 0, "<$0>", "<foo>"},
      {"^(\\w)", "ab", 0, "$1$1", "aa"},
      {"$", "ab", 0, "!", "!"},
      {"(a)(b)?", "a ab", 1, "$2$1", "ba"},
  };
  for (const Case& c : cases) {
    TCodeEditRegexSearch engine;
    engine.SetPattern(c.pattern);
    ASSERT_GT(engine.FindMatches(c.line), c.index) << c.pattern;
    const std::string line = c.line;
    const std::string found = line.substr(engine.MatchPosition(c.index) - 1, engine.MatchLength(c.index));
    EXPECT_EQ(engine.ReplacementTextAt(c.index, found, c.templ), c.expected) << c.pattern;
  }
}

TEST(CodeEditRegexSearchTest, CompileErrorsReachTheCaller) {
  TCodeEditRegexSearch engine;
  engine.SetPattern("a**");
  EXPECT_THROW(engine.FindMatches("aaa"), ERegex);
  engine.SetPattern("a");
  EXPECT_EQ(engine.FindMatches("aaa"), 3);
}

TEST(CodeEditRegexSearchTest, FlagSetKeepsBitNumbers) {
  TSearchFlags flags{srCaseSensitive, srReplaceAll};
  EXPECT_EQ(flags.Byte(), 0x41);
  EXPECT_TRUE(TSearchFlags::FromByte(0x80).Contains(srConfirm));
  flags.Exclude(srCaseSensitive).Include(srBackwards);
  EXPECT_EQ(flags.Byte(), 0x44);
}

}  // namespace
}  // namespace vantrel
