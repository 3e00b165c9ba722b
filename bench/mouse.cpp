// The matching bracket far away, and scrolling by wheel and by the
// auto-scroll timer over the 1.5-million-line editor: the time per step and
// how many rows each step repaints (counter rows_painted, which should equal
// the rows that scrolled in, counter rows_scrolled).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "BigEditor.h"
#include "editor/CodeEdit.h"
#include "highlight/HighlighterCpp.h"
#include "platform/NullEditorHost.h"
#include "support/RecordingCanvas.h"

namespace vantrel {
namespace {

constexpr int kBracketDistance = 500000;

// The lines between an opening brace and its partner 500,000 lines below.
// HARD: every line holds braces, some inside strings and comments (which
// the highlighted search must tokenise; they pair up, so that both searches
// find the same partner). MEDIUM: as in C code, a quarter of the lines hold
// braces, the others only parentheses and brackets.
std::string BracketText(bool hard) {
  std::string text = "void f() {\n";
  for (int i = 0; i < kBracketDistance; ++i) {
    if (hard) {
      text += i % 4 == 0 ? "  if (a[i] > b) { g(\"{}\"); } // {} (\n" : "  x = h(y[i], {1, 2}) + (z * 3);\n";
    } else {
      text += i % 4 == 0 ? "  if (a[i] > b) { g(\"{}\"); } // {} (\n" : "  x = h(y[i], 2) + (z * 3);  // a (note)\n";
    }
  }
  text += "}\n";
  return text;
}

TCodeEdit& BracketEditor(bool hard, TCustomHighlighter* highlighter) {
  static NullEditorHost host;
  static TCodeEdit* editors[2] = {};
  TCodeEdit*& edit = editors[hard ? 1 : 0];
  if (!edit) {
    edit = new TCodeEdit(&host);
    edit->SetText(BracketText(hard));
  }
  edit->SetHighlighter(highlighter);
  return *edit;
}

void BM_MatchingBracket(benchmark::State& state, bool hard, bool highlighted) {
  TCppHighlighter cpp;
  TCodeEdit& edit = BracketEditor(hard, highlighted ? &cpp : nullptr);
  const TBufferCoord open{10, 1};
  for (auto _ : state) {
    const TBufferCoord match = edit.MatchingBracketAt(open);
    if (match.Y != kBracketDistance + 2) state.SkipWithError("wrong partner");
    benchmark::DoNotOptimize(match);
  }
  state.counters["lines"] = kBracketDistance;
  edit.SetHighlighter(nullptr);
}
BENCHMARK_CAPTURE(BM_MatchingBracket, hard_plain, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MatchingBracket, hard_cpp_highlighted, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MatchingBracket, medium_plain, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MatchingBracket, medium_cpp_highlighted, false, true)->Unit(benchmark::kMillisecond);

// Baseline: one pass over the same lines looking at every byte.
void BM_BracketLineWalkBaseline(benchmark::State& state) {
  TCodeEdit& edit = BracketEditor(true, nullptr);
  for (auto _ : state) {
    long brackets = 0;
    for (int y = 1; y <= edit.LineCount(); ++y) {
      for (char c : edit.LineText(y)) brackets += c == '{' || c == '}';
    }
    benchmark::DoNotOptimize(brackets);
  }
}
BENCHMARK(BM_BracketLineWalkBaseline)->Unit(benchmark::kMillisecond);

// A window that keeps what the editor asked to repaint, and paints just
// that, as the widget does.
class PaintingHost : public NullEditorHost {
 public:
  // 63 whole rows: a band is a whole number of rows.
  PaintingHost() : NullEditorHost(1600, 1008, {8, 16, 8, 8}) {}
  void InvalidateRect(const TRect& rect) override { Pending = Pending.IsEmpty() ? rect : Union(Pending, rect); }
  void ScrollWindow(int dx, int dy, const TRect& area) override {
    ScrolledRows += std::abs(dy) / Metrics.CharHeight;
    // The uncovered band.
    TRect band = area;
    if (dy < 0) band.Top = area.Bottom + dy;
    if (dy > 0) band.Bottom = area.Top + dy;
    if (dx != 0) band = {dx < 0 ? area.Right + dx : area.Left, area.Top, dx < 0 ? area.Right : area.Left + dx, area.Bottom};
    InvalidateRect(band);
  }
  // Paints what is pending; returns the rows painted.
  int Flush(TCustomCodeEdit& edit) {
    if (Pending.IsEmpty()) return 0;
    RecordingCanvas canvas(Pending, Metrics.CharWidth, Metrics.CharHeight);
    edit.Paint(canvas, Pending);
    const int rows = (Pending.Height() + Metrics.CharHeight - 1) / Metrics.CharHeight;
    Pending = {};
    return rows;
  }
  TRect Pending;
  long ScrolledRows = 0;

 private:
  static TRect Union(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
  }
};

// One wheel notch down (then up, alternating) in the middle of 1.5 million
// lines, with the repaint of what scrolled in.
void BM_WheelStep(benchmark::State& state) {
  BigEditor& big = SharedBigEditor();
  PaintingHost host;
  big.edit.SetHost(&host);
  big.edit.SetTopLine(kBigMiddle);
  host.Flush(big.edit);
  host.ScrolledRows = 0;
  long painted = 0;
  int step = 0;
  for (auto _ : state) {
    big.edit.MouseWheel(0, step++ % 2 ? 120 : -120);
    painted += host.Flush(big.edit);
  }
  state.counters["rows_scrolled"] = benchmark::Counter(double(host.ScrolledRows), benchmark::Counter::kAvgIterations);
  state.counters["rows_painted"] = benchmark::Counter(double(painted), benchmark::Counter::kAvgIterations);
  big.edit.SetHost(&big.host);
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMicrosecond);

// Selecting with the pointer held below the window: each timer tick scrolls
// one row and extends the selection by it.
void BM_AutoScrollTick(benchmark::State& state) {
  BigEditor& big = SharedBigEditor();
  PaintingHost host;
  big.edit.SetHost(&host);
  big.edit.SetTopLine(kBigMiddle);
  big.edit.SetCaretPos({1, kBigMiddle});
  big.edit.MouseDown(mbLeft, ssLeft, 40, 8);
  host.Pointer = {40, big.edit.VisibleRows() * 16 + 4};
  big.edit.MouseMove(ssLeft, host.Pointer.X, host.Pointer.Y);
  big.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);  // the selection reaches the bottom row
  host.Flush(big.edit);
  host.ScrolledRows = 0;
  long painted = 0;
  for (auto _ : state) {
    big.edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
    painted += host.Flush(big.edit);
    if (big.edit.TopLine() > kBigLines - 100) {
      state.PauseTiming();
      big.edit.SetTopLine(kBigMiddle);
      host.Flush(big.edit);
      state.ResumeTiming();
    }
  }
  big.edit.MouseUp(mbLeft, 0, host.Pointer.X, host.Pointer.Y);
  state.counters["rows_scrolled"] = benchmark::Counter(double(host.ScrolledRows), benchmark::Counter::kAvgIterations);
  state.counters["rows_painted"] = benchmark::Counter(double(painted), benchmark::Counter::kAvgIterations);
  big.edit.SetCaretPos({1, 1});
  big.edit.SetHost(&big.host);
}
BENCHMARK(BM_AutoScrollTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
