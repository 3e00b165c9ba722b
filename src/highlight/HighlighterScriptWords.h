// The scanner the shell and Ruby highlighters share: `#` comments, quoted
// strings, numbers, and words looked up (upper-cased) in a sorted keyword
// list and then in the settable SecondKeyWords list.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include <string>
#include <vector>

#include "highlight/HighlighterKit.h"

namespace vantrel {

// Token kinds of both languages; Ruby has no variables.
enum TScriptTokenKind : int {
  stkComment,
  stkIdentifier,
  stkKey,
  stkNull,  // end of line
  stkNumber,
  stkSecondKey,
  stkSpace,
  stkString,
  stkSymbol,
  stkVariable,
};

class TWordListScriptHighlighter : public TKitHighlighter {
 public:
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(stkComment); }
  THighlighterAttributes& IdentifierAttri() const { return *AttributeOfKind(stkIdentifier); }
  THighlighterAttributes& KeyAttri() const { return *AttributeOfKind(stkKey); }
  THighlighterAttributes& SecondKeyAttri() const { return *AttributeOfKind(stkSecondKey); }
  THighlighterAttributes& NumberAttri() const { return *AttributeOfKind(stkNumber); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(stkSpace); }
  THighlighterAttributes& StringAttri() const { return *AttributeOfKind(stkString); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(stkSymbol); }

  // Matches the keyword list first, then SecondKeyWords; the word is
  // upper-cased before the byte-wise search.
  bool IsKeyword(std::string_view word) const override;
  // Published: a sorted list; adding a word already there does nothing.
  std::vector<std::string> SecondKeyWords() const;
  void SetSecondKeyWords(const std::vector<std::string>& words);

  void NextToken() override;

 protected:
  TWordListScriptHighlighter(const TLanguageInfo& info, std::initializer_list<TAttributeSpec> attributes,
                             const TSortedWordList& keywords);
  // A language rule for the character at run_; true when it scanned a token.
  virtual bool ScanLanguageToken() { return false; }

 private:
  int WordKind(std::string_view word) const;
  void WordProc();
  void StringProc(char quote);

  const TSortedWordList& keywords_;
  TSortedWordList secondKeyWords_;
};

}  // namespace vantrel
