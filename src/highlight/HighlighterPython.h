// The Python highlighter: keywords and non-reserved keywords (letter case
// significant), system names (`__init__`), strings with their prefixes,
// documentation strings and backslash-continued strings carried over lines,
// and numbers of four kinds.
// Tested by tests/highlight/HighlighterPythonTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

enum TPythonTokenKind : int {
  ptkComment,
  ptkIdentifier,
  ptkKey,
  ptkNonKey,
  ptkSystem,
  ptkNumber,
  ptkHex,
  ptkOctal,
  ptkFloat,
  ptkSpace,
  ptkString,
  ptkDocString,
  ptkSymbol,
  ptkError,
  ptkNull,  // end of line
};

// Range states. A continued single-quoted string keeps its quote in the
// state, so a line's tokens depend only on its start state and its text.
enum TPythonRangeState : int {
  prsNormal = 2,
  prsTripleSingle = 3,     // inside '''
  prsTripleDouble = 4,     // inside """
  prsSingleContinued = 5,  // a '-string whose line ended in a backslash
  prsDoubleContinued = 6,  // the same for a "-string
};

class TPythonHighlighter : public TKitHighlighter {
 public:
  TPythonHighlighter();

  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(ptkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(ptkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(ptkKey); }
  THighlighterAttributes& NonKeyAttri() const { return *AttributeOfKind(ptkNonKey); }
  THighlighterAttributes& SystemAttri() const { return *AttributeOfKind(ptkSystem); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(ptkNumber); }
  THighlighterAttributes& HexAttri() const { return *AttributeOfKind(ptkHex); }
  THighlighterAttributes& OctalAttri() const { return *AttributeOfKind(ptkOctal); }
  THighlighterAttributes& FloatAttri() const { return *AttributeOfKind(ptkFloat); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(ptkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(ptkString); }
  THighlighterAttributes& DocStringAttri() const { return *AttributeOfKind(ptkDocString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(ptkSymbol); }
  THighlighterAttributes& ErrorAttri() const { return *AttributeOfKind(ptkError); }

  bool IsKeyword(std::string_view word) const override;
  std::string ClassName() const override { return "TPythonHighlighter"; }
  void NextToken() override;

 private:
  void ScanNormal();
  void WordProc();
  void QuoteProc();
  void TripleContinueProc(char quote);
  void StringContinueProc(char quote);
  void NumberProc();
  // Past the closing triple quote or to the line end; true when it closed.
  bool SkipTripleBody(char quote);
};

}  // namespace vantrel
