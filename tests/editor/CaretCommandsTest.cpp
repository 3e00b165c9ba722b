// Caret movement, scrolling, word selection, bookmarks and the read-only
// guard, driven through the command pipeline.
#include <gtest/gtest.h>

#include "CommandTestUtil.h"

namespace vantrel {
namespace {

std::string ManyLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(CaretCommands, HomeAndEndToggle) {
  struct Row {
    const char* name;
    const char* text;
    TCodeEditorOptions options;
    TBufferCoord start;
    TCodeEditorCommand command;
    std::vector<int> columns;  // after each press
  };
  const Row rows[] = {
      {"home toggles between indentation and column 1", "  x", Opt(eoEnhanceHomeKey), {4, 1}, ecLineStart,
       {3, 1, 3}},
      {"plain home goes to column 1", "  x", 0, {4, 1}, ecLineStart, {1, 1}},
      {"home inside the indentation goes to column 1", "    x", Opt(eoEnhanceHomeKey), {3, 1}, ecLineStart, {1, 5}},
      {"end stops after the last non-blank, then at the end", "ab  ", Opt(eoEnhanceEndKey), {1, 1}, ecLineEnd,
       {3, 5, 3}},
      {"plain end goes to the end", "ab  ", 0, {1, 1}, ecLineEnd, {5, 5}},
  };
  for (const Row& row : rows) {
    CommandEditor c(row.text);
    c.Options(row.options, Opt(eoEnhanceHomeKey) | Opt(eoEnhanceEndKey));
    c.Options(row.options);
    c.Go(row.start.X, row.start.Y);
    for (size_t i = 0; i < row.columns.size(); ++i) {
      c.Run(row.command);
      EXPECT_EQ(c.Caret().X, row.columns[i]) << row.name << ", press " << i + 1;
    }
  }
}

TEST(CaretCommands, PageMovesByTheWindowRows) {
  struct Row {
    const char* name;
    TCodeEditorOptions options;
    int caretY;
    int topLine;
  };
  // A window of 20 rows (320 pixels at 16 per row).
  const Row rows[] = {
      {"whole page", 0, 21, 21},
      {"half page", Opt(eoHalfPageScroll), 11, 11},
      {"one less", Opt(eoScrollByOneLess), 20, 20},
      {"half page, one less", Opt(eoHalfPageScroll) | Opt(eoScrollByOneLess), 10, 10},
  };
  for (const Row& row : rows) {
    CommandEditor c(ManyLines(100), 800, 320);
    ASSERT_EQ(c.Edit().VisibleRows(), 20);
    c.Options(row.options);
    c.Run(ecPageDown);
    EXPECT_EQ(c.Caret().Y, row.caretY) << row.name;
    EXPECT_EQ(c.Edit().TopLine(), row.topLine) << row.name;
    c.Run(ecPageUp);
    EXPECT_EQ(c.Caret().Y, 1) << row.name;
    EXPECT_EQ(c.Edit().TopLine(), 1) << row.name;
  }
}

TEST(CaretCommands, ColumnsWrapAtLineEndsOnlyWithoutScrollPastEol) {
  struct Row {
    const char* name;
    bool pastEol;
    TBufferCoord start;
    TCodeEditorCommand command;
    TBufferCoord end;
  };
  const Row rows[] = {
      {"left at column 1 goes up", false, {1, 2}, ecLeft, {4, 1}},
      {"left at column 1 stays with past-eol", true, {1, 2}, ecLeft, {1, 2}},
      {"right at the end goes down", false, {4, 1}, ecRight, {1, 2}},
      {"right at the end walks on with past-eol", true, {4, 1}, ecRight, {5, 1}},
      {"left at the start of the text stays", false, {1, 1}, ecLeft, {1, 1}},
      {"right at the end of the text stays", false, {3, 2}, ecRight, {3, 2}},
      {"word right at the last word goes to the line end", true, {1, 1}, ecWordRight, {4, 1}},
      {"word right at the line end goes down", true, {4, 1}, ecWordRight, {1, 2}},
      {"word right on the last character stops at the line end", true, {3, 1}, ecWordRight, {4, 1}},
      {"word left from the second line", true, {1, 2}, ecWordLeft, {4, 1}},
      {"editor bottom", true, {1, 1}, ecEditorBottom, {3, 2}},
      {"down keeps the column", true, {2, 1}, ecDown, {2, 2}},
  };
  for (const Row& row : rows) {
    CommandEditor c("abc\r\nde");
    c.Options(row.pastEol ? Opt(eoScrollPastEol) : 0, row.pastEol ? 0 : Opt(eoScrollPastEol));
    c.Go(row.start.X, row.start.Y);
    c.Run(row.command);
    EXPECT_EQ(c.Caret(), row.end) << row.name;
  }
}

TEST(CaretCommands, SelectingTwinsExtendFromTheOldCaret) {
  CommandEditor c("foo bar\r\nbaz");
  c.Go(2, 1);
  c.Run(ecSelRight);
  c.Run(ecSelRight);
  EXPECT_EQ(c.Edit().SelectedText(), "oo");
  c.Run(ecSelDown);
  EXPECT_EQ(c.Edit().SelectedText(), "oo bar\r\nbaz");
  c.Run(ecRight);  // a plain move collapses the selection
  EXPECT_FALSE(c.Edit().HasSelection());
  c.Go(5, 1);
  c.Run(ecSelWord);
  EXPECT_EQ(c.Edit().SelectedText(), "bar");
  EXPECT_EQ(c.Caret(), (TBufferCoord{8, 1}));
}

TEST(CaretCommands, ScrollKeepsTheCaretInTheWindow) {
  CommandEditor c(ManyLines(100), 800, 320);
  c.Run(ecScrollDown);
  EXPECT_EQ(c.Edit().TopLine(), 2);
  EXPECT_EQ(c.Caret().Y, 2);  // dragged along from the top row
  c.Go(1, 10);
  c.Run(ecScrollUp);
  EXPECT_EQ(c.Edit().TopLine(), 1);
  EXPECT_EQ(c.Caret().Y, 10);
}

TEST(CaretCommands, CaretMovesEndUndoGroups) {
  CommandEditor c("abc");
  c.Run(ecRight);
  EXPECT_EQ(c.Edit().UndoList().ItemCount(), 0);  // nothing to end yet
  c.Type("x");
  c.Run(ecRight);
  c.Run(ecLeft);
  EXPECT_EQ(c.Edit().UndoList().NewestKind(), ckGroupEnd);
  EXPECT_EQ(c.Edit().UndoList().ItemCount(), 2);  // one group end, not two
}

TEST(CaretCommands, Bookmarks) {
  CommandEditor c("one\r\ntwo\r\nthree");
  int cleared = 0;
  c.Edit().OnClearBookmark = [&](TCustomCodeEdit&, TCodeEditMark*&) { ++cleared; };
  c.Go(2, 2);
  c.Run(ecSetMarker0 + 3);
  ASSERT_NE(c.Edit().Bookmarks()[3], nullptr);
  EXPECT_EQ(c.Edit().Bookmarks()[3]->Line, 2);
  c.Go(1, 1);
  c.Run(ecGotoMarker0 + 3);
  EXPECT_EQ(c.Caret(), (TBufferCoord{2, 2}));
  // Elsewhere the key moves the mark; on its own line it removes it.
  c.Go(1, 3);
  c.Run(ecSetMarker0 + 3);
  EXPECT_EQ(c.Edit().Bookmarks()[3]->Line, 3);
  c.Run(ecSetMarker0 + 3);
  EXPECT_EQ(c.Edit().Bookmarks()[3], nullptr);
  EXPECT_EQ(c.Edit().Marks().Count(), 0);
  EXPECT_EQ(cleared, 2);
  // Out of range requests are ignored.
  c.Edit().PlaceBookmark(10, 1, 1);
  c.Edit().PlaceBookmark(1, 1, 9);
  EXPECT_EQ(c.Edit().Marks().Count(), 0);
  // A handler may cancel a bookmark.
  c.Edit().OnPlaceBookmark = [](TCustomCodeEdit&, TCodeEditMark*& mark) { mark = nullptr; };
  c.Run(ecSetMarker0 + 1);
  EXPECT_EQ(c.Edit().Bookmarks()[1], nullptr);
  // Without the keys option the commands do nothing.
  c.Edit().OnPlaceBookmark = nullptr;
  c.Edit().BookMarkOptions().SetEnableKeys(false);
  c.Run(ecSetMarker0 + 1);
  EXPECT_EQ(c.Edit().Bookmarks()[1], nullptr);
}

TEST(CaretCommands, ReadOnlyIgnoresEditingButNotMoving) {
  CommandEditor c("abc");
  c.Edit().SetReadOnly(true);
  for (TCodeEditorCommand command : {ecDeleteChar, ecDeleteLastChar, ecLineBreak, ecTab, ecDeleteLine, ecCut,
                                     ecPaste, ecUpperCase, ecBlockIndent}) {
    c.Run(command);
  }
  c.Run(ecChar, 'x');
  EXPECT_EQ(c.Text(), "abc");
  EXPECT_FALSE(c.Edit().Modified());
  c.Run(ecRight);
  EXPECT_EQ(c.Caret().X, 2);
}

TEST(CaretCommands, ContextHelpGetsTheWordAtTheCaret) {
  CommandEditor c("foo bar");
  std::string word = "unset";
  c.Edit().OnContextHelp = [&](TCustomCodeEdit&, const std::string& w) { word = w; };
  c.Go(6, 1);
  c.Run(ecContextHelp);
  EXPECT_EQ(word, "bar");
  c.Go(4, 1);
  c.Run(ecContextHelp);
  EXPECT_EQ(word, "foo");
}

}  // namespace
}  // namespace vantrel
