// Paints an editor control through a Canvas: the gutter (numbers, gradient,
// border, marks, wrap glyphs) and the text area (highlighter tokens merged
// into runs, selection, active and special lines, right edge, white-space
// marks).
// Tested by tests/editor/CodeEditPainterTest.cpp
#pragma once

#include <string>
#include <string_view>

#include "editor/CodeEditTypes.h"
#include "editor/LinePainter.h"
#include "editor/TextDrawer.h"
#include "platform/Canvas.h"

namespace vantrel {

class TCustomCodeEdit;
class THighlighterAttributes;

class TCodeEditPainter : public ICodeEditPainter {
 public:
  // Marks drawn with eoShowSpecialChars.
  static constexpr unsigned char kSpaceMark = TLinePainter::kSpaceMark;
  static constexpr unsigned char kTabMark = TLinePainter::kTabMark;
  static constexpr unsigned char kLineEndMark = TLinePainter::kLineEndMark;

  explicit TCodeEditPainter(TCustomCodeEdit& edit);
  TCodeEditPainter(const TCodeEditPainter&) = delete;  // bound to one editor
  TCodeEditPainter& operator=(const TCodeEditPainter&) = delete;

  void Paint(Canvas& canvas, const TRect& clip) override;
  Canvas* TransientCanvas() override { return canvas_; }
  TheTextDrawer& TextDrawer() { return drawer_; }

 private:
  void PaintGutter(const TRect& clip, int firstRow, int lastRow);
  void PaintMarks(int firstLine, int lastLine);
  void PaintTextArea(const TRect& clip, int firstRow, int lastRow, int firstColumn, int lastColumn);
  void PaintLine(int line, const TRect& clip, int firstRow, int lastRow, int firstColumn, int lastColumn);
  void SelectRow(TLinePaintRow& row, int displayRow) const;
  TColor EditorBackground() const;

  TCustomCodeEdit& edit_;
  TheTextDrawer drawer_;
  Canvas* canvas_ = nullptr;
  TLinePainter linePainter_;

  // Selection of the painted rows in display coordinates.
  bool anySelection_ = false;
  TSelectionMode selectionMode_ = smNormal;
  TDisplayPos selectionStart_;
  TDisplayPos selectionEnd_;
};

}  // namespace vantrel
