// The scanning kit: sorted word lists, the number rules, quote and terminator
// skips, range normalisation and the attribute table.
#include "highlight/HighlighterKit.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

enum ProbeKind { pkText, pkSpace, pkEnd, pkOther };

// Exposes the kit's scanners: NextToken runs the scanner under test once.
class Probe : public TKitHighlighter {
 public:
  std::function<void(Probe&)> Scanner;

  Probe()
      : TKitHighlighter({.LanguageName = "Probe",
                         .DefaultFilter = "Probe (*.p)|*.p",
                         .EndKind = pkEnd,
                         .SpaceKind = pkSpace,
                         .Defaults = {.Comment = pkOther, .Whitespace = pkSpace},
                         .Ranges = {3, 0, 7},
                         .InitialRange = 3},
                        {{pkText, "TextAttri", "Text"},
                         {pkSpace, "SpaceAttri", "Space", 0, clNone, clYellow},
                         {pkOther, "OtherAttri", "Other", fsBold}}) {}
  void NextToken() override {
    tokenPos_ = run_;
    if (line_[run_] == '\0') return EndOfLine();
    tokenKind_ = pkText;
    Scanner(*this);
  }
  // The length of the first token the scanner takes from text.
  int FirstLength(std::string_view text) {
    StartLine(text, 0);
    return TokenLength();
  }
  using TKitHighlighter::ScanNumber;
  using TKitHighlighter::SkipEscapedQuoted;
  using TKitHighlighter::SkipToQuote;
  using TKitHighlighter::SkipToTerminator;
  int Run() const { return run_; }
  void Step() { ++run_; }
};

TEST(HighlighterKitTest, SortedWordListFindsOnlyExactWords) {
  TSortedWordList list({"THEN", "IF", "FI", "ELSE", "IF"}, 1);
  list.Add("ESAC", 2);
  EXPECT_EQ(list.Count(), 5);  // the duplicate IF was ignored
  EXPECT_EQ(list.Word(0), "ELSE");
  const std::pair<const char*, int> rows[] = {
      {"IF", 1}, {"ESAC", 2}, {"if", -1}, {"I", -1}, {"IFF", -1}, {"", -1}, {"THEN", 1}, {"ZZZ", -1}};
  for (auto [word, kind] : rows) EXPECT_EQ(list.Find(word, -1), kind) << word;
  EXPECT_EQ(list.FindUpperCased("esac", -1), 2);
  EXPECT_EQ(list.FindUpperCased("Then", -1), 1);
  EXPECT_EQ(list.FindUpperCased(std::string(200, 'i'), -1), -1);  // longer than any word
}

TEST(HighlighterKitTest, NumberRules) {
  TNumberRule plain{MakeCharSet(".0123456789Ee")};
  TNumberRule noDoubleDot{MakeCharSet(".0123456789Ee"), true};
  TNumberRule perl{MakeCharSet("-.0123456789ABCDEFX_abcdefx"), true, true};
  TNumberRule js{MakeCharSet(".0123456789ABCDEFXabcdefx"), true, false, true};
  struct Row {
    const char* name;
    const TNumberRule* rule;
    const char* text;
    int length;
    bool hex;
  } rows[] = {
      {"run of the set", &plain, "12.5e3+", 6, false},
      {"first char always taken", &plain, "9x", 1, false},
      {"double dot kept without the rule", &plain, "1..2", 4, false},
      {"double dot ends the number", &noDoubleDot, "1..2", 1, false},
      {"single dot continues", &noDoubleDot, "1.2", 3, false},
      {"minus after exponent", &perl, "1e-5", 4, false},
      {"minus elsewhere ends", &perl, "1-5", 1, false},
      {"minus before exponent ends", &perl, "1-e5", 1, false},
      {"hex after 0x", &js, "0x1Fz", 4, true},
      {"x not second ends", &js, "10x1", 2, false},
      {"x needs a hex digit after it", &js, "0xg", 1, false},
      {"hex letter without prefix ends", &js, "12ab", 2, false},
      {"x after nonzero ends", &js, "1x2", 1, false},
  };
  Probe probe;
  for (const Row& row : rows) {
    bool hex = false;
    probe.Scanner = [&](Probe& p) { hex = p.ScanNumber(*row.rule); };
    EXPECT_EQ(probe.FirstLength(row.text), row.length) << row.name;
    EXPECT_EQ(hex, row.hex) << row.name;
  }
}

TEST(HighlighterKitTest, QuoteAndTerminatorSkips) {
  enum Skip { kToQuote, kEscaped, kTerminator };
  struct Row {
    const char* name;
    Skip skip;
    const char* text;  // scanning starts after the first character
    int length;
    bool result;
  } rows[] = {
      {"plain quote ends", kToQuote, "'ab'c", 4, true},
      {"plain quote: backslash is text", kToQuote, "'a\\'b", 4, true},
      {"plain quote to line end", kToQuote, "'abc", 4, false},
      {"plain quote stops at CR", kToQuote, "'ab\rc'", 3, false},
      {"escaped quote skipped", kEscaped, "\"a\\\"b\"c", 6, false},
      {"escaped backslash then quote", kEscaped, "\"a\\\\\"c", 5, false},
      {"backslash at line end continues", kEscaped, "\"ab\\", 4, true},
      {"backslash before LF does not continue", kEscaped, "\"ab\\\nx", 4, false},
      {"terminator found", kTerminator, "{ab*)c", 5, true},
      {"terminator split is not found", kTerminator, "{ab*", 4, false},
      {"terminator stops at LF", kTerminator, "{a\n*)", 2, false},
  };
  Probe probe;
  for (const Row& row : rows) {
    bool result = false;
    probe.Scanner = [&](Probe& p) {
      p.Step();
      if (row.skip == kToQuote) result = p.SkipToQuote(row.text[0]);
      if (row.skip == kEscaped) result = p.SkipEscapedQuoted(row.text[0]);
      if (row.skip == kTerminator) result = p.SkipToTerminator("*)");
    };
    EXPECT_EQ(probe.FirstLength(row.text), row.length) << row.name;
    EXPECT_EQ(result, row.result) << row.name;
  }
}

TEST(HighlighterKitTest, RangesAndAttributes) {
  Probe probe;
  EXPECT_EQ(probe.RangeState(), 3);  // the initial state, not 0
  const std::pair<TLineRange, TLineRange> rows[] = {{0, 0}, {7, 7}, {kNoLineRange, 3}, {5, 3}, {1 << 20, 3}};
  for (auto [set, expected] : rows) {
    probe.SetRangeState(7);
    probe.SetRangeState(set);
    EXPECT_EQ(probe.RangeState(), expected) << set;
  }
  EXPECT_EQ(probe.AttributeByProperty("SpaceAttri")->Background(), clYellow);
  EXPECT_EQ(probe.AttributeByProperty("SpaceAttri")->BackgroundDefault(), clYellow);
  EXPECT_EQ(probe.AttributeByProperty("NoSuchAttri"), nullptr);
  EXPECT_EQ(probe.DefaultAttribute(haWhitespace)->Name(), "Space");
  EXPECT_EQ(probe.DefaultAttribute(haComment)->Name(), "Other");
  EXPECT_EQ(probe.DefaultAttribute(haString), nullptr);
  EXPECT_EQ(probe.AttributeOfKind(pkEnd), nullptr);
  EXPECT_FALSE(probe.IsDefaultFilterStored());
}

}  // namespace
}  // namespace vantrel
