// Paints an editor control through a Canvas: the gutter (numbers, gradient,
// border, marks, wrap glyphs) and the text area (highlighter tokens merged
// into runs, selection, active and special lines, right edge, white-space
// marks).
// Tested by tests/editor/CodeEditPainterTest.cpp
#pragma once

#include <string>
#include <string_view>

#include "editor/CodeEditTypes.h"
#include "editor/TextDrawer.h"
#include "platform/Canvas.h"

namespace vantrel {

class TCustomCodeEdit;
class THighlighterAttributes;

class TCodeEditPainter : public ICodeEditPainter {
 public:
  // Marks drawn with eoShowSpecialChars.
  static constexpr unsigned char kSpaceMark = 183;
  static constexpr unsigned char kTabMark = 187;
  static constexpr unsigned char kLineEndMark = 182;

  explicit TCodeEditPainter(TCustomCodeEdit& edit);
  TCodeEditPainter(const TCodeEditPainter&) = delete;  // bound to one editor
  TCodeEditPainter& operator=(const TCodeEditPainter&) = delete;

  void Paint(Canvas& canvas, const TRect& clip) override;
  Canvas* TransientCanvas() override { return canvas_; }
  TheTextDrawer& TextDrawer() { return drawer_; }

 private:
  // One display row being painted, in expanded columns of its line.
  struct RowState;
  struct PendingRun {
    std::string Text;
    int Start = 0;  // expanded column of the first byte
    TColor Fore = clNone;
    TColor Back = clNone;
    TFontStyles Style = 0;
  };

  void PaintGutter(const TRect& clip, int firstRow, int lastRow);
  void PaintMarks(int firstLine, int lastLine);
  void PaintTextArea(const TRect& clip, int firstRow, int lastRow, int firstColumn, int lastColumn);
  void PaintLine(int line, const TRect& clip, int firstRow, int lastRow, int firstColumn, int lastColumn);
  void PaintRowTokens(RowState& row, std::string_view text);
  void AddToken(RowState& row, std::string_view token, int start, const THighlighterAttributes* attribute);
  void FlushRun(RowState& row, bool fillToEnd);
  void DrawRun(RowState& row, std::string_view text, int start, int first, int last, TColor fore, TColor back);
  int ColumnX(const RowState& row, int column) const;
  TColor EditorBackground() const;
  bool IsTrailByteAt(std::string_view text, int column) const;

  TCustomCodeEdit& edit_;
  TheTextDrawer drawer_;
  Canvas* canvas_ = nullptr;
  PendingRun pending_;
  std::string drawBuffer_;

  // Selection of the painted rows in display coordinates.
  bool anySelection_ = false;
  TSelectionMode selectionMode_ = smNormal;
  TDisplayPos selectionStart_;
  TDisplayPos selectionEnd_;
};

}  // namespace vantrel
