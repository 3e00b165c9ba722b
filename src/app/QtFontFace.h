// One editor font in one style, ready for drawing code page text on the cell
// grid: the glyph of every byte and of each double-byte pair met so far (with
// the face that has it, the font's own or a fallback such as a CJK face),
// and the font's metrics, each found once.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/EditorHost.h"

namespace vantrel {

class CodePage;

class QtFontFace {
 public:
  struct Glyph {
    int Face = -1;  // index into Faces(); -1 until looked up
    quint32 Index = 0;
    qreal Advance = 0;
  };

  // The face of a font in a style for the active code page, built on first
  // use and kept; rebuilt when the active code page changes.
  static QtFontFace& For(const TFont& font, TFontStyles style);
  // Metrics of a font in a style, measured once.
  static TFontMetrics Metrics(const TFont& font, TFontStyles style);
  // Font look-ups done so far (each new font, style, byte or pair adds one).
  static int64_t LookUps();

  QtFontFace(const QFont& font, const CodePage& codePage);
  QtFontFace(const QtFontFace&) = delete;  // holds the raw fonts runs refer to
  QtFontFace& operator=(const QtFontFace&) = delete;

  const QFont& Font() const { return font_; }
  qreal Ascent() const { return ascent_; }
  // Face 0 is the font's own; later ones are fallbacks for what it lacks.
  const std::vector<QRawFont>& Faces() const { return faces_; }

  const Glyph& OfByte(uint8_t byte);
  // A double-byte character: lead and trail byte together.
  const Glyph& OfPair(uint8_t lead, uint8_t trail);
  // Where the ink of a byte's character ends, from its cell's left edge.
  int Extent(uint8_t byte);

 private:
  Glyph LookUp(char32_t code);
  int FaceIndex(const QRawFont& raw);

  QFont font_;
  const CodePage& codePage_;
  qreal ascent_ = 0;
  std::vector<QRawFont> faces_;
  std::array<Glyph, 256> bytes_{};
  std::array<int, 256> extents_{};
  std::unordered_map<uint16_t, Glyph> pairs_;
};

}  // namespace vantrel
