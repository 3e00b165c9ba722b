#include "text/CodeEditUndo.h"

#include <utility>

namespace vantrel {

void TCodeEditUndoList::Assign(const TCodeEditUndoList& source) {
  if (&source == this) return;
  items_.clear();
  for (const auto& item : source.items_) items_.push_back(std::make_unique<TCodeEditUndoItem>(*item));
  itemLimit_ = source.itemLimit_;
  nextGroupNumber_ = source.nextGroupNumber_;
  blockCount_ = source.blockCount_;
  blockGroupNumber_ = source.blockGroupNumber_;
  blockRecorded_ = source.blockRecorded_;
  lockCount_ = source.lockCount_;
  ItemsDropped = source.ItemsDropped;
  ReplayingRedo = source.ReplayingRedo;
}

int TCodeEditUndoList::AfterGroup(int number) {
  // Unsigned arithmetic wraps without overflow; 0 means "no group".
  int next = static_cast<int>(static_cast<unsigned>(number) + 1u);
  return next == 0 ? 1 : next;
}

void TCodeEditUndoList::RecordChange(TChangeKind kind, TBufferCoord start, TBufferCoord end, std::string text,
                                     TSelectionMode mode, std::vector<TBufferCoord> columnStarts) {
  if (lockCount_ > 0) return;
  auto item = std::make_unique<TCodeEditUndoItem>();
  item->ChangeKind = kind;
  item->SelectionMode = mode;
  item->StartPos = start;
  item->EndPos = end;
  item->Text = std::move(text);
  item->ColumnStarts = std::move(columnStarts);
  if (blockGroupNumber_ != 0) {
    item->GroupNumber = blockGroupNumber_;
  } else {
    item->GroupNumber = nextGroupNumber_;
    nextGroupNumber_ = AfterGroup(nextGroupNumber_);
  }
  AppendItem(std::move(item));
}

void TCodeEditUndoList::AppendItem(std::unique_ptr<TCodeEditUndoItem> item) {
  const bool groupEnd = item->ChangeKind == ckGroupEnd;
  if (blockCount_ > 0 && !groupEnd) blockRecorded_ = true;
  items_.push_back(std::move(item));
  EnforceLimit();
  if (!groupEnd && OnItemAdded) OnItemAdded(*this);
}

void TCodeEditUndoList::OpenBlock() {
  ++blockCount_;
  blockGroupNumber_ = nextGroupNumber_;
}

void TCodeEditUndoList::CloseBlock() {
  if (blockCount_ == 0) return;
  if (--blockCount_ > 0) return;
  const int block = blockGroupNumber_;
  blockGroupNumber_ = 0;
  nextGroupNumber_ = AfterGroup(nextGroupNumber_);
  // A block whose items the limit dropped at once still changed the text.
  const bool recorded = std::exchange(blockRecorded_, false);
  const bool kept = !items_.empty() && items_.back()->GroupNumber == block;
  if ((kept || recorded) && OnItemAdded) OnItemAdded(*this);
}

void TCodeEditUndoList::AddGroupEnd() {
  if (NewestKind() != ckGroupEnd) RecordChange(ckGroupEnd, {}, {}, {}, smNormal);
}

std::unique_ptr<TCodeEditUndoItem> TCodeEditUndoList::TakeNewest() {
  if (items_.empty()) return nullptr;
  auto item = std::move(items_.back());
  items_.pop_back();
  return item;
}

void TCodeEditUndoList::Clear() {
  items_.clear();
  ItemsDropped = false;
}

void TCodeEditUndoList::SetItemLimit(int limit) {
  if (limit < 0) limit = 0;
  if (limit == itemLimit_) return;
  itemLimit_ = limit;
  EnforceLimit();
}

void TCodeEditUndoList::EnforceLimit() {
  if (static_cast<int>(items_.size()) <= itemLimit_) return;
  // Only whole groups go, oldest first: half a group would undo half a
  // command. The newest group (the one being recorded, or the command just
  // done) stays whatever its size, so one undo always takes back the last
  // command; a limit of 0 keeps nothing at all. A group end (recorded on
  // saving) is no command of its own.
  auto last = items_.rbegin();
  while (last + 1 != items_.rend() && (*last)->ChangeKind == ckGroupEnd) ++last;
  const int newest = (*last)->GroupNumber;
  while (static_cast<int>(items_.size()) > itemLimit_) {
    const int dropped = items_.front()->GroupNumber;
    const bool recording = blockGroupNumber_ != 0 && dropped == blockGroupNumber_;
    if (itemLimit_ > 0 && (dropped == newest || recording)) break;
    ItemsDropped = true;
    // A deque drops its oldest items without shifting the rest.
    while (!items_.empty() && items_.front()->GroupNumber == dropped) items_.pop_front();
    ForgetDroppedGroup(dropped);
  }
}

void TCodeEditUndoList::ForgetDroppedGroup(int group) {
  if (SavedChangeNumber == 0) {
    // Saved with an empty history: everything here came after the save, so
    // what is dropped can never be undone back to the saved text.
    SavedChangeNumber = -1;
  } else if (SavedChangeNumber == group && (items_.empty() || items_.front()->GroupNumber != group)) {
    // The whole saved group is gone: the saved text is now what undoing
    // everything left gives.
    SavedChangeNumber = 0;
  }
}

void TCodeEditUndoList::MarkSaved(bool saved) {
  if (saved) {
    SavedChangeNumber = items_.empty() ? 0 : items_.back()->GroupNumber;
  } else if (IsSavedState()) {
    SavedChangeNumber = -1;
  }
}

bool TCodeEditUndoList::IsSavedState() const {
  return items_.empty() ? SavedChangeNumber == 0 : items_.back()->GroupNumber == SavedChangeNumber;
}

}  // namespace vantrel
