// Compare tables from word lists.
// Tested through tests/highlight/HighlighterCatalogueTest.cpp
#include "highlight/HighlighterWordTable.h"

#include <algorithm>

#include "platform/Assert.h"

namespace vantrel {

unsigned WordHash(const TIdentifierValues& values, std::string_view word) {
  unsigned hash = 0;
  for (char c : word) {
    VANTREL_ASSERT(values[uint8_t(c)] >= 0, "keyword holds a character that ends identifiers");
    hash += unsigned(values[uint8_t(c)]);
  }
  return hash;
}

const TKeywordCompareEntry* FindWord(const TKeywordCompareTable& table, const TIdentifierValues& values,
                                     std::string_view word) {
  if (word.empty()) return nullptr;
  for (char c : word)
    if (values[uint8_t(c)] < 0) return nullptr;
  return table.Find(WordHash(values, word), word.data(), int(word.size()));
}

TKeywordCompareTable BuildWordTable(const TIdentifierValues& values, bool caseSensitive,
                                    std::initializer_list<TWordGroup> groups,
                                    int (*tagOf)(std::string_view word)) {
  unsigned largest = 0;
  for (const TWordGroup& group : groups)
    for (std::string_view word : group.Words) largest = std::max(largest, WordHash(values, word));
  TKeywordCompareTable table(int(largest) + 1, caseSensitive);
  for (const TWordGroup& group : groups)
    for (std::string_view word : group.Words) {
      const unsigned hash = WordHash(values, word);
      if (table.Find(hash, word.data(), int(word.size()))) continue;
      table.Add(hash, word, group.Kind, tagOf ? tagOf(word) : 0);
    }
  return table;
}

}  // namespace vantrel
