// The PHP highlighter: keywords (letter case ignored), variables, numbers,
// comments, and strings that continue over lines; a `"` string colours the
// variables embedded in it as variables.
// Tested by tests/highlight/HighlighterPHPTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TPHPTokenKind : int {
  phtkComment,
  phtkIdentifier,
  phtkKey,
  phtkNumber,
  phtkSpace,
  phtkString,
  phtkSymbol,
  phtkVariable,
  phtkNull,  // end of line
};

enum TPHPRangeState : int {
  phrsNormal = 0,
  phrsAposString = 1,
  phrsQuotString = 2,
  phrsComment = 3,
  phrsEmbeddedVariable = 4,  // a variable inside a `"` string comes next
};

class TPHPHighlighter : public TKitHighlighter {
 public:
  TPHPHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(phtkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(phtkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(phtkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(phtkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(phtkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(phtkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(phtkSymbol); }
  THighlighterAttributes& VariableAttri() const { return *AttributeOfKind(phtkVariable); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TPHPHighlighter"; }
  void NextToken() override;

 private:
  void ScanNormal();
  void StringProc(char quote);
  void EmbeddedVariableProc();
  void SkipBraced();
  void SkipIdentifier();
};

}  // namespace vantrel
