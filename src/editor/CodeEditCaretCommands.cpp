// Caret movement commands and their selecting twins: by columns, rows,
// words, pages, Home and End, to the edges of the text and to a position.
// Tested by tests/editor/CaretCommandsTest.cpp
#include <algorithm>
#include <climits>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void TCustomCodeEdit::RunMovementCommand(TCodeEditorCommand command, void* data) {
  const bool extend = command >= ecSelection;
  const TCodeEditorCommand base = extend ? command - ecSelection : command;
  // A caret move ends the run of changes that undo takes back together.
  if (HasOption(eoGroupUndo) && undoList_->CanUndo()) undoList_->AddGroupEnd();
  switch (base) {
    case ecLeft:
    case ecRight:
      MoveCaretByColumns(base == ecLeft ? -1 : 1, extend);
      break;
    case ecUp:
    case ecDown:
      MoveCaretByRows(base == ecUp ? -1 : 1, extend);
      UpdateNow();
      break;
    case ecWordLeft:
      MoveCaretExtending(PreviousWordStart(), extend);
      break;
    case ecWordRight:
      MoveCaretExtending(NextWordStart(), extend);
      break;
    case ecLineStart:
      HomeCommand(extend);
      break;
    case ecLineEnd:
      EndCommand(extend);
      break;
    case ecPageUp:
    case ecPageDown: {
      int rows = visibleRows_;
      if (HasOption(eoHalfPageScroll)) rows >>= 1;
      if (HasOption(eoScrollByOneLess)) rows -= 1;
      if (base == ecPageUp) rows = -rows;
      SetTopLine(topLine_ + rows);
      MoveCaretByRows(rows, extend);
      UpdateNow();
      break;
    }
    case ecPageLeft:
    case ecPageRight:
      MoveCaretByColumns(base == ecPageLeft ? -visibleColumns_ : visibleColumns_, extend);
      break;
    case ecPageTop:
    case ecPageBottom: {
      const int row = base == ecPageTop ? topLine_ : topLine_ + visibleRows_ - 1;
      MoveCaretExtending(DisplayToBuffer({CaretDisplayColumn(), std::max(row, 1)}), extend);
      UpdateNow();
      break;
    }
    case ecEditorTop:
      MoveCaretExtending({1, 1}, extend);
      break;
    case ecEditorBottom: {
      const int last = std::max(LineCount(), 1);
      MoveCaretExtending({static_cast<int>(LineText(last).size()) + 1, last}, extend);
      break;
    }
    case ecGotoXY:
      if (data) {
        MoveCaretExtending(*static_cast<const TBufferCoord*>(data), extend);
        UpdateNow();
      }
      break;
    default:
      break;
  }
}

void TCustomCodeEdit::MoveCaretExtending(TBufferCoord target, bool extend) {
  BeginUpdateBatch();
  if (extend) {
    if (!HasSelection()) SetAnchorStart(CaretPos());
    SetAnchorEnd(target);
  } else {
    SetAnchorStart(target);
  }
  MoveCaretTo(target, true);
  EndUpdateBatch();
}

void TCustomCodeEdit::MoveCaretByColumns(int count, bool extend) {
  TBufferCoord target = CaretPos();
  std::string_view line = LineText(target.Y);
  const int length = static_cast<int>(line.size());
  const bool wrapAtLineEnds = !HasOption(eoScrollPastEol);
  // Under word wrap a row boundary is two places on screen: the end of the
  // upper row and the start of the lower one. Stepping between them moves
  // no character.
  if (WordWrapActive() && (count == 1 || count == -1)) {
    const TDisplayPos shown = CaretDisplayPos();
    const int firstRow = LineToRow(target.Y);
    if (count == -1 && !caretAtRowEnd_ && shown.Column == 1 && shown.Row > firstRow) {
      caretAtRowEnd_ = true;
      caretChanged_ = true;
      if (!extend) SetAnchorStart(target);
      UpdateCaret();
      return;
    }
    if (count == 1 && caretAtRowEnd_) {
      caretAtRowEnd_ = false;
      caretChanged_ = true;
      if (!extend) SetAnchorStart(target);
      UpdateCaret();
      return;
    }
  }
  if (wrapAtLineEnds && count == -1 && target.X == 1 && target.Y > 1) {
    target = {static_cast<int>(LineText(target.Y - 1).size()) + 1, target.Y - 1};
  } else if (wrapAtLineEnds && count == 1 && target.X > length && target.Y < LineCount()) {
    target = {1, target.Y + 1};
  } else {
    target.X = std::max(1, target.X + count);
    if (wrapAtLineEnds && count > 0) target.X = std::min(target.X, length + 1);
    if (target.X > 1 && target.X <= length && IsTrailByte(line, target.X)) target.X += count < 0 ? -1 : 1;
  }
  if (!WordWrapActive() || count < 1) {
    MoveCaretExtending(target, extend);
    return;
  }
  // Stepping right onto the start of a continuation row keeps the caret
  // shown at the end of the row it came from, while that fits the window.
  BeginUpdateBatch();
  MoveCaretExtending(target, extend);
  const TDisplayPos landed = BufferToDisplay(CaretPos());
  if (landed.Column == 1 && landed.Row > LineToRow(caretY_) &&
      RowCellCount(landed.Row - 1) + 1 <= visibleColumns_ + 1) {
    caretAtRowEnd_ = true;
    caretChanged_ = true;
  }
  EndUpdateBatch();
}

void TCustomCodeEdit::MoveCaretByRows(int count, bool extend) {
  const TDisplayPos from = CaretDisplayPos();
  int row = from.Row + count;
  if (count > 0) {
    row = std::min(row, std::max(DisplayRowCount(), 1));
  } else {
    row = std::max(row, 1);
  }
  const bool keepX = HasOption(eoKeepCaretX);
  int column = from.Column;
  if (row != from.Row && keepX) column = preferredColumn_;
  TBufferCoord target = DisplayToBuffer({column, row});
  bool steppedBack = caretSteppedBack_;
  if (row != from.Row) {
    if (caretSteppedBack_ && !keepX) target.X += 1;
    if (target.Y >= 1 && target.Y <= LineCount() && IsTrailByte(LineText(target.Y), target.X)) {
      target.X -= 1;
      steppedBack = true;
    } else {
      steppedBack = false;
    }
  }
  const int preferred = preferredColumn_;
  BeginUpdateBatch();
  MoveCaretExtending(target, extend);
  preferredColumn_ = preferred;
  caretSteppedBack_ = steppedBack;
  ShowCaretOnRow(row);
  EndUpdateBatch();
}

void TCustomCodeEdit::HomeCommand(bool extend) {
  std::string_view line = LineText(caretY_);
  TBufferCoord target{1, caretY_};
  const bool onFirstRow = !WordWrapActive() || CaretDisplayRow() == LineToRow(caretY_);
  if (HasOption(eoEnhanceHomeKey) && onFirstRow) {
    int limit = static_cast<int>(line.size());
    if (WordWrapActive()) {
      const int row = LineToRow(caretY_);
      limit = std::min(limit, DisplayToBuffer({RowCellCount(row), row}).X);
    }
    int first = 1;
    while (first <= limit && IsBlank(line[first - 1])) ++first;
    // Pressed again, Home toggles between the indentation and column 1.
    target.X = (first >= caretX_ && caretX_ != 1) ? 1 : first;
  } else if (WordWrapActive()) {
    target = DisplayToBuffer({1, CaretDisplayRow()});
  }
  MoveCaretExtending(target, extend);
}

void TCustomCodeEdit::EndCommand(bool extend) {
  std::string_view line = LineText(caretY_);
  const int length = static_cast<int>(line.size());
  TBufferCoord target{length + 1, caretY_};
  const int startRow = CaretDisplayRow();
  int lastRow = caretY_;
  if (WordWrapActive()) lastRow = caretY_ < LineCount() ? LineToRow(caretY_ + 1) - 1 : DisplayRowCount();
  const bool onLastRow = !WordWrapActive() || startRow >= lastRow;
  if (HasOption(eoEnhanceEndKey) && onLastRow) {
    const int rowStart = WordWrapActive() ? DisplayToBuffer({1, startRow}).X : 1;
    int last = length;
    while (last >= rowStart && last > 0 && IsBlank(line[last - 1])) --last;
    target.X = last + 1;
    if (target.X == caretX_) target.X = length + 1;
  } else if (WordWrapActive()) {
    const int cells = RowCellCount(startRow);
    target = DisplayToBuffer({std::min(cells + 1, visibleColumns_ + 1), startRow});
  }
  MoveCaretExtending(target, extend);
  ShowCaretOnRow(startRow);
}

}  // namespace vantrel
