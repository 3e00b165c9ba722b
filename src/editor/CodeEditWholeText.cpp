// Text changes for the main window's tools (sort, command output, case
// conversion of a selection), recorded through the same selection-replacement path a paste takes.
// Tested by tests/editor/UndoRedoCommandsTest.cpp
#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

// The batch ends (and the published selection mode comes back) even when
// an insertion throws.
class NormalModeBatch {
 public:
  explicit NormalModeBatch(TCustomCodeEdit& edit) : edit_(edit) {
    edit_.BeginUpdateBatch();
    edit_.SetEffectiveSelectionMode(smNormal);
  }
  ~NormalModeBatch() {
    edit_.SetEffectiveSelectionMode(edit_.SelectionMode());
    edit_.EndUpdateBatch();
  }
  NormalModeBatch(const NormalModeBatch&) = delete;  // one batch per scope
  NormalModeBatch& operator=(const NormalModeBatch&) = delete;

 private:
  TCustomCodeEdit& edit_;
};

TBufferCoord EndOfText(const TCustomCodeEdit& edit) {
  const int count = edit.LineCount();
  if (count == 0) return {1, 1};
  return {static_cast<int>(edit.LineText(count).size()) + 1, count};
}

}  // namespace

void TCustomCodeEdit::ReplaceAllText(std::string_view text) {
  const std::string value(text);  // the text may be a view of our own lines
  {
    NormalModeBatch batch(*this);
    SelectAll();
    SetSelectedText(value);
    SetCaretPos({1, 1});
  }
  StatusChanged(scAll);
}

void TCustomCodeEdit::AppendText(std::string_view text, bool joinPrevious) {
  if (text.empty()) return;
  const std::string value(text);
  const TBufferCoord end = EndOfText(*this);
  const TCodeEditUndoItem* newest = undoList_->Newest();
  const bool join = joinPrevious && newest && newest->ChangeKind == ckInserted &&
                    newest->SelectionMode == smNormal && newest->EndPos == end;
  NormalModeBatch batch(*this);
  PlaceCaretAndBlock(end, end, end);
  if (join) {
    ReplaceSelectionInMode(smNormal, value, false);
    // The grown insertion is re-added so that the history sees a change.
    std::unique_ptr<TCodeEditUndoItem> item = undoList_->TakeNewest();
    item->EndPos = CaretPos();
    undoList_->AppendItem(std::move(item));
  } else {
    SetSelectedText(value);
  }
  ScrollCaretIntoView();
}

void TCustomCodeEdit::ConvertSelection(const std::function<std::string(std::string_view)>& convert) {
  if (!HasSelection()) return;
  const TBufferCoord oldStart = anchorStart_;
  const TBufferCoord oldEnd = anchorEnd_;
  const TBufferCoord oldCaret = CaretPos();
  const TSelectionMode oldMode = effectiveSelectionMode_;
  // Short lines of a column block are converted as they are, not padded.
  const std::string text = SelectedTextForUndo();
  const std::string converted = convert(text);
  if (converted == text) return;
  BeginUpdateBatch();
  undoList_->OpenBlock();
  try {
    undoList_->RecordChange(ckSelectionMark, oldStart, oldEnd, {}, oldMode);
    undoList_->RecordChange(ckCaretMark, oldCaret, oldCaret, {}, oldMode);
    ReplaceSelectionRecorded(converted);
    SetEffectiveSelectionMode(oldMode);
    PlaceCaretAndBlock(oldCaret, oldStart, oldEnd);
  } catch (...) {
    undoList_->CloseBlock();
    EndUpdateBatch();
    throw;
  }
  undoList_->CloseBlock();
  EndUpdateBatch();
}

}  // namespace vantrel
