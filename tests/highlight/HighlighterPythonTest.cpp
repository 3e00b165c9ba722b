// Python highlighter: documentation strings and continued strings over lines
// (the quote carried in the range), prefixes, system names, number kinds,
// and letter case.
#include "highlight/HighlighterPython.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", ptkSpace};

TEST(HighlighterPythonTest, Tokens) {
  TPythonHighlighter h;
  CheckRows(h, {
      // Words and letter case.
      {"keywords are case-sensitive", prsNormal, "def Def", {{"def", ptkKey}, SP, {"Def", ptkIdentifier}}, prsNormal},
      {"non-reserved keywords", prsNormal, "None len", {{"None", ptkNonKey}, SP, {"len", ptkNonKey}}, prsNormal},
      {"system names", prsNormal, "__init__ ___x__ __a__ __ab ____ _____",
       {{"__init__", ptkSystem}, SP, {"___x__", ptkIdentifier}, SP, {"__a__", ptkSystem}, SP, {"__ab", ptkIdentifier}, SP,
        {"____", ptkIdentifier}, SP, {"_____", ptkIdentifier}}, prsNormal},
      {"listed dunder is a keyword", prsNormal, "__import__", {{"__import__", ptkNonKey}}, prsNormal},
      // Strings.
      {"prefixes belong to the string", prsNormal, "r'a' Ur\"b\" b'c' rb'd' f\"e\"",
       {{"r'a'", ptkString}, SP, {"Ur\"b\"", ptkString}, SP, {"b'c'", ptkString}, SP, {"rb'd'", ptkString}, SP, {"f\"e\"", ptkString}}, prsNormal},
      {"not a prefix", prsNormal, "x'a' ru'b'", {{"x", ptkIdentifier}, {"'a'", ptkString}, SP, {"ru", ptkIdentifier}, {"'b'", ptkString}}, prsNormal},
      {"backslash skips a quote", prsNormal, "'a\\'b' c", {{"'a\\'b'", ptkString}, SP, {"c", ptkIdentifier}}, prsNormal},
      {"unterminated string ends the range", prsNormal, "'abc", {{"'abc", ptkString}}, prsNormal},
      {"backslash at line end continues '", prsNormal, "x = 'ab\\", {{"x", ptkIdentifier}, SP, {"=", ptkSymbol}, SP, {"'ab\\", ptkString}}, prsSingleContinued},
      {"backslash at line end continues \"", prsNormal, "\"ab\\", {{"\"ab\\", ptkString}}, prsDoubleContinued},
      {"continued ' ends at '", prsSingleContinued, "a\"b' c", {{"a\"b'", ptkString}, SP, {"c", ptkIdentifier}}, prsNormal},
      {"continued \" ends at \"", prsDoubleContinued, "a'b\" c", {{"a'b\"", ptkString}, SP, {"c", ptkIdentifier}}, prsNormal},
      {"continued again", prsDoubleContinued, "more\\", {{"more\\", ptkString}}, prsDoubleContinued},
      {"empty line keeps the string open", prsSingleContinued, "", {}, prsSingleContinued},
      // Documentation strings.
      {"docstring on one line", prsNormal, "'''doc''' x", {{"'''doc'''", ptkDocString}, SP, {"x", ptkIdentifier}}, prsNormal},
      {"docstring opens", prsNormal, "  \"\"\"Doc", {{"  ", ptkSpace}, {"\"\"\"Doc", ptkDocString}}, prsTripleDouble},
      {"other triple does not close", prsTripleDouble, "it's ''' here", {{"it's ''' here", ptkDocString}}, prsTripleDouble},
      {"docstring closes", prsTripleDouble, "end\"\"\" + 1", {{"end\"\"\"", ptkDocString}, SP, {"+", ptkSymbol}, SP, {"1", ptkNumber}}, prsNormal},
      {"escaped quote inside docstring", prsTripleSingle, "a\\''' b'''", {{"a\\''' b'''", ptkDocString}}, prsNormal},
      {"line break inside docstring", prsTripleSingle, "a\r\nb'''", {{"a", ptkDocString}, {"\r\n", ptkSpace}, {"b'''", ptkDocString}}, prsNormal},
      {"empty string is no docstring", prsNormal, "'' x", {{"''", ptkString}, SP, {"x", ptkIdentifier}}, prsNormal},
      // Numbers.
      {"number kinds", prsNormal, "42 0x1F 017 0o17 1.5 .5 1e5 1.5e-3 3j 10L",
       {{"42", ptkNumber}, SP, {"0x1F", ptkHex}, SP, {"017", ptkOctal}, SP, {"0o17", ptkOctal}, SP, {"1.5", ptkFloat}, SP,
        {".5", ptkFloat}, SP, {"1e5", ptkFloat}, SP, {"1.5e-3", ptkFloat}, SP, {"3j", ptkNumber}, SP, {"10L", ptkNumber}}, prsNormal},
      {"malformed numbers absorb what follows", prsNormal, "09 1e 0x 12ab 1..2 1_000",
       {{"09", ptkError}, SP, {"1e", ptkError}, SP, {"0x", ptkError}, SP, {"12ab", ptkError}, SP, {"1..2", ptkError}, SP, {"1_000", ptkNumber}}, prsNormal},
      {"float with leading zero", prsNormal, "09.5 0", {{"09.5", ptkFloat}, SP, {"0", ptkNumber}}, prsNormal},
      // Symbols and errors.
      {"comparison symbols", prsNormal, "<=<>>=", {{"<=", ptkSymbol}, {"<>", ptkSymbol}, {">=", ptkSymbol}}, prsNormal},
      {"error characters", prsNormal, "$?@\x7f", {{"$", ptkError}, {"?", ptkError}, {"@", ptkError}, {"\x7f", ptkError}}, prsNormal},
      {"comment", prsNormal, "x # note", {{"x", ptkIdentifier}, SP, {"# note", ptkComment}}, prsNormal},
      // Range values.
      {"unknown range starts normal", 0, "'''x", {{"'''x", ptkDocString}}, prsTripleSingle},
      {"not-scanned range starts normal", kNoLineRange, "x", {{"x", ptkIdentifier}}, prsNormal},
  });
}

// A line restarted from a stored range colours the same whatever the shared
// instance scanned before (the quote lives in the range value).
TEST(HighlighterPythonTest, ContinuedStringDependsOnlyOnItsRange) {
  TPythonHighlighter h;
  TLineRange end;
  ScanLine(h, "a = \"x\\", prsNormal, &end);
  ASSERT_EQ(end, prsDoubleContinued);
  ScanLine(h, "b = 'y\\", prsNormal);  // another quote seen last
  EXPECT_EQ(ScanLine(h, "z\" + w", end),
            (std::vector<Tok>{{"z\"", ptkString}, SP, {"+", ptkSymbol}, SP, {"w", ptkIdentifier}}));
  h.ResetRangeState();
  EXPECT_EQ(h.RangeState(), prsNormal);
}

}  // namespace
}  // namespace vantrel
