// The AWK highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterAWK.h"

#include <cstring>

#include "platform/Graphics.h"

namespace vantrel {

namespace {

const TSortedWordList& Words() {
  static const TSortedWordList list = [] {
    TSortedWordList words({"BEGIN", "END", "break", "continue", "do", "else", "exit", "for", "function",
                           "getline", "if", "print", "return", "while", "next"},
                          awtkKey);
    for (std::string_view word :
         {"atan2", "close", "cos", "delete", "exp", "gsub", "index", "int", "jindex", "jlength", "jsubstr",
          "length", "log", "match", "printf", "rand", "sin", "split", "sprintf", "sqrt", "srand", "strftime",
          "sub", "substr", "system", "systime", "tolower", "toupper"})
      words.Add(word, awtkInterFunc);
    for (std::string_view word :
         {"ARGC", "ARGIND", "ARGV", "CONVFMT", "ENVIRON", "ERRNO", "FIELDWIDTH", "FILENAME", "FNR", "FS",
          "IGNORECASE", "NF", "NR", "OFMT", "OFS", "ORS", "RLENGTH", "RS", "RSTART", "SUBSEP"})
      words.Add(word, awtkSysVar);
    return words;
  }();
  return list;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

TAWKHighlighter::TAWKHighlighter()
    : TKitHighlighter({.LanguageName = "AWK",
                       .DefaultFilter = "AWK Scripts (*.awk)|*.awk",
                       .EndKind = awtkNull,
                       .SpaceKind = awtkSpace,
                       .Defaults = {.Comment = awtkComment,
                                    .Identifier = awtkIdentifier,
                                    .Keyword = awtkKey,
                                    .String = awtkString,
                                    .Whitespace = awtkSpace,
                                    .Symbol = awtkSymbol}},
                      {
                          {awtkComment, "CommentAttri", "Comment", 0, clBlue},
                          {awtkIdentifier, "IdentifierAttri", "Identifier"},
                          {awtkInterFunc, "InterFuncAttri", "Internal Function", fsBold, TColor(0x408080)},
                          {awtkKey, "KeyAttri", "Reserved Word", fsBold, TColor(0xFF0080)},
                          {awtkNumber, "NumberAttri", "Number"},
                          {awtkSpace, "SpaceAttri", "Space"},
                          {awtkString, "StringAttri", "String", 0, clTeal},
                          {awtkSymbol, "SymbolAttri", "Symbol", fsBold},
                          {awtkSysVar, "SysVarAttri", "System Value", fsBold, TColor(0x0080FF)},
                      }) {
  Words();  // build the shared list now, not in the middle of a scan
}

bool TAWKHighlighter::IsKeyword(std::string_view word) const {
  return word == "next file" || Words().Find(word, awtkIdentifier) != awtkIdentifier;
}

void TAWKHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (IsLetter(c)) {
    WordProc();
  } else if (IsDigit(c)) {
    tokenKind_ = awtkNumber;
    while (IsDigit(line_[run_])) ++run_;
  } else if (c == '#') {
    tokenKind_ = awtkComment;
    SkipToLineEnd();
  } else if (c == '"' || c == '\'') {
    StringProc();
  } else if (c == '$') {
    // `$1` is a field; `$NF`, `$i` and `$10` leave the `$` on its own.
    const bool field = IsDigit(line_[run_ + 1]) && !IsLetter(line_[run_ + 2]) && !IsDigit(line_[run_ + 2]);
    tokenKind_ = field ? awtkSymbol : awtkIdentifier;
    run_ += field ? 2 : 1;
  } else {
    ScanCharacter(awtkSymbol);
  }
}

void TAWKHighlighter::WordProc() {
  while (IsLetter(line_[run_])) ++run_;
  const std::string_view word(line_ + tokenPos_, size_t(run_ - tokenPos_));
  tokenKind_ = Words().Find(word, awtkIdentifier);
  if (word != "next") return;
  int after = run_;
  while (line_[after] == ' ' || line_[after] == '\t') ++after;
  if (after == run_ || std::strncmp(line_ + after, "file", 4) != 0) return;
  const char end = line_[after + 4];
  if (uint8_t(end) < uint8_t('!') || end == ';') run_ = after + 4;
}

// Only `"` closes a string, whichever quote opened it; a backslash takes the
// next character. A string left open at the line end is drawn as an identifier.
void TAWKHighlighter::StringProc() {
  ++run_;
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) {
      tokenKind_ = awtkIdentifier;
      return;
    }
    ++run_;
    if (c == '"') {
      tokenKind_ = awtkString;
      return;
    }
    if (c == '\\' && !IsLineEndChar(line_[run_])) ++run_;
  }
}

}  // namespace vantrel
