// The x86 assembler highlighter: mnemonics in keyword chains (letter case
// ignored), `;`, `#` and `//` comments, strings, numbers with hex digits and
// an `h` suffix. Nothing carries over lines.
// Tested by tests/highlight/HighlighterAsmTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TAsmTokenKind : int {
  atkComment,
  atkIdentifier,
  atkKey,
  atkNull,  // end of line
  atkNumber,
  atkSpace,
  atkString,
  atkSymbol,
};

class TAsmHighlighter : public TKitHighlighter {
 public:
  TAsmHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(atkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(atkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(atkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(atkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(atkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(atkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(atkSymbol); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TAsmHighlighter"; }
  void NextToken() override;

 private:
  void IdentProc();
};

}  // namespace vantrel
