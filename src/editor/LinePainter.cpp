// One row of a line: tokens into runs, selection split, marks and fill.
// Tested by tests/editor/CodeEditPainterTest.cpp and tests/print/
#include "editor/LinePainter.h"

#include <algorithm>
#include <climits>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// Tab cells draw as blanks too, so they join runs like spaces.
bool AllSpaces(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

bool TLinePainter::IsTrailByteAt(std::string_view text, int column) {
  const CodePage& cp = CodePage::Active();
  if (!cp.IsDoubleByte()) return false;
  const int index = column - 1;
  if (index <= 0 || index >= static_cast<int>(text.size())) return false;
  int p = 0;
  while (p < index) p += cp.IsLeadByte(static_cast<uint8_t>(text[p])) ? 2 : 1;
  return p > index;
}

int TLinePainter::ColumnX(int column) const {
  const int64_t x = int64_t{row_->OriginX} + (int64_t{column} - row_->Offset - 1) * look_->CellWidth;
  return static_cast<int>(std::clamp<int64_t>(x, INT_MIN / 2, INT_MAX / 2));
}

void TLinePainter::PaintRow(TheTextDrawer& drawer, Canvas& canvas, const TLinePaintLook& look,
                            const TLinePaintRow& row, const TLineScan& scan) {
  drawer_ = &drawer;
  canvas_ = &canvas;
  look_ = &look;
  row_ = &row;
  const std::string_view text = row.Text;
  pending_.Text.clear();
  fillFromX_ = ColumnX(row.First);
  drewRun_ = false;
  const int end = std::min(row.Limit, row.Last);  // last column that may hold text
  int scanned = 0;                                 // columns covered by tokens so far

  TCustomHighlighter* highlighter = scan.Highlighter;
  if (highlighter && highlighter->Enabled()) {
    if (!scan.Continue) {
      if (scan.StartRange) {
        highlighter->SetRangeState(*scan.StartRange);
      } else {
        highlighter->ResetRangeState();
      }
      highlighter->StartLine(text, scan.LineIndex);
    }
    while (!highlighter->AtLineEnd()) {
      if (highlighter->TokenLength() == 0) {
        highlighter->NextToken();
        if (highlighter->AtLineEnd()) break;
        if (highlighter->TokenLength() == 0) {
          throw ECodeEditError("The highlighter seems to be in an infinite loop");
        }
      }
      const int start = highlighter->TokenStart();
      if (start + 1 > end) break;
      std::string_view token = highlighter->TokenView();
      const int tokenEnd = start + static_cast<int>(token.size());
      scanned = std::min(tokenEnd, end);
      if (tokenEnd >= row.First) {
        AddToken(tokenEnd > end ? token.substr(0, end - start) : token, start, highlighter->TokenAttribute());
      }
      // A token crossing the row's end stays current for the next row.
      if (tokenEnd > end) break;
      highlighter->NextToken();
    }
    // Characters after an embedded NUL end the token scan early.
    if (scanned < end) AddToken(text.substr(scanned, end - scanned), scanned, nullptr);
  } else if (end >= row.First) {
    const int from = std::max(row.First - 1, 0);
    AddToken(text.substr(from, end - from), from, nullptr);
  }

  const int textLength = static_cast<int>(text.size());
  if (look.ShowSpecialChars && row.LastRowOfLine && textLength + 1 >= row.First && textLength + 1 <= row.Last) {
    static const char kMark[] = {static_cast<char>(kLineEndMark)};
    AddToken(std::string_view(kMark, 1), textLength, nullptr);
  }
  FlushRun(true);
  row_ = nullptr;
}

void TLinePainter::AddToken(std::string_view token, int start, const THighlighterAttributes* attribute) {
  if (token.empty()) return;
  const TLinePaintLook& look = *look_;
  const bool colours = attribute && look.TokenColors;
  TColor fore = colours ? attribute->Foreground() : look.FontColor;
  TColor back = colours ? attribute->Background() : look.LineBack;
  const TFontStyles style = attribute ? attribute->Style() : look.DefaultStyle;
  if (back == clNone || look.LineBackWins) back = look.LineBack;
  if (fore == clNone) fore = look.FontColor;

  if (!pending_.Text.empty() && pending_.Start + static_cast<int>(pending_.Text.size()) == start) {
    const bool spaces = AllSpaces(token);
    const bool styleFits = style == pending_.Style ||
                           (spaces && !(style & fsUnderline) && !(pending_.Style & fsUnderline));
    const bool colourFits = (look.Special && !look.SpecialLineDefaultFg) ||
                            row_->Selection == TRowSelection::Whole ||
                            (back == pending_.Back && (fore == pending_.Fore || (spaces && !look.ShowSpecialChars)));
    if (styleFits && colourFits) {
      pending_.Text.append(token);
      return;
    }
  }
  FlushRun(false);
  pending_.Text.assign(token);
  pending_.Start = start;
  pending_.Fore = fore;
  pending_.Back = back;
  pending_.Style = style;
}

void TLinePainter::FlushRun(bool fillToEnd) {
  const TLinePaintLook& look = *look_;
  const TLinePaintRow& row = *row_;
  if (!pending_.Text.empty()) {
    const int runFirst = pending_.Start + 1;
    const int runLast = pending_.Start + static_cast<int>(pending_.Text.size());
    const int first = std::max(row.First, runFirst);
    const int last = std::min(row.Last, runLast);
    TColor fore = pending_.Fore;
    TColor back = pending_.Back;
    if (look.Special) {
      if (!look.SpecialLineDefaultFg) fore = look.SpecialFore;
      back = look.SpecialBack;
    }
    drawer_->SelectStyle(pending_.Style);
    if (row.Selection == TRowSelection::Part) {
      DrawRun(pending_.Text, pending_.Start, first, std::min(last, row.SelectionFirst - 1), fore, back);
      DrawRun(pending_.Text, pending_.Start, std::max(first, row.SelectionFirst), std::min(last, row.SelectionEnd - 1),
              look.SelectedFore, look.SelectedBack);
      DrawRun(pending_.Text, pending_.Start, std::max(first, row.SelectionEnd), last, fore, back);
    } else if (row.Selection == TRowSelection::Whole) {
      DrawRun(pending_.Text, pending_.Start, first, last, look.SelectedFore, look.SelectedBack);
    } else {
      DrawRun(pending_.Text, pending_.Start, first, last, fore, back);
    }
    if (last >= first) {
      drewRun_ = true;
      lastStyle_ = pending_.Style;
      lastChar_ = static_cast<unsigned char>(pending_.Text[last - runFirst]);
    }
    pending_.Text.clear();
  }
  if (!fillToEnd) return;

  int x = fillFromX_;
  if (drewRun_ && lastStyle_ != 0) {
    const int overhang = drawer_->CharExtent(lastChar_) - look.CellWidth;
    if (overhang > 0) x += overhang;
  }
  x = std::max(x, row.Clip.Left);
  const int right = row.Clip.Right;
  const int top = row.Top;
  const int bottom = top + look.LineHeight;
  const TColor plain = look.Special ? look.SpecialBack : look.LineBack;
  auto fill = [&](int left, int fillRight, TColor color) {
    fillRight = std::min(fillRight, right);
    if (fillRight > left) canvas_->FillRect({left, top, fillRight, bottom}, color);
  };
  if (row.Selection == TRowSelection::Part) {
    const int selectionLeft = ColumnX(row.SelectionFirst);
    const int selectionRight = ColumnX(row.SelectionEnd);
    fill(x, selectionLeft, plain);
    fill(std::max(x, selectionLeft), selectionRight, look.SelectedBack);
    fill(std::max(x, selectionRight), right, plain);
  } else {
    fill(x, right, row.Selection == TRowSelection::Whole ? look.SelectedBack : plain);
  }
}

void TLinePainter::DrawRun(std::string_view text, int start, int first, int last, TColor fore, TColor back) {
  if (last < first) return;
  const TLinePaintLook& look = *look_;
  const TLinePaintRow& row = *row_;
  const bool showSpecial = look.ShowSpecialChars;
  int from = first;
  if (IsTrailByteAt(row.Text, from)) --from;  // never start a run on half a character
  drawBuffer_.clear();
  for (int column = from; column <= last; ++column) {
    const int index = column - 1;
    char c = index - start >= 0 ? text[index - start] : row.Text[index];
    if (c == ' ' && showSpecial) {
      c = static_cast<char>(kSpaceMark);
    } else if (c == '\t') {
      c = ' ';
    }
    drawBuffer_.push_back(c);
  }
  // Nor end one on half a character: a lead byte alone has no glyph. The
  // rectangle still clips the drawing to the run's cells.
  if (IsTrailByteAt(row.Text, last + 1)) drawBuffer_.push_back(row.Text[last]);
  const int x = ColumnX(from);
  TRect rect{std::max(ColumnX(first), row.Clip.Left), row.Top, std::min(ColumnX(last + 1), row.Clip.Right),
             row.Top + look.LineHeight};
  drawer_->SetTextColor(fore);
  drawer_->SetFillColor(back);
  if (!rect.IsEmpty()) drawer_->DrawTextInRect(x, row.Top, true, rect, drawBuffer_);
  fillFromX_ = std::max(fillFromX_, ColumnX(last + 1));

  if (!showSpecial || rect.IsEmpty()) return;
  // A tab mark sits in the middle of the whole tab span, even when only part
  // of the span belongs to this run; the run's rectangle clips it.
  const int tabWidth = std::max(look.TabWidth, 1);
  const int charWidth = look.CellWidth;
  for (int column = first; column <= last; ++column) {
    if (row.Text[column - 1] != '\t') continue;
    const int stopBefore = (column - 1) / tabWidth * tabWidth;
    int spanStart = column;
    while (spanStart - 1 > stopBefore && row.Text[spanStart - 2] == '\t') --spanStart;
    const int spanEnd = stopBefore + tabWidth;
    const int length = spanEnd - spanStart + 1;
    const int markX = ColumnX(spanStart) + length * charWidth / 2 - charWidth / 2;
    static const char kMark[] = {static_cast<char>(kTabMark)};
    drawer_->DrawTextInRect(markX, row.Top, false, rect, std::string_view(kMark, 1));
    column = spanEnd;
  }
}

}  // namespace vantrel
