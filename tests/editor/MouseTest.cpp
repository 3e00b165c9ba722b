// Mouse, scrolling, drag and drop, focus and the matching bracket, on the
// fake host: 8 x 16 cells, text from x = 32, 96 columns and 37 rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorTestUtil.h"
#include "editor/CodeEditWordWrap.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

// The pixel at the left edge of a display cell (1-based column and row in
// the window's coordinates, whatever the scroll position).
TPoint Cell(int column, int row) { return {32 + (column - 1) * 8, (row - 1) * 16 + 1}; }

// The pixel of a buffer position on screen.
TPoint PixelOf(const TCustomCodeEdit& edit, TBufferCoord position) {
  const TDisplayPos shown = edit.BufferToDisplay(position);
  return Cell(shown.Column - edit.LeftChar() + 1, shown.Row - edit.TopLine() + 1);
}

void Click(TCustomCodeEdit& edit, TPoint at, TShiftState shift = 0) {
  edit.MouseDown(mbLeft, shift | ssLeft, at.X, at.Y);
  edit.MouseUp(mbLeft, shift, at.X, at.Y);
}

void Drag(TCustomCodeEdit& edit, TPoint from, TPoint to, TShiftState shift = 0) {
  edit.MouseDown(mbLeft, shift | ssLeft, from.X, from.Y);
  edit.MouseMove(shift | ssLeft, to.X, to.Y);
  edit.MouseUp(mbLeft, shift, to.X, to.Y);
}

// The buffer's text as it reads back: CR LF between lines.
std::string Crlf(const std::string& text) {
  std::string result;
  for (char c : text) result += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return result;
}

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

TEST(Mouse, PixelConversions) {
  const struct {
    const char* name;
    int leftChar;
    int x;
    int y;
    TDisplayPos cell;
    TDisplayPos nearest;
  } rows[] = {
      {"text origin", 1, 32, 0, {1, 1}, {1, 1}},
      {"under half a cell rounds down", 1, 35, 5, {1, 1}, {1, 1}},
      {"half of cell 1 rounds to even (0)", 1, 36, 5, {1, 1}, {1, 1}},
      {"one and a half cells round to even (2)", 1, 44, 5, {2, 1}, {3, 1}},
      {"two and a half cells round to even (2)", 1, 52, 5, {3, 1}, {3, 1}},
      {"just past a half rounds up", 1, 37, 5, {1, 1}, {2, 1}},
      {"second row", 1, 32, 16, {1, 2}, {1, 2}},
      {"gutter: clamped to column 1", 1, 10, 40, {1, 3}, {1, 3}},
      {"gutter when scrolled: truncation toward zero", 5, 10, 0, {3, 1}, {2, 1}},
      {"scrolled right", 5, 40, 0, {6, 1}, {6, 1}},
      {"below the window: nearest stays on the last visible row", 1, 32, 5000, {1, 313}, {1, 37}},
      {"above the window", 1, 32, -20, {1, 1}, {1, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e(std::string(200, 'x'));
    e.edit.SetLeftChar(row.leftChar);
    EXPECT_EQ(e.edit.PixelsToRowColumn(row.x, row.y), row.cell) << row.name;
    EXPECT_EQ(e.edit.PixelsToNearestRowColumn(row.x, row.y), row.nearest) << row.name;
  }
}

TEST(Mouse, ClickPlacesTheCaret) {
  const struct {
    const char* name;
    std::string text;
    bool scrollPastEol;
    int codePage;
    TPoint at;
    TBufferCoord caret;
  } rows[] = {
      {"on a character", "hello", true, 1252, Cell(3, 1), {3, 1}},
      {"past the line end with scroll past end", "abc", true, 1252, Cell(10, 1), {10, 1}},
      {"past the line end without", "abc", false, 1252, Cell(10, 1), {4, 1}},
      {"below the last line", "abc\ndef", false, 1252, Cell(2, 9), {2, 2}},
      {"in the gutter: column 1", "abc\ndef", true, 1252, {5, 20}, {1, 2}},
      {"inside a tab: before it", "\tx", true, 1252, Cell(6, 1), {1, 1}},
      {"after a tab", "\tx", true, 1252, Cell(9, 1), {2, 1}},
      // "\x81\x40" is one double-byte character in code page 936.
      {"trail half of a pair: after the pair", "a\x81\x40z", true, 936, Cell(3, 1), {4, 1}},
      {"lead half of a pair: before it", "a\x81\x40z", true, 936, Cell(2, 1), {2, 1}},
  };
  for (const auto& row : rows) {
    ActiveCodePage codePage(row.codePage);
    EditorOnHost e(row.text);
    if (!row.scrollPastEol) e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoScrollPastEol));
    Click(e.edit, row.at);
    EXPECT_EQ(e.edit.CaretPos(), row.caret) << row.name;
    EXPECT_FALSE(e.edit.HasSelection()) << row.name;
    EXPECT_FALSE(e.host.Captured) << row.name;
  }
}

TEST(Mouse, WordWrapClickBeyondARowEndStaysOnThatRow) {
  TWordWrapPlugin::Install();
  // 20 columns: "aaaa bbbb cccc dddd" and " eeee ffff" as rows 1 and 2.
  EditorOnHost e("aaaa bbbb cccc dddd eeee ffff", 32 + 20 * 8, 600);
  e.edit.SetWordWrap(true);
  ASSERT_EQ(e.edit.DisplayRowCount(), 2);
  const struct {
    const char* name;
    TPoint at;
    TDisplayPos shown;
  } rows[] = {
      {"beyond the first row's end", Cell(20, 1), {20, 1}},
      {"far beyond it", Cell(30, 1), {20, 1}},
      {"on the continuation row", Cell(3, 2), {3, 2}},
      {"at the continuation row's start", Cell(1, 2), {1, 2}},
      {"beyond the last row's end: past the line end", Cell(15, 2), {15, 2}},
  };
  for (const auto& row : rows) {
    Click(e.edit, row.at);
    EXPECT_EQ(e.edit.CaretDisplayPos(), row.shown) << row.name;
  }
  // A drag ends on the same rule.
  Drag(e.edit, Cell(1, 1), Cell(20, 1));
  EXPECT_EQ(e.edit.CaretDisplayPos(), (TDisplayPos{20, 1}));
  EXPECT_EQ(e.edit.SelectedText(), "aaaa bbbb cccc dddd");
}

TEST(Mouse, SelectingWithTheMouse) {
  const std::string text = "first line\nsecond line\nthird line\nfourth";
  struct Step {
    enum { kClick, kDrag } kind;
    TBufferCoord from;
    TBufferCoord to;
    TShiftState shift;
  };
  const struct {
    const char* name;
    bool altSetsColumn;
    std::vector<Step> steps;
    std::string selected;
    TSelectionMode mode;
  } rows[] = {
      {"drag over three lines", false, {{Step::kDrag, {1, 1}, {1, 4}, 0}}, "first line\r\nsecond line\r\nthird line\r\n",
       smNormal},
      {"drag backwards", false, {{Step::kDrag, {4, 2}, {2, 1}, 0}}, "irst line\r\nsec", smNormal},
      {"shift+click extends from the old anchor", false,
       {{Step::kClick, {3, 1}, {}, 0}, {Step::kClick, {3, 2}, {}, ssShift}}, "rst line\r\nse", smNormal},
      {"shift+click extends a drag", false,
       {{Step::kDrag, {1, 1}, {3, 1}, 0}, {Step::kClick, {6, 1}, {}, ssShift}}, "first", smNormal},
      {"alt+drag with the option: a column block", true, {{Step::kDrag, {2, 1}, {5, 3}, ssAlt}},
       "irs\r\neco\r\nhir", smColumn},
      {"a plain drag after it is normal again", true,
       {{Step::kDrag, {2, 1}, {5, 3}, ssAlt}, {Step::kDrag, {1, 1}, {3, 1}, 0}}, "fi", smNormal},
      {"alt without the option: normal", false, {{Step::kDrag, {2, 1}, {5, 2}, ssAlt}}, "irst line\r\nseco",
       smNormal},
  };
  for (const auto& row : rows) {
    EditorOnHost e(text);
    if (row.altSetsColumn) e.edit.SetOptions(e.edit.Options() | OptionBit(eoAltSetsColumnMode));
    for (const Step& step : row.steps) {
      if (step.kind == Step::kClick) {
        Click(e.edit, PixelOf(e.edit, step.from), step.shift);
      } else {
        Drag(e.edit, PixelOf(e.edit, step.from), PixelOf(e.edit, step.to), step.shift);
      }
    }
    EXPECT_EQ(e.edit.SelectedText(), row.selected) << row.name;
    EXPECT_EQ(e.edit.EffectiveSelectionMode(), row.mode) << row.name;
  }
}

TEST(Mouse, PressInsideASelection) {
  EditorOnHost e("one two three");
  e.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});  // "two "
  const TPoint inside = PixelOf(e.edit, {6, 1});
  // Pressed and let go without moving: a plain click there.
  Click(e.edit, inside);
  EXPECT_FALSE(e.edit.HasSelection());
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{6, 1}));
  EXPECT_EQ(e.host.DragsStarted, 0);

  // Moved less than the threshold: still a click; then far enough: a drag.
  e.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});
  e.edit.MouseDown(mbLeft, ssLeft, inside.X, inside.Y);
  e.edit.MouseMove(ssLeft, inside.X + 3, inside.Y);
  EXPECT_EQ(e.host.DragsStarted, 0);
  e.edit.MouseMove(ssLeft, inside.X + 4, inside.Y);
  EXPECT_EQ(e.host.DragsStarted, 1);
  EXPECT_TRUE(e.edit.Dragging());
  EXPECT_EQ(e.edit.SelectedText(), "two ");
  e.edit.DragEnded(true);
  EXPECT_FALSE(e.edit.Dragging());

  // Without the option, or in the gutter, a press inside selects anew.
  e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoDragDropEditing));
  e.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});
  e.edit.MouseDown(mbLeft, ssLeft, inside.X, inside.Y);
  EXPECT_FALSE(e.edit.HasSelection());
  e.edit.MouseUp(mbLeft, 0, inside.X, inside.Y);
}

TEST(Mouse, RightButton) {
  const struct {
    const char* name;
    bool option;
    TBufferCoord at;
    TBufferCoord caret;
    bool selectionKept;
  } rows[] = {
      {"without the option nothing moves", false, {2, 1}, {9, 1}, true},
      {"with it, outside the selection: caret moves", true, {2, 1}, {2, 1}, false},
      {"with it, inside the selection: nothing moves", true, {6, 1}, {9, 1}, true},
  };
  for (const auto& row : rows) {
    EditorOnHost e("one two three");
    if (row.option) e.edit.SetOptions(e.edit.Options() | OptionBit(eoRightMouseMovesCursor));
    e.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});
    const TPoint p = PixelOf(e.edit, row.at);
    e.edit.MouseDown(mbRight, ssRight, p.X, p.Y);
    e.edit.MouseUp(mbRight, ssRight, p.X, p.Y);
    EXPECT_EQ(e.edit.CaretPos(), row.caret) << row.name;
    EXPECT_EQ(e.edit.HasSelection(), row.selectionKept) << row.name;
  }
}

TEST(Mouse, DoubleClick) {
  const struct {
    const char* name;
    TPoint at;
    bool noSelection;
    std::string selected;
  } rows[] = {
      {"a word", Cell(6, 1), false, "two"},
      {"in the gutter: nothing", {4, 1}, false, ""},
      {"with eoNoSelection: nothing", Cell(6, 1), true, ""},
  };
  for (const auto& row : rows) {
    EditorOnHost e("one two three");
    if (row.noSelection) e.edit.SetOptions(e.edit.Options() | OptionBit(eoNoSelection));
    int dblClicks = 0;
    e.edit.OnDblClick = [&](TCustomCodeEdit&) { ++dblClicks; };
    // The order a desktop sends: press, release, double click, press, release.
    Click(e.edit, row.at);
    e.edit.DblClick(row.at.X, row.at.Y);
    e.edit.MouseDown(mbLeft, ssLeft | ssDouble, row.at.X, row.at.Y);
    e.edit.MouseMove(ssLeft, row.at.X + 40, row.at.Y);  // no drag-selecting after it
    e.edit.MouseUp(mbLeft, 0, row.at.X, row.at.Y);
    EXPECT_EQ(e.edit.SelectedText(), row.selected) << row.name;
    EXPECT_EQ(dblClicks, 1) << row.name;
  }
}

TEST(Mouse, GutterClicks) {
  EditorOnHost e("a\nb\nc\nd");
  struct Raised {
    TMouseButton button;
    int line;
    TCodeEditMark* mark;
  };
  std::vector<Raised> raised;
  e.edit.OnGutterClick = [&](TCustomCodeEdit&, TMouseButton button, int, int, int line, TCodeEditMark* mark) {
    raised.push_back({button, line, mark});
  };
  auto first = std::make_unique<TCodeEditMark>();
  first->Line = 2;
  TCodeEditMark* m1 = e.edit.Marks().Add(std::move(first));
  auto second = std::make_unique<TCodeEditMark>();
  second->Line = 2;
  TCodeEditMark* m2 = e.edit.Marks().Add(std::move(second));
  const struct {
    const char* name;
    TMouseButton button;
    TPoint from;
    TPoint to;
    std::vector<int> lines;
    TCodeEditMark* mark;
  } rows[] = {
      {"left click: on release, first mark's slot", mbLeft, {5, 20}, {5, 20}, {2}, m1},
      {"second mark's slot (Xoffset 12)", mbLeft, {13, 20}, {13, 20}, {2}, m2},
      {"beyond the marks", mbLeft, {28, 20}, {28, 20}, {2}, nullptr},
      {"a line without marks", mbLeft, {5, 40}, {5, 40}, {3}, nullptr},
      {"beyond the buffer: nothing", mbLeft, {5, 200}, {5, 200}, {}, nullptr},
      {"dragged to another line: a selection, no click", mbLeft, {5, 4}, {5, 40}, {}, nullptr},
      {"released outside the gutter: no click", mbLeft, {5, 20}, {50, 20}, {}, nullptr},
  };
  for (const auto& row : rows) {
    raised.clear();
    e.edit.MouseDown(row.button, ssLeft, row.from.X, row.from.Y);
    e.edit.MouseMove(ssLeft, row.to.X, row.to.Y);
    e.edit.MouseUp(row.button, 0, row.to.X, row.to.Y);
    std::vector<int> lines;
    for (const Raised& r : raised) lines.push_back(r.line);
    EXPECT_EQ(lines, row.lines) << row.name;
    if (!raised.empty()) {
      EXPECT_EQ(raised[0].mark, row.mark) << row.name;
    }
  }
  // The right button raises it at the press, when it may move the caret.
  raised.clear();
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoRightMouseMovesCursor));
  e.edit.MouseDown(mbRight, ssRight, 5, 40);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].button, mbRight);
  e.edit.MouseUp(mbRight, ssRight, 5, 40);
  EXPECT_EQ(raised.size(), 1u);
}

TEST(Mouse, CursorShape) {
  EditorOnHost e("one two three");
  e.edit.Gutter().SetCursor(crArrow - 1);
  e.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});
  const struct {
    const char* name;
    TPoint at;
    bool captured;
    TCursor cursor;
  } rows[] = {
      {"over text", PixelOf(e.edit, {2, 1}), false, crIBeam},
      {"over the selection: it can be picked up", PixelOf(e.edit, {6, 1}), false, crArrow},
      {"over the selection while selecting", PixelOf(e.edit, {6, 1}), true, crIBeam},
      {"in the gutter", {3, 1}, false, crArrow - 1},
  };
  for (const auto& row : rows) {
    e.host.Captured = row.captured;
    e.edit.UpdateMouseCursor(row.at.X, row.at.Y);
    EXPECT_EQ(e.host.Cursor, row.cursor) << row.name;
  }
  e.edit.OnMouseCursor = [](TCustomCodeEdit&, const TBufferCoord&, TCursor& cursor) { cursor = crDrag; };
  e.edit.UpdateMouseCursor(100, 1);
  EXPECT_EQ(e.host.Cursor, crDrag);
}

TEST(Mouse, AutoScrollWhileSelecting) {
  EditorOnHost e(Numbered(200));
  const TPoint start = Cell(1, 1);
  e.edit.MouseDown(mbLeft, ssLeft, start.X, start.Y);
  // 37 rows fill 592 pixels; 600 is below them: one row a tick.
  e.host.Pointer = {40, 600};
  e.edit.MouseMove(ssLeft, 40, 600);
  ManualTimer& timer = e.host.Timers[TCustomCodeEdit::kScrollTimerId];
  ASSERT_TRUE(timer.Enabled);
  EXPECT_EQ(timer.Interval, 100);
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 2);
  EXPECT_EQ(e.edit.CaretY(), 38);
  EXPECT_EQ(e.edit.AnchorEnd().Y, 38);
  e.host.ClearRecords();
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 3);
  // Only the row that scrolled in is new; the window moved the rest.
  ASSERT_EQ(e.host.Scrolls.size(), 1u);
  EXPECT_EQ(e.host.Scrolls[0].Dy, -16);
  const TRect band = e.host.InvalidatedUnion();
  EXPECT_LE(band.Height(), 2 * 16) << "the new row and the old last row only";
  EXPECT_GE(band.Top, 35 * 16);

  // Far below: bigger steps; with Shift a page a tick.
  e.host.Pointer = {40, 600 + 3 * 16};
  e.edit.MouseMove(ssLeft, e.host.Pointer.X, e.host.Pointer.Y);
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 7);
  e.host.KeysDown.insert(VK_SHIFT);
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 7 + 4 * 37);
  e.host.KeysDown.clear();

  // Back inside the text: the timer stops; the release stops it too.
  e.host.Pointer = Cell(1, 10);
  e.edit.MouseMove(ssLeft, e.host.Pointer.X, e.host.Pointer.Y);
  EXPECT_FALSE(timer.Enabled);
  e.host.Pointer = {40, -30};
  e.edit.MouseMove(ssLeft, 40, -30);
  EXPECT_TRUE(timer.Enabled);
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 7 + 4 * 37 - 2);
  EXPECT_EQ(e.edit.CaretY(), e.edit.TopLine());
  e.edit.MouseUp(mbLeft, 0, 40, -30);
  EXPECT_FALSE(timer.Enabled);
  EXPECT_EQ(e.edit.AnchorStart(), (TBufferCoord{1, 1}));
}

TEST(Mouse, Wheel) {
  const struct {
    const char* name;
    std::vector<int> deltas;
    TShiftState shift;
    bool halfPage;
    int topLine;
    int left;
  } rows[] = {
      {"one notch down scrolls 3 rows", {-120}, 0, false, 104, 0},
      {"one notch up", {120}, 0, false, 98, 0},
      {"two half notches scroll once", {-60, -60}, 0, false, 104, 0},
      {"one half notch: nothing yet", {-60}, 0, false, 101, -60},
      {"touchpad crumbs add up", {-30, -30, -30, -30, -30}, 0, false, 104, -30},
      {"direction change cancels", {-60, 60}, 0, false, 101, 0},
      {"several notches at once", {-360}, 0, false, 110, 0},
      {"ctrl: a window", {-120}, ssCtrl, false, 101 + 37, 0},
      {"ctrl with half page", {-120}, ssCtrl, true, 101 + 18, 0},
  };
  for (const auto& row : rows) {
    EditorOnHost e(Numbered(1000));
    if (row.halfPage) e.edit.SetOptions(e.edit.Options() | OptionBit(eoHalfPageScroll));
    e.edit.SetTopLine(101);
    const TBufferCoord caret = e.edit.CaretPos();
    int scrolled = 0;
    e.edit.OnScroll = [&](TCustomCodeEdit&, TScrollBarKind bar) { scrolled += bar == sbVertical; };
    e.host.ClearRecords();
    for (int delta : row.deltas) e.edit.MouseWheel(row.shift, delta);
    EXPECT_EQ(e.edit.TopLine(), row.topLine) << row.name;
    EXPECT_EQ(e.edit.WheelAccumulator(), row.left) << row.name;
    EXPECT_EQ(e.edit.CaretPos(), caret) << row.name;
    EXPECT_EQ(scrolled, static_cast<int>(row.deltas.size())) << row.name;
    // Scrolling by less than a window moves pixels and repaints nothing else.
    if (row.topLine != 101 && row.shift == 0) {
      EXPECT_TRUE(e.host.Invalidated.empty()) << row.name;
    }
  }
}

TEST(Mouse, VerticalScrollBar) {
  const struct {
    const char* name;
    int lines;
    bool oneLess;
    TScrollCode code;
    int position;
    int topLine;
  } rows[] = {
      {"line down", 1000, false, scLineDown, 0, 102},
      {"line up", 1000, false, scLineUp, 0, 100},
      {"page down", 1000, false, scPageDown, 0, 101 + 37},
      {"page down by one less", 1000, true, scPageDown, 0, 101 + 36},
      {"page up by one less", 1000, true, scPageUp, 0, 101 - 36},
      {"top", 1000, false, scTop, 0, 1},
      {"bottom: as far as it goes", 1000, false, scBottom, 0, 1000 - 37 + 1},
      {"thumb", 1000, false, scTrack, 500, 500},
      {"thumb let go", 1000, false, scPosition, 250, 250},
      {"scaled thumb past 32767 rows", 100000, false, scTrack, 16384, (100000 + 36) * 16384LL / 32767},
      {"scaled thumb at the end", 100000, false, scTrack, 32767, 100000 - 37 + 1},
      {"exactly 32767 rows: unscaled", 32767, false, scTrack, 5000, 5000},
  };
  for (const auto& row : rows) {
    EditorOnHost e(Numbered(row.lines));
    e.edit.SetTopLine(101);
    if (row.oneLess) e.edit.SetOptions(e.edit.Options() | OptionBit(eoScrollByOneLess));
    e.edit.ScrollBarMessage(sbVertical, row.code, row.position);
    EXPECT_EQ(e.edit.TopLine(), row.topLine) << row.name;
  }
}

TEST(Mouse, ScrollBarsReportScaledRanges) {
  EditorOnHost e(Numbered(100000));
  e.edit.SetTopLine(50001);
  const TScrollBarState bar = e.host.ScrollBars[sbVertical];
  EXPECT_EQ(bar.Max, 32767);
  EXPECT_EQ(bar.Page, 32767 * 37 / 100000);
  EXPECT_EQ(bar.Position, static_cast<int>(32767LL * 50001 / 100000));
  // Dragging the thumb back to where the bar shows it lands near the same row.
  e.edit.ScrollBarMessage(sbVertical, scTrack, bar.Position);
  // (The thumb maps back over rows + VisibleRows - 1, the bar over rows.)
  EXPECT_NEAR(e.edit.TopLine(), 50001, 37);
}

TEST(Mouse, HorizontalScrollBar) {
  const struct {
    const char* name;
    int longest;
    bool pastEol;
    TScrollCode code;
    int position;
    int leftChar;
  } rows[] = {
      {"line right", 500, true, scLineDown, 0, 12},
      {"page left", 500, true, scPageUp, 0, 1},
      {"right end with scroll past end", 500, true, scBottom, 0, 1024 - 96 + 1},
      {"right end without: the longest line", 500, false, scBottom, 0, 500 - 96 + 1},
      {"thumb", 500, true, scTrack, 300, 300},
      {"scaled thumb on a 40000 column range", 40000, false, scTrack, 32767 / 2, 40000 * (32767 / 2) / 32767},
  };
  for (const auto& row : rows) {
    EditorOnHost e(std::string(row.longest, 'x'));
    if (!row.pastEol) e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoScrollPastEol));
    e.edit.SetLeftChar(11);
    e.edit.ScrollBarMessage(sbHorizontal, row.code, row.position);
    EXPECT_EQ(e.edit.LeftChar(), row.leftChar) << row.name;
  }
}

TEST(Mouse, ScrollHint) {
  const struct {
    const char* name;
    TScrollHintFormat format;
    bool follows;
    bool wrapped;
    std::string text;
  } rows[] = {
      {"top line", shfTopLineOnly, false, false, "Top Line: 200"},
      {"top to bottom", shfTopToBottom, false, false, "200 - 237"},
      {"follows the thumb", shfTopLineOnly, true, false, "Top Line: 200"},
      {"buffer lines under word wrap", shfTopLineOnly, false, true, "Top Line: 100"},
  };
  TWordWrapPlugin::Install();
  for (const auto& row : rows) {
    // Under word wrap every line of 150 x takes two rows.
    EditorOnHost e(row.wrapped ? std::string() : Numbered(1000));
    if (row.wrapped) {
      std::string text;
      for (int i = 0; i < 1000; ++i) text += std::string(150, 'x') + "\n";
      e.edit.SetText(text);
      e.edit.SetWordWrap(true);
    }
    e.edit.SetScrollHintFormat(row.format);
    if (row.follows) e.edit.SetOptions(e.edit.Options() | OptionBit(eoScrollHintFollows));
    e.edit.ScrollBarMessage(sbVertical, scTrack, row.wrapped ? 199 : 200);
    EXPECT_TRUE(e.host.HintVisible) << row.name;
    EXPECT_TRUE(e.edit.Scrolling()) << row.name;
    EXPECT_EQ(e.host.HintText, row.text) << row.name;
    EXPECT_EQ(e.host.HintAt, (TPoint{796, 10})) << row.name;
    EXPECT_EQ(e.host.HintFollowsThumb, row.follows) << row.name;
    EXPECT_EQ(e.host.HintColor, clInfoBk) << row.name;
    e.edit.ScrollBarMessage(sbVertical, scEndScroll, 0);
    EXPECT_FALSE(e.host.HintVisible) << row.name;
    EXPECT_FALSE(e.edit.Scrolling()) << row.name;
  }
  EditorOnHost quiet(Numbered(1000));
  quiet.edit.SetOptions(quiet.edit.Options() & ~OptionBit(eoShowScrollHint));
  quiet.edit.ScrollBarMessage(sbVertical, scTrack, 300);
  EXPECT_FALSE(quiet.host.HintVisible);
}

// Presses inside the selection and drops at `to` (buffer coordinates).
void DragSelection(TCustomCodeEdit& source, TCustomCodeEdit& target, TBufferCoord to, TShiftState shift) {
  const TBufferCoord inside = source.AnchorStart();
  const TPoint from = PixelOf(source, inside);
  source.MouseDown(mbLeft, ssLeft, from.X, from.Y);
  source.MouseMove(ssLeft, from.X + 10, from.Y + 10);
  const TPoint at = PixelOf(target, to);
  EXPECT_TRUE(target.DragOver(&source, at.X, at.Y, dsDragEnter));
  target.DragDrop(&source, at.X, at.Y, shift);
  source.DragEnded(false);
}

TEST(Mouse, DragAndDropWithinAnEditor) {
  const struct {
    const char* name;
    std::string text;
    TBufferCoord blockStart;
    TBufferCoord blockEnd;
    TSelectionMode mode;
    TBufferCoord drop;
    TShiftState shift;
    std::string result;
    std::string selected;
    TBufferCoord caret;
  } rows[] = {
      {"move after the selection", "one two three", {5, 1}, {9, 1}, smNormal, {14, 1}, 0, "one threetwo ", "two ",
       {10, 1}},
      {"move before it", "one two three", {5, 1}, {9, 1}, smNormal, {1, 1}, 0, "two one three", "two ", {1, 1}},
      {"drop inside: nothing but the caret", "one two three", {5, 1}, {9, 1}, smNormal, {7, 1}, 0,
       "one two three", "two ", {7, 1}},
      {"move right at its end: nothing", "one two three", {5, 1}, {9, 1}, smNormal, {9, 1}, 0, "one two three",
       "two ", {9, 1}},
      {"copy right at its end", "one two three", {5, 1}, {9, 1}, smNormal, {9, 1}, ssCtrl, "one two two three",
       "two ", {9, 1}},
      {"copy after it", "one two three", {5, 1}, {9, 1}, smNormal, {14, 1}, ssCtrl, "one two threetwo ", "two ",
       {14, 1}},
      {"move a multi-line block to a later line", "ab\ncd\nef\ngh", {2, 1}, {2, 2}, smNormal, {2, 4}, 0,
       "ad\nef\ngb\nch", "b\r\nc", {2, 3}},
      {"move to the block's end line", "abc\ndefgh", {2, 1}, {2, 2}, smNormal, {4, 2}, 0, "aefbc\ndgh",
       "bc\r\nd", {4, 1}},
      {"column block copied down, over tabs", "abcd\nefgh\n\tx\n\ty", {2, 1}, {4, 2}, smColumn, {2, 3}, ssCtrl,
       "abcd\nefgh\n\tbcx\n\tfgy", "bc\r\nfg", {2, 3}},
      {"column block moved right on its last row", "abcd\nefgh\nij", {2, 1}, {4, 2}, smColumn, {5, 2}, 0,
       "ad\nehbc\nijfg", "bc\r\nfg", {3, 2}},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.text);
    e.edit.SetOptions(e.edit.Options() & ~OptionBit(eoTabsToSpaces));
    e.edit.SetEffectiveSelectionMode(row.mode);
    e.edit.PlaceCaretAndBlock(row.blockEnd, row.blockStart, row.blockEnd);
    DragSelection(e.edit, e.edit, row.drop, row.shift);
    EXPECT_EQ(Lines(e.edit), Crlf(row.result)) << row.name;
    EXPECT_EQ(e.edit.SelectedText(), row.selected) << row.name;
    EXPECT_EQ(e.edit.CaretPos(), row.caret) << row.name;
    // One undo step takes it all back.
    e.edit.Undo();
    EXPECT_EQ(Lines(e.edit), Crlf(row.text)) << row.name;
    e.edit.Redo();
    EXPECT_EQ(Lines(e.edit), Crlf(row.result)) << row.name;
  }
}

TEST(Mouse, DragAndDropBetweenEditors) {
  const struct {
    const char* name;
    TShiftState shift;
    bool readOnly;
    bool sourceReadOnly;
    std::string source;
    std::string target;
  } rows[] = {
      {"copied by default", 0, false, false, "one two three", "[two ]"},
      {"moved with shift", ssShift, false, false, "one three", "[two ]"},
      {"ctrl makes no move between editors", ssCtrl, false, false, "one two three", "[two ]"},
      {"read-only target refuses", ssShift, true, false, "one two three", "[]"},
      {"a read-only source is copied from, never cut", ssShift, false, true, "one two three", "[two ]"},
  };
  for (const auto& row : rows) {
    EditorOnHost from("one two three");
    EditorOnHost to("[]");
    to.edit.SetReadOnly(row.readOnly);
    from.edit.SetReadOnly(row.sourceReadOnly);
    from.edit.PlaceCaretAndBlock({9, 1}, {5, 1}, {9, 1});
    const TPoint at = PixelOf(to.edit, {2, 1});
    EXPECT_EQ(to.edit.DragOver(&from.edit, at.X, at.Y, dsDragMove), !row.readOnly) << row.name;
    to.edit.DragDrop(&from.edit, at.X, at.Y, row.shift);
    EXPECT_EQ(Lines(from.edit), row.source) << row.name;
    EXPECT_EQ(Lines(to.edit), row.target) << row.name;
    if (row.readOnly) continue;
    EXPECT_EQ(to.edit.SelectedText(), "two ") << row.name;
    ASSERT_NE(to.edit.UndoList().Newest(), nullptr) << row.name;
    EXPECT_EQ(to.edit.UndoList().Newest()->ChangeKind, ckInserted) << row.name;
    // Each editor undoes its own half.
    to.edit.Undo();
    EXPECT_EQ(Lines(to.edit), "[]") << row.name;
    from.edit.SetReadOnly(false);
    from.edit.Undo();
    EXPECT_EQ(Lines(from.edit), "one two three") << row.name;
  }
  // Nothing comes from a drag that is no editor's.
  EditorOnHost target("x");
  EXPECT_FALSE(target.edit.DragOver(nullptr, 40, 1, dsDragEnter));
}

TEST(Mouse, DragOverFollowsThePointer) {
  EditorOnHost e(Numbered(100));
  e.edit.PlaceCaretAndBlock({4, 1}, {1, 1}, {4, 1});
  const TPoint press = PixelOf(e.edit, {2, 1});
  e.edit.MouseDown(mbLeft, ssLeft, press.X, press.Y);
  e.edit.MouseMove(ssLeft, press.X, press.Y + 20);
  ASSERT_TRUE(e.edit.Dragging());
  e.edit.DragOver(&e.edit, Cell(3, 5).X, Cell(3, 5).Y, dsDragMove);
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{3, 5}));
  EXPECT_EQ(e.edit.SelectedText(), "lin") << "the selection being dragged stays";
  // Below the window the caret stays on the last visible row, and the view scrolls.
  e.host.Pointer = {40, 650};
  e.edit.DragOver(&e.edit, 40, 650, dsDragMove);
  EXPECT_EQ(e.edit.CaretY(), 37);
  EXPECT_TRUE(e.host.Timers[TCustomCodeEdit::kScrollTimerId].Enabled);
  e.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
  EXPECT_EQ(e.edit.TopLine(), 5);
  EXPECT_EQ(e.edit.SelectedText(), "lin");
  // Leaving puts the caret back at the press; a cancelled drag stops the timer.
  e.edit.DragOver(&e.edit, 40, 650, dsDragLeave);
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{2, 1}));
  e.edit.DragEnded(true);
  EXPECT_FALSE(e.host.Timers[TCustomCodeEdit::kScrollTimerId].Enabled);
}

TEST(Mouse, DroppedFiles) {
  EditorOnHost e("x");
  std::vector<std::string> received;
  e.edit.OnDropFiles = [&](TCustomCodeEdit&, int, int, const std::vector<std::string>& files) { received = files; };
  e.edit.DropFiles(10, 10, {"/tmp/a.txt"});
  EXPECT_TRUE(received.empty()) << "not accepted without eoDropFiles";
  e.edit.SetOptions(e.edit.Options() | OptionBit(eoDropFiles));
  e.edit.DropFiles(10, 10, {"/tmp/a.txt", "/tmp/b c.cpp"});
  EXPECT_EQ(received, (std::vector<std::string>{"/tmp/a.txt", "/tmp/b c.cpp"}));
}

TEST(Mouse, FocusChanges) {
  EditorOnHost e("abc");
  std::vector<TCodeEditorCommand> seen;
  e.edit.AddHookedCommandHandler(&seen, [&](TCustomCodeEdit&, bool after, bool&, TCodeEditorCommand& command,
                                            char&, void*) {
    if (!after) seen.push_back(command);
  });
  const int creates = e.host.CaretCreates;
  e.edit.FocusGained();
  EXPECT_EQ(e.host.CaretCreates, creates + 1);
  e.host.HasFocus = false;
  e.edit.FocusLost();
  EXPECT_FALSE(e.host.CaretVisible);
  EXPECT_EQ(seen, (std::vector<TCodeEditorCommand>{ecGotFocus, ecLostFocus}));
  EXPECT_EQ(Lines(e.edit), "abc");
}

TEST(Mouse, MatchingBracket) {
  TCppHighlighter cpp;
  const struct {
    const char* name;
    std::string text;
    bool highlighted;
    TBufferCoord at;
    TBufferCoord match;
  } rows[] = {
      {"first of nested parentheses", "f(a(b)c)", false, {2, 1}, {8, 1}},
      {"inner pair", "f(a(b)c)", false, {4, 1}, {6, 1}},
      {"closing goes back", "f(a(b)c)", false, {8, 1}, {2, 1}},
      {"not a bracket", "f(a(b)c)", false, {1, 1}, {0, 0}},
      {"no partner", "f(a(b c", false, {2, 1}, {0, 0}},
      {"across lines", "{\n  if (x) {\n  }\n}", false, {1, 1}, {1, 4}},
      {"across lines backwards", "{\n  if (x) {\n  }\n}", false, {3, 3}, {10, 2}},
      {"angle brackets", "a<b<c>>", false, {2, 1}, {7, 1}},
      {"other kinds do not count", "([)]", false, {1, 1}, {3, 1}},
      {"past the line end", "()", false, {3, 1}, {0, 0}},
      {"a ) in a string does not count", "f(\")\")", true, {2, 1}, {6, 1}},
      {"without a highlighter it does", "f(\")\")", false, {2, 1}, {4, 1}},
      {"a ) in a comment does not count", "f( // )\n)", true, {2, 1}, {1, 2}},
      {"a block comment across lines", "f( /* \n ) */ )", true, {2, 1}, {7, 2}},
      {"backwards over a comment", "( /* ( */ )", true, {11, 1}, {1, 1}},
      {"a start bracket inside a string still pairs", "\"(\" )", true, {2, 1}, {5, 1}},
  };
  for (const auto& row : rows) {
    EditorOnHost e(row.text);
    if (row.highlighted) e.edit.SetHighlighter(&cpp);
    EXPECT_EQ(e.edit.MatchingBracketAt(row.at), row.match) << row.name;
    e.edit.SetCaretPos(row.at);
    e.edit.HandleCommand(ecMatchBracket, '\0', nullptr);
    EXPECT_EQ(e.edit.CaretPos(), row.match.X > 0 ? row.match : row.at) << row.name;
    e.edit.SetHighlighter(nullptr);
  }
}

TEST(Mouse, MatchingBracketStepsOverDoubleByteCharacters) {
  ActiveCodePage codePage(936);
  // 0x81 0x29 is one character whose second byte is ")".
  EditorOnHost e("(\x81\x29)");
  EXPECT_EQ(e.edit.MatchingBracketAt({1, 1}), (TBufferCoord{4, 1}));
  EXPECT_EQ(e.edit.MatchingBracketAt({4, 1}), (TBufferCoord{1, 1}));
  EXPECT_EQ(e.edit.MatchingBracketAt({3, 1}), (TBufferCoord{0, 0})) << "a trail byte is no bracket";
}

TEST(Mouse, ShiftCtrlBSendsMatchBracket) {
  EditorOnHost e("(a)");
  TVirtualKey key = 'B';
  e.edit.KeyDown(key, ssShift | ssCtrl);
  EXPECT_EQ(e.edit.CaretPos(), (TBufferCoord{3, 1}));
}

}  // namespace
}  // namespace vantrel
