// The character-cell text drawer: per-style font metrics shared between
// editors that use the same font, and text runs drawn on a fixed grid through
// a Canvas.
// Tested by tests/editor/TextDrawerTest.cpp
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Exception.h"

namespace vantrel {

class ETextDrawerError : public Exception {
 public:
  using Exception::Exception;
};

struct TFontStyleMetrics {
  bool Measured = false;
  int Width = 0;
  int Height = 0;
};

// Metrics of one base font in its 16 style combinations, measured lazily.
// Editors with the same font share one record through TheFontsInfoManager.
struct TheSharedFontsInfo {
  TFont BaseFont;
  std::array<TFontStyleMetrics, 16> Styles{};
  int RefCount = 0;
  int LockCount = 0;  // above 0 while some drawer draws with it
};

class TheFontsInfoManager {
 public:
  static TheFontsInfoManager& Instance();

  // Finds or creates the record for a font (its name and size; colour and
  // style do not matter) and adds a reference.
  TheSharedFontsInfo* GetFontsInfo(const TFont& font);
  // Drops a reference; the record goes with the last one. Releasing a
  // record that is being drawn with is refused.
  void ReleaseFontInfo(TheSharedFontsInfo* info);
  void LockFontsInfo(TheSharedFontsInfo* info) { ++info->LockCount; }
  void UnlockFontsInfo(TheSharedFontsInfo* info);
  int Count() const { return static_cast<int>(infos_.size()); }

 private:
  static std::string Key(const TFont& font);
  std::map<std::string, std::unique_ptr<TheSharedFontsInfo>> infos_;
};

class TheFontStock {
 public:
  explicit TheFontStock(const TFont& baseFont);
  ~TheFontStock();
  TheFontStock(const TheFontStock&) = delete;  // holds a registry reference
  TheFontStock& operator=(const TheFontStock&) = delete;

  const TFont& BaseFont() const { return info_->BaseFont; }
  void SetBaseFont(const TFont& font);
  // Whether the font's metrics are this stock's (the style does not matter).
  bool Holds(const TFont& font) const;
  // Exchanges the fonts of two stocks; each keeps its drawing state.
  void Swap(TheFontStock& other);
  // Metrics of a style (0..15), measured through the canvas on first use;
  // unmeasured entries read as zero without a canvas.
  TFontStyleMetrics Metrics(TFontStyles style, Canvas* canvas);
  // While active the shared record may not be released.
  void Activate();
  void Deactivate();

 private:
  TheSharedFontsInfo* info_ = nullptr;
  bool active_ = false;
};

class TheTextDrawer {
 public:
  explicit TheTextDrawer(const TFont& baseFont);
  TheTextDrawer(const TheTextDrawer&) = delete;  // owns a font stock
  TheTextDrawer& operator=(const TheTextDrawer&) = delete;

  // Nesting is allowed with the same canvas; the last EndDraw leaves the
  // drawing state.
  void BeginDraw(Canvas& canvas);
  void EndDraw();
  bool Drawing() const { return drawCount_ > 0; }

  // Fails when no font is given.
  void SetBaseFont(const TFont* font);
  const TFont& BaseFont() const { return stock_.BaseFont(); }
  void SetDefaultStyle(TFontStyles style);
  void SelectStyle(TFontStyles style);
  TFontStyles Style() const { return style_; }
  void SetTextColor(TColor color) { foreColor_ = color; }
  void SetFillColor(TColor color) { backColor_ = color; }
  TColor TextColor() const { return foreColor_; }
  TColor FillColor() const { return backColor_; }
  void SetExtraSpacing(int pixels) { charExtra_ = pixels; }
  // Puts every style on one grid (the editor's cell width); 0 uses the
  // measured width of the current style.
  void SetFixedCellWidth(int pixels) { fixedCellWidth_ = pixels; }

  int CellWidth();
  int CellHeight();

  // Text over whatever is there.
  void DrawText(int x, int y, std::string_view text);
  // Text limited to rect; opaque fills rect with the fill colour first.
  void DrawTextInRect(int x, int y, bool opaque, const TRect& rect, std::string_view text);
  // Where the ink of a character in the current style ends, from its cell's
  // left edge.
  int CharExtent(unsigned char ch);

 private:
  TFontStyleMetrics Current();

  TheFontStock stock_;
  // The base font used before the current one, kept so that switching back
  // (the gutter font and the editor font alternate in every paint) finds its
  // metrics measured.
  std::unique_ptr<TheFontStock> previous_;
  TFontStyles style_ = 0;
  TFontStyles defaultStyle_ = 0;
  TColor foreColor_ = clWindowText;
  TColor backColor_ = clWindow;
  int charExtra_ = 0;
  int fixedCellWidth_ = 0;
  Canvas* canvas_ = nullptr;
  int drawCount_ = 0;
};

}  // namespace vantrel
