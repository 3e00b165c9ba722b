// Pointer handling of the editor: pixel to position conversions, press, move
// and release with selection by dragging, double click, gutter clicks, the
// auto-scroll timer while selecting and the mouse cursor shape.
// Tested by tests/editor/MouseTest.cpp
#include <algorithm>
#include <cstdlib>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

// numerator / denominator rounded to the nearest integer, halves to even.
int RoundHalfToEven(int numerator, int denominator) {
  int quotient = numerator / denominator;
  int remainder = numerator % denominator;
  if (remainder < 0) {  // floor division, so that the remainder is never negative
    quotient -= 1;
    remainder += denominator;
  }
  const int twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && (quotient & 1) != 0)) ++quotient;
  return quotient;
}

// Cells to auto-scroll for a pointer at pos outside [low, high): negative
// before it, positive after it, faster the farther out.
int ScrollDelta(int pos, int low, int high, int cell) {
  if (pos < low) return (pos - low) / cell - 1;
  if (pos >= high) return (pos - high) / cell + 1;
  return 0;
}

}  // namespace

// ---------------------------------------------------------------- conversions

TDisplayPos TCustomCodeEdit::PixelsToRowColumn(int x, int y) const {
  if (charWidth_ <= 0 || lineHeight_ <= 0) return {};
  return {std::max(1, leftChar_ + (x - gutterWidth_ - 2) / charWidth_), std::max(1, topLine_ + y / lineHeight_)};
}

TDisplayPos TCustomCodeEdit::PixelsToNearestRowColumn(int x, int y) const {
  if (charWidth_ <= 0 || lineHeight_ <= 0) return {};
  y = std::max(std::min(y, visibleRows_ * lineHeight_ - 1), 0);
  return {std::max(1, leftChar_ + RoundHalfToEven(x - gutterWidth_ - 2, charWidth_)), std::max(1, topLine_ + y / lineHeight_)};
}

bool TCustomCodeEdit::IsPointInSelection(TBufferCoord value) const {
  const TBufferCoord start = AnchorStart();
  const TBufferCoord end = AnchorEnd();
  if (start == end || value.Y < start.Y || value.Y > end.Y) return false;
  switch (effectiveSelectionMode_) {
    case smLine:
      return true;
    case smColumn: {
      // Display columns, as the block is drawn: tabs before it shift its bytes.
      const TColumnBlock block = ColumnBlock(start, end);
      const TDisplayPos at = BufferToDisplay(value);
      return at.Row >= block.FirstRow && at.Row <= block.LastRow && at.Column >= block.Left &&
             at.Column < block.Right;
    }
    case smNormal:
    default:
      return (value.Y > start.Y || value.X >= start.X) && (value.Y < end.Y || value.X < end.X);
  }
}

void TCustomCodeEdit::ShowCaretOnRow(int row) {
  if (!WordWrapActive()) return;
  const TDisplayPos landed = BufferToDisplay(CaretPos());
  const bool atRowEnd = landed.Column == 1 && landed.Row == row + 1;
  if (atRowEnd == caretAtRowEnd_) return;
  caretAtRowEnd_ = atRowEnd;
  caretChanged_ = true;
  UpdateCaret();
}

void TCustomCodeEdit::ComputeCaret(int x, int y) {
  const TDisplayPos target = PixelsToNearestRowColumn(x, y);
  BeginUpdateBatch();
  try {
    MoveCaretTo(DisplayToBuffer(target), true);
    ShowCaretOnRow(target.Row);
  } catch (...) {
    EndUpdateBatch();
    throw;
  }
  EndUpdateBatch();
}

// ---------------------------------------------------------------- press, move, release

void TCustomCodeEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const bool hadSelection = HasSelection();
  if (button == mbLeft && hadSelection) mouseDownPoint_ = {x, y};
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  if (button == mbLeft && (shift & ssDouble)) return;  // DblClick did the work
  kbdHandler_.RunMouseDown(*this, button, shift, x, y);
  const bool inGutter = x < gutterWidth_ + 2;
  BeginUpdateBatch();
  try {
    if (button == mbRight) {
      const bool onSelection = hadSelection && IsPointInSelection(DisplayToBuffer(PixelsToRowColumn(x, y)));
      if (!HasOption(eoRightMouseMovesCursor) || onSelection) {
        EndUpdateBatch();
        return;
      }
      InvalidateSelection();
      ComputeCaret(x, y);
      SetAnchorStart(CaretPos());
    } else if (button == mbLeft) {
      ComputeCaret(x, y);
      if (host_) host_->SetCapture();
      waitForDragging_ = false;
      if (hadSelection && HasOption(eoDragDropEditing) && !inGutter && selectionMode_ == smNormal &&
          IsPointInSelection(CaretPos())) {
        waitForDragging_ = true;
      } else if (!doubleClicked_) {
        if (shift & ssShift) {
          SetAnchorEnd(CaretPos());
        } else {
          if (HasOption(eoAltSetsColumnMode) && effectiveSelectionMode_ != smLine) {
            SetSelectionMode((shift & ssAlt) ? smColumn : smNormal);
          }
          SetAnchorStart(CaretPos());
        }
      }
    }
    if (inGutter) {
      if (button == mbRight) {
        DoOnGutterClick(button, x, y);
      } else if (button == mbLeft) {
        possibleGutterClick_ = true;
      }
    }
  } catch (...) {
    EndUpdateBatch();
    throw;
  }
  EndUpdateBatch();
  if (host_) host_->SetFocus();
}

void TCustomCodeEdit::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
  if (!host_ || !host_->HasCapture()) return;
  if (waitForDragging_) {
    const TPoint threshold = host_->DragThreshold();
    if (std::abs(x - mouseDownPoint_.X) >= threshold.X || std::abs(y - mouseDownPoint_.Y) >= threshold.Y) {
      waitForDragging_ = false;
      dragging_ = true;
      mouseDownCaret_ = CaretPos();
      // The drag owns the pointer now; a capture kept would let the
      // auto-scroll move the selection being dragged.
      host_->ReleaseCapture();
      host_->BeginDrag();
    }
    return;
  }
  if (!(shift & ssLeft)) return;
  ComputeScroll(x, y);
  TDisplayPos target = PixelsToNearestRowColumn(x, y);
  target.Row = std::clamp(target.Row, 1, std::max(DisplayRowCount(), 1));
  // While the timer scrolls one way, that coordinate is the timer's.
  if (scrollDeltaX_ != 0) target.Column = CaretDisplayColumn();
  if (scrollDeltaY_ != 0) target.Row = CaretDisplayRow();
  BeginUpdateBatch();
  try {
    MoveCaretTo(DisplayToBuffer(target), true);
    ShowCaretOnRow(target.Row);
    SetAnchorEnd(CaretPos());
  } catch (...) {
    EndUpdateBatch();
    throw;
  }
  EndUpdateBatch();
  if (possibleGutterClick_ && caretY_ != anchorStart_.Y) gutterDragging_ = true;
}

void TCustomCodeEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
  kbdHandler_.RunMouseUp(*this, button, shift, x, y);
  SetScrollTimer(false);
  if (host_) host_->ReleaseCapture();
  const bool wasDoubleClick = doubleClicked_;
  const bool gutterClick = possibleGutterClick_ && !gutterDragging_;
  const bool collapse = waitForDragging_ && !wasDoubleClick;
  doubleClicked_ = false;
  possibleGutterClick_ = false;
  gutterDragging_ = false;
  waitForDragging_ = false;
  // A press in the gutter dragged over other lines selected them; it is no
  // click on the line it ends on.
  if (gutterClick && x < gutterWidth_ && button != mbRight) {
    DoOnGutterClick(button, x, y);
  } else if (collapse) {
    // The press inside the selection did not become a drag: a plain click.
    BeginUpdateBatch();
    try {
      ComputeCaret(x, y);
      if (!(shift & ssShift)) SetAnchorStart(CaretPos());
      SetAnchorEnd(CaretPos());
    } catch (...) {
      EndUpdateBatch();
      throw;
    }
    EndUpdateBatch();
  }
}

void TCustomCodeEdit::DblClick(int x, int /*y*/) {
  if (x >= gutterWidth_ + 2) {
    if (!HasOption(eoNoSelection)) SelectWordAt(CaretPos());
    doubleClicked_ = true;
    if (host_) host_->ReleaseCapture();
  }
  if (OnDblClick) OnDblClick(*this);
}

void TCustomCodeEdit::CaptureLost() { SetScrollTimer(false); }

void TCustomCodeEdit::DoOnGutterClick(TMouseButton button, int x, int y) {
  if (!OnGutterClick) return;
  const int line = RowToLine(PixelsToRowColumn(x, y).Row);
  if (line < 1 || line > LineCount()) return;
  TCodeEditMark* clicked = nullptr;
  int right = 0;
  for (TCodeEditMark* mark : marks_.MarksForLine(line)) {
    right += bookMarkOptions_.Xoffset();
    if (x < right) {
      clicked = mark;
      break;
    }
  }
  OnGutterClick(*this, button, x, y, line, clicked);
}

// ---------------------------------------------------------------- auto-scroll

void TCustomCodeEdit::ComputeScroll(int x, int y) {
  if (!host_ || charWidth_ <= 0 || lineHeight_ <= 0 || !(host_->HasCapture() || dragging_)) {
    scrollDeltaX_ = 0;
    scrollDeltaY_ = 0;
    SetScrollTimer(false);
    return;
  }
  TRect text{gutterWidth_, 0, gutterWidth_ + visibleColumns_ * charWidth_, visibleRows_ * lineHeight_};
  if (borderStyle_ == bsNone) text = {text.Left + 2, text.Top + 2, text.Right - 2, text.Bottom - 2};
  scrollDeltaX_ = ScrollDelta(x, text.Left, text.Right, charWidth_);
  scrollDeltaY_ = ScrollDelta(y, text.Top, text.Bottom, lineHeight_);
  SetScrollTimer(scrollDeltaX_ != 0 || scrollDeltaY_ != 0);
}

void TCustomCodeEdit::SetScrollTimer(bool on) {
  if (on == scrollTimerOn_ || !host_) return;
  scrollTimerOn_ = on;
  if (on) {
    host_->StartTimer(kScrollTimerId, kScrollTimerInterval);
  } else {
    host_->StopTimer(kScrollTimerId);
  }
}

void TCustomCodeEdit::TimerTick(int id) {
  if (id == kScrollTimerId) ScrollTimerTick();
  if (id == kRangeScanTimerId) RangeScanTick();
}

void TCustomCodeEdit::ScrollTimerTick() {
  if (!host_) return;
  const TPoint pointer = host_->CursorPos();
  const int rows = std::max(DisplayRowCount(), 1);
  TDisplayPos target = PixelsToRowColumn(pointer.X, pointer.Y);
  target.Row = std::clamp(target.Row, 1, rows);
  BeginUpdateBatch();
  try {
    if (scrollDeltaX_ != 0) {
      SetLeftChar(leftChar_ + scrollDeltaX_);
      target.Column = scrollDeltaX_ < 0 ? leftChar_ : leftChar_ + visibleColumns_;
    }
    if (scrollDeltaY_ != 0) {
      const int step = host_->IsKeyDown(VK_SHIFT) ? scrollDeltaY_ * visibleRows_ : scrollDeltaY_;
      SetTopLine(topLine_ + step);
      target.Row = std::clamp(scrollDeltaY_ < 0 ? topLine_ : topLine_ + visibleRows_ - 1, 1, rows);
    }
    const TBufferCoord position = DisplayToBuffer(target);
    if (position != CaretPos()) {
      MoveCaretTo(position, true);
      ShowCaretOnRow(target.Row);
      if (host_->HasCapture()) SetAnchorEnd(CaretPos());
    }
  } catch (...) {
    EndUpdateBatch();
    throw;
  }
  EndUpdateBatch();
  ComputeScroll(pointer.X, pointer.Y);
}

// ---------------------------------------------------------------- cursor

void TCustomCodeEdit::UpdateMouseCursor(int x, int y) {
  if (!host_) return;
  const TBufferCoord position = DisplayToBuffer(PixelsToRowColumn(x, y));
  TCursor cursor = cursor_;
  if (x < gutterWidth_) {
    cursor = gutter_.Cursor();
  } else if (HasOption(eoDragDropEditing) && !host_->HasCapture() && IsPointInSelection(position)) {
    cursor = crArrow;  // the selection can be picked up
  }
  if (OnMouseCursor) OnMouseCursor(*this, position, cursor);
  kbdHandler_.RunMouseCursor(*this, position, cursor);
  host_->SetCursor(cursor);
}

}  // namespace vantrel
