// Editing command timings on a 1.5-million-line buffer: characters typed one
// by one through the command pipeline in the middle of it, and undoing and
// redoing one group of 100,000 records. Model time only: the host draws
// nothing. The raw buffer write of the same line runs beside the typing as
// its baseline.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "platform/NullEditorHost.h"
#include "BigEditor.h"
#include "editor/CodeEdit.h"

namespace vantrel {
namespace {

constexpr int kLines = kBigLines;
constexpr int kMiddle = kBigMiddle;
constexpr int kKeystrokes = 100000;
constexpr int kGroupRecords = 100000;

BigEditor& Shared() { return SharedBigEditor(); }

// One keystroke per iteration, 100,000 in a row into the same line, so the
// line grows to 100 KB: each insertion rewrites the whole line, the undo
// list drops its oldest records at the limit, and the range and word-wrap
// hooks run as in the editor.
void BM_TypeCharAtMiddle(benchmark::State& state) {
  BigEditor& big = Shared();
  TCustomCodeEdit& edit = big.edit;
  edit.SetCaretPos({static_cast<int>(edit.LineText(kMiddle).size()) / 2 + 1, kMiddle});
  const std::string before(edit.LineText(kMiddle));
  const std::string letters = "the quick brown fox jumps over the lazy dog ";
  size_t i = 0;
  for (auto _ : state) {
    edit.HandleCommand(ecChar, letters[i++ % letters.size()], nullptr);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["line_kb"] = static_cast<double>(edit.LineText(kMiddle).size()) / 1024.0;
  state.SetLabel(big.fromCorpus ? "log_100mb.log" : "generated");
  edit.Lines().Put(kMiddle - 1, before);
  edit.UndoList().Clear();
  edit.RedoList().Clear();
}
BENCHMARK(BM_TypeCharAtMiddle)->Iterations(kKeystrokes)->Unit(benchmark::kMicrosecond);

// Baseline: the same growing line written straight into the buffer.
void BM_RawPutGrowingLine(benchmark::State& state) {
  BigEditor& big = Shared();
  TCodeEditStringList& lines = big.edit.Lines();
  const std::string before(lines.Get(kMiddle - 1));
  std::string line = before;
  for (auto _ : state) {
    line.insert(line.size() / 2, 1, 'x');
    lines.Put(kMiddle - 1, line);
  }
  state.SetItemsProcessed(state.iterations());
  lines.Put(kMiddle - 1, before);
}
BENCHMARK(BM_RawPutGrowingLine)->Iterations(kKeystrokes)->Unit(benchmark::kMicrosecond);

// One undo group of 100,000 records: a column block of 100,000 one-letter
// lines pasted at the middle records one insertion per line (plus the paste
// markers) under one group number.
struct LargeGroup {
  explicit LargeGroup(TCustomCodeEdit& edit) : edit(edit) {
    edit.SetMaxUndo(kGroupRecords + 16);
    edit.UndoList().Clear();
    edit.RedoList().Clear();
    std::string block;
    block.reserve(kGroupRecords * 3);
    for (int i = 0; i < kGroupRecords; ++i) block += i ? "\r\nx" : "x";
    edit.SetCaretPos({3, kMiddle});
    edit.SetSelectionMode(smColumn);
    edit.SetEffectiveSelectionMode(smColumn);
    edit.ReplaceSelectionInMode(smColumn, block, true);
    edit.SetSelectionMode(smNormal);
  }
  TCustomCodeEdit& edit;
};

void BM_UndoGroupOf100k(benchmark::State& state) {
  BigEditor& big = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    LargeGroup group(big.edit);
    const int records = big.edit.UndoList().ItemCount();
    state.ResumeTiming();
    big.edit.Undo();
    state.PauseTiming();
    state.counters["records"] = records;
    state.counters["left"] = big.edit.UndoList().ItemCount();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UndoGroupOf100k)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RedoGroupOf100k(benchmark::State& state) {
  BigEditor& big = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    LargeGroup group(big.edit);
    big.edit.Undo();
    const int records = big.edit.RedoList().ItemCount();
    state.ResumeTiming();
    big.edit.Redo();
    state.PauseTiming();
    state.counters["records"] = records;
    big.edit.Undo();  // leave the buffer as it was
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RedoGroupOf100k)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
