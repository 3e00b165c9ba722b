// Keyword recognition for the language highlighters: tables of per-hash
// keyword compares (the common scheme) and keyword chains filled from a
// keyword list string (THashEntry, THashEntryList).
// Tested by tests/highlight/HighlighterHashEntriesTest.cpp
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

// Byte-exact comparison of two keyword spellings of equal length.
bool SameKeywordExact(const char* a, const char* b, int length);
// Comparison that gives each ASCII lower-case letter its upper-case value.
bool SameKeywordIgnoreCase(const char* a, const char* b, int length);

// ---------------------------------------------------------------- scheme 1

// One keyword of a compare table. Tag lets a language act on particular
// keywords (for example the C/C++ asm keywords) without another compare.
struct TKeywordCompareEntry {
  std::string_view Keyword;
  int Kind = 0;
  int Tag = 0;
};

// A table of compare procedures indexed by a character-sum hash: slot h holds
// the keywords whose hash is h, tested in the order added. The keyword texts
// must outlive the table (string literals in practice).
class TKeywordCompareTable {
 public:
  TKeywordCompareTable(int size, bool caseSensitive);

  int Size() const { return int(slots_.size()); }
  // Adds keyword to slot hash (which must be below Size()).
  void Add(unsigned hash, std::string_view keyword, int kind, int tag = 0);
  // The first keyword of slot hash equal to text[0..length), or nullptr; a
  // hash at or above Size() is an identifier without any compare.
  const TKeywordCompareEntry* Find(unsigned hash, const char* text, int length) const {
    if (hash >= slots_.size()) return nullptr;
    for (const auto& entry : slots_[hash])
      if (int(entry.Keyword.size()) == length && same_(entry.Keyword.data(), text, length)) return &entry;
    return nullptr;
  }
  const std::vector<TKeywordCompareEntry>& Slot(unsigned hash) const { return slots_.at(hash); }

 private:
  std::vector<std::vector<TKeywordCompareEntry>> slots_;
  bool (*same_)(const char*, const char*, int);
};

// ---------------------------------------------------------------- scheme 2

// One keyword in a chain; owns the rest of its chain.
class THashEntry {
 public:
  THashEntry(std::string keyword, int kind);
  ~THashEntry();
  THashEntry(const THashEntry&) = delete;  // owns its chain
  THashEntry& operator=(const THashEntry&) = delete;

  THashEntry* Next() const { return next_.get(); }
  int KeywordLen() const { return keywordLen_; }
  const std::string& Keyword() const { return keyword_; }
  int Kind() const { return kind_; }

  // Adds entry to the chain headed by head (which then holds the new head),
  // ordered by keyword length, equal lengths in the order added. Throws when
  // the chain already holds the keyword (letter case ignored); the chain is
  // left as it was.
  static void AddEntry(std::unique_ptr<THashEntry>& head, std::unique_ptr<THashEntry> entry);

 private:
  std::unique_ptr<THashEntry> next_;
  int keywordLen_;
  std::string keyword_;
  int kind_;
};

// Slot i holds the chain of keywords whose hash is i.
class THashEntryList {
 public:
  THashEntryList() = default;
  THashEntryList(const THashEntryList&) = delete;  // owns its chains
  THashEntryList& operator=(const THashEntryList&) = delete;

  int Count() const { return int(slots_.size()); }
  // The chain head of slot index, or nullptr (also outside the list).
  THashEntry* Get(int index) const;
  // Grows the list to index+1 slots when needed and adds entry to slot index.
  void Put(int index, std::unique_ptr<THashEntry> entry);
  void Clear() { slots_.clear(); }

  // Kind of the identifier text[0..length) with the given hash: the first
  // entry of equal length that `same` accepts; identifierKind when none.
  int Lookup(int hash, const char* text, int length, int identifierKind,
             bool (*same)(const char*, const char*, int) = SameKeywordIgnoreCase) const;

 private:
  std::vector<std::unique_ptr<THashEntry>> slots_;
};

// Splits keywords (words of identifier characters, anything else separates)
// and calls callback(word, kind) for each word in order.
void EnumerateKeywords(int kind, std::string_view keywords, const THighlighterCharSet& identChars,
                       const std::function<void(std::string_view word, int kind)>& callback);

}  // namespace vantrel
