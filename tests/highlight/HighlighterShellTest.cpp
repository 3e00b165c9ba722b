// Shell and Ruby highlighters (one scanner): word lists with letter case
// ignored, SecondKeyWords, `$` variables, strings, numbers.
#include "highlight/HighlighterRuby.h"
#include "highlight/HighlighterShell.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", stkSpace};

TEST(HighlighterShellTest, Tokens) {
  TUNIXShellScriptHighlighter h;
  CheckRows(h, {
      {"keywords in any case", 0, "case CASE Esac", {{"case", stkKey}, SP, {"CASE", stkKey}, SP, {"Esac", stkKey}}, 0},
      {"second keywords", 0, "PATH path", {{"PATH", stkSecondKey}, SP, {"path", stkSecondKey}}, 0},
      {"g++ is one keyword", 0, "g++ x++", {{"g++", stkKey}, SP, {"x", stkIdentifier}, {"+", stkSymbol}, {"+", stkSymbol}}, 0},
      {"dollar forms", 0, "$HOME $1 ${HOME}x", {{"$HOME", stkVariable}, SP, {"$1", stkVariable}, SP, {"${HOME}", stkVariable}, {"x", stkIdentifier}}, 0},
      {"hash inside braces is no comment", 0, "${x#*/} y", {{"${x#*/}", stkVariable}, SP, {"y", stkIdentifier}}, 0},
      {"unclosed brace takes the name only", 0, "${ab c", {{"${ab", stkVariable}, SP, {"c", stkIdentifier}}, 0},
      {"special parameters", 0, "$# $?", {{"$#", stkVariable}, SP, {"$?", stkVariable}}, 0},
      {"dollar at line end", 0, "a$", {{"a", stkIdentifier}, {"$", stkVariable}}, 0},
      {"dollar before a line break", 0, "$\r\n", {{"$", stkVariable}, {"\r\n", stkSpace}}, 0},
      {"comment", 0, "ls # list", {{"ls", stkKey}, SP, {"# list", stkComment}}, 0},
      {"strings end at the same quote", 0, "'a\"b' \"c'd\"", {{"'a\"b'", stkString}, SP, {"\"c'd\"", stkString}}, 0},
      {"no escapes in strings", 0, "\"a\\\"b", {{"\"a\\\"", stkString}, {"b", stkIdentifier}}, 0},
      {"tripled quote skipped", 0, "\"\"\"a\" b", {{"\"\"\"a\"", stkString}, SP, {"b", stkIdentifier}}, 0},
      {"empty string", 0, "''x", {{"''", stkString}, {"x", stkIdentifier}}, 0},
      {"unterminated string", 0, "'abc", {{"'abc", stkString}}, 0},
      {"numbers stop before ..", 0, "1.5e3 1..2", {{"1.5e3", stkNumber}, SP, {"1", stkNumber}, {".", stkSymbol}, {".", stkSymbol}, {"2", stkNumber}}, 0},
      {"slash alone", 0, "/usr", {{"/", stkSymbol}, {"usr", stkIdentifier}}, 0},
  });
}

TEST(HighlighterShellTest, SecondKeyWordsAreSettable) {
  TUNIXShellScriptHighlighter h;
  EXPECT_EQ(h.SecondKeyWords().size(), 23u);
  h.SetSecondKeyWords({"ZZ", "AB", "ZZ"});
  EXPECT_EQ(h.SecondKeyWords(), (std::vector<std::string>{"AB", "ZZ"}));
  EXPECT_TRUE(h.IsKeyword("zz"));
  EXPECT_FALSE(h.IsKeyword("PATH"));
  EXPECT_TRUE(h.IsKeyword("while"));
}

TEST(HighlighterShellTest, RubyTokens) {
  TRubyHighlighter h;
  CheckRows(h, {
      {"keywords in any case", 0, "def END Puts", {{"def", stkKey}, SP, {"END", stkKey}, SP, {"Puts", stkKey}}, 0},
      {"no second keywords", 0, "PATH", {{"PATH", stkIdentifier}}, 0},
      {"no dollar rule", 0, "$x", {{"$", stkSymbol}, {"x", stkIdentifier}}, 0},
      {"comment and string", 0, "'a' # b", {{"'a'", stkString}, SP, {"# b", stkComment}}, 0},
  });
  EXPECT_TRUE(h.SecondKeyWords().empty());
  EXPECT_EQ(h.AttributeByProperty("VarAttri"), nullptr);
}

}  // namespace
}  // namespace vantrel
