// Text tools on huge documents: sort of the 1.5-million-line log and its
// undo (target 1.5 s and 1 s), word count of 100 MB of C++ (0.3 s), and
// 100 MB of command output appended in 40 ms batches of 2400-byte pieces,
// one undoable insertion (3 s in all).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "BigEditor.h"
#include "platform/CodePage.h"
#include "text/LineSort.h"
#include "text/TextTools.h"

namespace vantrel {
namespace {

std::vector<std::string_view> LineViews(const TCodeEditStringList& lines) {
  std::vector<std::string_view> views(size_t(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) views[size_t(i)] = lines.Get(i);
  return views;
}

// HARD: the log's lines share their first 16 bytes (the time stamp) in runs.
void BM_SortLog(benchmark::State& state) {
  BigEditor big;
  for (auto _ : state) {
    big.edit.ReplaceAllText(SortedLinesText(LineViews(big.edit.Lines()), CodePage::Active()));
    state.PauseTiming();
    big.edit.Undo();
    state.ResumeTiming();
  }
  state.counters["lines"] = big.edit.LineCount();
}
BENCHMARK(BM_SortLog)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_UndoSortLog(benchmark::State& state) {
  BigEditor big;
  const std::string before(big.edit.Lines().Get(0));
  for (auto _ : state) {
    state.PauseTiming();
    big.edit.ReplaceAllText(SortedLinesText(LineViews(big.edit.Lines()), CodePage::Active()));
    state.ResumeTiming();
    big.edit.Undo();
  }
  if (std::string(big.edit.Lines().Get(0)) != before) state.SkipWithError("undo did not restore the order");
}
BENCHMARK(BM_UndoSortLog)->Unit(benchmark::kMillisecond)->Iterations(2);

// MEDIUM: 100 MB, the per-line path the menu command takes.
void BM_WordCountCpp(benchmark::State& state) {
  TCodeEditStringList lines;
  lines.LoadFromFile(CorpusPath("c_100mb.cpp"));
  int64_t words = 0;
  for (auto _ : state) {
    words = 0;
    for (int i = 0; i < lines.Count(); ++i) words += CountWords(lines.Get(i));
    benchmark::DoNotOptimize(words);
  }
  state.counters["words"] = double(words);
  state.SetBytesProcessed(int64_t(state.iterations()) * 104857553);
}
BENCHMARK(BM_WordCountCpp)->Unit(benchmark::kMillisecond);

// HARD: `yes | head -c 100000000`, 50 million two-byte lines, appended as
// the command runner does: each read turn joins what arrived in 2400-byte
// pieces (about 1 MB per turn) and appends it to the growing insertion.
void BM_AppendCommandOutput(benchmark::State& state) {
  const size_t total = 100000000;
  const size_t turn = size_t(state.range(0));
  const std::string batch = [&] {
    std::string s;
    while (s.size() < turn) s += "y\n";
    return s;
  }();
  for (auto _ : state) {
    state.PauseTiming();
    auto host = std::make_unique<NullEditorHost>();
    auto edit = std::make_unique<TCodeEdit>(host.get());
    state.ResumeTiming();
    for (size_t done = 0; done < total; done += batch.size()) edit->AppendText(batch, done > 0);
    state.PauseTiming();
    if (edit->UndoList().ItemCount() > 3) state.SkipWithError("the output is more than one insertion");
    edit.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(total));
}
BENCHMARK(BM_AppendCommandOutput)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
