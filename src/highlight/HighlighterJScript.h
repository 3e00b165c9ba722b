// The JavaScript highlighter: reserved and non-reserved keywords and event
// names compared byte-exactly, `/* */` comments carried over lines, `//`
// comments, quoted strings, decimal and `0x` numbers.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TJScriptTokenKind : int {
  jstkComment,
  jstkEvent,
  jstkIdentifier,
  jstkKey,
  jstkNonReservedKey,
  jstkNull,  // end of line
  jstkNumber,
  jstkSpace,
  jstkString,
  jstkSymbol,
};

enum TJScriptRange : int { jsrNormal = 0, jsrComment = 1 };

class TJScriptHighlighter : public TKitHighlighter {
 public:
  TJScriptHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(jstkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(jstkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(jstkKey); }
  THighlighterAttributes& NonReservedKeyAttri() const { return *AttributeOfKind(jstkNonReservedKey); }
  THighlighterAttributes& EventAttri() const { return *AttributeOfKind(jstkEvent); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(jstkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(jstkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(jstkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(jstkSymbol); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TJScriptHighlighter"; }
  void NextToken() override;

 private:
  void CommentBody();
};

}  // namespace vantrel
