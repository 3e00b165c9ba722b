// The C# highlighter: keywords compared byte-exactly, `/* */` comments
// carried over lines, `#` directives with their comments and backslash
// continuations, strings in either quote (continued by a final backslash),
// numbers of one kind and the C operators.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TCSTokenKind : int {
  cshtkAsm,
  cshtkComment,
  cshtkDirec,
  cshtkIdentifier,
  cshtkInvalid,
  cshtkKey,
  cshtkNull,  // end of line
  cshtkNumber,
  cshtkSpace,
  cshtkString,
  cshtkSymbol,
};

enum TCSRange : int {
  csrNormal = 0,
  csrComment = 1,
  csrDirectiveContinued = 6,
  csrDirectiveComment = 7,
  csrStringContinued = 10,
};

class TCSHighlighter : public TKitHighlighter {
 public:
  TCSHighlighter();

  THighlighterAttributes& AsmAttri() const { return *AttributeOfKind(cshtkAsm); }
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(cshtkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(cshtkIdentifier); }
  THighlighterAttributes& InvalidAttri() const { return *AttributeOfKind(cshtkInvalid); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(cshtkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(cshtkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(cshtkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(cshtkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(cshtkSymbol); }
  THighlighterAttributes& DirecAttri() const { return *AttributeOfKind(cshtkDirec); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TCSHighlighter"; }
  void NextToken() override;

 private:
  void CommentBody();
  void DirectiveBody();
  void StringBody(char quote);
  void SymbolProc(char c);
};

}  // namespace vantrel
