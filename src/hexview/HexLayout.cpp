#include "hexview/HexLayout.h"

#include <algorithm>

namespace vantrel {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
}

int OffsetDigits(int64_t fileSize) {
  if (fileSize <= 0) return 0;
  int digits = 0;
  for (uint64_t rest = static_cast<uint64_t>(fileSize); rest != 0; rest >>= 4) ++digits;
  digits = std::max(digits, 8);
  return digits + (digits & 1);
}

int NormalizeTextWidthHex(int width) {
  width = std::clamp(width, 2, 300);
  width -= width % 4;
  return std::max(width, 2);
}

int THexLayout::BoundaryAt(int x, int cellWidth, int count) const {
  if (cellWidth <= 0) return 0;
  const int charLeft = CharColumn() * cellWidth;
  if (x >= charLeft) {
    const int nearest = (x - charLeft + cellWidth / 2) / cellWidth;
    return std::clamp(nearest, 0, count);
  }
  const int tested = std::min(count, 64);
  for (int k = 0; k < tested; ++k) {
    // Two halves of the three-cell slot: the left one is before byte k.
    const int middle = ByteColumn(k) * cellWidth + (3 * cellWidth) / 2;
    if (x < middle) return k;
  }
  return tested;
}

THexCharTable HexDisplayTable(const std::array<char32_t, 256>& encodingTable) {
  THexCharTable table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = encodingTable[b];
    const bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
    table[b] = b < 32 || cp == 0 || control ? U'.' : cp;
  }
  return table;
}

void FormatHexRow(const uint8_t* bytes, int count, int64_t offset, const THexLayout& layout,
                  const THexCharTable& chars, std::u32string& out) {
  count = std::clamp(count, 0, layout.Width);
  out.assign(static_cast<size_t>(layout.RowCells()), U' ');
  uint64_t rest = static_cast<uint64_t>(offset);
  for (int d = layout.Digits - 1; d >= 0; --d) {
    out[d] = static_cast<char32_t>(kHexDigits[rest & 15]);
    rest >>= 4;
  }
  out[layout.Digits] = U':';
  const int charColumn = layout.CharColumn();
  for (int j = 0; j < count; ++j) {
    const int column = layout.ByteColumn(j);
    out[column] = static_cast<char32_t>(kHexDigits[bytes[j] >> 4]);
    out[column + 1] = static_cast<char32_t>(kHexDigits[bytes[j] & 15]);
    out[charColumn + j] = chars[bytes[j]];
  }
}

void OverlayUtf8(const uint8_t* bytes, int count, char32_t* cells) {
  for (int j = 0; j < count; ++j) {
    const uint8_t lead = bytes[j];
    const int length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
    if (length == 1 || j + length > count) continue;
    char32_t cp = lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length && valid; ++k) {
      valid = (bytes[j + k] & 0xC0) == 0x80;
      cp = cp << 6 | (bytes[j + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || cp < least[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) continue;
    const bool control = cp < 0xA0;
    cells[j] = control ? U'.' : cp;
    for (int k = 1; k < length; ++k) cells[j + k] = U' ';
    j += length - 1;
  }
}

}  // namespace vantrel
