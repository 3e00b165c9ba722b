// Text-changing commands at the caret: the deletions, line breaks with
// indentation, typing and input-method strings, each undone once more.
#include <gtest/gtest.h>

#include "CommandTestUtil.h"

namespace vantrel {
namespace {

struct Row {
  const char* name;
  const char* text;
  TBufferCoord caret;
  TCodeEditorCommand command;
  const char* result;
  TBufferCoord caretAfter;
  TCodeEditorOptions on = 0;
  TCodeEditorOptions off = 0;
  int tabWidth = 8;
  const char* arg = nullptr;  // the character typed or the input-method string
  bool overwrite = false;
  int codePage = 1252;
};

void RunRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    ActiveCodePage codePage(row.codePage);
    CommandEditor c(row.text);
    c.Options(row.on, row.off);
    c.Edit().SetTabWidth(row.tabWidth);
    if (row.overwrite) c.Run(ecOverwriteMode);
    c.Go(row.caret.X, row.caret.Y);
    ASSERT_EQ(c.Caret(), row.caret) << row.name << ": set-up";
    const std::string before = c.Text();
    if (row.command == ecImeStr) {
      std::string text(row.arg);
      c.Run(ecImeStr, 0, text.data());
    } else {
      c.Run(row.command, row.arg ? row.arg[0] : '\0');
    }
    EXPECT_EQ(c.Text(), row.result) << row.name;
    EXPECT_EQ(c.Caret(), row.caretAfter) << row.name;
    while (c.Edit().CanUndo()) c.Run(ecUndo);
    EXPECT_EQ(c.Text(), before) << row.name << ": undo";
    while (c.Edit().CanRedo()) c.Run(ecRedo);
    EXPECT_EQ(c.Text(), row.result) << row.name << ": redo";
  }
}

constexpr TCodeEditorOptions kSmart = OptionBit(eoSmartTabDelete) | OptionBit(eoAutoIndent);

TEST(TextCommands, Backspace) {
  RunRows({
      {"column 1 of line 1 does nothing", "ab", {1, 1}, ecDeleteLastChar, "ab", {1, 1}},
      {"column 1 joins with the line above", "ab\r\ncd", {1, 2}, ecDeleteLastChar, "abcd", {3, 1}},
      {"one character", "abc", {3, 1}, ecDeleteLastChar, "ac", {2, 1}},
      {"smart: back to the indentation above", "  x\r\n    y", {5, 2}, ecDeleteLastChar, "  x\r\n  y", {3, 2},
       kSmart},
      {"smart: nothing indented less above", "    y", {5, 1}, ecDeleteLastChar, "y", {1, 1}, kSmart},
      {"smart off: back to the tab stop", "      y", {7, 1}, ecDeleteLastChar, "    y", {5, 1},
       OptionBit(eoAutoIndent), OptionBit(eoSmartTabDelete), 4},
      {"smart off: a tab goes alone", "\t\ty", {3, 1}, ecDeleteLastChar, "\ty", {2, 1}, OptionBit(eoAutoIndent),
       OptionBit(eoSmartTabDelete), 4},
      {"without auto indent blanks go one by one", "    y", {5, 1}, ecDeleteLastChar, "   y", {4, 1}, 0,
       OptionBit(eoAutoIndent)},
      {"past the end: to the line end", "ab", {6, 1}, ecDeleteLastChar, "ab", {3, 1}, kSmart},
      {"past the end of an empty line: to the indentation above", "  x\r\n\r\n", {7, 2}, ecDeleteLastChar, "  x\r\n",
       {3, 2}, kSmart},
      {"past the end without smart delete: one column", "ab", {6, 1}, ecDeleteLastChar, "ab", {5, 1}, 0,
       OptionBit(eoSmartTabDelete)},
      {"last word", "foo bar", {8, 1}, ecDeleteLastWord, "foo ", {5, 1}},
      {"last word at column 1 joins", "foo\r\nbar", {1, 2}, ecDeleteLastWord, "foobar", {4, 1}},
      {"to the line start", "foo bar", {5, 1}, ecDeleteBOL, "bar", {1, 1}},
      {"to the line start from past the end", "foo", {7, 1}, ecDeleteBOL, "", {1, 1}},
  });
}

TEST(TextCommands, DeleteForward) {
  RunRows({
      {"one character", "abc", {2, 1}, ecDeleteChar, "ac", {2, 1}},
      {"at the end joins the next line", "ab\r\ncd", {3, 1}, ecDeleteChar, "abcd", {3, 1}},
      {"past the end pads, then joins", "ab\r\ncd", {5, 1}, ecDeleteChar, "ab  cd", {5, 1}},
      {"at the end of the last line does nothing", "ab", {3, 1}, ecDeleteChar, "ab", {3, 1}},
      {"word on a space: the run of spaces", "a   b\r\nc", {2, 1}, ecDeleteWord, "ab\r\nc", {2, 1}},
      {"word on punctuation: it and the spaces after", "a. b\r\nc", {2, 1}, ecDeleteWord, "ab\r\nc", {2, 1}},
      {"word after the last character: the break and leading spaces", "ab\r\n  cd", {3, 1}, ecDeleteWord, "abcd",
       {3, 1}},
      {"word inside a word: the rest and the spaces", "abc  def", {2, 1}, ecDeleteWord, "adef", {2, 1}},
      {"word past the end pads the gap", "ab\r\ncd", {5, 1}, ecDeleteWord, "ab  cd", {5, 1}},
      {"word on a double-byte symbol: the whole pair", "a\xA1\xA3 b\r\nc", {2, 1}, ecDeleteWord, "ab\r\nc", {2, 1},
       0, 0, 8, nullptr, false, 936},
      {"to the line end", "abc def", {3, 1}, ecDeleteEOL, "ab", {3, 1}},
      {"a middle line", "a\r\nb\r\nc", {1, 2}, ecDeleteLine, "a\r\nc", {1, 2}},
      {"the last line is emptied", "a\r\nb", {2, 2}, ecDeleteLine, "a\r\n", {1, 2}},
      {"an empty last line stays", "a\r\n\r\n", {1, 2}, ecDeleteLine, "a\r\n", {1, 2}},
  });
}

TEST(TextCommands, LineBreaks) {
  RunRows({
      {"empty line under a tab-indented line", "\tx\r\n\r\n", {1, 2}, ecLineBreak, "\tx\r\n\r\n", {9, 3},
       OptionBit(eoAutoIndent) | OptionBit(eoScrollPastEol)},
      {"inside an indented line, tabs to spaces", "    abc", {7, 1}, ecLineBreak, "    ab\r\n    c", {5, 2},
       OptionBit(eoAutoIndent) | OptionBit(eoTabsToSpaces)},
      {"inside a tab-indented line with tabs allowed", "\t\tab", {4, 1}, ecLineBreak, "\t\ta\r\n\t\tb", {3, 2},
       OptionBit(eoAutoIndent), OptionBit(eoTabsToSpaces), 4},
      {"without auto indent", "    abc", {7, 1}, ecLineBreak, "    ab\r\nc", {1, 2}, 0, OptionBit(eoAutoIndent)},
      {"at column 1", "abc", {1, 1}, ecLineBreak, "\r\nabc", {1, 2}},
      {"past the end copies the indentation", "\t ab", {6, 1}, ecLineBreak, "\t ab\r\n\t ", {3, 2},
       OptionBit(eoAutoIndent)},
      {"insert line leaves the caret", "abc", {2, 1}, ecInsertLine, "a\r\nbc", {2, 1}},
      {"insert line past the end adds an empty line", "  ab", {6, 1}, ecInsertLine, "  ab\r\n", {6, 1}},
  });
}

TEST(TextCommands, Typing) {
  RunRows({
      {"insert", "ac", {2, 1}, ecChar, "abc", {3, 1}, 0, 0, 8, "b"},
      {"overwrite replaces the character", "abc", {2, 1}, ecChar, "aXc", {3, 1}, 0, 0, 8, "X", true},
      {"overwrite at the end appends", "ab", {3, 1}, ecChar, "abX", {4, 1}, 0, 0, 8, "X", true},
      {"past the end pads with spaces", "ab", {5, 1}, ecChar, "ab  x", {6, 1}, 0, 0, 8, "x"},
      {"past the end of a blank line rebuilds tabs", "  ", {11, 1}, ecChar, "\t  x", {5, 1}, 0,
       OptionBit(eoTabsToSpaces), 8, "x"},
      {"control characters are ignored", "ab", {2, 1}, ecChar, "ab", {2, 1}, 0, 0, 8, "\x01"},
      {"delete character is ignored", "ab", {2, 1}, ecChar, "ab", {2, 1}, 0, 0, 8, "\x7f"},
      {"input method string", "abc", {2, 1}, ecImeStr, "aXYbc", {4, 1}, 0, 0, 8, "XY"},
      {"input method string overwrites", "abcd", {2, 1}, ecImeStr, "aXYd", {4, 1}, 0, 0, 8, "XY", true},
      {"input method string past the end", "ab", {4, 1}, ecImeStr, "ab XY", {6, 1}, 0, 0, 8, "XY"},
  });
}

TEST(TextCommands, TypedLettersUndoTogetherOnlyWithGroupUndo) {
  for (bool group : {true, false}) {
    CommandEditor c("");
    c.Options(group ? OptionBit(eoGroupUndo) : 0, group ? 0 : OptionBit(eoGroupUndo));
    c.Type("abc");
    c.Run(ecUndo);
    EXPECT_EQ(c.Text(), group ? "" : "ab") << group;
    c.Run(ecRedo);
    EXPECT_EQ(c.Text(), "abc") << group;
  }
}

TEST(TextCommands, BackspaceJoinRecordsTheLineBreak) {
  CommandEditor c("ab\r\ncd");
  c.Go(1, 2);
  c.Run(ecDeleteLastChar);
  const TCodeEditUndoItem* item = c.Edit().UndoList().Newest();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ChangeKind, ckBackspaced);
  EXPECT_EQ(item->Text, "\r\n");
}

TEST(TextCommands, ModifiedFollowsTheSavedPosition) {
  for (bool group : {true, false}) {
    CommandEditor c("");
    c.Options(group ? OptionBit(eoGroupUndo) : 0, group ? 0 : OptionBit(eoGroupUndo));
    c.Type("a");
    c.Edit().SetModified(false);  // saved
    c.Run(ecRight);
    c.Type("b");
    EXPECT_TRUE(c.Edit().Modified());
    c.Run(ecUndo);
    EXPECT_FALSE(c.Edit().Modified()) << group << ": back at the saved position";
    c.Run(ecUndo);
    EXPECT_TRUE(c.Edit().Modified()) << group;
    c.Run(ecRedo);
    EXPECT_FALSE(c.Edit().Modified()) << group;
    // A new edit after undoing drops what could have been redone.
    c.Type("c");
    EXPECT_FALSE(c.Edit().CanRedo());
  }
}

TEST(TextCommands, ClearAllEmptiesHistoryAndMarks) {
  CommandEditor c("one\r\ntwo");
  c.Go(1, 2);
  c.Run(ecSetMarker0);
  c.Type("x");
  c.Run(ecClearAll);
  EXPECT_EQ(c.Text(), "");
  EXPECT_FALSE(c.Edit().Modified());
  EXPECT_FALSE(c.Edit().CanUndo());
  EXPECT_FALSE(c.Edit().CanRedo());
  EXPECT_EQ(c.Edit().Marks().Count(), 0);
  EXPECT_EQ(c.Edit().Bookmarks()[0], nullptr);
  // The cleared state is the saved one: typing and undoing returns to it.
  c.Type("y");
  EXPECT_TRUE(c.Edit().Modified());
  c.Run(ecUndo);
  EXPECT_FALSE(c.Edit().Modified());
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Reloading the text after a save empties the history; undoing back to the
// reloaded text must count as unmodified again.
TEST(UndoSavedState, ReloadAfterSaveThenEditAndUndoIsUnmodified) {
  CommandEditor c("abc");
  c.Type("x");
  c.Edit().SetModified(false);  // saved with a non-empty history
  c.Edit().Lines().LoadFromBytes("fresh\ntext");
  EXPECT_FALSE(c.Edit().Modified());
  c.Type("y");
  EXPECT_TRUE(c.Edit().Modified());
  c.Run(ecUndo);
  EXPECT_FALSE(c.Edit().Modified());
  EXPECT_EQ(c.Text(), "fresh\r\ntext");
}

}  // namespace
}  // namespace vantrel
