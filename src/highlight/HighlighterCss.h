// The CSS highlighter: selectors, properties from the property list (letter
// case ignored), values, colours, numbers, strings and comments; a comment
// carries the state it interrupted in the range.
// Tested by tests/highlight/HighlighterCssTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterHashEntries.h"
#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TCssTokenKind : int {
  cstkComment,
  cstkProperty,
  cstkSelector,  // drawn with KeyAttri
  cstkNull,      // end of line
  cstkSpace,
  cstkString,
  cstkSymbol,
  cstkText,
  cstkUndefProperty,
  cstkValue,
  cstkColor,
  cstkNumber,
};

enum TCssRangeState : int {
  csrsComment = 0,    // a comment that interrupted a selector
  csrsProperty = 2,   // inside braces, a property expected
  csrsSelector = 3,   // outside braces (initial)
  csrsAfterSemicolon = 4,
  csrsValue = 5,      // after `:` or `,`
  // A comment that interrupted one of the states above returns to it:
  // its range is kCommentBase + that state.
  csrsCommentInProperty = 12,
  csrsCommentAfterSemicolon = 14,
  csrsCommentInValue = 15,
};

class TCssHighlighter : public TKitHighlighter {
 public:
  TCssHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(cstkComment); }
  THighlighterAttributes& PropertyAttri() const { return *AttributeOfKind(cstkProperty); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(cstkSelector); }
  THighlighterAttributes& UndefPropertyAttri() const { return *AttributeOfKind(cstkUndefProperty); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(cstkSpace); }
  THighlighterAttributes& ColorAttri() const { return *AttributeOfKind(cstkColor); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(cstkNumber); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(cstkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(cstkSymbol); }
  THighlighterAttributes& TextAttri() const { return *AttributeOfKind(cstkText); }
  THighlighterAttributes& ValueAttri() const { return *AttributeOfKind(cstkValue); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TCssHighlighter"; }
  void NextToken() override;

 private:
  void CommentProc();
  void SelectorProc();
  void ValueProc();
  void PropertyProc();
  int PropertyKind(std::string_view word) const;

  THashEntryList properties_;
};

}  // namespace vantrel
