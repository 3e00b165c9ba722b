// Undo and redo records and the list that groups them, limits them and
// remembers the saved state.
// Tested by tests/text/CodeEditUndoTest.cpp
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "text/TextTypes.h"

namespace vantrel {

enum TChangeKind : uint8_t {
  ckInserted = 0,
  ckPasted = 1,
  ckDropped = 2,
  ckRemovedBackward = 3,
  ckRemovedSelection = 4,
  ckLineSplit = 5,
  ckIndented = 6,
  ckUnindented = 7,
  ckBackspaced = 8,
  ckDeletedForward = 9,
  ckMarker10 = 10,  // opening/closing markers of pairs nothing records
  ckMarker11 = 11,
  ckPasteStart = 12,
  ckPasteStop = 13,
  ckMarker14 = 14,
  ckMarker15 = 15,
  ckMarker16 = 16,
  ckMarker17 = 17,
  ckCaretMark = 18,
  ckSelectionMark = 19,
  ckNothing = 20,
  ckGroupEnd = 21,
  ckClearedAll = 22,
};

// Marker pairs: 10/11, 12/13, 14/15, 16/17.
inline bool IsOpeningMarker(TChangeKind k) { return k == 10 || k == 12 || k == 14 || k == 16; }
inline bool IsClosingMarker(TChangeKind k) { return k == 11 || k == 13 || k == 15 || k == 17; }
inline TChangeKind MatchingMarker(TChangeKind k) {
  return static_cast<TChangeKind>(IsOpeningMarker(k) ? k + 1 : k - 1);
}

struct TCodeEditUndoItem {
  TChangeKind ChangeKind = ckNothing;
  TSelectionMode SelectionMode = smNormal;
  TBufferCoord StartPos;
  TBufferCoord EndPos;
  std::string Text;
  int GroupNumber = 0;
  // A column block removed piece by piece: where each piece came from. Tabs
  // and double-byte characters left of the block make the column differ
  // from line to line, and under word wrap several pieces may share a line.
  std::vector<TBufferCoord> ColumnStarts;
};

class TCodeEditUndoList {
 public:
  TCodeEditUndoList() = default;
  TCodeEditUndoList(const TCodeEditUndoList&) = delete;  // identity: the editor tells its two lists apart
  TCodeEditUndoList& operator=(const TCodeEditUndoList&) = delete;

  // Copies items and counters, but not SavedChangeNumber.
  void Assign(const TCodeEditUndoList& source);

  void RecordChange(TChangeKind kind, TBufferCoord start, TBufferCoord end, std::string text,
                    TSelectionMode mode, std::vector<TBufferCoord> columnStarts = {});
  void AppendItem(std::unique_ptr<TCodeEditUndoItem> item);
  void OpenBlock();
  void CloseBlock();
  void AddGroupEnd();

  const TCodeEditUndoItem* Newest() const { return items_.empty() ? nullptr : items_.back().get(); }
  std::unique_ptr<TCodeEditUndoItem> TakeNewest();
  TChangeKind NewestKind() const { return items_.empty() ? ckNothing : items_.back()->ChangeKind; }
  const TCodeEditUndoItem& Item(int index) const { return *items_[index]; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  bool CanUndo() const { return !items_.empty(); }

  void Lock() { ++lockCount_; }
  void Unlock() {
    if (lockCount_ > 0) --lockCount_;
  }
  bool IsLocked() const { return lockCount_ > 0; }
  void Clear();

  int ItemLimit() const { return itemLimit_; }
  void SetItemLimit(int limit);

  void MarkSaved(bool saved);
  bool IsSavedState() const;

  int BlockCount() const { return blockCount_; }
  int BlockGroupNumber() const { return blockGroupNumber_; }
  // The editor's undo/redo walk borrows the block group number of the other list.
  void SetBlockGroupNumber(int number) { blockGroupNumber_ = number; }
  int NextGroupNumber() const { return nextGroupNumber_; }
  void SetNextGroupNumber(int number) { nextGroupNumber_ = number == 0 ? 1 : number; }

  // Group number of the newest item at the last save; 0: saved with an empty
  // list; -1: the saved text can no longer be reached by undo or redo.
  int SavedChangeNumber = 0;
  bool ItemsDropped = false;
  bool ReplayingRedo = false;
  std::function<void(TCodeEditUndoList&)> OnItemAdded;

 private:
  void EnforceLimit();
  void ForgetDroppedGroup(int group);
  static int AfterGroup(int number);

  std::deque<std::unique_ptr<TCodeEditUndoItem>> items_;
  int itemLimit_ = 1024;
  int nextGroupNumber_ = 1;
  int blockCount_ = 0;
  int blockGroupNumber_ = 0;
  int lockCount_ = 0;
  bool blockRecorded_ = false;  // the open block recorded an item, kept or not
};

}  // namespace vantrel
