// Row layout, offset digits, row width rules and mapping points to bytes.
#include <gtest/gtest.h>

#include "hexview/Codepages.h"
#include "hexview/HexLayout.h"
#include "platform/CodePage.h"

namespace vantrel {
namespace {

TEST(HexLayoutTest, WorkedExampleColumns) {
  const THexLayout layout{8, 16};
  for (int j = 0; j < 8; ++j) EXPECT_EQ(layout.ByteColumn(j), 11 + 3 * j) << j;
  for (int j = 8; j < 16; ++j) EXPECT_EQ(layout.ByteColumn(j), 36 + 3 * (j - 8)) << j;
  EXPECT_EQ(layout.FirstLine(), 10);
  EXPECT_EQ(layout.MiddleLine(), 35);
  EXPECT_EQ(layout.LastLine(), 60);
  EXPECT_EQ(layout.CharColumn(), 61);
  EXPECT_EQ(layout.RowCells(), 77);
  EXPECT_EQ(layout.HexBackLast(), 59);
}

TEST(HexLayoutTest, OffsetDigits) {
  const struct {
    int64_t size;
    int digits;
  } rows[] = {
      {0, 0}, {1, 8}, {100, 8}, {0xFFFFFFFFLL, 8}, {0x100000000LL, 10}, {0x10000000000LL, 12}, {0xFFFFFFFFFFLL, 10},
  };
  for (const auto& row : rows) EXPECT_EQ(OffsetDigits(row.size), row.digits) << row.size;
}

TEST(HexLayoutTest, TextWidthHexRounding) {
  const int rows[][2] = {{10, 8}, {3, 2}, {0, 2}, {-5, 2}, {16, 16}, {7, 4}, {301, 300}, {299, 296}};
  for (const auto& row : rows) EXPECT_EQ(NormalizeTextWidthHex(row[0]), row[1]) << row[0];
}

TEST(HexLayoutTest, PointsMapToByteBoundaries) {
  const THexLayout layout{8, 16};
  const int cw = 10;
  const struct {
    int x;
    int count;
    int boundary;
    const char* why;
  } rows[] = {
      {0, 16, 0, "offset area is before byte 0"},
      {11 * cw + 14, 16, 0, "left half of byte 0's slot"},
      {11 * cw + 15, 16, 1, "middle of byte 0's slot"},
      {36 * cw + 20, 16, 9, "right half of byte 8"},
      {59 * cw, 16, 16, "past the last pair"},
      {59 * cw, 5, 5, "short last row stops at its bytes"},
      {61 * cw + 4, 16, 0, "character column rounds to nearest"},
      {61 * cw + 5, 16, 1, "character column rounds half up"},
      {200 * cw, 16, 16, "far right clamps"},
  };
  for (const auto& row : rows) EXPECT_EQ(layout.BoundaryAt(row.x, cw, row.count), row.boundary) << row.why;
  // Bytes past the first 64 of a wide row are not hit-tested in the hex area.
  const THexLayout wide{8, 100};
  EXPECT_EQ(wide.BoundaryAt(wide.ByteColumn(80) * cw, cw, 100), 64);
}

TEST(HexLayoutTest, FormattedRow) {
  CodePage::SetActive(1252);
  const uint8_t bytes[] = {'H', 'i', 0, 0x1F, 0x7F, 0x81, 0xE9, 0xFF, 'x'};
  std::u32string row;
  FormatHexRow(bytes, 9, 0x1230, {8, 16}, HexDisplayTable(EncodingByteTable(vEncANSI)), row);
  EXPECT_EQ(Utf32ToUtf8(row), "00001230:  48 69 00 1F 7F 81 E9 FF  78" + std::string(23, ' ') +
                                 "Hi....\xC3\xA9\xC3\xBFx" + std::string(7, ' '));
}

TEST(HexLayoutTest, Utf8CharacterColumn) {
  const struct {
    std::string bytes;
    std::u32string want;  // what the table gave: '.' for every byte >= 0x80
    const char* why;
  } rows[] = {
      {"a\xC3\xA9" "b", U"a\u00E9 b", "two-byte character, blank after it"},
      {"\xE2\x82\xAC!", U"\u20AC  !", "three bytes"},
      {"\xF0\x9F\x98\x80", U"\U0001F600   ", "four bytes"},
      {"x\xE2\x82", U"x..", "cut off at the row end"},
      {"\xA9\xC3", U"..", "stray continuation and a lone lead"},
      {"\xC0\xAF\xED\xA0\x80", U".....", "overlong and surrogate"},
      {"\xC2\x85", U". ", "a C1 control"},
  };
  for (const auto& row : rows) {
    std::u32string cells;
    for (unsigned char c : row.bytes) cells.push_back(c < 0x80 ? c : U'.');
    OverlayUtf8(reinterpret_cast<const uint8_t*>(row.bytes.data()), static_cast<int>(row.bytes.size()), cells.data());
    EXPECT_EQ(cells, row.want) << row.why;
  }
}

}  // namespace
}  // namespace vantrel
