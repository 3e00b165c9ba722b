// Drag and drop: selected text moved or copied within an editor and between
// editors as one undo step, and files dropped from the desktop.
// Tested by tests/editor/MouseTest.cpp
#include <algorithm>

#include "editor/CodeEdit.h"
#include "platform/Assert.h"

namespace vantrel {

namespace {

// Where a drop after a normal or line selection lands once the selection
// has been taken out in front of it.
TBufferCoord ShiftedBackOverRemoval(TBufferCoord drop, TBufferCoord start, TBufferCoord end, TSelectionMode mode) {
  if (mode == smLine) {
    // The selected lines go entirely.
    const int removed = end.Y - start.Y + 1;
    return drop.Y <= end.Y ? TBufferCoord{1, start.Y} : TBufferCoord{drop.X, drop.Y - removed};
  }
  if (drop.Y == end.Y) drop.X += start.X - end.X;
  drop.Y -= end.Y - start.Y;
  return drop;
}

}  // namespace

bool TCustomCodeEdit::DragOver(TCustomCodeEdit* source, int x, int y, TDragState state) {
  bool accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(*this, source, x, y, state, accept);
  }
  if (!source || readOnly_) return accept && !readOnly_;
  if (!dragging_) {
    // Text from another editor: the caret shows where it would go.
    if (state != dsDragLeave) ComputeCaret(x, y);
    return true;
  }
  if (state == dsDragLeave) {
    // The press point in the text, wherever the view has scrolled since.
    MoveCaretTo(mouseDownCaret_, true);
    SetScrollTimer(false);
    return true;
  }
  TDisplayPos target = PixelsToNearestRowColumn(x, y);
  target.Column = std::clamp(target.Column, leftChar_, std::max(leftChar_ + visibleColumns_ - 1, leftChar_));
  target.Row = std::clamp(target.Row, topLine_, std::max(topLine_ + visibleRows_ - 1, topLine_));
  MoveCaretTo(DisplayToBuffer(target), true);
  ComputeScroll(x, y);
  return true;
}

void TCustomCodeEdit::DragEnded(bool /*cancelled*/) {
  dragging_ = false;
  scrollDeltaX_ = 0;
  scrollDeltaY_ = 0;
  SetScrollTimer(false);
  if (host_) host_->ReleaseCapture();
}

void TCustomCodeEdit::DragDrop(TCustomCodeEdit* source, int x, int y, TShiftState shift) {
  if (OnDragDrop) OnDragDrop(*this, source, x, y);
  if (!source || readOnly_ || !source->HasSelection()) return;
  BeginUpdateBatch();
  const bool same = source == this;
  if (!same) source->BeginUpdateBatch();
  undoList_->OpenBlock();
  if (!same) source->UndoList().OpenBlock();
  try {
    ComputeCaret(x, y);
    const TBufferCoord drop = CaretPos();
    const TBufferCoord start = source->AnchorStart();
    const TBufferCoord end = source->AnchorEnd();
    bool move = (shift & ssShift) != 0;
    bool doDrop = true;
    if (same) {
      move = (shift & ssCtrl) == 0;
      doDrop = move ? (drop > end || drop < start) : (drop >= end || drop <= start);
    }
    // A read-only document gives its text away as a copy only.
    if (source->ReadOnly()) move = false;
    if (doDrop) {
      const std::string text = source->SelectedText();
      const TSelectionMode mode = source->EffectiveSelectionMode();
      TBufferCoord at = drop;
      const bool forwardMove = same && move && drop > end;
      // A column block leaves its rows in place: only a drop right of it on
      // its last row moves, by the block's width in cells.
      TDisplayPos shownAt = BufferToDisplay(drop);
      if (forwardMove && mode == smColumn) {
        const TColumnBlock block = ColumnBlock(start, end);
        if (shownAt.Row <= block.LastRow && shownAt.Column >= block.Right) shownAt.Column -= block.Right - block.Left;
      }
      if (move) source->SetSelectedText({});
      if (forwardMove) at = mode == smColumn ? DisplayToBuffer(shownAt) : ShiftedBackOverRemoval(drop, start, end, mode);
      InsertDroppedText(at, text, mode, same ? ckDropped : ckInserted);
    }
  } catch (...) {
    if (!same) source->UndoList().CloseBlock();
    undoList_->CloseBlock();
    if (!same) source->EndUpdateBatch();
    EndUpdateBatch();
    throw;
  }
  if (!same) source->UndoList().CloseBlock();
  undoList_->CloseBlock();
  if (!same) source->EndUpdateBatch();
  EndUpdateBatch();
}

void TCustomCodeEdit::InsertDroppedText(TBufferCoord position, std::string_view text, TSelectionMode mode,
                                        TChangeKind kind) {
  const TCodeEditorOptions saved = options_;
  // A column block may land beyond the end of a short line.
  options_ |= OptionBit(eoScrollPastEol);
  // Column pieces are recorded one per row, as every column insertion is
  // (undo takes a many-row column record for a normal one); they get the
  // drop's kind. Other text is inserted unrecorded and recorded once.
  const bool column = mode == smColumn;
  const int itemsBefore = undoList_->ItemCount();
  if (!column) {
    undoList_->Lock();
    redoList_->Lock();
  }
  TBufferCoord start;
  try {
    MoveCaretTo(position, true);
    SetAnchorStart(CaretPos());
    VANTREL_ASSERT(!HasSelection(), "CodeEdit");
    start = CaretPos();
    SetEffectiveSelectionMode(mode);
    ReplaceSelectionInMode(mode, text, column);
  } catch (...) {
    if (!column) {
      redoList_->Unlock();
      undoList_->Unlock();
    }
    options_ = saved;
    throw;
  }
  if (!column) {
    redoList_->Unlock();
    undoList_->Unlock();
  }
  options_ = saved;
  if (column) {
    std::vector<std::unique_ptr<TCodeEditUndoItem>> pieces;
    while (undoList_->ItemCount() > itemsBefore) pieces.push_back(undoList_->TakeNewest());
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
      (*piece)->ChangeKind = kind;
      undoList_->AppendItem(std::move(*piece));
    }
  } else if (mode == smLine) {
    // Whole lines went in above the caret line; undo removes those lines.
    undoList_->RecordChange(kind, {1, start.Y}, {std::max(visibleColumns_, 2), caretY_ - 1}, {}, smLine);
  } else {
    // The record holds what the text replaced (nothing), so that undo takes
    // the dropped text out again.
    undoList_->RecordChange(kind, start, CaretPos(), {}, mode);
  }
  const TBufferCoord blockEnd = CaretPos();
  PlaceCaretAndBlock(start, blockEnd, start);
  ScrollCaretIntoView();
}

void TCustomCodeEdit::DropFiles(int x, int y, const std::vector<std::string>& files) {
  if (!HasOption(eoDropFiles) || !OnDropFiles || files.empty()) return;
  OnDropFiles(*this, x, y, files);
}

}  // namespace vantrel
