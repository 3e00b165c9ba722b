// The Object Pascal highlighter: keywords with letter case ignored, some only
// from a Delphi version on, in package sources or inside a property
// declaration or exports clause; `{ }`, `{$ }` and `(* *)` carried over lines,
// also inside asm blocks; strings, `#` characters, `$` hex numbers, floats.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TPasTokenKind : int {
  pastkAsm,
  pastkChar,
  pastkComment,
  pastkDirective,
  pastkFloat,
  pastkHex,
  pastkIdentifier,
  pastkKey,
  pastkNull,  // end of line
  pastkNumber,
  pastkSpace,
  pastkString,
  pastkSymbol,
};

enum TPasRange : int {
  pasrAnsiAsm = 2,       // `(*` inside an asm block
  pasrAnsi = 1,          // `(*`
  pasrAsm = 3,
  pasrBorAsm = 5,        // `{` inside an asm block
  pasrBor = 4,           // `{`
  pasrProperty = 6,
  pasrExports = 7,
  pasrDirective = 8,     // `{$`
  pasrDirectiveAsm = 9,  // `{$` inside an asm block
  pasrNormal = 10,
};

enum TDelphiVersion : int {
  dvDelphi1,
  dvDelphi2,
  dvDelphi3,
  dvDelphi4,
  dvDelphi5,
  dvDelphi6,
  dvDelphi7,
  dvDelphi8,
  dvDelphi2005,
};

class TPasHighlighter : public TKitHighlighter {
 public:
  TPasHighlighter();

  THighlighterAttributes& AsmAttri() const { return *AttributeOfKind(pastkAsm); }
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(pastkComment); }
  THighlighterAttributes& DirectiveAttri() const { return *AttributeOfKind(pastkDirective); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(pastkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(pastkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(pastkNumber); }
  THighlighterAttributes& FloatAttri() const { return *AttributeOfKind(pastkFloat); }
  THighlighterAttributes& HexAttri() const { return *AttributeOfKind(pastkHex); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(pastkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(pastkString); }
  THighlighterAttributes& CharAttri() const { return *AttributeOfKind(pastkChar); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(pastkSymbol); }

  TDelphiVersion DelphiVersion() const { return delphiVersion_; }
  void SetDelphiVersion(TDelphiVersion value);
  bool PackageSource() const { return packageSource_; }
  void SetPackageSource(bool value);

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TPasHighlighter"; }
  void NextToken() override;

 private:
  bool InAsm() const;
  bool InComment() const;
  void CommentBody();
  void OpenComment(int range, int asmRange, int skip);
  void WordProc();
  void NumberProc();
  void StringProc();
  void SymbolProc(char c);
  // The word's keyword kind in the current context, or identifier.
  int KindOf(const char* word, int length) const;

  TDelphiVersion delphiVersion_ = dvDelphi2005;
  bool packageSource_ = true;
};

}  // namespace vantrel
