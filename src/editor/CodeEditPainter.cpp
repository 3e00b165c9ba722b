// Painting of the editor control: gutter, text rows, selection and marks.
// Tested by tests/editor/CodeEditPainterTest.cpp
#include "editor/CodeEditPainter.h"

#include <algorithm>
#include <climits>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr int kFarColumn = INT_MAX / 4;

// Tab cells draw as blanks too, so they join runs like spaces.
bool AllSpaces(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Keeps the drawer in drawing state for one scope, also when a highlighter
// fault aborts the paint.
class DrawScope {
 public:
  DrawScope(TheTextDrawer& drawer, Canvas& canvas) : drawer_(drawer) { drawer_.BeginDraw(canvas); }
  ~DrawScope() { drawer_.EndDraw(); }
  DrawScope(const DrawScope&) = delete;  // brackets one drawing state
  DrawScope& operator=(const DrawScope&) = delete;

 private:
  TheTextDrawer& drawer_;
};

}  // namespace

enum class RowSelection : uint8_t { None, Whole, Part };

struct TCodeEditPainter::RowState {
  std::string_view Text;  // the whole expanded line
  int Line = 0;
  int Top = 0;
  int Offset = 0;  // expanded columns shown on earlier rows of the line
  int First = 0;   // painted expanded columns, inclusive
  int Last = 0;
  int Limit = 0;  // columns of the line this row shows (1..Limit)
  bool LastRowOfLine = true;
  TRect Clip;
  bool CurrentLine = false;
  TColor LineBack = clNone;
  TColor FontColor = clNone;
  bool Special = false;
  TColor SpecialFore = clNone;
  TColor SpecialBack = clNone;
  TColor SelectedFore = clNone;
  TColor SelectedBack = clNone;
  RowSelection Selection = RowSelection::None;
  int SelectionFirst = 0;  // selected columns [first, end)
  int SelectionEnd = 0;
  int FillFromX = 0;
  bool DrewRun = false;
  TFontStyles LastStyle = 0;
  unsigned char LastChar = ' ';
};

TCodeEditPainter::TCodeEditPainter(TCustomCodeEdit& edit) : edit_(edit), drawer_(edit.EffectiveFont()) {}

TColor TCodeEditPainter::EditorBackground() const {
  TCustomHighlighter* highlighter = edit_.Highlighter();
  if (highlighter) {
    if (THighlighterAttributes* space = highlighter->DefaultAttribute(haWhitespace)) {
      if (space->Background() != clNone) return space->Background();
    }
  }
  return edit_.Color();
}

int TCodeEditPainter::ColumnX(const RowState& row, int column) const {
  const int64_t x = int64_t{edit_.TextOriginX()} + (int64_t{column} - row.Offset - 1) * edit_.CharWidth();
  return static_cast<int>(std::clamp<int64_t>(x, INT_MIN / 2, INT_MAX / 2));
}

bool TCodeEditPainter::IsTrailByteAt(std::string_view text, int column) const {
  const CodePage& cp = CodePage::Active();
  if (!cp.IsDoubleByte()) return false;
  const int index = column - 1;
  if (index <= 0 || index >= static_cast<int>(text.size())) return false;
  int p = 0;
  while (p < index) p += cp.IsLeadByte(static_cast<uint8_t>(text[p])) ? 2 : 1;
  return p > index;
}

// ---------------------------------------------------------------- whole paint

void TCodeEditPainter::Paint(Canvas& canvas, const TRect& clipRect) {
  const int charWidth = edit_.CharWidth();
  const int lineHeight = edit_.LineHeight();
  if (clipRect.IsEmpty()) return;
  canvas_ = &canvas;
  struct Reset {
    Canvas*& canvas;
    ~Reset() { canvas = nullptr; }
  } reset{canvas_};
  if (charWidth <= 0 || lineHeight <= 0) {
    canvas.FillRect(clipRect, edit_.Color());
    return;
  }
  const int gutterWidth = edit_.GutterWidth();
  const int leftChar = edit_.LeftChar();
  const int topLine = edit_.TopLine();
  TRect clip = clipRect;

  const int firstColumn =
      clip.Left > gutterWidth ? leftChar + (clip.Left - gutterWidth - 2) / charWidth : leftChar;
  const int lastColumn = leftChar + (clip.Right - gutterWidth - 3 + charWidth) / charWidth;
  const int firstRow = std::max(topLine + clip.Top / lineHeight, topLine);
  // The row of the clip's last pixel; rows past the end of the text have
  // nothing to paint but background.
  const int lastRow = std::min(topLine + (clip.Bottom - 1) / lineHeight, std::max(edit_.DisplayRowCount(), 0));

  if (EditorHost* host = edit_.Host()) host->HideCaret();
  if (clip.Left < gutterWidth) {
    TRect gutterClip = clip;
    gutterClip.Right = std::min(gutterClip.Right, gutterWidth);
    PaintGutter(gutterClip, firstRow, lastRow);
  }
  if (clip.Right > gutterWidth) {
    TRect textClip = clip;
    textClip.Left = std::max(textClip.Left, gutterWidth);
    PaintTextArea(textClip, firstRow, lastRow, firstColumn, lastColumn);
  }
  if (!edit_.Plugins().empty()) {
    const int firstLine = edit_.RowToLine(firstRow);
    const int lastLine = edit_.RowToLine(std::max(lastRow, firstRow));
    for (TCodeEditPlugin* plugin : edit_.Plugins()) plugin->AfterPaint(canvas, clip, firstLine, lastLine);
  }
  if (edit_.OnPaint) edit_.OnPaint(edit_, canvas);
  edit_.DoOnPaintTransient(ttAfter);
  edit_.UpdateCaret();
}

// ---------------------------------------------------------------- gutter

void TCodeEditPainter::PaintGutter(const TRect& clip, int firstRow, int lastRow) {
  TGutter& gutter = edit_.Gutter();
  const int gutterWidth = edit_.GutterWidth();
  const int lineHeight = edit_.LineHeight();
  const int topLine = edit_.TopLine();
  const bool wrap = edit_.WordWrapActive();
  const int clientHeight = edit_.Host() ? std::max(edit_.Host()->ClientHeight(), clip.Bottom) : clip.Bottom;
  const bool haveRows = lastRow >= firstRow;
  const int firstLine = haveRows ? edit_.RowToLine(firstRow) : 0;
  const int lastLine = haveRows ? edit_.RowToLine(lastRow) : -1;
  auto rowTop = [&](int row) { return (row - topLine) * lineHeight; };

  DrawScope scope(drawer_, *canvas_);
  if (gutter.Gradient()) {
    const int steps = std::clamp(gutter.GradientSteps(), 2, 256);
    const TColor from = canvas_->RgbOf(gutter.GradientStartColor());
    const TColor to = canvas_->RgbOf(gutter.GradientEndColor());
    auto channel = [&](int shift, int band) {
      const int a = static_cast<int>((from >> shift) & 0xFF);
      const int b = static_cast<int>((to >> shift) & 0xFF);
      return static_cast<TColor>(a + (b - a) * band / (steps - 1)) << shift;
    };
    for (int band = 0; band < steps; ++band) {
      const int left = static_cast<int>(int64_t{band} * gutterWidth / steps);
      const int right = static_cast<int>(int64_t{band + 1} * gutterWidth / steps);
      if (right <= left) continue;
      const TColor color = channel(0, band) | channel(8, band) | channel(16, band);
      canvas_->FillRect({left, 0, right, clientHeight}, color);
    }
  }

  if (gutter.ShowLineNumbers()) {
    TFont font = gutter.UseFontStyle() ? gutter.Font() : edit_.EffectiveFont();
    if (!gutter.UseFontStyle()) font.Style = 0;
    drawer_.SetBaseFont(&font);
    drawer_.SetFixedCellWidth(0);
    drawer_.SetTextColor(font.Color == clNone ? edit_.Font().Color : font.Color);
    drawer_.SetFillColor(gutter.Color());
    const int cellWidth = drawer_.CellWidth();
    const int cellHeight = drawer_.CellHeight();
    int previousBottom = haveRows ? rowTop(edit_.LineToRow(firstLine)) : clip.Top;
    for (int line = firstLine; line <= lastLine; ++line) {
      const int top = rowTop(edit_.LineToRow(line));
      if (wrap && !gutter.Gradient() && top > previousBottom) {
        canvas_->FillRect({clip.Left, previousBottom, clip.Right, top}, gutter.Color());
      }
      previousBottom = top + lineHeight;
      std::string text = gutter.LineNumberText(line);
      if (edit_.OnGutterGetText) edit_.OnGutterGetText(edit_, line, text);
      const int textWidth = cellWidth * static_cast<int>(text.size());
      const int x = gutterWidth - gutter.RightOffset() - textWidth - 2;
      const int y = top + (lineHeight - cellHeight) / 2;
      const TRect rect{clip.Left, top, std::max(clip.Right, gutterWidth - 2), top + lineHeight};
      drawer_.DrawTextInRect(x, y, !gutter.Gradient(), rect, text);
    }
    // From below the last number down: the continuation rows of the last
    // line and the area past the text.
    if (!gutter.Gradient() && previousBottom < clip.Bottom) {
      canvas_->FillRect({clip.Left, std::max(previousBottom, clip.Top), clip.Right, clip.Bottom}, gutter.Color());
    }
    const TFont editorFont = edit_.EffectiveFont();
    drawer_.SetBaseFont(&editorFont);
  } else if (!gutter.Gradient()) {
    canvas_->FillRect(clip, gutter.Color());
  }

  if (wrap && edit_.WordWrapGlyph().Visible() && haveRows) {
    const TGlyph& glyph = edit_.WordWrapGlyph();
    const TCanvasImage image{ikWrapGlyph, 0, glyph.GlyphResource(), glyph.MaskColor()};
    const TPoint size = canvas_->ImageSize(image);
    const int x = gutterWidth - gutter.RightOffset() - size.X - 2;
    for (int row = firstRow; row <= lastRow; ++row) {
      if (edit_.LineToRow(edit_.RowToLine(row)) == row) continue;
      canvas_->DrawImage(image, x, rowTop(row) + (lineHeight - size.Y) / 2);
    }
  }

  if (gutter.BorderStyle() != gbsNone && clip.Right >= gutterWidth - 2) {
    const int top = clip.Top;
    const int bottom = clip.Bottom;
    if (gutter.BorderStyle() == gbsMiddle) {
      canvas_->DrawLine({gutterWidth - 2, top}, {gutterWidth - 2, bottom}, gutter.BorderColor(), 1);
      canvas_->DrawLine({gutterWidth - 1, top}, {gutterWidth - 1, bottom}, gutter.Color(), 1);
    } else {
      canvas_->DrawLine({gutterWidth - 1, top}, {gutterWidth - 1, bottom}, gutter.BorderColor(), 1);
    }
  }

  if (haveRows) PaintMarks(firstLine, lastLine);
}

void TCodeEditPainter::PaintMarks(int firstLine, int lastLine) {
  const TBookMarkOpt& options = edit_.BookMarkOptions();
  TCodeEditMarkList& marks = edit_.Marks();
  const int lineHeight = edit_.LineHeight();
  const bool drawMarks = options.GlyphsVisible() && marks.Count() > 0;
  for (int line = firstLine; line <= lastLine; ++line) {
    const int top = (edit_.LineToRow(line) - edit_.TopLine()) * lineHeight;
    int offset = 0;
    if (drawMarks) {
      const std::vector<TCodeEditMark*> lineMarks = marks.MarksForLine(line);
      auto draw = [&](const TCodeEditMark& mark, bool firstKind) {
        if (mark.UsesBuiltInImage || !options.HasBookmarkImages()) {
          if (mark.ImageIndex < 0 || mark.ImageIndex > 9 || offset != 0) return;
          const TCanvasImage image{ikBookmarkDigit, mark.ImageIndex, {}, clNone};
          const TPoint size = canvas_->ImageSize(image);
          canvas_->DrawImage(image, options.LeftMargin() + offset, top + (lineHeight - size.Y) / 2);
        } else {
          if (mark.ImageIndex < 0 || mark.ImageIndex >= options.BookmarkImageCount()) return;
          if (firstKind) {
            offset = 0;
          } else if (offset == 0) {
            offset = options.Xoffset();
          }
          canvas_->DrawImage({ikBookmarkImage, mark.ImageIndex, {}, clNone}, options.LeftMargin() + offset, top);
        }
        offset += options.Xoffset();
      };
      bool skipped = false;
      for (const TCodeEditMark* mark : lineMarks) {
        if (!mark->Visible) continue;
        if (mark->IsBookmark() == options.DrawBookmarksFirst()) {
          draw(*mark, true);
        } else {
          skipped = true;
        }
      }
      if (skipped) {
        for (const TCodeEditMark* mark : lineMarks) {
          if (mark->Visible && mark->IsBookmark() != options.DrawBookmarksFirst()) draw(*mark, false);
        }
      }
    }
    if (edit_.OnGutterPaint) edit_.OnGutterPaint(edit_, line, offset, top);
  }
}

// ---------------------------------------------------------------- text area

void TCodeEditPainter::PaintTextArea(const TRect& clip, int firstRow, int lastRow, int firstColumn,
                                     int lastColumn) {
  const int gutterWidth = edit_.GutterWidth();
  const int lineHeight = edit_.LineHeight();
  const int topLine = edit_.TopLine();
  const TColor background = EditorBackground();

  const int rightEdge = edit_.RightEdge();
  const int edgeX = edit_.TextOriginX() + rightEdge * edit_.CharWidth();
  const bool drawEdge = rightEdge > 0 && edgeX >= clip.Left && edgeX < clip.Right;

  if (clip.Left < gutterWidth + 2) {
    canvas_->FillRect({gutterWidth, clip.Top, gutterWidth + 2, clip.Bottom}, background);
  }

  anySelection_ = edit_.HasSelection() && !(edit_.HideSelection() && !edit_.Focused());
  if (anySelection_) {
    selectionMode_ = edit_.EffectiveSelectionMode();
    const TBufferCoord start = edit_.AnchorStart();
    const TBufferCoord end = edit_.AnchorEnd();
    if (selectionMode_ == smLine) {
      selectionStart_ = {1, edit_.LineToRow(start.Y)};
      selectionEnd_ = {kFarColumn, edit_.LineToRow(end.Y + 1) - 1};
    } else {
      selectionStart_ = edit_.BufferToDisplay(start);
      selectionEnd_ = edit_.BufferToDisplay(end);
      if (selectionMode_ == smColumn && selectionStart_.Column > selectionEnd_.Column) {
        std::swap(selectionStart_.Column, selectionEnd_.Column);
      }
    }
    anySelection_ = selectionEnd_.Row >= firstRow && selectionStart_.Row <= lastRow;
  }

  if (lastRow >= firstRow) {
    DrawScope scope(drawer_, *canvas_);
    const TFont font = edit_.EffectiveFont();
    drawer_.SetBaseFont(&font);
    drawer_.SetFixedCellWidth(edit_.CharWidth());
    const int firstLine = edit_.RowToLine(firstRow);
    const int lastLine = edit_.RowToLine(lastRow);
    for (int line = firstLine; line <= lastLine; ++line) {
      PaintLine(line, clip, firstRow, lastRow, firstColumn, lastColumn);
    }
  }

  const int below = std::max((std::max(lastRow, firstRow - 1) - topLine + 1) * lineHeight, clip.Top);
  if (below < clip.Bottom) canvas_->FillRect({clip.Left, below, clip.Right, clip.Bottom}, background);
  if (drawEdge) canvas_->DrawLine({edgeX, clip.Top}, {edgeX, clip.Bottom}, edit_.RightEdgeColor(), 1);
}

void TCodeEditPainter::PaintLine(int line, const TRect& clip, int firstRow, int lastRow, int firstColumn,
                                 int lastColumn) {
  const std::string text = edit_.Lines().ExpandedLine(line - 1);
  RowState row;
  row.Text = text;
  row.Line = line;
  row.Clip = clip;
  row.CurrentLine = line == edit_.CaretY();
  row.FontColor = edit_.Font().Color;
  row.LineBack = row.CurrentLine && edit_.ActiveLineColor() != clNone ? edit_.ActiveLineColor() : EditorBackground();
  TColor specialFore = row.FontColor;
  TColor specialBack = row.LineBack;
  if (edit_.OnSpecialLineColors) edit_.OnSpecialLineColors(edit_, line, row.Special, specialFore, specialBack);
  if (row.Special) {
    row.SpecialFore = specialFore;
    row.SpecialBack = specialBack;
    row.SelectedFore = specialBack;
    row.SelectedBack = specialFore;
  } else {
    row.SelectedFore = edit_.SelectedColor().Foreground();
    row.SelectedBack = edit_.SelectedColor().Background();
  }

  const int textLength = static_cast<int>(text.size());
  const int lineFirstRow = edit_.LineToRow(line);
  ICodeEditBufferPlugin* wrap = edit_.WordWrapPlugin();
  const int rowCount = wrap ? std::max(edit_.LineToRow(line + 1) - lineFirstRow, 1) : 1;
  int offset = 0;
  for (int k = 0; k < rowCount; ++k) {
    const int displayRow = lineFirstRow + k;
    const int cells = wrap && displayRow <= wrap->TotalRows() ? wrap->RowCellCount(displayRow) : textLength;
    row.LastRowOfLine = k == rowCount - 1;
    row.Offset = offset;
    row.Limit = row.LastRowOfLine ? textLength : std::min(offset + cells, textLength);
    offset += cells;
    if (displayRow < firstRow) continue;
    if (displayRow > lastRow) break;
    row.Top = (displayRow - edit_.TopLine()) * edit_.LineHeight();
    row.First = firstColumn + row.Offset;
    row.Last = lastColumn + row.Offset;

    // Which columns of this row are selected.
    row.Selection = RowSelection::None;
    if (anySelection_ && displayRow >= selectionStart_.Row && displayRow <= selectionEnd_.Row) {
      row.Selection = RowSelection::Whole;
      row.SelectionFirst = row.First;
      row.SelectionEnd = row.Last + 1;
      bool none = false;
      if (selectionMode_ == smColumn || (selectionMode_ == smNormal && displayRow == selectionStart_.Row)) {
        const int start = selectionStart_.Column + row.Offset;
        if (start > row.Last) {
          none = true;
        } else if (start > row.First) {
          row.SelectionFirst = start;
          row.Selection = RowSelection::Part;
        }
      }
      if (selectionMode_ == smColumn || (selectionMode_ == smNormal && displayRow == selectionEnd_.Row)) {
        const int end = selectionEnd_.Column + row.Offset;
        if (end < row.First) {
          none = true;
        } else if (end <= row.Last) {
          row.SelectionEnd = end;
          row.Selection = RowSelection::Part;
        }
      }
      if (none) row.Selection = RowSelection::None;
      if (row.Selection == RowSelection::Part && selectionMode_ == smColumn) {
        if (IsTrailByteAt(text, row.SelectionFirst)) --row.SelectionFirst;
        if (IsTrailByteAt(text, row.SelectionEnd)) ++row.SelectionEnd;
      }
    }
    PaintRowTokens(row, text);
  }
}

void TCodeEditPainter::PaintRowTokens(RowState& row, std::string_view text) {
  pending_.Text.clear();
  row.FillFromX = ColumnX(row, row.First);
  row.DrewRun = false;
  const int end = std::min(row.Limit, row.Last);  // last column that may hold text
  int scanned = 0;                                 // columns covered by tokens so far

  TCustomHighlighter* highlighter = edit_.Highlighter();
  if (highlighter && highlighter->Enabled()) {
    highlighter->SetRangeForLine(edit_.Lines(), row.Line - 1);
    highlighter->StartLine(text, row.Line - 1);
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
        if (tokenEnd > end) token = token.substr(0, end - start);
        AddToken(row, token, start, highlighter->TokenAttribute());
      }
      highlighter->NextToken();
    }
    // Characters after an embedded NUL end the token scan early.
    if (scanned < end) AddToken(row, text.substr(scanned, end - scanned), scanned, nullptr);
  } else if (end >= row.First) {
    const int from = std::max(row.First - 1, 0);
    AddToken(row, text.substr(from, end - from), from, nullptr);
  }

  const int textLength = static_cast<int>(text.size());
  if (edit_.HasOption(eoShowSpecialChars) && row.LastRowOfLine && textLength + 1 >= row.First &&
      textLength + 1 <= row.Last) {
    static const char kMark[] = {static_cast<char>(kLineEndMark)};
    AddToken(row, std::string_view(kMark, 1), textLength, nullptr);
  }
  FlushRun(row, true);
}

// ---------------------------------------------------------------- runs

void TCodeEditPainter::AddToken(RowState& row, std::string_view token, int start,
                                const THighlighterAttributes* attribute) {
  if (token.empty()) return;
  TColor fore = attribute ? attribute->Foreground() : row.FontColor;
  TColor back = attribute ? attribute->Background() : row.LineBack;
  const TFontStyles style = attribute ? attribute->Style() : edit_.Font().Style;
  if (back == clNone || (row.CurrentLine && edit_.ActiveLineColor() != clNone)) back = row.LineBack;
  if (fore == clNone) fore = row.FontColor;

  if (!pending_.Text.empty() && pending_.Start + static_cast<int>(pending_.Text.size()) == start) {
    const bool spaces = AllSpaces(token);
    const bool styleFits = style == pending_.Style ||
                           (spaces && !(style & fsUnderline) && !(pending_.Style & fsUnderline));
    const bool colourFits =
        (row.Special && !edit_.HasOption(eoSpecialLineDefaultFg)) || row.Selection == RowSelection::Whole ||
        (back == pending_.Back &&
         (fore == pending_.Fore || (spaces && !edit_.HasOption(eoShowSpecialChars))));
    if (styleFits && colourFits) {
      pending_.Text.append(token);
      return;
    }
  }
  FlushRun(row, false);
  pending_.Text.assign(token);
  pending_.Start = start;
  pending_.Fore = fore;
  pending_.Back = back;
  pending_.Style = style;
}

void TCodeEditPainter::FlushRun(RowState& row, bool fillToEnd) {
  if (!pending_.Text.empty()) {
    const int runFirst = pending_.Start + 1;
    const int runLast = pending_.Start + static_cast<int>(pending_.Text.size());
    const int first = std::max(row.First, runFirst);
    const int last = std::min(row.Last, runLast);
    TColor fore = pending_.Fore;
    TColor back = pending_.Back;
    if (row.Special) {
      if (!edit_.HasOption(eoSpecialLineDefaultFg)) fore = row.SpecialFore;
      back = row.SpecialBack;
    }
    drawer_.SelectStyle(pending_.Style);
    if (row.Selection == RowSelection::Part) {
      DrawRun(row, pending_.Text, pending_.Start, first, std::min(last, row.SelectionFirst - 1), fore, back);
      DrawRun(row, pending_.Text, pending_.Start, std::max(first, row.SelectionFirst),
              std::min(last, row.SelectionEnd - 1), row.SelectedFore, row.SelectedBack);
      DrawRun(row, pending_.Text, pending_.Start, std::max(first, row.SelectionEnd), last, fore, back);
    } else if (row.Selection == RowSelection::Whole) {
      DrawRun(row, pending_.Text, pending_.Start, first, last, row.SelectedFore, row.SelectedBack);
    } else {
      DrawRun(row, pending_.Text, pending_.Start, first, last, fore, back);
    }
    if (last >= first) {
      row.DrewRun = true;
      row.LastStyle = pending_.Style;
      row.LastChar = static_cast<unsigned char>(pending_.Text[last - runFirst]);
    }
    pending_.Text.clear();
  }
  if (!fillToEnd) return;

  int x = row.FillFromX;
  if (row.DrewRun && row.LastStyle != 0) {
    const int overhang = drawer_.CharExtent(row.LastChar) - edit_.CharWidth();
    if (overhang > 0) x += overhang;
  }
  x = std::max(x, row.Clip.Left);
  const int right = row.Clip.Right;
  const int top = row.Top;
  const int bottom = top + edit_.LineHeight();
  const TColor plain = row.Special ? row.SpecialBack : row.LineBack;
  auto fill = [&](int left, int fillRight, TColor color) {
    fillRight = std::min(fillRight, right);
    if (fillRight > left) canvas_->FillRect({left, top, fillRight, bottom}, color);
  };
  if (row.Selection == RowSelection::Part) {
    const int selectionLeft = ColumnX(row, row.SelectionFirst);
    const int selectionRight = ColumnX(row, row.SelectionEnd);
    fill(x, selectionLeft, plain);
    fill(std::max(x, selectionLeft), selectionRight, row.SelectedBack);
    fill(std::max(x, selectionRight), right, plain);
  } else {
    fill(x, right, row.Selection == RowSelection::Whole ? row.SelectedBack : plain);
  }
}

void TCodeEditPainter::DrawRun(RowState& row, std::string_view text, int start, int first, int last, TColor fore,
                               TColor back) {
  if (last < first) return;
  const bool showSpecial = edit_.HasOption(eoShowSpecialChars);
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
  const int x = ColumnX(row, from);
  const int lineHeight = edit_.LineHeight();
  TRect rect{std::max(ColumnX(row, first), row.Clip.Left), row.Top, std::min(ColumnX(row, last + 1), row.Clip.Right),
             row.Top + lineHeight};
  drawer_.SetTextColor(fore);
  drawer_.SetFillColor(back);
  if (!rect.IsEmpty()) drawer_.DrawTextInRect(x, row.Top, true, rect, drawBuffer_);
  row.FillFromX = std::max(row.FillFromX, ColumnX(row, last + 1));

  if (!showSpecial || rect.IsEmpty()) return;
  // A tab mark sits in the middle of the whole tab span, even when only part
  // of the span belongs to this run; the run's rectangle clips it.
  const int tabWidth = std::max(edit_.TabWidth(), 1);
  const int charWidth = edit_.CharWidth();
  for (int column = first; column <= last; ++column) {
    if (row.Text[column - 1] != '\t') continue;
    const int stopBefore = (column - 1) / tabWidth * tabWidth;
    int spanStart = column;
    while (spanStart - 1 > stopBefore && row.Text[spanStart - 2] == '\t') --spanStart;
    const int spanEnd = stopBefore + tabWidth;
    const int length = spanEnd - spanStart + 1;
    const int markX = ColumnX(row, spanStart) + length * charWidth / 2 - charWidth / 2;
    static const char kMark[] = {static_cast<char>(kTabMark)};
    drawer_.DrawTextInRect(markX, row.Top, false, rect, std::string_view(kMark, 1));
    column = spanEnd;
  }
}

}  // namespace vantrel
