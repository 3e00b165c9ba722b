// Selected text in the three modes, selection replacement, and the editor
// following its line buffer (invalidation, marks, highlighter ranges).
#include <gtest/gtest.h>

#include "EditorTestUtil.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

constexpr const char* kFive = "first\r\nsecond\r\nthird\r\nfourth\r\nfifth";

struct SelectionRow {
  const char* name;
  TSelectionMode mode;
  TBufferCoord start;
  TBufferCoord end;
  const char* text;
};

TEST(CodeEditSelection, ReadingTheSelection) {
  const SelectionRow rows[] = {
      {"normal, one line", smNormal, {2, 2}, {5, 2}, "eco"},
      {"normal, backwards", smNormal, {5, 2}, {2, 2}, "eco"},
      {"normal, three lines", smNormal, {4, 1}, {3, 3}, "st\r\nsecond\r\nth"},
      {"normal, to a line start", smNormal, {1, 1}, {1, 2}, "first\r\n"},
      {"line, middle lines end with a break", smLine, {3, 2}, {1, 3}, "second\r\nthird\r\n"},
      {"line, last lines end without one", smLine, {1, 4}, {2, 5}, "fourth\r\nfifth"},
      {"column, lines shorter than the block are padded", smColumn, {4, 1}, {7, 3}, "st \r\nond\r\nrd "},
      {"column, drawn right to left", smColumn, {7, 3}, {4, 1}, "st \r\nond\r\nrd "},
  };
  for (const auto& row : rows) {
    EditorOnHost e(kFive);
    e.edit.SetSelectionMode(row.mode);
    e.edit.SetAnchorStart(row.start);
    e.edit.SetAnchorEnd(row.end);
    EXPECT_EQ(e.edit.SelectedText(), row.text) << row.name;
  }
}

TEST(CodeEditSelection, ColumnReadingWithTrimmingAndTabs) {
  EditorOnHost e("ab\r\nabcdef\r\n\tx");
  e.edit.SetSelectionMode(smColumn);
  e.edit.SetAnchorStart({2, 1});
  e.edit.SetAnchorEnd({5, 2});
  EXPECT_EQ(e.edit.SelectedText(), "b  \r\nbcd");
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoTrimTrailingSpaces));
  EXPECT_EQ(e.edit.SelectedText(), "b\r\nbcd");
  // Columns are screen columns: on the tab line display columns 9..10 are
  // the 'x' after the tab.
  e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoTrimTrailingSpaces));
  e.edit.SetAnchorStart({9, 2});
  e.edit.SetAnchorEnd({3, 3});
  EXPECT_EQ(e.edit.SelectedText(), " \r\nx");
}

TEST(CodeEditSelection, NoSelectionReadsEmpty) {
  EditorOnHost e(kFive);
  e.edit.SetCaretPos({3, 3});
  EXPECT_EQ(e.edit.SelectedText(), "");
  EXPECT_EQ(e.edit.SelectionLength(), 0);
}

TEST(CodeEditSelection, ReplacingWithTheSameTextRoundTrips) {
  const SelectionRow rows[] = {
      {"normal within a line", smNormal, {2, 2}, {5, 2}, nullptr},
      {"normal over lines", smNormal, {4, 1}, {3, 4}, nullptr},
      {"normal, everything", smNormal, {1, 1}, {6, 5}, nullptr},
      {"line, middle lines", smLine, {2, 2}, {1, 4}, nullptr},
      {"column inside the text", smColumn, {2, 1}, {5, 4}, nullptr},
  };
  for (const auto& row : rows) {
    EditorOnHost e(kFive);
    e.edit.SetSelectionMode(row.mode);
    e.edit.SetAnchorStart(row.start);
    e.edit.SetAnchorEnd(row.end);
    const std::string text = e.edit.SelectedText();
    e.edit.SetSelectedText(text);
    EXPECT_EQ(Lines(e.edit), kFive) << row.name;
    EXPECT_FALSE(e.edit.HasSelection()) << row.name;
  }
}

TEST(CodeEditSelection, ReplacingTheSelection) {
  struct Row {
    const char* name;
    TSelectionMode mode;
    TBufferCoord start;
    TBufferCoord end;
    const char* insert;
    const char* result;
    TBufferCoord caret;
  } rows[] = {
      {"one line into the middle keeps the right part", smNormal, {3, 1}, {3, 1}, "XY", "fiXYrst\r\nsecond",
       {5, 1}},
      {"multi-line deletion joins the ends", smNormal, {3, 1}, {4, 2}, "", "fiond", {3, 1}},
      {"multi-line insertion", smNormal, {3, 1}, {3, 1}, "A\r\nB\nC", "fiA\r\nB\r\nCrst\r\nsecond", {2, 3}},
      {"line mode deletes whole lines", smLine, {3, 1}, {1, 1}, "", "second", {1, 1}},
      {"line mode deletion of the last line empties it", smLine, {1, 2}, {2, 2}, "", "first\r\n", {1, 2}},
      {"column mode deletes the block", smColumn, {2, 1}, {4, 2}, "", "fst\r\nsond", {2, 1}},
      {"column block drawn leftwards keeps its left column", smColumn, {4, 1}, {2, 2}, "", "fst\r\nsond",
       {2, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e("first\r\nsecond");
    e.edit.SetSelectionMode(row.mode);
    e.edit.SetCaretPos(row.start);
    e.edit.SetAnchorStart(row.start);
    e.edit.SetAnchorEnd(row.end);
    e.edit.ReplaceSelectionInMode(smNormal, row.insert, false);
    EXPECT_EQ(Lines(e.edit), row.result) << row.name;
    EXPECT_EQ(e.edit.CaretPos(), row.caret) << row.name;
  }
}

TEST(CodeEditSelection, TypingPastTheEndOfABlankLine) {
  struct Row {
    const char* name;
    bool tabsToSpaces;
    const char* line;
    const char* result;
  } rows[] = {
      {"tabs allowed: rebuilt as tabs then spaces", false, "  ", "\t  x"},
      {"tabs to spaces: padded with spaces", true, "  ", "          x"},
      {"text on the line: padded with spaces", false, "ab", "ab        x"},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.line);
    if (!row.tabsToSpaces) e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoTabsToSpaces));
    e.edit.SetCaretPos({11, 1});
    e.edit.SetSelectedText("x");
    EXPECT_EQ(Lines(e.edit), row.result) << row.name;
    EXPECT_EQ(e.edit.CaretDisplayColumn(), 12) << row.name;
  }
}

TEST(CodeEditSelection, TrimmingTrailingSpacesKeepsTheCaretAfterTypedBlanks) {
  EditorOnHost e("ab");
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoTrimTrailingSpaces));
  e.edit.SetCaretPos({3, 1});
  e.edit.SetSelectedText(" ");
  EXPECT_EQ(Lines(e.edit), "ab");
  EXPECT_EQ(e.edit.CaretX(), 4);
  e.edit.SetSelectedText("c");
  EXPECT_EQ(Lines(e.edit), "ab c");
}

TEST(CodeEditSelection, ColumnPaste) {
  struct Row {
    const char* name;
    const char* start;
    TBufferCoord caret;
    const char* paste;
    const char* result;
    TBufferCoord caretAfter;
  } rows[] = {
      {"three pieces at one column", "abcd\r\nefgh\r\nijkl", {2, 1}, "12\r\n34\r\n56",
       "a12bcd\r\ne34fgh\r\ni56jkl", {4, 3}},
      {"LF-only breaks split too", "abcd\r\nefgh", {3, 1}, "1\n2", "ab1cd\r\nef2gh", {4, 2}},
      {"short lines are padded", "abcd\r\ne", {4, 1}, "1\r\n2", "abc1d\r\ne  2", {5, 2}},
      {"past the end lines are appended", "abcd", {3, 1}, "1\r\n2\r\n3", "ab1cd\r\n  2\r\n  3", {4, 3}},
      {"an empty piece past the end still keeps rows", "abcd", {2, 1}, "1\r\n\r\n3", "a1bcd\r\n\r\n 3",
       {3, 3}},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.start);
    e.edit.SetCaretPos(row.caret);
    e.edit.ReplaceSelectionInMode(smColumn, row.paste, true);
    EXPECT_EQ(Lines(e.edit), row.result) << row.name;
    EXPECT_EQ(e.edit.CaretPos(), row.caretAfter) << row.name;
  }
}

TEST(CodeEditSelection, ColumnPasteRecordsEachLine) {
  EditorOnHost e("abcd");
  e.edit.SetCaretPos({3, 1});
  e.edit.ReplaceSelectionInMode(smColumn, "1\r\n22", true);
  const TCodeEditUndoList& undo = e.edit.UndoList();
  ASSERT_EQ(undo.ItemCount(), 3);
  EXPECT_EQ(undo.Item(0).ChangeKind, ckPasted);
  EXPECT_EQ(undo.Item(0).EndPos, (TBufferCoord{4, 1}));
  EXPECT_EQ(undo.Item(1).ChangeKind, ckLineSplit);
  EXPECT_EQ(undo.Item(1).StartPos, (TBufferCoord{6, 1}));
  // A piece on a new line is recorded from column 1, with its filling.
  EXPECT_EQ(undo.Item(2).StartPos, (TBufferCoord{1, 2}));
  EXPECT_EQ(undo.Item(2).EndPos, (TBufferCoord{5, 2}));
}

TEST(CodeEditSelection, LinePaste) {
  struct Row {
    const char* name;
    bool insertMode;
    const char* result;
  } rows[] = {
      {"insert mode inserts above the caret line", true, "one\r\nA\r\nB\r\ntwo\r\nthree\r\nfour"},
      {"overwrite mode replaces the lines below", false, "one\r\nA\r\nB\r\nfour"},
  };
  for (const auto& row : rows) {
    EditorOnHost e("one\r\ntwo\r\nthree\r\nfour");
    e.edit.SetInsertMode(row.insertMode);
    e.edit.SetCaretPos({3, 2});
    e.edit.ReplaceSelectionInMode(smLine, "A\r\nB\r\n", false);
    EXPECT_EQ(Lines(e.edit), row.result) << row.name;
    EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{1, 4})) << row.name;
  }
}

TEST(CodeEditSelection, SelectedTextRecordsUndo) {
  EditorOnHost e("hello world");
  e.edit.SetAnchorStart({7, 1});
  e.edit.SetAnchorEnd({12, 1});
  e.edit.SetSelectedText("there");
  EXPECT_EQ(Lines(e.edit), "hello there");
  const TCodeEditUndoList& undo = e.edit.UndoList();
  ASSERT_EQ(undo.ItemCount(), 2);
  EXPECT_EQ(undo.Item(0).ChangeKind, ckRemovedSelection);
  EXPECT_EQ(undo.Item(0).Text, "world");
  EXPECT_EQ(undo.Item(1).ChangeKind, ckInserted);
  EXPECT_EQ(undo.Item(1).StartPos, (TBufferCoord{7, 1}));
  EXPECT_EQ(undo.Item(1).EndPos, (TBufferCoord{12, 1}));
  EXPECT_EQ(undo.Item(0).GroupNumber, undo.Item(1).GroupNumber) << "one undo block";
}

TEST(CodeEditSelection, SelectionByIndexes) {
  EditorOnHost e("ab\r\ncde");
  e.edit.SetSelectionStart(1);
  e.edit.SetSelectionLength(4);
  EXPECT_EQ(e.edit.SelectedText(), "b\r\nc");
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{2, 2}));
  EXPECT_EQ(e.edit.SelectionStart(), 1);
  EXPECT_EQ(e.edit.SelectionLength(), 4);
  e.edit.SetSelectionStart(6);
  e.edit.SetSelectionLength(-4);
  EXPECT_EQ(e.edit.SelectedText(), "\r\ncd");
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{3, 1})) << "a backward selection has the caret at its start";
  e.edit.SetSelectionLength(-100);
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{1, 1}));
  e.edit.SelectAll();
  EXPECT_EQ(e.edit.SelectedText(), "ab\r\ncde");
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{4, 2}));
  EditorOnHost empty;
  empty.edit.SelectAll();
  EXPECT_EQ(empty.edit.CaretPos(), (TBufferCoord{1, 1}));
}

TEST(CodeEditSelection, InvalidationIsCollectedIntoOneRectangle) {
  EditorOnHost e(kFive);
  e.edit.SetCaretPos({2, 3});
  e.host.ClearRecords();
  e.edit.SetSelectedText("x");
  ASSERT_EQ(e.host.Invalidated.size(), 1u);
  EXPECT_EQ(e.host.Invalidated[0], (TRect{30, 2 * 16, 800, 3 * 16})) << "only the changed row";
  e.host.ClearRecords();
  e.edit.SetSelectedText("1\r\n2");
  ASSERT_EQ(e.host.Invalidated.size(), 1u);
  EXPECT_EQ(e.host.Invalidated[0].Top, 2 * 16);
  EXPECT_EQ(e.host.Invalidated[0].Bottom, 38 * 16) << "inserted lines repaint to the window end";
}

TEST(CodeEditSelection, ClearingResetsTheEditor) {
  EditorOnHost e(kFive);
  e.edit.SetCaretPos({3, 4});
  e.edit.SetSelectedText("x");
  e.statuses.clear();
  e.edit.Lines().Clear();
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{1, 1}));
  EXPECT_EQ(e.edit.UndoList().ItemCount(), 0);
  ASSERT_FALSE(e.statuses.empty());
  EXPECT_TRUE(e.statuses.back() & scAll);
}

TEST(CodeEditSelection, MarksFollowInsertedAndDeletedLines) {
  EditorOnHost e("1\r\n2\r\n3\r\n4\r\n5\r\n6");
  for (int line : {2, 3, 4, 6}) {
    auto mark = std::make_unique<TCodeEditMark>();
    mark->Line = line;
    e.edit.Marks().Add(std::move(mark));
  }
  auto lines = [&] {
    std::vector<int> result;
    for (int i = 0; i < e.edit.Marks().Count(); ++i) result.push_back(e.edit.Marks().Item(i).Line);
    return result;
  };
  // Joining line 1 with the rest of line 3 removes lines 2 and 3; their
  // marks move to line 1.
  e.edit.SetAnchorStart({2, 1});
  e.edit.SetAnchorEnd({2, 3});
  e.edit.SetSelectedText("");
  EXPECT_EQ(Lines(e.edit), "1\r\n4\r\n5\r\n6");
  EXPECT_EQ(lines(), (std::vector<int>{1, 1, 2, 4}));
  // Two lines inserted before line 2 push it and the lines below down.
  e.edit.SetCaretPos({1, 2});
  e.edit.SetSelectedText("a\r\nb\r\n");
  EXPECT_EQ(lines(), (std::vector<int>{1, 1, 4, 6}));
  // Typing a break inside line 1 inserts after it.
  e.edit.SetCaretPos({2, 1});
  e.edit.SetSelectedText("\r\n");
  EXPECT_EQ(lines(), (std::vector<int>{1, 1, 5, 7}));
}

class CountingCpp : public TCppHighlighter {
 public:
  TLineRange ScanLineRange(std::string_view text, int lineIndex) override {
    scanned.push_back(lineIndex);
    return TCppHighlighter::ScanLineRange(text, lineIndex);
  }
  std::vector<int> scanned;
};

TEST(CodeEditSelection, RangeRescanStopsWhereTheStateNoLongerChanges) {
  EditorOnHost e("int a;\r\nint b;\r\nint c;\r\nint d;\r\nint e;");
  CountingCpp cpp;
  e.edit.SetHighlighter(&cpp);
  EXPECT_EQ(cpp.scanned.size(), 5u) << "assigning scans every line";
  for (int i = 0; i < 5; ++i) EXPECT_EQ(e.edit.Lines().GetLineRange(i), crsNormal);

  cpp.scanned.clear();
  e.edit.SetCaretPos({4, 2});
  e.edit.SetSelectedText("x");
  EXPECT_EQ(cpp.scanned, (std::vector<int>{1})) << "an edit that changes no range scans its own line";

  cpp.scanned.clear();
  e.edit.SetCaretPos({1, 2});
  e.edit.SetSelectedText("/*");
  EXPECT_EQ(cpp.scanned, (std::vector<int>{1, 2, 3, 4})) << "an open comment runs to the end";
  for (int i = 1; i < 5; ++i) EXPECT_EQ(e.edit.Lines().GetLineRange(i), crsBlockComment) << i;

  cpp.scanned.clear();
  e.edit.SetCaretPos({7, 3});
  e.edit.SetSelectedText("*/");
  EXPECT_EQ(cpp.scanned, (std::vector<int>{2, 3, 4})) << "closing it rescans the lines it reopens";
  EXPECT_EQ(e.edit.Lines().GetLineRange(2), crsNormal);
  EXPECT_EQ(e.edit.Lines().GetLineRange(4), crsNormal);

  cpp.scanned.clear();
  e.edit.SetCaretPos({1, 1});
  e.edit.SetSelectedText("/*\r\n\r\n");
  EXPECT_EQ(e.edit.Lines().GetLineRange(0), crsBlockComment);
  EXPECT_EQ(e.edit.Lines().GetLineRange(1), crsBlockComment);
  EXPECT_EQ(e.edit.Lines().GetLineRange(2), crsBlockComment);
  EXPECT_EQ(e.edit.Lines().GetLineRange(3), crsBlockComment);
  EXPECT_EQ(e.edit.Lines().GetLineRange(4), crsNormal) << "the old closing line now ends the comment";
  e.edit.SetHighlighter(nullptr);
}

}  // namespace
}  // namespace vantrel
