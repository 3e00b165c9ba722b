// The drawing surface over a QPainter.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/QtCanvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "platform/CodePage.h"

namespace vantrel {

namespace {

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// One font in one style, ready for glyph runs: the glyph of every byte of the
// code page it was built for. Shaping each run would cost more than all the
// rest of a repaint, and the cell grid wants explicit positions anyway.
struct FontEntry {
  QFont Font;
  QRawFont Raw;
  std::array<quint32, 256> Glyphs{};
  std::array<bool, 256> Missing{};
  qreal Ascent = 0;
  int CodePage = 0;
};

using FontKey = std::tuple<std::string, int, bool, TFontStyles>;

FontEntry& EntryFor(const TFont& font, TFontStyles style) {
  static std::map<FontKey, std::unique_ptr<FontEntry>> cache;
  const CodePage& cp = CodePage::Active();
  auto& slot = cache[FontKey{font.Name, font.Size, font.FixedPitch, style}];
  if (!slot || slot->CodePage != cp.Number()) {
    slot = std::make_unique<FontEntry>();
    slot->Font = QtCanvas::ToQFont(font, style);
    slot->Raw = QRawFont::fromFont(slot->Font);
    slot->Ascent = QFontMetricsF(slot->Font).ascent();
    slot->CodePage = cp.Number();
    for (int b = 0; b < 256; ++b) {
      const char32_t code = cp.IsDoubleByte() && cp.IsLeadByte(static_cast<uint8_t>(b)) ? U'?' : cp.ToUnicode(b);
      const QString s = QString::fromUcs4(&code, 1);
      const QList<quint32> glyphs = slot->Raw.isValid() ? slot->Raw.glyphIndexesForString(s) : QList<quint32>{};
      slot->Glyphs[b] = glyphs.isEmpty() ? 0 : glyphs.first();
      slot->Missing[b] = glyphs.isEmpty() || glyphs.first() == 0;
    }
  }
  return *slot;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const TRect& clip, const QPalette& palette)
    : painter_(painter), clip_(clip), palette_(palette) {}

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

TFontMetrics QtCanvas::Measure(const TFont& font, TFontStyles style) {
  const QFontMetrics metrics(ToQFont(font, style));
  TFontMetrics result;
  result.CharWidth = metrics.horizontalAdvance(QLatin1Char('M'));
  result.CharHeight = metrics.height();
  // A narrow and a wide letter tell a fixed-pitch font from a proportional one.
  result.AverageCharWidth = metrics.horizontalAdvance(QLatin1Char('i'));
  result.MaximumCharWidth = metrics.horizontalAdvance(QLatin1Char('W'));
  return result;
}

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
  FontEntry& entry = EntryFor(font, style);
  const CodePage& cp = CodePage::Active();
  painter_.setClipRect(ToQRect(bounds));
  painter_.setPen(ToQColor(fore, palette_));
  const qreal baseline = y + entry.Ascent;
  bool slowPath = !entry.Raw.isValid();
  for (char c : text) slowPath = slowPath || entry.Missing[static_cast<uint8_t>(c)];
  if (!slowPath) {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) {
      glyphs.push_back(entry.Glyphs[static_cast<uint8_t>(text[i])]);
      positions.push_back(QPointF(x + static_cast<qreal>(i) * cellWidth, baseline));
    }
    QGlyphRun run;
    run.setRawFont(entry.Raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(style & fsUnderline);
    run.setStrikeOut(style & fsStrikeOut);
    painter_.drawGlyphRun(QPointF(0, 0), run);
  } else {
    // Double-byte characters and glyphs the font lacks (drawn with a
    // fallback font): one character per cell, two cells for a pair.
    painter_.setFont(entry.Font);
    size_t i = 0;
    while (i < text.size()) {
      const size_t length = cp.IsLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
      const std::u32string code = cp.Decode(text.substr(i, length));
      painter_.drawText(QPointF(x + static_cast<qreal>(i) * cellWidth, baseline),
                        QString::fromUcs4(code.data(), static_cast<qsizetype>(code.size())));
      i += length;
    }
  }
  painter_.setClipping(false);
}

int QtCanvas::CharExtent(const TFont& font, TFontStyles style, unsigned char ch) {
  FontEntry& entry = EntryFor(font, style);
  const QFontMetrics metrics(entry.Font);
  const char32_t code = CodePage::Active().ToUnicode(ch);
  const QString s = QString::fromUcs4(&code, 1);
  const int right = metrics.rightBearing(s.at(0));
  return metrics.horizontalAdvance(s) - std::min(right, 0);
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
