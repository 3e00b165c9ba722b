// The AWK highlighter: keywords, built-in functions and system variables
// from one sorted list (spelling byte-exact), `next file`, `$n` fields,
// `#` comments, strings and numbers; nothing carries over lines.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TAWKTokenKind : int {
  awtkComment,
  awtkIdentifier,
  awtkInterFunc,
  awtkKey,
  awtkNull,  // end of line
  awtkNumber,
  awtkSpace,
  awtkString,
  awtkSymbol,
  awtkSysVar,
};

class TAWKHighlighter : public TKitHighlighter {
 public:
  TAWKHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(awtkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(awtkIdentifier); }
  THighlighterAttributes& InterFuncAttri() const { return *AttributeOfKind(awtkInterFunc); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(awtkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(awtkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(awtkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(awtkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(awtkSymbol); }
  THighlighterAttributes& SysVarAttri() const { return *AttributeOfKind(awtkSysVar); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TAWKHighlighter"; }
  void NextToken() override;

 private:
  void WordProc();
  void StringProc();
};

}  // namespace vantrel
