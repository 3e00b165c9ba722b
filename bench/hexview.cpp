// Hex viewer: opening a huge sparse file and jumping to its end, and building
// a full window of row texts. Targets in bench/README.md.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "hexview/HexViewer.h"
#include "platform/CodePage.h"

namespace {

using namespace vantrel;

constexpr int64_t kSparseSize = 8LL << 30;

// The corpus file when present; otherwise a sparse file of the same size made
// here (costs no disk: holes only).
const std::string& SparseFile() {
  static const std::string path = [] {
    const std::string corpus = "/tmp/vantrel-corpora/sparse_8g.bin";
    struct stat st {};
    if (::stat(corpus.c_str(), &st) == 0 && st.st_size == kSparseSize) return corpus;
    const std::string own = "/tmp/vantrel-bench-sparse-8g.bin";
    const int fd = ::open(own.c_str(), O_CREAT | O_WRONLY, 0600);
    if (fd >= 0) {
      if (::ftruncate(fd, kSparseSize) != 0) std::perror("ftruncate");
      ::close(fd);
    }
    return own;
  }();
  return path;
}

void Configure(THexViewer& viewer) {
  viewer.SetCellSize(8, 16);
  viewer.SetClientSize(800, 2 + 64 * 16);  // 64 lines
}

// MEDIUM: the whole of opening (descriptor, size, first buffer of three
// pages) plus a jump of 8 GiB that reads a second buffer at the end.
void BM_OpenSparseAndJumpToEnd(benchmark::State& state) {
  CodePage::SetActive(1252);
  std::u32string row;
  for (auto _ : state) {
    THexViewer viewer;
    Configure(viewer);
    viewer.OpenFile(SparseFile(), false);
    viewer.ScrollToEnd();
    viewer.RowText(viewer.RowCount() - 1, row);
    benchmark::DoNotOptimize(row.data());
    state.counters["buffer_bytes"] = static_cast<double>(viewer.Buffer().Capacity());
  }
}
BENCHMARK(BM_OpenSparseAndJumpToEnd)->Unit(benchmark::kMillisecond);

// Baseline: the bare reads the jump needs (two buffers with pread), without
// the viewer around them.
void BM_BaselineTwoPreads(benchmark::State& state) {
  std::vector<uint8_t> buffer(3 * THexBuffer::kHexPage);
  for (auto _ : state) {
    const int fd = ::open(SparseFile().c_str(), O_RDONLY);
    benchmark::DoNotOptimize(::pread(fd, buffer.data(), buffer.size(), 0));
    benchmark::DoNotOptimize(::pread(fd, buffer.data(), buffer.size(), kSparseSize - buffer.size()));
    ::close(fd);
  }
}
BENCHMARK(BM_BaselineTwoPreads)->Unit(benchmark::kMillisecond);

// EASY: the rows of one full window from the buffer; this is what every
// repaint and every scroll step pays before drawing.
void BM_RowTexts64(benchmark::State& state) {
  CodePage::SetActive(1252);
  THexViewer viewer;
  Configure(viewer);
  viewer.OpenFile(SparseFile(), false);
  viewer.SetViewPos(kSparseSize / 2);
  std::u32string row;
  for (auto _ : state) {
    for (int i = 0; i < viewer.RowCount(); ++i) {
      viewer.RowText(i, row);
      benchmark::DoNotOptimize(row.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * viewer.RowCount());
  state.SetBytesProcessed(state.iterations() * viewer.RowCount() * 16);
}
BENCHMARK(BM_RowTexts64)->Unit(benchmark::kMicrosecond);

// Counts calls; the cost of the drawing itself belongs to the platform.
class TCountingCanvas : public Canvas {
 public:
  int Calls = 0;
  TRect ClipRect() const override { return {0, 0, 800, 1100}; }
  TColor RgbOf(TColor color) override { return color; }
  void FillRect(const TRect&, TColor) override { ++Calls; }
  void DrawLine(TPoint, TPoint, TColor, int) override { ++Calls; }
  void DrawText(const TRect&, int, int, std::string_view text, int, const TFont&, TFontStyles, TColor,
                TColor) override {
    Calls += text.empty() ? 0 : 1;
  }
  TFontMetrics MeasureFont(const TFont&, TFontStyles) override { return {8, 16, 8, 8}; }
  int CharExtent(const TFont&, TFontStyles, unsigned char) override { return 8; }
  TPoint ImageSize(const TCanvasImage&) override { return {}; }
  void DrawImage(const TCanvasImage&, int, int) override {}
};

// MEDIUM: the whole paint of a 64-row window with a selection across it, on
// a canvas that only counts: row texts, colour runs, the character column
// through the active code page, lines.
void BM_PaintWindow64(benchmark::State& state) {
  CodePage::SetActive(1252);
  THexViewer viewer;
  Configure(viewer);
  viewer.OpenFile(SparseFile(), false);
  viewer.SetViewPos(kSparseSize / 2);
  viewer.SetSelection(kSparseSize / 2 + 100, 500, false);
  TCountingCanvas canvas;
  for (auto _ : state) {
    canvas.Calls = 0;
    viewer.Paint(canvas);
    benchmark::DoNotOptimize(canvas.Calls);
  }
  state.counters["canvas_calls"] = canvas.Calls;
}
BENCHMARK(BM_PaintWindow64)->Unit(benchmark::kMicrosecond);

// What vantrel-hex FILE 0x1FFFFFFC0 does: open, read at the end, four rows as UTF-8.
void BM_ToolRowsAtEnd(benchmark::State& state) {
  CodePage::SetActive(1252);
  std::u32string row;
  for (auto _ : state) {
    THexViewer viewer;
    viewer.OpenFile(SparseFile(), false);
    size_t bytes = 0;
    for (int64_t at = kSparseSize - 64; viewer.RowTextAt(at, row); at += 16) bytes += Utf32ToUtf8(row).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ToolRowsAtEnd)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
