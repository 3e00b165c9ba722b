// The Java highlighter: keywords compared byte-exactly, `/* */` comments and
// `/** */` documentation comments carried over lines, `//` comments, escaped
// strings and numbers.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TJavaTokenKind : int {
  jtkComment,
  jtkDocument,
  jtkIdentifier,
  jtkInvalid,
  jtkKey,
  jtkNull,  // end of line
  jtkNumber,
  jtkSpace,
  jtkString,
  jtkSymbol,
};

enum TJavaRange : int { jrComment = 1, jrDocument = 2, jrNormal = 3 };

class TJavaHighlighter : public TKitHighlighter {
 public:
  TJavaHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(jtkComment); }
  THighlighterAttributes& DocumentAttri() const { return *AttributeOfKind(jtkDocument); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(jtkIdentifier); }
  THighlighterAttributes& InvalidAttri() const { return *AttributeOfKind(jtkInvalid); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(jtkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(jtkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(jtkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(jtkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(jtkSymbol); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TJavaHighlighter"; }
  void NextToken() override;

 private:
  void CommentBody();
  void SlashProc();
};

}  // namespace vantrel
