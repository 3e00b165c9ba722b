// The character-cell text drawer and its shared per-style font metrics.
// Tested by tests/editor/TextDrawerTest.cpp
#include "editor/TextDrawer.h"

#include <utility>

#include "platform/Assert.h"

namespace vantrel {

// ---------------------------------------------------------------- registry

TheFontsInfoManager& TheFontsInfoManager::Instance() {
  static TheFontsInfoManager manager;
  return manager;
}

std::string TheFontsInfoManager::Key(const TFont& font) {
  return font.Name + '\x1F' + std::to_string(font.Size) + (font.FixedPitch ? "\x1F" "fixed" : "");
}

TheSharedFontsInfo* TheFontsInfoManager::GetFontsInfo(const TFont& font) {
  auto& slot = infos_[Key(font)];
  if (!slot) {
    slot = std::make_unique<TheSharedFontsInfo>();
    slot->BaseFont = font;
    slot->BaseFont.Style = 0;
  }
  ++slot->RefCount;
  return slot.get();
}

void TheFontsInfoManager::ReleaseFontInfo(TheSharedFontsInfo* info) {
  if (info->LockCount > 0) throw ETextDrawerError("Call DeactivateFontsInfo before calling this.");
  if (--info->RefCount > 0) return;
  infos_.erase(Key(info->BaseFont));
}

void TheFontsInfoManager::UnlockFontsInfo(TheSharedFontsInfo* info) {
  VANTREL_ASSERT(info->LockCount > 0, "TextDrawer");
  --info->LockCount;
}

// ---------------------------------------------------------------- font stock

TheFontStock::TheFontStock(const TFont& baseFont)
    : info_(TheFontsInfoManager::Instance().GetFontsInfo(baseFont)) {}

TheFontStock::~TheFontStock() {
  if (active_) Deactivate();
  TheFontsInfoManager::Instance().ReleaseFontInfo(info_);
}

bool TheFontStock::Holds(const TFont& font) const {
  const TFont& base = info_->BaseFont;
  return font.Name == base.Name && font.Size == base.Size && font.FixedPitch == base.FixedPitch;
}

void TheFontStock::Swap(TheFontStock& other) {
  const bool wasActive = active_;
  const bool otherWasActive = other.active_;
  Deactivate();
  other.Deactivate();
  std::swap(info_, other.info_);
  if (wasActive) Activate();
  if (otherWasActive) other.Activate();
}

void TheFontStock::SetBaseFont(const TFont& font) {
  if (Holds(font)) return;
  const bool wasActive = active_;
  if (wasActive) Deactivate();
  TheSharedFontsInfo* next = TheFontsInfoManager::Instance().GetFontsInfo(font);
  TheFontsInfoManager::Instance().ReleaseFontInfo(info_);
  info_ = next;
  if (wasActive) Activate();
}

TFontStyleMetrics TheFontStock::Metrics(TFontStyles style, Canvas* canvas) {
  VANTREL_ASSERT(style < 16, "TextDrawer");
  TFontStyleMetrics& entry = info_->Styles[style];
  if (!entry.Measured && canvas) {
    const TFontMetrics metrics = canvas->MeasureFont(info_->BaseFont, style);
    entry.Width = metrics.CharWidth > 0 ? metrics.CharWidth : metrics.AverageCharWidth;
    entry.Height = metrics.CharHeight;
    entry.Measured = true;
  }
  return entry;
}

void TheFontStock::Activate() {
  if (active_) return;
  TheFontsInfoManager::Instance().LockFontsInfo(info_);
  active_ = true;
}

void TheFontStock::Deactivate() {
  if (!active_) return;
  TheFontsInfoManager::Instance().UnlockFontsInfo(info_);
  active_ = false;
}

// ---------------------------------------------------------------- drawer

TheTextDrawer::TheTextDrawer(const TFont& baseFont) : stock_(baseFont) {}

void TheTextDrawer::BeginDraw(Canvas& canvas) {
  if (drawCount_ > 0) {
    VANTREL_ASSERT(canvas_ == &canvas, "TextDrawer");
  } else {
    canvas_ = &canvas;
    stock_.Activate();
  }
  ++drawCount_;
}

void TheTextDrawer::EndDraw() {
  VANTREL_ASSERT(drawCount_ > 0, "TextDrawer");
  if (--drawCount_ == 0) {
    stock_.Deactivate();
    canvas_ = nullptr;
  }
}

void TheTextDrawer::SetBaseFont(const TFont* font) {
  if (!font) throw ETextDrawerError("SetBaseFont: 'Value' must be specified.");
  if (!stock_.Holds(*font)) {
    if (previous_) {
      previous_->SetBaseFont(*font);
    } else {
      previous_ = std::make_unique<TheFontStock>(*font);
    }
    stock_.Swap(*previous_);
  }
  defaultStyle_ = font->Style & 15;
  style_ = defaultStyle_;
}

void TheTextDrawer::SetDefaultStyle(TFontStyles style) {
  VANTREL_ASSERT(style < 16, "TextDrawer");
  defaultStyle_ = style;
  style_ = style;
}

void TheTextDrawer::SelectStyle(TFontStyles style) {
  VANTREL_ASSERT(style < 16, "TextDrawer");
  style_ = style;
}

TFontStyleMetrics TheTextDrawer::Current() { return stock_.Metrics(style_, canvas_); }

int TheTextDrawer::CellWidth() {
  return (fixedCellWidth_ > 0 ? fixedCellWidth_ : Current().Width) + charExtra_;
}

int TheTextDrawer::CellHeight() { return Current().Height; }

void TheTextDrawer::DrawText(int x, int y, std::string_view text) {
  VANTREL_ASSERT(canvas_ != nullptr, "TextDrawer");
  const int cell = CellWidth();
  const int width = cell * static_cast<int>(text.size());
  canvas_->DrawText({x, y, x + width, y + CellHeight()}, x, y, text, cell, stock_.BaseFont(), style_, foreColor_,
                    clNone);
}

void TheTextDrawer::DrawTextInRect(int x, int y, bool opaque, const TRect& rect, std::string_view text) {
  VANTREL_ASSERT(canvas_ != nullptr, "TextDrawer");
  canvas_->DrawText(rect, x, y, text, CellWidth(), stock_.BaseFont(), style_, foreColor_,
                    opaque ? backColor_ : clNone);
}

int TheTextDrawer::CharExtent(unsigned char ch) {
  VANTREL_ASSERT(canvas_ != nullptr, "TextDrawer");
  return canvas_->CharExtent(stock_.BaseFont(), style_, ch);
}

}  // namespace vantrel
