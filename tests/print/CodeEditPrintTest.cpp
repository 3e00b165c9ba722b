// The print layout on a fake printer: wrap positions, pagination, margins,
// header and footer macros, job order, and highlighting through a shared
// highlighter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "FakePrinter.h"
#include "highlight/CodeEditHighlighter.h"
#include "print/CodeEditPrint.h"
#include "print/CodeEditPrintWrap.h"

namespace vantrel {
namespace {

// "/*" to "*/" is a comment that may span lines; everything else is text.
class BlockCommentHighlighter : public TCustomHighlighter {
 public:
  BlockCommentHighlighter() {
    comment = new THighlighterAttributes("Comment");
    comment->SetForeground(clGreen);
    comment->SetStyle(fsItalic);
    AddAttribute(comment);
    text = new THighlighterAttributes("Text");
    AddAttribute(text);
    FinishAttributes();
  }
  THighlighterAttributes* DefaultAttribute(int index) const override {
    return index == haComment ? comment : nullptr;
  }
  void NextToken() override {
    tokenPos_ = run_;
    if (line_[run_] == '\0') {
      kind_ = 0;
      return;
    }
    if (inComment_ || (line_[run_] == '/' && line_[run_ + 1] == '*')) {
      kind_ = 1;
      if (!inComment_) run_ += 2;
      inComment_ = !SkipBlockCommentBody();
    } else {
      kind_ = 2;
      while (line_[run_] != '\0' && !(line_[run_] == '/' && line_[run_ + 1] == '*')) ++run_;
    }
  }
  bool AtLineEnd() const override { return kind_ == 0; }
  int TokenKind() const override { return kind_; }
  THighlighterAttributes* TokenAttribute() const override {
    return kind_ == 1 ? comment : kind_ == 2 ? text : nullptr;
  }
  TLineRange RangeState() const override { return inComment_ ? 1 : 0; }
  void SetRangeState(TLineRange value) override { inComment_ = value == 1; }
  void ResetRangeState() override { inComment_ = false; }

  THighlighterAttributes* comment;
  THighlighterAttributes* text;

 private:
  bool inComment_ = false;
  int kind_ = 0;
};

std::vector<std::string> NumberedLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

struct Printout {
  FakePrinter printer;
  TCodeEditPrint print;
  std::vector<std::string> statuses;
  std::vector<int> printedLines;
  Printout() {
    print.SetPrinter(&printer);
    print.Footer().AddItem("$PAGENUM$/$PAGECOUNT$", nullptr, hfaRight, 1);
    print.OnPrintStatus = [this](TCodeEditPrintStatus status, int page, bool&) {
      static const char* kNames[] = {"begin", "page", "end"};
      statuses.push_back(std::string(kNames[status]) + " " + std::to_string(page));
    };
    print.OnPrintLine = [this](int line, int) { printedLines.push_back(line); };
  }
  std::vector<std::string> TextsOn(size_t sheet) const {
    std::vector<std::string> texts;
    for (const auto& call : printer.Sheets.at(sheet)) {
      if (call.What == RecordingCanvas::kText) texts.push_back(call.Text);
    }
    return texts;
  }
};

TEST(PrintWrap, Positions) {
  struct Row {
    const char* name;
    std::string line;
    int limit;
    std::vector<int> positions;
  } rows[] = {
      {"a line that fits has none", "short", 10, {}},
      {"500 characters without a break are cut every limit", std::string(500, 'x'), 251, {251}},
      {"without break characters every limit", "abcdefghijklmnopqrstuvwxy", 10, {10, 20}},
      {"set A breaks after the last blank that fits", "aaaa bbbb cccc dddd", 10, {10}},
      {"comma and hyphen are in set A", "aaa,bbb-ccc,ddd", 8, {8}},
      {"set B only when set A breaks nowhere", "aaaa.bbbb.cccc", 10, {10}},
      {"set A wins over set B", "aa.aa bbbb.bbbbbbbb", 10, {6, 16}},
      {"a late break is cut at the limit, not dropped", "aaaaaaaaaaaaaaa bb", 10, {10, 16}},
  };
  std::vector<int> positions;
  for (const auto& row : rows) {
    PrintWrapPositions(row.line, row.limit, positions);
    EXPECT_EQ(positions, row.positions) << row.name;
  }
}

TEST(CodeEditPrint, Pagination) {
  struct Row {
    const char* name;
    std::vector<std::string> lines;
    bool wrap;
    std::vector<TPageLine> pages;
  } rows[] = {
      {"an empty document is one page", {}, true, {{0, 0}}},
      {"182 lines fill the first page", NumberedLines(200), true, {{0, 0}, {182, 0}}},
      {"a wrapped line that does not fit moves whole",
       [] {
         auto lines = NumberedLines(181);
         lines.push_back(std::string(600, 'x'));
         return lines;
       }(),
       true,
       {{0, 0}, {181, 0}}},
      {"without wrap a long line is one row", [] {
         auto lines = NumberedLines(181);
         lines.push_back(std::string(600, 'x'));
         return lines;
       }(),
       false, {{0, 0}}},
      {"a line longer than a page goes on over pages", {"a", std::string(251 * 200, 'x')}, true,
       {{0, 0}, {1, 181}}},
  };
  for (const auto& row : rows) {
    Printout p;
    p.print.SetLines(row.lines);
    p.print.Wrap = row.wrap;
    EXPECT_EQ(p.print.CountPages(), static_cast<int>(row.pages.size())) << row.name;
    EXPECT_EQ(p.print.Pages(), row.pages) << row.name;
    EXPECT_EQ(p.print.CharsPerRow(), 251) << row.name;
  }
}

TEST(CodeEditPrint, EveryRowIsPrintedOnceAndEveryLineReported) {
  Printout p;
  p.print.SetLines({"first", std::string(251 * 200 + 7, 'x'), "last"});
  p.print.PrintAll();
  ASSERT_EQ(p.printer.Sheets.size(), 2u);
  size_t xs = 0;
  for (size_t sheet = 0; sheet < 2; ++sheet) {
    for (const std::string& text : p.TextsOn(sheet)) xs += static_cast<size_t>(std::count(text.begin(), text.end(), 'x'));
  }
  EXPECT_EQ(xs, 251u * 200 + 7);
  EXPECT_EQ(p.printedLines, (std::vector<int>{1, 2, 3}));
}

TEST(CodeEditPrint, MarginsInPixels) {
  struct Row {
    const char* name;
    bool mirror;
    double gutter;
    bool lineNumbers;
    int page;
    int left, right;
  } rows[] = {
      {"defaults", false, 0, false, 1, 230, 2239},
      {"gutter widens the left of odd pages", true, 10, false, 1, 348, 2239},
      {"mirrored even page puts the gutter on the right", true, 10, false, 2, 112, 2003},
      {"unmirrored even page keeps it left", false, 10, false, 2, 348, 2239},
      {"line numbers in the text move it right", false, 0, true, 1, 230 + 5 * 8, 2239},
  };
  for (const auto& row : rows) {
    Printout p;
    p.print.SetLines(NumberedLines(200));
    p.print.Margins().MirrorMargins = row.mirror;
    p.print.Margins().SetGutter(row.gutter);
    p.print.LineNumbers = row.lineNumbers;
    p.print.CountPages();
    TCodeEditPrintMargins& m = p.print.Margins();
    m.InitPage(p.print.PrinterInfo(), row.page, row.lineNumbers ? 5 * 8 : 0);
    EXPECT_EQ(m.PixelLeft, row.left) << row.name;
    EXPECT_EQ(m.PixelRight, row.right) << row.name;
    EXPECT_EQ(m.PixelTop, 245) << row.name;
    EXPECT_EQ(m.PixelBottom, 3162) << row.name;
    EXPECT_EQ(m.PixelHeader, 127) << row.name;
    EXPECT_EQ(m.PixelFooter, 3280) << row.name;
  }
}

TEST(CodeEditPrintMargins, UnitsConvertToMillimetres) {
  TCodeEditPrintMargins m;
  m.UnitSystem = usInch;
  m.SetLeft(1);
  m.UnitSystem = usMM;
  EXPECT_DOUBLE_EQ(m.Left(), 25.4);
  m.UnitSystem = muThousandthsOfInches;
  EXPECT_NEAR(m.Right(), 15 * 1000 / 25.4, 1e-9);
  m.UnitSystem = usCM;
  EXPECT_DOUBLE_EQ(m.Top(), 2.5);
}

TEST(HeaderFooter, MacroExpansion) {
  struct Row {
    const char* name;
    const char* text;
    bool roman;
    std::string expected;
  } rows[] = {
      {"page of pages", "$PAGENUM$/$PAGECOUNT$", false, "4/9"},
      {"Roman numbers", "$PAGENUM$/$PAGECOUNT$", true, "IV/IX"},
      {"case does not matter", "$pagenum$ $PageCount$", false, "4 9"},
      {"title, date and time", "$TITLE$: $DATETIME$ / $TIMEDATE$", false, "doc.c: d t / t d"},
      {"unknown macros stay", "a$UNKNOWN$b", false, "a$UNKNOWN$b"},
      {"the closing sign of an unknown one opens the next", "$x$PAGENUM$", false, "$x4"},
      {"a lone sign stays", "cost $5", false, "cost $5"},
      {"blanks only give nothing", "   ", false, ""},
  };
  for (const auto& row : rows) {
    const THeaderFooterMacros macros{4, 9, row.roman, "doc.c", "d", "t"};
    EXPECT_EQ(ExpandHeaderFooterMacros(row.text, macros), row.expected) << row.name;
  }
  EXPECT_EQ(RomanNumber(1994), "MCMXCIV");
  EXPECT_EQ(RomanNumber(3888), "MMMDCCCLXXXVIII");
}

TEST(HeaderFooter, ItemsSitOnTheirEdgesAndRows) {
  Printout p;
  p.print.Header().AddItem("left", nullptr, hfaLeft, 1);
  p.print.Header().AddItem("second row", nullptr, hfaCenter, 2);
  p.print.Header().MirrorPosition = true;
  p.print.SetLines(NumberedLines(200));
  p.print.PrintAll();
  ASSERT_EQ(p.printer.Sheets.size(), 2u);
  auto find = [&](size_t sheet, const std::string& text) {
    for (const auto& call : p.printer.Sheets[sheet]) {
      if (call.What == RecordingCanvas::kText && call.Text == text) return TPoint{call.X, call.Y};
    }
    return TPoint{-1, -1};
  };
  // Footer: below the footer edge and the internal margin, right-aligned at
  // the right text indent.
  EXPECT_EQ(find(0, "1/2"), (TPoint{2215 - 3 * 8, 3280 + 6}));
  // Header rows end at the header edge: two rows of 16 and the margin.
  EXPECT_EQ(find(0, "left"), (TPoint{230 + 24, 127 - 32 - 12 + 6}));
  EXPECT_EQ(find(0, "second row").Y, 127 - 16 - 6);
  // Mirrored position: the left item goes right on even pages.
  EXPECT_EQ(find(1, "left"), (TPoint{2215 - 4 * 8, 127 - 32 - 6}));
}

TEST(CodeEditPrint, CopiesAndRangesOrder) {
  Printout p;
  p.print.SetLines(NumberedLines(400));
  p.print.Title = "/tmp/doc.c";
  p.print.Copies = 2;
  p.print.PrintPages(2, 3);
  EXPECT_EQ(p.statuses, (std::vector<std::string>{"begin 2", "page 2", "page 3", "page 2", "page 3", "end 3"}));
  EXPECT_EQ(p.printer.Calls, (std::vector<std::string>{"begin /tmp/doc.c", "page", "page", "page", "end"}));
  ASSERT_EQ(p.printer.Sheets.size(), 4u);
  for (size_t sheet = 0; sheet < 4; ++sheet) {
    const std::vector<std::string> texts = p.TextsOn(sheet);
    EXPECT_EQ(texts.front(), sheet % 2 == 0 ? "line 183" : "line 365") << sheet;
    EXPECT_EQ(texts.back(), sheet % 2 == 0 ? "2/3" : "3/3") << sheet;
  }
}

TEST(CodeEditPrint, JobsThatPrintNothing) {
  struct Row {
    const char* name;
    bool selectedOnly;
    int abortAtPage;
    std::vector<std::string> calls;
    std::vector<std::string> statuses;
  } rows[] = {
      {"selection only without a selection", true, 0, {}, {}},
      {"abort before the second page", false, 2, {"begin ", "page", "abort"}, {"begin 1", "page 1", "page 2"}},
      {"abort at the start", false, -1, {"begin ", "abort"}, {"begin 1"}},
  };
  for (const auto& row : rows) {
    Printout p;
    p.print.SetLines(NumberedLines(400));
    p.print.SelectedOnly = row.selectedOnly;
    auto record = p.print.OnPrintStatus;
    p.print.OnPrintStatus = [&](TCodeEditPrintStatus status, int page, bool& abort) {
      record(status, page, abort);
      abort = (row.abortAtPage < 0 && status == psBegin) || (status == psNewPage && page == row.abortAtPage);
    };
    p.print.PrintAll();
    EXPECT_EQ(p.printer.Calls, row.calls) << row.name;
    EXPECT_EQ(p.statuses, row.statuses) << row.name;
  }
}

TEST(CodeEditPrint, CountsPagesOnlyWithASurface) {
  Printout p;
  p.print.SetLines(NumberedLines(10));
  p.printer.HasMeasuringCanvas = false;
  EXPECT_EQ(p.print.CountPages(), 0);
  p.printer.HasMeasuringCanvas = true;
  p.printer.Installed.reset();  // no printer installed: the default geometry
  EXPECT_EQ(p.print.CountPages(), 1);
  EXPECT_EQ(p.print.CharsPerRow(), 251);
}

TEST(CodeEditPrint, HighlightingLeavesTheSharedHighlighterAsItWas) {
  struct Row {
    const char* name;
    bool colors;
    TColor commentFore;
  } rows[] = {
      {"with colours the attribute's foreground", true, clGreen},
      {"without colours the font's", false, clBlack},
  };
  for (const auto& row : rows) {
    BlockCommentHighlighter highlighter;
    highlighter.SetRangeState(1);  // some editor's scan left it inside a comment
    Printout p;
    p.print.SetFont({"Courier New", 10, 0, clBlack, true});
    p.print.SetLines({"a /* b", "c */ d"});
    p.print.SetHighlighter(&highlighter);
    p.print.Colors = row.colors;
    p.print.PrintAll();
    EXPECT_EQ(highlighter.RangeState(), 1) << row.name;
    bool found = false;
    for (const auto& call : p.printer.Sheets.at(0)) {
      if (call.What != RecordingCanvas::kText || call.Text != "c */") continue;
      found = true;
      EXPECT_EQ(call.Fore, row.commentFore) << row.name;
      EXPECT_EQ(call.Style, fsItalic) << row.name;
      EXPECT_EQ(call.Back, clWhite) << row.name;
    }
    EXPECT_TRUE(found) << row.name << ": the comment's second line starts in the comment";
  }
}

TEST(CodeEditPrint, AHighlightedLineOverPagesIsScannedOnceAndKeepsItsTokens) {
  BlockCommentHighlighter highlighter;
  Printout p;
  const std::string comment = "/*" + std::string(251 * 200, 'x') + "*/";
  p.print.SetLines({"a " + comment + " b"});
  p.print.SetHighlighter(&highlighter);
  p.print.Colors = true;
  p.print.OnPrintStatus = nullptr;  // a status handler makes every page scan afresh
  p.print.PrintAll();
  ASSERT_EQ(p.printer.Sheets.size(), 2u);
  std::string inGreen;
  std::string other;
  for (const auto& sheet : p.printer.Sheets) {
    for (const auto& call : sheet) {
      if (call.What != RecordingCanvas::kText || call.Y >= 3280) continue;  // not the footer
      (call.Fore == clGreen ? inGreen : other) += call.Text;
    }
  }
  EXPECT_EQ(inGreen, comment + " ");  // a blank joins the run before it
  EXPECT_EQ(other, "a b");
}

}  // namespace
}  // namespace vantrel
