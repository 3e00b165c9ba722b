// HTML highlighter: tag names from the table (letter case ignored, closing
// forms, hash overflow), character references in text, and each state that
// carries over a line end.
#include "highlight/HighlighterHTML.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", htkSpace};
const Tok LT{"<", htkSymbol};
const Tok GT{">", htkSymbol};

TEST(HighlighterHTMLTest, Tokens) {
  THTMLHighlighter h;
  CheckRows(h, {
      {"reference between text", hrsText, "<b>bold &amp; bright</b>",
       {LT, {"b", htkKey}, GT, {"bold ", htkText}, {"&amp;", htkAmpersand}, {" bright", htkText}, LT,
        {"/b", htkKey}, GT}, hrsText},
      {"letter case, digits, unknown names", hrsText, "<H1><Table><foo><h7>",
       {LT, {"H1", htkKey}, GT, LT, {"Table", htkKey}, GT, LT, {"foo", htkUndefKey}, GT, LT, {"h7", htkUndefKey}, GT},
       hrsText},
      {"doctype is a known name", hrsText, "<!DOCTYPE html>", {LT, {"!DOCTYPE", htkKey}, SP, {"html", htkIdentifier}, GT}, hrsText},
      {"hash above the table is an identifier", hrsText, "<////", {LT, {"////", htkIdentifier}}, hrsTag},
      {"numeric references", hrsText, "a&#169;b&#xA9;&#169 &#;",
       {{"a", htkText}, {"&#169;", htkAmpersand}, {"b", htkText}, {"&#xA9;", htkAmpersand}, {"&#169 &#;", htkText}}, hrsText},
      {"unknown names and a bare & stay text", hrsText, "&foo; & x&lt",
       {{"&foo; & x&lt", htkText}}, hrsText},
      {"reference at the end of the line", hrsText, "x&gt;", {{"x", htkText}, {"&gt;", htkAmpersand}}, hrsText},
      {"names are byte-exact", hrsText, "&AMP;&Alpha;", {{"&AMP;", htkText}, {"&Alpha;", htkAmpersand}}, hrsText},
      {"attributes and values", hrsText, "<a href=x.html title='t' id=\"i\">",
       {LT, {"a", htkKey}, SP, {"href", htkIdentifier}, {"=", htkSymbol}, {"x.html", htkValue}, SP,
        {"title", htkIdentifier}, {"=", htkSymbol}, {"'t'", htkValue}, SP, {"id", htkIdentifier},
        {"=", htkSymbol}, {"\"i\"", htkValue}, GT}, hrsText},
      {"quoted value opens", hrsText, "<p class=\"a", {LT, {"p", htkKey}, SP, {"class", htkIdentifier},
        {"=", htkSymbol}, {"\"a", htkValue}}, hrsQuotValue},
      {"quoted value closes", hrsQuotValue, "b c\" d>", {{"b c\"", htkValue}, SP, {"d", htkIdentifier}, GT}, hrsText},
      {"the other quote does not close", hrsAposValue, "a\"b", {{"a\"b", htkValue}}, hrsAposValue},
      {"tag open at line end", hrsText, "<img", {LT, {"img", htkKey}}, hrsTag},
      {"tag continues", hrsTag, "src=x>", {{"src", htkIdentifier}, {"=", htkSymbol}, {"x", htkValue}, GT}, hrsText},
      {"value expected on the next line", hrsAfterEqual, "'v'>", {{"'v'", htkValue}, GT}, hrsText},
      {"quote outside a value", hrsTag, "\"x", {{"\"x", htkIdentifier}}, hrsTag},
      {"& after <", hrsText, "<&", {LT, {"&", htkText}}, hrsText},
      {"comment opens", hrsText, "x<!-- note", {{"x", htkText}, {"<!--", htkComment}, {" note", htkComment}}, hrsComment},
      {"comment closes", hrsComment, "end -->x", {{"end -->", htkComment}, {"x", htkText}}, hrsText},
      {"empty line keeps the comment", hrsComment, "", {}, hrsComment},
      {"tab in text", hrsText, "\tA", {{"\t", htkSpace}, {"A", htkText}}, hrsText},
      {"stored reference state starts as text", hrsAmpersand, "ab", {{"ab", htkText}}, hrsText},
      {"stored reference state at a reference", hrsAmpersand, "&lt;", {{"&lt;", htkAmpersand}}, hrsText},
      {"unknown range starts as text", 5, "a", {{"a", htkText}}, hrsText},
  });
}

TEST(HighlighterHTMLTest, KeywordsIgnoreCase) {
  THTMLHighlighter h;
  for (const char* word : {"table", "TABLE", "/TaBlE", "blockquote", "!doctype", "var", "VAR"}) EXPECT_TRUE(h.IsKeyword(word)) << word;
  for (const char* word : {"foo", "section", "/br", ""}) EXPECT_FALSE(h.IsKeyword(word)) << word;
  EXPECT_EQ(h.DefaultAttribute(haString), nullptr);
  EXPECT_EQ(h.DefaultAttribute(haKeyword), &h.KeyAttri());
}

}  // namespace
}  // namespace vantrel
