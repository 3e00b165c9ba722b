// Lays a document out on printer pages and prints them: margins, header and
// footer, optional line numbers, wrapping at word breaks and highlighting
// through the document's highlighter, painted by the screen's line painter.
// Tested by tests/print/CodeEditPrintTest.cpp
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/LinePainter.h"
#include "print/CodeEditPrintHeaderFooter.h"
#include "print/CodeEditPrintMargins.h"
#include "print/CodeEditPrinterInfo.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

class TCustomHighlighter;

enum TCodeEditPrintStatus : uint8_t { psBegin, psNewPage, psEnd };

// Where a page starts: a line, and the wrapped row of it (0 unless the line
// is too long for the rest of the page before).
struct TPageLine {
  int Line = 0;
  int Row = 0;
  friend bool operator==(const TPageLine&, const TPageLine&) = default;
};

class TCodeEditPrint {
 public:
  using TPrintStatusEvent = std::function<void(TCodeEditPrintStatus status, int pageNumber, bool& abort)>;
  using TPrintLineEvent = std::function<void(int lineNumber, int pageNumber)>;

  TCodeEditPrint();
  ~TCodeEditPrint();
  TCodeEditPrint(const TCodeEditPrint&) = delete;  // owns the layout of one print
  TCodeEditPrint& operator=(const TCodeEditPrint&) = delete;

  // The printer pages go to; none counts no pages and prints nothing.
  void SetPrinter(TCodeEditPrinter* printer) { printer_ = printer; }

  int Copies = 1;
  THeader& Header() { return header_; }
  TFooter& Footer() { return footer_; }
  TCodeEditPrintMargins& Margins() { return margins_; }

  // A copy of the text with tabs expanded to spaces at TabWidth.
  void SetLines(const TCodeEditStringList& lines);
  void SetLines(const std::vector<std::string>& lines);
  const std::vector<std::string>& Lines() const { return lines_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // The highlighter is shared with the editors: printing scans without
  // storing anything in their buffers and gives back its range state.
  TCustomHighlighter* Highlighter() const { return highlighter_; }
  void SetHighlighter(TCustomHighlighter* highlighter);

  std::string Title;
  std::string DocTitle;  // the job's name, Title when empty
  bool Wrap = true;
  bool Highlight = true;
  // Prints nothing unless HasSelection; Lines then hold the selected text.
  bool SelectedOnly = false;
  bool HasSelection = false;
  bool Colors = false;
  bool LineNumbers = false;
  bool LineNumbersInMargin = false;
  int LineOffset = 0;
  int PageOffset = 0;
  int TabWidth = 8;
  TColor Color = clWhite;

  TPrintLineEvent OnPrintLine;
  TPrintStatusEvent OnPrintStatus;

  // Paginates on the printer's measuring surface when needed; 0 without one.
  int CountPages();
  void PrintAll() { PrintPages(1, -1); }
  // Pages from..to (1-based; to < 0 means the last) in Copies copies.
  void PrintPages(int from, int to);

  // The layout of the last pagination.
  const std::vector<TPageLine>& Pages() const { return pages_; }
  int CharsPerRow() const { return charsPerRow_; }
  int CharAdvance() const { return charAdvance_; }
  int PrintLineHeight() const { return lineHeight_; }
  const TCodeEditPrinterInfo& PrinterInfo() const { return printerInfo_; }
  bool Printing() const { return printing_; }

 private:
  void Prepare(Canvas& canvas);
  void ScanRanges();
  void Paginate();
  int RowsOf(int line);
  int LineNumberWidth() const;
  bool UsesHighlighter() const;
  void PrintPage(Canvas& canvas, int page);
  void PrintRows(Canvas& canvas, int line, int firstRow, int lastRow, int y);

  TCodeEditPrinter* printer_ = nullptr;
  TCodeEditPrinterInfo printerInfo_;
  THeader header_;
  TFooter footer_;
  TCodeEditPrintMargins margins_;
  std::vector<std::string> lines_;
  std::vector<TLineRange> ranges_;  // the range each line ends in
  TFont font_{"MS Sans Serif", 8, 0, clBlack, false};
  TCustomHighlighter* highlighter_ = nullptr;

  std::vector<TPageLine> pages_;
  std::vector<int> wrapPositions_;
  int wrapLine_ = -1;  // the line wrapPositions_ belong to; a long line is asked for on every page
  // Where the highlighter stopped in the last printed line: the next page
  // goes on from there instead of scanning the line again from its start.
  int scanLine_ = -1;
  int scanNextRow_ = 0;
  int charsPerRow_ = 1;
  int printRowWidth_ = 0;
  int charAdvance_ = 1;
  int lineHeight_ = 1;
  bool rangesScanned_ = false;
  bool pagesCounted_ = false;
  bool abort_ = false;
  bool printing_ = false;

  std::unique_ptr<TheTextDrawer> drawer_;
  TLinePainter linePainter_;
};

}  // namespace vantrel
