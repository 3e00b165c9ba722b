// The C# highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterCS.h"

#include "highlight/HighlighterWordTable.h"
#include "platform/Graphics.h"

namespace vantrel {

namespace {

constexpr std::string_view kKeywords[] = {
    "if", "do", "as", "in", "is", "ref", "case", "base", "char", "catch", "for", "break", "lock",
    "else", "new", "int", "checked", "false", "bool", "sealed", "long", "fixed", "decimal", "void",
    "byte", "enum", "out", "class", "float", "this", "object", "goto", "while", "foreach", "null",
    "double", "try", "delegate", "uint", "true", "public", "event", "unsafe", "ulong", "params",
    "using", "sbyte", "const", "default", "static", "unchecked", "sizeof", "finally", "namespace",
    "switch", "throw", "interface", "abstract", "extern", "typeof", "string", "private", "implicit",
    "internal", "readonly", "return", "override", "explicit", "ushort", "stackalloc", "struct",
    "continue", "virtual", "protected", "operator"};

// Case is significant: lower-case letters one above their capitals.
constexpr TIdentifierValues kValues = MakeIdentifierValues(1);

const TNumberRule kNumberRule{MakeCharSet(".0123456789ABCDEFLUXabcdeflux"), /*StopBeforeDoubleDot=*/true};

const TKeywordCompareTable& Keywords() {
  static const TKeywordCompareTable table = BuildWordTable(kValues, /*caseSensitive=*/true, {{kKeywords, cshtkKey}});
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool StartsWord(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// The second characters that make a two-character operator after the first;
// `<<=` and `>>=` are the three-character ones.
std::string_view OperatorSeconds(char first) {
  switch (first) {
    case '&': return "&=";
    case '|': return "|=";
    case '+': return "+=";
    case '-': return "-=>";
    case '<': return "<=";
    case '>': return ">=";
    case '=': return "=";
    case '!': return "=";
    case '%': return "=";
    case '*': return "=";
    case '^': return "=";
    case '/': return "=";
    case ':': return ":";
    default: return {};
  }
}

}  // namespace

TCSHighlighter::TCSHighlighter()
    : TKitHighlighter({.LanguageName = "C#",
                       .DefaultFilter = "C# Files (*.cs)|*.cs",
                       .EndKind = cshtkNull,
                       .SpaceKind = cshtkSpace,
                       .Defaults = {.Comment = cshtkComment,
                                    .Identifier = cshtkIdentifier,
                                    .Keyword = cshtkKey,
                                    .String = cshtkString,
                                    .Whitespace = cshtkSpace,
                                    .Symbol = cshtkSymbol},
                       .Ranges = {csrNormal, csrComment, csrDirectiveContinued, csrDirectiveComment,
                                  csrStringContinued},
                       .InitialRange = csrNormal},
                      {
                          {cshtkAsm, "AsmAttri", "Assembler"},
                          {cshtkComment, "CommentAttri", "Comment", fsItalic},
                          {cshtkIdentifier, "IdentifierAttri", "Identifier"},
                          {cshtkInvalid, "InvalidAttri", "Illegal Char"},
                          {cshtkKey, "KeyAttri", "Reserved Word", fsBold},
                          {cshtkNumber, "NumberAttri", "Number"},
                          {cshtkSpace, "SpaceAttri", "Space", 0, clWindow},
                          {cshtkString, "StringAttri", "String"},
                          {cshtkSymbol, "SymbolAttri", "Symbol"},
                          {cshtkDirec, "DirecAttri", "Preprocessor"},
                      }) {
  Keywords();  // build the shared table now, not in the middle of a scan
}

bool TCSHighlighter::IsKeyword(std::string_view word) const {
  return FindWord(Keywords(), kValues, word) != nullptr;
}

void TCSHighlighter::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case csrComment:
    case csrDirectiveComment:
      if (!LineEndAtContinuation()) CommentBody();
      return;
    case csrDirectiveContinued:
      if (!LineEndAtContinuation()) DirectiveBody();
      return;
    case csrStringContinued:
      if (!LineEndAtContinuation()) StringBody('"');
      return;
    default:
      break;
  }
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (StartsWord(c)) {
    const unsigned hash = ScanHashedIdentifier(kValues);
    tokenKind_ = Keywords().Find(hash, line_ + tokenPos_, run_ - tokenPos_) ? cshtkKey : cshtkIdentifier;
  } else if (IsDigit(c) || (c == '.' && IsDigit(line_[run_ + 1]))) {
    tokenKind_ = cshtkNumber;
    ScanNumber(kNumberRule);
  } else if (c == '"' || c == '\'') {
    ++run_;
    StringBody(c);
  } else if (c == '/' && line_[run_ + 1] == '/') {
    tokenKind_ = cshtkComment;
    SkipToLineEnd();
  } else if (c == '/' && line_[run_ + 1] == '*') {
    run_ += 2;
    range_ = csrComment;
    CommentBody();
  } else if (c == '#') {
    DirectiveBody();
  } else {
    SymbolProc(c);
  }
}

void TCSHighlighter::CommentBody() {
  tokenKind_ = cshtkComment;
  if (!SkipBlockCommentBody()) return;
  // A comment that closes inside a directive hands the rest of the line back to it.
  range_ = range_ == csrDirectiveComment && !IsLineEndChar(line_[run_]) ? csrDirectiveContinued : csrNormal;
}

// A directive runs to its line's end, stopping before a comment; a final
// backslash carries it to the next line.
void TCSHighlighter::DirectiveBody() {
  tokenKind_ = cshtkDirec;
  range_ = csrNormal;
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) return;
    if (c == '/' && line_[run_ + 1] == '/') {
      // A continued line that is only a comment has no directive token.
      if (run_ == tokenPos_) {
        tokenKind_ = cshtkComment;
        SkipToLineEnd();
      }
      return;
    }
    if (c == '/' && line_[run_ + 1] == '*') {
      // The comment token follows, then the directive goes on.
      range_ = csrDirectiveComment;
      if (run_ == tokenPos_) {
        run_ += 2;
        CommentBody();
      }
      return;
    }
    ++run_;
    if (c == '\\' && line_[run_] == '\0') {
      range_ = csrDirectiveContinued;
      return;
    }
  }
}

void TCSHighlighter::StringBody(char quote) {
  tokenKind_ = cshtkString;
  range_ = SkipQuotedBody(quote) ? csrStringContinued : csrNormal;
}

void TCSHighlighter::SymbolProc(char c) {
  if (c == '.' && line_[run_ + 1] == '.' && line_[run_ + 2] == '.') {
    tokenKind_ = cshtkSymbol;
    run_ += 3;
    return;
  }
  if ((c == '<' || c == '>') && line_[run_ + 1] == c && line_[run_ + 2] == '=') {
    tokenKind_ = cshtkSymbol;
    run_ += 3;
    return;
  }
  const std::string_view seconds = OperatorSeconds(c);
  if (!seconds.empty()) {
    ScanSymbol(seconds, cshtkSymbol);
  } else if (c == '@' || c == '$' || c == '\\' || c == '`' || uint8_t(c) >= 127) {
    ScanCharacter(cshtkInvalid);
  } else {
    ScanCharacter(cshtkSymbol);
  }
}

}  // namespace vantrel
