// The hex row layout in character cells: the offset, the hex pairs in two
// halves, the separator lines and the character column, plus the mapping of
// a point in a row back to a byte boundary.
// Tested by tests/hexview/HexLayoutTest.cpp
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// 0 for an empty file; else floor(log16(size)) + 1, at least 8, rounded up
// to even (4 GiB and more: 10).
int OffsetDigits(int64_t fileSize);

// Bytes per hex row as set: 2..300, rounded down to a multiple of 4, at least 2.
int NormalizeTextWidthHex(int width);

struct THexLayout {
  int Digits = 8;  // D
  int Width = 16;  // W, bytes per row

  int HexBackFirst() const { return Digits + 2; }
  int HexBackLast() const { return Digits + 3 * Width + 3; }
  int ByteColumn(int j) const { return Digits + 3 + 3 * j + (j >= Width / 2 ? 1 : 0); }
  int FirstLine() const { return Digits + 2; }
  int MiddleLine() const { return Digits + 3 * (Width / 2) + 3; }
  int LastLine() const { return Digits + 3 * Width + 4; }
  int CharColumn() const { return Digits + 3 * Width + 5; }
  int RowCells() const { return Width * 4 + Digits + 5; }

  // The byte boundary (0..count) under x pixels from the row's left edge;
  // only the first 64 bytes of the hex area are hit-tested.
  int BoundaryAt(int x, int cellWidth, int count) const;
};

// What the character column draws for each byte: "." for bytes below 32 and
// for bytes the encoding leaves without a printable character.
using THexCharTable = std::array<char32_t, 256>;
THexCharTable HexDisplayTable(const std::array<char32_t, 256>& encodingTable);

// The text of one row, one wide character per cell (RowCells() of them;
// the cells of bytes past count stay blank). Reuses out's storage.
void FormatHexRow(const uint8_t* bytes, int count, int64_t offset, const THexLayout& layout,
                  const THexCharTable& chars, std::u32string& out);

// UTF-8 in the character column: each complete sequence inside the row
// shows its character in the cell of its first byte and blanks in the
// cells of the others; stray and cut-off bytes keep what the table gave.
void OverlayUtf8(const uint8_t* bytes, int count, char32_t* cells);

}  // namespace vantrel
