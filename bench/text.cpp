// Line buffer and undo list: load, save, longest line, undo recording.
// Baselines (plain read + memchr line count, one write call) run in the same
// binary so targets read as ratios.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "text/CodeEditFileWriter.h"
#include "text/CodeEditTextBuffer.h"
#include "text/CodeEditUndo.h"

namespace {

using namespace vantrel;

std::string Corpus(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

// MEDIUM: 100 MB, 1.5 million lines of about 70 bytes: per-line costs dominate.
const char* kLog = "log_100mb.log";

bool Exists(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

void BM_Baseline_ReadAndCountLines(benchmark::State& state) {
  const std::string path = Corpus(kLog);
  if (!Exists(path)) return state.SkipWithError("corpus missing");
  size_t bytes = 0;
  for (auto _ : state) {
    std::string data = ReadWholeFile(path);
    size_t lines = 0;
    const char* p = data.data();
    const char* end = p + data.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr) {
      ++lines;
      ++p;
    }
    benchmark::DoNotOptimize(lines);
    bytes = data.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Baseline_ReadAndCountLines)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
  const std::string path = Corpus(kLog);
  if (!Exists(path)) return state.SkipWithError("corpus missing");
  size_t bytes = 0;
  for (auto _ : state) {
    TCodeEditStringList list;
    list.LoadFromFile(path);
    state.PauseTiming();
    bytes = list.GetText().size();  // not exactly the file size: only for throughput
    state.counters["lines"] = list.Count();
    state.counters["record_bytes_per_line"] = static_cast<double>(list.RecordBytes()) / list.Count();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_Baseline_WriteOnce(benchmark::State& state) {
  const std::string path = Corpus(kLog);
  if (!Exists(path)) return state.SkipWithError("corpus missing");
  const std::string data = ReadWholeFile(path);
  const std::string out = "/tmp/vantrel-bench-save.txt";
  for (auto _ : state) {
    int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(fd, data.data(), data.size()));
    if (state.range(0)) ::fsync(fd);
    ::close(fd);
  }
  ::unlink(out.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Baseline_WriteOnce)->Arg(0)->Arg(1)->ArgName("fsync")->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
  const std::string path = Corpus(kLog);
  if (!Exists(path)) return state.SkipWithError("corpus missing");
  TCodeEditStringList list;
  list.LoadFromFile(path);
  const std::string out = "/tmp/vantrel-bench-save.txt";
  for (auto _ : state) list.SaveToFile(out);
  ::unlink(out.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * list.SaveToBytes().size()));
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_LongestLineAfterInvalidation(benchmark::State& state) {
  const std::string path = Corpus(kLog);
  if (!Exists(path)) return state.SkipWithError("corpus missing");
  TCodeEditStringList list;
  list.LoadFromFile(path);
  int width = 8;
  for (auto _ : state) {
    state.PauseTiming();
    width = width == 8 ? 4 : 8;
    list.SetTabWidth(width);  // invalidates every cached length
    state.ResumeTiming();
    benchmark::DoNotOptimize(list.LongestLineLength());
  }
}
BENCHMARK(BM_LongestLineAfterInvalidation)->Unit(benchmark::kMillisecond);

void BM_RecordChangeMillion(benchmark::State& state) {
  for (auto _ : state) {
    TCodeEditUndoList list;  // default limit 1024: almost every record drops the oldest
    for (int i = 0; i < 1000000; ++i) list.RecordChange(ckInserted, {i, 1}, {i + 1, 1}, "x", smNormal);
    benchmark::DoNotOptimize(list.ItemCount());
  }
}
BENCHMARK(BM_RecordChangeMillion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
