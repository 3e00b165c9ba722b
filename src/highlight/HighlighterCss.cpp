// The CSS highlighter.
// Tested by tests/highlight/HighlighterCssTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterCss.h"

#include "highlight/HighlighterMarkupKit.h"

namespace vantrel {

namespace {

constexpr std::string_view kProperties =
    "azimuth, background, background-attachment, background-color, background-image, background-position, "
    "background-repeat, border, border-collapse, border-color, border-spacing, border-style, border-top "
    "border-right border-bottom border-left, border-top-color border-right-color border-bottom-color "
    "border-left-color, border-top-style border-right-style border-bottom-style border-left-style, "
    "border-top-width border-right-width border-bottom-width border-left-width, border-width, bottom, "
    "caption-side, clear, clip, color, content, counter-increment, counter-reset, cue, cue-after, cue-before, "
    "cursor, direction, display, elevation, empty-cells, float, font, font-family, font-size, "
    "font-size-adjust, font-stretch, font-style, font-variant, font-weight, height, left, letter-spacing, "
    "line-height, list-style, list-style-image, list-style-position, list-style-type, margin, margin-top "
    "margin-right margin-bottom margin-left, marker-offset, marks, max-height, max-width, min-height, "
    "min-width, orphans, outline, outline-color, outline-style, outline-width, overflow, padding, "
    "padding-top, padding-right, padding-bottom padding-left, page, page-break-after, page-break-before, "
    "page-break-inside, pause, pause-after, pause-before, pitch, pitch-range, play-during, position, quotes, "
    "richness, right, size, speak, speak-header, speak-numeral, speak-punctuation, speech-rate, stress, "
    "table-layout, text-align, text-decoration, text-indent, text-shadow, text-transform, top, unicode-bidi, "
    "vertical-align, visibility, voice-family, volume, white-space, widows, width, word-spacing, z-index";

constexpr int kCommentBase = 10;

THighlighterCharSet PropertyChars() {
  THighlighterCharSet chars;
  for (int c = 0; c < 256; ++c)
    if (IsAsciiLetter(char(c)) || c == '-') chars.set(size_t(c));
  return chars;
}

const TNumberRule kNumberRule = [] {
  TNumberRule rule;
  for (char c : std::string_view("0123456789.")) rule.Chars.set(uint8_t(c));
  rule.StopBeforeDoubleDot = true;
  return rule;
}();

bool IsHexDigit(char c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int CommentRangeFor(int state) { return state == csrsSelector ? csrsComment : kCommentBase + state; }
int StateAfterComment(int range) { return range == csrsComment ? csrsSelector : range - kCommentBase; }
bool IsCommentRange(int range) {
  return range == csrsComment || range == csrsCommentInProperty || range == csrsCommentAfterSemicolon ||
         range == csrsCommentInValue;
}

}  // namespace

TCssHighlighter::TCssHighlighter()
    : TKitHighlighter(
          {.LanguageName = "Cascading Stylesheets (*.css)|*.css",
           .DefaultFilter = "Cascading Stylesheets (*.css)|*.css",
           .EndKind = cstkNull,
           .SpaceKind = cstkSpace,
           .Defaults = {cstkComment, TDefaultKinds::kNoKind, cstkSelector, cstkString, cstkSpace, cstkSymbol},
           .Ranges = {csrsComment, csrsProperty, csrsSelector, csrsAfterSemicolon, csrsValue, csrsCommentInProperty,
                      csrsCommentAfterSemicolon, csrsCommentInValue},
           .InitialRange = csrsSelector},
          {
              {cstkComment, "CommentAttri", "Comment"},
              {cstkProperty, "PropertyAttri", "Property", fsBold},
              {cstkSelector, "KeyAttri", "Reserved Word", fsBold, TColor(0xFF0080)},
              {cstkUndefProperty, "UndefPropertyAttri", "Undefined Property", fsBold, TColor(0xFF0080)},
              {cstkSpace, "SpaceAttri", "Space"},
              {cstkColor, "ColorAttri", "Color Value"},
              {cstkNumber, "NumberAttri", "Number"},
              {cstkString, "StringAttri", "String"},
              {cstkSymbol, "SymbolAttri", "Symbol"},
              {cstkText, "TextAttri", "Text"},
              {cstkValue, "ValueAttri", "Value", 0, TColor(0xFF8000)},
          }) {
  EnumerateKeywords(cstkProperty, kProperties, PropertyChars(), [this](std::string_view word, int kind) {
    properties_.Put(int(MarkupWordHash(word)), std::make_unique<THashEntry>(std::string(word), kind));
  });
}

int TCssHighlighter::PropertyKind(std::string_view word) const {
  return properties_.Lookup(int(MarkupWordHash(word)), word.data(), int(word.size()), cstkUndefProperty);
}

bool TCssHighlighter::IsKeyword(std::string_view word) const {
  return !word.empty() && PropertyKind(word) == cstkProperty;
}

void TCssHighlighter::NextToken() {
  tokenPos_ = run_;
  if (IsCommentRange(range_)) return CommentProc();
  if (range_ == csrsSelector) {
    if (LineEndAtContinuation()) return;
    const char c = line_[run_];
    if (uint8_t(c) >= 32 && c != '/' && c != '{') return SelectorProc();
  }
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  auto symbol = [this](int range) {
    ++run_;
    tokenKind_ = cstkSymbol;
    range_ = range;
  };
  switch (c) {
    case '{': return symbol(csrsProperty);
    case '}': return symbol(csrsSelector);
    case ';': return symbol(csrsAfterSemicolon);
    case ':':
    case ',': return symbol(csrsValue);
    case '/':
      if (line_[run_ + 1] == '*') {
        run_ += 2;
        range_ = CommentRangeFor(range_);
        return CommentProc();
      }
      return symbol(range_);
    case '"':
      ++run_;
      SkipToQuote('"');
      tokenKind_ = cstkString;
      return;
    case '#':
      ++run_;
      while (IsHexDigit(line_[run_])) ++run_;
      tokenKind_ = cstkColor;
      return;
    default: break;
  }
  if (c == '.' || IsAsciiDigit(c)) {
    ScanNumber(kNumberRule);
    tokenKind_ = cstkNumber;
  } else if (range_ == csrsValue) {
    ValueProc();
  } else {
    PropertyProc();
  }
}

void TCssHighlighter::CommentProc() {
  if (run_ == tokenPos_ && LineEndAtContinuation()) return;
  tokenKind_ = cstkComment;
  if (SkipBlockCommentBody()) range_ = StateAfterComment(range_);
}

void TCssHighlighter::SelectorProc() {
  for (char c; uint8_t(c = line_[run_]) >= 32 && c != '/' && c != '{';) ++run_;
  tokenKind_ = cstkSelector;
}

void TCssHighlighter::ValueProc() {
  for (char c; !IsLineEndChar(c = line_[run_]) && c != ',' && c != ';' && c != '}';) ++run_;
  tokenKind_ = cstkValue;
  range_ = csrsProperty;
}

void TCssHighlighter::PropertyProc() {
  ++run_;
  for (char c; uint8_t(c = line_[run_]) > 32 && c != '"' && c != ':' && c != ';' && c != '}';) ++run_;
  tokenKind_ = PropertyKind(TokenView());
}

}  // namespace vantrel
