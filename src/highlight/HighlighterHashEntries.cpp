// Keyword recognition for the language highlighters: compare tables and
// keyword chains.
// Tested by tests/highlight/HighlighterHashEntriesTest.cpp
#include "highlight/HighlighterHashEntries.h"

#include <cstring>

#include "platform/Assert.h"

namespace vantrel {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

}  // namespace

bool SameKeywordExact(const char* a, const char* b, int length) {
  return std::memcmp(a, b, size_t(length)) == 0;
}

bool SameKeywordIgnoreCase(const char* a, const char* b, int length) {
  for (int i = 0; i < length; ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

// ---------------------------------------------------------------- scheme 1

TKeywordCompareTable::TKeywordCompareTable(int size, bool caseSensitive)
    : slots_(size_t(size)), same_(caseSensitive ? SameKeywordExact : SameKeywordIgnoreCase) {}

void TKeywordCompareTable::Add(unsigned hash, std::string_view keyword, int kind, int tag) {
  VANTREL_ASSERT(hash < slots_.size(), "HighlighterHashEntries");
  slots_[hash].push_back({keyword, kind, tag});
}

// ---------------------------------------------------------------- scheme 2

THashEntry::THashEntry(std::string keyword, int kind)
    : keywordLen_(int(keyword.size())), keyword_(std::move(keyword)), kind_(kind) {}

THashEntry::~THashEntry() {
  // Free a long chain iteratively rather than by nested destructors.
  while (next_) next_ = std::move(next_->next_);
}

void THashEntry::AddEntry(std::unique_ptr<THashEntry>& head, std::unique_ptr<THashEntry> entry) {
  // Walk to the link the entry belongs at, before the first longer keyword;
  // every keyword of equal length lies on the way, so the check is complete
  // before anything changes.
  std::unique_ptr<THashEntry>* link = &head;
  while (*link) {
    THashEntry& current = **link;
    if (current.keywordLen_ == entry->keywordLen_ &&
        SameKeywordIgnoreCase(current.keyword_.data(), entry->keyword_.data(), entry->keywordLen_))
      throw Exception("Keyword \"" + current.keyword_ + "\" already in list");
    if (entry->keywordLen_ < current.keywordLen_) break;
    link = &current.next_;
  }
  entry->next_ = std::move(*link);
  *link = std::move(entry);
}

THashEntry* THashEntryList::Get(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return slots_[size_t(index)].get();
}

void THashEntryList::Put(int index, std::unique_ptr<THashEntry> entry) {
  VANTREL_ASSERT(index >= 0, "HighlighterHashEntries");
  if (index >= Count()) slots_.resize(size_t(index) + 1);
  THashEntry::AddEntry(slots_[size_t(index)], std::move(entry));
}

int THashEntryList::Lookup(int hash, const char* text, int length, int identifierKind,
                           bool (*same)(const char*, const char*, int)) const {
  for (THashEntry* entry = Get(hash); entry; entry = entry->Next()) {
    if (entry->KeywordLen() > length) break;
    if (entry->KeywordLen() == length && same(entry->Keyword().data(), text, length)) return entry->Kind();
  }
  return identifierKind;
}

void EnumerateKeywords(int kind, std::string_view keywords, const THighlighterCharSet& identChars,
                       const std::function<void(std::string_view word, int kind)>& callback) {
  // A NUL ends the list like the end of the text.
  size_t end = keywords.find('\0');
  if (end == std::string_view::npos) end = keywords.size();
  auto isIdent = [&](size_t i) { return identChars.test(static_cast<unsigned char>(keywords[i])); };
  size_t pos = 0;
  for (;;) {
    while (pos < end && !isIdent(pos)) ++pos;
    if (pos >= end) return;
    size_t start = pos;
    while (pos < end && isIdent(pos)) ++pos;
    callback(keywords.substr(start, pos - start), kind);
    if (pos >= end || pos + 1 >= end) return;
    ++pos;
  }
}

}  // namespace vantrel
