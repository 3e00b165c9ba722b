// The C/C++ highlighter: keywords, numbers in every notation, strings and
// character literals, comments, preprocessor directives carried over lines,
// and asm blocks.
// Tested by tests/highlight/HighlighterCppTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterCpp.h"

#include <cstdint>

#include "highlight/HighlighterHashEntries.h"
#include "platform/Assert.h"

namespace vantrel {

namespace {

// ---------------------------------------------------------------- constant tables

constexpr std::string_view kDefaultFilter = "C/C++ Files (*.c;*.cpp;*.h;*.hpp)|*.c;*.cpp;*.h;*.hpp";
constexpr int kHashTableSize = 207;  // hashes 0..206; anything above is an identifier

// Keywords in the order the compare of each hash value tests them.
constexpr std::string_view kKeywords[] = {
    "if", "do", "cdecl", "case", "_cdecl", "__cdecl", "char", "asm", "_asm", "__asm", "catch", "for",
    "break", "else", "new", "__int8", "__int16", "int", "__int32", "__int64", "false", "bool", "long",
    "void", "enum", "delete", "_pascal", "__pascal", "pascal", "class", "float", "this", "goto", "auto",
    "__thread", "while", "friend", "signed", "double", "__try", "try", "__dispid", "true", "public",
    "inline", "__rtti", "__classid", "__declspec", "using", "const", "default", "_stdcall", "union",
    "__stdcall", "static", "__except", "wchar_t", "mutable", "_fastcall", "__fastcall", "short",
    "typeid", "sizeof", "__finally", "namespace", "switch", "typedef", "throw", "interface", "extern",
    "__import", "_import", "private", "template", "__closure", "unsigned", "return", "volatile",
    "_export", "__export", "__published", "explicit", "typename", "struct", "register", "continue",
    "__automated", "virtual", "protected", "operator", "dynamic_cast", "const_cast", "static_cast",
    "__property", "reinterpret_cast"};

constexpr int kAsmTag = 1;

// Lower-case letters count one more than their capitals.
constexpr TIdentifierValues kIdentHash = MakeIdentifierValues(1);

enum CharClass : uint8_t {
  ccNull,
  ccLineBreak,
  ccSpace,
  ccIdent,
  ccDigit,
  ccPoint,
  ccString,
  ccChar,
  ccSlash,
  ccDirective,
  ccSymbol,
  ccUnknown,  // one byte, or a double-byte character
};

constexpr std::array<uint8_t, 256> MakeCharClass() {
  std::array<uint8_t, 256> t{};
  for (int c = 1; c <= 32; ++c) t[size_t(c)] = ccSpace;
  t['\n'] = t['\r'] = ccLineBreak;
  for (int c = 'A'; c <= 'Z'; ++c) t[size_t(c)] = ccIdent;
  for (int c = 'a'; c <= 'z'; ++c) t[size_t(c)] = ccIdent;
  t['_'] = ccIdent;
  for (int c = '0'; c <= '9'; ++c) t[size_t(c)] = ccDigit;
  t['.'] = ccPoint;
  t['"'] = ccString;
  t['\''] = ccChar;
  t['/'] = ccSlash;
  t['#'] = ccDirective;
  for (char c : std::string_view("&|+-<>=!%*^:()[]{},;?~")) t[uint8_t(c)] = ccSymbol;
  for (int c = 127; c <= 255; ++c) t[size_t(c)] = ccUnknown;
  t['$'] = t['\\'] = t['`'] = t['@'] = ccUnknown;
  return t;
}
constexpr std::array<uint8_t, 256> kCharClass = MakeCharClass();

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr bool IsScannerIdent(char c) { return kIdentHash[uint8_t(c)] >= 0; }
constexpr bool IsLetterOrUnderscore(char c) { return IsScannerIdent(c) && !IsDigit(c); }

constexpr bool IsNumberChar(char c) {
  switch (c) {
    case '+': case '-': case '.': case 'L': case 'l': case 'U': case 'u': case 'X': case 'x':
      return true;
    default:
      return IsHexDigit(c);
  }
}

const TKeywordCompareTable& CppKeywords() {
  static const TKeywordCompareTable table = [] {
    TKeywordCompareTable t(kHashTableSize, /*caseSensitive=*/true);
    for (std::string_view keyword : kKeywords) {
      unsigned hash = 0;
      for (char c : keyword) hash += unsigned(kIdentHash[uint8_t(c)]);
      int tag = (keyword == "asm" || keyword == "_asm" || keyword == "__asm") ? kAsmTag : 0;
      t.Add(hash, keyword, ctkKey, tag);
    }
    return t;
  }();
  return table;
}

}  // namespace

// ---------------------------------------------------------------- construction

TCppHighlighter::TCppHighlighter()
    : TKitHighlighter(
          {.LanguageName = "C/C++",
           .DefaultFilter = kDefaultFilter,
           .EndKind = ctkNull,
           .SpaceKind = ctkSpace,
           .Defaults = {ctkComment, ctkIdentifier, ctkKey, ctkString, ctkSpace, ctkSymbol},
           .Ranges = {crsNormal, crsBlockComment, crsAsmNextLine, crsAsmBlock, crsAsmBlockComment,
                      crsDirectiveComment, crsStringContinued, crsDirectiveContinued},
           .InitialRange = crsNormal},
          {
              {ctkAsm, "AsmAttri", "Assembler"},
              {ctkComment, "CommentAttri", "Comment", fsItalic},
              {ctkIdentifier, "IdentifierAttri", "Identifier"},
              {ctkUnknown, "InvalidAttri", "Illegal Char"},
              {ctkKey, "KeyAttri", "Reserved Word", fsBold},
              {ctkNumber, "NumberAttri", "Number"},
              {ctkChar, "CharAttri", "Character"},
              {ctkFloat, "FloatAttri", "Float"},
              {ctkHex, "HexAttri", "Hexadecimal"},
              {ctkOctal, "OctalAttri", "Octal"},
              {ctkSpace, "SpaceAttri", "Space", 0, clWindow},
              {ctkString, "StringAttri", "String"},
              {ctkSymbol, "SymbolAttri", "Symbol"},
              {ctkDirective, "DirecAttri", "Preprocessor"},
          }) {
  CppKeywords();  // build the shared table now, not in the middle of a scan
}

TCppHighlighter::~TCppHighlighter() = default;

THighlighterCharSet TCppHighlighter::IdentifierChars() const {
  THighlighterCharSet set;
  AddCharRange(set, '0', '9');
  AddCharRange(set, 'A', 'Z');
  AddCharRange(set, 'a', 'z');
  set.set('_');
  AddCharRange(set, 192, 214);
  AddCharRange(set, 216, 246);
  AddCharRange(set, 248, 255);
  return set;
}

bool TCppHighlighter::IsKeyword(std::string_view word) const {
  unsigned hash = 0;
  for (char c : word) {
    if (!IsScannerIdent(c)) return false;
    hash += unsigned(kIdentHash[uint8_t(c)]);
  }
  return !word.empty() && CppKeywords().Find(hash, word.data(), int(word.size())) != nullptr;
}

// ---------------------------------------------------------------- scanning

void TCppHighlighter::StartLine(std::string_view text, int lineIndex) {
  firstNonBlank_ = -1;
  TCustomHighlighter::StartLine(text, lineIndex);
}

void TCppHighlighter::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case crsNormal:
      break;
    case crsBlockComment:
    case crsDirectiveComment:
    case crsAsmBlockComment:
      if (!LineEndAtContinuation()) CommentProc();
      return;
    case crsStringContinued:
      if (!LineEndAtContinuation()) StringContinueProc();
      return;
    case crsDirectiveContinued:
      if (!LineEndAtContinuation()) DirectiveContinueProc();
      return;
    case crsDirectiveCommentStart:
      if (line_[run_] == '/' && line_[run_ + 1] == '*') {
        OpenBlockComment(crsDirectiveComment);
        return;
      }
      break;
    case crsAsm:
    case crsAsmNextLine:
      AsmPendingProc();
      return;
    case crsAsmLine:
    case crsAsmBlock:
      AsmProc();
      return;
    default:
      break;
  }
  range_ = crsNormal;
  ScanNormal();
}

void TCppHighlighter::ScanNormal() {
  switch (kCharClass[uint8_t(line_[run_])]) {
    case ccNull: NullProc(); break;
    case ccLineBreak:
    case ccSpace: ScanBlankOrLineEnd(); break;
    case ccIdent: IdentProc(); break;
    case ccDigit: NumberProc(false); break;
    case ccPoint: PointProc(); break;
    case ccString: StringProc(); break;
    case ccChar: CharProc(); break;
    case ccSlash: SlashProc(); break;
    case ccDirective: DirectiveStartProc(); break;
    case ccSymbol: SymbolProc(); break;
    default: UnknownProc(); break;
  }
}

void TCppHighlighter::NullProc() {
  tokenKind_ = ctkNull;
  if (range_ == crsAsm)
    range_ = crsAsmNextLine;
  else if (range_ == crsAsmLine)
    range_ = crsNormal;
}

int TCppHighlighter::ScanIdentifier(bool& isAsmKeyword) {
  // Hash and length in one pass; the compare reads the line in place.
  const unsigned hash = ScanHashedIdentifier(kIdentHash);
  const TKeywordCompareEntry* entry = CppKeywords().Find(hash, line_ + tokenPos_, run_ - tokenPos_);
  isAsmKeyword = entry && entry->Tag == kAsmTag;
  return entry ? entry->Kind : ctkIdentifier;
}

void TCppHighlighter::IdentProc() {
  bool isAsm;
  tokenKind_ = ScanIdentifier(isAsm);
  if (isAsm) range_ = crsAsm;
}

void TCppHighlighter::NumberProc(bool enteredByPoint) {
  const int start = tokenPos_;
  const bool startZero = !enteredByPoint && line_[start] == '0';
  auto occurs = [this, start](char a, char b, int end) {
    for (int i = start; i < end; ++i)
      if (line_[i] == a || line_[i] == b) return true;
    return false;
  };
  tokenKind_ = enteredByPoint ? ctkFloat : ctkNumber;
  run_ = start + 1;
  for (;;) {
    char c = line_[run_];
    if (!IsNumberChar(c)) break;
    bool stop = false;
    switch (c) {
      case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7':
        if (startZero && run_ == start + 1) tokenKind_ = ctkOctal;
        break;
      case '8': case '9':
        if (startZero && tokenKind_ != ctkHex && tokenKind_ != ctkFloat) tokenKind_ = ctkUnknown;
        break;
      case '.':
        if (line_[run_ + 1] == '.') {
          stop = true;
        } else if (tokenKind_ == ctkHex) {
          tokenKind_ = ctkUnknown;
          stop = true;
        } else {
          tokenKind_ = ctkFloat;
        }
        break;
      case 'x': case 'X':
        if (startZero && run_ == start + 1 && IsHexDigit(line_[run_ + 1])) {
          tokenKind_ = ctkHex;
        } else {
          if (!IsScannerIdent(line_[run_ + 1]) && (line_[start + 1] == 'x' || line_[start + 1] == 'X')) {
            ++run_;
            tokenKind_ = ctkUnknown;
          }
          stop = true;
        }
        break;
      case 'a': case 'b': case 'c': case 'd': case 'A': case 'B': case 'C': case 'D':
        stop = tokenKind_ != ctkHex;
        break;
      case 'e': case 'E':
        if (tokenKind_ == ctkHex) break;
        if (!IsDigit(line_[run_ - 1])) {
          stop = true;
        } else if (occurs('e', 'E', run_)) {
          tokenKind_ = ctkUnknown;
          stop = true;
        } else if (char n = line_[run_ + 1]; n == '+' || n == '-' || IsDigit(n)) {
          tokenKind_ = ctkFloat;
        } else {
          stop = true;
        }
        break;
      case '+': case '-':
        if (tokenKind_ == ctkFloat && (line_[run_ - 1] == 'e' || line_[run_ - 1] == 'E')) {
          char n = line_[run_ + 1];
          if (!IsDigit(n) && n != '+' && n != '-') {
            ++run_;
            tokenKind_ = ctkUnknown;
            stop = true;
          }
        } else {
          stop = true;
        }
        break;
      case 'f': case 'F':
        if (tokenKind_ == ctkHex) break;
        if (occurs('f', 'F', run_)) {
          tokenKind_ = ctkUnknown;
          stop = true;
        } else if (tokenKind_ == ctkFloat && (line_[run_ - 1] == 'l' || line_[run_ - 1] == 'L')) {
          stop = true;
        } else {
          tokenKind_ = ctkFloat;
        }
        break;
      case 'l': case 'L':
        if (occurs('l', 'L', run_ - 1)) {
          tokenKind_ = ctkUnknown;
          stop = true;
        } else if (tokenKind_ == ctkFloat && (line_[run_ - 1] == 'f' || line_[run_ - 1] == 'F')) {
          stop = true;
        }
        break;
      case 'u': case 'U':
        if (tokenKind_ == ctkFloat) {
          stop = true;
        } else if (occurs('u', 'U', run_)) {
          tokenKind_ = ctkUnknown;
          stop = true;
        }
        break;
      default:
        break;
    }
    if (stop) break;
    ++run_;
  }
  // A letter right after the number makes it invalid; the letters follow as
  // their own token.
  if (IsLetterOrUnderscore(line_[run_])) tokenKind_ = ctkUnknown;
}

void TCppHighlighter::PointProc() {
  if (line_[run_ + 1] == '.' && line_[run_ + 2] == '.') {
    run_ += 3;
    tokenKind_ = ctkSymbol;
  } else if (IsDigit(line_[run_ + 1])) {
    NumberProc(true);
  } else {
    ++run_;
    tokenKind_ = ctkSymbol;
  }
}

void TCppHighlighter::StringProc() {
  tokenKind_ = ctkString;
  ++run_;
  if (SkipQuotedBody('"')) range_ = crsStringContinued;
}

void TCppHighlighter::StringContinueProc() {
  range_ = crsNormal;
  tokenKind_ = ctkString;
  if (SkipQuotedBody('"')) range_ = crsStringContinued;
}

void TCppHighlighter::CharProc() {
  // No continuation: a backslash at the line end just ends the literal.
  tokenKind_ = ctkChar;
  ++run_;
  SkipQuotedBody('\'');
}

void TCppHighlighter::SlashProc() {
  switch (line_[run_ + 1]) {
    case '/':
      tokenKind_ = ctkComment;
      SkipToLineEnd();
      break;
    case '*':
      OpenBlockComment(crsBlockComment);
      break;
    case '=':
      run_ += 2;
      tokenKind_ = ctkSymbol;
      break;
    default:
      ++run_;
      tokenKind_ = ctkSymbol;
      break;
  }
}

void TCppHighlighter::OpenBlockComment(int state) {
  range_ = state;
  tokenKind_ = ctkComment;
  run_ += 2;
  if (SkipBlockCommentBody()) CloseComment();
}

void TCppHighlighter::CommentProc() {
  tokenKind_ = ctkComment;
  if (SkipBlockCommentBody()) CloseComment();
}

void TCppHighlighter::CloseComment() {
  switch (range_) {
    case crsDirectiveComment:
      range_ = IsLineEndChar(line_[run_]) ? crsNormal : crsDirectiveContinued;
      break;
    case crsAsmBlockComment:
      range_ = crsAsmBlock;
      break;
    default:
      range_ = crsNormal;
      break;
  }
}

void TCppHighlighter::DirectiveStartProc() {
  // A directive when nothing above a blank precedes the first `#` of the
  // line (an embedded line break counts as blank). Found once per line, so a
  // line of many `#` after long indentation stays linear.
  if (firstNonBlank_ < 0) {
    firstNonBlank_ = 0;
    while (line_[firstNonBlank_] != '\0' && uint8_t(line_[firstNonBlank_]) <= ' ') ++firstNonBlank_;
  }
  if (line_[firstNonBlank_] != '#') {
    ++run_;
    tokenKind_ = ctkUnknown;
    return;
  }
  DirectiveBody();
}

void TCppHighlighter::DirectiveContinueProc() {
  range_ = crsNormal;
  // A comment right at the start of the continued line would leave an empty
  // directive token; scan the comment instead.
  if (line_[run_] == '/' && line_[run_ + 1] == '/') {
    tokenKind_ = ctkComment;
    SkipToLineEnd();
  } else if (line_[run_] == '/' && line_[run_ + 1] == '*') {
    OpenBlockComment(crsDirectiveComment);
  } else {
    DirectiveBody();
  }
}

void TCppHighlighter::DirectiveBody() {
  tokenKind_ = ctkDirective;
  for (;;) {
    char c = line_[run_];
    if (IsLineEndChar(c)) return;
    if (c == '/' && run_ > tokenPos_) {
      if (line_[run_ + 1] == '/') return;
      if (line_[run_ + 1] == '*') {
        range_ = crsDirectiveCommentStart;
        return;
      }
    }
    if (c == '\\' && IsLineEndChar(line_[run_ + 1])) {
      ++run_;
      range_ = crsDirectiveContinued;
      return;
    }
    ++run_;
  }
}

void TCppHighlighter::AsmPendingProc() {
  char c = line_[run_];
  if (c == '\0') {
    NullProc();
  } else if (c == '\r' || c == '\n') {
    ScanLineBreak();
    tokenKind_ = ctkSpace;
  } else if (IsSpaceChar(c)) {
    ScanSpaces();
    tokenKind_ = ctkSpace;
  } else if (c == '{') {
    ++run_;
    tokenKind_ = ctkSymbol;
    range_ = crsAsmBlock;
  } else if (c == '/' && line_[run_ + 1] == '/') {
    // `__asm // note` with the brace on the next line.
    tokenKind_ = ctkComment;
    SkipToLineEnd();
  } else if (range_ == crsAsm && IsLetterOrUnderscore(c)) {
    // `__asm mov eax, 1`: a one-line statement, unless a qualifier of the
    // call form follows (`asm volatile (...)` is ordinary C).
    bool isAsm;
    int kind = ScanIdentifier(isAsm);
    std::string_view word(line_ + tokenPos_, size_t(run_ - tokenPos_));
    if (word == "volatile" || word == "goto" || word == "inline") {
      tokenKind_ = kind;
      range_ = crsNormal;
    } else {
      run_ = tokenPos_;
      range_ = crsAsmLine;
      AsmProc();
    }
  } else {
    range_ = crsNormal;
    ScanNormal();
  }
}

void TCppHighlighter::AsmProc() {
  char c = line_[run_];
  switch (c) {
    case '\0':
      NullProc();
      return;
    case '\r':
    case '\n':
      ScanLineBreak();
      tokenKind_ = ctkSpace;
      return;
    case '}':
      ++run_;
      tokenKind_ = ctkSymbol;
      range_ = crsNormal;
      return;
    case '/':
      if (line_[run_ + 1] == '/') {
        tokenKind_ = ctkComment;
        SkipToLineEnd();
        return;
      }
      if (line_[run_ + 1] == '*') {
        OpenBlockComment(range_ == crsAsmBlock ? crsAsmBlockComment : crsBlockComment);
        return;
      }
      break;
    default:
      if (IsSpaceChar(c)) {
        ScanSpaces();
        tokenKind_ = ctkSpace;
        return;
      }
      break;
  }
  tokenKind_ = ctkAsm;
  do {
    ++run_;
    c = line_[run_];
  } while (!IsLineEndChar(c) && !IsSpaceChar(c) && c != '}' &&
           !(c == '/' && (line_[run_ + 1] == '/' || line_[run_ + 1] == '*')));
}

void TCppHighlighter::UnknownProc() {
  tokenKind_ = ctkUnknown;
  SkipCharacterCell();
}

void TCppHighlighter::SymbolProc() {
  // Longest operator first.
  char c = line_[run_];
  char n = line_[run_ + 1];
  int length = 1;
  switch (c) {
    case '&': case '|': case '+':
      if (n == c || n == '=') length = 2;
      break;
    case '-':
      if (n == '-' || n == '=' || n == '>') length = 2;
      break;
    case '<': case '>':
      if (n == c)
        length = line_[run_ + 2] == '=' ? 3 : 2;
      else if (n == '=')
        length = 2;
      break;
    case '=': case '!': case '%': case '*': case '^':
      if (n == '=') length = 2;
      break;
    case ':':
      if (n == ':') length = 2;
      break;
    default:
      break;
  }
  run_ += length;
  tokenKind_ = ctkSymbol;
}

}  // namespace vantrel
