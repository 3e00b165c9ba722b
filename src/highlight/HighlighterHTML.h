// The HTML highlighter: known and unknown tag names, attribute names and
// values (quoted values carried over lines), comments, and named and numeric
// character references in text.
// Tested by tests/highlight/HighlighterHTMLTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum THTMLTokenKind : int {
  htkAmpersand,  // a character reference
  htkComment,
  htkIdentifier,
  htkKey,
  htkNull,  // end of line
  htkSpace,
  htkSymbol,
  htkText,
  htkUndefKey,
  htkValue,
};

enum THTMLRangeState : int {
  hrsAmpersand = 0,  // a character reference comes next
  hrsComment = 1,
  hrsAfterLess = 2,  // a tag name is expected
  hrsTag = 3,
  hrsText = 4,
  hrsAfterEqual = 6,  // a value is expected
  hrsAposValue = 7,
  hrsQuotValue = 8,
};

class THTMLHighlighter : public TKitHighlighter {
 public:
  THTMLHighlighter();

  THighlighterAttributes& AndAttri() const { return *AttributeOfKind(htkAmpersand); }
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(htkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(htkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(htkKey); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(htkSpace); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(htkSymbol); }
  THighlighterAttributes& TextAttri() const { return *AttributeOfKind(htkText); }
  THighlighterAttributes& UndefKeyAttri() const { return *AttributeOfKind(htkUndefKey); }
  THighlighterAttributes& ValueAttri() const { return *AttributeOfKind(htkValue); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "THTMLHighlighter"; }
  void NextToken() override;

 private:
  void TextProc();
  void QuotedValueProc(char quote);
  void AmpersandProc();
  void TagNameProc();
  void UnquotedValueProc();
  void AttributeNameProc();
};

}  // namespace vantrel
