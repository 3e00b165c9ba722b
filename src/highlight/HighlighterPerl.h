// The Perl highlighter: words with their sigils looked up byte-exactly in a
// compare table (keywords, special variables, word operators, pragmas),
// punctuation variables, strings, numbers; nothing carries over lines.
// Tested by tests/highlight/HighlighterPerlTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TPerlTokenKind : int {
  plkComment,
  plkIdentifier,
  plkInvalid,
  plkKey,
  plkNull,  // end of line
  plkNumber,
  plkOperator,
  plkPragma,
  plkSpace,
  plkString,
  plkSymbol,
  plkVariable,
};

class TPerlHighlighter : public TKitHighlighter {
 public:
  TPerlHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(plkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(plkIdentifier); }
  THighlighterAttributes& InvalidAttri() const { return *AttributeOfKind(plkInvalid); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(plkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(plkNumber); }
  THighlighterAttributes& OperatorAttri() const { return *AttributeOfKind(plkOperator); }
  THighlighterAttributes& PragmaAttri() const { return *AttributeOfKind(plkPragma); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(plkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(plkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(plkSymbol); }
  THighlighterAttributes& VariableAttri() const { return *AttributeOfKind(plkVariable); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TPerlHighlighter"; }
  void NextToken() override;

 private:
  void DollarProc();
  void PercentProc();
  void PointProc();
  // The word at run_; a sigil alone gets loneKind.
  void WordProc(int loneKind);
};

}  // namespace vantrel
