// PHP highlighter: strings and comments carried over lines, variables
// embedded in `"` strings (escapes, braces, indexes, members), keywords with
// letter case ignored, numbers and symbols.
#include "highlight/HighlighterPHP.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", phtkSpace};
Tok Str(const char* text) { return {text, phtkString}; }
Tok Var(const char* text) { return {text, phtkVariable}; }

TEST(HighlighterPHPTest, Tokens) {
  TPHPHighlighter h;
  CheckRows(h, {
      {"embedded index", phrsNormal, "\"a $x[1] b\"", {Str("\"a "), Var("$x[1]"), Str(" b\"")}, phrsNormal},
      {"embedded key and members", phrsNormal, "\"$a['k']->b->c[d] $e->\"",
       {Str("\""), Var("$a['k']->b->c[d]"), Str(" "), Var("$e"), Str("->\"")}, phrsNormal},
      {"braced forms with nesting", phrsNormal, "\"{$a[$b{1}]}x${c}\"",
       {Str("\""), Var("{$a[$b{1}]}"), Str("x"), Var("${c}"), Str("\"")}, phrsNormal},
      {"escaped and lone dollars stay string", phrsNormal, "\"\\$a $ 5$\\\"\"", {Str("\"\\$a $ 5$\\\"\"")}, phrsNormal},
      {"no variables in ' strings", phrsNormal, "'$a \\' b'", {Str("'$a \\' b'")}, phrsNormal},
      {"' string continues", phrsNormal, "$s = 'abc", {Var("$s"), SP, {"=", phtkSymbol}, SP, Str("'abc")}, phrsAposString},
      {"' string closes", phrsAposString, "d\\\\' x", {Str("d\\\\'"), SP, {"x", phtkIdentifier}}, phrsNormal},
      {"\" string continues after a variable", phrsNormal, "\"a $b", {Str("\"a "), Var("$b")}, phrsQuotString},
      {"continued \" string starts with a variable", phrsQuotString, "$c\"", {Var("$c"), Str("\"")}, phrsNormal},
      {"stored variable state without one", phrsEmbeddedVariable, "x\"", {Str("x\"")}, phrsNormal},
      {"empty line keeps the string", phrsQuotString, "", {}, phrsQuotString},
      {"block comment over lines", phrsNormal, "a /* b", {{"a", phtkIdentifier}, SP, {"/* b", phtkComment}}, phrsComment},
      {"block comment closes", phrsComment, "c */ d", {{"c */", phtkComment}, SP, {"d", phtkIdentifier}}, phrsNormal},
      {"line comments", phrsNormal, "# a\t// b", {{"# a\t// b", phtkComment}}, phrsNormal},
      {"keywords ignore case", phrsNormal, "Function ECHO foo", {{"Function", phtkKey}, SP, {"ECHO", phtkKey}, SP,
        {"foo", phtkIdentifier}}, phrsNormal},
      {"numbers", phrsNormal, "0x1F 1.5 1..2", {{"0x1F", phtkNumber}, SP, {"1.5", phtkNumber}, SP, {"1", phtkNumber},
        {".", phtkSymbol}, {".", phtkSymbol}, {"2", phtkNumber}}, phrsNormal},
      {"symbols", phrsNormal, "<<= <= << < /= / ?", {{"<<=", phtkSymbol}, SP, {"<=", phtkSymbol}, SP,
        {"<<", phtkSymbol}, SP, {"<", phtkSymbol}, SP, {"/=", phtkSymbol}, SP, {"/", phtkSymbol}, SP,
        {"?", phtkSymbol}}, phrsNormal},
      {"unknown range starts normal", 9, "$v", {Var("$v")}, phrsNormal},
  });
}

}  // namespace
}  // namespace vantrel
