// The drawing surface over a QPainter.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/QtCanvas.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <algorithm>
#include <vector>

#include "app/QtFontFace.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// The glyphs of one draw call that come from one face. Kept between calls so
// that a repaint allocates nothing once the buffers have grown.
struct FaceRun {
  QList<quint32> Glyphs;
  QList<QPointF> Positions;
};

std::vector<FaceRun>& RunBuffers() {
  static std::vector<FaceRun> runs;
  return runs;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const TRect& clip, const QPalette& palette)
    : painter_(painter),
      clip_(clip),
      palette_(palette),
      hasBaseClip_(painter.hasClipping()),
      baseClip_(hasBaseClip_ ? painter.clipBoundingRect().toAlignedRect() : QRect()) {}

QtFontFace& QtCanvas::Face(const TFont& font, TFontStyles style) { return QtFontFace::For(font, style); }

QColor QtCanvas::ToQColor(TColor color, const QPalette& palette) {
  if (IsSystemColor(color)) {
    switch (color & 0xFF) {
      case 0x05: return palette.color(QPalette::Base);
      case 0x08: return palette.color(QPalette::Text);
      case 0x0D:
      case 0x02: return palette.color(QPalette::Highlight);
      case 0x0E: return palette.color(QPalette::HighlightedText);
      case 0x10: return palette.color(QPalette::Dark);
      case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
      case 0x12: return palette.color(QPalette::ButtonText);
      case 0x14: return palette.color(QPalette::Light);
      case 0x15: return palette.color(QPalette::Shadow);
      case 0x16: return palette.color(QPalette::Midlight);
      case 0x17: return palette.color(QPalette::ToolTipText);
      case 0x18: return palette.color(QPalette::ToolTipBase);
      case 0x01: return palette.color(QPalette::Window);
      default: return palette.color(QPalette::Button);
    }
  }
  if (color == clNone || color == clDefault) return palette.color(QPalette::Base);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QFont QtCanvas::ToQFont(const TFont& font, TFontStyles style) {
  QFont q(QString::fromStdString(font.Name));
  q.setPointSize(font.Size > 0 ? font.Size : 10);
  q.setBold(style & fsBold);
  q.setItalic(style & fsItalic);
  q.setUnderline(style & fsUnderline);
  q.setStrikeOut(style & fsStrikeOut);
  q.setKerning(false);
  if (font.FixedPitch) {
    q.setFixedPitch(true);
    q.setStyleHint(QFont::TypeWriter);
  }
  return q;
}

TFontMetrics QtCanvas::Measure(const TFont& font, TFontStyles style) { return QtFontFace::Metrics(font, style); }

TColor QtCanvas::RgbOf(TColor color) {
  const QColor q = ToQColor(color, palette_);
  return static_cast<TColor>(q.red() | (q.green() << 8) | (q.blue() << 16));
}

void QtCanvas::FillRect(const TRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  painter_.fillRect(ToQRect(rect), ToQColor(color, palette_));
}

void QtCanvas::DrawLine(TPoint from, TPoint to, TColor color, int width) {
  if (from == to) return;
  // The end point is excluded: pull it back by one pixel along the line.
  TPoint end = to;
  if (end.X != from.X) end.X += end.X > from.X ? -1 : 1;
  if (end.Y != from.Y) end.Y += end.Y > from.Y ? -1 : 1;
  painter_.setPen(QPen(ToQColor(color, palette_), width));
  painter_.drawLine(from.X, from.Y, end.X, end.Y);
}

void QtCanvas::DrawText(const TRect& bounds, int x, int y, std::string_view text, int cellWidth, const TFont& font,
                        TFontStyles style, TColor fore, TColor back) {
  if (bounds.IsEmpty()) return;
  if (back != clNone) painter_.fillRect(ToQRect(bounds), ToQColor(back, palette_));
  if (text.empty()) return;
  QtFontFace& face = Face(font, style);
  const CodePage& cp = CodePage::Active();
  const bool doubleByte = cp.IsDoubleByte();
  const qreal baseline = y + face.Ascent();
  // Glyphs go to explicit positions, one cell a byte: shaping each run would
  // cost more than all the rest of a repaint, and the grid wants the cells.
  std::vector<FaceRun>& runs = RunBuffers();
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t byte = static_cast<uint8_t>(text[i]);
    const bool pair = doubleByte && cp.IsLeadByte(byte) && i + 1 < text.size();
    const QtFontFace::Glyph& glyph =
        pair ? face.OfPair(byte, static_cast<uint8_t>(text[i + 1])) : face.OfByte(byte);
    qreal left = x + static_cast<qreal>(i) * cellWidth;
    // A double-byte character is centred on its two cells.
    if (pair) left += std::max<qreal>(0, (2 * cellWidth - glyph.Advance) / 2);
    if (runs.size() <= static_cast<size_t>(glyph.Face)) runs.resize(glyph.Face + 1);
    runs[glyph.Face].Glyphs.push_back(glyph.Index);
    runs[glyph.Face].Positions.push_back(QPointF(left, baseline));
    i += pair ? 2 : 1;
  }
  painter_.setClipRect(hasBaseClip_ ? ToQRect(bounds).intersected(baseClip_) : ToQRect(bounds));
  painter_.setPen(ToQColor(fore, palette_));
  for (size_t f = 0; f < runs.size(); ++f) {
    FaceRun& run = runs[f];
    if (run.Glyphs.isEmpty()) continue;
    {
      QGlyphRun glyphs;
      glyphs.setRawFont(face.Faces()[f]);
      glyphs.setGlyphIndexes(run.Glyphs);
      glyphs.setPositions(run.Positions);
      glyphs.setUnderline(style & fsUnderline);
      glyphs.setStrikeOut(style & fsStrikeOut);
      painter_.drawGlyphRun(QPointF(0, 0), glyphs);
    }
    // The run above has let go of the lists: clearing keeps their capacity.
    run.Glyphs.clear();
    run.Positions.clear();
  }
  if (hasBaseClip_) {
    painter_.setClipRect(baseClip_);
  } else {
    painter_.setClipping(false);
  }
}

int QtCanvas::CharExtent(const TFont& font, TFontStyles style, unsigned char ch) {
  return Face(font, style).Extent(ch);
}

TPoint QtCanvas::ImageSize(const TCanvasImage& image) {
  switch (image.Kind) {
    case ikWrapGlyph: return {9, 9};
    case ikBookmarkDigit: return {11, 14};
    case ikBookmarkImage: return {0, 0};  // no bookmark image list in this program
  }
  return {0, 0};
}

void QtCanvas::DrawImage(const TCanvasImage& image, int x, int y) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  if (image.Kind == ikWrapGlyph) {
    // A hooked arrow: down from the top right, then left.
    QPainterPath path;
    path.moveTo(x + 7.5, y + 0.5);
    path.lineTo(x + 7.5, y + 5.5);
    path.lineTo(x + 1.5, y + 5.5);
    painter_.setPen(QPen(palette_.color(QPalette::Text), 1.2));
    painter_.drawPath(path);
    QPainterPath head;
    head.moveTo(x + 0.5, y + 5.5);
    head.lineTo(x + 3.5, y + 2.5);
    head.lineTo(x + 3.5, y + 8.5);
    head.closeSubpath();
    painter_.fillPath(head, palette_.color(QPalette::Text));
  } else if (image.Kind == ikBookmarkDigit) {
    const QRectF box(x + 0.5, y + 0.5, 10, 13);
    painter_.setPen(QColor(0, 0, 128));
    painter_.setBrush(QColor(255, 255, 160));
    painter_.drawRoundedRect(box, 2, 2);
    QFont font("Sans");
    font.setPixelSize(10);
    font.setBold(true);
    painter_.setFont(font);
    painter_.drawText(box, Qt::AlignCenter, QString::number(image.Index));
  }
  painter_.restore();
}

}  // namespace vantrel
