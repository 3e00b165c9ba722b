// Copy, cut and paste: the block format carries the selection mode from one
// editor to another, plain text comes from other programs, and clipboard
// failures are reported without leaving an undo block open.
#include <gtest/gtest.h>

#include "CommandTestUtil.h"

namespace vantrel {
namespace {

TEST(ClipboardCommands, BlockFormatRoundTripsTheModeBetweenEditors) {
  struct Row {
    const char* name;
    const char* source;
    TBufferCoord from;
    TBufferCoord to;
    TSelectionMode mode;
    const char* copied;
    const char* target;
    TBufferCoord at;
    const char* pasted;
  };
  const Row rows[] = {
      {"normal", "hello world", {1, 1}, {6, 1}, smNormal, "hello", "xy", {2, 1}, "xhelloy"},
      {"normal over lines", "ab\r\ncd", {2, 1}, {2, 2}, smNormal, "b\r\nc", "xy", {2, 1}, "xb\r\ncy"},
      {"column into the middle of lines, past the end", "abc\r\ndef\r\nghi", {2, 1}, {3, 3}, smColumn,
       "b\r\ne\r\nh", "12345\r\n12345", {3, 1}, "12b345\r\n12e345\r\n  h"},
      {"column pads short lines", "abc\r\nd\r\nghi", {2, 1}, {4, 3}, smColumn, "bc\r\n  \r\nhi", "", {1, 1},
       "bc\r\n  \r\nhi"},
      {"line", "one\r\ntwo\r\nthree", {1, 2}, {2, 2}, smLine, "two\r\n", "a\r\nb", {2, 2}, "a\r\ntwo\r\nb"},
      {"line at the end of the text", "one\r\ntwo", {1, 2}, {2, 2}, smLine, "two", "a\r\nb", {1, 1},
       "two\r\na\r\nb"},
  };
  for (const Row& row : rows) {
    FakeClipboard shared;
    CommandEditor a(row.source);
    CommandEditor b(row.target);
    a.Edit().SetClipboard(&shared);
    b.Edit().SetClipboard(&shared);
    a.Select(row.from, row.to, row.mode);
    a.Run(ecCopy);
    EXPECT_EQ(shared.GetText(), row.copied) << row.name;
    const std::optional<std::string> block = shared.GetData(shared.RegisterFormat("CodeEdit Control Block Type"));
    ASSERT_TRUE(block.has_value()) << row.name;
    EXPECT_EQ(*block, std::string(1, static_cast<char>(row.mode)) + row.copied + std::string(1, '\0')) << row.name;

    const std::string before = b.Text();
    b.Go(row.at.X, row.at.Y);
    b.Run(ecPaste);
    EXPECT_EQ(b.Text(), row.pasted) << row.name;
    EXPECT_EQ(b.Edit().SelectionMode(), smNormal) << row.name << ": the target keeps its own mode";
    b.Run(ecUndo);
    EXPECT_EQ(b.Text(), before) << row.name << ": one undo takes the paste back";
    b.Run(ecRedo);
    EXPECT_EQ(b.Text(), row.pasted) << row.name;
    EXPECT_FALSE(shared.IsOpen) << row.name;
  }
}

TEST(ClipboardCommands, PlainTextFromAnotherProgramPastesInTheActiveMode) {
  CommandEditor c("abc\r\nabc");
  ASSERT_TRUE(c.clipboard.Open());
  c.clipboard.SetText("1\r\n2");
  c.clipboard.Close();
  EXPECT_TRUE(c.Edit().CanPaste());
  c.Go(2, 1);
  c.Run(ecColumnSelect);
  c.Run(ecPaste);
  EXPECT_EQ(c.Text(), "a1bc\r\na2bc");
  c.Run(ecUndo);
  EXPECT_EQ(c.Text(), "abc\r\nabc");
}

TEST(ClipboardCommands, CutIsOneUndoStep) {
  CommandEditor c("one two three");
  c.Select({5, 1}, {9, 1});
  c.Run(ecCut);
  EXPECT_EQ(c.Text(), "one three");
  EXPECT_EQ(c.clipboard.GetText(), "two ");
  c.Run(ecUndo);
  EXPECT_EQ(c.Text(), "one two three");
  EXPECT_EQ(c.Edit().SelectedText(), "two ");
}

TEST(ClipboardCommands, ColumnCopyPadsEvenWhenTrimming) {
  CommandEditor c("abc\r\nd\r\nghi");
  c.Options(Opt(eoTrimTrailingSpaces));
  c.Select({2, 1}, {4, 3}, smColumn);
  EXPECT_EQ(c.Edit().SelectedText(), "bc\r\n\r\nhi");
  c.Run(ecCopy);
  EXPECT_EQ(c.clipboard.GetText(), "bc\r\n  \r\nhi");
}

TEST(ClipboardCommands, FailuresAreReportedAndLeaveNothingOpen) {
  CommandEditor c("abc");
  c.Select({1, 1}, {3, 1});
  c.clipboard.RefuseOpen = true;
  try {
    c.Run(ecCopy);
    FAIL() << "copy should fail";
  } catch (const ECodeEditError& error) {
    EXPECT_STREQ(error.what(), "Clipboard copy operation failed");
  }
  EXPECT_FALSE(c.Edit().CanPaste());
  c.Run(ecPaste);  // nothing to paste from a clipboard that will not open
  EXPECT_EQ(c.Text(), "abc");

  // A block without its mode byte cannot be pasted.
  c.clipboard.RefuseOpen = false;
  ASSERT_TRUE(c.clipboard.Open());
  c.clipboard.SetData(c.clipboard.RegisterFormat(TCustomCodeEdit::kBlockFormatName), "");
  c.clipboard.Close();
  try {
    c.Run(ecPaste);
    FAIL() << "paste should fail";
  } catch (const ECodeEditError& error) {
    EXPECT_STREQ(error.what(), "Clipboard paste operation failed.");
  }
  EXPECT_EQ(c.Edit().UndoList().BlockCount(), 0);
  EXPECT_FALSE(c.clipboard.IsOpen);
  EXPECT_EQ(c.Text(), "abc");

  // No clipboard at all: nothing to paste, and copying reports the failure.
  c.Edit().SetClipboard(nullptr);
  EXPECT_FALSE(c.Edit().CanPaste());
  EXPECT_THROW(c.Run(ecCopy), ECodeEditError);
}

}  // namespace
}  // namespace vantrel
