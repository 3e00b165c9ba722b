// The drawing surface the core paints through: fills, lines, text runs on a
// fixed cell grid, font metrics and a few images. Every call carries its own
// colours, font and rectangle, so an implementation keeps no drawing state
// between calls. The Qt widget implements it over QPainter; tests use
// tests/support/RecordingCanvas.
#pragma once

#include <string_view>

#include "platform/EditorHost.h"
#include "platform/Graphics.h"

namespace vantrel {

// Images the editor draws: the mark beside wrapped rows, the built-in
// bookmark digits 0..9, and the bookmark image list the application supplies.
enum TCanvasImageKind : uint8_t { ikWrapGlyph, ikBookmarkDigit, ikBookmarkImage };

struct TCanvasImage {
  TCanvasImageKind Kind = ikWrapGlyph;
  int Index = 0;
  // A named bitmap for ikWrapGlyph; empty means the built-in arrow.
  std::string_view Resource;
  // Pixels of this colour stay transparent; clNone uses the image's own mask.
  TColor MaskColor = clNone;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The area the current paint request has to cover.
  virtual TRect ClipRect() const = 0;

  // The RGB value a colour is shown in (system colours resolved), for
  // blending.
  virtual TColor RgbOf(TColor color) = 0;

  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // A straight line from `from` to `to` (the end point itself excluded).
  virtual void DrawLine(TPoint from, TPoint to, TColor color, int width) = 0;

  // Draws the bytes of `text` (active code page) one per cell of cellWidth
  // pixels, the first cell's left edge at x and its top at y. Nothing is
  // drawn outside `bounds`; unless back is clNone, `bounds` is first filled
  // with it (an opaque run).
  virtual void DrawText(const TRect& bounds, int x, int y, std::string_view text, int cellWidth,
                        const TFont& font, TFontStyles style, TColor fore, TColor back) = 0;

  virtual TFontMetrics MeasureFont(const TFont& font, TFontStyles style) = 0;
  // How far a character's ink reaches right of its cell's left edge (the
  // A + B (+ C when not negative) widths); more than the cell width for
  // italic overhangs.
  virtual int CharExtent(const TFont& font, TFontStyles style, unsigned char ch) = 0;

  // Size of an image in pixels; (0, 0) when there is none.
  virtual TPoint ImageSize(const TCanvasImage& image) = 0;
  virtual void DrawImage(const TCanvasImage& image, int x, int y) = 0;
};

}  // namespace vantrel
