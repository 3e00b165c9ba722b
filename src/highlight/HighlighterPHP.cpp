// The PHP highlighter.
// Tested by tests/highlight/HighlighterPHPTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterPHP.h"

#include "highlight/HighlighterMarkupKit.h"

namespace vantrel {

namespace {

// Upper case: words are compared with letter case ignored.
const TSortedWordList& Keywords() {
  static const TSortedWordList words(
      {"ABSTRACT", "AND", "ARRAY", "AS", "BREAK", "CALLABLE", "CASE", "CATCH", "CLASS", "CLONE", "CONST",
       "CONTINUE", "DECLARE", "DEFAULT", "DIE", "DO", "ECHO", "ELSE", "ELSEIF", "EMPTY", "ENDDECLARE", "ENDFOR",
       "ENDFOREACH", "ENDIF", "ENDSWITCH", "ENDWHILE", "ENUM", "EVAL", "EXIT", "EXTENDS", "FALSE", "FINAL",
       "FINALLY", "FN", "FOR", "FOREACH", "FUNCTION", "GLOBAL", "GOTO", "IF", "IMPLEMENTS", "INCLUDE",
       "INCLUDE_ONCE", "INSTANCEOF", "INSTEADOF", "INTERFACE", "ISSET", "LIST", "MATCH", "NAMESPACE", "NEW",
       "NULL", "OR", "PRINT", "PRIVATE", "PROTECTED", "PUBLIC", "READONLY", "REQUIRE", "REQUIRE_ONCE", "RETURN",
       "STATIC", "SWITCH", "THROW", "TRAIT", "TRUE", "TRY", "UNSET", "USE", "VAR", "WHILE", "XOR", "YIELD"},
      phtkKey);
  return words;
}

// Bytes above 127 belong to names, as PHP allows them there.
bool IsIdentifierStart(char c) { return IsAsciiLetter(c) || c == '_' || uint8_t(c) >= 128; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsAsciiDigit(c); }

const TNumberRule kNumberRule = [] {
  TNumberRule rule;
  for (char c : std::string_view("-.0123456789ABCDEFLXabcdeflx")) rule.Chars.set(uint8_t(c));
  rule.StopBeforeDoubleDot = true;
  return rule;
}();

}  // namespace

TPHPHighlighter::TPHPHighlighter()
    : TKitHighlighter(
          {.LanguageName = "PHP",
           .DefaultFilter = "PHP Files (*.php;*.php3;*.phtml;*.inc)|*.php;*.php3;*.phtml;*.inc",
           .EndKind = phtkNull,
           .SpaceKind = phtkSpace,
           .Defaults = {phtkComment, phtkIdentifier, phtkKey, phtkString, phtkSpace, phtkSymbol},
           .Ranges = {phrsNormal, phrsAposString, phrsQuotString, phrsComment, phrsEmbeddedVariable},
           .InitialRange = phrsNormal},
          {
              {phtkComment, "CommentAttri", "Comment", fsItalic},
              {phtkIdentifier, "IdentifierAttri", "Identifier"},
              {phtkKey, "KeyAttri", "Reserved Word", fsBold},
              {phtkNumber, "NumberAttri", "Number"},
              {phtkSpace, "SpaceAttri", "Space"},
              {phtkString, "StringAttri", "String"},
              {phtkSymbol, "SymbolAttri", "Symbol"},
              {phtkVariable, "VariableAttri", "Variable"},
          }) {
  Keywords();
}

bool TPHPHighlighter::IsKeyword(std::string_view word) const {
  return Keywords().FindUpperCased(word, phtkIdentifier) == phtkKey;
}

void TPHPHighlighter::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case phrsAposString:
      if (LineEndAtContinuation()) return;
      return StringProc('\'');
    case phrsQuotString:
      if (LineEndAtContinuation()) return;
      return StringProc('"');
    case phrsComment:
      if (LineEndAtContinuation()) return;
      tokenKind_ = phtkComment;
      if (SkipBlockCommentBody()) range_ = phrsNormal;
      return;
    case phrsEmbeddedVariable:
      if (LineEndAtContinuation()) return;
      return EmbeddedVariableProc();
    default: return ScanNormal();
  }
}

void TPHPHighlighter::ScanNormal() {
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  switch (c) {
    case '\'':
    case '"':
      ++run_;
      range_ = c == '"' ? phrsQuotString : phrsAposString;
      return StringProc(c);
    case '#':
      tokenKind_ = phtkComment;
      return SkipToLineEnd();
    case '/':
      if (line_[run_ + 1] == '/') {
        tokenKind_ = phtkComment;
        return SkipToLineEnd();
      }
      if (line_[run_ + 1] == '*') {
        run_ += 2;
        tokenKind_ = phtkComment;
        if (!SkipBlockCommentBody()) range_ = phrsComment;
        return;
      }
      return ScanSymbol("=", phtkSymbol);
    case '$':
      ++run_;
      SkipIdentifier();
      tokenKind_ = phtkVariable;
      return;
    case '<':
      ScanSymbol("=<", phtkSymbol);
      if (TokenView() == "<<" && line_[run_] == '=') ++run_;
      return;
    default: break;
  }
  if (IsIdentifierStart(c)) {
    SkipIdentifier();
    tokenKind_ = Keywords().FindUpperCased(TokenView(), phtkIdentifier);
  } else if (IsAsciiDigit(c)) {
    ScanNumber(kNumberRule);
    tokenKind_ = phtkNumber;
  } else {
    ScanSymbol("", phtkSymbol);
  }
}

void TPHPHighlighter::SkipIdentifier() {
  while (IsIdentifierChar(line_[run_])) ++run_;
}

// From the current position to the closing quote (included; range normal) or
// the line end (the string goes on). A `"` string also stops before an
// embedded variable.
void TPHPHighlighter::StringProc(char quote) {
  tokenKind_ = phtkString;
  for (char c; !IsLineEndChar(c = line_[run_]);) {
    if (c == '\\') {
      ++run_;
      if (!IsLineEndChar(line_[run_])) ++run_;
      continue;
    }
    if (c == quote) {
      ++run_;
      range_ = phrsNormal;
      return;
    }
    if (quote == '"') {
      const bool braced = c == '{' && line_[run_ + 1] == '$';
      const char next = line_[run_ + (braced ? 2 : 1)];
      if ((c == '$' || braced) && (next == '{' || IsIdentifierChar(next))) {
        if (run_ > tokenPos_) {
          range_ = phrsEmbeddedVariable;
          return;
        }
        return EmbeddedVariableProc();
      }
    }
    ++run_;
  }
}

void TPHPHighlighter::SkipBraced() {
  int depth = 0;
  for (char c; !IsLineEndChar(c = line_[run_]);) {
    ++run_;
    if (c == '{') ++depth;
    if (c == '}' && --depth == 0) return;
  }
}

void TPHPHighlighter::EmbeddedVariableProc() {
  range_ = phrsQuotString;
  const char c = line_[run_];
  if (c == '{' || (c == '$' && line_[run_ + 1] == '{')) {
    if (c == '$') ++run_;
    SkipBraced();
  } else if (c == '$') {
    ++run_;
    SkipIdentifier();
    for (;;) {
      const char* at = line_ + run_;
      if (at[0] == '-' && at[1] == '>' && IsIdentifierStart(at[2])) {
        run_ += 2;
        SkipIdentifier();
      } else if (at[0] == '[') {
        // `[name]`, `[1]` or `['key']`, complete on this line.
        int i = 1;
        const char quote = at[1] == '\'' ? '\'' : '\0';
        if (quote) ++i;
        while (IsIdentifierChar(at[i])) ++i;
        if (quote && at[i] == quote) ++i;
        if (at[i] != ']' || (quote && at[i - 1] != quote) || i == 1) break;
        run_ += i + 1;
      } else {
        break;
      }
    }
  } else {
    // A stored state without its variable: the string goes on.
    return StringProc('"');
  }
  tokenKind_ = phtkVariable;
}

}  // namespace vantrel
