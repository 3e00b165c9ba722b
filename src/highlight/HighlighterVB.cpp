// The Visual Basic highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterVB.h"

#include "highlight/HighlighterWordTable.h"

namespace vantrel {

namespace {

// `end with` is the one two-word keyword; it is matched after `end` (below).
constexpr std::string_view kKeywords[] = {
    "ddb", "if", "each", "me", "and", "do", "as", "cdbl", "abs", "end", "asc", "tab", "iif",
    "mid", "eof", "dim", "rgb", "base", "fv", "beep", "call", "case", "is", "on", "chr", "loc",
    "date", "dir", "len", "mod", "get", "name", "lof", "or", "cdate", "log", "val", "tan", "to",
    "atn", "clng", "rnd", "cos", "begin", "let", "hex", "spc", "pv", "imp", "oct", "dateadd",
    "clear", "for", "fix", "seek", "sgn", "line", "lcase", "lock", "err", "else", "chdir", "sub",
    "sin", "new", "csng", "int", "left", "cvar", "kill", "set", "rate", "space", "eqv", "ccur",
    "irr", "sln", "exp", "cint", "wend", "time", "cbool", "then", "long", "syd", "erase", "ucase",
    "redim", "pmt", "not", "circle", "open", "raise", "now", "npv", "byte", "form", "nper", "sqr",
    "class", "close", "mkdir", "datediff", "object", "cbyte", "lset", "shell", "elseif", "str",
    "goto", "xor", "put", "while", "mirr", "isdate", "ipmt", "exit", "loop", "double", "with",
    "second", "cstr", "pset", "trim", "rmdir", "right", "rset", "hour", "next", "filelen",
    "public", "command", "array", "select", "gosub", "boolean", "width", "timer", "ppmt",
    "freefile", "single", "cverr", "reset", "lbound", "chdrive", "stop", "month", "module",
    "const", "compare", "ltrim", "static", "curdir", "format", "weekday", "error", "write",
    "until", "unlock", "ubound", "print", "integer", "rtrim", "empty", "instr", "input", "msgbox",
    "deftype", "resume", "minute", "switch", "qbcolor", "isobject", "variant", "datepart",
    "string", "nothing", "isnull", "getobject", "option", "private", "datevalue", "fileattr",
    "isarray", "filecopy", "getattr", "dateserial", "return", "environ", "explicit", "typename",
    "system", "function", "version", "sendkeys", "iserror", "setattr", "doevents", "strcomp",
    "randomize", "isempty", "currency", "vartype", "createobject", "timevalue", "filedatetime",
    "isnumeric", "strconv", "timeserial", "appactivate", "attribute", "ismissing", "property"};

// Letters count the same in either case.
constexpr TIdentifierValues kValues = MakeIdentifierValues(0);

const TNumberRule kNumberRule{MakeCharSet(".0123456789Ee")};

const TKeywordCompareTable& Keywords() {
  static const TKeywordCompareTable table = BuildWordTable(kValues, /*caseSensitive=*/false, {{kKeywords, vbtkKey}});
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsWord(const char* text, int length, std::string_view lower) {
  return int(lower.size()) == length && SameKeywordIgnoreCase(text, lower.data(), length);
}

}  // namespace

TVBHighlighter::TVBHighlighter()
    : TKitHighlighter({.LanguageName = "Visual Basic",
                       .DefaultFilter = "Visual Basic Files (*.bas)|*.bas",
                       .EndKind = vbtkNull,
                       .SpaceKind = vbtkSpace,
                       .Defaults = {.Comment = vbtkComment,
                                    .Identifier = vbtkIdentifier,
                                    .Keyword = vbtkKey,
                                    .String = vbtkString,
                                    .Whitespace = vbtkSpace,
                                    .Symbol = vbtkSymbol}},
                      {
                          {vbtkComment, "CommentAttri", "Comment", fsItalic},
                          {vbtkIdentifier, "IdentifierAttri", "Identifier"},
                          {vbtkKey, "KeyAttri", "Reserved Word", fsBold},
                          {vbtkNumber, "NumberAttri", "Number"},
                          {vbtkSpace, "SpaceAttri", "Space"},
                          {vbtkString, "StringAttri", "String"},
                          {vbtkSymbol, "SymbolAttri", "Symbol"},
                      }) {
  Keywords();  // build the shared table now, not in the middle of a scan
}

bool TVBHighlighter::IsKeyword(std::string_view word) const {
  if (IsWord(word.data(), int(word.size()), "rem") || IsWord(word.data(), int(word.size()), "end with"))
    return true;
  return FindWord(Keywords(), kValues, word) != nullptr;
}

void TVBHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (IsLetter(c) || c == '_') {
    WordProc();
  } else if (IsDigit(c)) {
    tokenKind_ = vbtkNumber;
    ScanNumber(kNumberRule);
  } else if (c == '\'') {
    tokenKind_ = vbtkComment;
    SkipToLineEnd();
  } else if (c == '"' || c == '#') {
    tokenKind_ = vbtkString;
    ++run_;
    SkipToQuote(c);
  } else if (c == '<') {
    ScanSymbol("=>", vbtkSymbol);
  } else if (c == '>') {
    ScanSymbol("=", vbtkSymbol);
  } else {
    ScanCharacter(vbtkSymbol);
  }
}

void TVBHighlighter::WordProc() {
  const unsigned hash = ScanHashedIdentifier(kValues);
  const int length = run_ - tokenPos_;
  const char* word = line_ + tokenPos_;
  if (IsWord(word, length, "rem")) {
    tokenKind_ = vbtkComment;
    SkipToLineEnd();
    return;
  }
  tokenKind_ = Keywords().Find(hash, word, length) ? vbtkKey : vbtkIdentifier;
  // `End With` closes a With block as one keyword.
  if (IsWord(word, length, "end") && line_[run_] == ' ' && SameKeywordIgnoreCase(line_ + run_ + 1, "with", 4) &&
      kValues[uint8_t(line_[run_ + 5])] < 0)
    run_ += 5;
}

}  // namespace vantrel
