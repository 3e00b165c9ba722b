// Header and footer of printed pages: text items with macros (page number,
// page count, title, date, time) on one or more rows, framed by a line, a
// box or a shaded area.
// Tested by tests/print/CodeEditPrintHeaderFooterTest.cpp
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "print/CodeEditPrintMargins.h"

namespace vantrel {

using TFrameTypes = uint8_t;
constexpr TFrameTypes ftLine = 1;
constexpr TFrameTypes ftBox = 2;
constexpr TFrameTypes ftShaded = 4;

enum THeaderFooterAlign : uint8_t { hfaLeft, hfaRight, hfaCenter };
enum THeaderFooterType : uint8_t { hftHeader, hftFooter };

// What the macros of an item text stand for on one page.
struct THeaderFooterMacros {
  int PageNum = 1;
  int PageCount = 1;
  bool RomanNumbers = false;
  std::string Title;
  std::string Date;
  std::string Time;
};

// Standard subtractive notation; numbers below 1 stay decimal.
std::string RomanNumber(int value);
// Macros between "$" signs matched regardless of case; unknown ones copied.
std::string ExpandHeaderFooterMacros(std::string_view text, const THeaderFooterMacros& macros);

struct THeaderFooterItem {
  std::string Text;
  TFont Font;
  THeaderFooterAlign Alignment = hfaLeft;
  int LineNumber = 1;  // 1-based row within the header or footer
  int Index = 0;
};

// One used item row.
struct TLineInfo {
  int LineHeight = 0;
  int MaxBaseDist = 0;  // tallest font of the row, which the others share a bottom with
};

class THeaderFooter {
 public:
  TFrameTypes FrameTypes = ftLine;
  TColor ShadedColor = 12632256;  // #C0C0C0
  TColor LineColor = clBlack;
  TFont DefaultFont{"Arial", 10, 0, clBlack, false};
  bool RomanNumbers = false;
  // Left and right alignment swap on even pages.
  bool MirrorPosition = false;

  THeaderFooter(const THeaderFooter&) = delete;  // items are referred to by index
  THeaderFooter& operator=(const THeaderFooter&) = delete;
  virtual ~THeaderFooter() = default;

  // The item gets a copy of font, or of DefaultFont when none is given.
  int AddItem(std::string text, const TFont* font, THeaderFooterAlign alignment, int lineNumber);
  void ClearItems() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  const THeaderFooterItem& Item(int index) const { return items_.at(static_cast<size_t>(index)); }

  // Before a print: remembers date, time, page count and title, sorts the
  // items by row and measures the rows on the printer's surface.
  void InitPrint(Canvas& canvas, int pageCount, const std::string& title);
  // Used by tests to fix the clock.
  void SetDateTime(std::string date, std::string time);
  void Print(Canvas& canvas, int pageNum, const TCodeEditPrintMargins& margins);
  // Height of the item rows after InitPrint; the page's internal margin
  // adds above and below.
  int Height() const { return height_; }
  const std::vector<TLineInfo>& LineInfo() const { return lineInfo_; }

 protected:
  explicit THeaderFooter(THeaderFooterType type) : type_(type) {}

 private:
  THeaderFooterType type_;
  std::vector<THeaderFooterItem> items_;
  std::vector<TLineInfo> lineInfo_;
  std::vector<int> itemRow_;  // index into lineInfo_ per (sorted) item
  int height_ = 0;
  THeaderFooterMacros macros_;
};

class THeader : public THeaderFooter {
 public:
  THeader() : THeaderFooter(hftHeader) {}
};

class TFooter : public THeaderFooter {
 public:
  TFooter() : THeaderFooter(hftFooter) {}
};

}  // namespace vantrel
