// The Ruby highlighter.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterRuby.h"

namespace vantrel {

namespace {

const TSortedWordList& Keywords() {
  static const TSortedWordList list({
      "ALIAS", "ATTR", "BEGIN", "BREAK", "CASE", "CLASS", "DEF", "DO", "ELSE", "ELSIF", "END",
      "ENSURE", "EXIT", "EXTEND", "FALSE", "FOR", "GETS", "IF", "IN", "INCLUDE", "LOAD", "LOOP",
      "MODULE", "NEXT", "NIL", "NOT", "PRINT", "PRIVATE", "PUBLIC", "PUTS", "RAISE", "REDO",
      "REQUIRE", "RESCUE", "RETRY", "RETURN", "SELF", "THEN", "TRUE", "UNLESS", "WHEN", "WHILE",
      "YIELD"},
                                    stkKey);
  return list;
}

}  // namespace

TRubyHighlighter::TRubyHighlighter()
    : TWordListScriptHighlighter(
          {.LanguageName = "Ruby",
           .DefaultFilter = "Ruby Files (*.rb;*.rbw)|*.rb;*.rbw",
           .EndKind = stkNull,
           .SpaceKind = stkSpace,
           .Defaults = {stkComment, stkIdentifier, stkKey, stkString, stkSpace, stkSymbol},
           .Ranges = {0},
           .InitialRange = 0},
          {
              {stkComment, "CommentAttri", "Comment", 0, clMaroon},
              {stkIdentifier, "IdentifierAttri", "Identifier"},
              {stkKey, "KeyAttri", "Reserved Word", 0, clBlue},
              {stkSecondKey, "SecondKeyAttri", "Second Reserved Word"},
              {stkNumber, "NumberAttri", "Number", 0, clGreen},
              {stkSpace, "SpaceAttri", "Space"},
              {stkString, "StringAttri", "String", 0, clPurple},
              {stkSymbol, "SymbolAttri", "Symbol", 0, clBlue},
          },
          Keywords()) {}

}  // namespace vantrel
