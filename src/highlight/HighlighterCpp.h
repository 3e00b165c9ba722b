// The C/C++ highlighter: keywords, numbers in every notation, strings and
// character literals, comments, preprocessor directives carried over lines,
// and asm blocks.
// Tested by tests/highlight/HighlighterCppTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include <array>

#include "highlight/CodeEditHighlighter.h"

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

class TCppHighlighter : public TCustomHighlighter {
 public:
  TCppHighlighter();
  ~TCppHighlighter() override;

  // Attributes by their property names.
  THighlighterAttributes& AsmAttri() const { return *attr_[ctkAsm]; }
  THighlighterAttributes& CommentAttri() const { return *attr_[ctkComment]; }
  THighlighterAttributes& DirecAttri() const { return *attr_[ctkDirective]; }
  THighlighterAttributes& IdentifierAttri() const { return *attr_[ctkIdentifier]; }
  THighlighterAttributes& KeyAttri() const { return *attr_[ctkKey]; }
  THighlighterAttributes& NumberAttri() const { return *attr_[ctkNumber]; }
  THighlighterAttributes& SpaceAttri() const { return *attr_[ctkSpace]; }
  THighlighterAttributes& StringAttri() const { return *attr_[ctkString]; }
  THighlighterAttributes& SymbolAttri() const { return *attr_[ctkSymbol]; }
  THighlighterAttributes& InvalidAttri() const { return *attr_[ctkUnknown]; }
  THighlighterAttributes& CharAttri() const { return *attr_[ctkChar]; }
  THighlighterAttributes& FloatAttri() const { return *attr_[ctkFloat]; }
  THighlighterAttributes& HexAttri() const { return *attr_[ctkHex]; }
  THighlighterAttributes& OctalAttri() const { return *attr_[ctkOctal]; }

  THighlighterAttributes* DefaultAttribute(int index) const override;
  bool IsDefaultFilterStored() const override;
  THighlighterCharSet IdentifierChars() const override;
  std::string LanguageName() const override;
  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TCppHighlighter"; }

  void StartLine(std::string_view text, int lineIndex) override;
  void NextToken() override;
  bool AtLineEnd() const override { return tokenKind_ == ctkNull; }
  int TokenKind() const override { return tokenKind_; }
  THighlighterAttributes* TokenAttribute() const override { return attr_[size_t(tokenKind_)]; }

  TLineRange RangeState() const override { return range_; }
  // Values that are not a state a line can end in start the line as normal.
  void SetRangeState(TLineRange value) override;
  void ResetRangeState() override { range_ = crsNormal; }

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
  // At the start of a token that continues a construct: the end of line or an
  // embedded line break; true when that token was scanned.
  bool LineEndAtContinuation();
  void AsmPendingProc();
  void AsmProc();
  void UnknownProc();
  void SymbolProc();
  // Scans an identifier at run_: its kind, and whether it is an asm keyword.
  int ScanIdentifier(bool& isAsmKeyword);

  // Indexed by token kind; the end of line has none.
  std::array<THighlighterAttributes*, 15> attr_{};
  int tokenKind_ = ctkNull;
  int range_ = crsNormal;
  int firstNonBlank_ = -1;  // of the current line; -1 until a `#` needs it
};

}  // namespace vantrel
