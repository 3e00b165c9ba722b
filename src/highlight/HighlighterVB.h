// The Visual Basic highlighter: keywords with letter case ignored, `'` and
// `rem` comments, `#date#` literals, strings and numbers; nothing carries
// over lines.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TVBTokenKind : int {
  vbtkComment,
  vbtkIdentifier,
  vbtkKey,
  vbtkNull,  // end of line
  vbtkNumber,
  vbtkSpace,
  vbtkString,
  vbtkSymbol,
};

class TVBHighlighter : public TKitHighlighter {
 public:
  TVBHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(vbtkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(vbtkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(vbtkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(vbtkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(vbtkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(vbtkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(vbtkSymbol); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TVBHighlighter"; }
  void NextToken() override;

 private:
  void WordProc();
};

}  // namespace vantrel
