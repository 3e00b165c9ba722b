// Tests of the regular-expression engine by feature: matching, compile
// errors with their positions, run-time errors, templates, properties and
// the start-position analysis.
#include "search/Regex.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "search/CodeEditRegexSearch.h"

namespace vantrel {
namespace {

constexpr int kNo = -1;

struct MatchCase {
  const char* name;
  std::string mods;  // tool syntax: letters on, then "-" and letters off
  std::string pattern;
  std::string subject;
  int start;  // kNo: no match
  int length;
};

void ApplyMods(TRegex& regex, const std::string& mods) {
  bool on = true;
  for (char c : mods) {
    if (c == '-') {
      on = false;
      continue;
    }
    regex.SetModifier(static_cast<int>(std::string("irsgmx").find(c)) + 1, on);
  }
}

class RegexMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RegexMatchTest, FirstMatch) {
  const MatchCase& c = GetParam();
  TRegex regex;
  ApplyMods(regex, c.mods);
  regex.SetExpression(c.pattern);
  const bool found = regex.Exec(c.subject);
  if (c.start == kNo) {
    EXPECT_FALSE(found) << "at " << regex.GroupStart(0);
    EXPECT_EQ(regex.GroupStart(0), -1);
    return;
  }
  ASSERT_TRUE(found);
  EXPECT_EQ(regex.GroupStart(0), c.start);
  EXPECT_EQ(regex.GroupLength(0), c.length);
}

const MatchCase kMatchCases[] = {
    // Literals, case and quantifiers
    {"CaseIgnoredPlus", "i", "a+", "xAaAx", 2, 3},
    {"CaseSensitivePlus", "", "a+", "xAaAx", 3, 1},
    {"BracesGreedy", "", "a{2,3}", "aaaa", 1, 3},
    {"BracesLazy", "", "a{2,3}?", "aaaa", 1, 2},
    {"BracesExact", "", "a{2}", "aaaa", 1, 2},
    {"BracesOpen", "", "a{2,}", "aaaaa", 1, 5},
    {"BracesZero", "", "ba{0}", "baa", 1, 1},
    {"QuantifierTakesLastChar", "", "abc*", "abccc", 1, 5},
    {"QuantifierTakesLastCharNoC", "", "abc*", "ab", 1, 2},
    {"LazyPlus", "", "a+?", "aaa", 1, 1},
    {"LazyStarBeforeLiteral", "", "a.*?c", "abcbc", 1, 3},
    {"GreedyStarBeforeLiteral", "", "a.*c", "abcbc", 1, 5},
    {"GreedyOffMakesLazy", "-g", "a+", "aaa", 1, 1},
    {"GreedyOffLazyMarkStaysLazy", "-g", "a+?", "aaa", 1, 1},
    {"InlineGreedyOff", "", "(?-g)a+", "aaa", 1, 1},
    {"ComplexGreedyStar", "", "(ab)*a", "ababa", 1, 5},
    {"ComplexLazyStar", "", "(ab)*?b", "ababb", 1, 5},
    {"ComplexGreedyOptional", "", "(ab)?a", "aba", 1, 3},
    {"ComplexLazyOptional", "", "(ab)??a", "aba", 1, 1},
    {"ComplexBraces", "", "(ab){2}", "ababab", 1, 4},
    {"ComplexBracesRange", "", "(ab){1,2}c", "xabababc", 4, 5},
    {"ComplexBracesZeroMin", "", "(ab){0,2}c", "c", 1, 1},
    {"ComplexLazyBraces", "", "(ab){1,3}?", "ababab", 1, 2},
    {"NestedCountedLoops", "", "((ab){2}c){2}", "ababcababc", 1, 10},
    {"LiteralBraceNotQuantifier", "", "a{x}", "a{x}", 1, 4},
    {"LiteralBraceNoMin", "", "a{,2}", "a{,2}", 1, 5},
    {"LiteralBraceUnclosed", "", "a{2", "a{2", 1, 3},
    {"BraceAtPieceStartIsLiteral", "", "{2}", "x{2}", 2, 3},
    // Alternation and groups
    {"AlternationFirstWins", "", "a|ab", "ab", 1, 1},
    {"AlternationBacktracks", "", "(a|ab)c", "abc", 1, 3},
    {"EmptyAlternative", "", "(|a)b", "ab", 1, 2},
    {"FourteenGroups", "", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)(m)(n)", "abcdefghijklmn", 1, 14},
    // Modifiers
    {"InlineIgnoreCase", "", "(?i)abc", "ABC", 1, 3},
    {"InlineCaseOffRevertsAtGroupEnd", "i", "((?-i)a)b", "aB", 1, 2},
    {"InlineCaseOffInsideGroup", "i", "((?-i)a)b", "AB", kNo, 0},
    {"ModifierAppliesToRestOfAlternation", "", "a(?i)b|c", "C", 1, 1},
    {"ModifierNotBeforeIt", "", "a(?i)b", "Ab", kNo, 0},
    {"CommentGroup", "", "a(?#note)b", "ab", 1, 2},
    {"ExtendedDropsSpace", "x", "a b\tc # comment\n d", "abcd", 1, 4},
    {"ExtendedBeforeQuantifier", "x", "ab *", "abbb", 1, 4},
    {"ExtendedOffKeepsSpace", "", "a b", "a b", 1, 3},
    // Dot and anchors
    {"DotMatchesNewlineByDefault", "", "a.b", "a\nb", 1, 3},
    {"DotInLineStopsAtNewline", "-s", "a.b", "a\nb", kNo, 0},
    {"DotInLineStarStops", "-s", "a.*", "ab\ncd", 1, 2},
    {"CaretIsInputStart", "", "^b", "a\nb", kNo, 0},
    {"DollarIsInputEnd", "", "a$", "a\nb", kNo, 0},
    {"DollarAtEnd", "", "b$", "a\nb", 3, 1},
    {"MultiLineCaret", "m", "^b", "a\nb", 3, 1},
    {"MultiLineDollar", "m", "a$", "a\nb", 1, 1},
    {"MultiLineCaretNotInsidePair", "m", "^\\n", "a\r\nb", kNo, 0},
    {"MultiLineDollarBeforePair", "m", "a$\\r", "a\r\nb", 1, 2},
    {"MultiLineDollarNotInsidePair", "m", "\\r$", "a\r\nb", kNo, 0},
    {"MultiLineCaretAfterPair", "m", "^b", "a\r\nb", 4, 1},
    {"MultiLineCaretAfterLoneCR", "m", "^b", "a\rb", 3, 1},
    {"InputStartEscape", "m", "\\Aa", "b\na", kNo, 0},
    {"InputEndEscape", "m", "a\\Z", "a\nb", kNo, 0},
    {"WordBoundary", "", "\\bfoo\\b", "a foo b", 3, 3},
    {"WordBoundaryNotInsideWord", "", "\\bfoo\\b", "foobar", kNo, 0},
    {"WordBoundaryAtEnds", "", "\\bfoo\\b", "foo", 1, 3},
    {"NotWordBoundary", "", "o\\B", "foo", 2, 1},
    // Escapes
    {"HexTwoDigits", "", "\\x41", "xA", 2, 1},
    {"HexBraced", "", "\\x{41}", "xA", 2, 1},
    {"HexNulNeverMatches", "", "a\\x00?b", "ab", 1, 2},
    {"ControlEscapes", "", "\\t\\e\\a\\f", "\t\x1b\a\f", 1, 4},
    {"EscapedMeta", "", "\\.\\*\\(", "a.*(", 2, 3},
    {"Digits", "", "\\d+", "ab123c", 3, 3},
    {"NotDigits", "", "\\D+", "12ab3", 3, 2},
    {"Words", "", "\\w+", "  ab_1 ", 3, 4},
    {"NotWords", "", "\\W+", "ab, c", 3, 2},
    {"Spaces", "", "\\s+", "a \t\r\n\fb", 2, 5},
    {"NotSpaces", "", "\\S+", "  ab ", 3, 2},
    {"BackReference", "", "(a+)b\\1", "aabaa", 1, 5},
    {"BackReferenceShorter", "", "(a+)b\\1$", "aaba", 2, 3},
    {"BackReferenceFold", "i", "(a)\\1", "aA", 1, 2},
    {"BackReferenceCaseMatters", "", "(a)\\1", "aA", kNo, 0},
    {"BackReferenceUnsetFails", "", "(a)|b\\1", "b", kNo, 0},
    {"BackReferenceRepeated", "", "(ab)\\1*c", "abababc", 1, 7},
    {"BackReferenceEmptyRepeated", "", "(a*)b\\1*c", "bc", 1, 2},
    // Classes
    {"ClassClosingBracketFirst", "", "[]a]", "]", 1, 1},
    {"ClassClosingBracketFirstA", "", "[]a]", "xa", 2, 1},
    {"ClassDashLast", "", "[a-]+", "x-a", 2, 2},
    {"ClassDashFirst", "", "[-a]+", "x-a", 2, 2},
    {"ClassDashAfterRange", "", "[a-c-e]+", "x-ce", 2, 3},
    {"ClassRangeToEscape", "", "[a-\\x63]+", "xabcd", 2, 3},
    {"ClassNegated", "", "[^a-c]+", "abxyc", 3, 2},
    {"ClassNegatedSmall", "", "[^ab]", "abc", 3, 1},
    {"ClassNegatedNeverNul", "", "a[^b]", "a", kNo, 0},
    {"ClassEscapes", "", "[\\d\\s]+", "a1 2b", 2, 3},
    {"ClassOtherEscapeIsLiteral", "", "[\\D]", "1D", 2, 1},
    {"ClassIgnoreCase", "i", "[a-c]+", "xBCa", 2, 3},
    {"ClassLarge", "", "[a-z0-9_]+", "!!abc_9!", 3, 5},
    {"CyrillicLowerRangeAddsYo", "", "[\xe0-\xff]", "\xb8", 1, 1},
    {"CyrillicUpperRangeAddsYo", "", "[\xc0-\xdf]", "\xa8", 1, 1},
    {"CyrillicBothRanges", "", "[\xe0-\xdf]+", "\xc0\xff\xa8\xb8", 1, 4},
    {"CyrillicOffPlainRange", "-r", "[\xe0-\xff]", "\xb8", kNo, 0},
    // Inputs
    {"NulEndsInput", "", "b", std::string("a\0b", 3), kNo, 0},
    {"NulEndsInputAfterLiteral", "", "static\\w", std::string("static\0y", 8), kNo, 0},
    {"NulEndsAnchoredInput", "", "^a\\w", std::string("a\0b", 3), kNo, 0},
    {"EmptyPatternMatchesEmpty", "", "", "abc", 1, 0},
    {"EmptySubject", "", "a*", "", 1, 0},
    {"EndAnchorOnEmpty", "", "$", "", 1, 0},
    // Reuse of failed starts
    {"LeadRepeatRetriedAfterItsRun", "", "[ab]+c", "abxabc", 4, 3},
    {"LeadStarEmptyAfterItsRun", "", "a*;", "aab;", 4, 1},
    {"LeadRepeatInGroupWithBackReference", "", "(a+)\\1b", "aaab", 2, 3},
    {"CountedLoopAlternationRetriedLater", "", "(a|a){2}c", "aaac", 2, 3},
    // Required literals: false hits on the rarest byte
    {"RequiredLiteralMiddleDiffers", "", "\\bstatic\\b", "stbtic statia static", 15, 6},
    {"RequiredLiteralLastDiffers", "", "x+abcd", "xabce xabcd", 7, 5},
    {"RequiredTwoByteLiteral", "", "x*qz", "qqzq", 2, 2},
    {"LongLineLiteralAtStart", "", "x*static", "static" + std::string(20, '-'), 1, 6},
    {"LongLineLiteralAtEnd", "", "x*static", std::string(20, '-') + "static", 21, 6},
    {"LongLineFalseEndsThenLiteral", "", "x*static", "---stc stxtic static" + std::string(10, '-'), 15, 6},
    {"LongLineLiteralInLastBlock", "", "x*static", std::string(17, '-') + "static-", 18, 6},
    {"LongLineLiteralCutByEnd", "", "x*static", std::string(20, '-') + "stati", kNo, 0},
    // Starts rejected by the leading literals of an alternation
    {"LeadLiteralsSkipFalseFirstChars", "", "(int|long)\\s+x", "ilongint x", 6, 5},
    {"LeadLiteralAtLineEnd", "", "(ab|cd)", "xxcd", 3, 2},
    {"LeadLiteralCutByLineEnd", "", "(abc|de)", "xab", kNo, 0},
    {"LeadLiteralBehindNul", "", "(ab|cd)", std::string("xc\0d cd", 7), kNo, 0},
    {"LeadLiteralsIgnoreCase", "i", "(int|long)", "xLONG", 2, 4},
    {"LeadAlternationOptional", "", "(ab|cd)?x", "zx", 2, 1},
    {"StartScanPairAcrossBlock", "", "(ab|cd)", std::string(15, '-') + "cd", 16, 2},
    {"StartScanFalsePairThenTail", "", "(ab|cd)", std::string(15, '-') + "cx" + std::string(20, '-') + "ab", 38, 2},
    {"StartScanHitInLastBlock", "", "(ab|cd)", std::string(16, '-') + "xcd-", 18, 2},
    {"StartScanOneByteLiteral", "", "(a|cd)b", std::string(18, '-') + "cdab", 21, 2},
    {"StartScanFirstBytesLongLine", "", "[xy]z", std::string(20, '-') + "yyz", 22, 2},
    // Anchored lines rejected after the leading run
    {"AnchoredRunThenFollower", "", "^\\s*#", "  #", 1, 3},
    {"AnchoredRunWrongFollower", "", "^\\s*#", "  x#", kNo, 0},
    {"AnchoredRunToEnd", "", "^\\s*$", "   ", 1, 3},
    {"AnchoredRunBeforeNul", "", "^ *#", std::string("  \0#", 4), kNo, 0},
    {"AnchoredRunSharedFollowerBacksOff", "", "^ * #", "   #", 1, 4},
    {"AnchoredPlusNeedsOne", "", "^\\s+#", "#", kNo, 0},
    {"MultiLineRunNotAnchored", "m", "^ *#", "ab\n  #", 4, 3},
};

INSTANTIATE_TEST_SUITE_P(Features, RegexMatchTest, ::testing::ValuesIn(kMatchCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
  const char* name;
  std::string pattern;
  int code;
  int pos;  // -1: not checked
};

class RegexCompileErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RegexCompileErrorTest, RaisesCodeAndPosition) {
  const ErrorCase& c = GetParam();
  TRegex regex;
  regex.SetExpression(c.pattern);
  try {
    regex.Exec("abc");
    FAIL() << "no error";
  } catch (const ERegex& e) {
    EXPECT_EQ(e.ErrorCode(), c.code) << e.what();
    const std::string text = e.what();
    EXPECT_EQ(text.rfind(TRegex::ErrorMsg(c.code), 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 1), ")");
    if (c.pos >= 0) {
      EXPECT_EQ(e.CompilerErrorPos(), c.pos);
      EXPECT_NE(text.find(" (pos " + std::to_string(c.pos) + ")"), std::string::npos) << text;
    }
    EXPECT_FALSE(regex.IsCompiled());
    EXPECT_EQ(regex.LastError(), c.code);
  }
}

const ErrorCase kErrorCases[] = {
    {"FifteenGroups", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)(m)(n)(o)", reeCompParseRegTooManyBrackets, 43},
    {"UnclosedGroup", "(ab", reeCompParseRegUnmatchedBrackets, 3},
    {"UnopenedGroup", "ab)", reeCompParseRegUnmatchedBrackets2, 3},
    {"StarOnPossiblyEmpty", "(a*)*", rePlusStarOperandCouldBeEmpty, 5},
    {"PlusOnAnchor", "^+", rePlusStarOperandCouldBeEmpty, 2},
    {"BracesOnEmptyAlternative", "(a|){2}", rePlusStarOperandCouldBeEmpty, 5},
    {"StarOnBoundaryGroup", "(\\b)*", rePlusStarOperandCouldBeEmpty, -1},
    {"StarOnGroupOfBackReference", "(a)(\\1)*", rePlusStarOperandCouldBeEmpty, -1},
    {"NestedStar", "a**", reeNestedSQP, 3},
    {"NestedAfterLazy", "a+?+", reeNestedSQP, 4},
    {"NestedBraces", "a{2}{3}", reeNestedSQP, 5},
    {"BadHexDigit", "\\xg1", reeBadHexDigit, 3},
    {"BadHexDigitInBraces", "\\x{4g}", reeBadHexDigit, 5},
    {"InvalidRange", "[b-a]", reeInvalidRange, 4},
    {"ClassTrailingBackslash", "[a\\", reeParseAtomTrailingBackSlash, 3},
    {"HexMissingSecondDigit", "\\x4", reeNoHexCodeAfterBSlashX, 3},
    {"HexUnclosedBrace", "\\x{41", reeNoHexCodeAfterBSlashX, 5},
    {"HexTooBig", "\\x{100}", reeHexCodeAfterBSlashXTooBig, 6},
    {"UnclosedClass", "[abc", reeUnmatchedSqBrackets, 4},
    {"StarFirst", "*a", reeQPSBFollowsNothing, 1},
    {"PlusAfterBar", "a|+", reeQPSBFollowsNothing, 3},
    {"QuestionInGroupStart", "(?", reeUrecognizedModifier, 2},
    {"TrailingBackslash", "ab\\", reeTrailingBackSlash, 3},
    {"BracesTooManyDigits", "a{123456789}", reeBRACESArgTooBig, 11},
    {"BracesMinAboveMax", "a{3,2}", reeBracesMinParamGreaterMax, 6},
    {"UnclosedComment", "a(?#xyz", reeUnclosedComment, 7},
    {"UnknownModifier", "(?q)", reeUrecognizedModifier, 3},
    {"NonCapturingIsUnknown", "(?:a)", reeUrecognizedModifier, 3},
    {"ModifierUnclosed", "(?i", reeUrecognizedModifier, 3},
};

INSTANTIATE_TEST_SUITE_P(Errors, RegexCompileErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

void ExpectError(int code, const std::function<void()>& action) {
  try {
    action();
    ADD_FAILURE() << "no error, expected " << code;
  } catch (const ERegex& e) {
    EXPECT_EQ(e.ErrorCode(), code) << e.what();
    if (code >= 1000) {
      EXPECT_EQ(std::string(e.what()), TRegex::ErrorMsg(code));
    }
  }
}

TEST(RegexRunErrorTest, MisuseRaisesTheListedCodes) {
  TRegex regex;
  ExpectError(reeCompNullArgument, [&] { regex.Compile(); });
  regex.SetExpression("a");
  ExpectError(reeExecNextWithoutExec, [&] { regex.ExecNext(); });
  ExpectError(reeNoInputStringSpecified, [&] { regex.ExecPos(1); });
  ExpectError(reeNoInputStringSpecified, [&] { regex.ExpandTemplate("$0"); });
  TRegex empty;
  ExpectError(reeNoExpression, [&] { empty.Exec("a"); });
  EXPECT_FALSE(regex.Exec("b"));
  ExpectError(reeExecNextWithoutExec, [&] { regex.ExecNext(); });
  ExpectError(reeOffsetMustBeGreaterThen0, [&] { regex.ExecPos(0); });
  EXPECT_FALSE(regex.ExecPos(3));  // more than one past the end: quietly no match
  ExpectError(reeBadModifierNumber, [&] { regex.SetModifier(7, true); });
  ExpectError(reeBadModifierNumber, [&] { regex.GetModifier(0); });
  EXPECT_EQ(TRegex::ErrorMsg(reeBadModifierNumber), "Unknown error");
  ExpectError(reeBadLinePairedSeparator, [&] { regex.SetPairedSeparator("aa"); });
  ExpectError(reeBadLinePairedSeparator, [&] { regex.SetPairedSeparator("abc"); });
  EXPECT_EQ(regex.PairedSeparator(), "\r\n");
}

TEST(RegexRunErrorTest, LoopStackHoldsTenNestedCountedLoops) {
  auto nested = [](int depth) {
    return std::string(depth, '(') + "a" + [&] {
      std::string s;
      for (int i = 0; i < depth; ++i) s += "){1}";
      return s;
    }();
  };
  TRegex regex;
  regex.SetExpression(nested(10));
  EXPECT_TRUE(regex.Exec("a"));
  regex.SetExpression(nested(11));
  ExpectError(reeLoopStackExceeded, [&] { regex.Exec("a"); });
}

TEST(RegexGroupTest, GroupsReportPositionsAndUnsetGroups) {
  TRegex regex;
  regex.SetExpression("(a)|(b)(c)?");
  ASSERT_TRUE(regex.Exec("xb"));
  EXPECT_EQ(regex.GroupStart(0), 2);
  EXPECT_EQ(regex.GroupStart(1), -1);
  EXPECT_EQ(regex.GroupLength(1), -1);
  EXPECT_EQ(regex.GroupStart(2), 2);
  EXPECT_EQ(regex.GroupLength(2), 1);
  EXPECT_EQ(regex.GroupStart(3), -1);
  EXPECT_EQ(regex.GroupStart(15), -1);
  EXPECT_EQ(regex.GroupStart(-1), -1);
  EXPECT_FALSE(regex.Exec("x"));
  EXPECT_EQ(regex.GroupStart(0), -1);
  EXPECT_EQ(regex.GroupStart(2), -1);
}

TEST(RegexGroupTest, GroupKeepsLastIterationAndRestoresOnBacktrack) {
  TRegex regex;
  regex.SetExpression("((a)|b)*c");
  ASSERT_TRUE(regex.Exec("abc"));
  EXPECT_EQ(regex.Group(1), "b");
  EXPECT_EQ(regex.Group(2), "a");
  regex.SetExpression("(a(b)|a)c");
  ASSERT_TRUE(regex.Exec("ac"));
  EXPECT_EQ(regex.GroupStart(2), -1);  // set in the failed alternative, then undone
}

TEST(RegexExecTest, EmptyMatchesAdvanceByOne) {
  TRegex regex;
  regex.SetExpression("x*");
  std::vector<std::pair<int, int>> found;
  for (bool ok = regex.Exec("abc"); ok; ok = regex.ExecNext()) {
    found.emplace_back(regex.GroupStart(0), regex.GroupLength(0));
  }
  EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {3, 0}, {4, 0}}));
}

TEST(RegexExecTest, ExecNextContinuesAfterMatch) {
  TRegex regex;
  regex.SetExpression("\\d+");
  ASSERT_TRUE(regex.Exec("a12b345c6"));
  EXPECT_EQ(regex.Group(0), "12");
  ASSERT_TRUE(regex.ExecNext());
  EXPECT_EQ(regex.Group(0), "345");
  ASSERT_TRUE(regex.ExecNext());
  EXPECT_EQ(regex.Group(0), "6");
  EXPECT_FALSE(regex.ExecNext());
}

TEST(RegexExecTest, ModifierChangeRecompiles) {
  TRegex regex;
  regex.SetExpression("abc");
  EXPECT_FALSE(regex.Exec("ABC"));
  regex.SetModifier(1, true);
  EXPECT_TRUE(regex.Exec("ABC"));
  regex.SetModifiers(0);
  EXPECT_FALSE(regex.GetModifier(1));
  EXPECT_FALSE(regex.GetModifier(4));
}

TEST(RegexExecTest, DefaultModifiers) {
  TRegex regex;
  const bool expected[] = {false, true, true, true, false, false};  // i r s g m x
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(regex.GetModifier(n), expected[n - 1]) << n;
}

struct TemplateCase {
  const char* name;
  std::string pattern;
  std::string subject;
  std::string templ;
  std::string expected;
};

class RegexTemplateTest : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(RegexTemplateTest, ReplaceMatchesExpands) {
  const TemplateCase& c = GetParam();
  TRegex regex;
  regex.SetExpression(c.pattern);
  EXPECT_EQ(regex.ReplaceMatches(c.subject, c.templ, true), c.expected);
}

const TemplateCase kTemplateCases[] = {
    {"GroupsByNumber", "(a)b", "ab", "$1-$0", "a-ab"},
    {"BackslashQuotesDollar", "(a)b", "ab", "\\$1", "$1"},
    {"BracedNumberThenDigit", "(a)b", "ab", "${1}0", "a0"},
    {"DollarNotFollowedByGroup", "(a)b", "ab", "$x", "$x"},
    {"WholeMatch", "(a)b", "xaby", "[$&|${&}]", "x[ab|ab]y"},
    {"GroupAboveFourteen", "(a)b", "ab", "<$15>", "<>"},
    {"UnsetGroup", "(a)|(b)", "a", "<$2>", "<>"},
    {"UnclosedBrace", "(a)b", "ab", "${1", "${1"},
    {"BraceWithoutNumber", "(a)b", "ab", "${}", "${}"},
    {"FinalBackslash", "(a)b", "ab", "x\\", "x\\"},
    {"MultiDigitGroup", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "abcdefghij", "$10$1", "ja"},
    {"EveryMatchReplaced", "\\d+", "a1b22c", "<$0>", "a<1>b<22>c"},
    {"NoMatchKeepsInput", "z", "abc", "y", "abc"},
    {"EmptyMatchesEverywhere", "x*", "abc", "y", "yaybycy"},
    {"EmptyMatchAfterOccurrence", "x*", "xx", "y", "yy"},
    {"TextAfterNulKept", "a", std::string("ab\0a", 4), "c", std::string("cb\0a", 4)},
};

INSTANTIATE_TEST_SUITE_P(Templates, RegexTemplateTest, ::testing::ValuesIn(kTemplateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegexTemplateTest, ExpandOffCopiesTemplate) {
  TRegex regex;
  regex.SetExpression("(a)");
  EXPECT_EQ(regex.ReplaceMatches("bab", "$1\\", false), "b$1\\b");
}

TEST(RegexPropertyTest, CharacterSetsAreConfigurable) {
  TRegex regex;
  regex.SetWordCharacters("ab");
  regex.SetExpression("\\w+");
  ASSERT_TRUE(regex.Exec("xxcabz"));
  EXPECT_EQ(regex.Group(0), "ab");
  regex.SetExpression("\\bb");
  EXPECT_FALSE(regex.Exec("ab"));
  EXPECT_TRUE(regex.Exec("cb"));
  regex.SetSpaceCharacters("_");
  regex.SetExpression("\\s");
  ASSERT_TRUE(regex.Exec("a b_"));
  EXPECT_EQ(regex.GroupStart(0), 4);
  regex.SetExpression("[^\\s]+");
  ASSERT_TRUE(regex.Exec("__a b_"));
  EXPECT_EQ(regex.Group(0), "a b");
}

TEST(RegexPropertyTest, SeparatorsSteerMultiLineAnchors) {
  TRegex regex;
  regex.SetModifier(5, true);
  regex.SetExpression("^b");
  regex.SetLineSeparatorSet("|");
  regex.SetPairedSeparator("");
  EXPECT_TRUE(regex.Exec("a|b"));
  EXPECT_FALSE(regex.Exec("a\nb"));
  // With no separators at all, "^" is the input start again.
  regex.SetLineSeparatorSet("");
  EXPECT_FALSE(regex.Exec("a|b"));
  EXPECT_TRUE(regex.Exec("bc"));
}

TEST(RegexPropertyTest, InvertCaseIsReplaceable) {
  TRegex regex;
  regex.SetModifier(1, true);
  regex.SetExpression("a");
  EXPECT_TRUE(regex.Exec("A"));
  regex.SetInvertCase([](uint8_t c) { return c == 'a' ? uint8_t{'z'} : c; });
  EXPECT_FALSE(regex.Exec("A"));
  EXPECT_TRUE(regex.Exec("z"));
}

TEST(RegexPropertyTest, AccentedLettersFoldThroughCodePage) {
  TRegex regex;
  regex.SetModifier(1, true);
  regex.SetExpression("\xe9t\xe9");  // été in code page 1252
  EXPECT_TRUE(regex.Exec("\xc9T\xc9"));
}

struct AnalysisCase {
  const char* name;
  std::string pattern;
  bool anchored;
  char startChar;
  std::string required;
  std::string firstChars;  // "*" for the full set
};

class RegexAnalysisTest : public ::testing::TestWithParam<AnalysisCase> {};

TEST_P(RegexAnalysisTest, StartPositionFacts) {
  const AnalysisCase& c = GetParam();
  TRegex regex;
  regex.SetExpression(c.pattern);
  regex.Compile();
  const TRegexProgram& program = regex.Program();
  EXPECT_EQ(program.anchored, c.anchored);
  EXPECT_EQ(program.startChar, static_cast<uint8_t>(c.startChar));
  std::string required;
  if (program.requiredOffset >= 0) {
    required.assign(reinterpret_cast<const char*>(&program.code[program.requiredOffset]),
                    program.requiredLength);
  }
  EXPECT_EQ(required, c.required);
  TCharSet expected;
  if (c.firstChars == "*") {
    expected.Fill();
  } else {
    for (char ch : c.firstChars) expected.Add(static_cast<uint8_t>(ch));
  }
  EXPECT_TRUE(program.firstCharSet == expected);
}

const AnalysisCase kAnalysisCases[] = {
    {"LeadingLiteral", "abc", false, 'a', "abc", "a"},
    {"Anchored", "^\\s*#\\s*include", true, 0, "include", std::string(" \t\n\r\f#")},
    {"WordBoundaryPassesOn", "\\bstatic\\b", false, 0, "static", "s"},
    {"OptionalAddsFollower", "a?b", false, 0, "b", "ab"},
    {"StarAddsFollower", "x*abc", false, 0, "abc", "xa"},
    {"AlternationHasNoLiteral", "(int|long)\\s+", false, 0, "", "il"},
    {"EndAddsNul", "a*$", false, 0, "", std::string("a\0", 2)},
    {"AnyFillsSet", ".b", false, 0, "b", "*"},
    {"FoldAddsOtherCase", "(?i)q", false, 0, "", "qQ"},
    {"TwoAlternativesNoStartChar", "ab|cd", false, 0, "", "ac"},
};

INSTANTIATE_TEST_SUITE_P(Analysis, RegexAnalysisTest, ::testing::ValuesIn(kAnalysisCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel
