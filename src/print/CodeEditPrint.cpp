// Preparation, pagination and printing of pages.
// Tested by tests/print/CodeEditPrintTest.cpp
#include "print/CodeEditPrint.h"

#include <algorithm>

#include "highlight/CodeEditHighlighter.h"
#include "print/CodeEditPrintWrap.h"

namespace vantrel {

namespace {

std::string ExpandTabs(std::string_view line, int tabWidth) {
  std::string result;
  result.reserve(line.size());
  for (char c : line) {
    if (c != '\t') {
      result.push_back(c);
    } else if (tabWidth <= 0) {
      result.push_back(' ');
    } else {
      result.append(tabWidth - static_cast<int>(result.size()) % tabWidth, ' ');
    }
  }
  return result;
}

// The highlighter is shared with the open editors: whatever range state a
// print leaves it in, it gets its own back.
class RangeKeeper {
 public:
  explicit RangeKeeper(TCustomHighlighter* highlighter)
      : highlighter_(highlighter), saved_(highlighter ? highlighter->RangeState() : kNoLineRange) {}
  ~RangeKeeper() {
    if (highlighter_) highlighter_->SetRangeState(saved_);
  }
  RangeKeeper(const RangeKeeper&) = delete;  // restores once
  RangeKeeper& operator=(const RangeKeeper&) = delete;

 private:
  TCustomHighlighter* highlighter_;
  TLineRange saved_;
};

constexpr TFontStyles kAllStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

}  // namespace

TCodeEditPrint::TCodeEditPrint() = default;
TCodeEditPrint::~TCodeEditPrint() = default;

void TCodeEditPrint::SetLines(const TCodeEditStringList& lines) {
  lines_.clear();
  lines_.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) lines_.push_back(ExpandTabs(lines.Get(i), TabWidth));
  rangesScanned_ = false;
  pagesCounted_ = false;
}

void TCodeEditPrint::SetLines(const std::vector<std::string>& lines) {
  lines_.clear();
  lines_.reserve(lines.size());
  for (const std::string& line : lines) lines_.push_back(ExpandTabs(line, TabWidth));
  rangesScanned_ = false;
  pagesCounted_ = false;
}

void TCodeEditPrint::SetFont(const TFont& font) {
  font_ = font;
  pagesCounted_ = false;
}

void TCodeEditPrint::SetHighlighter(TCustomHighlighter* highlighter) {
  highlighter_ = highlighter;
  rangesScanned_ = false;
  pagesCounted_ = false;
}

bool TCodeEditPrint::UsesHighlighter() const { return Highlight && highlighter_ && !lines_.empty(); }

int TCodeEditPrint::LineNumberWidth() const {
  if (!LineNumbers || LineNumbersInMargin) return 0;
  const std::string widest = std::to_string(static_cast<int64_t>(lines_.size()) + LineOffset) + ": ";
  return static_cast<int>(widest.size()) * charAdvance_;
}

// ---------------------------------------------------------------- layout

void TCodeEditPrint::Prepare(Canvas& canvas) {
  printerInfo_ = printer_ ? printer_->Info().value_or(TCodeEditPrinterInfo{}) : TCodeEditPrinterInfo{};
  // Measured with every style so that bold and italic runs keep to the grid.
  const TFontMetrics metrics = canvas.MeasureFont(font_, kAllStyles);
  charAdvance_ = std::max(metrics.AverageCharWidth > 0 ? metrics.AverageCharWidth : metrics.CharWidth, 1);
  lineHeight_ = std::max(metrics.CharHeight, 1);
  const int wideWidth = std::max(metrics.MaximumCharWidth > 0 ? metrics.MaximumCharWidth : charAdvance_, 1);
  margins_.InitPage(printerInfo_, 1, LineNumberWidth());

  // The most "W"s that stay narrower than the text.
  const int textWidth = margins_.PixelRight - margins_.PixelLeft;
  const int reached = textWidth > 0 ? (textWidth + wideWidth - 1) / wideWidth : 0;
  charsPerRow_ = std::max(reached - 1, 1);
  printRowWidth_ = charsPerRow_ * wideWidth;
  wrapLine_ = -1;
  Paginate();
  const int pageCount = static_cast<int>(pages_.size());
  header_.InitPrint(canvas, pageCount, Title);
  footer_.InitPrint(canvas, pageCount, Title);
  pagesCounted_ = true;
}

int TCodeEditPrint::RowsOf(int line) {
  if (line != wrapLine_) {
    const std::string& text = lines_[static_cast<size_t>(line)];
    if (!Wrap || static_cast<int64_t>(text.size()) * charAdvance_ <= printRowWidth_) {
      wrapPositions_.clear();
    } else {
      PrintWrapPositions(text, charsPerRow_, wrapPositions_);
    }
    wrapLine_ = line;
  }
  return static_cast<int>(wrapPositions_.size()) + 1;
}

void TCodeEditPrint::Paginate() {
  pages_.assign(1, TPageLine{});
  const int top = margins_.PixelTop;
  const int bottom = margins_.PixelBottom;
  const int64_t pageHeight = int64_t{bottom} - top;
  int64_t y = top;
  for (int line = 0, count = static_cast<int>(lines_.size()); line < count; ++line) {
    const int rows = RowsOf(line);
    const int64_t height = int64_t{rows} * lineHeight_;
    // A wrapped line that fits on a page is kept together; a longer one
    // goes on over as many pages as it needs instead of running off the
    // bottom of one.
    if (y > top && y + height > bottom && height <= pageHeight) {
      pages_.push_back({line, 0});
      y = top;
    }
    for (int row = 0; row < rows; ++row) {
      if (y > top && y + lineHeight_ > bottom) {
        pages_.push_back({line, row});
        y = top;
      }
      y += lineHeight_;
    }
  }
}

int TCodeEditPrint::CountPages() {
  if (pagesCounted_) return static_cast<int>(pages_.size());
  Canvas* canvas = printer_ ? printer_->MeasuringCanvas() : nullptr;
  if (!canvas) return 0;
  Prepare(*canvas);
  return static_cast<int>(pages_.size());
}

void TCodeEditPrint::ScanRanges() {
  RangeKeeper keeper(highlighter_);
  ranges_.resize(lines_.size());
  highlighter_->ResetRangeState();
  for (size_t i = 0; i < lines_.size(); ++i) {
    highlighter_->StartLine(lines_[i], static_cast<int>(i));
    highlighter_->ScanToLineEnd();
    ranges_[i] = highlighter_->RangeState();
    highlighter_->SetRangeState(ranges_[i]);
  }
  rangesScanned_ = true;
}

// ---------------------------------------------------------------- printing

void TCodeEditPrint::PrintPages(int from, int to) {
  if (!printer_) return;
  if (SelectedOnly && !HasSelection) return;
  abort_ = false;
  Canvas& canvas = printer_->BeginDoc(DocTitle.empty() ? Title : DocTitle);
  printing_ = true;
  try {
    if (OnPrintStatus) OnPrintStatus(psBegin, from, abort_);
    int last = to;
    if (!abort_) {
      Prepare(canvas);
      if (UsesHighlighter() && !rangesScanned_) ScanRanges();
      RangeKeeper keeper(UsesHighlighter() ? highlighter_ : nullptr);
      drawer_ = std::make_unique<TheTextDrawer>(font_);
      scanLine_ = -1;
      const int pageCount = static_cast<int>(pages_.size());
      last = to < 0 ? pageCount : std::min(to, pageCount);
      const int first = std::max(from, 1);
      const int copies = std::max(Copies, 1);
      for (int copy = 1; copy <= copies && !abort_; ++copy) {
        for (int page = first; page <= last && !abort_; ++page) {
          PrintPage(canvas, page);
          if (!abort_ && !(copy == copies && page == last)) printer_->NewPage();
        }
      }
    }
    if (!abort_ && OnPrintStatus) OnPrintStatus(psEnd, last, abort_);
  } catch (...) {
    printing_ = false;
    printer_->Abort();
    throw;
  }
  printing_ = false;
  if (abort_) {
    printer_->Abort();
  } else {
    printer_->EndDoc();
  }
}

void TCodeEditPrint::PrintPage(Canvas& canvas, int page) {
  if (OnPrintStatus) {
    OnPrintStatus(psNewPage, page, abort_);
    scanLine_ = -1;  // the handler may have used the highlighter
  }
  if (abort_) return;
  margins_.InitPage(printerInfo_, page + PageOffset, LineNumberWidth());
  canvas.FillRect({margins_.PixelLeft, margins_.PixelTop, margins_.PixelRight, margins_.PixelBottom}, Color);
  header_.Print(canvas, page + PageOffset, margins_);

  const TPageLine start = pages_[static_cast<size_t>(page - 1)];
  const TPageLine end = static_cast<size_t>(page) < pages_.size() ? pages_[static_cast<size_t>(page)]
                                                                   : TPageLine{static_cast<int>(lines_.size()), 0};
  int y = margins_.PixelTop;
  TDrawScope scope(*drawer_, canvas);
  drawer_->SetBaseFont(&font_);
  drawer_->SetFixedCellWidth(charAdvance_);
  for (int line = start.Line; line < end.Line || (line == end.Line && end.Row > 0); ++line) {
    const int rows = RowsOf(line);
    const int firstRow = line == start.Line ? start.Row : 0;
    const int lastRow = line == end.Line ? end.Row - 1 : rows - 1;
    if (LineNumbers && firstRow == 0) {
      const std::string number = std::to_string(int64_t{line} + 1 + LineOffset) + ": ";
      const int width = static_cast<int>(number.size()) * charAdvance_;
      const int x = margins_.PixelLeft - width;
      canvas.DrawText({x, y, margins_.PixelLeft, y + lineHeight_}, x, y, number, charAdvance_, font_, 0, clBlack,
                      clNone);
    }
    PrintRows(canvas, line, firstRow, lastRow, y);
    y += (lastRow - firstRow + 1) * lineHeight_;
    if (lastRow == rows - 1 && OnPrintLine) OnPrintLine(line + 1, page);
  }
  footer_.Print(canvas, page + PageOffset, margins_);
}

void TCodeEditPrint::PrintRows(Canvas& canvas, int line, int firstRow, int lastRow, int y) {
  const std::string& text = lines_[static_cast<size_t>(line)];
  const int rows = RowsOf(line);  // leaves this line's wrap positions in wrapPositions_
  const int length = static_cast<int>(text.size());
  // Whatever does not fit the text width is cut off, as on paper it would
  // run into the margin.
  const int fitColumns = std::max((margins_.PixelRight - margins_.PixelLeft) / charAdvance_, 1);

  TLinePaintLook look;
  look.DefaultStyle = font_.Style;
  look.FontColor = font_.Color;
  look.LineBack = Color;
  look.TokenColors = Colors;
  look.CellWidth = charAdvance_;
  look.LineHeight = lineHeight_;
  look.TabWidth = TabWidth;

  TLineScan scan;
  if (UsesHighlighter()) {
    scan.Highlighter = highlighter_;
    if (line > 0) scan.StartRange = ranges_[static_cast<size_t>(line - 1)];
    scan.LineIndex = line;
    scan.Continue = line == scanLine_ && firstRow == scanNextRow_;
  }

  TLinePaintRow row;
  row.Text = text;
  row.OriginX = margins_.PixelLeft;
  for (int r = firstRow; r <= lastRow; ++r) {
    const int rowStart = r == 0 ? 0 : wrapPositions_[static_cast<size_t>(r - 1)];
    const int rowEnd = r < rows - 1 ? wrapPositions_[static_cast<size_t>(r)] : length;
    row.Top = y;
    row.Offset = rowStart;
    row.First = rowStart + 1;
    row.Last = rowStart + std::min(rowEnd - rowStart, fitColumns);
    row.Limit = rowEnd;
    row.LastRowOfLine = r == rows - 1;
    row.Clip = {margins_.PixelLeft, y, margins_.PixelRight, y + lineHeight_};
    linePainter_.PaintRow(*drawer_, canvas, look, row, scan);
    scan.Continue = scan.Highlighter != nullptr;
    y += lineHeight_;
  }
  scanLine_ = line;
  scanNextRow_ = lastRow + 1;
}

}  // namespace vantrel
