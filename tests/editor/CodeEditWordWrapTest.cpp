// The word-wrap layout: row breaking, coordinate mapping, buffer changes,
// wide windows, double-byte text.
#include <gtest/gtest.h>

#include <random>

#include "EditorTestUtil.h"
#include "editor/CodeEditWordWrap.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

// An editor whose text area is `columns` cells wide, word wrap on.
struct Wrapped {
  explicit Wrapped(std::string_view text, int columns = 20) : e(text, 32 + columns * 8, 600) {
    e.edit.SetWordWrap(true);
  }
  TWordWrapPlugin& Plugin() { return *dynamic_cast<TWordWrapPlugin*>(e.edit.WordWrapPlugin()); }
  std::vector<int> Rows() {
    std::vector<int> rows;
    for (int r = 1; r <= Plugin().TotalRows(); ++r) rows.push_back(Plugin().RowCellCount(r));
    return rows;
  }
  EditorOnHost e;
};

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(CodeEditWordWrap, BreaksLinesIntoRows) {
  struct Row {
    const char* name;
    std::string line;
    int columns;
    int tabWidth;
    std::vector<int> rows;
  } rows[] = {
      {"25 letters: a hard break after 20", std::string(25, 'a'), 20, 8, {20, 5}},
      {"exactly one row", std::string(20, 'a'), 20, 8, {20}},
      {"empty line: one empty row", "ab\n\ncd", 20, 8, {2, 0, 2}},
      {"the space nearest the row end begins the next row", "aaaa bbbb cccc dddd eeee ffff", 20, 8, {19, 10}},
      {"a space in cell 16 still breaks", std::string(15, 'a') + " " + std::string(10, 'b'), 20, 8, {15, 11}},
      {"a space in cell 15 is too early: hard break", std::string(14, 'a') + " " + std::string(18, 'b'), 20, 8,
       {20, 13}},
      {"a space right after the full row", std::string(20, 'a') + " bb", 20, 8, {20, 3}},
      {"tabs count their cells and break", "\t\t\tx", 20, 8, {20, 5}},
      {"punctuation is no break without a highlighter", std::string(17, 'a') + "." + std::string(8, 'b'), 20, 8,
       {20, 6}},
      {"several rows", std::string(65, 'a'), 20, 8, {20, 20, 20, 5}},
      {"wider than 255 cells", std::string(700, 'a'), 300, 8, {300, 300, 100}},
      {"words on a window wider than 255 cells", Repeat("word ", 100), 300, 8, {299, 201}},
      {"one-cell window", "abc", 1, 8, {1, 1, 1}},
  };
  for (const auto& row : rows) {
    Wrapped w(row.line, row.columns);
    w.e.edit.SetTabWidth(row.tabWidth);
    ASSERT_EQ(w.e.edit.VisibleColumns(), row.columns) << row.name;
    EXPECT_EQ(w.Rows(), row.rows) << row.name;
    EXPECT_EQ(w.e.edit.DisplayRowCount(), static_cast<int>(row.rows.size())) << row.name;
  }
}

// Assigning or dropping a highlighter re-wraps at once with its break set.
TEST(CodeEditWordWrap, HighlighterIdentifierCharsDecideTheBreaks) {
  TCppHighlighter cpp;
  TCppHighlighter other;
  Wrapped w(std::string(17, 'a') + "." + std::string(8, 'b'));
  const struct {
    const char* name;
    TCustomHighlighter* highlighter;
    std::vector<int> rows;
  } steps[] = {
      {"assigned: '.' breaks", &cpp, {17, 9}},
      {"dropped: only blanks break", nullptr, {20, 6}},
      {"assigned again", &cpp, {17, 9}},
      {"replaced by another", &other, {17, 9}},
  };
  for (const auto& step : steps) {
    w.e.edit.SetHighlighter(step.highlighter);
    EXPECT_EQ(w.Rows(), step.rows) << step.name;
  }
  w.e.edit.ComponentRemoved(&other);
  EXPECT_EQ(w.Rows(), (std::vector<int>{20, 6})) << "highlighter removed";
}

TEST(CodeEditWordWrap, DoubleByteCharactersStayWhole) {
  ActiveCodePage cp936(936);
  // 'a' and twelve double-byte characters: byte 21 is a trail byte.
  Wrapped w("a" + Repeat("\xB0\xA1", 12));
  EXPECT_EQ(w.Rows(), (std::vector<int>{19, 6}));
}

TEST(CodeEditWordWrap, MapsBufferAndDisplayPositions) {
  Wrapped w(std::string(25, 'a') + "\nxyz");
  TWordWrapPlugin& plugin = w.Plugin();
  struct Row {
    const char* name;
    TDisplayPos buffer;   // (expanded column, line)
    TDisplayPos display;  // (column in row, row)
  } toDisplay[] = {
      {"line start", {1, 1}, {1, 1}},
      {"last cell of the first row", {20, 1}, {20, 1}},
      {"first cell of the continuation row", {21, 1}, {1, 2}},
      {"line end", {26, 1}, {6, 2}},
      {"past the line end stays on its last row", {40, 1}, {20, 2}},
      {"next line", {2, 2}, {2, 3}},
      {"below the laid-out lines", {5, 5}, {5, 6}},
  };
  for (const auto& row : toDisplay) {
    EXPECT_EQ(plugin.BufferToDisplay(row.buffer), row.display) << row.name;
  }
  const Row toBuffer[] = {
      {"continuation row start", {21, 1}, {1, 2}},
      {"beyond a full row's end: limited to its length + 1", {21, 1}, {30, 1}},
      {"beyond the last row: limited to the row width + 1", {41, 1}, {30, 2}},
      {"second line", {2, 2}, {2, 3}},
      {"below the rows", {1, 4}, {1, 5}},
  };
  for (const auto& row : toBuffer) {
    EXPECT_EQ(plugin.DisplayToBuffer(row.display), row.buffer) << row.name;
  }
  EXPECT_EQ(w.e.edit.LineToRow(2), 3);
  EXPECT_EQ(w.e.edit.RowToLine(2), 1);
  EXPECT_EQ(w.e.edit.BufferToDisplay({23, 1}), (TDisplayPos{3, 2}));
}

TEST(CodeEditWordWrap, FollowsBufferChanges) {
  const std::string longLine(45, 'x');  // rows 20, 20, 5
  struct Row {
    const char* name;
    std::function<void(TCodeEditStringList&)> change;
    std::vector<int> rows;
  } rows[] = {
      {"insert a long line in the middle", [&](auto& l) { l.Insert(1, longLine); }, {1, 20, 20, 5, 1, 1}},
      {"append lines", [&](auto& l) { l.Add(longLine); }, {1, 1, 1, 20, 20, 5}},
      {"delete a line", [](auto& l) { l.Delete(1); }, {1, 1}},
      {"replace with a long line", [&](auto& l) { l.Put(2, longLine); }, {1, 1, 20, 20, 5}},
      {"replace a long line with a short one", [&](auto& l) {
         l.Put(0, longLine);
         l.Put(0, "");
       },
       {0, 1, 1}},
      {"remove a span", [](auto& l) { l.RemoveLineSpan(0, 2); }, {1}},
      {"clear", [](auto& l) { l.Clear(); }, {}},
  };
  for (const auto& row : rows) {
    Wrapped w("a\nb\nc");
    row.change(w.e.edit.Lines());
    EXPECT_EQ(w.Rows(), row.rows) << row.name;
    EXPECT_EQ(w.Plugin().LaidOutLines(), w.e.edit.LineCount()) << row.name;
  }
}

TEST(CodeEditWordWrap, InsertedLongLineShiftsTheRowsBelow) {
  Wrapped w("a\nb\nc\nd");
  EXPECT_EQ(w.e.edit.LineToRow(4), 4);
  w.e.edit.Lines().Insert(2, std::string(45, 'x'));
  EXPECT_EQ(w.e.edit.LineToRow(3), 3);
  EXPECT_EQ(w.e.edit.LineToRow(4), 6);
  EXPECT_EQ(w.e.edit.LineToRow(5), 7);
  EXPECT_EQ(w.e.edit.RowToLine(5), 3);
}

TEST(CodeEditWordWrap, TypingInAWrappedLineReWrapsOnlyThatLine) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::string(50, 'w') + "\n";
  Wrapped w(text);
  const int64_t before = w.Plugin().LinesBroken();
  std::string line(w.e.edit.LineText(500));
  line.insert(10, "typed");
  w.e.edit.Lines().Put(499, line);
  EXPECT_EQ(w.Plugin().LinesBroken() - before, 1);
  EXPECT_EQ(w.e.edit.LineToRow(501), 500 * 3 + 1);
}

TEST(CodeEditWordWrap, WidthChangesRelayout) {
  Wrapped w(std::string(45, 'x'));
  EXPECT_EQ(w.Rows(), (std::vector<int>{20, 20, 5}));
  w.e.host.Width = 32 + 30 * 8;
  w.e.edit.Resized();
  EXPECT_EQ(w.Rows(), (std::vector<int>{30, 15}));
  w.e.host.Width = 20;  // no text area at all
  w.e.edit.Resized();
  EXPECT_EQ(w.Plugin().TotalRows(), 0);
  EXPECT_EQ(w.Plugin().LinesAdded(0, 1), 0);
}

TEST(CodeEditWordWrap, Errors) {
  Wrapped w("abc");
  for (int row : {0, 2, -1}) {
    try {
      w.Plugin().RowCellCount(row);
      ADD_FAILURE() << "row " << row;
    } catch (const Exception& error) {
      EXPECT_EQ(std::string(error.what()), "List index out of bounds (" + std::to_string(row) + ")");
    }
  }
  try {
    TWordWrapPlugin plugin(nullptr);
    ADD_FAILURE() << "no owner";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Owner of TWordWrapPlugin must be a TCustomCodeEdit");
  }
}

// The caret at a row boundary: shown at the end of the row above or at the
// start of its own row.
TEST(CodeEditWordWrap, CaretAtRowEnd) {
  struct Row {
    const char* name;
    TBufferCoord from;
    bool fromRowEnd;
    std::vector<TCodeEditorCommand> commands;
    TBufferCoord caret;
    TDisplayPos shown;
  } rows[] = {
      {"left at a continuation row start only moves the display", {21, 1}, false, {ecLeft}, {21, 1}, {21, 1}},
      {"a second left moves in the buffer", {21, 1}, false, {ecLeft, ecLeft}, {20, 1}, {20, 1}},
      {"right from the row end only moves the display", {21, 1}, true, {ecRight}, {21, 1}, {1, 2}},
      {"right onto a continuation row start stays at the row end", {20, 1}, false, {ecRight}, {21, 1}, {21, 1}},
      {"End goes to the end of the caret's row", {3, 1}, false, {ecLineEnd}, {21, 1}, {21, 1}},
      {"End on the last row goes to the line end", {22, 1}, false, {ecLineEnd}, {26, 1}, {6, 2}},
      {"Home goes to the start of the caret's row", {23, 1}, false, {ecLineStart}, {21, 1}, {1, 2}},
      {"down keeps the column on the next row", {3, 1}, false, {ecDown}, {23, 1}, {3, 2}},
      {"down from the last row goes to the next line", {23, 1}, false, {ecDown}, {3, 2}, {3, 3}},
  };
  for (const auto& row : rows) {
    Wrapped w(std::string(25, 'a') + "\nzz");
    w.e.edit.SetCaretPos(row.from);
    w.e.edit.SetCaretAtRowEnd(row.fromRowEnd);
    for (TCodeEditorCommand command : row.commands) w.e.edit.HandleCommand(command, '\0', nullptr);
    EXPECT_EQ(w.e.edit.CaretPos(), row.caret) << row.name;
    EXPECT_EQ(w.e.edit.CaretDisplayPos(), row.shown) << row.name;
  }
}

// A new document has no lines, so no rows: every caret command must treat it
// as one empty row.
TEST(CodeEditWordWrap, CaretCommandsInAnEmptyBuffer) {
  const TCodeEditorCommand commands[] = {
      ecLineStart, ecSelLineStart, ecLineEnd,    ecSelLineEnd,  ecLeft,       ecRight,     ecSelLeft,
      ecSelRight,  ecUp,           ecDown,       ecSelUp,       ecSelDown,    ecWordLeft,  ecWordRight,
      ecPageUp,    ecPageDown,     ecSelPageUp,  ecSelPageDown, ecPageTop,    ecPageBottom, ecEditorTop,
      ecEditorBottom, ecSelEditorTop, ecSelEditorBottom, ecScrollUp, ecScrollDown, ecSelectAll,
  };
  for (const bool enhanced : {false, true}) {
    for (const TCodeEditorCommand command : commands) {
      Wrapped w("");
      TCustomCodeEdit& edit = w.e.edit;
      ASSERT_EQ(edit.LineCount(), 0);
      TCodeEditorOptions options = edit.Options() & ~(OptionBit(eoEnhanceHomeKey) | OptionBit(eoEnhanceEndKey));
      if (enhanced) options |= OptionBit(eoEnhanceHomeKey) | OptionBit(eoEnhanceEndKey);
      edit.SetOptions(options);
      const std::string name = std::string(EditorCommandToIdent(command).value_or("?")) + (enhanced ? " enhanced" : "");
      try {
        edit.HandleCommand(command, '\0', nullptr);
        edit.HandleCommand(command, '\0', nullptr);
      } catch (const std::exception& error) {
        ADD_FAILURE() << name << ": " << error.what();
        continue;
      }
      // eoScrollPastEol lets Right go on past the end of the empty line.
      EXPECT_EQ(edit.CaretY(), 1) << name;
      EXPECT_EQ(edit.CaretDisplayPos(), (TDisplayPos{edit.CaretX(), 1})) << name;
      EXPECT_FALSE(edit.HasSelection()) << name;
    }
  }
}

// Random line edits laid out step by step must equal a fresh layout.
TEST(CodeEditWordWrap, IncrementalLayoutMatchesFreshLayoutSoak) {
  std::mt19937 random(12345);
  auto randomLine = [&] {
    std::string line;
    const int length = std::uniform_int_distribution<int>(0, 70)(random);
    for (int i = 0; i < length; ++i) {
      const int pick = std::uniform_int_distribution<int>(0, 9)(random);
      line += pick == 0 ? ' ' : pick == 1 ? '\t' : static_cast<char>('a' + pick);
    }
    return line;
  };
  Wrapped w("start", 23);
  TCodeEditStringList& lines = w.e.edit.Lines();
  for (int step = 0; step < 3000; ++step) {
    const int count = lines.Count();
    const int op = std::uniform_int_distribution<int>(0, 4)(random);
    const int at = std::uniform_int_distribution<int>(0, std::max(count - 1, 0))(random);
    if (op == 0 || count == 0) {
      lines.Insert(std::min(at, count), randomLine());
    } else if (op == 1 && count > 1) {
      lines.RemoveLineSpan(at, std::uniform_int_distribution<int>(1, 3)(random));
    } else if (op == 2) {
      lines.BeginUpdate();
      lines.InsertEmptyLines(at, 2);
      lines.EndUpdate();
    } else {
      lines.Put(at, randomLine());
    }
    if (step % 100 == 0 || step == 2999) {
      const std::vector<int> incremental = w.Rows();
      w.Plugin().Relayout();
      ASSERT_EQ(incremental, w.Rows()) << "step " << step;
      ASSERT_EQ(w.Plugin().LaidOutLines(), lines.Count()) << "step " << step;
    }
  }
}

}  // namespace
}  // namespace vantrel
