// C/C++ scanning throughput through the token interface, the way the painter
// and the range re-scan drive it: every line, the range carried from line to
// line, kind/start/attribute read per token and no TokenText.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "highlight/HighlighterCpp.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {
namespace {

std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

// Loaded once; nullptr when the corpus is missing.
const TCodeEditStringList* Corpus() {
  static std::unique_ptr<TCodeEditStringList> lines = [] {
    auto list = std::make_unique<TCodeEditStringList>();
    try {
      list->LoadFromFile(CorpusPath("c_100mb.cpp"));
    } catch (const std::exception&) {
      list.reset();
    }
    return list;
  }();
  return lines.get();
}

int64_t TotalBytes(const TCodeEditStringList& lines) {
  int64_t bytes = 0;
  for (int i = 0; i < lines.Count(); ++i) bytes += int64_t(lines.Get(i).size()) + 1;
  return bytes;
}

int64_t ScanAll(TCustomHighlighter& h, const TCodeEditStringList& lines) {
  int64_t sink = 0;
  h.ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    h.StartLine(lines.Get(i), i);
    while (!h.AtLineEnd()) {
      sink += h.TokenKind() + h.TokenStart() + (h.TokenAttribute() != nullptr);
      h.NextToken();
    }
    h.SetRangeState(h.RangeState());
  }
  return sink;
}

// MEDIUM: the 100 MB generated C/C++ corpus (realistic mix of code,
// comments, strings and directives).
void BM_CppScan_Corpus(benchmark::State& state) {
  const TCodeEditStringList* lines = Corpus();
  if (!lines) return state.SkipWithError("corpus c_100mb.cpp missing");
  TCppHighlighter h;
  for (auto _ : state) benchmark::DoNotOptimize(ScanAll(h, *lines));
  state.SetBytesProcessed(state.iterations() * TotalBytes(*lines));
}
BENCHMARK(BM_CppScan_Corpus)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// HARD: one- and two-character tokens only (operators, single-letter names,
// digits), so the per-token cost dominates; fixed seed.
void BM_CppScan_DenseTokens(benchmark::State& state) {
  static TCodeEditStringList lines;
  if (lines.Count() == 0) {
    std::mt19937 rng(7);
    const char* pieces[] = {"a", "+", "b", "(", ")", "1", ";", "->", " ", "x", "==", "{", "}", ",", "0"};
    for (int i = 0; i < 200000; ++i) {
      std::string line;
      while (line.size() < 60) line += pieces[rng() % std::size(pieces)];
      lines.Add(line);
    }
  }
  TCppHighlighter h;
  for (auto _ : state) benchmark::DoNotOptimize(ScanAll(h, lines));
  state.SetBytesProcessed(state.iterations() * TotalBytes(lines));
}
BENCHMARK(BM_CppScan_DenseTokens)->Unit(benchmark::kMillisecond);

// Baseline: visiting every line and reading each byte once, the floor for
// any scanner over the same buffer.
void BM_Baseline_ByteSum(benchmark::State& state) {
  const TCodeEditStringList* lines = Corpus();
  if (!lines) return state.SkipWithError("corpus c_100mb.cpp missing");
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int i = 0, n = lines->Count(); i < n; ++i)
      for (unsigned char c : lines->Get(i)) sum += c;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes(*lines));
}
BENCHMARK(BM_Baseline_ByteSum)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
