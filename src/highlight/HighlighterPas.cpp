// The Object Pascal highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterPas.h"

#include "highlight/HighlighterWordTable.h"

namespace vantrel {

namespace {

constexpr std::string_view kAlways[] = {
    "If", "Do", "And", "As", "Of", "In", "Far", "Case", "on", "Label", "Mod", "File", "Nil", "To",
    "Div", "Begin", "Near", "For", "Shl", "Packed", "Else", "Var", "Shr", "Then", "Not", "Pascal",
    "Raise", "Class", "Object", "Out", "Goto", "While", "Xor", "With", "Public", "Record", "Array",
    "Try", "Inline", "Repeat", "Type", "Default", "Dynamic", "Message", "Const", "Except", "Until",
    "Finally", "Abstract", "Forward", "Library", "String", "Program", "Downto", "Private",
    "Inherited", "Published", "Override", "External", "Function", "Virtual", "Procedure",
    "Protected", "Destructor", "Constructor", "Implementation", "Initialization", "End", "Set",
    "Unit", "Uses", "Interface", "Assembler", "Absolute", "Export", "Register", "Exports",
    "Property", "Is", "Asm", "Or"};

// A conditional word's tag: the first version it is a keyword in, and where.
constexpr int kVersionMask = 0xFF;
constexpr int kInPackage = 0x100;
constexpr int kInProperty = 0x200;
constexpr int kInExports = 0x400;

struct TConditionalWord {
  std::string_view Word;
  int Tag;
};

constexpr TConditionalWord kConditional[] = {
    {"Cdecl", dvDelphi2},          {"Stdcall", dvDelphi2},
    {"Finalization", dvDelphi2},   {"Safecall", dvDelphi3},
    {"Dispid", dvDelphi3},         {"Threadvar", dvDelphi3},
    {"Automated", dvDelphi3},      {"Dispinterface", dvDelphi3},
    {"Resourcestring", dvDelphi3}, {"Stringresource", dvDelphi3},
    {"overload", dvDelphi4},       {"Reintroduce", dvDelphi4},
    {"deprecated", dvDelphi6},     {"platform", dvDelphi6},
    {"Final", dvDelphi8},          {"Sealed", dvDelphi8},
    {"Helper", dvDelphi8},         {"Operator", dvDelphi8},
    {"package", kInPackage},       {"contains", kInPackage},
    {"requires", kInPackage},      {"Read", kInProperty},
    {"Write", kInProperty},        {"Stored", kInProperty},
    {"Nodefault", kInProperty},    {"Readonly", kInProperty | dvDelphi3},
    {"Writeonly", kInProperty | dvDelphi3},
    {"Implements", kInProperty | dvDelphi4},
    {"Index", kInProperty | kInExports},
    {"name", kInExports},
};

constexpr auto kConditionalWords = [] {
  std::array<std::string_view, std::size(kConditional)> words{};
  for (size_t i = 0; i < words.size(); ++i) words[i] = kConditional[i].Word;
  return words;
}();

int ConditionOf(std::string_view word) {
  for (const TConditionalWord& entry : kConditional)
    if (entry.Word.size() == word.size() && SameKeywordIgnoreCase(entry.Word.data(), word.data(), int(word.size())))
      return entry.Tag;
  return 0;
}

// Letters count the same in either case.
constexpr TIdentifierValues kValues = MakeIdentifierValues(0);

const TKeywordCompareTable& Keywords() {
  static const TKeywordCompareTable table =
      BuildWordTable(kValues, /*caseSensitive=*/false, {{kAlways, pastkKey}, {kConditionalWords, pastkKey}}, &ConditionOf);
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool StartsWord(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWord(const char* text, int length, std::string_view word) {
  return int(word.size()) == length && SameKeywordIgnoreCase(text, word.data(), length);
}

}  // namespace

TPasHighlighter::TPasHighlighter()
    : TKitHighlighter({.LanguageName = "Object Pascal",
                       .DefaultFilter = "Pascal Files (*.pas;*.pp;*.dpr;*.dpk;*.inc)|*.pas;*.pp;*.dpr;*.dpk;*.inc",
                       .EndKind = pastkNull,
                       .SpaceKind = pastkSpace,
                       .Defaults = {.Comment = pastkComment,
                                    .Identifier = pastkIdentifier,
                                    .Keyword = pastkKey,
                                    .String = pastkString,
                                    .Whitespace = pastkSpace,
                                    .Symbol = pastkSymbol},
                       .Ranges = {pasrAnsi, pasrAnsiAsm, pasrAsm, pasrBor, pasrBorAsm, pasrProperty, pasrExports, pasrDirective,
                                  pasrDirectiveAsm, pasrNormal},
                       .InitialRange = pasrNormal},
                      {
                          {pastkAsm, "AsmAttri", "Assembler"},
                          {pastkComment, "CommentAttri", "Comment", fsItalic},
                          {pastkDirective, "DirectiveAttri", "Preprocessor", fsItalic},
                          {pastkIdentifier, "IdentifierAttri", "Identifier"},
                          {pastkKey, "KeyAttri", "Reserved Word", fsBold},
                          {pastkNumber, "NumberAttri", "Number"},
                          {pastkFloat, "FloatAttri", "Float"},
                          {pastkHex, "HexAttri", "Hexadecimal"},
                          {pastkSpace, "SpaceAttri", "Space"},
                          {pastkString, "StringAttri", "String"},
                          {pastkChar, "CharAttri", "Character"},
                          {pastkSymbol, "SymbolAttri", "Symbol"},
                      }) {
  Keywords();  // build the shared table now, not in the middle of a scan
}

void TPasHighlighter::SetDelphiVersion(TDelphiVersion value) {
  if (value == delphiVersion_) return;
  delphiVersion_ = value;
  AttributeChanged(nullptr);  // the same text now highlights differently
}

void TPasHighlighter::SetPackageSource(bool value) {
  if (value == packageSource_) return;
  packageSource_ = value;
  AttributeChanged(nullptr);
}

int TPasHighlighter::KindOf(const char* word, int length) const {
  const TKeywordCompareEntry* entry = Keywords().Find(WordHash(kValues, {word, size_t(length)}), word, length);
  if (!entry) return pastkIdentifier;
  const int tag = entry->Tag;
  if ((tag & kVersionMask) > delphiVersion_) return pastkIdentifier;
  if ((tag & kInPackage) && !packageSource_) return pastkIdentifier;
  const int context = range_ == pasrProperty ? kInProperty : range_ == pasrExports ? kInExports : 0;
  if ((tag & (kInProperty | kInExports)) && !(tag & context)) return pastkIdentifier;
  return pastkKey;
}

bool TPasHighlighter::IsKeyword(std::string_view word) const {
  const TKeywordCompareEntry* entry = FindWord(Keywords(), kValues, word);
  // Context words count as keywords wherever they may be one.
  return entry && (entry->Tag & kVersionMask) <= delphiVersion_ && (!(entry->Tag & kInPackage) || packageSource_);
}

bool TPasHighlighter::InAsm() const {
  return range_ == pasrAsm || range_ == pasrAnsiAsm || range_ == pasrBorAsm || range_ == pasrDirectiveAsm;
}

bool TPasHighlighter::InComment() const {
  return range_ == pasrAnsi || range_ == pasrAnsiAsm || range_ == pasrBor || range_ == pasrBorAsm ||
         range_ == pasrDirective || range_ == pasrDirectiveAsm;
}

// The rest of a comment or directive: to its close or the line end.
void TPasHighlighter::CommentBody() {
  const bool ansi = range_ == pasrAnsi || range_ == pasrAnsiAsm;
  tokenKind_ = range_ == pasrDirective || range_ == pasrDirectiveAsm ? pastkDirective : pastkComment;
  if (SkipToTerminator(ansi ? "*)" : "}")) range_ = InAsm() ? pasrAsm : pasrNormal;
}

void TPasHighlighter::OpenComment(int range, int asmRange, int skip) {
  range_ = InAsm() ? asmRange : range;
  run_ += skip;
  CommentBody();
}

void TPasHighlighter::NextToken() {
  tokenPos_ = run_;
  if (InComment()) {
    if (!LineEndAtContinuation()) CommentBody();
    return;
  }
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  const char next = line_[run_ + 1];
  if (c == '{') {
    if (next == '$')
      OpenComment(pasrDirective, pasrDirectiveAsm, 2);
    else
      OpenComment(pasrBor, pasrBorAsm, 1);
  } else if (c == '(' && next == '*') {
    OpenComment(pasrAnsi, pasrAnsiAsm, 2);
  } else if (c == '/' && next == '/' && delphiVersion_ > dvDelphi1) {
    tokenKind_ = pastkComment;
    SkipToLineEnd();
  } else if (StartsWord(c)) {
    WordProc();
  } else if (IsDigit(c)) {
    NumberProc();
  } else if (c == '\'') {
    StringProc();
  } else if (c == '#' && (next == '$' || IsHexDigit(next))) {
    tokenKind_ = pastkChar;
    ++run_;
    while (line_[run_] == '$' || IsHexDigit(line_[run_])) ++run_;
  } else if (c == '$' && IsHexDigit(next)) {
    tokenKind_ = pastkHex;
    ++run_;
    while (IsHexDigit(line_[run_])) ++run_;
  } else {
    SymbolProc(c);
  }
  // Everything but comments, directives and blanks in an asm block is asm.
  if (range_ == pasrAsm && tokenKind_ != pastkKey && tokenKind_ != pastkComment && tokenKind_ != pastkDirective)
    tokenKind_ = pastkAsm;
}

void TPasHighlighter::WordProc() {
  ScanHashedIdentifier(kValues);
  const char* word = line_ + tokenPos_;
  const int length = run_ - tokenPos_;
  if (range_ == pasrAsm) {
    // Only `end` closes an asm block; its other words are instructions.
    if (IsWord(word, length, "end")) {
      tokenKind_ = pastkKey;
      range_ = pasrNormal;
    } else {
      tokenKind_ = pastkAsm;
    }
    return;
  }
  tokenKind_ = KindOf(word, length);
  if (tokenKind_ != pastkKey) return;
  if (IsWord(word, length, "asm"))
    range_ = pasrAsm;
  else if (IsWord(word, length, "end"))
    range_ = pasrNormal;
  else if (IsWord(word, length, "property"))
    range_ = pasrProperty;
  else if (IsWord(word, length, "exports"))
    range_ = pasrExports;
}

void TPasHighlighter::NumberProc() {
  tokenKind_ = pastkNumber;
  ++run_;
  for (;;) {
    const char c = line_[run_];
    if (IsDigit(c)) {
      ++run_;
    } else if (c == '.' && line_[run_ + 1] != '.') {
      tokenKind_ = pastkFloat;
      ++run_;
    } else if (c == 'e' || c == 'E') {
      tokenKind_ = pastkFloat;
      ++run_;
      if (line_[run_] == '+' || line_[run_] == '-') ++run_;
    } else {
      return;
    }
  }
}

// `''` inside a string stands for one quote.
void TPasHighlighter::StringProc() {
  tokenKind_ = pastkString;
  ++run_;
  while (SkipToQuote('\'') && line_[run_] == '\'') ++run_;
}

void TPasHighlighter::SymbolProc(char c) {
  tokenKind_ = pastkSymbol;
  const char next = line_[run_ + 1];
  const bool pair = (c == ':' && next == '=') || (c == '>' && next == '=') || (c == '<' && (next == '=' || next == '>')) ||
                    (c == '.' && (next == '.' || next == ')')) || (c == '(' && next == '.') ||
                    (c == '@' && next == '@');
  if (pair) {
    run_ += 2;
    return;
  }
  if (c == ';' && (range_ == pasrProperty || range_ == pasrExports)) range_ = pasrNormal;
  ScanCharacter(pastkSymbol);
}

}  // namespace vantrel
