// The Python highlighter.
// Tested by tests/highlight/HighlighterPythonTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterPython.h"

#include "highlight/HighlighterHashEntries.h"

namespace vantrel {

namespace {

constexpr std::string_view kKeywords[] = {
    "and", "assert", "break", "class", "continue", "def", "del", "elif", "else", "except", "exec",
    "finally", "for", "from", "global", "if", "import", "in", "is", "lambda", "not", "or", "pass",
    "print", "raise", "return", "try", "while", "yield"};

constexpr std::string_view kNonKeywords[] = {
    "__future__", "__import__", "abs", "apply", "as", "buffer", "callable", "chr", "cmp", "coerce",
    "compile", "complex", "delattr", "dict", "dir", "divmod", "eval", "execfile", "False", "file",
    "filter", "float", "getattr", "globals", "hasattr", "hash", "help", "hex", "id", "input",
    "int", "intern", "isinstance", "issubclass", "iter", "len", "list", "locals", "long", "None",
    "NotImplemented", "map", "max", "min", "oct", "open", "ord", "pow", "range", "raw_input",
    "reduce", "reload", "repr", "round", "self", "setattr", "slice", "str", "True", "tuple",
    "type", "unichr", "unicode", "vars", "xrange", "zip"};

constexpr int kWordHashSize = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsBinaryDigit(char c) { return c == '0' || c == '1'; }
bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }
bool IsQuote(char c) { return c == '\'' || c == '"'; }

unsigned WordHash(std::string_view word) {
  unsigned hash = 0;
  for (char c : word) hash += uint8_t(c);
  return hash % kWordHashSize;
}

const TKeywordCompareTable& Words() {
  static const TKeywordCompareTable table = [] {
    TKeywordCompareTable t(kWordHashSize, /*caseSensitive=*/true);
    for (std::string_view word : kKeywords) t.Add(WordHash(word), word, ptkKey);
    for (std::string_view word : kNonKeywords) t.Add(WordHash(word), word, ptkNonKey);
    return t;
  }();
  return table;
}

// `__init__`: longer than 4, exactly two underscores at each end.
bool IsSystemName(std::string_view w) {
  const size_t n = w.size();
  return n > 4 && w[0] == '_' && w[1] == '_' && w[2] != '_' && w[n - 1] == '_' && w[n - 2] == '_' &&
         w[n - 3] != '_';
}

// Letters that belong to the string after them, in either case: `r`, `u`,
// `b`, `f`, one of `u`, `b`, `f` before `r`, and `r` before `b` or `f`.
bool IsStringPrefix(std::string_view w) {
  auto one = [](char c) {
    switch (c) {
      case 'r': case 'R': case 'u': case 'U': case 'b': case 'B': case 'f': case 'F': return true;
      default: return false;
    }
  };
  auto isR = [](char c) { return c == 'r' || c == 'R'; };
  auto isBF = [](char c) { return c == 'b' || c == 'B' || c == 'f' || c == 'F'; };
  if (w.size() == 1) return one(w[0]);
  return w.size() == 2 && ((one(w[0]) && !isR(w[0]) && isR(w[1])) || (isR(w[0]) && isBF(w[1])));
}

int ContinuedState(char quote) { return quote == '"' ? prsDoubleContinued : prsSingleContinued; }

}  // namespace

TPythonHighlighter::TPythonHighlighter()
    : TKitHighlighter(
          {.LanguageName = "Python",
           .DefaultFilter = "Python Files (*.py)|*.py",
           .EndKind = ptkNull,
           .SpaceKind = ptkSpace,
           .Defaults = {ptkComment, ptkIdentifier, ptkKey, ptkString, ptkSpace, ptkSymbol},
           .Ranges = {prsNormal, prsTripleSingle, prsTripleDouble, prsSingleContinued, prsDoubleContinued},
           .InitialRange = prsNormal},
          {
              {ptkComment, "CommentAttri", "Comment", fsItalic, clGray},
              {ptkIdentifier, "IdentifierAttri", "Identifier"},
              {ptkKey, "KeyAttri", "Reserved Word", fsBold},
              {ptkNonKey, "NonKeyAttri", "Non-reserved Keyword", fsBold, clNavy},
              {ptkSystem, "SystemAttri", "System Functions and Variables", fsBold},
              {ptkNumber, "NumberAttri", "Number", 0, clBlue},
              {ptkHex, "HexAttri", "Hexadecimal", 0, clBlue},
              {ptkOctal, "OctalAttri", "Octal", 0, clBlue},
              {ptkFloat, "FloatAttri", "Float", 0, clBlue},
              {ptkSpace, "SpaceAttri", "Space"},
              {ptkString, "StringAttri", "String", 0, clBlue},
              {ptkDocString, "DocStringAttri", "Documentation", 0, clTeal},
              {ptkSymbol, "SymbolAttri", "Symbol"},
              {ptkError, "ErrorAttri", "Syntax Error", 0, clRed},
          }) {
  Words();  // build the shared table now, not in the middle of a scan
}

bool TPythonHighlighter::IsKeyword(std::string_view word) const {
  return !word.empty() && Words().Find(WordHash(word), word.data(), int(word.size())) != nullptr;
}

void TPythonHighlighter::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case prsTripleSingle: TripleContinueProc('\''); return;
    case prsTripleDouble: TripleContinueProc('"'); return;
    case prsSingleContinued: StringContinueProc('\''); return;
    case prsDoubleContinued: StringContinueProc('"'); return;
    default: ScanNormal(); return;
  }
}

void TPythonHighlighter::ScanNormal() {
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  switch (c) {
    case '#':
      tokenKind_ = ptkComment;
      SkipToLineEnd();
      return;
    case '\'':
    case '"':
      QuoteProc();
      return;
    case '<':
      ScanSymbol("=>", ptkSymbol);
      return;
    case '>':
      ScanSymbol("=", ptkSymbol);
      return;
    case '.':
      if (IsDigit(line_[run_ + 1]))
        NumberProc();
      else
        ScanSymbol("", ptkSymbol);
      return;
    case '$':
    case '?':
    case '@':
      ScanSymbol("", ptkError);
      return;
    default:
      break;
  }
  if (IsDigit(c)) {
    NumberProc();
  } else if (IsWordStart(c)) {
    WordProc();
  } else if (uint8_t(c) >= 127) {
    tokenKind_ = ptkError;
    SkipCharacterCell();
  } else {
    ScanSymbol("", ptkSymbol);
  }
}

void TPythonHighlighter::WordProc() {
  while (IsWordChar(line_[run_])) ++run_;
  std::string_view word = TokenView();
  if (IsQuote(line_[run_]) && IsStringPrefix(word)) return QuoteProc();
  if (const TKeywordCompareEntry* entry = Words().Find(WordHash(word), word.data(), int(word.size())))
    tokenKind_ = entry->Kind;
  else
    tokenKind_ = IsSystemName(word) ? ptkSystem : ptkIdentifier;
}

void TPythonHighlighter::QuoteProc() {
  const char quote = line_[run_];
  if (line_[run_ + 1] == quote && line_[run_ + 2] == quote) {
    tokenKind_ = ptkDocString;
    run_ += 3;
    range_ = quote == '"' ? prsTripleDouble : prsTripleSingle;
    if (SkipTripleBody(quote)) range_ = prsNormal;
    return;
  }
  tokenKind_ = ptkString;
  ++run_;
  if (SkipEscapedQuoted(quote)) range_ = ContinuedState(quote);
}

void TPythonHighlighter::TripleContinueProc(char quote) {
  if (LineEndAtContinuation()) return;
  tokenKind_ = ptkDocString;
  if (SkipTripleBody(quote)) range_ = prsNormal;
}

void TPythonHighlighter::StringContinueProc(char quote) {
  if (LineEndAtContinuation()) return;
  tokenKind_ = ptkString;
  range_ = SkipEscapedQuoted(quote) ? ContinuedState(quote) : prsNormal;
}

bool TPythonHighlighter::SkipTripleBody(char quote) {
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    if (c == '\\') {
      ++run_;
      if (!IsLineEndChar(line_[run_])) ++run_;
    } else if (c == quote && line_[run_ + 1] == quote && line_[run_ + 2] == quote) {
      run_ += 3;
      return true;
    } else {
      ++run_;
    }
  }
}

void TPythonHighlighter::NumberProc() {
  // Digit runs allow single underscores between digits (`1_000`).
  auto digits = [this](bool (*isDigit)(char)) {
    const int from = run_;
    while (isDigit(line_[run_]) || (line_[run_] == '_' && run_ > from && isDigit(line_[run_ + 1]))) ++run_;
    return run_ - from;
  };
  const int start = run_;
  int kind = ptkNumber;
  bool malformed = false;
  const char prefix = line_[run_] == '0' ? line_[run_ + 1] : '\0';
  if (prefix == 'x' || prefix == 'X' || prefix == 'o' || prefix == 'O' || prefix == 'b' || prefix == 'B') {
    run_ += 2;
    if (prefix == 'x' || prefix == 'X') {
      kind = ptkHex;
      malformed = digits(IsHexDigit) == 0;
    } else {
      kind = prefix == 'b' || prefix == 'B' ? ptkNumber : ptkOctal;
      malformed = digits(prefix == 'b' || prefix == 'B' ? IsBinaryDigit : IsOctalDigit) == 0;
    }
    if (line_[run_] == 'l' || line_[run_] == 'L') ++run_;
  } else {
    digits(IsDigit);
    const int integerEnd = run_;
    if (line_[run_] == '.') {
      kind = ptkFloat;
      ++run_;
      digits(IsDigit);
    }
    if (line_[run_] == 'e' || line_[run_] == 'E') {
      const int sign = line_[run_ + 1] == '+' || line_[run_ + 1] == '-' ? 1 : 0;
      if (IsDigit(line_[run_ + 1 + sign])) {
        kind = ptkFloat;
        run_ += 1 + sign;
        digits(IsDigit);
      } else {
        malformed = true;
      }
    }
    if (line_[run_] == 'j' || line_[run_] == 'J') {
      ++run_;
    } else if (kind == ptkNumber && (line_[run_] == 'l' || line_[run_] == 'L')) {
      ++run_;
    }
    // `017` is octal; `09` is no number at all.
    if (kind == ptkNumber && line_[start] == '0' && integerEnd > start + 1) {
      kind = ptkOctal;
      for (int i = start; i < integerEnd; ++i)
        if (!IsOctalDigit(line_[i]) && line_[i] != '_') malformed = true;
    }
  }
  if (IsWordChar(line_[run_]) || line_[run_] == '.') malformed = true;
  if (malformed)
    while (IsWordChar(line_[run_]) || line_[run_] == '.') ++run_;
  tokenKind_ = malformed ? ptkError : kind;
}

}  // namespace vantrel
