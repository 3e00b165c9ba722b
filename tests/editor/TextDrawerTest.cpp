// The text drawer: drawing state, fonts shared between drawers, fixed cells.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Assert.h"
#include "editor/TextDrawer.h"
#include "support/RecordingCanvas.h"

namespace vantrel {
namespace {

TFont Font(const char* name, int size) {
  TFont font;
  font.Name = name;
  font.Size = size;
  return font;
}

TEST(TextDrawer, DrawsOnTheCellGridInTheSelectedStyle) {
  RecordingCanvas canvas({0, 0, 100, 100}, 7, 13);
  TheTextDrawer drawer(Font("Drawer Mono", 11));
  drawer.BeginDraw(canvas);
  drawer.SelectStyle(fsBold | fsItalic);
  drawer.SetTextColor(clRed);
  drawer.SetFillColor(clYellow);
  EXPECT_EQ(drawer.CellWidth(), 7);
  EXPECT_EQ(drawer.CellHeight(), 13);
  drawer.DrawTextInRect(5, 6, true, {5, 6, 26, 19}, "abc");
  drawer.DrawText(1, 2, "z");
  drawer.SetFixedCellWidth(9);
  drawer.SetExtraSpacing(1);
  EXPECT_EQ(drawer.CellWidth(), 10);
  drawer.EndDraw();
  ASSERT_EQ(canvas.Calls.size(), 2u);
  EXPECT_EQ(canvas.Calls[0].Style, fsBold | fsItalic);
  EXPECT_EQ(canvas.Calls[0].CellWidth, 7);
  EXPECT_EQ(canvas.Calls[0].Back, clYellow);
  EXPECT_EQ(canvas.Calls[0].Fore, clRed);
  EXPECT_EQ(canvas.Calls[1].Back, clNone) << "plain text is transparent";
  EXPECT_EQ(canvas.Calls[1].Rect, (TRect{1, 2, 8, 15}));
}

TEST(TextDrawer, DrawersWithOneFontShareItsMetrics) {
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  const int before = manager.Count();
  {
    TheTextDrawer a(Font("Shared Mono", 10));
    TheTextDrawer b(Font("Shared Mono", 10));
    TFont bold = Font("Shared Mono", 10);
    bold.Style = fsBold;  // the style is not part of the shared record
    TheTextDrawer c(bold);
    EXPECT_EQ(manager.Count(), before + 1);
    RecordingCanvas canvas({0, 0, 10, 10}, 6, 12);
    a.BeginDraw(canvas);
    EXPECT_EQ(a.CellWidth(), 6);
    a.EndDraw();
    EXPECT_EQ(b.CellWidth(), 6) << "measured once, known to every drawer of the font";
    TFont other = Font("Shared Mono", 12);
    b.SetBaseFont(&other);
    EXPECT_EQ(manager.Count(), before + 2);
    EXPECT_EQ(b.CellWidth(), 0) << "not measured yet";
  }
  EXPECT_EQ(manager.Count(), before);
}

TEST(TextDrawer, Misuse) {
  TheTextDrawer drawer(Font("Misuse Mono", 10));
  try {
    drawer.SetBaseFont(nullptr);
    FAIL();
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "SetBaseFont: 'Value' must be specified.");
  }
  TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
  TheSharedFontsInfo* info = manager.GetFontsInfo(Font("Misuse Mono", 10));
  RecordingCanvas canvas;
  drawer.BeginDraw(canvas);
  drawer.BeginDraw(canvas);  // nesting with the same canvas
  EXPECT_TRUE(drawer.Drawing());
  try {
    manager.ReleaseFontInfo(info);
    FAIL();
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Call DeactivateFontsInfo before calling this.");
  }
  drawer.EndDraw();
  EXPECT_TRUE(drawer.Drawing());
  drawer.EndDraw();
  EXPECT_FALSE(drawer.Drawing());
  manager.ReleaseFontInfo(info);
  RecordingCanvas other;
  drawer.BeginDraw(canvas);
  const auto drawerAssertion = testing::ThrowsMessage<EAssertionFailure>(testing::StartsWith("Assertion failure (TextDrawer:"));
  EXPECT_THAT([&] { drawer.BeginDraw(other); }, drawerAssertion);
  drawer.EndDraw();
  EXPECT_THAT([&] { drawer.EndDraw(); }, drawerAssertion);
  EXPECT_THAT([&] { drawer.SelectStyle(16); }, drawerAssertion);
}

}  // namespace
}  // namespace vantrel
