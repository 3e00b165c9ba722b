// A canvas that draws nothing and records every call, for tests that check
// what the editor paints.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace vantrel {

class RecordingCanvas : public Canvas {
 public:
  enum Kind { kFill, kLine, kText, kImage };
  struct Call {
    Kind What = kFill;
    TRect Rect;        // fill rectangle, text bounds
    TPoint From, To;   // line ends
    int X = 0;         // text or image origin
    int Y = 0;
    std::string Text;  // text bytes
    int CellWidth = 0;
    std::string FontName;
    TFontStyles Style = 0;
    TColor Fore = clNone;  // text colour, line colour
    TColor Back = clNone;  // fill colour, opaque text background
    TCanvasImageKind Image = ikWrapGlyph;
    int ImageIndex = 0;
  };

  explicit RecordingCanvas(TRect clip = {0, 0, 800, 600}, int cellWidth = 8, int cellHeight = 16)
      : Clip(clip), CellWidth(cellWidth), CellHeight(cellHeight) {}

  // Configuration.
  TRect Clip;
  int CellWidth;
  int CellHeight;
  int ItalicOverhang = 0;  // extra ink right of an italic character's cell
  TPoint GlyphSize{10, 10};
  // Keep only the count of calls (for benchmarks).
  bool CountOnly = false;

  std::vector<Call> Calls;
  int CallCount = 0;
  int FontsMeasured = 0;  // MeasureFont calls, never cleared

  void Clear() {
    Calls.clear();
    CallCount = 0;
  }
  std::vector<Call> Of(Kind kind) const;
  // Text calls whose bytes contain `part`.
  std::vector<Call> TextsContaining(std::string_view part) const;
  // The last text call drawing a byte into the cell whose left edge is x on
  // the row whose top is y; null when none did.
  const Call* TextAt(int x, int y) const;
  // The colour the last fill or opaque text left at pixel (x, y); clNone when
  // nothing covered it.
  TColor BackgroundAt(int x, int y) const;

  TRect ClipRect() const override { return Clip; }
  // System colours resolve to a grey whose level is their index.
  TColor RgbOf(TColor color) override {
    return IsSystemColor(color) ? (color & 0xFF) * 0x010101u : color;
  }
  void FillRect(const TRect& rect, TColor color) override;
  void DrawLine(TPoint from, TPoint to, TColor color, int width) override;
  void DrawText(const TRect& bounds, int x, int y, std::string_view text, int cellWidth, const TFont& font,
                TFontStyles style, TColor fore, TColor back) override;
  TFontMetrics MeasureFont(const TFont& font, TFontStyles style) override;
  int CharExtent(const TFont& font, TFontStyles style, unsigned char ch) override;
  TPoint ImageSize(const TCanvasImage& image) override;
  void DrawImage(const TCanvasImage& image, int x, int y) override;
};

}  // namespace vantrel
