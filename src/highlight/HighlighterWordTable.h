// Building a compare table from word lists, for the languages that hash an
// identifier by summing per-character values: the table is sized to the
// largest hash of its words, so any longer sum is an identifier at once.
// Tested through the language tests (tests/highlight/HighlighterCatalogueTest.cpp)
#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "highlight/HighlighterHashEntries.h"
#include "highlight/HighlighterKit.h"

namespace vantrel {

// Words of one kind.
struct TWordGroup {
  std::span<const std::string_view> Words;
  int Kind;
};

unsigned WordHash(const TIdentifierValues& values, std::string_view word);

// The table's entry for a whole word (for IsKeyword); nullptr when the word is
// empty, holds a character that ends identifiers, or is not in the table.
const TKeywordCompareEntry* FindWord(const TKeywordCompareTable& table, const TIdentifierValues& values,
                                     std::string_view word);

// The words of the groups, in group order; a word already added keeps its
// first kind. Tags come from tagOf(word) when given.
TKeywordCompareTable BuildWordTable(const TIdentifierValues& values, bool caseSensitive,
                                    std::initializer_list<TWordGroup> groups,
                                    int (*tagOf)(std::string_view word) = nullptr);

}  // namespace vantrel
