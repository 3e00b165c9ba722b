// The drawing surface over a QPainter: byte text through the active code page
// on a fixed cell grid (glyph runs with explicit positions, no shaping; a
// double-byte character one glyph over two cells), fills, lines and the
// editor's small built-in images.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPalette>

#include "platform/Canvas.h"

namespace vantrel {

class QtFontFace;

class QtCanvas : public Canvas {
 public:
  // A clip the painter already has (a printer's page) stays in force: text
  // runs clip to their bounds within it.
  QtCanvas(QPainter& painter, const TRect& clip, const QPalette& palette);

  // Colours and fonts as the desktop shows them.
  static QColor ToQColor(TColor color, const QPalette& palette);
  static QFont ToQFont(const TFont& font, TFontStyles style);
  static TFontMetrics Measure(const TFont& font, TFontStyles style);

  TRect ClipRect() const override { return clip_; }
  TColor RgbOf(TColor color) override;
  void FillRect(const TRect& rect, TColor color) override;
  void DrawLine(TPoint from, TPoint to, TColor color, int width) override;
  void DrawText(const TRect& bounds, int x, int y, std::string_view text, int cellWidth, const TFont& font,
                TFontStyles style, TColor fore, TColor back) override;
  TFontMetrics MeasureFont(const TFont& font, TFontStyles style) override { return Measure(font, style); }
  int CharExtent(const TFont& font, TFontStyles style, unsigned char ch) override;
  TPoint ImageSize(const TCanvasImage& image) override;
  void DrawImage(const TCanvasImage& image, int x, int y) override;

 protected:
  // The glyphs of a font at the surface's resolution.
  virtual QtFontFace& Face(const TFont& font, TFontStyles style);

 private:
  QPainter& painter_;
  TRect clip_;
  const QPalette& palette_;
  bool hasBaseClip_ = false;
  QRect baseClip_;
};

}  // namespace vantrel
