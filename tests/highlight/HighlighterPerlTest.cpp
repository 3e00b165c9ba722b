// Perl highlighter: sigil words in the compare table (byte-exact), the
// punctuation and caret variables, operators, strings, numbers and dots.
#include "highlight/HighlighterPerl.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", plkSpace};

TEST(HighlighterPerlTest, Tokens) {
  TPerlHighlighter h;
  CheckRows(h, {
      {"keywords are case-sensitive", 0, "my My MY", {{"my", plkKey}, SP, {"My", plkIdentifier}, SP, {"MY", plkIdentifier}}, 0},
      {"longest keyword", 0, "getprotobynumber", {{"getprotobynumber", plkKey}}, 0},
      {"special variables with sigils", 0, "$ARGV @INC %INC $FORMAT_LINE_BREAK_CHARACTERS",
       {{"$ARGV", plkVariable}, SP, {"@INC", plkVariable}, SP, {"%INC", plkVariable}, SP, {"$FORMAT_LINE_BREAK_CHARACTERS", plkVariable}}, 0},
      {"other sigil words are identifiers", 0, "$argv @list", {{"$argv", plkIdentifier}, SP, {"@list", plkIdentifier}}, 0},
      {"word operators and pragmas", 0, "eq xor strict", {{"eq", plkOperator}, SP, {"xor", plkOperator}, SP, {"strict", plkPragma}}, 0},
      {"punctuation variables", 0, "$_ $0 $$ $@ $/", {{"$_", plkVariable}, SP, {"$0", plkVariable}, SP, {"$$", plkVariable}, SP, {"$@", plkVariable}, SP, {"$/", plkVariable}}, 0},
      {"comma is no punctuation variable", 0, "$,", {{"$", plkSymbol}, {",", plkSymbol}}, 0},
      {"caret variables", 0, "$^W $^Z", {{"$^W", plkVariable}, SP, {"$", plkSymbol}, {"^", plkSymbol}, {"Z", plkIdentifier}}, 0},
      {"percent and x operators", 0, "%= % x= x", {{"%=", plkOperator}, SP, {"%", plkOperator}, SP, {"x=", plkOperator}, SP, {"x", plkOperator}}, 0},
      {"x before a word char is a word", 0, "xyz", {{"xyz", plkIdentifier}}, 0},
      {"double-quoted string escapes", 0, "\"a\\\"b\" \"c\\\\\" d", {{"\"a\\\"b\"", plkString}, SP, {"\"c\\\\\"", plkString}, SP, {"d", plkIdentifier}}, 0},
      {"single-quoted string has no escapes", 0, "'a\\' b", {{"'a\\'", plkString}, SP, {"b", plkIdentifier}}, 0},
      {"backslash at line end does not continue", 0, "\"ab\\", {{"\"ab\\", plkString}}, 0},
      {"equals pairs", 0, "== => =~ =", {{"==", plkSymbol}, SP, {"=>", plkSymbol}, SP, {"=~", plkSymbol}, SP, {"=", plkSymbol}}, 0},
      {"dots", 0, "1..2 ... .= .x .5", {{"1", plkNumber}, {"..", plkSymbol}, {"2", plkNumber}, SP, {"...", plkSymbol}, SP, {".=", plkSymbol}, SP, {".", plkSymbol}, {"x", plkIdentifier}, SP, {".5", plkNumber}}, 0},
      {"concatenation dot is a symbol", 0, "$a . $b", {{"$a", plkIdentifier}, SP, {".", plkSymbol}, SP, {"$b", plkIdentifier}}, 0},
      {"number forms", 0, "0xFF 1_000 1.5e-3 1-2", {{"0xFF", plkNumber}, SP, {"1_000", plkNumber}, SP, {"1.5e-3", plkNumber}, SP, {"1", plkNumber}, {"-", plkSymbol}, {"2", plkNumber}}, 0},
      {"comment", 0, "print; # x", {{"print", plkKey}, {";", plkSymbol}, SP, {"# x", plkComment}}, 0},
      {"hash after dollar is a variable", 0, "$#a", {{"$#", plkVariable}, {"a", plkIdentifier}}, 0},
      {"high bytes are invalid", 0, "\xe9", {{"\xe9", plkInvalid}}, 0},
      {"no range is kept", 3, "x", {{"x", plkOperator}}, 0},
  });
  EXPECT_TRUE(h.IsKeyword("sub"));
  EXPECT_FALSE(h.IsKeyword("strict"));  // a pragma, not a keyword
}

}  // namespace
}  // namespace vantrel
