// C/C++ highlighter: tokens of single lines from a given start range, ranges
// carried over lines, the range contract, and scanning without allocation.
#include "highlight/HighlighterCpp.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "LanguageScan.h"
#include "platform/CodePage.h"

// Defined in AllocationCounter.cpp, which replaces the global operator new.
long AllocationCount();

namespace vantrel {
namespace {

// Scans one line from `start`, checking on the way that the tokens tile it.
std::vector<Tok> Scan(TCppHighlighter& h, std::string_view line, TLineRange start, TLineRange* end = nullptr) {
  std::vector<Tok> tokens = ScanLine(h, line, start, end);
  EXPECT_EQ(h.TokenKind(), ctkNull);
  return tokens;
}

const Tok SP{" ", ctkSpace};

void RunCases(const std::vector<TokenRow>& rows) {
  TCppHighlighter h;
  CheckRows(h, rows);
}

TEST(CppHighlighterTest, Numbers) {
  RunCases({
      {"decimal", 0, "123", {{"123", ctkNumber}}, 0},
      {"zero", 0, "0", {{"0", ctkNumber}}, 0},
      {"hexadecimal", 0, "0x1F", {{"0x1F", ctkHex}}, 0},
      {"hexadecimal, every digit", 0, "0XABCDEFabcdef", {{"0XABCDEFabcdef", ctkHex}}, 0},
      {"hexadecimal with suffix", 0, "0x1FUL", {{"0x1FUL", ctkHex}}, 0},
      {"hexadecimal exponent letter and sign", 0, "0x1e+2", {{"0x1e", ctkHex}, {"+", ctkSymbol}, {"2", ctkNumber}}, 0},
      {"0x before a symbol", 0, "0x;", {{"0x", ctkUnknown}, {";", ctkSymbol}}, 0},
      {"0x before a letter", 0, "0xg", {{"0", ctkUnknown}, {"xg", ctkIdentifier}}, 0},
      {"0x at the line end", 0, "0x", {{"0x", ctkUnknown}}, 0},
      {"point in a hexadecimal number", 0, "0x1.5", {{"0x1", ctkUnknown}, {".5", ctkFloat}}, 0},
      {"x later in a number", 0, "12x;", {{"12", ctkUnknown}, {"x", ctkIdentifier}, {";", ctkSymbol}}, 0},
      {"x as the second character", 0, "1x;", {{"1x", ctkUnknown}, {";", ctkSymbol}}, 0},
      {"octal", 0, "017", {{"017", ctkOctal}}, 0},
      {"octal with suffix", 0, "017L", {{"017L", ctkOctal}}, 0},
      {"9 after a leading 0", 0, "09", {{"09", ctkUnknown}}, 0},
      {"8 inside an octal number", 0, "0178", {{"0178", ctkUnknown}}, 0},
      {"0.9", 0, "0.9", {{"0.9", ctkFloat}}, 0},
      {"leading 0 then fraction", 0, "09.5", {{"09.5", ctkFloat}}, 0},
      {"exponent", 0, "1e5", {{"1e5", ctkFloat}}, 0},
      {"signed exponent", 0, "1.5e-3", {{"1.5e-3", ctkFloat}}, 0},
      {"f suffix", 0, "2.0f", {{"2.0f", ctkFloat}}, 0},
      {"L suffix on a float", 0, "1.0L", {{"1.0L", ctkFloat}}, 0},
      {"e with nothing after", 0, "1e", {{"1", ctkUnknown}, {"e", ctkIdentifier}}, 0},
      {"sign with nothing after", 0, "1e+", {{"1e+", ctkUnknown}}, 0},
      {"second exponent", 0, "1e5e", {{"1e5", ctkUnknown}, {"e", ctkIdentifier}}, 0},
      {"UL", 0, "10UL", {{"10UL", ctkNumber}}, 0},
      {"LL", 0, "10LL", {{"10LL", ctkNumber}}, 0},
      {"LLL", 0, "10LLL", {{"10LL", ctkUnknown}, {"L", ctkIdentifier}}, 0},
      {"uu", 0, "10uu", {{"10u", ctkUnknown}, {"u", ctkIdentifier}}, 0},
      {"u on a float", 0, "1.5u", {{"1.5", ctkUnknown}, {"u", ctkIdentifier}}, 0},
      {"ff", 0, "1ff", {{"1f", ctkUnknown}, {"f", ctkIdentifier}}, 0},
      {"plus between numbers", 0, "1+2", {{"1", ctkNumber}, {"+", ctkSymbol}, {"2", ctkNumber}}, 0},
      {"two points", 0, "1..2", {{"1", ctkNumber}, {".", ctkSymbol}, {".2", ctkFloat}}, 0},
      {"ellipsis", 0, "...", {{"...", ctkSymbol}}, 0},
      {"number after a point", 0, "a = .5;",
       {{"a", ctkIdentifier}, SP, {"=", ctkSymbol}, SP, {".5", ctkFloat}, {";", ctkSymbol}}, 0},
      {"number at a line start point", 0, ".5e2", {{".5e2", ctkFloat}}, 0},
      {"underscore after a number", 0, "1_000", {{"1", ctkUnknown}, {"_000", ctkIdentifier}}, 0},
  });
}

TEST(CppHighlighterTest, StringsAndCharacters) {
  RunCases({
      {"string", 0, "\"abc\"", {{"\"abc\"", ctkString}}, 0},
      {"escaped quote", 0, "\"a\\\"b\"", {{"\"a\\\"b\"", ctkString}}, 0},
      {"escaped backslash before the quote", 0, "\"a\\\\\"x", {{"\"a\\\\\"", ctkString}, {"x", ctkIdentifier}}, 0},
      {"unterminated", 0, "\"abc", {{"\"abc", ctkString}}, 0},
      {"backslash at the end continues", 0, "x\"abc\\", {{"x", ctkIdentifier}, {"\"abc\\", ctkString}},
       crsStringContinued},
      {"continuation closes", crsStringContinued, "def\" x",
       {{"def\"", ctkString}, SP, {"x", ctkIdentifier}}, 0},
      {"continuation closing at once", crsStringContinued, "\";", {{"\"", ctkString}, {";", ctkSymbol}}, 0},
      {"continuation continues", crsStringContinued, "more\\", {{"more\\", ctkString}}, crsStringContinued},
      {"empty line keeps the string open", crsStringContinued, "", {}, crsStringContinued},
      {"unterminated continuation", crsStringContinued, "abc", {{"abc", ctkString}}, 0},
      {"character", 0, "'a'", {{"'a'", ctkChar}}, 0},
      {"escaped apostrophe", 0, "'\\''", {{"'\\''", ctkChar}}, 0},
      {"unterminated character", 0, "'ab", {{"'ab", ctkChar}}, 0},
      {"character does not continue", 0, "'\\", {{"'\\", ctkChar}}, 0},
      {"quote inside a character", 0, "'\"'", {{"'\"'", ctkChar}}, 0},
  });
}

TEST(CppHighlighterTest, Comments) {
  RunCases({
      {"line comment", 0, "x // c */", {{"x", ctkIdentifier}, SP, {"// c */", ctkComment}}, 0},
      {"block comment inside a line", 0, "x/*c*/y",
       {{"x", ctkIdentifier}, {"/*c*/", ctkComment}, {"y", ctkIdentifier}}, 0},
      {"block comment left open", 0, "/* open", {{"/* open", ctkComment}}, crsBlockComment},
      {"opening does not close itself", 0, "/*/ x", {{"/*/ x", ctkComment}}, crsBlockComment},
      {"comment closes", crsBlockComment, "still */ x", {{"still */", ctkComment}, SP, {"x", ctkIdentifier}}, 0},
      {"comment closes at once", crsBlockComment, "*/", {{"*/", ctkComment}}, 0},
      {"empty line inside a comment", crsBlockComment, "", {}, crsBlockComment},
      {"comment line without end", crsBlockComment, "a \"b", {{"a \"b", ctkComment}}, crsBlockComment},
      {"division symbols", 0, "a/=b/c",
       {{"a", ctkIdentifier}, {"/=", ctkSymbol}, {"b", ctkIdentifier}, {"/", ctkSymbol}, {"c", ctkIdentifier}}, 0},
  });
}

TEST(CppHighlighterTest, Directives) {
  RunCases({
      {"directive after blanks", 0, "  #include <x.h>", {{"  ", ctkSpace}, {"#include <x.h>", ctkDirective}}, 0},
      {"hash inside a statement", 0, "x = a # b;",
       {{"x", ctkIdentifier}, SP, {"=", ctkSymbol}, SP, {"a", ctkIdentifier}, SP, {"#", ctkUnknown}, SP,
        {"b", ctkIdentifier}, {";", ctkSymbol}},
       0},
      {"line comment after a directive", 0, "#define A 1 // note",
       {{"#define A 1 ", ctkDirective}, {"// note", ctkComment}}, 0},
      {"backslash continues", 0, "#define M(a) \\", {{"#define M(a) \\", ctkDirective}}, crsDirectiveContinued},
      {"backslash inside the line", 0, "#define A \\ x", {{"#define A \\ x", ctkDirective}}, 0},
      {"continued line is a directive", crsDirectiveContinued, "  x = 1; // c",
       {{"  x = 1; ", ctkDirective}, {"// c", ctkComment}}, 0},
      {"continued line continues", crsDirectiveContinued, "a \\", {{"a \\", ctkDirective}}, crsDirectiveContinued},
      {"empty continued line", crsDirectiveContinued, "", {}, crsDirectiveContinued},
      {"continued line starting with a comment", crsDirectiveContinued, "// c", {{"// c", ctkComment}}, 0},
      {"continued line starting with a block comment", crsDirectiveContinued, "/* c", {{"/* c", ctkComment}},
       crsDirectiveComment},
      {"closed comment inside a directive", 0, "#define X /* c */ 1",
       {{"#define X ", ctkDirective}, {"/* c */", ctkComment}, {" 1", ctkDirective}}, 0},
      {"comment inside a directive left open", 0, "#define X /* c",
       {{"#define X ", ctkDirective}, {"/* c", ctkComment}}, crsDirectiveComment},
      {"directive comment opening with /*/", 0, "#x /*/ y */", {{"#x ", ctkDirective}, {"/*/ y */", ctkComment}}, 0},
      {"directive comment closes into the directive", crsDirectiveComment, "d */ 2 \\",
       {{"d */", ctkComment}, {" 2 \\", ctkDirective}}, crsDirectiveContinued},
      {"directive comment closes at the line end", crsDirectiveComment, "e */", {{"e */", ctkComment}}, 0},
      {"directive comment then line comment", crsDirectiveComment, "*/ // z",
       {{"*/", ctkComment}, {" ", ctkDirective}, {"// z", ctkComment}}, 0},
  });
}

TEST(CppHighlighterTest, WhitespaceBreaksAndInvalidCharacters) {
  RunCases({
      {"blanks and control characters", 0, "\t\x01 \x0b\x0cx", {{"\t\x01 \x0b\x0c", ctkSpace}, {"x", ctkIdentifier}}, 0},
      {"embedded line breaks", 0, "a\r\nb\rc\nd",
       {{"a", ctkIdentifier}, {"\r\n", ctkSpace}, {"b", ctkIdentifier}, {"\r", ctkSpace}, {"c", ctkIdentifier},
        {"\n", ctkSpace}, {"d", ctkIdentifier}},
       0},
      {"line break inside a block comment", crsBlockComment, "\r\nx */", {{"\r\n", ctkSpace}, {"x */", ctkComment}}, 0},
      {"line break ends a string", 0, "\"ab\rc", {{"\"ab", ctkString}, {"\r", ctkSpace}, {"c", ctkIdentifier}}, 0},
      {"directive after an embedded line break", 0, "\r\n#if", {{"\r\n", ctkSpace}, {"#if", ctkDirective}}, 0},
      {"line break ends a directive", 0, "#a\nb", {{"#a", ctkDirective}, {"\n", ctkSpace}, {"b", ctkIdentifier}}, 0},
      {"line break in a continued string", crsStringContinued, "\n", {{"\n", ctkSpace}}, crsStringContinued},
      {"invalid characters", 0, "$@\\`\x7f",
       {{"$", ctkUnknown}, {"@", ctkUnknown}, {"\\", ctkUnknown}, {"`", ctkUnknown}, {"\x7f", ctkUnknown}}, 0},
      {"high byte on a single-byte code page", 0, "\xB4" "A", {{"\xB4", ctkUnknown}, {"A", ctkIdentifier}}, 0},
      {"text after NUL is not scanned", 0, std::string("a\0b", 3), {{"a", ctkIdentifier}}, 0},
  });
}

TEST(CppHighlighterTest, DoubleByteLeadBytes) {
  CodePage::SetActive(936);
  RunCases({
      {"lead byte and trail", 0, "\xB4\x41x", {{"\xB4\x41", ctkUnknown}, {"x", ctkIdentifier}}, 0},
      {"lead byte at the line end", 0, "x\xB4", {{"x", ctkIdentifier}, {"\xB4", ctkUnknown}}, 0},
      {"lead byte before a line break", 0, "\xB4\n", {{"\xB4", ctkUnknown}, {"\n", ctkSpace}}, 0},
  });
  CodePage::SetActive(1252);
}

TEST(CppHighlighterTest, Symbols) {
  const std::string symbols =
      "<<= << <= < >>= >> >= > && &= & || |= | ++ += + -- -= -> - == = != ! %= % *= * ^= ^ :: : ( ) [ ] { } , ; "
      "? ~ ... . /= /";
  std::vector<Tok> expected;
  std::istringstream words(symbols);
  for (std::string word; words >> word;) {
    if (!expected.empty()) expected.push_back(SP);
    expected.push_back({word, ctkSymbol});
  }
  RunCases({{"every operator", 0, symbols, expected, 0},
            {"longest operator first", 0, "a<<=b->c", {{"a", ctkIdentifier}, {"<<=", ctkSymbol}, {"b", ctkIdentifier},
                                                      {"->", ctkSymbol}, {"c", ctkIdentifier}}, 0},
            {"operators without blanks", 0, "<<<===", {{"<<", ctkSymbol}, {"<=", ctkSymbol}, {"==", ctkSymbol}}, 0}});
}

TEST(CppHighlighterTest, AsmBlocks) {
  RunCases({
      {"block opens", 0, "__asm {", {{"__asm", ctkKey}, SP, {"{", ctkSymbol}}, crsAsmBlock},
      {"block body", crsAsmBlock, " mov eax, 1 // c",
       {SP, {"mov", ctkAsm}, SP, {"eax,", ctkAsm}, SP, {"1", ctkAsm}, SP, {"// c", ctkComment}}, crsAsmBlock},
      {"block closes", crsAsmBlock, "  int 3 }x",
       {{"  ", ctkSpace}, {"int", ctkAsm}, SP, {"3", ctkAsm}, SP, {"}", ctkSymbol}, {"x", ctkIdentifier}}, 0},
      {"empty line inside a block", crsAsmBlock, "", {}, crsAsmBlock},
      {"comment inside a block left open", crsAsmBlock, "nop/* x", {{"nop", ctkAsm}, {"/* x", ctkComment}},
       crsAsmBlockComment},
      {"comment closes back into the block", crsAsmBlockComment, "y */ nop",
       {{"y */", ctkComment}, SP, {"nop", ctkAsm}}, crsAsmBlock},
      {"one-line statement", 0, "__asm mov eax, 1",
       {{"__asm", ctkKey}, SP, {"mov", ctkAsm}, SP, {"eax,", ctkAsm}, SP, {"1", ctkAsm}}, 0},
      {"one-line statement inside braces", 0, "{ _asm nop }",
       {{"{", ctkSymbol}, SP, {"_asm", ctkKey}, SP, {"nop", ctkAsm}, SP, {"}", ctkSymbol}}, 0},
      {"C keywords are instructions in a one-line statement", 0, "_asm int 3",
       {{"_asm", ctkKey}, SP, {"int", ctkAsm}, SP, {"3", ctkAsm}}, 0},
      {"statement with a qualifier after asm is C", 0, "asm volatile (\"nop\");",
       {{"asm", ctkKey}, SP, {"volatile", ctkKey}, SP, {"(", ctkSymbol}, {"\"nop\"", ctkString}, {")", ctkSymbol},
        {";", ctkSymbol}},
       0},
      {"asm call form is C", 0, "asm(\"nop\")",
       {{"asm", ctkKey}, {"(", ctkSymbol}, {"\"nop\"", ctkString}, {")", ctkSymbol}}, 0},
      {"asm keyword ends the line", 0, "_asm ", {{"_asm", ctkKey}, SP}, crsAsmNextLine},
      {"line comment after the keyword", 0, "__asm // x", {{"__asm", ctkKey}, SP, {"// x", ctkComment}},
       crsAsmNextLine},
      {"brace on the next line opens the block", crsAsmNextLine, "  {", {{"  ", ctkSpace}, {"{", ctkSymbol}},
       crsAsmBlock},
      {"blank line while waiting for the brace", crsAsmNextLine, "", {}, crsAsmNextLine},
      {"anything else on the next line is C", crsAsmNextLine, "x", {{"x", ctkIdentifier}}, 0},
  });
}

TEST(CppHighlighterTest, StartRangesThatNoLineEndsInAreNormal) {
  RunCases({
      {"unknown value", 42, "/* x", {{"/* x", ctkComment}}, crsBlockComment},
      {"not scanned", kNoLineRange, "x", {{"x", ctkIdentifier}}, 0},
      {"directive comment start", crsDirectiveCommentStart, "a", {{"a", ctkIdentifier}}, 0},
      {"one-line asm", crsAsmLine, "a", {{"a", ctkIdentifier}}, 0},
  });
}

// Lines scanned in order, each starting in the state the one before ended in.
TEST(CppHighlighterTest, ConstructsCarriedOverLines) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<TLineRange> ends;
    std::vector<Tok> lastLine;
  };
  const Case cases[] = {
      {"block comment over three lines", {"int a; /* one", "", "two */ b"}, {crsBlockComment, crsBlockComment, 0},
       {{"two */", ctkComment}, SP, {"b", ctkIdentifier}}},
      {"string continued twice", {"s = \"a\\", "b\\", "c\";"}, {crsStringContinued, crsStringContinued, 0},
       {{"c\"", ctkString}, {";", ctkSymbol}}},
      {"macro over lines", {"#define M(a) \\", "  do { \\", "  } while (0)", "int"}, {11, 11, 0, 0},
       {{"int", ctkKey}}},
      {"comment in a macro", {"#define M /* c", "d */ x \\", "y"}, {crsDirectiveComment, 11, 0},
       {{"y", ctkDirective}}},
      {"asm block", {"void f() {", "  __asm", "  {", "    mov eax, 1", "  }", "}"},
       {0, crsAsmNextLine, crsAsmBlock, crsAsmBlock, 0, 0}, {{"}", ctkSymbol}}},
  };
  TCppHighlighter h;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLineRange range = 0;
    std::vector<TLineRange> ends;
    std::vector<Tok> tokens;
    h.ResetRangeState();
    for (const auto& line : c.lines) {
      tokens = Scan(h, line, range, &range);
      ends.push_back(range);
    }
    EXPECT_EQ(ends, c.ends);
    EXPECT_EQ(tokens, c.lastLine);
  }
}

// The end state of a line depends only on its start state and its text,
// whatever the shared instance scanned before.
TEST(CppHighlighterTest, EndStateDependsOnlyOnStartAndText) {
  const std::string pieces[] = {"/*", "*/",  "\"", "\\", "'", "#",  "//", " ",  "x",      "1", ".", "e",
                                "__asm", "{", "}", "asm", "\r", "\n", "0x", "/", "*", "define", std::string(1, '\0'),
                                "as", "m", "\x81", "\xE9"};
  const TLineRange starts[] = {0, 1, 3, 5, 6, 7, 10, 11, 2, 4, 8, -1, 99};
  std::mt19937 rng(12345);
  TCppHighlighter shared;
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    int n = int(rng() % 12);
    for (int i = 0; i < n; ++i) line += pieces[rng() % std::size(pieces)];
    if (rng() % 7 == 0) line += std::string(1, '\0') + "/*";
    TLineRange start = starts[rng() % std::size(starts)];
    TCppHighlighter fresh;
    TLineRange endFresh, endShared;
    auto tokensFresh = Scan(fresh, line, start, &endFresh);
    auto tokensShared = Scan(shared, line, start, &endShared);
    ASSERT_EQ(tokensFresh, tokensShared) << line;
    ASSERT_EQ(endFresh, endShared) << line;
    // The range-only scan ends where the tokens do.
    shared.SetRangeState(start);
    ASSERT_EQ(shared.ScanLineRange(line, 0), endFresh) << line;
    // The end state is one a line can end in: setting it keeps it.
    fresh.SetRangeState(endFresh);
    ASSERT_EQ(fresh.RangeState(), endFresh) << line;
  }
}

TEST(CppHighlighterTest, ScanningWithoutTokenTextDoesNotAllocate) {
  std::vector<std::string> lines = {
      "#include <vector> // c", "int main(int argc, char** argv) {", "  /* block", "  still */ return 0x1F + 1.5e3f;",
      "  const char* s = \"str\\\"ing\"; char c = '\\'';", "  __asm { mov eax, 1 }", std::string(300, 'x') + "}"};
  TCppHighlighter h;
  auto scanAll = [&] {
    long tokens = 0;
    h.ResetRangeState();
    for (size_t i = 0; i < lines.size(); ++i) {
      h.StartLine(lines[i], int(i));
      for (; !h.AtLineEnd(); h.NextToken()) tokens += h.TokenKind() + h.TokenStart() + h.TokenLength() +
                                                      (h.TokenAttribute() != nullptr);
      h.SetRangeState(h.RangeState());
    }
    return tokens;
  };
  scanAll();  // the line copy grows to the longest line once
  long before = AllocationCount();
  long tokens = scanAll();
  long after = AllocationCount();
  EXPECT_GT(tokens, 0);
  EXPECT_EQ(after, before);
}

TEST(CppHighlighterTest, FixedData) {
  TCppHighlighter h;
  EXPECT_EQ(h.LanguageName(), "C/C++");
  EXPECT_EQ(h.DefaultFilter(), "C/C++ Files (*.c;*.cpp;*.h;*.hpp)|*.c;*.cpp;*.h;*.hpp");
  EXPECT_FALSE(h.IsDefaultFilterStored());
  std::vector<std::string> names;
  for (int i = 0; i < h.AttributeCount(); ++i) names.push_back(h.AttributeAt(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Assembler", "Character", "Comment", "Float", "Hexadecimal",
                                             "Identifier", "Illegal Char", "Number", "Octal", "Preprocessor",
                                             "Reserved Word", "Space", "String", "Symbol"}));
  EXPECT_EQ(h.CommentAttri().Style(), fsItalic);
  EXPECT_EQ(h.KeyAttri().Style(), fsBold);
  EXPECT_EQ(h.SpaceAttri().Foreground(), clWindow);
  EXPECT_EQ(h.SpaceAttri().ForegroundDefault(), clWindow);
  EXPECT_EQ(h.AsmAttri().Foreground(), clNone);
  THighlighterAttributes* defaults[] = {&h.CommentAttri(), &h.IdentifierAttri(), &h.KeyAttri(),
                                        &h.StringAttri(),  &h.SpaceAttri(),      &h.SymbolAttri()};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(h.DefaultAttribute(i), defaults[i]) << i;
  EXPECT_EQ(h.DefaultAttribute(6), nullptr);
  EXPECT_EQ(h.DefaultAttribute(-1), nullptr);
  THighlighterCharSet ident = h.IdentifierChars();
  EXPECT_EQ(ident.count(), 10u + 26 + 26 + 1 + 23 + 31 + 8);
  EXPECT_TRUE(ident.test(192));
  EXPECT_FALSE(ident.test(215));
  EXPECT_FALSE(ident.test(247));
  EXPECT_FALSE(ident.test('$'));
}

}  // namespace
}  // namespace vantrel
