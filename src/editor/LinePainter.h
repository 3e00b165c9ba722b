// Paints one row of a line through a Canvas: the highlighter's tokens merged
// into runs of one look, the selected part, white-space marks and the fill to
// the row's end. Everything it needs comes in as parameters, so the screen
// painter and the print layout share it and it touches no editor state.
// Tested by tests/editor/CodeEditPainterTest.cpp and tests/print/
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/TextDrawer.h"
#include "platform/Canvas.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

class TCustomHighlighter;
class THighlighterAttributes;

// Keeps a drawer in drawing state for one scope, also when a highlighter
// fault aborts the painting.
class TDrawScope {
 public:
  TDrawScope(TheTextDrawer& drawer, Canvas& canvas) : drawer_(drawer) { drawer_.BeginDraw(canvas); }
  ~TDrawScope() { drawer_.EndDraw(); }
  TDrawScope(const TDrawScope&) = delete;  // brackets one drawing state
  TDrawScope& operator=(const TDrawScope&) = delete;

 private:
  TheTextDrawer& drawer_;
};

enum class TRowSelection : uint8_t { None, Whole, Part };

// How the tokens of a line are coloured.
struct TLinePaintLook {
  TFontStyles DefaultStyle = 0;  // of text without an attribute
  TColor FontColor = clWindowText;
  TColor LineBack = clWindow;
  // Every token background gives way to LineBack (the active line).
  bool LineBackWins = false;
  // Without, tokens keep only their style: FontColor on LineBack.
  bool TokenColors = true;
  bool Special = false;
  TColor SpecialFore = clNone;
  TColor SpecialBack = clNone;
  TColor SelectedFore = clHighlightText;
  TColor SelectedBack = clHighlight;
  bool ShowSpecialChars = false;
  bool SpecialLineDefaultFg = false;
  int TabWidth = 8;
  int CellWidth = 8;
  int LineHeight = 16;
};

// One row of a line, in expanded columns of the whole line.
struct TLinePaintRow {
  std::string_view Text;  // the whole expanded line
  int OriginX = 0;        // x of the row's first column when scrolled to column 1
  int Top = 0;
  int Offset = 0;  // columns shown on earlier rows of the line
  int First = 0;   // painted columns, inclusive
  int Last = 0;
  int Limit = 0;  // columns of the line this row shows (1..Limit)
  bool LastRowOfLine = true;
  TRect Clip;
  TRowSelection Selection = TRowSelection::None;
  int SelectionFirst = 0;  // selected columns [first, end)
  int SelectionEnd = 0;
};

// Where the tokens come from: no highlighter draws the text as one run.
struct TLineScan {
  TCustomHighlighter* Highlighter = nullptr;
  // The range the line starts in; none starts from the language's initial state.
  std::optional<TLineRange> StartRange;
  int LineIndex = 0;  // 0-based
  // The highlighter is still on this line where the previous row of it
  // stopped: the rows of a long wrapped line are painted in one scan.
  bool Continue = false;
};

class TLinePainter {
 public:
  // Marks drawn with ShowSpecialChars.
  static constexpr unsigned char kSpaceMark = 183;
  static constexpr unsigned char kTabMark = 187;
  static constexpr unsigned char kLineEndMark = 182;

  TLinePainter() = default;
  TLinePainter(const TLinePainter&) = delete;  // keeps reused run buffers
  TLinePainter& operator=(const TLinePainter&) = delete;

  // The drawer must be drawing on canvas with the line's base font and the
  // fixed cell width selected.
  void PaintRow(TheTextDrawer& drawer, Canvas& canvas, const TLinePaintLook& look, const TLinePaintRow& row,
                const TLineScan& scan);

  static bool IsTrailByteAt(std::string_view text, int column);

 private:
  struct PendingRun {
    std::string Text;
    int Start = 0;  // expanded column of the first byte
    TColor Fore = clNone;
    TColor Back = clNone;
    TFontStyles Style = 0;
  };

  void AddToken(std::string_view token, int start, const THighlighterAttributes* attribute);
  void FlushRun(bool fillToEnd);
  void DrawRun(std::string_view text, int start, int first, int last, TColor fore, TColor back);
  int ColumnX(int column) const;

  // Set for the duration of one PaintRow.
  TheTextDrawer* drawer_ = nullptr;
  Canvas* canvas_ = nullptr;
  const TLinePaintLook* look_ = nullptr;
  const TLinePaintRow* row_ = nullptr;

  PendingRun pending_;
  std::string drawBuffer_;
  int fillFromX_ = 0;
  bool drewRun_ = false;
  TFontStyles lastStyle_ = 0;
  unsigned char lastChar_ = ' ';
};

}  // namespace vantrel
