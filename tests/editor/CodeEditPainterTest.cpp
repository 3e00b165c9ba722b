// Painting through the recording canvas: runs, selection, special and active
// lines, right edge, white-space marks, gutter and marks.
#include <gtest/gtest.h>

#include <tuple>

#include "EditorTestUtil.h"
#include "editor/CodeEditPainter.h"
#include "editor/LinePainter.h"
#include "highlight/CodeEditHighlighter.h"
#include "highlight/HighlighterCpp.h"
#include "support/RecordingCanvas.h"

namespace vantrel {
namespace {

// Tokens by character class: letters, digits, blanks, anything else.
class ClassHighlighter : public TCustomHighlighter {
 public:
  ClassHighlighter() {
    word = Add("Word", clRed);
    digits = Add("Digits", clBlue);
    space = Add("Space", clNone);
    symbol = Add("Symbol", clGreen);
    FinishAttributes();
  }
  THighlighterAttributes* DefaultAttribute(int index) const override {
    return index == haWhitespace ? space : index == haSymbol ? symbol : nullptr;
  }
  void NextToken() override {
    tokenPos_ = run_;
    const char c = line_[run_];
    if (c == '\0') {
      kind_ = 0;
      return;
    }
    kind_ = Class(c);
    while (line_[run_] != '\0' && Class(line_[run_]) == kind_) ++run_;
  }
  bool AtLineEnd() const override { return kind_ == 0; }
  int TokenKind() const override { return kind_; }
  THighlighterAttributes* TokenAttribute() const override {
    switch (kind_) {
      case 1: return word;
      case 2: return digits;
      case 3: return space;
      case 4: return symbol;
      default: return nullptr;
    }
  }

  THighlighterAttributes* word;
  THighlighterAttributes* digits;
  THighlighterAttributes* space;
  THighlighterAttributes* symbol;

 private:
  static int Class(char c) {
    if (std::isalpha(static_cast<unsigned char>(c))) return 1;
    if (std::isdigit(static_cast<unsigned char>(c))) return 2;
    if (c == ' ' || c == '\t') return 3;
    return 4;
  }
  THighlighterAttributes* Add(const char* name, TColor fore) {
    auto* attribute = new THighlighterAttributes(name);
    attribute->SetForeground(fore);
    AddAttribute(attribute);
    return attribute;
  }
  int kind_ = 0;
};

// Once stuck, never gets past the first character.
class StuckHighlighter : public ClassHighlighter {
 public:
  void NextToken() override {
    if (stuck) {
      tokenPos_ = run_;
    } else {
      ClassHighlighter::NextToken();
    }
  }
  bool AtLineEnd() const override { return !stuck && ClassHighlighter::AtLineEnd(); }
  bool stuck = false;
};

struct Painted {
  explicit Painted(std::string_view text = {}, int width = 800, int height = 600)
      : e(text, width, height), canvas({0, 0, width, height}) {}
  void Paint() { Paint({0, 0, e.host.Width, e.host.Height}); }
  void Paint(const TRect& clip) {
    canvas.Clear();
    canvas.Clip = clip;
    e.edit.Paint(canvas, clip);
  }
  // Text area cells: x of column c, y of row r (1-based), as on this host.
  static int X(int column) { return 32 + (column - 1) * 8; }
  static int Y(int row) { return (row - 1) * 16; }
  std::vector<std::string> TextsOnRow(int row) const {
    std::vector<std::string> texts;
    for (const auto& call : canvas.Of(RecordingCanvas::kText)) {
      if (call.Y == Y(row) && call.X >= 30) texts.push_back(call.Text);
    }
    return texts;
  }
  EditorOnHost e;
  RecordingCanvas canvas;
};

TEST(CodeEditPainter, TokensOfEqualLookMergeIntoOneRun) {
  struct Row {
    const char* name;
    const char* line;
    bool showSpecial;
    std::vector<std::string> runs;
  } rows[] = {
      {"blanks join the run before them", "abc 12 def", false, {"abc ", "12 ", "def"}},
      {"equal colours join", "ab;cd", false, {"ab", ";", "cd"}},
      {"shown blanks keep their own colour", "a b", true, {"a", "\xB7", "b", "\xB6"}},
      {"tabs draw as blanks and join like them", "a\tb", false, {"a       b"}},
  };
  for (const auto& row : rows) {
    ClassHighlighter highlighter;  // outlives the editor
    Painted p(row.line);
    p.e.edit.SetHighlighter(&highlighter);
    if (row.showSpecial) p.e.edit.SetOptions(p.e.edit.Options() | OptionBit(eoShowSpecialChars));
    p.Paint();
    EXPECT_EQ(p.TextsOnRow(1), row.runs) << row.name;
    p.e.edit.SetHighlighter(nullptr);
  }
}

TEST(CodeEditPainter, RunColoursAndPlaces) {
  ClassHighlighter highlighter;
  Painted p("abc 12 def");
  highlighter.digits->SetBackground(clYellow);
  p.e.edit.SetHighlighter(&highlighter);
  p.Paint();
  const auto texts = p.canvas.Of(RecordingCanvas::kText);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].X, Painted::X(1));
  EXPECT_EQ(texts[0].Fore, clRed);
  EXPECT_EQ(texts[0].Back, clWindow);
  EXPECT_EQ(texts[1].Text, "12");
  EXPECT_EQ(texts[1].X, Painted::X(5));
  EXPECT_EQ(texts[1].Fore, clBlue);
  EXPECT_EQ(texts[1].Back, clYellow);
  EXPECT_EQ(texts[2].Text, " ");  // the blank's background differs from the digits'
  EXPECT_EQ(texts[3].X, Painted::X(8));
  // The rest of the row and the area below the text are background.
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(30), Painted::Y(1)), clWindow);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(3), Painted::Y(5)), clWindow);
}

TEST(CodeEditPainter, WithoutHighlighterTheLineIsOneRun) {
  Painted p("a b\nxyz");
  p.e.edit.SetOptions(p.e.edit.Options() | OptionBit(eoShowSpecialChars));
  p.Paint();
  EXPECT_EQ(p.TextsOnRow(1), std::vector<std::string>{"a\xB7" "b\xB6"});
  EXPECT_EQ(p.TextsOnRow(2), std::vector<std::string>{"xyz\xB6"});
}

TEST(CodeEditPainter, TabMarkSitsInTheMiddleOfItsSpan) {
  struct Row {
    const char* name;
    const char* line;
    int tabWidth;
    int markX;
  } rows[] = {
      {"even span of 8: between cells 4 and 5", "\tb", 8, Painted::X(1) + 28},
      {"odd span of 3: the middle cell", "a\tb", 4, Painted::X(3)},
      {"span of 1", "abc\td", 4, Painted::X(4)},
  };
  for (const auto& row : rows) {
    Painted p(row.line);
    p.e.edit.SetTabWidth(row.tabWidth);
    p.e.edit.SetOptions(p.e.edit.Options() | OptionBit(eoShowSpecialChars));
    p.Paint();
    const auto marks = p.canvas.TextsContaining("\xBB");
    ASSERT_EQ(marks.size(), 1u) << row.name;
    EXPECT_EQ(marks[0].X, row.markX) << row.name;
    EXPECT_EQ(marks[0].Back, clNone) << row.name;
  }
}

struct SelectionCase {
  const char* name;
  TSelectionMode mode;
  TBufferCoord start;
  TBufferCoord end;
  // Expected background at (column, row) cells.
  std::vector<std::tuple<int, int, TColor>> cells;
};

TEST(CodeEditPainter, SelectionColoursTheRightCells) {
  const SelectionCase cases[] = {
      {"normal: first row from the start, middle whole, last up to the end",
       smNormal,
       {3, 1},
       {5, 3},
       {{2, 1, clWindow},
        {3, 1, clHighlight},
        {8, 1, clHighlight},
        {40, 1, clHighlight},
        {1, 2, clHighlight},
        {40, 2, clHighlight},
        {4, 3, clHighlight},
        {5, 3, clWindow},
        {40, 3, clWindow},
        {1, 4, clWindow}}},
      {"column: the same columns on every row",
       smColumn,
       {3, 1},
       {5, 3},
       {{2, 1, clWindow}, {3, 1, clHighlight}, {4, 2, clHighlight}, {5, 2, clWindow}, {40, 1, clWindow},
        {4, 3, clHighlight}, {3, 4, clWindow}}},
      {"column: corners given right to left",
       smColumn,
       {5, 1},
       {3, 2},
       {{2, 1, clWindow}, {3, 1, clHighlight}, {4, 2, clHighlight}, {5, 2, clWindow}}},
      {"line: whole rows to the window edge",
       smLine,
       {3, 2},
       {2, 3},
       {{1, 1, clWindow}, {1, 2, clHighlight}, {40, 2, clHighlight}, {90, 3, clHighlight}, {1, 4, clWindow}}},
      {"normal on one row",
       smNormal,
       {2, 2},
       {4, 2},
       {{1, 2, clWindow}, {2, 2, clHighlight}, {3, 2, clHighlight}, {4, 2, clWindow}, {40, 2, clWindow}}},
  };
  for (const auto& c : cases) {
    Painted p("abcdefgh\nabcdefgh\nabcdefgh\nabcdefgh");
    p.e.edit.SetSelectionMode(c.mode);
    p.e.edit.SetAnchorStart(c.start);
    p.e.edit.SetAnchorEnd(c.end);
    p.Paint();
    for (const auto& [column, row, color] : c.cells) {
      EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(column), Painted::Y(row) + 1), color)
          << c.name << " at column " << column << " row " << row;
    }
  }
}

TEST(CodeEditPainter, SelectedRunsAreSplitNotRedrawn) {
  Painted p("abcdefgh\nabcdefgh");
  p.e.edit.SetAnchorStart({3, 1});
  p.e.edit.SetAnchorEnd({5, 2});
  p.Paint();
  EXPECT_EQ(p.TextsOnRow(1), (std::vector<std::string>{"ab", "cdefgh"}));
  EXPECT_EQ(p.TextsOnRow(2), (std::vector<std::string>{"abcd", "efgh"}));
  const auto selected = p.canvas.TextsContaining("cdefgh");
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0].Fore, clHighlightText);
  EXPECT_EQ(selected[0].Back, clHighlight);
}

TEST(CodeEditPainter, HiddenSelectionWithoutFocus) {
  Painted p("abcdefgh\nabcdefgh");
  p.e.edit.SetAnchorStart({1, 1});
  p.e.edit.SetAnchorEnd({5, 2});
  p.e.edit.SetHideSelection(true);
  p.e.host.HasFocus = false;
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(2), Painted::Y(1)), clWindow);
  p.e.host.HasFocus = true;
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(2), Painted::Y(1)), clHighlight);
}

TEST(CodeEditPainter, SpecialLineSwapsItsColoursForTheSelection) {
  Painted p("abcdefgh\nabcdefgh\nabcdefgh");
  p.e.edit.OnSpecialLineColors = [](TCustomCodeEdit&, int line, bool& special, TColor& fg, TColor& bg) {
    if (line != 2) return;
    special = true;
    fg = clYellow;
    bg = clNavy;
  };
  p.e.edit.SetAnchorStart({3, 2});
  p.e.edit.SetAnchorEnd({5, 2});
  p.Paint();
  const RecordingCanvas::Call* plain = p.canvas.TextAt(Painted::X(1), Painted::Y(2));
  const RecordingCanvas::Call* selected = p.canvas.TextAt(Painted::X(3), Painted::Y(2));
  ASSERT_TRUE(plain && selected);
  EXPECT_EQ(plain->Fore, clYellow);
  EXPECT_EQ(plain->Back, clNavy);
  EXPECT_EQ(selected->Fore, clNavy);
  EXPECT_EQ(selected->Back, clYellow);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(40), Painted::Y(2)), clNavy);
  EXPECT_EQ(p.canvas.TextAt(Painted::X(1), Painted::Y(1))->Back, clWindow);
}

TEST(CodeEditPainter, ActiveLineOverridesTokenBackgrounds) {
  ClassHighlighter highlighter;
  Painted p("ab 12\nab 12");
  highlighter.digits->SetBackground(clLime);
  p.e.edit.SetHighlighter(&highlighter);
  p.e.edit.SetActiveLineColor(clAqua);
  p.e.edit.SetCaretPos({1, 2});
  p.Paint();
  EXPECT_EQ(p.canvas.TextAt(Painted::X(4), Painted::Y(1))->Back, clLime);
  EXPECT_EQ(p.canvas.TextAt(Painted::X(4), Painted::Y(2))->Back, clAqua);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(40), Painted::Y(2)), clAqua);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(40), Painted::Y(1)), clWindow);
}

TEST(CodeEditPainter, WhitespaceAttributeGivesTheBackground) {
  ClassHighlighter highlighter;
  Painted p("ab");
  highlighter.space->SetBackground(clTeal);
  p.e.edit.SetHighlighter(&highlighter);
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(40), Painted::Y(1)), clTeal);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(40), Painted::Y(9)), clTeal);
  EXPECT_EQ(p.canvas.BackgroundAt(31, 0), clTeal) << "the strip between gutter and text";
}

TEST(CodeEditPainter, RightEdge) {
  struct Row {
    const char* name;
    int rightEdge;
    TRect clip;
    bool drawn;
  } rows[] = {
      {"default column 80", 80, {0, 0, 800, 600}, true},
      {"column 0 draws none", 0, {0, 0, 800, 600}, false},
      {"outside the clip", 80, {0, 0, 600, 600}, false},
      {"clip around the edge only", 80, {670, 100, 680, 120}, true},
  };
  for (const auto& row : rows) {
    Painted p("text");
    p.e.edit.SetRightEdge(row.rightEdge);
    p.Paint(row.clip);
    const auto lines = p.canvas.Of(RecordingCanvas::kLine);
    const bool found = std::any_of(lines.begin(), lines.end(), [&](const auto& call) {
      return call.From.X == 32 + 80 * 8 && call.To.X == call.From.X && call.Fore == clSilver &&
             call.From.Y == row.clip.Top && call.To.Y == row.clip.Bottom;
    });
    EXPECT_EQ(found, row.drawn) << row.name;
  }
}

TEST(CodeEditPainter, OnlyTheClippedRowsArePainted) {
  Painted p("one\ntwo\nthree\nfour\nfive");
  p.Paint({40, 32, 300, 48});
  const auto texts = p.canvas.Of(RecordingCanvas::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Y, Painted::Y(3));
  EXPECT_EQ(texts[0].Text, "hree");
  EXPECT_TRUE(p.canvas.Of(RecordingCanvas::kImage).empty());
}

TEST(CodeEditPainter, ItalicOverhangIsNotErasedByTheFill) {
  ClassHighlighter highlighter;
  Painted p("abc");
  highlighter.word->SetStyle(fsItalic);
  p.e.edit.SetHighlighter(&highlighter);
  p.canvas.ItalicOverhang = 3;
  p.Paint();
  const auto fills = p.canvas.Of(RecordingCanvas::kFill);
  const bool fillAfterOverhang = std::any_of(fills.begin(), fills.end(), [](const auto& call) {
    return call.Rect.Top == 0 && call.Rect.Left == Painted::X(4) + 3 && call.Rect.Right == 800;
  });
  EXPECT_TRUE(fillAfterOverhang);
}

TEST(CodeEditPainter, HighlighterStuckOnEmptyTokensAbortsThePaint) {
  StuckHighlighter highlighter;
  Painted p("abc");
  p.e.edit.SetHighlighter(&highlighter);
  highlighter.stuck = true;
  try {
    p.Paint();
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "The highlighter seems to be in an infinite loop");
  }
  p.e.edit.SetHighlighter(nullptr);
  p.Paint();  // the drawer left its drawing state
  EXPECT_EQ(p.TextsOnRow(1), std::vector<std::string>{"abc"});
}

TEST(CodeEditPainter, CppTokensKeepTheirAttributes) {
  TCppHighlighter cpp;
  Painted p("int x; // note\n/* open\nstill comment */ y");
  cpp.CommentAttri().SetForeground(clGreen);
  p.e.edit.SetHighlighter(&cpp);
  p.Paint();
  const auto keyword = p.canvas.TextsContaining("int");
  ASSERT_EQ(keyword.size(), 1u);
  EXPECT_EQ(keyword[0].Style, fsBold);
  const auto comment = p.canvas.TextsContaining("// note");
  ASSERT_EQ(comment.size(), 1u);
  EXPECT_EQ(comment[0].Fore, clGreen);
  EXPECT_EQ(comment[0].Style, fsItalic);
  // The comment opened on line 2 carries over into line 3.
  const auto carried = p.canvas.TextsContaining("still comment */");
  ASSERT_EQ(carried.size(), 1u);
  EXPECT_EQ(carried[0].Fore, clGreen);
  p.e.edit.SetHighlighter(nullptr);
}

TEST(CodeEditPainter, ScrolledHorizontallyStartsAtLeftChar) {
  Painted p(std::string(300, 'x') + "END");
  p.e.edit.SetLeftChar(298);
  p.Paint();
  EXPECT_EQ(p.TextsOnRow(1), std::vector<std::string>{"xxxEND"});
  const RecordingCanvas::Call* call = p.canvas.TextAt(Painted::X(4), 0);
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->Text[(Painted::X(4) - call->X) / 8], 'E');
}

// The canvas draws a double-byte character from both its bytes, so a run
// cut inside one by the clip still hands over the pair.
TEST(CodeEditPainter, RunsCutInsideADoubleByteCharacterKeepItWhole) {
  ActiveCodePage cp936(936);
  struct Row {
    const char* name;
    TRect clip;
    std::vector<std::string> runs;
  } rows[] = {
      {"clip ends on the lead byte", {0, 0, Painted::X(2), 16}, {"a\xD6\xD0"}},
      {"clip starts on the trail byte", {Painted::X(3), 0, 400, 16}, {"\xD6\xD0" "b"}},
      {"nothing cut", {0, 0, 400, 16}, {"a\xD6\xD0" "b"}},
  };
  for (const auto& row : rows) {
    Painted p("a\xD6\xD0" "b");
    p.Paint(row.clip);
    EXPECT_EQ(p.TextsOnRow(1), row.runs) << row.name;
  }
}

// ---------------------------------------------------------------- gutter

TEST(CodeEditPainter, GutterLineNumbers) {
  struct Row {
    const char* name;
    int lines;
    bool leadingZeros;
    int lineNumberStart;
    int line;
    const char* text;
    int gutterWidth;
  } rows[] = {
      {"auto-size widens to five digits", 12345, false, 1, 7, "    7", 16 + 2 + 5 * 8 + 2},
      {"leading zeros", 12345, true, 1, 7, "00007", 16 + 2 + 5 * 8 + 2},
      {"zero start shows line 1 as 0", 10, false, 0, 1, "   0", 16 + 2 + 4 * 8 + 2},
      {"start at 100", 10, false, 100, 2, " 101", 16 + 2 + 4 * 8 + 2},
  };
  for (const auto& row : rows) {
    std::string text;
    for (int i = 1; i < row.lines; ++i) text += "x\n";
    Painted p(text);
    TGutter& gutter = p.e.edit.Gutter();
    gutter.SetAutoSize(true);
    gutter.SetLeadingZeros(row.leadingZeros);
    gutter.SetLineNumberStart(row.lineNumberStart);
    gutter.SetShowLineNumbers(true);
    ASSERT_EQ(p.e.edit.GutterWidth(), row.gutterWidth) << row.name;
    p.Paint();
    const RecordingCanvas::Call* call = nullptr;
    for (const auto& c : p.canvas.Calls) {
      if (c.What == RecordingCanvas::kText && c.Y == Painted::Y(row.line) && c.X < row.gutterWidth) call = &c;
    }
    ASSERT_NE(call, nullptr) << row.name;
    EXPECT_EQ(call->Text, row.text) << row.name;
    const int textWidth = 8 * static_cast<int>(std::string_view(row.text).size());
    EXPECT_EQ(call->X, row.gutterWidth - 2 - textWidth - 2) << row.name;
    EXPECT_EQ(call->Back, gutter.Color()) << row.name;
  }
}

TEST(CodeEditPainter, GutterTextAndPaintEvents) {
  Painted p("a\nb\nc");
  p.e.edit.Gutter().SetShowLineNumbers(true);
  std::vector<std::tuple<int, int, int>> painted;
  p.e.edit.OnGutterGetText = [](TCustomCodeEdit&, int line, std::string& text) {
    if (line == 2) text = "**";
  };
  p.e.edit.OnGutterPaint = [&](TCustomCodeEdit&, int line, int x, int y) { painted.emplace_back(line, x, y); };
  p.Paint();
  EXPECT_EQ(p.canvas.TextsContaining("**").size(), 1u);
  EXPECT_EQ(painted, (std::vector<std::tuple<int, int, int>>{{1, 0, 0}, {2, 0, 16}, {3, 0, 32}}));
}

TEST(CodeEditPainter, GutterGradientBandsAndBorder) {
  Painted p("a");
  TGutter& gutter = p.e.edit.Gutter();
  gutter.SetGradientStartColor(clBlack);
  gutter.SetGradientEndColor(clWhite);
  gutter.SetGradientSteps(3);
  gutter.SetGradient(true);
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(0, 5), 0x000000u);
  EXPECT_EQ(p.canvas.BackgroundAt(15, 5), 0x7F7F7Fu);
  EXPECT_EQ(p.canvas.BackgroundAt(25, 5), 0xFFFFFFu);
  const auto lines = p.canvas.Of(RecordingCanvas::kLine);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].From.X, 28);
  EXPECT_EQ(lines[0].Fore, clWindow);  // BorderColor
  EXPECT_EQ(lines[1].From.X, 29);
  EXPECT_EQ(lines[1].Fore, clBtnFace);  // the gutter colour

  // System colours are blended as the desktop shows them.
  gutter.SetGradientStartColor(clWindow);
  gutter.SetGradientEndColor(clBtnFace);
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(0, 5), 0x050505u);
  EXPECT_EQ(p.canvas.BackgroundAt(15, 5), 0x0A0A0Au);
  EXPECT_EQ(p.canvas.BackgroundAt(25, 5), 0x0F0F0Fu);
}

TEST(CodeEditPainter, BookmarksAndMarks) {
  struct Row {
    const char* name;
    bool imageList;
    TCodeEditMark mark;
    TCanvasImageKind kind;
    int x;
    int y;
    int gutterPaintX;
  } rows[] = {
      {"built-in digit, centred", false, {2, 1, 3, 0, true, true}, ikBookmarkDigit, 2, 16 + 3, 12},
      {"built-in index beyond 9 is skipped", false, {2, 1, 10, 0, true, true}, ikBookmarkDigit, -1, 0, 0},
      {"plain mark from the image list after the bookmarks", true, {2, 1, 1, -1, true, false}, ikBookmarkImage,
       2 + 12, 16, 24},
      {"image list index beyond its count is skipped", true, {2, 1, 7, -1, true, false}, ikBookmarkImage, -1, 0, 0},
      {"invisible mark", false, {2, 1, 3, 0, false, true}, ikBookmarkDigit, -1, 0, 0},
  };
  for (const auto& row : rows) {
    Painted p("a\nb\nc");
    if (row.imageList) p.e.edit.BookMarkOptions().SetBookmarkImages(true, 5);
    p.e.edit.Marks().Add(std::make_unique<TCodeEditMark>(row.mark));
    int gutterPaintX = -1;
    p.e.edit.OnGutterPaint = [&](TCustomCodeEdit&, int line, int x, int) {
      if (line == 2) gutterPaintX = x;
    };
    p.Paint();
    const auto images = p.canvas.Of(RecordingCanvas::kImage);
    if (row.x < 0) {
      EXPECT_TRUE(images.empty()) << row.name;
    } else {
      ASSERT_EQ(images.size(), 1u) << row.name;
      EXPECT_EQ(images[0].Image, row.kind) << row.name;
      EXPECT_EQ(images[0].ImageIndex, row.mark.ImageIndex) << row.name;
      EXPECT_EQ(images[0].X, row.x) << row.name;
      EXPECT_EQ(images[0].Y, row.y) << row.name;
    }
    EXPECT_EQ(gutterPaintX, row.gutterPaintX) << row.name;
  }
}

TEST(CodeEditPainter, WrappedRowsAndTheirGlyphs) {
  // 20 visible columns: 30 + 2 + 20 * 8.
  Painted p(std::string(25, 'a') + "\nshort", 192, 160);
  p.e.edit.SetWordWrap(true);
  ASSERT_TRUE(p.e.edit.WordWrapActive());
  p.Paint();
  EXPECT_EQ(p.TextsOnRow(1), std::vector<std::string>{std::string(20, 'a')});
  EXPECT_EQ(p.TextsOnRow(2), std::vector<std::string>{std::string(5, 'a')});
  EXPECT_EQ(p.TextsOnRow(3), std::vector<std::string>{"short"});
  const auto images = p.canvas.Of(RecordingCanvas::kImage);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].Image, ikWrapGlyph);
  EXPECT_EQ(images[0].X, 30 - 2 - 10 - 2);
  EXPECT_EQ(images[0].Y, 16 + 3);
}

// Stale pixels stay wherever a paint leaves a gutter cell untouched.
TEST(CodeEditPainter, EveryGutterPixelOfTheClipIsPainted) {
  const std::string longLine(45, 'x');  // three rows of the 17 columns beside the numbers
  std::string eightShort;
  for (int i = 0; i < 8; ++i) eightShort += "a\n";
  struct Row {
    const char* name;
    std::string text;
    bool wrap;
    int topLine;
    TRect clip;
  } rows[] = {
      {"wrapped last line of the buffer", "a\n" + longLine, true, 1, {0, 0, 192, 160}},
      {"wrapped line cut by the window bottom", eightShort + longLine, true, 1, {0, 0, 192, 160}},
      {"scrolled into a wrapped line", longLine + "\n" + eightShort + longLine, true, 2, {0, 0, 192, 160}},
      {"a band of continuation rows", "a\n" + longLine + "\nb", true, 1, {0, 32, 192, 64}},
      {"without word wrap", "a\nb", false, 1, {0, 0, 192, 160}},
      {"empty buffer", "", true, 1, {0, 0, 192, 160}},
  };
  for (const auto& row : rows) {
    Painted p(row.text, 192, 160);
    p.e.edit.Gutter().SetShowLineNumbers(true);
    p.e.edit.SetWordWrap(row.wrap);
    p.e.edit.SetTopLine(row.topLine);
    ASSERT_EQ(p.e.edit.TopLine(), row.topLine) << row.name;
    p.Paint(row.clip);
    const int gutterWidth = p.e.edit.GutterWidth();
    int unpainted = 0;
    for (int y = row.clip.Top; y < row.clip.Bottom; ++y) {
      // The two rightmost columns hold the border lines.
      for (int x = row.clip.Left; x < gutterWidth - 2; ++x) unpainted += p.canvas.BackgroundAt(x, y) == clNone;
    }
    EXPECT_EQ(unpainted, 0) << row.name;
  }
}

TEST(CodeEditPainter, WrappedSelectionFollowsRows) {
  Painted p(std::string(25, 'a'), 192, 160);
  p.e.edit.SetWordWrap(true);
  p.e.edit.SetAnchorStart({18, 1});
  p.e.edit.SetAnchorEnd({23, 1});
  p.Paint();
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(17), 1), clWindow);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(18), 1), clHighlight);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(20), 1), clHighlight);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(2), 17), clHighlight);
  EXPECT_EQ(p.canvas.BackgroundAt(Painted::X(3), 17), clWindow);
}

// Fonts are measured once: a paint that measures again costs a font
// look-up on every repaint.
TEST(CodeEditPainter, ASecondPaintMeasuresNoFont) {
  struct Row {
    const char* name;
    bool lineNumbers;
    bool wrap;
    bool gutterFontStyle;
  } rows[] = {
      {"text only", false, false, true},
      {"line numbers in the gutter font", true, false, true},
      {"line numbers in the editor font", true, false, false},
      {"line numbers and word wrap", true, true, true},
  };
  for (const auto& row : rows) {
    TCppHighlighter cpp;
    Painted p(std::string(120, 'x') + "\nint y; // note");
    p.e.edit.SetHighlighter(&cpp);
    p.e.edit.Gutter().SetUseFontStyle(row.gutterFontStyle);
    p.e.edit.Gutter().SetShowLineNumbers(row.lineNumbers);
    p.e.edit.SetWordWrap(row.wrap);
    p.Paint();
    const int measured = p.canvas.FontsMeasured;
    p.Paint();
    p.Paint({0, 16, 400, 32});
    EXPECT_EQ(p.canvas.FontsMeasured, measured) << row.name;
    p.e.edit.SetHighlighter(nullptr);
  }
}

TEST(CodeEditPainter, PaintEventsAndPlugins) {
  struct Plugin : TCodeEditPlugin {
    void AfterPaint(Canvas&, const TRect&, int first, int last) override {
      firstLine = first;
      lastLine = last;
    }
    int firstLine = 0;
    int lastLine = 0;
  } plugin;
  Painted p("a\nb\nc\nd");
  p.e.edit.AddPlugin(&plugin);
  int paints = 0;
  std::vector<TTransientType> transients;
  p.e.edit.OnPaint = [&](TCustomCodeEdit&, Canvas&) { ++paints; };
  p.e.edit.OnPaintTransient = [&](TCustomCodeEdit&, Canvas* canvas, TTransientType type) {
    EXPECT_NE(canvas, nullptr);
    transients.push_back(type);
  };
  p.Paint({0, 16, 800, 48});
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(transients, std::vector<TTransientType>{ttAfter});
  EXPECT_EQ(plugin.firstLine, 2);
  EXPECT_EQ(plugin.lastLine, 3);
  p.e.edit.RemovePlugin(&plugin);
}

// The line painter is what the screen paints rows with, and what printing
// calls without an editor: given the screen's parameters it draws the same
// runs, and it touches neither the editor, its host nor its buffer.
TEST(CodeEditPainter, LinePainterDrawsTheScreenRowAndTouchesNothingElse) {
  ClassHighlighter highlighter;
  Painted p("x /*\nab 12;cd\t.");
  p.e.edit.SetHighlighter(&highlighter);
  p.Paint({0, 16, 800, 32});
  auto textArea = [](const RecordingCanvas& canvas) {
    std::vector<std::tuple<int, std::string, TColor, TColor, TFontStyles>> runs;
    for (const auto& call : canvas.Of(RecordingCanvas::kText)) {
      if (call.X >= 32) runs.emplace_back(call.X, call.Text, call.Fore, call.Back, call.Style);
    }
    return runs;
  };
  const auto screen = textArea(p.canvas);
  ASSERT_FALSE(screen.empty());

  const TLineRange rangeBefore = p.e.edit.Lines().GetLineRange(0);
  const TPoint caretBefore = p.e.host.CaretAt;
  const bool caretVisibleBefore = p.e.host.CaretVisible;
  int events = 0;
  p.e.edit.OnPaint = [&](TCustomCodeEdit&, Canvas&) { ++events; };
  p.e.edit.OnPaintTransient = [&](TCustomCodeEdit&, Canvas*, TTransientType) { ++events; };
  p.e.host.ClearRecords();

  RecordingCanvas canvas({0, 0, 800, 600});
  TheTextDrawer drawer(p.e.edit.Font());
  drawer.BeginDraw(canvas);
  drawer.SetFixedCellWidth(8);
  TLinePaintLook look;
  look.FontColor = p.e.edit.Font().Color;
  look.LineBack = p.e.edit.Color();
  look.TabWidth = p.e.edit.TabWidth();
  const std::string text = p.e.edit.Lines().ExpandedLine(1);
  TLinePaintRow row;
  row.Text = text;
  row.OriginX = p.e.edit.TextOriginX();
  row.Top = 16;
  row.First = 1;
  row.Last = 97;
  row.Limit = static_cast<int>(text.size());
  row.Clip = {30, 16, 800, 32};
  TLineScan scan{&highlighter, rangeBefore, 1};
  TLinePainter painter;
  painter.PaintRow(drawer, canvas, look, row, scan);
  drawer.EndDraw();

  EXPECT_EQ(textArea(canvas), screen);
  EXPECT_EQ(p.e.edit.Lines().GetLineRange(0), rangeBefore);
  EXPECT_FALSE(p.e.host.AnyInvalidated());
  EXPECT_EQ(p.e.host.CaretAt, caretBefore);
  EXPECT_EQ(p.e.host.CaretVisible, caretVisibleBefore);
  EXPECT_EQ(events, 0);
  p.e.edit.SetHighlighter(nullptr);
}

}  // namespace
}  // namespace vantrel
