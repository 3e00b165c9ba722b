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

}  // namespace

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

  TDrawScope scope(drawer_, *canvas_);
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
    TDrawScope scope(drawer_, *canvas_);
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
  const bool currentLine = line == edit_.CaretY();
  TLinePaintLook look;
  look.DefaultStyle = edit_.Font().Style;
  look.FontColor = edit_.Font().Color;
  look.LineBackWins = currentLine && edit_.ActiveLineColor() != clNone;
  look.LineBack = look.LineBackWins ? edit_.ActiveLineColor() : EditorBackground();
  look.ShowSpecialChars = edit_.HasOption(eoShowSpecialChars);
  look.SpecialLineDefaultFg = edit_.HasOption(eoSpecialLineDefaultFg);
  look.TabWidth = edit_.TabWidth();
  look.CellWidth = edit_.CharWidth();
  look.LineHeight = edit_.LineHeight();
  TColor specialFore = look.FontColor;
  TColor specialBack = look.LineBack;
  if (edit_.OnSpecialLineColors) edit_.OnSpecialLineColors(edit_, line, look.Special, specialFore, specialBack);
  if (look.Special) {
    look.SpecialFore = specialFore;
    look.SpecialBack = specialBack;
    look.SelectedFore = specialBack;
    look.SelectedBack = specialFore;
  } else {
    look.SelectedFore = edit_.SelectedColor().Foreground();
    look.SelectedBack = edit_.SelectedColor().Background();
  }

  TLineScan scan;
  scan.Highlighter = edit_.Highlighter();
  scan.LineIndex = line - 1;
  if (line > 1) {
    edit_.EnsureRangesUpTo(line - 2);
    scan.StartRange = edit_.Lines().GetLineRange(line - 2);
  }

  TLinePaintRow row;
  row.Text = text;
  row.OriginX = edit_.TextOriginX();
  row.Clip = clip;
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
    SelectRow(row, displayRow);
    linePainter_.PaintRow(drawer_, *canvas_, look, row, scan);
  }
}

// Which columns of a row are selected.
void TCodeEditPainter::SelectRow(TLinePaintRow& row, int displayRow) const {
  row.Selection = TRowSelection::None;
  if (!anySelection_ || displayRow < selectionStart_.Row || displayRow > selectionEnd_.Row) return;
  row.Selection = TRowSelection::Whole;
  row.SelectionFirst = row.First;
  row.SelectionEnd = row.Last + 1;
  bool none = false;
  if (selectionMode_ == smColumn || (selectionMode_ == smNormal && displayRow == selectionStart_.Row)) {
    const int start = selectionStart_.Column + row.Offset;
    if (start > row.Last) {
      none = true;
    } else if (start > row.First) {
      row.SelectionFirst = start;
      row.Selection = TRowSelection::Part;
    }
  }
  if (selectionMode_ == smColumn || (selectionMode_ == smNormal && displayRow == selectionEnd_.Row)) {
    const int end = selectionEnd_.Column + row.Offset;
    if (end < row.First) {
      none = true;
    } else if (end <= row.Last) {
      row.SelectionEnd = end;
      row.Selection = TRowSelection::Part;
    }
  }
  if (none) row.Selection = TRowSelection::None;
  if (row.Selection == TRowSelection::Part && selectionMode_ == smColumn) {
    if (TLinePainter::IsTrailByteAt(row.Text, row.SelectionFirst)) --row.SelectionFirst;
    if (TLinePainter::IsTrailByteAt(row.Text, row.SelectionEnd)) ++row.SelectionEnd;
  }
}

}  // namespace vantrel
