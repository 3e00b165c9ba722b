// Gutter arithmetic and marks.
#include <gtest/gtest.h>

#include "editor/CodeEditMiscClasses.h"

namespace vantrel {
namespace {

TEST(CodeEditMiscClasses, GutterLineNumbers) {
  struct Row {
    const char* name;
    int digitCount;
    bool leadingZeros;
    int lineNumberStart;
    int lineCount;
    int line;
    const char* text;
  } rows[] = {
      {"auto size widens to five digits", 4, false, 1, 12345, 7, "    7"},
      {"leading zeros", 4, true, 1, 12345, 7, "00007"},
      {"zero start shows line 1 as 0", 4, false, 0, 10, 1, "   0"},
      {"offset start", 2, false, 100, 10, 1, "100"},
      {"digit count is at least two", 1, false, 1, 5, 3, " 3"},
  };
  for (const auto& row : rows) {
    TGutter gutter;
    gutter.SetShowLineNumbers(true);
    gutter.SetAutoSize(true);
    gutter.SetDigitCount(row.digitCount);
    gutter.SetLeadingZeros(row.leadingZeros);
    gutter.SetLineNumberStart(row.lineNumberStart);
    gutter.FitDigitCount(row.lineCount);
    EXPECT_EQ(gutter.LineNumberText(row.line), row.text) << row.name;
  }
}

TEST(CodeEditMiscClasses, GutterWidthAndChangeNotification) {
  TGutter gutter;
  int changes = 0;
  gutter.OnChange = [&] { ++changes; };
  EXPECT_EQ(gutter.GutterPixelWidth(8), 30);
  gutter.SetWidth(-5);
  EXPECT_EQ(gutter.Width(), 0);
  gutter.SetShowLineNumbers(true);
  EXPECT_EQ(gutter.GutterPixelWidth(8), 16 + 2 + 4 * 8 + 2);
  gutter.SetVisible(false);
  EXPECT_EQ(gutter.GutterPixelWidth(8), 0);
  EXPECT_EQ(changes, 3);
  gutter.SetVisible(false);
  EXPECT_EQ(changes, 3) << "an unchanged value does not notify";
  gutter.SetLineNumberStart(-4);
  EXPECT_EQ(gutter.LineNumberStart(), 0);
  EXPECT_TRUE(gutter.ZeroStart());
}

TEST(CodeEditMiscClasses, MarksFollowLineEdits) {
  struct Row {
    const char* name;
    bool insert;
    int first;
    int count;
    std::vector<int> expected;
  } rows[] = {
      {"insert above moves down", true, 3, 2, {1, 2, 5, 7, 9}},
      {"delete inside moves to the first line", false, 2, 3, {1, 2, 2, 2, 4}},
      {"delete above the marks moves them up", false, 1, 1, {1, 1, 2, 4, 6}},
  };
  for (const auto& row : rows) {
    TCodeEditMarkList marks;
    for (int line : {1, 2, 3, 5, 7}) {
      auto mark = std::make_unique<TCodeEditMark>();
      mark->Line = line;
      marks.Add(std::move(mark));
    }
    if (row.insert) {
      marks.LinesInserted(row.first, row.count);
    } else {
      marks.LinesDeleted(row.first, row.count);
    }
    std::vector<int> lines;
    for (int i = 0; i < marks.Count(); ++i) lines.push_back(marks.Item(i).Line);
    EXPECT_EQ(lines, row.expected) << row.name;
  }
}

}  // namespace
}  // namespace vantrel
