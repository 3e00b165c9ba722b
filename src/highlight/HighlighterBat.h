// The MS-DOS batch highlighter: keywords with letter case ignored, `rem` and
// `::` comments, `%` variables, numbers; nothing carries over lines.
// Tested by tests/highlight/HighlighterBatTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TBatTokenKind : int {
  btkComment,
  btkIdentifier,
  btkKey,
  btkNull,  // end of line
  btkNumber,
  btkSpace,
  btkVariable,
};

class TBatHighlighter : public TKitHighlighter {
 public:
  TBatHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(btkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(btkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(btkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(btkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(btkSpace); }
  THighlighterAttributes& VariableAttri() const { return *AttributeOfKind(btkVariable); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TBatHighlighter"; }
  void NextToken() override;

 private:
  void WordProc();
};

}  // namespace vantrel
