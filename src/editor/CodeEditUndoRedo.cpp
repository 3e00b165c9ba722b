// Undo and redo: the walk over a group (or a marker pair) of history
// records, and how each kind of record is reverted and re-applied.
// Tested by tests/editor/UndoRedoCommandsTest.cpp
#include <algorithm>
#include <vector>

#include "editor/CodeEdit.h"
#include "editor/LineBreaks.h"

namespace vantrel {

namespace {

bool IsInsertion(TChangeKind kind) { return kind == ckInserted || kind == ckPasted || kind == ckDropped; }

bool IsRemoval(TChangeKind kind) {
  return kind == ckRemovedBackward || kind == ckRemovedSelection || kind == ckBackspaced ||
         kind == ckDeletedForward || kind == ckClearedAll;
}

int LeadingBlanks(std::string_view line) {
  int count = 0;
  while (count < static_cast<int>(line.size()) && (line[count] == ' ' || line[count] == '\t')) ++count;
  return count;
}

// Where a removed text goes back: the earlier end, or the top left corner of
// a column block.
TBufferCoord InsertionPoint(const TCodeEditUndoItem& item) {
  if (item.SelectionMode == smColumn) {
    return {std::min(item.StartPos.X, item.EndPos.X), std::min(item.StartPos.Y, item.EndPos.Y)};
  }
  return std::min(item.StartPos, item.EndPos);
}

// The mode an inserted text is taken out or put back in. A column piece is
// one line and goes byte for byte: display columns could move it off a
// double-byte character.
TSelectionMode InsertionTextMode(const TCodeEditUndoItem& item) {
  const bool onePiece = item.SelectionMode == smColumn && item.StartPos.Y == item.EndPos.Y;
  return onePiece ? smNormal : item.SelectionMode;
}

}  // namespace

void TCustomCodeEdit::Undo() {
  if (!readOnly_) WalkHistory(false);
}

void TCustomCodeEdit::Redo() {
  if (!readOnly_) WalkHistory(true);
}

void TCustomCodeEdit::SyncModifiedWithUndoList() {
  const bool modified = !undoList_->IsSavedState();
  if (modified != modified_) {
    modified_ = modified;
    StatusChanged(scModified);
  }
}

std::string TCustomCodeEdit::SelectedTextForUndo() {
  if (effectiveSelectionMode_ != smColumn) return SelectedText();
  const TCodeEditorOptions saved = options_;
  options_ |= OptionBit(eoTrimTrailingSpaces);
  std::string text = SelectedText();
  options_ = saved;
  return text;
}

void TCustomCodeEdit::RemoveSelectionRecorded(TChangeKind kind, TCodeEditUndoList& list) {
  const TBufferCoord start = anchorStart_;
  const TBufferCoord end = anchorEnd_;
  const TSelectionMode mode = effectiveSelectionMode_;
  std::string text = SelectedTextForUndo();
  std::vector<TBufferCoord> starts = SelectionColumnStarts();
  ReplaceSelectionInMode(mode, {}, false);
  list.RecordChange(kind, start, end, std::move(text), mode, std::move(starts));
}

// One walk serves both directions: undo takes from the undo list and records
// on the redo list, redo the other way round.
void TCustomCodeEdit::WalkHistory(bool redo) {
  TCodeEditUndoList& from = redo ? *redoList_ : *undoList_;
  TCodeEditUndoList& to = redo ? *undoList_ : *redoList_;
  const int savedBlock = to.BlockGroupNumber();
  auto moveGroupEnd = [&] {
    std::unique_ptr<TCodeEditUndoItem> end = from.TakeNewest();
    to.SetBlockGroupNumber(end->GroupNumber);
    to.AddGroupEnd();
    to.SetBlockGroupNumber(savedBlock);
  };
  auto apply = [&](std::unique_ptr<TCodeEditUndoItem> item) {
    if (redo) {
      ReapplyItem(*item);
    } else {
      RevertItem(*item);
    }
  };
  BeginUpdateBatch();
  try {
    if (!redo && from.NewestKind() == ckGroupEnd) moveGroupEnd();
    if (const TCodeEditUndoItem* newest = from.Newest()) {
      const TChangeKind first = newest->ChangeKind;
      const int group = newest->GroupNumber;
      const bool markerRun = redo ? IsOpeningMarker(first) : IsClosingMarker(first);
      // Everything taken back now is one group on the other side.
      to.SetBlockGroupNumber(group);
      TChangeKind previous = first;
      for (;;) {
        apply(from.TakeNewest());
        const TCodeEditUndoItem* next = from.Newest();
        if (!next) break;
        bool more;
        if (markerRun) {
          more = next->ChangeKind != MatchingMarker(first);
        } else {
          more = next->GroupNumber == group ||
                 (HasOption(eoGroupUndo) && next->ChangeKind == previous && previous != ckIndented &&
                  previous != ckUnindented);
        }
        if (!more) break;
        previous = next->ChangeKind;
      }
      if (markerRun && from.NewestKind() == MatchingMarker(first)) apply(from.TakeNewest());
      to.SetBlockGroupNumber(savedBlock);
    }
    if (redo && from.NewestKind() == ckGroupEnd) moveGroupEnd();
  } catch (...) {
    to.SetBlockGroupNumber(savedBlock);
    undoList_->ReplayingRedo = false;
    EndUpdateBatch();
    throw;
  }
  SyncModifiedWithUndoList();
  EndUpdateBatch();
}

void TCustomCodeEdit::RevertItem(const TCodeEditUndoItem& item) {
  const TCodeEditorOptions savedOptions = options_;
  const TChangeKind kind = item.ChangeKind;
  const TSelectionMode mode = item.SelectionMode;
  const TBufferCoord start = item.StartPos;
  const TBufferCoord end = item.EndPos;
  TCodeEditUndoList& redo = *redoList_;
  const bool savedInsertMode = insertMode_;
  BeginUpdateBatch();
  // Recorded positions may lie past the end of their line, and whole lines
  // go back in front of the others whatever the typing mode. Lines come
  // back as they were, trailing blanks included.
  options_ |= OptionBit(eoScrollPastEol);
  options_ &= ~OptionBit(eoTrimTrailingSpaces);
  insertMode_ = true;
  try {
    SetEffectiveSelectionMode(mode);
    if (IsInsertion(kind)) {
      TBufferCoord first = start;
      TBufferCoord last = end;
      if (mode == smLine) {
        // Whole lines: from column 1, and inserted lines end with the caret
        // at column 1 of the line after them.
        first.X = 1;
        if (last.X == 1 && last.Y > start.Y) last = {std::max(visibleColumns_, 2), last.Y - 1};
      }
      const TSelectionMode textMode = InsertionTextMode(item);
      SetEffectiveSelectionMode(textMode);
      PlaceCaretAndBlock(first, first, last);
      std::string removed = SelectedTextForUndo();
      ReplaceSelectionInMode(textMode, item.Text, false);
      const TBufferCoord restoredEnd = item.Text.empty() ? start : CaretPos();
      redo.RecordChange(kind, start, restoredEnd, std::move(removed), mode);
      SetEffectiveSelectionMode(mode);
      PlaceCaretAndBlock(start, start, start);
    } else if (IsRemoval(kind)) {
      TBufferCoord point = InsertionPoint(item);
      while (LineCount() < point.Y) lines_->Add("");
      // Whole lines go back as text in front of the line that followed
      // them, which restores an emptied last line too.
      const TSelectionMode insertMode = mode == smLine ? smNormal : mode;
      if (mode == smLine) point.X = 1;
      SetEffectiveSelectionMode(insertMode);
      PlaceCaretAndBlock(point, point, point);
      ReplaceSelectionInMode(insertMode, item.Text, false, item.ColumnStarts.empty() ? nullptr : &item.ColumnStarts);
      SetEffectiveSelectionMode(mode);
      const bool caretAtStart = kind == ckRemovedBackward || kind == ckDeletedForward;
      const TBufferCoord caret = caretAtStart ? start : end;
      if (kind == ckRemovedBackward || kind == ckRemovedSelection || kind == ckClearedAll) {
        PlaceCaretAndBlock(caret, start, end);
      } else {
        PlaceCaretAndBlock(caret, caret, caret);
      }
      redo.RecordChange(kind, start, end, item.Text, mode, item.ColumnStarts);
      if (kind == ckClearedAll) PlaceCaretAndBlock({1, 1}, start, {1, 1});
      ScrollCaretIntoView();
    } else {
      switch (kind) {
        case ckLineSplit: {
          const int y = start.Y;
          std::string below;
          if (y >= 1 && y < LineCount()) {
            std::string line(LineText(y));
            below = std::string(LineText(y + 1));
            if (!item.Text.empty() && static_cast<int>(line.size()) < start.X - 1) {
              line.append(static_cast<size_t>(start.X - 1) - line.size(), ' ');
            }
            line += item.Text;
            lines_->BeginUpdate();
            try {
              StoreLine(y - 1, line);
              lines_->Delete(y);
            } catch (...) {
              lines_->EndUpdate();
              throw;
            }
            lines_->EndUpdate();
            NotifyLinesDeleted(y + 1, 1);
          }
          // The redo record keeps the whole lower line, so that redo gives
          // back exactly the indentation the break produced.
          redo.RecordChange(kind, start, end, std::move(below), mode);
          PlaceCaretAndBlock(start, start, start);
          break;
        }
        case ckIndented:
          PlaceCaretAndBlock(end, start, end);
          redo.RecordChange(kind, start, end, {}, mode);
          break;
        case ckUnindented: {
          const TBufferCoord at{mode == smColumn ? std::min(start.X, end.X) : 1, std::min(start.Y, end.Y)};
          SetEffectiveSelectionMode(smColumn);
          PlaceCaretAndBlock(at, at, at);
          ReplaceSelectionInMode(smColumn, item.Text, false, &item.ColumnStarts);
          SetEffectiveSelectionMode(mode);
          PlaceCaretAndBlock(end, start, end);
          redo.RecordChange(kind, start, end, item.Text, mode, item.ColumnStarts);
          break;
        }
        case ckCaretMark:
          redo.RecordChange(kind, CaretPos(), CaretPos(), {}, mode);
          MoveCaretTo(start, true);
          break;
        case ckSelectionMark:
          redo.RecordChange(kind, anchorStart_, anchorEnd_, {}, mode);
          PlaceCaretAndBlock(CaretPos(), start, end);
          break;
        default:
          // Markers only bracket a run; they travel to the other list as
          // they are.
          if (kind != ckGroupEnd && kind != ckNothing) redo.RecordChange(kind, start, end, {}, mode);
          break;
      }
    }
  } catch (...) {
    options_ = savedOptions;
    insertMode_ = savedInsertMode;
    EndUpdateBatch();
    throw;
  }
  options_ = savedOptions;
  insertMode_ = savedInsertMode;
  if (!HasOption(eoScrollPastEol)) MoveCaretTo(CaretPos(), false);
  EndUpdateBatch();
}

void TCustomCodeEdit::ReapplyItem(const TCodeEditUndoItem& item) {
  const TCodeEditorOptions savedOptions = options_;
  const TChangeKind kind = item.ChangeKind;
  const TSelectionMode mode = item.SelectionMode;
  const TBufferCoord start = item.StartPos;
  const TBufferCoord end = item.EndPos;
  TCodeEditUndoList& undo = *undoList_;
  const bool savedInsertMode = insertMode_;
  BeginUpdateBatch();
  options_ |= OptionBit(eoScrollPastEol);
  insertMode_ = true;
  // New records on the undo list must not discard the rest of the redo list.
  undo.ReplayingRedo = true;
  try {
    SetEffectiveSelectionMode(mode);
    if (IsInsertion(kind)) {
      const TSelectionMode textMode = InsertionTextMode(item);
      SetEffectiveSelectionMode(textMode);
      PlaceCaretAndBlock(start, start, end);
      std::string replaced = SelectedTextForUndo();
      ReplaceSelectionInMode(textMode, item.Text, false);
      const TBufferCoord newEnd = CaretPos();
      undo.RecordChange(kind, start, newEnd, std::move(replaced), mode);
      SetEffectiveSelectionMode(mode);
      if (kind == ckDropped) {
        PlaceCaretAndBlock(newEnd, start, newEnd);
      } else {
        PlaceCaretAndBlock(newEnd, newEnd, newEnd);
      }
    } else if (IsRemoval(kind)) {
      PlaceCaretAndBlock(start, start, end);
      RemoveSelectionRecorded(kind, undo);
      TBufferCoord point = InsertionPoint(item);
      if (!item.ColumnStarts.empty()) point = item.ColumnStarts.front();
      PlaceCaretAndBlock(point, point, point);
    } else {
      switch (kind) {
        case ckLineSplit: {
          const int y = start.Y;
          std::string right;
          if (y >= 1 && y <= LineCount()) {
            const std::string line(LineText(y));
            const size_t cut = static_cast<size_t>(std::clamp(start.X - 1, 0, static_cast<int>(line.size())));
            right = line.substr(cut);
            lines_->BeginUpdate();
            try {
              StoreLine(y - 1, std::string_view(line).substr(0, cut));
              lines_->Insert(y, "");
              StoreLine(y, item.Text);
            } catch (...) {
              lines_->EndUpdate();
              throw;
            }
            lines_->EndUpdate();
            NotifyLinesInserted(y + 1, 1);
          }
          undo.RecordChange(kind, start, end, std::move(right), mode);
          const TBufferCoord caret{LeadingBlanks(LineText(y + 1)) + 1, y + 1};
          PlaceCaretAndBlock(caret, caret, caret);
          break;
        }
        case ckIndented:
          PlaceCaretAndBlock(end, start, end);
          undo.RecordChange(kind, start, end, {}, mode);
          break;
        case ckUnindented: {
          const std::vector<std::string_view> prefixes = SplitAtLineBreaks(item.Text);
          const bool exact = item.ColumnStarts.size() == prefixes.size();
          lines_->BeginUpdate();
          try {
            for (size_t i = 0; i < prefixes.size(); ++i) {
              const TBufferCoord at = exact ? item.ColumnStarts[i]
                                            : TBufferCoord{1, std::min(start.Y, end.Y) + static_cast<int>(i)};
              if (prefixes[i].empty() || at.Y > LineCount()) continue;
              std::string line(LineText(at.Y));
              const size_t from = static_cast<size_t>(at.X - 1);
              if (from <= line.size() && line.compare(from, prefixes[i].size(), prefixes[i]) == 0) {
                line.erase(from, prefixes[i].size());
                StoreLine(at.Y - 1, line);
              }
            }
          } catch (...) {
            lines_->EndUpdate();
            throw;
          }
          lines_->EndUpdate();
          if (mode == smColumn) {
            PlaceCaretAndBlock(end, start, end);
          } else {
            const int firstCut = static_cast<int>(prefixes.front().size());
            const int lastCut = static_cast<int>(prefixes.back().size());
            const TBufferCoord newStart{std::max(start.X - firstCut, 1), start.Y};
            const TBufferCoord newEnd{std::max(end.X - lastCut, 1), end.Y};
            PlaceCaretAndBlock(newEnd, newStart, newEnd);
          }
          undo.RecordChange(kind, start, end, item.Text, mode, item.ColumnStarts);
          break;
        }
        case ckCaretMark:
          undo.RecordChange(kind, CaretPos(), CaretPos(), {}, mode);
          MoveCaretTo(start, true);
          break;
        case ckSelectionMark:
          undo.RecordChange(kind, anchorStart_, anchorEnd_, {}, mode);
          PlaceCaretAndBlock(CaretPos(), start, end);
          break;
        default:
          if (kind != ckGroupEnd && kind != ckNothing) undo.RecordChange(kind, start, end, {}, mode);
          break;
      }
    }
  } catch (...) {
    undo.ReplayingRedo = false;
    options_ = savedOptions;
    insertMode_ = savedInsertMode;
    EndUpdateBatch();
    throw;
  }
  undo.ReplayingRedo = false;
  options_ = savedOptions;
  insertMode_ = savedInsertMode;
  if (!HasOption(eoScrollPastEol)) MoveCaretTo(CaretPos(), false);
  EndUpdateBatch();
}

}  // namespace vantrel
