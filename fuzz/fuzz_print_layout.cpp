// Lays text out on printer pages and prints them for settings decoded from the
// input: paper and printable area, resolution, margins, cell size, wrap, line
// numbers, copies and page range, header and footer items. Besides not
// crashing, the pages must start in order and cover every line once, and a
// print must report every line of the range exactly once.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "print/CodeEditPrint.h"
#include "support/FuzzReader.h"

namespace {

using namespace vantrel;

class FuzzPrinter : public TCodeEditPrinter, public Canvas {
 public:
  TCodeEditPrinterInfo Geometry;
  TFontMetrics Metrics;
  std::optional<TCodeEditPrinterInfo> Info() override { return Geometry; }
  vantrel::Canvas* MeasuringCanvas() override { return this; }
  vantrel::Canvas& BeginDoc(const std::string&) override { return *this; }
  void NewPage() override {}
  void EndDoc() override {}
  void Abort() override {}

  TRect ClipRect() const override { return {0, 0, Geometry.PrintableWidth, Geometry.PrintableHeight}; }
  TColor RgbOf(TColor color) override { return color & 0xFFFFFF; }
  void FillRect(const TRect&, TColor) override {}
  void DrawLine(TPoint, TPoint, TColor, int) override {}
  void DrawText(const TRect& bounds, int, int, std::string_view text, int cellWidth, const TFont&, TFontStyles style,
                TColor, TColor) override {
    if (cellWidth <= 0 || style > 15 || text.size() > (1u << 22) || bounds.Right < bounds.Left) std::abort();
  }
  TFontMetrics MeasureFont(const TFont&, TFontStyles) override { return Metrics; }
  int CharExtent(const TFont&, TFontStyles, unsigned char) override { return Metrics.CharWidth; }
  TPoint ImageSize(const TCanvasImage&) override { return {0, 0}; }
  void DrawImage(const TCanvasImage&, int, int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in(data, size);
  FuzzPrinter printer;
  TCodeEditPrinterInfo& g = printer.Geometry;
  g.PhysicalWidth = in.Small(1, 250) * 20;
  g.PhysicalHeight = in.Small(1, 250) * 20;
  g.PrintableWidth = g.PhysicalWidth - in.Small(0, 40);
  g.PrintableHeight = g.PhysicalHeight - in.Small(0, 40);
  g.LeftGutter = in.Small(0, 20);
  g.TopGutter = in.Small(0, 20);
  g.XPixPerInch = in.Small(1, 60) * 10;
  g.YPixPerInch = in.Small(1, 60) * 10;
  const int cell = in.Small(0, 30);
  printer.Metrics = {cell, in.Small(0, 60), in.Small(0, 30), in.Small(0, 30)};

  TCodeEditPrint print;
  print.SetPrinter(&printer);
  TCodeEditPrintMargins& m = print.Margins();
  m.SetLeft(in.Small(0, 100));
  m.SetRight(in.Small(0, 100));
  m.SetTop(in.Small(0, 100));
  m.SetBottom(in.Small(0, 100));
  m.SetGutter(in.Small(0, 30));
  m.MirrorMargins = in.Byte() & 1;
  const uint8_t flags = in.Byte();
  print.Wrap = flags & 1;
  print.LineNumbers = flags & 2;
  print.LineNumbersInMargin = flags & 4;
  print.Header().RomanNumbers = flags & 8;
  print.Copies = in.Small(0, 3);
  print.TabWidth = in.Small(0, 9);
  print.PageOffset = in.Small(-5, 5);
  print.LineOffset = in.Small(-5, 5);
  for (int i = in.Small(0, 3); i > 0; --i) {
    print.Header().AddItem(in.Text(), nullptr, THeaderFooterAlign(in.Small(0, 2)), in.Small(-2, 3));
  }
  print.Footer().AddItem(in.Text(), nullptr, THeaderFooterAlign(in.Small(0, 2)), in.Small(-2, 3));
  const int from = in.Small(-1, 6);
  const int to = in.Small(-1, 6);

  std::vector<std::string> lines(1);
  while (!in.AtEnd()) {
    const char c = static_cast<char>(in.Byte());
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  print.SetLines(lines);
  const int pages = print.CountPages();
  const std::vector<TPageLine>& starts = print.Pages();
  if (pages != static_cast<int>(starts.size()) || pages < 1 || !(starts.front() == TPageLine{})) std::abort();
  for (size_t i = 1; i < starts.size(); ++i) {
    const TPageLine a = starts[i - 1];
    const TPageLine b = starts[i];
    if (b.Line >= static_cast<int>(lines.size()) || b.Row < 0) std::abort();
    if (!(b.Line > a.Line || (b.Line == a.Line && b.Row > a.Row))) std::abort();
  }

  // Every line whose last row lies in the printed pages is reported once per copy.
  std::vector<int> reported(lines.size(), 0);
  print.OnPrintLine = [&](int line, int) {
    if (line < 1 || line > static_cast<int>(lines.size())) std::abort();
    ++reported[static_cast<size_t>(line - 1)];
  };
  print.PrintPages(from, to);
  const int copies = std::max(print.Copies, 1);
  const int first = std::max(from, 1);
  const int last = to < 0 ? pages : std::min(to, pages);
  for (size_t line = 0; line < lines.size(); ++line) {
    // The page holding the line's last row.
    int page = 1;
    for (int p = 2; p <= pages; ++p) {
      if (starts[static_cast<size_t>(p - 1)].Line <= static_cast<int>(line)) page = p;
    }
    const int expected = page >= first && page <= last ? copies : 0;
    if (reported[line] != expected) std::abort();
  }
  return 0;
}
