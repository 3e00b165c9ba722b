// The MS-DOS batch highlighter.
// Tested by tests/highlight/HighlighterBatTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterBat.h"

#include "highlight/HighlighterHashEntries.h"

namespace vantrel {

namespace {

constexpr std::string_view kKeywords[] = {
    "cd", "if", "do", "del", "in", "off", "call", "on", "echo", "cls", "for", "set", "not", "goto",
    "copy", "shift", "pause", "title", "exist", "start", "errorlevel"};

constexpr int kHashTableSize = 160;  // above every keyword's hash
// Letters count the same in either case.
constexpr TIdentifierValues kValues = MakeIdentifierValues(0);

const TNumberRule kNumberRule{MakeCharSet(".0123456789")};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsLower(char c, char lower) { return c == lower || c == lower - 'a' + 'A'; }

unsigned WordHash(std::string_view word) {
  unsigned hash = 0;
  for (char c : word) hash += unsigned(kValues[uint8_t(c)]);
  return hash;
}

const TKeywordCompareTable& Keywords() {
  static const TKeywordCompareTable table = [] {
    TKeywordCompareTable t(kHashTableSize, /*caseSensitive=*/false);
    for (std::string_view word : kKeywords) t.Add(WordHash(word), word, btkKey);
    return t;
  }();
  return table;
}

}  // namespace

TBatHighlighter::TBatHighlighter()
    : TKitHighlighter({.LanguageName = "MS-DOS Batch",
                       .DefaultFilter = "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd",
                       .EndKind = btkNull,
                       .SpaceKind = btkSpace,
                       .Defaults = {.Comment = btkComment,
                                    .Identifier = btkIdentifier,
                                    .Keyword = btkKey,
                                    .Whitespace = btkSpace}},
                      {
                          {btkComment, "CommentAttri", "Comment", fsItalic, clNavy},
                          {btkIdentifier, "IdentifierAttri", "Identifier"},
                          {btkKey, "KeyAttri", "Key", fsBold},
                          {btkNumber, "NumberAttri", "Number", 0, clBlue},
                          {btkSpace, "SpaceAttri", "Space"},
                          {btkVariable, "VariableAttri", "Variable", 0, clGreen},
                      }) {
  Keywords();  // build the shared table now, not in the middle of a scan
}

bool TBatHighlighter::IsKeyword(std::string_view word) const {
  for (char c : word)
    if (kValues[uint8_t(c)] < 0) return false;
  return !word.empty() && Keywords().Find(WordHash(word), word.data(), int(word.size())) != nullptr;
}

void TBatHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (IsLower(c, 'r') && IsLower(line_[run_ + 1], 'e') && IsLower(line_[run_ + 2], 'm') &&
      uint8_t(line_[run_ + 3]) < uint8_t('!')) {
    tokenKind_ = btkComment;
    SkipToLineEnd();
  } else if (c == ':') {
    // `::` comments; a single `:` leads a label, whose name follows as a word.
    tokenKind_ = line_[run_ + 1] == ':' ? btkComment : btkIdentifier;
    if (tokenKind_ == btkComment)
      SkipToLineEnd();
    else
      ++run_;
  } else if (c == '%') {
    tokenKind_ = btkVariable;
    ++run_;
    while (kValues[uint8_t(line_[run_])] >= 0) ++run_;
    if (line_[run_] == '%') ++run_;
  } else if (IsDigit(c)) {
    tokenKind_ = btkNumber;
    ScanNumber(kNumberRule);
  } else if (IsLetter(c) || c == '_') {
    WordProc();
  } else {
    // No symbol attribute: other characters are drawn as identifiers.
    ScanCharacter(btkIdentifier);
  }
}

void TBatHighlighter::WordProc() {
  const unsigned hash = ScanHashedIdentifier(kValues);
  tokenKind_ = Keywords().Find(hash, line_ + tokenPos_, run_ - tokenPos_) ? btkKey : btkIdentifier;
}

}  // namespace vantrel
