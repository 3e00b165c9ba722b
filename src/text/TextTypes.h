// Positions and selection modes shared by the text storage and the editor.
#pragma once

#include <cstdint>

namespace vantrel {

// A position in the text: Y the 1-based line, X the 1-based byte column
// (a tab counts one column).
struct TBufferCoord {
  int X = 1;
  int Y = 1;
  friend bool operator==(const TBufferCoord&, const TBufferCoord&) = default;
  friend bool operator<(const TBufferCoord& a, const TBufferCoord& b) {
    return a.Y < b.Y || (a.Y == b.Y && a.X < b.X);
  }
  friend bool operator>(const TBufferCoord& a, const TBufferCoord& b) { return b < a; }
  friend bool operator<=(const TBufferCoord& a, const TBufferCoord& b) { return !(b < a); }
  friend bool operator>=(const TBufferCoord& a, const TBufferCoord& b) { return !(a < b); }
};

enum TSelectionMode : uint8_t { smNormal = 0, smLine = 1, smColumn = 2 };

}  // namespace vantrel
