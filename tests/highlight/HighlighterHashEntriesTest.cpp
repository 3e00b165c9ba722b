// Keyword recognition: the C/C++ keyword hashes, keyword chains and the
// keyword list splitter.
#include "highlight/HighlighterHashEntries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

// Every C/C++ keyword with the hash it must land at: a keyword in the wrong
// slot is never found, so this guards the hash function and the list alike.
TEST(CppKeywordTest, EveryKeywordIsFoundAtItsHash) {
  struct Row {
    int hash;
    std::vector<const char*> keywords;
  };
  const Row rows[] = {
      {17, {"if"}}, {21, {"do"}}, {32, {"cdecl", "case", "_cdecl", "__cdecl"}}, {34, {"char"}},
      {36, {"asm", "_asm", "__asm"}}, {40, {"catch"}}, {42, {"for", "break"}}, {45, {"else", "new"}},
      {46, {"__int8", "__int16", "int", "__int32", "__int64"}}, {48, {"false", "bool"}}, {52, {"long"}},
      {54, {"void"}}, {57, {"enum", "delete"}}, {58, {"_pascal", "__pascal", "pascal"}},
      {59, {"class", "float"}}, {60, {"this"}}, {61, {"goto", "auto"}}, {62, {"__thread", "while", "friend"}},
      {64, {"signed"}}, {65, {"double"}}, {66, {"__try", "try"}}, {67, {"__dispid"}}, {68, {"true"}},
      {69, {"public", "inline"}}, {71, {"__rtti"}}, {74, {"__classid"}}, {75, {"__declspec", "using"}},
      {76, {"const", "default"}}, {78, {"_stdcall", "union", "__stdcall", "static"}},
      {79, {"__except", "wchar_t"}}, {81, {"mutable"}}, {82, {"_fastcall", "__fastcall"}},
      {85, {"short", "typeid"}}, {86, {"sizeof", "__finally", "namespace"}}, {88, {"switch", "typedef"}},
      {89, {"throw"}}, {90, {"interface"}}, {92, {"extern"}}, {97, {"__import", "_import"}},
      {98, {"private"}}, {100, {"template", "__closure"}}, {101, {"unsigned"}}, {102, {"return"}},
      {104, {"volatile", "_export", "__export"}}, {105, {"__published"}}, {106, {"explicit"}},
      {107, {"typename", "struct"}}, {109, {"register", "continue", "__automated"}}, {110, {"virtual"}},
      {115, {"protected"}}, {116, {"operator"}}, {123, {"dynamic_cast", "const_cast"}},
      {125, {"static_cast"}}, {141, {"__property"}}, {206, {"reinterpret_cast"}},
  };
  TCppHighlighter h;
  int total = 0;
  for (const Row& row : rows) {
    for (const char* keyword : row.keywords) {
      ++total;
      int hash = 0;
      for (const char* p = keyword; *p; ++p) {
        char c = *p;
        hash += (c >= 'A' && c <= 'Z') ? c - 'A' + 1 : (c >= 'a' && c <= 'z') ? c - 'a' + 2 : 0;
      }
      EXPECT_EQ(hash, row.hash) << keyword;
      EXPECT_TRUE(h.IsKeyword(keyword)) << keyword;
      h.ResetRangeState();  // an asm keyword leaves the asm state behind
      h.StartLine(keyword, 0);
      EXPECT_EQ(h.TokenKind(), ctkKey) << keyword;
      EXPECT_EQ(h.TokenText(), keyword);
    }
  }
  EXPECT_EQ(total, 95);
}

TEST(CppKeywordTest, NearMissesAreIdentifiers) {
  TCppHighlighter h;
  // Same hash as a keyword, other case, prefix/suffix of one, hash above the table.
  for (const char* word : {"fi", "If", "INT", "Class", "in", "ints", "__asm__", "reinterpret_casts", "zzzzzzzzz",
                           "_", "a1"}) {
    EXPECT_FALSE(h.IsKeyword(word)) << word;
    h.ResetRangeState();
    h.StartLine(word, 0);
    EXPECT_EQ(h.TokenKind(), ctkIdentifier) << word;
    EXPECT_EQ(h.TokenText(), word);
  }
  EXPECT_FALSE(h.IsKeyword("if "));
  EXPECT_FALSE(h.IsKeyword(""));
}

std::vector<std::string> Chain(const THashEntry* head) {
  std::vector<std::string> out;
  for (; head; head = head->Next()) out.push_back(head->Keyword());
  return out;
}

TEST(HashEntryTest, ChainsAreOrderedByLengthThenInsertion) {
  THashEntryList list;
  for (const char* word : {"mov", "jmp", "push", "ja", "jmpf", "j"}) list.Put(3, std::make_unique<THashEntry>(word, 1));
  EXPECT_EQ(Chain(list.Get(3)), (std::vector<std::string>{"j", "ja", "mov", "jmp", "push", "jmpf"}));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_EQ(list.Get(4), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(3)->KeywordLen(), 1);
}

TEST(HashEntryTest, DuplicateIgnoringCaseIsRejected) {
  THashEntryList list;
  list.Put(0, std::make_unique<THashEntry>("Push", 1));
  list.Put(0, std::make_unique<THashEntry>("pop", 1));
  try {
    list.Put(0, std::make_unique<THashEntry>("PUSH", 2));
    FAIL() << "duplicate accepted";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Keyword \"Push\" already in list");
  }
  EXPECT_EQ(Chain(list.Get(0)), (std::vector<std::string>{"pop", "Push"}));
}

TEST(HashEntryTest, LookupComparesOnlyEqualLengths) {
  THashEntryList list;
  list.Put(5, std::make_unique<THashEntry>("ab", 10));
  list.Put(5, std::make_unique<THashEntry>("abc", 11));
  list.Put(5, std::make_unique<THashEntry>("xyz", 12));
  struct Case {
    const char* text;
    int hash;
    int kind;
  };
  const Case cases[] = {{"ab", 5, 10},  {"AB", 5, 10},  {"abc", 5, 11}, {"XYZ", 5, 12},
                        {"a", 5, 0},    {"abcd", 5, 0}, {"abd", 5, 0},  {"ab", 6, 0},
                        {"ab", 400, 0}, {"ab", -1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(list.Lookup(c.hash, c.text, int(std::string(c.text).size()), 0), c.kind) << c.text << c.hash;
  EXPECT_EQ(list.Lookup(5, "AB", 2, 0, SameKeywordExact), 0);
}

TEST(HashEntryTest, KeywordListIsSplitAtNonIdentifierCharacters) {
  THighlighterCharSet ident;
  AddCharRange(ident, 'a', 'z');
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"commas", "aaa,bb,c", {"aaa", "bb", "c"}},
      {"leading and doubled separators", ",,a,,b", {"a", "b"}},
      {"trailing separator", "a,b,", {"a", "b"}},
      {"trailing separator and blank", "a, ", {"a"}},
      {"empty", "", {}},
      {"only separators", ",;,", {}},
      {"NUL ends the list", std::string("a,b\0,c", 6), {"a", "b"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words;
    EnumerateKeywords(7, c.text, ident, [&](std::string_view word, int kind) {
      EXPECT_EQ(kind, 7);
      words.emplace_back(word);
    });
    EXPECT_EQ(words, c.words) << c.name;
  }
}

TEST(KeywordCompareTableTest, CaseRuleAndOutOfRangeHash) {
  TKeywordCompareTable exact(10, true), folded(10, false);
  exact.Add(3, "Key", 4, 9);
  folded.Add(3, "Key", 4);
  ASSERT_NE(exact.Find(3, "Key", 3), nullptr);
  EXPECT_EQ(exact.Find(3, "Key", 3)->Tag, 9);
  EXPECT_EQ(exact.Find(3, "KEY", 3), nullptr);
  EXPECT_NE(folded.Find(3, "kEY", 3), nullptr);
  EXPECT_EQ(folded.Find(3, "Ke", 2), nullptr);
  EXPECT_EQ(folded.Find(10, "Key", 3), nullptr);
  EXPECT_EQ(folded.Find(2, "Key", 3), nullptr);
}

}  // namespace
}  // namespace vantrel
