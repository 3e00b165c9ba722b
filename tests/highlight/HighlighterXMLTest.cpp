// XML highlighter: every construct that carries over a line end, entity
// references in text and values, namespace attributes and the range values.
#include "highlight/HighlighterXML.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", xtkSpace};

TEST(HighlighterXMLTest, Tokens) {
  TXMLHighlighter h;
  CheckRows(h, {
      {"namespace and plain attributes", xrsText, "<a xmlns:b=\"u\" c='v'>",
       {{"<", xtkSymbol}, {"a", xtkElement}, SP, {"xmlns:b", xtknsAttribute}, {"=\"", xtknsEqual},
        {"u", xtknsQuotAttrValue}, {"\"", xtkSymbol}, SP, {"c", xtkAttribute}, {"='", xtkEqual},
        {"v", xtkAposAttrValue}, {"'", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"closing and empty elements", xrsText, "</a><b/>",
       {{"</", xtkSymbol}, {"a", xtkElement}, {">", xtkSymbol}, {"<", xtkSymbol}, {"b", xtkElement},
        {"/", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"entity in text", xrsText, "a &lt; b&amp;",
       {{"a ", xtkText}, {"&lt;", xtkEntityRef}, {" b", xtkText}, {"&amp;", xtkEntityRef}}, xrsText},
      {"entity in a value stops at its quote", xrsText, "<a h=\"x&y\">",
       {{"<", xtkSymbol}, {"a", xtkElement}, SP, {"h", xtkAttribute}, {"=\"", xtkEqual}, {"x", xtkQuotAttrValue},
        {"&y", xtkQuotEntityRef}, {"\"", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"empty value", xrsText, "<a h=''>", {{"<", xtkSymbol}, {"a", xtkElement}, SP, {"h", xtkAttribute},
        {"='", xtkEqual}, {"'", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"value open at line end", xrsText, "<a h=\"x y", {{"<", xtkSymbol}, {"a", xtkElement}, SP,
        {"h", xtkAttribute}, {"=\"", xtkEqual}, {"x y", xtkQuotAttrValue}}, xrsQuotAttrValue},
      {"value continues with markup characters", xrsQuotAttrValue, "<b> z\">",
       {{"<b> z", xtkQuotAttrValue}, {"\"", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"namespace value continues", xrsnsAposAttrValue, "u&e;'",
       {{"u", xtknsAposAttrValue}, {"&e;", xtknsAposEntityRef}, {"'", xtkSymbol}}, xrsAttribute},
      {"tag open at line end", xrsText, "<a", {{"<", xtkSymbol}, {"a", xtkElement}}, xrsAttribute},
      {"unquoted value stops before >", xrsText, "<a b=c>", {{"<", xtkSymbol}, {"a", xtkElement}, SP,
        {"b", xtkAttribute}, {"=c", xtkEqual}, {">", xtkSymbol}}, xrsText},
      {"comment opens", xrsText, "x<!-- note", {{"x", xtkText}, {"<!--", xtkSymbol}, {" note", xtkComment}}, xrsComment},
      {"comment closes", xrsComment, "end -->y", {{"end ", xtkComment}, {"-->", xtkSymbol}, {"y", xtkText}}, xrsText},
      {"CDATA is one token", xrsText, "<![CDATA[ x<y ]]>z", {{"<![CDATA[ x<y ]]>", xtkCDATA}, {"z", xtkText}}, xrsText},
      {"CDATA over lines", xrsText, "<![CDATA[ a", {{"<![CDATA[ a", xtkCDATA}}, xrsCDATA},
      {"CDATA closes", xrsCDATA, "b]]><c>", {{"b]]>", xtkCDATA}, {"<", xtkSymbol}, {"c", xtkElement}, {">", xtkSymbol}}, xrsText},
      {"processing instruction", xrsText, "<?xml v='1'?>", {{"<?xml v='1'?>", xtkProcessingInstruction}}, xrsText},
      {"processing instruction over lines", xrsText, "<?pi a", {{"<?pi a", xtkProcessingInstruction}}, xrsProcessingInstruction},
      {"processing instruction closes", xrsProcessingInstruction, "b ?>", {{"b ?>", xtkProcessingInstruction}}, xrsText},
      {"doctype, then text", xrsText, "<!DOCTYPE r>t", {{"<!DOCTYPE r>", xtkDocType}, {"t", xtkText}}, xrsText},
      {"doctype subset opens", xrsText, "<!DOCTYPE r [", {{"<!DOCTYPE r [", xtkDocType}}, xrsDocTypeSquareBraces},
      {"> inside the subset does not close", xrsDocTypeSquareBraces, "<!ENTITY e 'x'>",
       {{"<!ENTITY e 'x'>", xtkDocType}}, xrsDocTypeSquareBraces},
      {"subset and doctype close", xrsDocTypeSquareBraces, "]><r/>",
       {{"]>", xtkDocType}, {"<", xtkSymbol}, {"r", xtkElement}, {"/", xtkSymbol}, {">", xtkSymbol}}, xrsText},
      {"other <! declaration", xrsText, "<!ELEMENT", {{"<!", xtkSymbol}, {"ELEMENT", xtkElement}}, xrsAttribute},
      {"UTF-8 names are one token", xrsText, "<\xc3\xa9l>", {{"<", xtkSymbol}, {"\xc3\xa9l", xtkElement}, {">", xtkSymbol}}, xrsText},
      {"tab in text is blank", xrsText, "\ta", {{"\t", xtkSpace}, {"a", xtkText}}, xrsText},
      {"line break inside a comment", xrsComment, "a\r\nb", {{"a", xtkComment}, {"\r\n", xtkSpace}, {"b", xtkComment}}, xrsComment},
      {"entity state at line start", xrsEntityRef, "&x y", {{"&x", xtkEntityRef}, {" y", xtkText}}, xrsText},
      {"unknown range starts as text", 99, "a", {{"a", xtkText}}, xrsText},
      {"not-scanned range starts as text", kNoLineRange, "<", {{"<", xtkSymbol}}, xrsElement},
  });
}

// Kinds that tell apart where a token stands are drawn with one attribute.
TEST(HighlighterXMLTest, KindsShareAttributes) {
  TXMLHighlighter h;
  struct Row { TLineRange start; const char* line; THighlighterAttributes* attribute; };
  for (const Row& row : std::initializer_list<Row>{
           {xrsQuotAttrValue, "v", &h.AttributeValueAttri()},
           {xrsnsQuotAttrValue, "u", &h.NamespaceAttributeValueAttri()},
           {xrsQuotEntityRef, "&e;", &h.EntityRefAttri()},
           {xrsnsAposEntityRef, "&e;", &h.EntityRefAttri()},
           {xrsnsEqual, "='", &h.SymbolAttri()}}) {
    SCOPED_TRACE(row.line);
    h.SetRangeState(row.start);
    h.StartLine(row.line, 0);
    EXPECT_EQ(h.TokenAttribute(), row.attribute);
  }
  EXPECT_EQ(h.DefaultAttribute(haKeyword), &h.ElementAttri());
  EXPECT_EQ(h.DefaultAttribute(haIdentifier), &h.AttributeAttri());
  EXPECT_EQ(h.DefaultAttribute(haString), nullptr);
}

}  // namespace
}  // namespace vantrel
