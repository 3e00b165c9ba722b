// Glyphs and metrics of an editor font, found once per font, style and
// character.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/QtFontFace.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "app/QtCanvas.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

using FontKey = std::tuple<std::string, int, bool, TFontStyles>;

FontKey KeyOf(const TFont& font, TFontStyles style) { return {font.Name, font.Size, font.FixedPitch, style}; }

int64_t& LookUpCount() {
  static int64_t count = 0;
  return count;
}

}  // namespace

QtFontFace& QtFontFace::For(const TFont& font, TFontStyles style) {
  static std::map<FontKey, std::unique_ptr<QtFontFace>> faces;
  const CodePage& cp = CodePage::Active();
  auto& slot = faces[KeyOf(font, style)];
  if (!slot || &slot->codePage_ != &cp) {
    ++LookUpCount();
    slot = std::make_unique<QtFontFace>(QtCanvas::ToQFont(font, style), cp);
  }
  return *slot;
}

TFontMetrics QtFontFace::Metrics(const TFont& font, TFontStyles style) {
  static std::map<FontKey, TFontMetrics> measured;
  auto [it, added] = measured.try_emplace(KeyOf(font, style));
  if (added) {
    ++LookUpCount();
    const QFontMetrics metrics(QtCanvas::ToQFont(font, style));
    it->second.CharWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    it->second.CharHeight = metrics.height();
    // A narrow and a wide letter tell a fixed-pitch font from a proportional one.
    it->second.AverageCharWidth = metrics.horizontalAdvance(QLatin1Char('i'));
    it->second.MaximumCharWidth = metrics.horizontalAdvance(QLatin1Char('W'));
  }
  return it->second;
}

int64_t QtFontFace::LookUps() { return LookUpCount(); }

QtFontFace::QtFontFace(const QFont& font, const CodePage& codePage)
    : font_(font), codePage_(codePage), ascent_(QFontMetricsF(font).ascent()) {
  faces_.push_back(QRawFont::fromFont(font_));
  extents_.fill(-1);
}

int QtFontFace::FaceIndex(const QRawFont& raw) {
  const auto it = std::find(faces_.begin(), faces_.end(), raw);
  if (it != faces_.end()) return static_cast<int>(it - faces_.begin());
  faces_.push_back(raw);
  return static_cast<int>(faces_.size()) - 1;
}

QtFontFace::Glyph QtFontFace::LookUp(char32_t code) {
  ++LookUpCount();
  const QString text = QString::fromUcs4(&code, 1);
  const QRawFont& own = faces_.front();
  if (own.isValid() && own.supportsCharacter(code)) {
    const QList<quint32> indexes = own.glyphIndexesForString(text);
    if (!indexes.isEmpty() && indexes.first() != 0) {
      return {0, indexes.first(), own.advancesForGlyphIndexes(indexes).value(0).x()};
    }
  }
  // The font lacks it: let the text layout pick the fallback face the
  // desktop would use, once, and keep that face for drawing.
  QTextLayout layout(text, font_);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QList<quint32> indexes = run.glyphIndexes();
    if (indexes.isEmpty() || !run.rawFont().isValid()) continue;
    return {FaceIndex(run.rawFont()), indexes.first(), run.rawFont().advancesForGlyphIndexes(indexes).value(0).x()};
  }
  return {0, 0, 0};
}

const QtFontFace::Glyph& QtFontFace::OfByte(uint8_t byte) {
  Glyph& glyph = bytes_[byte];
  if (glyph.Face < 0) {
    // A lead byte without its trail is half a character.
    glyph = LookUp(codePage_.IsDoubleByte() && codePage_.IsLeadByte(byte) ? U'?' : codePage_.ToUnicode(byte));
  }
  return glyph;
}

const QtFontFace::Glyph& QtFontFace::OfPair(uint8_t lead, uint8_t trail) {
  Glyph& glyph = pairs_[static_cast<uint16_t>(lead << 8 | trail)];
  if (glyph.Face < 0) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const std::u32string code = codePage_.Decode(std::string_view(bytes, 2));
    glyph = LookUp(code.size() == 1 ? code.front() : U'?');
  }
  return glyph;
}

int QtFontFace::Extent(uint8_t byte) {
  int& extent = extents_[byte];
  if (extent < 0) {
    ++LookUpCount();
    const QFontMetrics metrics(font_);
    const char32_t code = codePage_.ToUnicode(byte);
    const QString s = QString::fromUcs4(&code, 1);
    extent = metrics.horizontalAdvance(s) - std::min(metrics.rightBearing(s.at(0)), 0);
  }
  return extent;
}

}  // namespace vantrel
