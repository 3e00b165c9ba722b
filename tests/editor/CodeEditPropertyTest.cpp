// Random caret moves and selection replacements keep the buffer, the caret
// and the anchors valid; ranges scanned late equal a scan from the top.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EditorTestUtil.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

std::string RandomText(std::mt19937& rng, bool doubleByte) {
  static const char* pieces[] = {"a", "b", " ", "\t", "\r\n", "\n", "xyz", "  ", "(", "_w"};
  std::string text;
  int n = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int i = 0; i < n; ++i) {
    if (doubleByte && rng() % 5 == 0) {
      text += "\xB0\xA1";
    } else {
      text += pieces[rng() % std::size(pieces)];
    }
  }
  return text;
}

void CheckValid(const TCustomCodeEdit& edit, const std::string& step) {
  const int count = edit.LineCount();
  const int maxY = std::max(count, 1);
  ASSERT_GE(edit.CaretY(), 1) << step;
  ASSERT_LE(edit.CaretY(), maxY) << step;
  ASSERT_GE(edit.CaretX(), 1) << step;
  auto widest = [&](int y) {
    return std::max(edit.MaxScrollWidth() + 1, static_cast<int>(edit.LineText(y).size()) + 1);
  };
  // Trimming may leave the caret past the stored text by the trimmed blanks.
  const int slack = edit.HasOption(eoTrimTrailingSpaces) ? 64 : 0;
  ASSERT_LE(edit.CaretX(), widest(edit.CaretY()) + slack) << step;
  // Trimming keeps the caret where typed blanks ended, past the stored text.
  if (!edit.HasOption(eoScrollPastEol) && !edit.HasOption(eoTrimTrailingSpaces)) {
    ASSERT_LE(edit.CaretX(), static_cast<int>(edit.LineText(edit.CaretY()).size()) + 1) << step;
  }
  for (TBufferCoord anchor : {edit.RawAnchorStart(), edit.RawAnchorEnd()}) {
    ASSERT_GE(anchor.Y, 1) << step;
    ASSERT_LE(anchor.Y, maxY) << step;
    ASSERT_GE(anchor.X, 1) << step;
    ASSERT_LE(anchor.X, widest(anchor.Y)) << step;
  }
  ASSERT_GE(edit.TopLine(), 1) << step;
  ASSERT_GE(edit.LeftChar(), 1) << step;
  ASSERT_EQ(edit.UpdateBatchDepth(), 0) << step;
  ASSERT_FALSE(edit.LinesChanging()) << step;
}

void Soak(unsigned seed, bool doubleByte, int steps) {
  std::mt19937 rng(seed);
  EditorOnHost e("alpha beta\r\n\tgamma\r\n\r\ndelta  ", 400, 200);
  e.edit.SetMaxScrollWidth(30);  // lines may grow wider than this
  std::string model = Lines(e.edit);
  for (int step = 0; step < steps; ++step) {
    const int count = e.edit.LineCount();
    auto randomPos = [&] {
      return TBufferCoord{std::uniform_int_distribution<int>(-2, 40)(rng),
                          std::uniform_int_distribution<int>(-1, count + 2)(rng)};
    };
    const unsigned op = rng() % 12;
    const std::string before = Lines(e.edit);
    const TBufferCoord caretBefore = e.edit.CaretPos();
    const std::string anchorsBefore = std::to_string(e.edit.RawAnchorStart().X) + "," +
                                      std::to_string(e.edit.RawAnchorStart().Y) + "-" +
                                      std::to_string(e.edit.RawAnchorEnd().X) + "," +
                                      std::to_string(e.edit.RawAnchorEnd().Y) + " mode " +
                                      std::to_string(e.edit.EffectiveSelectionMode());
    switch (op) {
      case 0:
        e.edit.SetCaretPos(randomPos());
        break;
      case 1:
        e.edit.SetCaretKeepBlock(randomPos());
        break;
      case 2:
        e.edit.SetAnchorStart(randomPos());
        break;
      case 3:
        e.edit.SetAnchorEnd(randomPos());
        break;
      case 4:
        e.edit.SetSelectionMode(static_cast<TSelectionMode>(rng() % 3));
        break;
      case 5:
      case 6: {
        // Replacing with the selected text itself must leave the text alone
        // (except in line mode at the buffer end, which keeps an empty line).
        const bool lineAtEnd = e.edit.EffectiveSelectionMode() == smLine && e.edit.HasSelection() &&
                               e.edit.AnchorEnd().Y >= count;
        e.edit.SetSelectedText(e.edit.SelectedText());
        if (!lineAtEnd && e.edit.EffectiveSelectionMode() != smColumn &&
            !e.edit.HasOption(eoTrimTrailingSpaces)) {
          ASSERT_EQ(Lines(e.edit), before) << "step " << step;
        }
        break;
      }
      case 7:
      case 8:
        e.edit.SetSelectedText(RandomText(rng, doubleByte));
        break;
      case 9:
        e.edit.ReplaceSelectionInMode(static_cast<TSelectionMode>(rng() % 3), RandomText(rng, doubleByte),
                                      rng() % 2 == 0);
        break;
      case 10: {
        TCodeEditorOptions options = e.edit.Options();
        options ^= OptionBit(rng() % 2 ? eoScrollPastEol : eoTrimTrailingSpaces);
        e.edit.SetOptions(options);
        break;
      }
      case 11:
        if (rng() % 3 == 0) {
          e.edit.SelectAll();
        } else {
          e.edit.SetSelectionStart(std::uniform_int_distribution<int>(-3, 200)(rng));
          e.edit.SetSelectionLength(std::uniform_int_distribution<int>(-50, 50)(rng));
        }
        break;
    }
    CheckValid(e.edit, "step " + std::to_string(step) + " op " + std::to_string(op) + " caret before " +
                           std::to_string(caretBefore.X) + "," + std::to_string(caretBefore.Y) + " anchors " + anchorsBefore + " text before [" +
                           before + "] after [" + Lines(e.edit) + "] options " + std::to_string(e.edit.Options()));
    if (::testing::Test::HasFatalFailure()) return;
    // The character index conversion is consistent for every valid position.
    TBufferCoord caret = e.edit.CaretPos();
    if (caret.X <= static_cast<int>(e.edit.LineText(caret.Y).size()) + 1 && e.edit.LineCount() > 0) {
      ASSERT_EQ(e.edit.IndexToPosition(e.edit.PositionToIndex(caret)), caret) << step;
    }
  }
}

TEST(CodeEditProperty, RandomEditsKeepCaretAndAnchorsValid) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    Soak(seed, false, 400);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(CodeEditProperty, RandomEditsWithADoubleByteCodePage) {
  ActiveCodePage cp(936);
  for (unsigned seed = 100; seed <= 110; ++seed) {
    SCOPED_TRACE(seed);
    Soak(seed, true, 400);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// What a scan of every line from the top gives.
std::vector<TLineRange> FullScanRanges(TCustomHighlighter& highlighter, const TCodeEditStringList& lines) {
  std::vector<TLineRange> ranges;
  highlighter.ResetRangeState();
  for (int i = 0; i < lines.Count(); ++i) {
    highlighter.StartLine(lines.Get(i), i);
    highlighter.ScanToLineEnd();
    ranges.push_back(highlighter.RangeState());
    highlighter.SetRangeState(ranges.back());
  }
  return ranges;
}

std::string RandomCppText(std::mt19937& rng, int pieces) {
  // What opens, continues and closes the C/C++ multi-line constructs.
  static const char* kPieces[] = {"/*", "*/", "\"", "'", "\\", "\r\n", "\n", "x", "#define ", "//", " ", "asm {", "}"};
  std::string text;
  for (int i = 0; i < pieces; ++i) text += kPieces[rng() % std::size(kPieces)];
  return text;
}

TEST(CodeEditProperty, RangesScannedLateEqualAFullScan) {
  TCppHighlighter cpp;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    EditorOnHost e;
    e.edit.SetDeferredScanLines(8);
    e.edit.SetHighlighter(&cpp);
    e.edit.SetText(RandomCppText(rng, 600));
    for (int step = 0; step < 300; ++step) {
      const int count = e.edit.LineCount();
      auto randomLine = [&] { return std::uniform_int_distribution<int>(0, std::max(count - 1, 0))(rng); };
      const unsigned op = rng() % 9;
      switch (op) {
        case 0:
          e.edit.EnsureRangesUpTo(randomLine());
          break;
        case 1:
          e.edit.TimerTick(TCustomCodeEdit::kRangeScanTimerId);
          break;
        case 2:
        case 3:
          e.edit.SetCaretPos({std::uniform_int_distribution<int>(1, 8)(rng), randomLine() + 1});
          e.edit.SetCaretKeepBlock({std::uniform_int_distribution<int>(1, 8)(rng), randomLine() + 1});
          e.edit.SetSelectedText(RandomCppText(rng, std::uniform_int_distribution<int>(0, 6)(rng)));
          break;
        case 4: {
          std::vector<std::string> owned;
          for (int i = std::uniform_int_distribution<int>(1, 30)(rng); i > 0; --i) owned.push_back(RandomCppText(rng, 3));
          std::vector<std::string_view> texts(owned.begin(), owned.end());
          e.edit.Lines().InsertLines(std::min(randomLine(), count), texts);
          break;
        }
        case 5:
          if (count > 1) e.edit.Lines().Delete(randomLine());
          break;
        case 6:
          e.edit.Undo();
          break;
        case 7:
          if (rng() % 10 == 0) e.edit.Lines().LoadFromBytes(RandomCppText(rng, 300), "soak.cpp");
          break;
        case 8:
          if (rng() % 10 == 0) e.edit.SetHighlighter(rng() % 2 ? nullptr : &cpp);
          break;
      }
      if (!e.edit.Highlighter()) continue;
      const std::vector<TLineRange> expected = FullScanRanges(cpp, e.edit.Lines());
      ASSERT_LE(e.edit.KnownRangeCount(), e.edit.LineCount()) << "step " << step << " op " << op;
      for (int i = 0; i < e.edit.KnownRangeCount(); ++i) {
        ASSERT_EQ(e.edit.Lines().GetLineRange(i), expected[size_t(i)]) << "line " << i << " step " << step << " op " << op;
      }
    }
    if (!e.edit.Highlighter()) e.edit.SetHighlighter(&cpp);
    e.edit.EnsureRangesUpTo(e.edit.LineCount() - 1);
    const std::vector<TLineRange> expected = FullScanRanges(cpp, e.edit.Lines());
    for (int i = 0; i < e.edit.LineCount(); ++i) ASSERT_EQ(e.edit.Lines().GetLineRange(i), expected[size_t(i)]) << i;
  }
}

}  // namespace
}  // namespace vantrel
