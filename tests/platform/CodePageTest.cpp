// Round trips and classification of the code page tables.
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

class EveryCodePage : public ::testing::TestWithParam<int> {};

TEST_P(EveryCodePage, EveryByteRoundTripsThroughUnicode) {
  CodePage page(GetParam());
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(page.FromUnicode(page.ToUnicode(static_cast<uint8_t>(b))), b) << "byte " << b;
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  if (!page.IsDoubleByte()) {
    EXPECT_EQ(page.Encode(page.Decode(all)), all);
  }
  EXPECT_EQ(page.FromUtf8(page.ToUtf8("plain ASCII 123")), "plain ASCII 123");
}

TEST_P(EveryCodePage, CaseMapsStayInsideTheCodePageAndFixAscii) {
  CodePage page(GetParam());
  for (int b = 'a'; b <= 'z'; ++b) {
    EXPECT_EQ(page.ToUpper(static_cast<uint8_t>(b)), b - 32);
    EXPECT_EQ(page.ToLower(static_cast<uint8_t>(b - 32)), b);
    EXPECT_TRUE(page.IsAlnum(static_cast<uint8_t>(b)));
  }
  EXPECT_TRUE(page.IsAlnum('7'));
  EXPECT_FALSE(page.IsAlnum('_'));
  EXPECT_FALSE(page.IsAlnum(0));
}

INSTANTIATE_TEST_SUITE_P(CodePages, EveryCodePage,
                         ::testing::Values(1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874,
                                           437, 850, 866, 932, 936, 949, 950, 20866, 28591, 28595));

TEST(CodePage, Windows1252DetailsAndPlaceholders) {
  CodePage page(1252);
  EXPECT_EQ(page.ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(page.ToUnicode(0x81), CodePage::kPlaceholderBase + 0x81);
  EXPECT_EQ(page.ToUpper(0xE9), 0xC9);  // e acute
  EXPECT_EQ(page.ToLower(0xC9), 0xE9);
  EXPECT_EQ(page.ToUpper(0xFF), 0x9F);  // y diaeresis has its capital at 0x9F
  EXPECT_EQ(page.ToUpper(0xDF), 0xDF);  // sharp s has no single-byte capital
  EXPECT_TRUE(page.IsAlnum(0xE9));
  EXPECT_FALSE(page.IsAlnum(0xD7));  // multiplication sign
  EXPECT_FALSE(page.IsDoubleByte());
  EXPECT_FALSE(page.IsLeadByte(0x81));
  EXPECT_EQ(page.Encode(U"\u4E2D"), "?");
}

TEST(CodePage, DoubleByteLeadBytesAndPairs) {
  struct Row {
    int number;
    uint8_t lead;
    uint8_t notLead;
  };
  for (Row row : {Row{936, 0x81, 0x80}, Row{932, 0x81, 0xA1}, Row{949, 0xB0, 0x7F}, Row{950, 0xA4, 0x7E}}) {
    CodePage page(row.number);
    EXPECT_TRUE(page.IsDoubleByte());
    EXPECT_TRUE(page.IsLeadByte(row.lead)) << row.number;
    EXPECT_FALSE(page.IsLeadByte(row.notLead)) << row.number;
    EXPECT_FALSE(page.IsLeadByte('A')) << row.number;
  }
  CodePage gbk(936);
  const std::string zhong = "\xD6\xD0";  // U+4E2D in GBK
  EXPECT_EQ(gbk.Decode(zhong), U"\u4E2D");
  EXPECT_EQ(gbk.Encode(U"a\u4E2Db"), "a" + zhong + "b");
  // A lead byte at the end of the text, or before a byte that cannot trail,
  // stays a byte of its own and survives the round trip.
  for (std::string bytes : {std::string("ab\xD6"), std::string("\xD6\x7F"), std::string("\x81\x0A")}) {
    EXPECT_EQ(gbk.Encode(gbk.Decode(bytes)), bytes);
  }
}

TEST(CodePage, UnsupportedNumbersAreRejected) {
  EXPECT_FALSE(CodePage::IsSupported(12345));
  EXPECT_THROW(CodePage(12345), ECodePage);
  EXPECT_FALSE(CodePage::IsSupported(65001));
}

TEST(CodePage, ActiveDefaultsTo1252AndCanBeSwitched) {
  if (std::getenv("VANTREL_CODEPAGE") == nullptr) {
    EXPECT_EQ(CodePage::Active().Number(), 1252);
  }
  int before = CodePage::Active().Number();
  CodePage::SetActive(936);
  EXPECT_EQ(CodePage::Active().Number(), 936);
  CodePage::SetActive(before);
}

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf32("a\xC3\xA9z"), U"a\u00E9z");
  EXPECT_EQ(Utf8ToUtf32("\xC3"), U"\uFFFD");
  EXPECT_EQ(Utf8ToUtf32("\xFF" "a"), U"\uFFFDa");
  EXPECT_EQ(Utf32ToUtf8(U"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ConvertCharset("caf\xE9", "CP1252", "UTF-8"), "caf\xC3\xA9");
}

}  // namespace
}  // namespace vantrel
