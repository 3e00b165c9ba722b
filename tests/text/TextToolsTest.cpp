// The text tools' pure parts: capitalising, word count, sort order, base
// conversion, the ASCII table and the file report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/CodePage.h"
#include "text/AsciiTable.h"
#include "text/BaseConversion.h"
#include "text/FileReport.h"
#include "text/LineSort.h"
#include "text/OutputDecoder.h"
#include "text/TextTools.h"

namespace vantrel {
namespace {

TEST(TextTools, CapitalizeWords) {
  const struct {
    const char* in;
    const char* out;
  } rows[] = {
      {"hello big world", "Hello Big World"},
      {"a b", "A B"},
      {"x  y", "X  Y"},
      {" lead", " Lead"},
      {"tab\tafter", "Tab\tafter"},  // only a space starts a word
      {"mIXED cASE", "MIXED CASE"},  // nothing is lowered
      {"\xe9t\xe9 ok", "\xe9t\xe9 Ok"},  // letters beyond ASCII stay
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(CapitalizeWords(row.in), row.out) << row.in;
}

TEST(TextTools, AsciiCaseLeavesOtherBytes) {
  EXPECT_EQ(AsciiUpperCase("ab\xe9z{"), "AB\xe9Z{");
  EXPECT_EQ(AsciiLowerCase("AB\xc9Z@["), "ab\xc9z@[");
}

TEST(TextTools, CountWords) {
  const struct {
    const char* text;
    int words;
  } rows[] = {
      {"Hello, world! (again)", 3},
      {"a-b c_d", 2},
      {"", 0},
      {" \t\r\n", 0},
      {"!word?", 1},
      {"{[x]}.y:z;", 3},
      {"\xe9\x80 \x01", 2},  // high and control bytes belong to words
      {"one", 1},
  };
  for (const auto& row : rows) EXPECT_EQ(CountWords(row.text), row.words) << row.text;
}

TEST(TextTools, SortIgnoresCaseKeepsDuplicatesEmptyFirst) {
  const CodePage& cp = CodePage::Active();
  const struct {
    std::vector<std::string_view> lines;
    std::vector<std::string> expected;  // case-folded, since A and a may come either way
  } rows[] = {
      {{"b", "A", "", "a"}, {"", "a", "a", "b"}},
      {{"x", "", "x", "y"}, {"", "x", "x", "y"}},
      {{"Zeta", "alpha", "Beta"}, {"alpha", "beta", "zeta"}},
      {{"ab", "a", "abc"}, {"a", "ab", "abc"}},  // a prefix comes first
      {{"_", "Z", "a"}, {"_", "a", "z"}},        // folded to lower case, letters come after '_'
      {{"b", "", "a", ""}, {"", "a", "b", ""}},  // the file's final break stays at the end
      {{""}, {""}},
      {{}, {}},
  };
  for (const auto& row : rows) {
    const std::string text = SortedLinesText(row.lines, cp);
    std::string expected;
    for (size_t i = 0; i < row.expected.size(); ++i) expected += (i ? "\r\n" : "") + row.expected[i];
    EXPECT_EQ(AsciiLowerCase(text), expected);
  }
}

TEST(BaseConversion, EdgeCases) {
  const struct {
    int32_t value;
    const char* binary;
    const char* hex;
  } rows[] = {
      {255, "11111111", "FF"},
      {0, "0", "0"},
      {-1, "11111111111111111111111111111111", "FFFFFFFF"},
      {INT32_MIN, "10000000000000000000000000000000", "80000000"},
      {0x10, "10000", "10"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ToBinaryText(row.value), row.binary);
    EXPECT_EQ(ToHexText(row.value), row.hex);
    EXPECT_EQ(BinaryTextValue(row.binary), row.value);
    EXPECT_EQ(HexTextValue(row.hex), row.value);
  }
  EXPECT_EQ(BinaryTextValue(""), 0);
  EXPECT_EQ(HexTextValue(""), 0);
  EXPECT_EQ(BinaryTextValue("1" + std::string(32, '0')), 0);  // a 33rd digit wraps away
  EXPECT_EQ(BinaryTextValue("12x1"), 0b1001);                 // anything but 1 counts as 0
}

TEST(BaseConversion, DecimalParsing) {
  EXPECT_EQ(DecimalTextValue("2147483647"), INT32_MAX);
  EXPECT_EQ(DecimalTextValue("-2147483648"), INT32_MIN);
  EXPECT_EQ(DecimalTextValue("+12"), 12);
  for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "12a", " 1", "+-1", "99999999999999999999"}) {
    EXPECT_THROW(DecimalTextValue(bad), EConvertError) << bad;
  }
  EXPECT_FALSE(DecimalFieldAccepts('-'));
  EXPECT_TRUE(DecimalFieldAccepts('\b'));
  EXPECT_FALSE(BinaryFieldAccepts('2'));
  EXPECT_TRUE(HexFieldAccepts('f'));
  EXPECT_FALSE(HexFieldAccepts('g'));
}

TEST(AsciiTable, Lines) {
  const std::vector<std::string> lines = AsciiTableLines();
  ASSERT_EQ(lines.size(), 130u);
  const struct {
    int code;
    const char* line;
  } rows[] = {
      {10, "010      012    00A   00001010       LF    (Line Feed)"},
      {65, "065      101    041   01000001        A"},
      {17, "017      021    011   00010001      DC1 (XON) (Device Control 1)"},
      {18, "018      022    012   00010010      DC2       (Device Control 2)"},
      {19, "019      023    013   00010011      DC3 (XOFF)(Device Control 3)"},
      {20, "020      024    014   00010100      DC4       (Device Control 4)"},
      {0, "000      000    000   00000000      NUL    (Null char.)"},
      {96, "096      140    060   01100000        `"},
      {127, "127      177    07F   01111111      DEL    (delete)"},
      {124, "124      174    07C   01111100        |    (vertical bar)"},
  };
  for (const auto& row : rows) EXPECT_EQ(lines[size_t(row.code + 2)], row.line);
}

TEST(FileReport, MissingAndExistingFiles) {
  const std::string missing = "/no/such/dir/Untitled.txt";
  EXPECT_EQ(FileReport(missing, ReadFileRecord(missing)),
            "File - /no/such/dir/Untitled.txt\r\nDirectory - /no/such/dir\r\nDrive - \r\nExtension - .txt\r\n"
            "File name - Untitled.txt\r\nPath - /no/such/dir/\r\n\r\nTime Creation - 1.1.1601  0:0\r\n"
            "Last time access - 1.1.1601\r\nSize - 0 bytes\r\nAlternate name - ");

  char dir[] = "/tmp/vantrel-report-XXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::string plain = std::string(dir) + "/a.b.c";
  const std::string hidden = std::string(dir) + "/.hidden";
  std::ofstream(plain) << "12345";
  std::ofstream(hidden) << "";
  const TFileRecord record = ReadFileRecord(plain);
  EXPECT_EQ(record.Attributes, faNormal);
  EXPECT_EQ(record.Size, 5u);
  EXPECT_EQ(record.AlternateName, "a.b.c");
  EXPECT_GT(record.LastAccessTime, 11644473600);
  const std::string report = FileReport(plain, record);
  EXPECT_NE(report.find("\r\nExtension - .c\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nAttribute - Normal file\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nSize - 5 bytes\r\n"), std::string::npos);
  EXPECT_EQ(ReadFileRecord(hidden).Attributes, faHidden);
  EXPECT_EQ(ReadFileRecord(dir).Attributes, faDirectory);

  TFileRecord combined = record;
  combined.Attributes = faReadOnly | faHidden;  // a combination names nothing
  EXPECT_EQ(FileReport(plain, combined).find("Attribute"), std::string::npos);
  combined.Size = 0x100000007ull;  // the low 32 bits
  combined.CreationTime = 11644473600 + 86400 * 365 + 3600 * 13 + 60 * 5;
  EXPECT_NE(FileReport("/x", combined).find("Time Creation - 1.1.1971  13:5\r\n"), std::string::npos);
  EXPECT_NE(FileReport("/x", combined).find("Size - 7 bytes"), std::string::npos);
  EXPECT_NE(FileReport("/x", combined).find("Directory - /\r\n"), std::string::npos);

  std::remove(plain.c_str());
  std::remove(hidden.c_str());
  rmdir(dir);
}

TEST(OutputDecoder, PiecesFromUtf8ToCp1252) {
  const struct {
    const char* name;
    std::vector<std::string> pieces;
    std::string expected;
  } rows[] = {
      {"ascii", {"y\n", "y\n"}, "y\ny\n"},
      {"character split between pieces", {"caf\xC3", "\xA9 ok"}, "caf\xE9 ok"},
      {"split before the last piece ends", {"\xE2\x82", "\xAC"}, "\x80"},
      {"invalid byte", {"a\xFF" "b"}, "a?b"},
      {"missing in the target", {"\xE4\xB8\xAD!"}, "?!"},
      {"unfinished at the end", {"x\xC3"}, "x?"},
  };
  for (const auto& row : rows) {
    TOutputDecoder decoder("UTF-8", "CP1252");
    std::string text;
    for (const std::string& piece : row.pieces) text += decoder.Convert(piece);
    text += decoder.Finish();
    EXPECT_EQ(text, row.expected) << row.name;
  }
}

}  // namespace
}  // namespace vantrel
