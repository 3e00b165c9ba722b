// Undo list: numbering, blocks, limit, saved state and notifications.
#include "text/CodeEditUndo.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

void Record(TCodeEditUndoList& list, TChangeKind kind = ckInserted) {
  list.RecordChange(kind, {1, 1}, {2, 1}, "x", smNormal);
}

TEST(UndoList, LimitDropsTheOldestAndFlagsIt) {
  TCodeEditUndoList list;
  for (int i = 0; i < 1025; ++i) Record(list);
  EXPECT_EQ(list.ItemCount(), 1024);
  EXPECT_TRUE(list.ItemsDropped);
  EXPECT_EQ(list.Item(0).GroupNumber, 2);  // the very first item is gone
  list.Clear();
  EXPECT_FALSE(list.ItemsDropped);

  list.SetItemLimit(-5);  // counts as 0: nothing is kept
  EXPECT_EQ(list.ItemLimit(), 0);
  Record(list);
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_TRUE(list.ItemsDropped);

  TCodeEditUndoList shrink;
  for (int i = 0; i < 10; ++i) Record(shrink);
  shrink.SetItemLimit(3);
  EXPECT_EQ(shrink.ItemCount(), 3);
  EXPECT_EQ(shrink.Item(0).GroupNumber, 8);
}

TEST(UndoList, GroupNumbersWrapAroundZero) {
  TCodeEditUndoList list;
  list.SetNextGroupNumber(-1);
  Record(list);
  Record(list);
  EXPECT_EQ(list.Item(0).GroupNumber, -1);
  EXPECT_EQ(list.Item(1).GroupNumber, 1);
  list.SetNextGroupNumber(0x7FFFFFFF);
  Record(list);
  Record(list);
  EXPECT_EQ(list.Item(3).GroupNumber, static_cast<int>(0x80000000u));
}

TEST(UndoList, BlocksShareOneNumberAndNotifyOnce) {
  TCodeEditUndoList list;
  int notified = 0;
  list.OnItemAdded = [&](TCodeEditUndoList&) { ++notified; };
  list.OpenBlock();
  list.OpenBlock();
  Record(list);
  Record(list);
  list.CloseBlock();
  Record(list);
  EXPECT_EQ(notified, 3);  // every item notifies on its own inside a block
  list.CloseBlock();
  EXPECT_EQ(notified, 4);  // and the block once more when it closes
  list.CloseBlock();       // unbalanced close does nothing
  EXPECT_EQ(notified, 4);
  ASSERT_EQ(list.ItemCount(), 3);
  EXPECT_EQ(list.Item(0).GroupNumber, 1);
  EXPECT_EQ(list.Item(2).GroupNumber, 1);
  Record(list);
  EXPECT_EQ(list.Item(3).GroupNumber, 2);

  // A block that recorded nothing is not announced.
  list.OpenBlock();
  list.CloseBlock();
  EXPECT_EQ(notified, 5);

  // One the limit dropped entirely still changed the text.
  list.SetItemLimit(0);
  list.OpenBlock();
  Record(list);
  list.CloseBlock();
  EXPECT_EQ(notified, 7);
  list.OpenBlock();
  list.CloseBlock();
  EXPECT_EQ(notified, 7);
}

TEST(UndoList, GroupEndsAreNotDoubledNorAnnounced) {
  TCodeEditUndoList list;
  int notified = 0;
  list.OnItemAdded = [&](TCodeEditUndoList&) { ++notified; };
  list.AddGroupEnd();  // an empty list gets one too
  list.AddGroupEnd();
  EXPECT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.NewestKind(), ckGroupEnd);
  EXPECT_EQ(notified, 0);
  Record(list);
  list.AddGroupEnd();
  EXPECT_EQ(list.ItemCount(), 3);
}

TEST(UndoList, LockedListRecordsNothing) {
  TCodeEditUndoList list;
  list.Lock();
  list.Lock();
  Record(list);
  list.Unlock();
  Record(list);
  EXPECT_EQ(list.ItemCount(), 0);
  list.Unlock();
  list.Unlock();  // extra unlocks do not go negative
  Record(list);
  EXPECT_EQ(list.ItemCount(), 1);
}

TEST(UndoList, SavedStateFollowsTheNewestGroup) {
  TCodeEditUndoList list;
  EXPECT_TRUE(list.IsSavedState());  // empty and saved empty
  Record(list);
  EXPECT_FALSE(list.IsSavedState());
  list.MarkSaved(true);
  EXPECT_TRUE(list.IsSavedState());
  Record(list);
  EXPECT_FALSE(list.IsSavedState());
  auto taken = list.TakeNewest();
  ASSERT_TRUE(taken);
  EXPECT_TRUE(list.IsSavedState());  // back at the saved position
  list.MarkSaved(false);             // saved state no longer reachable
  EXPECT_EQ(list.SavedChangeNumber, -1);
  EXPECT_FALSE(list.IsSavedState());
  list.MarkSaved(false);  // not at the saved state: unchanged
  EXPECT_EQ(list.SavedChangeNumber, -1);
  EXPECT_EQ(list.TakeNewest()->GroupNumber, 1);
  EXPECT_EQ(list.TakeNewest(), nullptr);
  EXPECT_EQ(list.NewestKind(), ckNothing);
}

// Groups are recorded as blocks of the given sizes (1 = a single change,
// 0 = a group end, as saving records).
struct GroupLimitCase {
  const char* name;
  int limit;
  std::vector<int> groups;
  int expectedCount;
  int expectedOldestGroup;  // index into groups of the oldest kept item
};

TEST(UndoList, LimitDropsOnlyWholeOldestGroups) {
  const std::vector<GroupLimitCase> cases = {
      {"a group is never cut", 3, {2, 2}, 2, 1},
      {"several whole groups go at once", 4, {1, 1, 3, 2}, 2, 3},
      {"the newest group outgrows the limit", 4, {1, 1, 2000}, 2000, 2},
      {"a big group goes once it is not the newest", 4, {2000, 1}, 1, 1},
      {"a group end after a big group keeps it", 4, {2000, 0}, 2001, 0},
      {"limit 0 keeps not even the newest", 0, {3}, 0, 0},
  };
  for (const GroupLimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCodeEditUndoList list;
    list.SetItemLimit(c.limit);
    std::vector<int> numbers;
    for (int size : c.groups) {
      if (size == 0) {
        numbers.push_back(list.NextGroupNumber());
        list.AddGroupEnd();
        continue;
      }
      list.OpenBlock();
      numbers.push_back(list.BlockGroupNumber());
      for (int i = 0; i < size; ++i) {
        Record(list);
        // While the block is open its items all stay.
        if (c.limit > 0) {
          ASSERT_GE(list.ItemCount(), i + 1);
        }
      }
      list.CloseBlock();
    }
    EXPECT_EQ(list.ItemCount(), c.expectedCount);
    if (c.expectedCount > 0) {
      EXPECT_EQ(list.Item(0).GroupNumber, numbers[c.expectedOldestGroup]);
    }
  }
}

// Undo is modelled by taking items off the newest end.
struct LimitCase {
  const char* name;
  int limit;
  int beforeSave;  // items recorded, then saved
  int afterSave;   // items recorded after the save
  int taken;       // items undone afterwards
  bool saved;      // IsSavedState then
};

TEST(UndoList, DroppingItemsKeepsTheSavedStateOnlyWhileReachable) {
  const std::vector<LimitCase> cases = {
      {"nothing dropped", 5, 0, 3, 3, true},
      {"saved empty, a later item dropped", 5, 0, 6, 5, false},
      {"limit 0 keeps nothing", 0, 0, 1, 0, false},
      {"older items dropped, saved group kept", 5, 3, 4, 4, true},
      {"saved group dropped, all later items kept", 5, 3, 5, 5, true},
      {"saved group dropped, not undone far enough", 5, 3, 5, 4, false},
      {"saved group and one later item dropped", 5, 3, 6, 5, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCodeEditUndoList list;
    list.SetItemLimit(c.limit);
    for (int i = 0; i < c.beforeSave; ++i) Record(list);
    list.MarkSaved(true);
    for (int i = 0; i < c.afterSave; ++i) Record(list);
    if (c.afterSave > 0) {
      EXPECT_FALSE(list.IsSavedState());
    }
    for (int i = 0; i < c.taken; ++i) ASSERT_TRUE(list.TakeNewest());
    EXPECT_EQ(list.IsSavedState(), c.saved);
  }
}

TEST(UndoList, AssignCopiesEverythingButTheSavedNumber) {
  TCodeEditUndoList a;
  Record(a, ckBackspaced);
  Record(a, ckLineSplit);
  a.MarkSaved(true);
  a.SetItemLimit(50);
  TCodeEditUndoList b;
  b.Assign(a);
  ASSERT_EQ(b.ItemCount(), 2);
  EXPECT_EQ(b.Item(1).ChangeKind, ckLineSplit);
  EXPECT_EQ(b.ItemLimit(), 50);
  EXPECT_EQ(b.NextGroupNumber(), 3);
  EXPECT_EQ(b.SavedChangeNumber, 0);
}

TEST(UndoList, MarkerPairs) {
  for (int k : {10, 12, 14, 16}) {
    auto open = static_cast<TChangeKind>(k);
    EXPECT_TRUE(IsOpeningMarker(open));
    EXPECT_TRUE(IsClosingMarker(MatchingMarker(open)));
    EXPECT_EQ(MatchingMarker(MatchingMarker(open)), open);
  }
  EXPECT_FALSE(IsOpeningMarker(ckInserted));
  EXPECT_FALSE(IsClosingMarker(ckGroupEnd));
}

}  // namespace
}  // namespace vantrel
