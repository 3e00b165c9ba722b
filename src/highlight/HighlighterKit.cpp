// The scanning kit every language highlighter is written on.
// Tested by tests/highlight/HighlighterKitTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterKit.h"

#include <algorithm>
#include <cstring>

#include "platform/Assert.h"

namespace vantrel {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

// ---------------------------------------------------------------- sorted word list

TSortedWordList::TSortedWordList(std::initializer_list<std::string_view> words, int kind) {
  words_.reserve(words.size());
  for (std::string_view word : words) Add(word, kind);
}

void TSortedWordList::Add(std::string_view word, int kind) {
  auto it = std::lower_bound(words_.begin(), words_.end(), word,
                             [](const Entry& e, std::string_view w) { return std::string_view(e.Text) < w; });
  if (it != words_.end() && it->Text == word) return;
  words_.insert(it, Entry{std::string(word), kind});
}

int TSortedWordList::Find(std::string_view word, int notFound) const {
  auto it = std::lower_bound(words_.begin(), words_.end(), word,
                             [](const Entry& e, std::string_view w) { return std::string_view(e.Text) < w; });
  return it != words_.end() && it->Text == word ? it->Kind : notFound;
}

int TSortedWordList::FindUpperCased(std::string_view word, int notFound) const {
  // Words longer than any list entry cannot match; the bound keeps the copy on the stack.
  char upper[64];
  if (word.size() > sizeof upper) return notFound;
  for (size_t i = 0; i < word.size(); ++i) upper[i] = UpperAscii(word[i]);
  return Find(std::string_view(upper, word.size()), notFound);
}

// ---------------------------------------------------------------- construction

TKitHighlighter::TKitHighlighter(const TLanguageInfo& info, std::initializer_list<TAttributeSpec> attributes)
    : tokenKind_(info.EndKind),
      range_(info.InitialRange),
      languageName_(info.LanguageName),
      defaultFilter_(info.DefaultFilter),
      endKind_(info.EndKind),
      spaceKind_(info.SpaceKind),
      defaults_(info.Defaults),
      ranges_(info.Ranges),
      initialRange_(info.InitialRange) {
  for (const TAttributeSpec& row : attributes) {
    auto* attribute = new THighlighterAttributes(row.Name);
    attribute->SetStyle(row.Style);
    attribute->SetForeground(row.Foreground);
    attribute->SetBackground(row.Background);
    AddAttribute(attribute);
    VANTREL_ASSERT(row.Kind >= 0 && row.Kind != endKind_, "attribute kind");
    if (kindAttributes_.size() <= size_t(row.Kind)) kindAttributes_.resize(size_t(row.Kind) + 1);
    kindAttributes_[size_t(row.Kind)] = attribute;
    properties_.emplace_back(row.Property, attribute);
  }
  FinishAttributes();
  SetDefaultFilter(std::string(defaultFilter_));
}

THighlighterAttributes* TKitHighlighter::DefaultAttribute(int index) const {
  switch (index) {
    case haComment: return AttributeOfKind(defaults_.Comment);
    case haIdentifier: return AttributeOfKind(defaults_.Identifier);
    case haKeyword: return AttributeOfKind(defaults_.Keyword);
    case haString: return AttributeOfKind(defaults_.String);
    case haWhitespace: return AttributeOfKind(defaults_.Whitespace);
    case haSymbol: return AttributeOfKind(defaults_.Symbol);
    default: return nullptr;
  }
}

THighlighterAttributes* TKitHighlighter::AttributeByProperty(std::string_view property) const {
  for (const auto& [name, attribute] : properties_)
    if (property == name) return attribute;
  return nullptr;
}

void TKitHighlighter::SetRangeState(TLineRange value) {
  if (ranges_.empty()) return;
  const bool known = std::find(ranges_.begin(), ranges_.end(), value) != ranges_.end();
  range_ = known ? int(value) : initialRange_;
}

// ---------------------------------------------------------------- shared scanners

bool TKitHighlighter::LineEndAtContinuation() {
  char c = line_[run_];
  if (c == '\0') {
    EndOfLine();
    return true;
  }
  if (c == '\r' || c == '\n') {
    // A line break inside the text is a token of its own; the construct goes
    // on after it as it would on the next line.
    ScanLineBreak();
    tokenKind_ = spaceKind_;
    return true;
  }
  return false;
}

bool TKitHighlighter::ScanBlankOrLineEnd() {
  if (LineEndAtContinuation()) return true;
  if (!IsSpaceChar(line_[run_])) return false;
  ScanSpaces();
  tokenKind_ = spaceKind_;
  return true;
}

bool TKitHighlighter::ScanNumber(const TNumberRule& rule) {
  const int start = run_;
  bool hex = false;
  ++run_;
  for (;;) {
    const char c = line_[run_];
    if (!rule.Chars.test(uint8_t(c))) break;
    if (c == '.' && rule.StopBeforeDoubleDot && line_[run_ + 1] == '.') break;
    if (c == '-' && rule.MinusOnlyAfterExponent && line_[run_ - 1] != 'e' && line_[run_ - 1] != 'E') break;
    if (rule.HexOnlyAfterPrefix) {
      if (c == 'x' || c == 'X') {
        if (run_ != start + 1 || line_[start] != '0' || !IsHexDigit(line_[run_ + 1])) break;
        hex = true;
      } else if (!hex && IsHexDigit(c) && !(c >= '0' && c <= '9')) {
        break;
      }
    }
    ++run_;
  }
  return hex;
}

bool TKitHighlighter::SkipToTerminator(std::string_view terminator) {
  VANTREL_ASSERT(!terminator.empty(), "empty terminator");
  const char first = terminator.front();
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    // The line copy is NUL-terminated, so the compare stops at the line end.
    if (c == first && std::strncmp(line_ + run_, terminator.data(), terminator.size()) == 0) {
      run_ += int(terminator.size());
      return true;
    }
    ++run_;
  }
}

bool TKitHighlighter::SkipToQuote(char quote) {
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    ++run_;
    if (c == quote) return true;
  }
}

bool TKitHighlighter::SkipEscapedQuoted(char quote) {
  for (;;) {
    const char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    ++run_;
    if (c == quote) return false;
    if (c == '\\') {
      const char next = line_[run_];
      if (next == '\0') return true;
      if (!IsLineEndChar(next)) ++run_;
    }
  }
}

void TKitHighlighter::ScanSymbol(std::string_view seconds, int kind) {
  const char next = line_[run_ + 1];
  run_ += next != '\0' && seconds.find(next) != std::string_view::npos ? 2 : 1;
  tokenKind_ = kind;
}

}  // namespace vantrel
