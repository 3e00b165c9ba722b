// The C/C++ highlighter: keywords, numbers in every notation, strings and
// character literals, comments, preprocessor directives carried over lines,
// and asm blocks.
// Tested by tests/highlight/HighlighterCppTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

// Token kinds (TokenKind values).
enum TCppTokenKind : int {
  ctkAsm = 0,
  ctkComment = 1,
  ctkDirective = 2,
  ctkIdentifier = 3,
  ctkKey = 4,
  ctkNull = 5,  // end of line
  ctkNumber = 6,
  ctkSpace = 7,
  ctkString = 8,
  ctkSymbol = 9,
  ctkUnknown = 10,  // invalid
  ctkChar = 11,
  ctkFloat = 12,
  ctkHex = 13,
  ctkOctal = 14,
};

// Range states carried from line to line (RangeState values).
enum TCppRangeState : int {
  crsNormal = 0,
  crsBlockComment = 1,
  crsAsm = 2,               // right after an asm keyword on this line
  crsAsmNextLine = 3,       // an asm keyword ended the line before; `{` may follow
  crsAsmLine = 4,           // a one-line asm statement
  crsAsmBlock = 5,          // inside the braces of an asm block
  crsAsmBlockComment = 6,   // a block comment inside an asm block
  crsDirectiveComment = 7,  // a block comment that began inside a directive
  crsDirectiveCommentStart = 8,  // a directive ended before `/*` (never at a line end)
  crsStringContinued = 10,
  crsDirectiveContinued = 11,
};

class TCppHighlighter : public TKitHighlighter {
 public:
  TCppHighlighter();
  ~TCppHighlighter() override;

  // Attributes by their property names.
  THighlighterAttributes& AsmAttri() const { return *AttributeOfKind(ctkAsm); }
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(ctkComment); }
  THighlighterAttributes& DirecAttri() const { return *AttributeOfKind(ctkDirective); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(ctkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(ctkKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(ctkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(ctkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(ctkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(ctkSymbol); }
  THighlighterAttributes& InvalidAttri() const { return *AttributeOfKind(ctkUnknown); }
  THighlighterAttributes& CharAttri() const { return *AttributeOfKind(ctkChar); }
  THighlighterAttributes& FloatAttri() const { return *AttributeOfKind(ctkFloat); }
  THighlighterAttributes& HexAttri() const { return *AttributeOfKind(ctkHex); }
  THighlighterAttributes& OctalAttri() const { return *AttributeOfKind(ctkOctal); }

  THighlighterCharSet IdentifierChars() const override;
  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TCppHighlighter"; }

  void StartLine(std::string_view text, int lineIndex) override;
  void NextToken() override;
  TLineRange ScanLineRange(std::string_view text, int lineIndex) override;

 private:
  void ScanNormal();
  void NullProc();
  void IdentProc();
  void NumberProc(bool enteredByPoint);
  void PointProc();
  void StringProc();
  void CharProc();
  void SlashProc();
  void DirectiveStartProc();
  void DirectiveContinueProc();
  void DirectiveBody();
  void OpenBlockComment(int state);
  void CommentProc();
  void CloseComment();
  void StringContinueProc();
  void AsmPendingProc();
  void AsmProc();
  void UnknownProc();
  void SymbolProc();
  // Scans an identifier at run_: its kind, and whether it is an asm keyword.
  int ScanIdentifier(bool& isAsmKeyword);

  int firstNonBlank_ = -1;  // of the current line; -1 until a `#` needs it
};

}  // namespace vantrel
