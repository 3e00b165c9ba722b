// Header and footer items, macro expansion and drawing.
// Tested by tests/print/CodeEditPrintHeaderFooterTest.cpp
#include "print/CodeEditPrintHeaderFooter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <utility>

namespace vantrel {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

std::string Now(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

// Header fonts are usually proportional: every character advances by its
// own width, and characters of equal width go out in one run.
int CharAdvance(Canvas& canvas, const TFont& font, char c) {
  return std::max(canvas.CharExtent(font, font.Style, static_cast<unsigned char>(c)), 1);
}

int TextWidth(Canvas& canvas, const TFont& font, std::string_view text) {
  int width = 0;
  for (char c : text) width += CharAdvance(canvas, font, c);
  return width;
}

void DrawProportional(Canvas& canvas, const TFont& font, std::string_view text, int x, int top, int height) {
  size_t i = 0;
  while (i < text.size()) {
    const int advance = CharAdvance(canvas, font, text[i]);
    size_t j = i + 1;
    while (j < text.size() && CharAdvance(canvas, font, text[j]) == advance) ++j;
    const int right = x + advance * static_cast<int>(j - i);
    canvas.DrawText({x, top, right, top + height}, x, top, text.substr(i, j - i), advance, font, font.Style,
                    font.Color, clNone);
    x = right;
    i = j;
  }
}

}  // namespace

std::string RomanNumber(int value) {
  if (value < 1) return std::to_string(value);
  static constexpr std::array<std::pair<int, const char*>, 13> kDigits{{{1000, "M"},
                                                                       {900, "CM"},
                                                                       {500, "D"},
                                                                       {400, "CD"},
                                                                       {100, "C"},
                                                                       {90, "XC"},
                                                                       {50, "L"},
                                                                       {40, "XL"},
                                                                       {10, "X"},
                                                                       {9, "IX"},
                                                                       {5, "V"},
                                                                       {4, "IV"},
                                                                       {1, "I"}}};
  std::string result;
  for (const auto& [amount, digits] : kDigits) {
    while (value >= amount) {
      result += digits;
      value -= amount;
    }
  }
  return result;
}

std::string ExpandHeaderFooterMacros(std::string_view text, const THeaderFooterMacros& macros) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; })) return {};
  auto number = [&](int n) { return macros.RomanNumbers ? RomanNumber(n) : std::to_string(n); };
  std::string result;
  size_t i = 0;
  while (i < text.size()) {
    const size_t open = text.find('$', i);
    const size_t close = open == std::string_view::npos ? open : text.find('$', open + 1);
    if (close == std::string_view::npos) {
      result.append(text.substr(i));
      break;
    }
    result.append(text.substr(i, open - i));
    const std::string_view name = text.substr(open, close - open + 1);
    if (EqualNoCase(name, "$PAGENUM$")) {
      result += number(macros.PageNum);
    } else if (EqualNoCase(name, "$PAGECOUNT$")) {
      result += number(macros.PageCount);
    } else if (EqualNoCase(name, "$TITLE$")) {
      result += macros.Title;
    } else if (EqualNoCase(name, "$DATE$")) {
      result += macros.Date;
    } else if (EqualNoCase(name, "$TIME$")) {
      result += macros.Time;
    } else if (EqualNoCase(name, "$DATETIME$")) {
      result += macros.Date + " " + macros.Time;
    } else if (EqualNoCase(name, "$TIMEDATE$")) {
      result += macros.Time + " " + macros.Date;
    } else {
      // Not a macro: its closing "$" may open the next one.
      result.append(text.substr(open, close - open));
      i = close;
      continue;
    }
    i = close + 1;
  }
  return result;
}

int THeaderFooter::AddItem(std::string text, const TFont* font, THeaderFooterAlign alignment, int lineNumber) {
  THeaderFooterItem item;
  item.Text = std::move(text);
  item.Font = font ? *font : DefaultFont;
  item.Alignment = alignment;
  item.LineNumber = lineNumber;
  item.Index = Count();
  items_.push_back(std::move(item));
  return items_.back().Index;
}

void THeaderFooter::SetDateTime(std::string date, std::string time) {
  macros_.Date = std::move(date);
  macros_.Time = std::move(time);
}

void THeaderFooter::InitPrint(Canvas& canvas, int pageCount, const std::string& title) {
  macros_.Date = Now("%x");
  macros_.Time = Now("%X");
  macros_.PageCount = pageCount;
  macros_.Title = title;
  std::stable_sort(items_.begin(), items_.end(),
                   [](const THeaderFooterItem& a, const THeaderFooterItem& b) { return a.LineNumber < b.LineNumber; });
  lineInfo_.clear();
  itemRow_.clear();
  int previous = 0;
  for (const THeaderFooterItem& item : items_) {
    if (lineInfo_.empty() || item.LineNumber != previous) lineInfo_.emplace_back();
    previous = item.LineNumber;
    itemRow_.push_back(static_cast<int>(lineInfo_.size()) - 1);
    const int height = canvas.MeasureFont(item.Font, item.Font.Style).CharHeight;
    TLineInfo& row = lineInfo_.back();
    row.LineHeight = std::max(row.LineHeight, height);
    row.MaxBaseDist = std::max(row.MaxBaseDist, height);
  }
  height_ = 0;
  for (const TLineInfo& row : lineInfo_) height_ += row.LineHeight;
}

void THeaderFooter::Print(Canvas& canvas, int pageNum, const TCodeEditPrintMargins& margins) {
  if (items_.empty()) return;
  const int total = height_ + 2 * margins.PixelHFInternalMargin;
  const int left = margins.PixelLeft;
  const int right = margins.PixelRight;
  const int top = type_ == hftHeader ? margins.PixelHeader - total : margins.PixelFooter;
  const int bottom = top + total;
  if (FrameTypes & ftShaded) canvas.FillRect({left, top, right, bottom}, ShadedColor);
  if (FrameTypes & ftBox) {
    canvas.DrawLine({left, top}, {right, top}, LineColor, 1);
    canvas.DrawLine({right - 1, top}, {right - 1, bottom}, LineColor, 1);
    canvas.DrawLine({right - 1, bottom - 1}, {left, bottom - 1}, LineColor, 1);
    canvas.DrawLine({left, bottom - 1}, {left, top}, LineColor, 1);
  }
  if (FrameTypes & ftLine) {
    const int y = type_ == hftHeader ? bottom - 1 : top;
    canvas.DrawLine({left, y}, {right, y}, LineColor, 1);
  }

  THeaderFooterMacros macros = macros_;
  macros.PageNum = pageNum;
  macros.RomanNumbers = RomanNumbers;
  const bool swap = MirrorPosition && pageNum % 2 == 0;
  std::vector<int> rowTops(lineInfo_.size());
  int y = top + margins.PixelHFInternalMargin;
  for (size_t r = 0; r < lineInfo_.size(); ++r) {
    rowTops[r] = y;
    y += lineInfo_[r].LineHeight;
  }
  for (size_t i = 0; i < items_.size(); ++i) {
    const THeaderFooterItem& item = items_[i];
    const std::string text = ExpandHeaderFooterMacros(item.Text, macros);
    if (text.empty()) continue;
    const TLineInfo& row = lineInfo_[itemRow_[i]];
    const int width = TextWidth(canvas, item.Font, text);
    const int height = canvas.MeasureFont(item.Font, item.Font.Style).CharHeight;
    THeaderFooterAlign alignment = item.Alignment;
    if (swap && alignment != hfaCenter) alignment = alignment == hfaLeft ? hfaRight : hfaLeft;
    int x = margins.PixelLeftTextIndent;
    if (alignment == hfaRight) x = margins.PixelRightTextIndent - width;
    if (alignment == hfaCenter) x = (margins.PixelLeftTextIndent + margins.PixelRightTextIndent - width) / 2;
    // Items of one row share the bottom of the row's tallest font.
    const int itemTop = rowTops[itemRow_[i]] + row.MaxBaseDist - height;
    DrawProportional(canvas, item.Font, text, x, itemTop, height);
  }
}

}  // namespace vantrel
