// Undo and redo through the command pipeline: random editing sessions are
// taken back and replayed exactly, grouping follows eoGroupUndo, and the
// Modified flag is false exactly at the saved position.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "EditorTestUtil.h"
#include "support/FakeClipboard.h"
#include "text/TextTools.h"

namespace vantrel {
namespace {

struct Session {
  Session() : e({}, 640, 320) {
    e.edit.SetClipboard(&clipboard);
  }
  void Run(TCodeEditorCommand command, char ch = 0, void* data = nullptr) {
    log += EditorCommandToCodeString(command);
    if (command == ecChar) log += std::string(" '") + ch + "'";
    e.edit.HandleCommand(command, ch, data);
    std::string text = Lines(e.edit);
    for (size_t i = 0; (i = text.find("\r\n", i)) != std::string::npos;) text.replace(i, 2, "|");
    log += " -> [" + text + "] caret " + std::to_string(e.edit.CaretX()) + "," + std::to_string(e.edit.CaretY()) + "\n";
  }
  void Go(int x, int y, bool select = false) {
    TBufferCoord at{x, y};
    log += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
    Run(select ? ecSelGotoXY : ecGotoXY, 0, &at);
  }
  std::string Text() const { return Lines(e.edit); }
  std::string log;  // every command and the text after it, for failures
  EditorOnHost e;
  FakeClipboard clipboard;
};

std::string RandomLine(std::mt19937& rng) {
  static const char* pieces[] = {"a", "Bc", " ", "  ", "\t", "x.y", "w_1", "(", "Ab", "\xD6\xD0"};
  std::string line;
  for (int n = static_cast<int>(rng() % 6); n > 0; --n) line += pieces[rng() % std::size(pieces)];
  return line;
}

// One random command, with the caret and selection placed at random first.
void RandomStep(Session& s, std::mt19937& rng, bool allowHistory) {
  static const TCodeEditorCommand editing[] = {
      ecChar,          ecChar,          ecChar,         ecDeleteLastChar, ecDeleteLastChar, ecDeleteChar,
      ecDeleteWord,    ecDeleteLastWord, ecDeleteBOL,   ecDeleteEOL,      ecDeleteLine,     ecLineBreak,
      ecLineBreak,     ecInsertLine,    ecTab,          ecShiftTab,       ecBlockIndent,    ecBlockUnindent,
      ecUpperCase,     ecTitleCase,     ecToggleCaseBlock, ecLowerCaseBlock, ecCut,         ecPaste,
      ecPaste,         ecImeStr,        ecUndo,         ecRedo};
  TCustomCodeEdit& edit = s.e.edit;
  const int lines = std::max(edit.LineCount(), 1);
  static const TCodeEditorCommand modes[] = {ecNormalSelect, ecNormalSelect, ecColumnSelect, ecLineSelect};
  TCodeEditorCommand mode = modes[rng() % std::size(modes)];
  s.Run(mode);
  const int y = 1 + static_cast<int>(rng() % lines);
  s.Go(1 + static_cast<int>(rng() % (edit.LineText(y).size() + 4)), y);
  if (rng() % 3 == 0) {
    const int y2 = 1 + static_cast<int>(rng() % lines);
    s.Go(1 + static_cast<int>(rng() % (edit.LineText(y2).size() + 3)), y2, true);
    if (rng() % 2 == 0) s.Run(ecCopy);
  }
  TCodeEditorCommand command = editing[rng() % std::size(editing)];
  // Undoing past the saved state and editing on would make it unreachable.
  if (!allowHistory && (command == ecUndo || command == ecRedo)) command = ecDeleteChar;
  if (command == ecChar) {
    static const char chars[] = {'a', 'Q', ' ', '.', '_', '\xE9'};
    s.Run(ecChar, chars[rng() % std::size(chars)]);
  } else if (command == ecImeStr) {
    char text[] = "ime";
    s.Run(ecImeStr, 0, text);
  } else {
    s.Run(command);
  }
  if (rng() % 10 == 0) s.Run(ecToggleMode);
}

// Changes that undo once failed to take back exactly.
struct ExactUndoCase {
  const char* name;
  int codePage;
  TCodeEditorOptions extraOptions;
  const char* text;
  std::function<void(Session&)> edit;
  const char* edited;  // the text after the edit
  int undoSteps = 0;    // when not 0, the undos that bring the text back
};

void PutPlainText(FakeClipboard& clipboard, const char* text) {
  clipboard.Open();
  clipboard.Clear();
  clipboard.SetText(text);
  clipboard.Close();
}

// Word wrap at a given number of cells per row.
void WrapAt(Session& s, int columns) {
  s.e.host.Width = 32 + columns * 8;
  s.e.edit.Resized();
  s.e.edit.SetWordWrap(true);
}

void SelectColumns(Session& s, TBufferCoord from, TBufferCoord to) {
  s.Run(ecColumnSelect);
  s.Go(from.X, from.Y);
  s.Go(to.X, to.Y, true);
}

const ExactUndoCase kExactUndoCases[] = {
    {"ColumnCutWithATabAcrossTheLeftEdge", 1252, 0, "ab\tcd\r\nabcdefgh\r\nabcdefgh",
     [](Session& s) {
       s.Run(ecColumnSelect);
       s.Go(4, 3);
       s.Go(5, 1, true);  // screen columns 4 to 6; the tab covers 3 and 4
       s.Run(ecCut);
     },
     "abd\r\nabcfgh\r\nabcfgh"},
    {"LineModeTypingInOverwriteMode", 1252, 0, "one\r\ntwo\r\nthree",
     [](Session& s) {
       s.Run(ecLineSelect);
       s.Run(ecOverwriteMode);
       s.Go(1, 1);
       s.Go(2, 1, true);
       s.Run(ecChar, 'x');  // the selected line goes, "x" overwrites the next
     },
     "x\r\nthree"},
    {"LineModeTypingWithTheCaretAtTheVisibleWidth", 1252, OptionBit(eoScrollPastEol), "abc\r\nnext",
     [](Session& s) {
       s.Run(ecLineSelect);
       s.Go(s.e.edit.VisibleColumns(), 1);
       s.Run(ecChar, '.');
     },
     ".\r\nabc\r\nnext"},
    {"BackspaceWithTheCaretOnATrailByte", 936, 0, "a\xD6\xD0" "b",
     [](Session& s) {
       s.Go(3, 1);
       s.Run(ecDeleteLastChar);
     },
     "a\xD0" "b"},
    {"ColumnPasteAtATrailByte", 936, 0, "a\xD6\xD0" "b\r\nxyzw",
     [](Session& s) {
       s.Run(ecColumnSelect);
       s.Go(1, 2);
       s.Go(2, 2, true);
       s.Run(ecCopy);
       s.Go(3, 1);
       s.Run(ecPaste);
       EXPECT_EQ(s.e.edit.CaretPos(), (TBufferCoord{5, 1})) << "after the pasted text";
     },
     "a\xD6\xD0xb\r\nxyzw"},
    {"ColumnUpperCaseRightOfATab", 1252, 0, "\tabc\r\n1234abc",
     [](Session& s) {
       SelectColumns(s, {2, 1}, {8, 2});  // screen columns 5 to 7 on both lines
       s.Run(ecUpperCaseBlock);
     },
     "\tABC\r\n1234ABC"},
    {"ColumnBlockIndentRightOfATab", 1252, 0, "\tabc\r\n1234abc",
     [](Session& s) {
       SelectColumns(s, {2, 1}, {8, 2});
       s.Run(ecBlockIndent);
     },
     "\t    abc\r\n1234    abc"},
    {"ColumnUnindentRightOfATab", 1252, 0, "\t    abc\r\n1234    abc",
     [](Session& s) {
       SelectColumns(s, {2, 1}, {6, 2});
       s.Run(ecBlockUnindent);
     },
     "\tabc\r\n1234abc"},
    {"WrappedColumnCutTakesTheCoveredRows", 1252, 0, "abcdefghijklmnop\r\nABCDEFGHIJKLMNOP",
     [](Session& s) {
       WrapAt(s, 10);
       // Screen columns 3 to 4 of rows 2 to 4: the second row of line 1 and
       // both rows of line 2.
       SelectColumns(s, {13, 1}, {15, 2});
       EXPECT_EQ(s.e.edit.SelectedText(), "mn\r\nCD\r\nMN");
       s.Run(ecCut);
     },
     "abcdefghijklop\r\nABEFGHIJKLOP"},
    {"WrappedColumnUpperCaseOfTwoRowsOfALine", 1252, 0, "abcdefghijklmnop\r\nabcdefghijklmnop",
     [](Session& s) {
       WrapAt(s, 10);
       SelectColumns(s, {15, 2}, {3, 1});
       s.Run(ecUpperCaseBlock);
     },
     "abCDefghijklMNop\r\nabCDefghijklMNop"},
    {"TypingPastAWrappedBlankLineIndentsToTheLineColumn", 1252, 0, "               ",
     [](Session& s) {
       WrapAt(s, 10);
       s.e.edit.SetOptions(s.e.edit.Options() & ~OptionBit(eoTabsToSpaces));
       s.Go(18, 1);
       s.Run(ecChar, 'x');
     },
     "\t\t\t\t x"},
    {"TrimmedDeleteWordFromPastAnEmptyLineEnd", 1252, OptionBit(eoTrimTrailingSpaces) | OptionBit(eoScrollPastEol),
     "x\r\n\r\nAbc",
     [](Session& s) {
       s.Go(3, 2);
       s.Run(ecDeleteWord);
     },
     "x\r\nAbc"},
    {"TrimmedPasteOfLinesAfterBlanks", 1252, OptionBit(eoTrimTrailingSpaces), "Q  ime",
     [](Session& s) {
       PutPlainText(s.clipboard, "\r\nBc");
       s.Go(4, 1);
       s.Run(ecPaste);
     },
     "Q\r\nBcime"},
    {"ReplaceAllTextInColumnModeIsOneStep", 1252, 0, "b\r\nA\r\n\r\na",
     [](Session& s) {
       SelectColumns(s, {1, 1}, {2, 2});
       s.e.edit.ReplaceAllText("\r\nA\r\na\r\nb");
       EXPECT_EQ(s.e.edit.CaretPos(), (TBufferCoord{1, 1}));
     },
     "\r\nA\r\na\r\nb", 1},
    {"AppendedPiecesAreOneInsertion", 1252, 0, "x\r\ny",
     [](Session& s) {
       s.Go(1, 1);
       s.e.edit.AppendText("a\r\n", false);
       s.e.edit.AppendText("b", true);
       s.e.edit.AppendText("c\r\nd", true);
       EXPECT_EQ(s.e.edit.CaretPos(), (TBufferCoord{2, 4}));
     },
     "x\r\nya\r\nbc\r\nd", 1},
    {"AppendedLinesEditedDeletedThenUndone", 1252, 0, "x",
     [](Session& s) {
       s.e.edit.AppendText("a\r\n", false);
       s.e.edit.AppendText("bb\r\ncc\r\ndd\r\n", true);
       s.e.edit.AppendText("e\nf\rg", true);
       EXPECT_EQ(s.e.edit.UndoList().ItemCount(), 1) << "one insertion";
       EXPECT_EQ(s.e.edit.CaretPos(), (TBufferCoord{2, 7}));
       s.Go(2, 3);
       s.Run(ecChar, 'Z');
       s.Go(1, 4);
       s.Run(ecDeleteLine);
       s.Go(1, 5);
       s.Run(ecDeleteLine);
     },
     "xa\r\nbb\r\ncZc\r\ne\r\ng", 4},
    {"TrimmedAppendOfLinesKeepsTheCaretPastTheBlanks", 1252, OptionBit(eoTrimTrailingSpaces), "x",
     [](Session& s) {
       s.e.edit.AppendText("a\r\n", false);
       s.e.edit.AppendText("b \t\r\nc  ", true);
       EXPECT_EQ(s.e.edit.CaretPos(), (TBufferCoord{4, 3}));
     },
     "xa\r\nb\r\nc", 1},
    {"WrappedAppendOfLongLines", 1252, 0, "x",
     [](Session& s) {
       WrapAt(s, 10);
       s.e.edit.AppendText("\r\n", false);
       s.e.edit.AppendText("abcdefghijklmnopqrstuvwxyz\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ", true);
       EXPECT_EQ(s.e.edit.CaretDisplayPos().Row, 7) << "one row for x, three for each line";
       s.Go(1, 1);
       s.Run(ecDeleteLine);
     },
     "abcdefghijklmnopqrstuvwxyz\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ", 2},
    {"AppendToAnEmptyText", 1252, 0, "",
     [](Session& s) {
       s.e.edit.AppendText("out\r\n", false);
       s.e.edit.AppendText("put", true);
     },
     "out\r\nput", 1},
    {"ConvertedColumnSelectionLeavesShortLinesUnpadded", 1252, 0, "abcd\r\nab\r\nabcd",
     [](Session& s) {
       SelectColumns(s, {2, 1}, {4, 3});
       s.e.edit.ConvertSelection([](std::string_view text) { return AsciiUpperCase(text); });
       EXPECT_EQ(s.e.edit.SelectedText(), "BC\r\nB \r\nBC") << "the selection stays";
     },
     "aBCd\r\naB\r\naBCd", 1},
};

class ExactUndo : public testing::TestWithParam<ExactUndoCase> {};

TEST_P(ExactUndo, UndoGivesBackTheTextAndRedoTheEdit) {
  const ExactUndoCase& param = GetParam();
  ActiveCodePage codePage(param.codePage);
  Session s;
  s.e.edit.SetOptions(s.e.edit.Options() | param.extraOptions);
  s.e.edit.SetTabWidth(4);
  s.e.edit.SetText(param.text);
  param.edit(s);
  ASSERT_EQ(s.Text(), param.edited) << s.log;
  for (int step = 0; step < param.undoSteps; ++step) s.Run(ecUndo);
  if (param.undoSteps) {
    EXPECT_EQ(s.Text(), param.text) << "after " << param.undoSteps << " undos\n" << s.log;
  }
  while (s.e.edit.CanUndo()) s.Run(ecUndo);
  EXPECT_EQ(s.Text(), param.text) << s.log;
  while (s.e.edit.CanRedo()) s.Run(ecRedo);
  EXPECT_EQ(s.Text(), param.edited) << s.log;
}

INSTANTIATE_TEST_SUITE_P(Cases, ExactUndo, testing::ValuesIn(kExactUndoCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PropertyCase {
  const char* name;
  bool groupUndo;
  bool tabsToSpaces;
  bool scrollPastEol;
  bool smartTabs;
  int codePage = 1252;
  int wrapColumns = 0;  // word wrap at this many cells, 0 for none
};

class UndoProperty : public testing::TestWithParam<PropertyCase> {};

TEST_P(UndoProperty, UndoAllRestoresOriginalAndRedoAllRestoresFinal) {
  const PropertyCase& param = GetParam();
  for (unsigned seed = 1; seed <= 1000; ++seed) {
    std::mt19937 rng(seed);
    ActiveCodePage codePage(param.codePage);
    Session s;
    TCustomCodeEdit& edit = s.e.edit;
    TCodeEditorOptions options = edit.Options() | OptionBit(eoAutoIndent) | OptionBit(eoTabIndent);
    auto set = [&](TCodeEditorOption o, bool on) { options = on ? options | OptionBit(o) : options & ~OptionBit(o); };
    set(eoGroupUndo, param.groupUndo);
    set(eoTabsToSpaces, param.tabsToSpaces);
    set(eoScrollPastEol, param.scrollPastEol);
    set(eoSmartTabs, param.smartTabs);
    edit.SetOptions(options);
    edit.SetTabWidth(4);
    if (param.wrapColumns > 0) WrapAt(s, param.wrapColumns);
    std::string initial;
    for (int n = 1 + static_cast<int>(rng() % 6), i = 0; i < n; ++i) initial += (i ? "\r\n" : "") + RandomLine(rng);
    edit.SetText(initial);
    const std::string original = s.Text();
    const int steps = 12 + static_cast<int>(rng() % 20);
    const int saveAt = static_cast<int>(rng() % (steps + 1));
    std::string savedText = original;
    for (int step = 0; step < steps; ++step) {
      if (step == saveAt) {
        edit.SetModified(false);
        savedText = s.Text();
      }
      RandomStep(s, rng, step < saveAt);
    }
    if (saveAt == steps) {
      edit.SetModified(false);
      savedText = s.Text();
    }
    // Records left on the redo list by random undos are part of the history.
    while (edit.CanRedo()) s.Run(ecRedo);
    const std::string final = s.Text();
    const std::string context = std::string(param.name) + " seed " + std::to_string(seed);

    s.log += "---- undo all\n";
    bool sawSaved = !edit.Modified();
    int guard = 0;
    while (edit.CanUndo() && ++guard < 2000) {
      s.Run(ecUndo);
      if (!edit.Modified()) {
        sawSaved = true;
        ASSERT_EQ(s.Text(), savedText) << context << "\n" << s.log << ": Modified false away from the saved text";
      }
    }
    ASSERT_EQ(s.Text(), original) << context << "\n" << s.log;
    guard = 0;
    while (edit.CanRedo() && ++guard < 2000) {
      s.Run(ecRedo);
      if (!edit.Modified()) {
        sawSaved = true;
        ASSERT_EQ(s.Text(), savedText) << context << "\n" << s.log << ": Modified false away from the saved text";
      }
    }
    ASSERT_TRUE(sawSaved) << context << "\n" << s.log << ": the saved position was never reported";
    ASSERT_EQ(s.Text(), final) << context << "\n" << s.log;
  }
}

INSTANTIATE_TEST_SUITE_P(Options, UndoProperty,
                         testing::Values(PropertyCase{"GroupUndo", true, true, true, true},
                                         PropertyCase{"NoGroupUndo", false, true, true, true},
                                         PropertyCase{"TabsNoSmartTabs", true, false, true, false},
                                         PropertyCase{"NoScrollPastEol", false, false, false, true},
                                         PropertyCase{"DoubleByte", false, false, true, true, 936},
                                         PropertyCase{"WrappedDoubleByte", false, false, true, true, 936, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel
