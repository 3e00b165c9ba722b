// Rendering and word-wrap timings: one full 120 x 60 cell screen of
// highlighted C++ painted on the recording canvas, and the word-wrap layout of
// 1.5 million lines, whole and after one typed character. Baselines in the
// same binary: the same screen without a highlighter, and the bare line walk
// the layout has to do anyway.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "editor/CodeEdit.h"
#include "editor/CodeEditWordWrap.h"
#include "highlight/HighlighterCpp.h"
#include "support/FakeEditorHost.h"
#include "support/RecordingCanvas.h"

namespace vantrel {
namespace {

std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

constexpr int kColumns = 120;
constexpr int kRows = 60;
constexpr int kWidth = 32 + kColumns * 8;
constexpr int kHeight = kRows * 16;

struct Screen {
  Screen() : host(kWidth, kHeight), edit(&host) {}
  FakeEditorHost host;
  TCodeEdit edit;
  TCppHighlighter cpp;
};

// MEDIUM: a screen of real C++ (comments, strings, directives, keywords),
// many short runs per row; the gutter shows line numbers, the caret line and a
// selection are coloured, so every painting path is taken.
void PaintScreen(benchmark::State& state, bool highlight) {
  Screen screen;
  try {
    screen.edit.Lines().LoadFromFile(CorpusPath("c_10mb.cpp"));
  } catch (const Exception&) {
    state.SkipWithError("corpus c_10mb.cpp missing");
    return;
  }
  // Keep the first part only: loading is not what is measured.
  screen.edit.Lines().RemoveLineSpan(3000, screen.edit.LineCount() - 3000);
  if (highlight) screen.edit.SetHighlighter(&screen.cpp);
  screen.edit.Gutter().SetShowLineNumbers(true);
  screen.edit.SetActiveLineColor(0xE0FFFF);
  screen.edit.SetTopLine(1000);
  screen.edit.SetCaretPos({5, 1010});
  screen.edit.SetAnchorStart({3, 1020});
  screen.edit.SetAnchorEnd({9, 1024});
  RecordingCanvas canvas({0, 0, screen.host.Width, screen.host.Height});
  int64_t calls = 0;
  for (auto _ : state) {
    canvas.Clear();
    screen.edit.Paint(canvas, canvas.Clip);
    calls += canvas.CallCount;
    benchmark::DoNotOptimize(canvas.Calls.data());
  }
  state.counters["calls_per_paint"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
  screen.edit.SetHighlighter(nullptr);
}

void BM_PaintScreenCpp(benchmark::State& state) { PaintScreen(state, true); }
BENCHMARK(BM_PaintScreenCpp)->Unit(benchmark::kMicrosecond);

void BM_PaintScreenPlainBaseline(benchmark::State& state) { PaintScreen(state, false); }
BENCHMARK(BM_PaintScreenPlainBaseline)->Unit(benchmark::kMicrosecond);

// The 1.5-million-line log corpus in a 100-column window with word wrap on.
struct WrappedLog {
  WrappedLog() : host(32 + 100 * 8, 600), edit(&host) {}
  bool Load() {
    try {
      edit.Lines().LoadFromFile(CorpusPath("log_100mb.log"));
    } catch (const Exception&) {
      return false;
    }
    edit.SetWordWrap(true);
    return true;
  }
  TWordWrapPlugin& Plugin() { return *dynamic_cast<TWordWrapPlugin*>(edit.WordWrapPlugin()); }
  FakeEditorHost host;
  TCodeEdit edit;
};

// HARD: 1.5 million lines, each looked at for tabs and its length; the ones
// longer than the row are searched backward for a break.
void BM_WordWrapRelayout(benchmark::State& state) {
  WrappedLog log;
  if (!log.Load()) {
    state.SkipWithError("corpus log_100mb.log missing");
    return;
  }
  for (auto _ : state) {
    log.Plugin().Relayout();
    benchmark::DoNotOptimize(log.Plugin().TotalRows());
  }
  state.counters["lines"] = log.edit.LineCount();
  state.counters["rows"] = log.Plugin().TotalRows();
}
BENCHMARK(BM_WordWrapRelayout)->Unit(benchmark::kMillisecond);

// What any layout pays: looking at every line once.
void BM_LineWalkBaseline(benchmark::State& state) {
  WrappedLog log;
  if (!log.Load()) {
    state.SkipWithError("corpus log_100mb.log missing");
    return;
  }
  for (auto _ : state) {
    int64_t sum = 0;
    const int count = log.edit.LineCount();
    for (int i = 0; i < count; ++i) {
      std::string_view line = log.edit.Lines().Get(i);
      sum += static_cast<int64_t>(line.size()) + (std::memchr(line.data(), '\t', line.size()) != nullptr);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_LineWalkBaseline)->Unit(benchmark::kMillisecond);

// A character typed into a wrapped line in the middle of the log: one line is
// re-broken and the row offsets below it move once.
void BM_WordWrapTypeMidFile(benchmark::State& state) {
  WrappedLog log;
  if (!log.Load()) {
    state.SkipWithError("corpus log_100mb.log missing");
    return;
  }
  const int index = log.edit.LineCount() / 2;
  std::string line(log.edit.Lines().Get(index));
  const int64_t before = log.Plugin().LinesBroken();
  for (auto _ : state) {
    line.insert(line.size() / 2, 1, 'x');
    log.edit.Lines().Put(index, line);
  }
  state.counters["lines_rebroken_per_key"] =
      static_cast<double>(log.Plugin().LinesBroken() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WordWrapTypeMidFile)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
