// The scanning kit every language highlighter is written on: attributes from
// a table, token kind -> attribute, range normalisation, continuation at line
// ends, hashed identifiers, numbers by a per-language rule, quoted strings,
// skips to a terminator, and sorted word lists.
// Tested by tests/highlight/HighlighterKitTest.cpp and tests/highlight/GoldenTest.cpp
//
// Adding a language:
//   1. src/highlight/HighlighterNAME.{h,cpp}: a class deriving from
//      TKitHighlighter with a token-kind enum (the end of line is one of the
//      kinds), an attribute table (kind, property, Name, style, colours) in
//      the order the constructor adds them, and NextToken.
//   2. One line in the language table of src/highlight/HighlighterLanguages.cpp
//      (short name, class name, creator). That line registers the class, makes
//      it known to tools/vantrel-lex, the golden runner, the fuzzer and the
//      bench, and lets the main window find it by its class name.
//   3. Golden examples in tests/highlight/examples/<short name>/.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

// One attribute a language creates: its token kind, the property name the
// main window's settings use ("CommentAttri"), its display Name and defaults.
struct TAttributeSpec {
  int Kind;
  const char* Property;
  const char* Name;
  TFontStyles Style = 0;
  TColor Foreground = clNone;
  TColor Background = clNone;
};

// Token kinds answering DefaultAttribute's indices; kNoKind where the
// language has no attribute of that role.
struct TDefaultKinds {
  static constexpr int kNoKind = -1;
  int Comment = kNoKind;
  int Identifier = kNoKind;
  int Keyword = kNoKind;
  int String = kNoKind;
  int Whitespace = kNoKind;
  int Symbol = kNoKind;
};

// What a number token may continue over after its first character.
struct TNumberRule {
  THighlighterCharSet Chars;
  // A `.` followed by another `.` ends the number before it (`1..2`).
  bool StopBeforeDoubleDot = false;
  // A `-` continues the number only right after an `e`/`E` (`1.5e-3`).
  bool MinusOnlyAfterExponent = false;
  // `x`/`X` continues only as the second character after a leading `0` with a
  // hex digit after it; hex letters continue only after such a prefix.
  bool HexOnlyAfterPrefix = false;
};

// Per-byte value of an identifier character, -1 for bytes that end one.
using TIdentifierValues = std::array<int16_t, 256>;
// Letters A..Z and a..z, digits and `_` as identifier characters with the
// given values (lower case = upper case + lowerOffset; digits and `_` = 0).
constexpr TIdentifierValues MakeIdentifierValues(int lowerOffset, bool withUnderscore = true,
                                                bool withDigits = true) {
  TIdentifierValues values{};
  for (auto& value : values) value = -1;
  for (int c = 'A'; c <= 'Z'; ++c) {
    values[size_t(c)] = int16_t(c - 'A' + 1);
    values[size_t(c - 'A' + 'a')] = int16_t(c - 'A' + 1 + lowerOffset);
  }
  if (withDigits)
    for (int c = '0'; c <= '9'; ++c) values[size_t(c)] = 0;
  if (withUnderscore) values['_'] = 0;
  return values;
}

// A word list kept sorted (byte-wise) for binary search; each word carries a
// kind. Adding a word already present does nothing.
class TSortedWordList {
 public:
  TSortedWordList() = default;
  TSortedWordList(std::initializer_list<std::string_view> words, int kind);
  void Add(std::string_view word, int kind);
  void Clear() { words_.clear(); }
  int Count() const { return int(words_.size()); }
  const std::string& Word(int index) const { return words_.at(size_t(index)).Text; }
  // The kind of word, or notFound.
  int Find(std::string_view word, int notFound) const;
  // As Find, comparing the word upper-cased in ASCII (the list holds upper case).
  int FindUpperCased(std::string_view word, int notFound) const;

 private:
  struct Entry {
    std::string Text;
    int Kind;
  };
  std::vector<Entry> words_;
};

class TKitHighlighter : public TCustomHighlighter {
 public:
  THighlighterAttributes* DefaultAttribute(int index) const override;
  THighlighterAttributes* AttributeByProperty(std::string_view property) const override;
  bool IsDefaultFilterStored() const override { return DefaultFilter() != defaultFilter_; }
  std::string LanguageName() const override { return std::string(languageName_); }

  bool AtLineEnd() const override { return tokenKind_ == endKind_; }
  int TokenKind() const override { return tokenKind_; }
  THighlighterAttributes* TokenAttribute() const override { return AttributeOfKind(tokenKind_); }

  TLineRange RangeState() const override { return range_; }
  // A value that is not one of the language's states (kNoLineRange, a value
  // stored by another language) starts the line in the initial state.
  void SetRangeState(TLineRange value) override;
  void ResetRangeState() override { range_ = initialRange_; }

  // The attribute drawing tokens of a kind; nullptr for the end of line.
  THighlighterAttributes* AttributeOfKind(int kind) const {
    return kind >= 0 && size_t(kind) < kindAttributes_.size() ? kindAttributes_[size_t(kind)] : nullptr;
  }

 protected:
  struct TLanguageInfo {
    std::string_view LanguageName;
    std::string_view DefaultFilter;
    int EndKind;        // the end-of-line token kind
    int SpaceKind;      // whitespace and line breaks
    TDefaultKinds Defaults;
    // The states a line may start in; empty for a language that keeps no
    // range (RangeState is then always 0).
    std::vector<int> Ranges = {};
    int InitialRange = 0;
  };

  // Creates the attributes in table order, binds them and saves the defaults,
  // sets the initial range and the filter.
  TKitHighlighter(const TLanguageInfo& info, std::initializer_list<TAttributeSpec> attributes);

  // At the start of a token that continues a construct: NUL gives the end of
  // line and CR/LF a line-break token, the range kept either way. True when
  // such a token was scanned.
  bool LineEndAtContinuation();
  // Whitespace run, line break or end of line at run_; true when one was scanned.
  bool ScanBlankOrLineEnd();
  // The end-of-line token (run_ not advanced).
  void EndOfLine() { tokenKind_ = endKind_; }

  // Reads the identifier at run_ (one or more characters with values >= 0)
  // and returns the sum of their values.
  unsigned ScanHashedIdentifier(const TIdentifierValues& values) {
    unsigned hash = 0;
    int16_t value;
    while ((value = values[uint8_t(line_[run_])]) >= 0) {
      hash += unsigned(value);
      ++run_;
    }
    return hash;
  }
  // Advances over bytes of the set.
  void SkipWhileIn(const THighlighterCharSet& set) {
    while (set.test(uint8_t(line_[run_]))) ++run_;
  }
  // A number whose first character is at run_; returns true when the rule's
  // hex prefix made it hexadecimal.
  bool ScanNumber(const TNumberRule& rule);
  // Up to and including terminator, or to the line end; true when found.
  bool SkipToTerminator(std::string_view terminator);
  // Up to and including quote (no escapes), or to the line end; true when found.
  bool SkipToQuote(char quote);
  // Up to and including quote, a backslash taking the next character, or to
  // the line end. Returns true when the line ended right after a backslash.
  bool SkipEscapedQuoted(char quote);
  // A character no rule takes: one byte, or a double-byte character.
  void ScanCharacter(int kind) {
    tokenKind_ = kind;
    SkipCharacterCell();
  }
  // Two-character symbols: when the character after run_ is in `seconds`, two
  // characters, else one; the token has kind `kind`.
  void ScanSymbol(std::string_view seconds, int kind);

  int tokenKind_;
  int range_;

 private:
  std::string_view languageName_;
  std::string_view defaultFilter_;
  int endKind_;
  int spaceKind_;
  TDefaultKinds defaults_;
  std::vector<int> ranges_;
  int initialRange_;
  std::vector<THighlighterAttributes*> kindAttributes_;  // indexed by kind
  std::vector<std::pair<const char*, THighlighterAttributes*>> properties_;
};

}  // namespace vantrel
