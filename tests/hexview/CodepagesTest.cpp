// The encodings table, captions, availability and conversion with fallbacks.
#include <gtest/gtest.h>

#include "hexview/Codepages.h"
#include "platform/Assert.h"
#include "platform/CodePage.h"
#include "support/FakeClipboard.h"

namespace vantrel {
namespace {

TEST(CodepagesTest, TableShape) {
  EXPECT_EQ(kTextEncodingCount, 76);
  EXPECT_EQ(EncodingCaption(vEncANSI), "ANSI (Windows)");
  EXPECT_EQ(EncodingCaption(vEncWEuroDOS), "Western European (IBM-850)");
  EXPECT_EQ(EncodingCaption(vEncEBUSCanada), "IBM EBCDIC (US-Canada)");
  EXPECT_EQ(EncodingCaption(vEncUnicodeBE), "Unicode (UTF-16 BE)");
  EXPECT_EQ(EncodingInfo(vEncHebISO1).CodePage, 38598);
  EXPECT_EQ(EncodingInfo(vEncEBTurkishLatin5).CodePage, 1026);
  for (int i = 0; i <= vEncMac; ++i) EXPECT_TRUE(EncodingAvailable(TTextEncoding(i))) << i;
  // Every named code page either converts or is reported unavailable; none crash.
  for (int i = 0; i < vEncUnicodeLE; ++i) CodepageToUnicode("\x41\xC1\xFF", TTextEncoding(i));
}

TEST(CodepagesTest, EncodingMenuColumns) {
  const std::vector<TEncodingMenuColumn> columns = EncodingMenuColumns();
  ASSERT_EQ(columns.size(), 3u);
  std::string first;
  for (size_t i = 0; i < 8; ++i) first += columns[0][i].Separator ? "|" : EncodingCaption(columns[0][i].Encoding) + ",";
  EXPECT_EQ(first, "ANSI (Windows),OEM (DOS),EBCDIC,KOI8,ISO,Mac,|Western European (IBM-850),");
  EXPECT_EQ(EncodingCaption(columns[1][0].Encoding), "United States (US OEM)");
  EXPECT_EQ(EncodingCaption(columns[2][0].Encoding), "IBM EBCDIC (US-Canada)");
  size_t items = 0;
  for (const auto& column : columns) {
    EXPECT_FALSE(column.front().Separator);
    for (const auto& item : column) items += item.Separator ? 0 : 1;
  }
  EXPECT_EQ(items, 74u) << "every 8-bit encoding, no Unicode";
}

TEST(CodepagesTest, Conversions) {
  const struct {
    int ansi;
    TTextEncoding encoding;
    std::string bytes;
    std::u32string wide;
    const char* why;
  } rows[] = {
      {1252, vEncANSI, "A\xE9", U"A\u00E9", "ANSI is the active code page"},
      {1251, vEncANSI, "\xC0", U"\u0410", "ANSI follows the code page"},
      {1251, vEncISO, "\xB0", U"\u0410", "ISO under 1251 is ISO 8859-5"},
      {1252, vEncISO, "\xA4", U"\u00A4", "ISO under 1252 is ISO 8859-1"},
      {1252, vEncEBCDIC, "\xC1\x40", U"A ", "EBCDIC is code page 37"},
      {1252, vEncKOI8, "\xC1", U"\u0430", "KOI8 is KOI8-R"},
      {1252, vEncMac, "\x80", U"\u00C4", "Mac under 1252 is Mac Roman"},
      {1252, vEncOEM, "\x82", U"\u00E9", "OEM under 1252 is 437"},
      {1252, vEncCyrWin, "\xC0", U"\u0410", "a named code page"},
      {1252, vEncUTF8, "\xC3\xA9", U"\u00E9", "UTF-8 sequences"},
      {1252, vEncWEuroWin, "", U"", "empty text"},
  };
  for (const auto& row : rows) {
    CodePage::SetActive(row.ansi);
    EXPECT_EQ(CodepageToUnicode(row.bytes, row.encoding), row.wide) << row.why;
  }
  CodePage::SetActive(1252);
  EXPECT_THROW(CodepageToUnicode("a", vEncUnicodeLE), EAssertionFailure);
}

TEST(CodepagesTest, ClipboardInAnEncoding) {
  CodePage::SetActive(1252);
  FakeClipboard clipboard;
  EXPECT_TRUE(CopyTextInEncoding(clipboard, "", vEncCyrWin));
  EXPECT_EQ(clipboard.Opens, 0) << "empty text leaves the clipboard alone";
  ASSERT_TRUE(CopyTextInEncoding(clipboard, "\xC0\xE9", vEncCyrWin));
  EXPECT_EQ(clipboard.GetText(), "??") << "Cyrillic has no Windows-1252 bytes";
  EXPECT_EQ(*clipboard.GetData(clipboard.RegisterFormat(kUnicodeTextFormat)), "\xD0\x90\xD0\xB9");
  EXPECT_FALSE(clipboard.IsOpen);
}

}  // namespace
}  // namespace vantrel
