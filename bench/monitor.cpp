// File change monitoring: how long a write takes to reach OnChanged through
// the watcher thread and the delivery timer, and what reloading the monitored
// 100 MB log costs against opening it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "BigEditor.h"
#include "monitor/FileNotification.h"
#include "support/LoopTimer.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

// EASY: one line appended to a small file; the 100 ms delivery delay is
// the floor, the rest is the thread wake-up and the timer.
void BM_DeliveryLatency(benchmark::State& state) {
  char pattern[] = "/tmp/vantrel-bench-monitor-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string file = dir + "/watched.log";
  std::ofstream(file) << "start\n";
  TestEventLoop loop;
  TFileNotification notifier(loop.CreateTimer());
  int changes = 0;
  notifier.OnChanged = [&](TFileNotification&) { ++changes; };
  notifier.SetFileName(file);
  notifier.Start();
  double worstMs = 0;
  for (auto _ : state) {
    const int before = changes;
    const Clock::time_point written = Clock::now();
    std::ofstream(file, std::ios::app) << "line\n";
    if (!loop.RunUntil([&] { return changes > before; }, std::chrono::seconds(2))) {
      state.SkipWithError("no change delivered");
      break;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - written).count();
    worstMs = std::max(worstMs, seconds * 1e3);
    state.SetIterationTime(seconds);
  }
  state.counters["worst_ms"] = worstMs;
  notifier.Stop();
  unlink(file.c_str());
  rmdir(dir.c_str());
}
BENCHMARK(BM_DeliveryLatency)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The caret placement the main window does after a reload.
void GoToLastLine(TCodeEdit& edit) {
  edit.MoveCaretTo({1, edit.LineCount()}, false);
  edit.ScrollCaretIntoViewCentred();
}

// HARD: 100 MB, 1.5 million lines, opened into a fresh editor.
void BM_OpenLog(benchmark::State& state) {
  const std::string path = CorpusPath("log_100mb.log");
  if (access(path.c_str(), R_OK) != 0) return state.SkipWithError("corpus missing");
  NullEditorHost host;
  std::optional<TCodeEdit> edit;
  for (auto _ : state) {
    state.PauseTiming();
    edit.reset();
    edit.emplace(&host);
    state.ResumeTiming();
    edit->Lines().LoadFromFile(path);
    GoToLastLine(*edit);
    benchmark::DoNotOptimize(edit->CaretY());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(BM_OpenLog)->Unit(benchmark::kMillisecond)->Iterations(5);

// HARD: the same file reloaded into the editor that already holds it: the
// old 1.5 million lines go first.
void BM_ReloadLog(benchmark::State& state) {
  const std::string path = CorpusPath("log_100mb.log");
  if (access(path.c_str(), R_OK) != 0) return state.SkipWithError("corpus missing");
  NullEditorHost host;
  TCodeEdit edit(&host);
  edit.Lines().LoadFromFile(path);
  for (auto _ : state) {
    edit.Lines().LoadFromFile(path);
    edit.UndoList().Clear();
    edit.RedoList().Clear();
    GoToLastLine(edit);
    benchmark::DoNotOptimize(edit.CaretY());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReloadLog)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
