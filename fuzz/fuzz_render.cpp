// Paints an editor and lays it out with word wrap for text and settings
// decoded from the input: window width, tab width, options, selection mode and
// anchors, scroll position, highlighter. Besides not crashing, the wrap layout
// must cover every line exactly and map every column there and back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>

#include "platform/NullEditorHost.h"
#include "editor/CodeEdit.h"
#include "editor/CodeEditWordWrap.h"
#include "highlight/HighlighterCpp.h"
#include "platform/Canvas.h"

namespace {

using namespace vantrel;

// Checks what it is asked to draw stays sane, and draws nothing.
class CheckingCanvas : public Canvas {
 public:
  TRect ClipRect() const override { return {0, 0, 1 << 20, 1 << 20}; }
  TColor RgbOf(TColor color) override { return color & 0xFFFFFF; }
  void FillRect(const TRect&, TColor) override {}
  void DrawLine(TPoint, TPoint, TColor, int) override {}
  void DrawText(const TRect& bounds, int, int, std::string_view text, int cellWidth, const TFont&, TFontStyles style,
                TColor, TColor) override {
    if (cellWidth <= 0 || style > 15 || text.size() > (1u << 20) || bounds.Right < bounds.Left) std::abort();
  }
  TFontMetrics MeasureFont(const TFont&, TFontStyles) override { return {8, 16, 8, 8}; }
  int CharExtent(const TFont&, TFontStyles style, unsigned char) override { return (style & fsItalic) ? 10 : 8; }
  TPoint ImageSize(const TCanvasImage&) override { return {9, 9}; }
  void DrawImage(const TCanvasImage&, int, int) override {}
};

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz_render: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  NullEditorHost host{300, 160};
  host.Width = 20 + data[0] * 12;  // up to about 380 cells
  host.Height = 16 + (data[1] & 31) * 16;
  static TCppHighlighter cpp;
  TCodeEdit edit(&host);
  const uint8_t flags = data[2];
  edit.SetTabWidth(1 + (data[3] & 15));
  if (flags & 1) edit.SetHighlighter(&cpp);
  if (flags & 2) edit.SetOptions(edit.Options() | OptionBit(eoShowSpecialChars));
  if (flags & 4) edit.Gutter().SetShowLineNumbers(true);
  if (flags & 8) edit.SetActiveLineColor(0x00FFFF);
  const std::string text(reinterpret_cast<const char*>(data + 8), size - 8);
  edit.SetText(text);
  edit.SetWordWrap(flags & 16);
  edit.SetSelectionMode(static_cast<TSelectionMode>(data[4] % 3));
  edit.SetAnchorStart({1 + (data[5] & 63), 1 + (data[6] & 15)});
  edit.SetAnchorEnd({1 + (data[6] >> 2), 1 + (data[7] & 31)});
  if (!(flags & 16)) edit.SetLeftChar(1 + (data[7] >> 3));
  edit.SetTopLine(1 + (data[5] >> 6));

  CheckingCanvas canvas;
  try {
    edit.Paint(canvas, {0, 0, host.Width, host.Height});
    edit.Paint(canvas, {host.Width / 3, 16, host.Width / 2, host.Height});
  } catch (const Exception&) {
    return 0;  // a highlighter that stalls is reported, not a crash
  }

  if (auto* wrap = dynamic_cast<TWordWrapPlugin*>(edit.WordWrapPlugin()); wrap && wrap->RowWidth() > 0) {
    Check(wrap->LaidOutLines() == edit.LineCount(), "every line laid out");
    int row = 1;
    for (int line = 1; line <= edit.LineCount(); ++line) {
      Check(edit.LineToRow(line) == row, "rows follow each other");
      const int length = edit.Lines().ExpandedLength(line - 1);
      int cells = 0;
      const int next = line < edit.LineCount() ? edit.LineToRow(line + 1) : wrap->TotalRows() + 1;
      for (int r = row; r < next; ++r) {
        const int count = wrap->RowCellCount(r);
        // A row holds at most the row width (a double-byte pair on a one-cell row excepted).
        Check(count <= std::max(wrap->RowWidth(), 2), "row wider than the window");
        cells += count;
      }
      Check(cells == length, "rows cover the line exactly");
      for (int x = 1; x <= length + 1; ++x) {
        const TDisplayPos shown = wrap->BufferToDisplay({x, line});
        Check(shown.Row >= row && shown.Row < next, "column shown on a row of its line");
        Check(wrap->DisplayToBuffer(shown) == (TDisplayPos{x, line}), "column maps back");
      }
      row = next;
    }
  }
  return 0;
}
