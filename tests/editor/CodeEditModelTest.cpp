// The editor model: conversions, clamping, scrolling, metrics, batches and
// status changes, word positions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Assert.h"
#include "EditorTestUtil.h"

namespace vantrel {
namespace {

TEST(CodeEditModel, Defaults) {
  EditorOnHost e;
  EXPECT_EQ(e.edit.Options(), 0x026C0192u);
  EXPECT_TRUE(e.edit.HasOption(eoScrollPastEol));
  EXPECT_EQ(e.edit.TabWidth(), 8);
  EXPECT_EQ(e.edit.MaxScrollWidth(), 1024);
  EXPECT_EQ(e.edit.MaxUndo(), 1024);
  EXPECT_EQ(e.edit.Keystrokes().Count(), 82);
  EXPECT_EQ(e.edit.GutterWidth(), 30);
  EXPECT_EQ(e.edit.CharWidth(), 8);
  EXPECT_EQ(e.edit.LineHeight(), 16);
  EXPECT_EQ(e.edit.VisibleColumns(), 96);  // (800 - 30 - 2) div 8
  EXPECT_EQ(e.edit.VisibleRows(), 37);     // 600 div 16
  EXPECT_EQ(e.edit.TextOriginX(), 32);
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{1, 1}));
  EXPECT_TRUE(e.edit.InsertMode());
}

struct ConversionRow {
  const char* name;
  const char* line;
  int tabWidth;
  int x;       // buffer column
  int column;  // its display column
};

TEST(CodeEditModel, BufferToDisplay) {
  const ConversionRow rows[] = {
      {"tab at line start", "\tx", 8, 1, 1},
      {"after the tab", "\tx", 8, 2, 9},
      {"past the end after a tab", "\tx", 8, 4, 11},
      {"tab in the middle", "ab\tc", 4, 4, 5},
      {"tab right on a stop", "abcd\te", 4, 6, 9},
      {"past the end of a plain line", "abc", 8, 7, 7},
      {"tab width one", "\t\tx", 1, 3, 3},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.line);
    e.edit.SetTabWidth(row.tabWidth);
    EXPECT_EQ(e.edit.BufferToDisplay({row.x, 1}), (TDisplayPos{row.column, 1})) << row.name;
  }
  EditorOnHost e("abc");
  EXPECT_EQ(e.edit.BufferToDisplay({5, 9}), (TDisplayPos{5, 9})) << "a line outside the buffer";
}

TEST(CodeEditModel, DisplayToBuffer) {
  const ConversionRow rows[] = {
      {"first cell of a tab", "\tx", 8, 1, 1},
      {"inside a tab", "\tx", 8, 1, 5},
      {"last cell of a tab", "\tx", 8, 1, 8},
      {"after the tab", "\tx", 8, 2, 9},
      {"past the end", "\tx", 8, 5, 12},
      {"second tab", "a\t\tb", 4, 3, 6},
      {"plain", "hello", 8, 3, 3},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.line);
    e.edit.SetTabWidth(row.tabWidth);
    EXPECT_EQ(e.edit.DisplayToBuffer({row.column, 1}), (TBufferCoord{row.x, 1})) << row.name;
  }
}

TEST(CodeEditModel, DoubleByteConversionsSkipTrailBytes) {
  ActiveCodePage cp(936);
  // 'a', a two-byte character (columns 2 and 3), 'b'.
  EditorOnHost e("a\xB0\xA1"
                 "b");
  EXPECT_EQ(e.edit.DisplayToBuffer({2, 1}).X, 2);
  EXPECT_EQ(e.edit.DisplayToBuffer({3, 1}).X, 4) << "a trail byte moves right";
  EXPECT_EQ(e.edit.DisplayToBuffer({4, 1}).X, 4);
  // An anchor that lands on a trail byte moves onto the character.
  e.edit.SetAnchorStart({1, 1});
  e.edit.SetAnchorEnd({3, 1});
  EXPECT_EQ(e.edit.RawAnchorEnd(), (TBufferCoord{2, 1}));
  EXPECT_EQ(e.edit.SelectedText(), "a");
}

TEST(CodeEditModel, SingleByteCodePageHasNoTrailBytes) {
  EditorOnHost e("a\xB0\xA1"
                 "b");
  EXPECT_EQ(e.edit.DisplayToBuffer({3, 1}).X, 3);
}

TEST(CodeEditModel, CharacterIndexes) {
  EditorOnHost e("ab\r\n\r\ncde");
  struct Row {
    int index;
    TBufferCoord position;
  } rows[] = {{0, {1, 1}}, {2, {3, 1}}, {4, {1, 2}}, {6, {1, 3}}, {9, {4, 3}}, {11, {1, 4}}, {500, {1, 4}}};
  for (const auto& row : rows) {
    EXPECT_EQ(e.edit.IndexToPosition(row.index), row.position) << row.index;
    if (row.index <= 9) {
      EXPECT_EQ(e.edit.PositionToIndex(row.position), row.index) << row.index;
    }
  }
  EXPECT_EQ(e.edit.IndexToPosition(-3), (TBufferCoord{1, 1}));
}

TEST(CodeEditModel, CaretIsClamped) {
  struct Row {
    const char* name;
    TCodeEditorOptions add;
    TCodeEditorOptions remove;
    TBufferCoord set;
    TBufferCoord expected;
  } rows[] = {
      {"past the end of line allowed", 0, 0, {50, 1}, {50, 1}},
      {"limited to MaxScrollWidth + 1", 0, 0, {5000, 1}, {1025, 1}},
      {"below the buffer", 0, 0, {2, 99}, {2, 3}},
      {"before the start", 0, 0, {-4, -7}, {1, 1}},
      {"end of line without scroll past", 0, OptionBit(eoScrollPastEol), {50, 2}, {12, 2}},
      {"auto-sized width is unlimited", OptionBit(eoAutoSizeMaxScrollWidth), 0, {5000, 1}, {5000, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e("abc\r\nlonger line\r\nx");
    e.edit.SetOptions((e.edit.Options() | row.add) & ~row.remove);
    e.edit.SetCaretPos(row.set);
    EXPECT_EQ(e.edit.CaretPos(), row.expected) << row.name;
  }
  EditorOnHost empty;
  empty.edit.SetOptions(empty.edit.Options() & ~OptionBit(eoScrollPastEol));
  empty.edit.SetCaretPos({5, 5});
  EXPECT_EQ(empty.edit.CaretPos(), (TBufferCoord{1, 1})) << "empty buffer";
}

TEST(CodeEditModel, LinesWiderThanMaxScrollWidthStayReachable) {
  EditorOnHost e(std::string(40, 'x'), 200, 100);  // 21 visible columns
  e.edit.SetMaxScrollWidth(10);
  e.edit.SetCaretPos({41, 1});
  EXPECT_EQ(e.edit.CaretX(), 41);
  e.edit.SetSelectedText("y");
  EXPECT_EQ(e.edit.CaretX(), 42) << "the caret stays after the typed character";
  EXPECT_EQ(e.edit.LeftChar(), 42 - 21 + 1) << "and can be scrolled into view";
  e.edit.SetCaretPos({60, 1});
  EXPECT_EQ(e.edit.CaretX(), 42);
  e.edit.SetSelectionMode(smColumn);
  e.edit.SetAnchorStart({60, 1});
  EXPECT_EQ(e.edit.RawAnchorStart().X, 42);
}

TEST(CodeEditModel, AnchorsAreClampedByMode) {
  struct Row {
    const char* name;
    TSelectionMode mode;
    TBufferCoord set;
    TBufferCoord expected;
  } rows[] = {
      {"normal mode stops at the line end", smNormal, {50, 1}, {4, 1}},
      {"column mode may pass the end", smColumn, {50, 1}, {50, 1}},
      {"column mode stops at MaxScrollWidth + 1", smColumn, {3000, 1}, {1025, 1}},
      {"line below the buffer", smLine, {2, 40}, {2, 3}},
      {"before the start", smNormal, {0, 0}, {1, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e("abc\r\nlonger line\r\nx");
    e.edit.SetSelectionMode(row.mode);
    e.edit.SetAnchorStart(row.set);
    EXPECT_EQ(e.edit.RawAnchorStart(), row.expected) << row.name;
    EXPECT_EQ(e.edit.RawAnchorEnd(), row.expected) << row.name;
    e.edit.SetAnchorEnd(row.set);
    EXPECT_EQ(e.edit.RawAnchorEnd(), row.expected) << row.name;
  }
}

TEST(CodeEditModel, SelectionPresenceAndOrder) {
  EditorOnHost e("abc\r\ndef\r\nghi");
  e.edit.SetAnchorStart({3, 3});
  e.edit.SetAnchorEnd({2, 1});
  EXPECT_TRUE(e.edit.HasSelection());
  EXPECT_EQ(e.edit.AnchorStart(), (TBufferCoord{2, 1}));
  EXPECT_EQ(e.edit.AnchorEnd(), (TBufferCoord{3, 3}));
  e.edit.SetSelectionMode(smColumn);
  e.edit.SetAnchorStart({2, 1});
  e.edit.SetAnchorEnd({2, 3});
  EXPECT_FALSE(e.edit.HasSelection()) << "a column block of width 0 is empty";
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoNoSelection));
  e.edit.SetAnchorEnd({3, 3});
  EXPECT_EQ(e.edit.RawAnchorEnd(), (TBufferCoord{2, 1}));
}

TEST(CodeEditModel, PublicCaretSetCollapsesTheBlock) {
  EditorOnHost e("abc\r\ndef");
  e.edit.SetAnchorStart({1, 1});
  e.edit.SetAnchorEnd({3, 2});
  e.edit.SetCaretKeepBlock({2, 2});
  EXPECT_TRUE(e.edit.HasSelection());
  e.edit.SetCaretPos({2, 1});
  EXPECT_FALSE(e.edit.HasSelection());
  EXPECT_EQ(e.edit.RawAnchorStart(), (TBufferCoord{2, 1}));
}

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + (i < count ? "\r\n" : "");
  return text;
}

TEST(CodeEditModel, TopLineIsClamped) {
  struct Row {
    const char* name;
    bool pastEof;
    int set;
    int expected;
  } rows[] = {
      {"last full window", false, 1000, 64},  // 100 - 37 + 1
      {"past the end allowed", true, 1000, 100},
      {"below one", false, -5, 1},
      {"inside", false, 20, 20},
  };
  for (const auto& row : rows) {
    EditorOnHost e(Numbered(100));
    if (row.pastEof) e.edit.SetOptions(e.edit.Options() | OptionBit(eoScrollPastEof));
    e.edit.SetTopLine(row.set);
    EXPECT_EQ(e.edit.TopLine(), row.expected) << row.name;
  }
}

TEST(CodeEditModel, ScrollingByLessThanAWindowMovesPixels) {
  EditorOnHost e(Numbered(100));
  e.edit.SetTopLine(4);
  ASSERT_EQ(e.host.Scrolls.size(), 1u);
  EXPECT_EQ(e.host.Scrolls[0].Dy, -3 * 16);
  EXPECT_TRUE(e.host.Invalidated.empty());
  e.host.ClearRecords();
  e.edit.SetTopLine(60);
  EXPECT_TRUE(e.host.Scrolls.empty());
  EXPECT_EQ(e.host.InvalidatedUnion(), (TRect{0, 0, 800, 600}));
  e.host.ClearRecords();
  e.edit.SetLeftChar(3);
  ASSERT_EQ(e.host.Scrolls.size(), 1u);
  EXPECT_EQ(e.host.Scrolls[0].Dx, -2 * 8);
  EXPECT_EQ(e.host.Scrolls[0].Area.Left, 32) << "the gutter does not scroll sideways";
  EXPECT_EQ(e.edit.TextOriginX(), 32 - 2 * 8);
}

TEST(CodeEditModel, LeftCharIsClamped) {
  struct Row {
    const char* name;
    TCodeEditorOptions remove;
    TCodeEditorOptions add;
    int set;
    int expected;
  } rows[] = {
      {"scroll past end of line", 0, 0, 5000, 1024 - 96 + 1},
      {"longest line decides", OptionBit(eoScrollPastEol), 0, 5000, 100 - 96 + 1},
      {"auto-sized width", 0, OptionBit(eoAutoSizeMaxScrollWidth), 5000, 5000},
      {"at least one", 0, 0, -2, 1},
  };
  for (const auto& row : rows) {
    EditorOnHost e(std::string(100, 'x') + "\r\nshort");
    e.edit.SetOptions((e.edit.Options() | row.add) & ~row.remove);
    e.edit.SetLeftChar(row.set);
    EXPECT_EQ(e.edit.LeftChar(), row.expected) << row.name;
  }
  EditorOnHost fits("short");
  fits.edit.SetOptions(fits.edit.Options() & ~OptionBit(eoScrollPastEol));
  fits.edit.SetLeftChar(4);
  EXPECT_EQ(fits.edit.LeftChar(), 1);
}

TEST(CodeEditModel, TabWidthIsClampedAndReachesTheBuffer) {
  struct Row {
    int set;
    int expected;
  } rows[] = {{0, 1}, {-3, 1}, {1000, 256}, {4, 4}, {256, 256}};
  for (const auto& row : rows) {
    EditorOnHost e("\tx");
    e.edit.SetTabWidth(row.set);
    EXPECT_EQ(e.edit.TabWidth(), row.expected) << row.set;
    EXPECT_EQ(e.edit.Lines().TabWidth(), row.expected) << row.set;
    EXPECT_EQ(e.edit.Lines().ExpandedLength(0), row.expected + 1) << row.set;
  }
}

TEST(CodeEditModel, ScrollCaretIntoView) {
  EditorOnHost e(Numbered(200));
  e.edit.SetCaretPos({1, 80});
  EXPECT_EQ(e.edit.TopLine(), 80 - 36);
  e.edit.SetCaretPos({1, 10});
  EXPECT_EQ(e.edit.TopLine(), 10);
  e.edit.SetCaretKeepBlock({200, 10});
  EXPECT_EQ(e.edit.LeftChar(), 200 - 96 + 1);
  e.edit.MoveCaretTo({1, 150}, false);
  EXPECT_EQ(e.edit.TopLine(), 10) << "not asked to make it visible";
  e.edit.ScrollCaretIntoViewCentred();
  EXPECT_EQ(e.edit.TopLine(), 150 - 18);
  EXPECT_EQ(e.edit.LeftChar(), 1);
}

TEST(CodeEditModel, StatusFiresOncePerOutermostBatch) {
  EditorOnHost e(Numbered(100));
  e.edit.BeginUpdateBatch();
  e.edit.SetCaretKeepBlock({3, 1});
  e.edit.BeginUpdateBatch();
  e.edit.SetTopLine(5);
  e.edit.SetReadOnly(true);
  e.edit.EndUpdateBatch();
  EXPECT_TRUE(e.statuses.empty());
  e.edit.EndUpdateBatch();
  ASSERT_EQ(e.statuses.size(), 1u);
  EXPECT_EQ(e.statuses[0], scCaretX | scTopLine | scReadOnly);
  e.statuses.clear();
  e.edit.SetInsertMode(false);
  e.edit.SetInsertMode(false);
  ASSERT_EQ(e.statuses.size(), 1u) << "outside a batch each change fires; an unchanged value none";
  EXPECT_EQ(e.statuses[0], scInsertMode);
}

TEST(CodeEditModel, StatusIsKeptWhileNoHandlerIsAssigned) {
  EditorOnHost e("abc");
  e.edit.OnStatusChange = nullptr;
  e.edit.SetReadOnly(true);
  e.edit.SetCaretPos({2, 1});
  std::vector<TStatusChanges> seen;
  e.edit.OnStatusChange = [&](TCustomCodeEdit&, TStatusChanges c) { seen.push_back(c); };
  e.edit.SetModified(true);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], scReadOnly | scCaretX | scSelection | scModified);
}

TEST(CodeEditModel, UnbalancedEndUpdateBatchIsAnAssertionTheEditorSurvives) {
  TCodeEdit edit;
  EXPECT_THAT([&] { edit.EndUpdateBatch(); },
              testing::ThrowsMessage<EAssertionFailure>(testing::StartsWith("Assertion failure (CodeEdit:")));
  edit.Lines().Add("still usable");
  EXPECT_EQ(edit.Lines().Get(0), "still usable");
}

TEST(CodeEditModel, ModifiedFollowsTheUndoList) {
  EditorOnHost e("abc");
  int changes = 0;
  e.edit.OnChange = [&](TCustomCodeEdit&) { ++changes; };
  e.edit.SetCaretPos({4, 1});
  e.edit.SetSelectedText("d");
  EXPECT_TRUE(e.edit.Modified());
  EXPECT_EQ(changes, 1) << "one change per closed undo block";
  e.edit.SetModified(false);
  EXPECT_TRUE(e.edit.UndoList().IsSavedState());
  EXPECT_EQ(e.edit.UndoList().NewestKind(), ckGroupEnd);
  e.edit.RedoList().RecordChange(ckInserted, {1, 1}, {2, 1}, "x", smNormal);
  e.edit.SetSelectedText("e");
  EXPECT_TRUE(e.edit.Modified());
  EXPECT_EQ(e.edit.RedoList().ItemCount(), 0) << "a new change clears the redo list";
}

TEST(CodeEditModel, CaretLineText) {
  EditorOnHost e("one\r\ntwo");
  e.edit.SetCaretPos({1, 2});
  EXPECT_EQ(e.edit.CaretLineText(), "two");
  e.edit.SetCaretLineText("TWO");
  EXPECT_EQ(Lines(e.edit), "one\r\nTWO");
  EditorOnHost empty;
  EXPECT_EQ(empty.edit.CaretLineText(), "");
  empty.edit.SetCaretLineText("ignored");
  EXPECT_EQ(empty.edit.LineCount(), 0);
}

TEST(CodeEditModel, WindowMetricsFollowResizeFontAndGutter) {
  EditorOnHost e("abc");
  e.host.Width = 430;
  e.host.Height = 165;
  e.edit.Resized();
  EXPECT_EQ(e.edit.VisibleColumns(), (430 - 30 - 2) / 8);
  EXPECT_EQ(e.edit.VisibleRows(), 10);
  e.edit.SetExtraLineSpacing(4);
  EXPECT_EQ(e.edit.LineHeight(), 20);
  EXPECT_EQ(e.edit.VisibleRows(), 8);
  e.edit.Gutter().SetShowLineNumbers(true);
  EXPECT_EQ(e.edit.GutterWidth(), 16 + 2 + 8 * 4 + 2);
  e.host.Proportional = true;
  TFont font;
  font.Name = "Sans";
  e.edit.SetFont(font);
  EXPECT_TRUE(e.edit.EffectiveFont().FixedPitch) << "a proportional font is replaced by a fixed-pitch one";
  EXPECT_FALSE(e.edit.Font().FixedPitch);
}

TEST(CodeEditModel, OptionSideEffects) {
  EditorOnHost e("abcdef");
  e.edit.SetCaretPos({20, 1});
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoDropFiles));
  EXPECT_TRUE(e.host.AcceptsFiles);
  e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoScrollPastEol));
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{7, 1})) << "the caret is re-clamped";
  e.host.ClearRecords();
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoShowSpecialChars));
  EXPECT_EQ(e.host.InvalidatedUnion(), (TRect{0, 0, 800, 600}));
}

TEST(CodeEditModel, CaretIsPlacedOnScreen) {
  EditorOnHost e(Numbered(10));
  e.edit.SetCaretPos({3, 2});
  EXPECT_EQ(e.host.CaretAt, (TPoint{32 + 2 * 8 - 1, 16 + 1}));
  EXPECT_TRUE(e.host.CaretVisible);
  e.edit.SetInsertMode(false);
  EXPECT_EQ(e.host.CaretWidth, 8) << "block caret in overwrite mode";
  EXPECT_EQ(e.host.CaretHeight, 14);
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoNoCaret));
  e.edit.SetCaretPos({4, 2});
  EXPECT_FALSE(e.host.CaretVisible);
}

TEST(CodeEditModel, ScrollBars) {
  EditorOnHost e(Numbered(100));
  e.edit.UpdateScrollBars();
  TScrollBarState v = e.host.ScrollBars[sbVertical];
  EXPECT_TRUE(v.Visible);
  EXPECT_EQ(v.Max, 100);
  EXPECT_EQ(v.Page, 37);
  EXPECT_EQ(v.Position, 1);
  TScrollBarState h = e.host.ScrollBars[sbHorizontal];
  EXPECT_EQ(h.Max, 1024);
  EXPECT_EQ(h.Page, 96);
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoHideShowScrollbars));
  e.edit.SetText("short");
  EXPECT_TRUE(e.host.ScrollBars[sbVertical].Visible == false) << "everything fits";
  // Batched: one update at the end of the outermost batch.
  e.host.ScrollBarUpdates = 0;
  e.edit.BeginUpdateBatch();
  e.edit.UpdateScrollBars();
  e.edit.UpdateScrollBars();
  EXPECT_EQ(e.host.ScrollBarUpdates, 0);
  e.edit.EndUpdateBatch();
  EXPECT_EQ(e.host.ScrollBarUpdates, 2) << "one call per bar";
}

TEST(CodeEditModel, WordPositions) {
  struct Row {
    const char* name;
    const char* text;
    TBufferCoord from;
    TBufferCoord next;
    TBufferCoord previous;
    TBufferCoord begin;
    TBufferCoord finish;
  } rows[] = {
      {"inside a word", "foo bar(baz)", {2, 1}, {5, 1}, {1, 1}, {1, 1}, {4, 1}},
      {"on a blank", "foo bar(baz)", {4, 1}, {5, 1}, {1, 1}, {1, 1}, {4, 1}},
      {"on a symbol", "foo bar(baz)", {8, 1}, {9, 1}, {5, 1}, {5, 1}, {8, 1}},
      {"word start", "foo bar(baz)", {5, 1}, {9, 1}, {1, 1}, {5, 1}, {8, 1}},
      {"end of line goes on", "foo\r\n  bar", {4, 1}, {3, 2}, {1, 1}, {1, 1}, {4, 1}},
      {"line start goes back", "foo\r\n  bar", {1, 2}, {3, 2}, {4, 1}, {1, 2}, {1, 2}},
      {"blank line start", "foo\r\n   ", {1, 2}, {4, 2}, {4, 1}, {1, 2}, {1, 2}},
      {"accented letters are word characters", "caf\xE9 x", {1, 1}, {6, 1}, {1, 1}, {1, 1}, {5, 1}},
      {"last line stays", "ab", {3, 1}, {3, 1}, {1, 1}, {1, 1}, {3, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.text);
    EXPECT_EQ(e.edit.NextWordStart(row.from), row.next) << row.name;
    EXPECT_EQ(e.edit.PreviousWordStart(row.from), row.previous) << row.name;
    EXPECT_EQ(e.edit.WordBegin(row.from), row.begin) << row.name;
    EXPECT_EQ(e.edit.WordFinish(row.from), row.finish) << row.name;
  }
}

TEST(CodeEditModel, WordPositionsTreatDoubleByteCharactersAsWords) {
  ActiveCodePage cp(936);
  // "ab", two double-byte characters, " cd"
  EditorOnHost e("ab\xB0\xA1\xB0\xA2 cd");
  EXPECT_EQ(e.edit.NextWordStart({1, 1}), (TBufferCoord{3, 1})) << "stops at the double-byte character";
  EXPECT_EQ(e.edit.NextWordStart({3, 1}), (TBufferCoord{5, 1})) << "steps over it";
  EXPECT_EQ(e.edit.NextWordStart({5, 1}), (TBufferCoord{8, 1}));
  EXPECT_EQ(e.edit.PreviousWordStart({7, 1}), (TBufferCoord{5, 1}));
  EXPECT_EQ(e.edit.PreviousWordStart({5, 1}), (TBufferCoord{3, 1}));
  EXPECT_EQ(e.edit.PreviousWordStart({3, 1}), (TBufferCoord{1, 1}));
}

TEST(CodeEditModel, MakeIndent) {
  EditorOnHost e;
  EXPECT_EQ(e.edit.MakeIndent(10), std::string(10, ' '));
  e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoTabsToSpaces));
  EXPECT_EQ(e.edit.MakeIndent(10), "\t  ");
  EXPECT_EQ(e.edit.MakeIndent(7), "       ");
}

}  // namespace
}  // namespace vantrel
