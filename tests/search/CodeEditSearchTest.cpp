// The fixed-text engine: hits of the skip search, case folding through the
// code page, whole words, lazy tables; the anchor scan against the skip
// search and a plain reference.
#include "search/CodeEditSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "support/PlainSearchReference.h"

namespace vantrel {
namespace {

std::vector<int> Positions(const TCodeEditSearch& engine) {
  std::vector<int> out;
  for (int i = 0; i < engine.MatchCount(); ++i) out.push_back(engine.MatchPosition(i));
  return out;
}

struct FindCase {
  const char* name;
  std::string pattern;
  std::string line;
  TSearchFlags flags;
  std::vector<int> expected;
};

TEST(CodeEditSearchTest, FindsTheHitsOfTheSkipSearch) {
  const std::vector<FindCase> cases = {
      {"matches never overlap", "aa", "aaaa", {}, {1, 3}},
      {"case ignored", "ABC", "abc aBc ABC", {}, {1, 5, 9}},
      {"case kept", "ABC", "abc aBc ABC", {srCaseSensitive}, {9}},
      {"whole word before a dot", "foo", "foo.bar", {srWholeWords}, {1}},
      {"whole word in brackets", "foo", "(foo)", {srWholeWords}, {2}},
      {"whole word at line end", "foo", "x foo", {srWholeWords}, {3}},
      {"underscore joins words", "foo", "foo_bar", {srWholeWords}, {}},
      {"longer word", "foo", "food afoo", {srWholeWords}, {}},
      {"failed word, then a word", "aa", "aaa aa", {srWholeWords}, {5}},
      {"line shorter than pattern", "abcd", "abc", {}, {}},
      {"line equal to pattern", "abc", "abc", {}, {1}},
      {"repeat distance after partial match", "abcab", "abcabcab", {}, {1}},
      {"nul bytes are ordinary", std::string("a\0b", 3), std::string("xa\0ba\0b", 7), {}, {2, 5}},
      {"nul ends a whole word", "b", std::string("b\0b", 3), {srWholeWords}, {1, 3}},
      {"accented capitals fold", "\xC9T\xC9", "\xE9t\xE9 \xC9T\xC9", {}, {1, 5}},
      {"accented capitals kept", "\xC9T\xC9", "\xE9t\xE9 \xC9T\xC9", {srCaseSensitive}, {5}},
      {"accented letters are word characters", "t", "\xE9t t", {srWholeWords}, {4}},
      {"one byte pattern", ";", "a;b;;", {}, {2, 4, 5}},
  };
  for (bool anchorScan : {true, false}) {
    for (const FindCase& c : cases) {
      TCodeEditSearch engine;
      engine.SetAnchorScan(anchorScan);
      engine.SetSearchFlags(c.flags);
      engine.SetPattern(c.pattern);
      EXPECT_EQ(engine.FindMatches(c.line), static_cast<int>(c.expected.size())) << c.name;
      EXPECT_EQ(Positions(engine), c.expected) << c.name << (anchorScan ? " (anchor scan)" : " (skip search)");
    }
  }
}

TEST(CodeEditSearchTest, LongPatternUsesAllItsBytes) {
  std::string pattern(300, 'a');
  pattern[10] = 'b';  // a table of the first 255 bytes only would skip too far
  const std::string line = "xx" + pattern + "y";
  for (bool anchorScan : {true, false}) {
    TCodeEditSearch engine;
    engine.SetAnchorScan(anchorScan);
    engine.SetPattern(pattern);
    EXPECT_EQ(engine.FindMatches(line), 1);
    EXPECT_EQ(engine.MatchPosition(0), 3);
    EXPECT_EQ(engine.ShiftTable()['b'], 300 + 1 - 11);
  }
}

TEST(CodeEditSearchTest, TablesAreRebuiltOnlyWhenNeeded) {
  TCodeEditSearch engine;
  engine.SetPattern("abca");
  engine.FindMatches("abca");
  EXPECT_TRUE(engine.TablesValid());
  EXPECT_EQ(engine.RepeatDistance(), 3);
  EXPECT_EQ(engine.FoldTable()['A'], 'a');
  engine.SetPattern("abca");
  EXPECT_TRUE(engine.TablesValid());
  engine.SetSearchFlags({srWholeWords});
  EXPECT_TRUE(engine.TablesValid());
  engine.SetSearchFlags({srCaseSensitive});
  EXPECT_FALSE(engine.TablesValid());
  EXPECT_EQ(engine.FoldTable()['A'], 'A');
  EXPECT_TRUE(engine.DelimiterTable()[0]);
  EXPECT_FALSE(engine.DelimiterTable()['_']);
}

TEST(CodeEditSearchTest, ResultListAndErrors) {
  TCodeEditSearch engine;
  EXPECT_THROW(engine.FindMatches("abc"), Exception);
  engine.SetPattern("b");
  engine.FindMatches("abcb");
  EXPECT_EQ(engine.MatchPosition(-1), 0);
  EXPECT_EQ(engine.MatchPosition(2), 0);
  EXPECT_EQ(engine.MatchLength(7), 1);
  EXPECT_EQ(engine.ReplacementText("b", "$1x"), "$1x");
  engine.SetPattern("");
  try {
    engine.FindMatches("abc");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Pattern is empty");
  }
  EXPECT_EQ(engine.MatchCount(), 0);
}

// Small alphabets make partial matches, repeats and word edges frequent.
TEST(CodeEditSearchTest, RandomLinesAgreeWithTheReference) {
  std::mt19937 random(12);
  const std::string alphabet = "aAb_ .\xC9\xE9";
  auto text = [&](size_t maxLength) {
    std::string s(random() % (maxLength + 1), 'a');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 4000; ++round) {
    std::string pattern = text(5);
    if (pattern.empty()) pattern = "a";
    const std::string line = text(40);
    const bool caseSensitive = random() % 2;
    const bool wholeWords = random() % 2;
    TSearchFlags flags;
    if (caseSensitive) flags.Include(srCaseSensitive);
    if (wholeWords) flags.Include(srWholeWords);
    const std::vector<int> expected = PlainSearchReference(pattern, line, caseSensitive, wholeWords);
    for (bool anchorScan : {true, false}) {
      TCodeEditSearch engine;
      engine.SetAnchorScan(anchorScan);
      engine.SetSearchFlags(flags);
      engine.SetPattern(pattern);
      engine.FindMatches(line);
      ASSERT_EQ(Positions(engine), expected) << '"' << pattern << "\" in \"" << line << '"';
    }
  }
}

}  // namespace
}  // namespace vantrel
