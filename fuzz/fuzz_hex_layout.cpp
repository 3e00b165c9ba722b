// Fuzzes the hex viewer model: any bytes, any file size (a virtual file up to
// 1 TiB that may shrink while open), and any sequence of positions,
// selections, widths, window sizes, mouse points, keys and paints. The rows
// must stay inside the file and the buffer, and nothing may crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hexview/HexViewer.h"
#include "platform/CodePage.h"
#include "support/FakeClipboard.h"
#include "support/FuzzReader.h"

namespace {

using namespace vantrel;

// A file of the given size whose bytes repeat the fuzz data.
class TPatternSource : public THexSource {
 public:
  TPatternSource(std::string pattern, int64_t size, int shrinkAfter)
      : pattern_(std::move(pattern)), size_(size), shrinkAfter_(shrinkAfter) {}
  int64_t Size() override { return size_; }
  int64_t ReadAt(int64_t offset, uint8_t* into, size_t count) override {
    if (++reads_ == shrinkAfter_) size_ /= 3;
    if (offset >= size_) return 0;
    const int64_t n = std::min<int64_t>(static_cast<int64_t>(count), size_ - offset);
    for (int64_t i = 0; i < n; ++i) {
      into[i] = pattern_.empty() ? static_cast<uint8_t>(offset + i) : pattern_[(offset + i) % pattern_.size()];
    }
    return n;
  }
  std::string ReadErrorText() const override { return "Cannot read stream"; }

 private:
  std::string pattern_;
  int64_t size_;
  int shrinkAfter_;
  int reads_ = 0;
};

class TNullCanvas : public Canvas {
 public:
  TRect ClipRect() const override { return {0, 0, 4000, 4000}; }
  TColor RgbOf(TColor color) override { return color; }
  void FillRect(const TRect&, TColor) override {}
  void DrawLine(TPoint, TPoint, TColor, int) override {}
  void DrawText(const TRect&, int, int, std::string_view, int, const TFont&, TFontStyles, TColor, TColor) override {}
  TFontMetrics MeasureFont(const TFont& font, TFontStyles) override { return {font.Size, font.Size * 2, 0, 0}; }
  int CharExtent(const TFont&, TFontStyles, unsigned char) override { return 8; }
  TPoint ImageSize(const TCanvasImage&) override { return {}; }
  void DrawImage(const TCanvasImage&, int, int) override {}
};

int64_t Wide(FuzzReader& in) {
  int64_t value = 0;
  for (int i = 0; i < 5; ++i) value = value << 8 | in.Byte();
  return value;  // up to 1 TiB
}

#define Check(ok)                                                  \
  do {                                                             \
    if (!(ok)) {                                                   \
      std::fprintf(stderr, "invariant failed: %s\n", #ok);         \
      std::abort();                                                \
    }                                                              \
  } while (0)

void CheckInvariants(const THexViewer& viewer) {
  const int64_t size = viewer.FileSize();
  Check(viewer.ViewPos() >= 0 && viewer.ViewPos() <= std::max<int64_t>(0, size - 1));
  Check(viewer.ViewPos() % viewer.RowWidth() == 0);
  Check(viewer.SelStart() >= 0 && viewer.SelLength() >= 0 && viewer.SelStart() + viewer.SelLength() <= size);
  Check(viewer.RowCount() <= THexViewer::kMaxRows);
  const THexLayout layout = viewer.Layout();
  std::u32string row;
  for (int i = 0; i < viewer.RowCount(); ++i) {
    const int64_t start = viewer.ViewPos() + int64_t(i) * layout.Width;
    Check(start < size);
    Check(viewer.Buffer().Holds(start, std::min<int64_t>(layout.Width, size - start)));
    viewer.RowText(i, row);
    Check(static_cast<int>(row.size()) == layout.RowCells());
  }
  const THexScrollBar bar = viewer.VertScrollBar();
  Check(bar.Position >= 0 && bar.Position <= bar.Max && bar.Page >= 0 && bar.Page <= 32767);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  CodePage::SetActive(1252);
  FuzzReader in(data, size);
  FakeClipboard clipboard;
  THexViewer viewer(&clipboard);
  viewer.OnMessage = [](const std::string&, THexMessageKind) { return false; };
  viewer.MeasureFont = [](const TFont& font) { return TFontMetrics{font.Size / 2 + 1, font.Size + 2, 0, 0}; };
  const int64_t fileSize = Wide(in) >> in.Small(0, 40);
  const int shrinkAfter = in.Small(0, 8);
  const std::string pattern = in.Text();
  viewer.SetCellSize(in.Small(1, 20), in.Small(1, 40));
  viewer.SetClientSize(in.Small(0, 255) * 8, in.Small(0, 255) * 8);
  viewer.OpenSource(std::make_unique<TPatternSource>(pattern, fileSize, shrinkAfter), "fuzz", true);
  TNullCanvas canvas;
  for (int step = 0; step < 64 && !in.AtEnd(); ++step) {
    const TPoint point{in.Small(0, 255) * 8 - 100, in.Small(0, 255) * 8 - 100};
    switch (in.Small(0, 18)) {
      case 0: viewer.SetViewPos(Wide(in)); break;
      case 1: viewer.ScrollDown(in.Small(0, 200)); break;
      case 2: viewer.ScrollUp(in.Small(0, 200)); break;
      case 3: viewer.ScrollToEnd(); break;
      case 4: viewer.SetSelection(Wide(in) - 1000, Wide(in) - 1000); break;
      case 5: viewer.SetTextWidthHex(in.Small(0, 255) * 2 - 100); break;
      case 6: viewer.SetTextWidthFitHex(in.Byte() & 1); break;
      case 7: viewer.SetClientSize(in.Small(0, 255) * 8, in.Small(0, 255) * 8); break;
      case 8: viewer.MouseDown(point, in.Byte() & 1, in.Small(1, 3)); break;
      case 9: viewer.MouseMove(point); viewer.AutoScrollTick(); break;
      case 10: viewer.MouseUp(); break;
      case 11: viewer.KeyDown(0x21 + in.Small(0, 12), false, in.Byte() & 1, false); break;
      case 12: viewer.MouseWheel(in.Small(0, 6) - 3, in.Byte() & 1, in.Byte() & 1, false); break;
      case 13: viewer.VertScrollBarAction(THexScrollAction(in.Small(0, 6)), in.Small(0, 255) * 130); break;
      case 14: viewer.SelectWordAt(Wide(in) % (fileSize + 1)); break;
      case 15: viewer.SetHorzScroll(in.Small(0, 255) * 20); break;
      case 16:
        if (viewer.SelLength() < (1 << 20)) viewer.CopySelection(in.Byte() & 1);
        break;
      case 17: viewer.Paint(canvas); break;
      case 18: viewer.SetTextEncoding(TTextEncoding(in.Small(0, vEncUTF8))); break;
    }
    CheckInvariants(viewer);
  }
  viewer.Paint(canvas);
  return 0;
}
