// CSS highlighter: selectors, the property list (letter case ignored),
// values, colours and numbers, and comments that return to the state they
// interrupted, also when that state comes from the stored range.
#include "highlight/HighlighterCss.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", cstkSpace};
auto Sym(const char* text) { return Tok{text, cstkSymbol}; }

TEST(HighlighterCssTest, Tokens) {
  TCssHighlighter h;
  CheckRows(h, {
      {"a rule on one line", csrsSelector, "h1 { color: #f00; }",
       {{"h1 ", cstkSelector}, Sym("{"), SP, {"color", cstkProperty}, Sym(":"), SP, {"#f00", cstkColor}, Sym(";"), SP,
        Sym("}")}, csrsSelector},
      {"undefined property and case", csrsProperty, "colr: x; COLOR:",
       {{"colr", cstkUndefProperty}, Sym(":"), SP, {"x", cstkValue}, Sym(";"), SP, {"COLOR", cstkProperty}, Sym(":")}, csrsValue},
      {"grouped property names", csrsAfterSemicolon, "border-left-width:", {{"border-left-width", cstkProperty}, Sym(":")}, csrsValue},
      {"values, numbers and lists", csrsValue, " 1.5em solid, \"a b\" 2..3",
       {SP, {"1.5", cstkNumber}, {"em solid", cstkValue}, Sym(","), SP, {"\"a b\"", cstkString}, SP, {"2", cstkNumber},
        {"..3", cstkNumber}}, csrsValue},
      {"value with non-ASCII", csrsValue, "\xc3\xa9t\xc3\xa9;", {{"\xc3\xa9t\xc3\xa9", cstkValue}, Sym(";")}, csrsAfterSemicolon},
      {"rule open at line end", csrsSelector, "a.b:hover, p {", {{"a.b:hover, p ", cstkSelector}, Sym("{")}, csrsProperty},
      {"unterminated string", csrsValue, "\"abc", {{"\"abc", cstkString}}, csrsValue},
      {"comment in a selector", csrsSelector, "a /* x */ b", {{"a ", cstkSelector}, {"/* x */", cstkComment}, {" b", cstkSelector}}, csrsSelector},
      {"comment in a rule opens", csrsProperty, "/* note", {{"/* note", cstkComment}}, csrsCommentInProperty},
      {"comment returns to the rule", csrsCommentInProperty, "end */ color", {{"end */", cstkComment}, SP, {"color", cstkProperty}}, csrsProperty},
      {"comment returns to a value", csrsCommentInValue, "*/red", {{"*/", cstkComment}, {"red", cstkValue}}, csrsProperty},
      {"comment returns to a selector", csrsComment, "*/p", {{"*/", cstkComment}, {"p", cstkSelector}}, csrsSelector},
      {"empty line keeps the comment", csrsCommentAfterSemicolon, "", {}, csrsCommentAfterSemicolon},
      {"a lone slash", csrsProperty, "/ x", {Sym("/"), SP, {"x", cstkUndefProperty}}, csrsProperty},
      {"unknown range starts as a selector", 7, "p", {{"p", cstkSelector}}, csrsSelector},
  });
}

}  // namespace
}  // namespace vantrel
