// Tab and Shift+Tab, block indentation and case conversion, each checked
// with undo and redo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Assert.h"
#include "CommandTestUtil.h"

namespace vantrel {
namespace {

// In place of a selection end: the row only places the caret.
constexpr TBufferCoord kCaretOnly{0, 0};

struct Row {
  const char* name;
  const char* text;
  TBufferCoord from;  // selection start, or the caret
  TBufferCoord to;
  TCodeEditorCommand command;
  const char* result;
  TBufferCoord caretAfter;
  TCodeEditorOptions on = 0;
  TCodeEditorOptions off = 0;
  int tabWidth = 4;
  const char* selectedAfter = nullptr;
  TSelectionMode mode = smNormal;
  int codePage = 1252;
};

void RunRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    ActiveCodePage codePage(row.codePage);
    CommandEditor c(row.text);
    c.Options(row.on, row.off);
    c.Edit().SetTabWidth(row.tabWidth);
    if (row.to == kCaretOnly) {
      c.Go(row.from.X, row.from.Y);
    } else {
      c.Select(row.from, row.to, row.mode);
    }
    const std::string before = c.Text();
    c.Run(row.command);
    EXPECT_EQ(c.Text(), row.result) << row.name;
    EXPECT_EQ(c.Caret(), row.caretAfter) << row.name;
    if (row.selectedAfter) {
      EXPECT_EQ(c.Edit().SelectedText(), row.selectedAfter) << row.name;
    }
    while (c.Edit().CanUndo()) c.Run(ecUndo);
    EXPECT_EQ(c.Text(), before) << row.name << ": undo";
    while (c.Edit().CanRedo()) c.Run(ecRedo);
    EXPECT_EQ(c.Text(), row.result) << row.name << ": redo";
  }
}

constexpr TCodeEditorOptions kSpaces = OptionBit(eoTabsToSpaces);
constexpr TCodeEditorOptions kSmart = OptionBit(eoSmartTabs);
constexpr TCodeEditorOptions kTabIndent = OptionBit(eoTabIndent);

TEST(IndentCommands, Tab) {
  RunRows({
      {"spaces to the next stop", "ab", {2, 1}, kCaretOnly, ecTab, "a   b", {5, 1}, kSpaces, kSmart},
      {"a tab character", "ab", {2, 1}, kCaretOnly, ecTab, "a\tb", {3, 1}, 0, kSpaces | kSmart},
      {"smart: to the next word of the line above", "foo   bar\r\nx", {2, 2}, kCaretOnly, ecTab, "foo   bar\r\nx     ",
       {7, 2}, kSpaces | kSmart},
      {"smart with tabs: blanks reaching the word above", "\tfoo   bar\r\n\r\n", {1, 2}, kCaretOnly, ecTab,
       "\tfoo   bar\r\n\t", {2, 2}, kSmart, kSpaces},
      {"replaces a selection", "abcd", {2, 1}, {4, 1}, ecTab, "a   d", {5, 1}, kSpaces, kSmart},
      {"indents a multi-line selection", "a\r\nb", {1, 1}, {2, 2}, ecTab, "    a\r\n    b", {6, 2},
       kSpaces | kTabIndent, kSmart},
      {"indents a whole-line selection and keeps it whole", "ab", {1, 1}, {3, 1}, ecTab, "    ab", {7, 1},
       kSpaces | kTabIndent, kSmart, 4, "    ab"},
  });
}

TEST(IndentCommands, ShiftTab) {
  RunRows({
      {"eight spaces lose four", "        x", {9, 1}, kCaretOnly, ecShiftTab, "    x", {5, 1}, 0, kSmart},
      {"a tab goes alone", "\t\tx", {3, 1}, kCaretOnly, ecShiftTab, "\tx", {2, 1}, 0, kSmart},
      {"past the end only the caret moves", "ab", {8, 1}, kCaretOnly, ecShiftTab, "ab", {5, 1}, 0, kSmart},
      {"smart: back to the word start above", "ab  cd\r\n      x", {7, 2}, kCaretOnly, ecShiftTab, "ab  cd\r\n    x",
       {5, 2}, kSmart},
      {"smart never removes text", "x   y\r\nab cd", {6, 2}, kCaretOnly, ecShiftTab, "x   y\r\nab cd", {6, 2}, kSmart},
      {"unindents a multi-line selection", "    a\r\n\tb\r\n  c", {1, 1}, {2, 3}, ecShiftTab, "a\r\nb\r\nc",
       {1, 3}, kTabIndent},
  });
}

TEST(IndentCommands, BlockIndentAndUnindent) {
  RunRows({
      {"a block ending at column 1 leaves its last line", "a\r\nb\r\nc\r\nd", {1, 1}, {1, 4}, ecBlockIndent,
       "    a\r\n    b\r\n    c\r\nd", {1, 4}, kSpaces},
      {"with tabs", "a\r\nb", {1, 1}, {2, 2}, ecBlockIndent, "\ta\r\n\tb", {3, 2}, 0, kSpaces},
      {"unindent removes one unit per line", "      a\r\n\t\tb", {1, 1}, {2, 2}, ecBlockUnindent,
       "  a\r\n\tb", {1, 2}},
      {"unindent takes spaces before a tab", "  \ta", {1, 1}, {5, 1}, ecBlockUnindent, "a", {2, 1}},
      {"unindent with nothing to remove", "a\r\nb", {1, 1}, {2, 2}, ecBlockUnindent, "a\r\nb", {2, 2}},
      {"nothing without a selection", "a", {1, 1}, kCaretOnly, ecBlockIndent, "a", {1, 1}},
  });
}

TEST(IndentCommands, CaseConversion) {
  RunRows({
      {"upper case word keeps the caret", "hello world", {3, 1}, kCaretOnly, ecUpperCase, "HELLO world", {3, 1}},
      {"title case word", "hELLO", {2, 1}, kCaretOnly, ecTitleCase, "Hello", {2, 1}},
      {"lower case word", "HeLLo x", {6, 1}, kCaretOnly, ecLowerCase, "hello x", {6, 1}},
      {"toggle case word", "aBc", {1, 1}, kCaretOnly, ecToggleCase, "AbC", {1, 1}},
      {"on blanks: the word before", "abc   ", {6, 1}, kCaretOnly, ecUpperCase, "ABC   ", {6, 1}},
      {"block keeps the selection", "aBc d", {1, 1}, {4, 1}, ecToggleCaseBlock, "AbC d", {4, 1}, 0, 0, 4, "AbC"},
      {"block without a selection: one character", "abc", {2, 1}, kCaretOnly, ecUpperCaseBlock, "aBc", {3, 1}},
      {"block past the end goes to the next line", "ab\r\ncd", {5, 1}, kCaretOnly, ecUpperCaseBlock, "ab\r\ncd", {1, 2}},
      {"a double-byte pair whose trail looks like a letter stays", "x\x81\x61y", {1, 1}, {5, 1}, ecUpperCaseBlock,
       "X\x81\x61Y", {5, 1}, 0, 0, 4, "X\x81\x61Y", smNormal, 936},
  });
}

TEST(IndentCommands, IndentsNeverMergeInUndo) {
  CommandEditor c("a\r\nb");
  c.Options(OptionBit(eoGroupUndo) | kSpaces);
  c.Edit().SetTabWidth(2);
  c.Select({1, 1}, {2, 2});
  c.Run(ecBlockIndent);
  c.Run(ecBlockIndent);
  EXPECT_EQ(c.Text(), "    a\r\n    b");
  c.Run(ecUndo);
  EXPECT_EQ(c.Text(), "  a\r\n  b");
  c.Run(ecUndo);
  EXPECT_EQ(c.Text(), "a\r\nb");
}

TEST(IndentCommands, CaseCommandOutsideTheRangeIsABrokenInvariant) {
  CommandEditor c("a");
  EXPECT_THAT([&] { c.Edit().ChangeCase(ecUndo); },
              testing::ThrowsMessage<EAssertionFailure>(testing::StartsWith("Assertion failure (CodeEdit:")));
}

}  // namespace
}  // namespace vantrel
