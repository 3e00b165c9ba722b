// The Java highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterJava.h"

#include "highlight/HighlighterWordTable.h"
#include "platform/Graphics.h"

namespace vantrel {

namespace {

constexpr std::string_view kKeywords[] = {
    "if", "do", "case", "char", "catch", "for", "break", "else", "new", "int", "final", "false",
    "package", "long", "void", "byte", "class", "float", "this", "goto", "while", "null", "double",
    "try", "true", "public", "boolean", "default", "const", "native", "static", "super", "short",
    "finally", "switch", "assert", "throw", "interface", "abstract", "import", "extends", "private",
    "return", "volatile", "continue", "throws", "protected", "instanceof", "strictfp", "transient",
    "implements", "synchronized"};

// Letters, `_`, `$` and the Latin-1 letters start words; digits and UTF-8
// continuation bytes go on them, so a word with accented letters stays whole.
constexpr TIdentifierValues kValues = [] {
  TIdentifierValues values = MakeIdentifierValues(1);
  values['$'] = 0;
  for (int c = 128; c <= 255; ++c) values[size_t(c)] = 0;
  return values;
}();

bool StartsWord(char c) {
  const auto b = uint8_t(c);
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' || b == '$' ||
         (b >= 192 && b != 215 && b != 247);
}

// A `-` goes on a number only as the sign of an exponent, so `n-1` is not one token.
const TNumberRule kNumberRule{MakeCharSet("-.0123456789ABCDEFLXabcdeflx"), /*StopBeforeDoubleDot=*/true,
                              /*MinusOnlyAfterExponent=*/true};

const TKeywordCompareTable& Keywords() {
  static const TKeywordCompareTable table = BuildWordTable(kValues, /*caseSensitive=*/true, {{kKeywords, jtkKey}});
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TJavaHighlighter::TJavaHighlighter()
    : TKitHighlighter({.LanguageName = "Java",
                       .DefaultFilter = "Java Files (*.java)|*.java",
                       .EndKind = jtkNull,
                       .SpaceKind = jtkSpace,
                       .Defaults = {.Comment = jtkComment,
                                    .Identifier = jtkIdentifier,
                                    .Keyword = jtkKey,
                                    .String = jtkString,
                                    .Whitespace = jtkSpace,
                                    .Symbol = jtkSymbol},
                       .Ranges = {jrComment, jrDocument, jrNormal},
                       .InitialRange = jrNormal},
                      {
                          {jtkComment, "CommentAttri", "Comment", fsItalic},
                          {jtkDocument, "DocumentAttri", "Documentation", fsItalic},
                          {jtkIdentifier, "IdentifierAttri", "Identifier"},
                          {jtkInvalid, "InvalidAttri", "Invalid Symbol"},
                          {jtkKey, "KeyAttri", "Reserved Word", fsBold},
                          {jtkNumber, "NumberAttri", "Number"},
                          {jtkSpace, "SpaceAttri", "Space", 0, clWindow},
                          {jtkString, "StringAttri", "String"},
                          {jtkSymbol, "SymbolAttri", "Symbol"},
                      }) {
  Keywords();  // build the shared table now, not in the middle of a scan
}

bool TJavaHighlighter::IsKeyword(std::string_view word) const {
  return FindWord(Keywords(), kValues, word) != nullptr;
}

void TJavaHighlighter::CommentBody() {
  tokenKind_ = range_ == jrDocument ? jtkDocument : jtkComment;
  if (SkipBlockCommentBody()) range_ = jrNormal;
}

void TJavaHighlighter::SlashProc() {
  const char next = line_[run_ + 1];
  if (next == '/') {
    tokenKind_ = jtkComment;
    SkipToLineEnd();
  } else if (next == '*') {
    // `/**/` is an empty ordinary comment, not the start of documentation.
    const bool document = line_[run_ + 2] == '*' && line_[run_ + 3] != '/';
    range_ = document ? jrDocument : jrComment;
    run_ += document ? 3 : 2;
    CommentBody();
  } else {
    ScanSymbol("=", jtkSymbol);
  }
}

void TJavaHighlighter::NextToken() {
  tokenPos_ = run_;
  if (range_ == jrComment || range_ == jrDocument) {
    if (!LineEndAtContinuation()) CommentBody();
    return;
  }
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (StartsWord(c)) {
    const unsigned hash = ScanHashedIdentifier(kValues);
    tokenKind_ = Keywords().Find(hash, line_ + tokenPos_, run_ - tokenPos_) ? jtkKey : jtkIdentifier;
  } else if (IsDigit(c)) {
    tokenKind_ = jtkNumber;
    ScanNumber(kNumberRule);
  } else if (c == '"' || c == '\'') {
    tokenKind_ = jtkString;
    ++run_;
    SkipEscapedQuoted(c);  // strings end with their line
  } else if (c == '/') {
    SlashProc();
  } else if (c == '#' || c == '\\' || c == '`' || uint8_t(c) >= 127) {
    ScanCharacter(jtkInvalid);
  } else {
    ScanCharacter(jtkSymbol);
  }
}

}  // namespace vantrel
