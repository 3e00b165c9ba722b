// Editor model timings on a 1.5-million-line buffer: a character typed as a
// selection replacement in the middle of it, and the character index
// conversions at its end. The raw buffer write runs beside them as the
// baseline the model's overhead is read against.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "platform/NullEditorHost.h"
#include "BigEditor.h"
#include "editor/CodeEdit.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

constexpr int kLines = kBigLines;
constexpr int kMiddle = kBigMiddle;

BigEditor& Big() { return SharedBigEditor(); }

void BM_ReplaceSelectedCharAtMiddle(benchmark::State& state) {
  TCustomCodeEdit& edit = Big().edit;
  edit.PlaceCaretAndBlock({1, kMiddle}, {1, kMiddle}, {1, kMiddle});
  const char chars[] = {'x', 'y'};
  int n = 0;
  for (auto _ : state) {
    edit.PlaceCaretAndBlock({11, kMiddle}, {10, kMiddle}, {11, kMiddle});
    edit.SetSelectedText(std::string_view(&chars[n++ & 1], 1));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplaceSelectedCharAtMiddle)->Unit(benchmark::kMicrosecond);

// Typing: the line grows by one byte per iteration, so the run is bounded.
void BM_TypeCharAtMiddle(benchmark::State& state) {
  TCustomCodeEdit& edit = Big().edit;
  edit.SetCaretPos({20, kMiddle});
  for (auto _ : state) edit.SetSelectedText("z");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypeCharAtMiddle)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// Baseline: the same line written straight into the buffer, no editor.
void BM_BufferPutBaseline(benchmark::State& state) {
  static TCodeEditStringList lines;
  if (lines.Count() == 0) {
    for (int i = 0; i < kLines; ++i) lines.Add("2024-01-01 00:00:00 INFO baseline line of moderate length");
  }
  std::string text(lines.Get(kMiddle - 1));
  for (auto _ : state) {
    text[10] ^= 1;
    lines.Put(kMiddle - 1, text);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BufferPutBaseline)->Unit(benchmark::kMicrosecond);

void BM_PositionToIndexAtEnd(benchmark::State& state) {
  TCustomCodeEdit& edit = Big().edit;
  const TBufferCoord end{static_cast<int>(edit.LineText(edit.LineCount()).size()) + 1, edit.LineCount()};
  for (auto _ : state) benchmark::DoNotOptimize(edit.PositionToIndex(end));
}
BENCHMARK(BM_PositionToIndexAtEnd)->Unit(benchmark::kMillisecond);

void BM_IndexToPositionAtEnd(benchmark::State& state) {
  TCustomCodeEdit& edit = Big().edit;
  const TBufferCoord end{static_cast<int>(edit.LineText(edit.LineCount()).size()) + 1, edit.LineCount()};
  const int index = edit.PositionToIndex(end);
  for (auto _ : state) benchmark::DoNotOptimize(edit.IndexToPosition(index));
}
BENCHMARK(BM_IndexToPositionAtEnd)->Unit(benchmark::kMillisecond);

// MEDIUM: the C/C++ corpus (300,000 lines) with its highlighter: typing in
// the middle re-scans only the lines whose end state changed.
void BM_TypeCharWithCppHighlighter(benchmark::State& state) {
  static NullEditorHost host;
  static TCodeEdit edit(&host);
  static TCppHighlighter cpp;
  static bool loaded = [] {
    try {
      edit.Lines().LoadFromFile(CorpusPath("c_10mb.cpp"));
    } catch (const std::exception&) {
      return false;
    }
    edit.SetHighlighter(&cpp);
    return true;
  }();
  if (!loaded) {
    state.SkipWithError("corpus c_10mb.cpp missing");
    return;
  }
  const int middle = edit.LineCount() / 2;
  const char chars[] = {'x', 'y'};
  int n = 0;
  for (auto _ : state) {
    edit.PlaceCaretAndBlock({2, middle}, {1, middle}, {2, middle});
    edit.SetSelectedText(std::string_view(&chars[n++ & 1], 1));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypeCharWithCppHighlighter)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
