// Value types of the editor control: display positions, options, status
// changes, caret shapes, and the plug-in interfaces that word wrap and other
// add-ons implement.
// Tested by tests/editor/CodeEditModelTest.cpp
#pragma once

#include <cstdint>

#include "platform/Graphics.h"
#include "text/TextTypes.h"

namespace vantrel {

class Canvas;
class TCustomCodeEdit;

// A screen cell: the column after tab expansion and the display row (the
// line number unless word wrap is on), both 1-based.
struct TDisplayPos {
  int Column = 1;
  int Row = 1;
  friend bool operator==(const TDisplayPos&, const TDisplayPos&) = default;
};

using TCodeEditorCommand = uint16_t;

enum TCodeEditorOption : uint8_t {
  eoAltSetsColumnMode = 0,
  eoAutoIndent = 1,
  eoAutoSizeMaxScrollWidth = 2,
  eoDisableScrollArrows = 3,
  eoDragDropEditing = 4,
  eoDropFiles = 5,
  eoEnhanceHomeKey = 6,
  eoEnhanceEndKey = 7,
  eoGroupUndo = 8,
  eoHalfPageScroll = 9,
  eoHideShowScrollbars = 10,
  eoKeepCaretX = 11,
  eoNoCaret = 12,
  eoNoSelection = 13,
  eoRightMouseMovesCursor = 14,
  eoScrollByOneLess = 15,
  eoScrollHintFollows = 16,
  eoScrollPastEof = 17,
  eoScrollPastEol = 18,
  eoShowScrollHint = 19,
  eoShowSpecialChars = 20,
  eoSmartTabDelete = 21,
  eoSmartTabs = 22,
  eoSpecialLineDefaultFg = 23,
  eoTabIndent = 24,
  eoTabsToSpaces = 25,
  eoTrimTrailingSpaces = 26,
};

// Option set: bit n is the option with value n.
using TCodeEditorOptions = uint32_t;
constexpr TCodeEditorOptions OptionBit(TCodeEditorOption o) { return TCodeEditorOptions{1} << o; }
constexpr TCodeEditorOptions kDefaultCodeEditorOptions = 0x026C0192;

using TStatusChanges = uint16_t;
enum TStatusChange : TStatusChanges {
  scAll = 1,
  scCaretX = 2,
  scCaretY = 4,
  scLeftChar = 8,
  scTopLine = 16,
  scInsertMode = 32,
  scModified = 64,
  scSelection = 128,
  scReadOnly = 256,
};

enum TCodeEditCaretType : uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollHintFormat : uint8_t { shfTopLineOnly, shfTopToBottom };
enum TTransientType : uint8_t { ttBefore, ttAfter };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : uint8_t { bsNone, bsSingle };

// The word-wrap layout seen through the editor: coordinate mapping between
// (expanded column, line) and (column in row, row) and the row bookkeeping
// after buffer changes. Indexes are 0-based lines, positions 1-based.
class ICodeEditBufferPlugin {
 public:
  virtual ~ICodeEditBufferPlugin() = default;
  virtual TDisplayPos BufferToDisplay(const TDisplayPos& expandedColumnAndLine) = 0;
  virtual TDisplayPos DisplayToBuffer(const TDisplayPos& columnAndRow) = 0;
  virtual int TotalRows() const = 0;
  virtual int RowCellCount(int row) const = 0;
  virtual int LinesAdded(int index, int count) = 0;
  virtual int LinesRemoved(int index, int count) = 0;
  virtual int LinesReplaced(int index, int count) = 0;
  virtual void WidthChanged() = 0;
  virtual void Relayout() = 0;
};

// Add-ons that follow inserted and deleted lines and may paint after the
// text. Lines are 1-based here.
class TCodeEditPlugin {
 public:
  virtual ~TCodeEditPlugin() = default;
  virtual void AfterPaint(Canvas& /*canvas*/, const TRect& /*clip*/, int /*firstLine*/,
                          int /*lastLine*/) {}
  virtual void LinesInserted(int /*firstLine*/, int /*count*/) {}
  virtual void LinesDeleted(int /*firstLine*/, int /*count*/) {}
};

// Painting lives outside the model; the editor forwards paint requests and
// transient painting to the painter it is given.
class ICodeEditPainter {
 public:
  virtual ~ICodeEditPainter() = default;
  virtual void Paint(Canvas& canvas, const TRect& clip) = 0;
  // The surface transient painting draws on, or null when none is at hand.
  virtual Canvas* TransientCanvas() = 0;
};

}  // namespace vantrel
