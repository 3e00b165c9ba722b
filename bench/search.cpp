// Search and replace: counting literal hits of the C/C++ corpus line by line
// through the fixed-text engine against grep -F -c and std's
// Boyer-Moore-Horspool searcher in the same run; replace-all and its undo
// in the 1.5-million-line log and on the 10 MB single line.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "BigEditor.h"
#include "platform/CodePage.h"
#include "search/CodeEditSearch.h"

namespace vantrel {
namespace {

struct CorpusLines {
  std::string path;
  std::string text;
  std::vector<std::string_view> lines;
};

const CorpusLines& CppLines() {
  static const CorpusLines corpus = [] {
    CorpusLines c;
    c.path = CorpusPath("c_100mb.cpp");
    std::ifstream in(c.path, std::ios::binary);
    c.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const char* p = c.text.data();
    const char* end = p + c.text.size();
    while (p < end) {
      const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (!eol) eol = end;
      c.lines.emplace_back(p, static_cast<size_t>(eol - p));
      p = eol + 1;
    }
    return c;
  }();
  return corpus;
}

// EASY: a rare literal with a capital, so ignoring case has two anchor
// bytes. HARD: a frequent three-byte literal, inside many identifiers.
struct Literal {
  const char* name;
  const char* text;
};
constexpr Literal kLiterals[] = {{"rare", "Undefined"}, {"frequent", "int"}};

void SetCorpusCounters(benchmark::State& state, long hits) {
  state.counters["hits"] = static_cast<double>(hits);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(CppLines().text.size()));
}

void BM_FindMatches(benchmark::State& state, const char* literal, bool caseSensitive) {
  const CorpusLines& corpus = CppLines();
  if (corpus.lines.empty()) return state.SkipWithError("no c_100mb.cpp corpus");
  TCodeEditSearch engine;
  engine.SetSearchFlags(caseSensitive ? TSearchFlags{srCaseSensitive} : TSearchFlags{});
  engine.SetPattern(literal);
  long hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (std::string_view line : corpus.lines) hits += engine.FindMatches(line);
    benchmark::DoNotOptimize(hits);
  }
  SetCorpusCounters(state, hits);
}

// The same non-overlapping count per line with std's searcher; ignoring
// case folds through the code page like the engine.
void BM_Horspool(benchmark::State& state, const char* literal, bool caseSensitive) {
  const CorpusLines& corpus = CppLines();
  if (corpus.lines.empty()) return state.SkipWithError("no c_100mb.cpp corpus");
  const std::string_view pattern(literal);
  const CodePage& cp = CodePage::Active();
  auto fold = [&](char c) { return caseSensitive ? c : static_cast<char>(cp.ToLower(static_cast<uint8_t>(c))); };
  auto hash = [&](char c) { return std::hash<char>()(fold(c)); };
  auto equal = [&](char a, char b) { return fold(a) == fold(b); };
  const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end(), hash, equal);
  long hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (std::string_view line : corpus.lines) {
      auto from = line.begin();
      for (;;) {
        const auto found = searcher(from, line.end()).first;
        if (found == line.end()) break;
        ++hits;
        from = found + static_cast<ptrdiff_t>(pattern.size());
      }
    }
    benchmark::DoNotOptimize(hits);
  }
  SetCorpusCounters(state, hits);
}

// grep counts matching lines, not hits; it is the speed to meet.
void BM_Grep(benchmark::State& state, const char* literal, bool caseSensitive) {
  const CorpusLines& corpus = CppLines();
  if (corpus.lines.empty()) return state.SkipWithError("no c_100mb.cpp corpus");
  const std::string command = std::string("LC_ALL=C grep -F -c ") + (caseSensitive ? "" : "-i ") + "'" + literal +
                              "' '" + corpus.path + "'";
  long lines = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe || std::fscanf(pipe, "%ld", &lines) != 1) lines = -1;
    if (pipe) pclose(pipe);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.text.size()));
}

void RegisterCounting() {
  for (const Literal& l : kLiterals) {
    for (bool cs : {true, false}) {
      const std::string suffix = std::string("/") + l.name + (cs ? "/case" : "/nocase");
      benchmark::RegisterBenchmark(("FindMatches" + suffix).c_str(), BM_FindMatches, l.text, cs)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("Horspool" + suffix).c_str(), BM_Horspool, l.text, cs)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("Grep" + suffix).c_str(), BM_Grep, l.text, cs)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

// Replace-all and one Undo, each timed on its own; the text is put back
// (untimed) before the next round.
void ReplaceAndUndo(benchmark::State& state, TCodeEdit& edit, const std::string& search, const std::string& replace,
                    TSearchFlags flags, bool timeUndo) {
  TCodeEditSearch engine;
  edit.SetSearchEngine(&engine);
  int hits = 0;
  for (auto _ : state) {
    if (!timeUndo) {
      hits = edit.SearchReplaceText(search, replace, flags);
      state.PauseTiming();
      edit.Undo();
      state.ResumeTiming();
    } else {
      state.PauseTiming();
      hits = edit.SearchReplaceText(search, replace, flags);
      state.ResumeTiming();
      edit.Undo();
    }
  }
  edit.SetSearchEngine(nullptr);
  state.counters["hits"] = hits;
}

constexpr TSearchFlags kReplaceAll{srReplace, srReplaceAll, srEntireText};
// The main window's Replace: it asks, with nobody installed to answer.
constexpr TSearchFlags kMainWindowReplace{srReplace, srReplaceAll, srConfirm, srEntireText};

// HARD: 125,000 hits spread over 1.5 million lines.
void BM_ReplaceAllLog(benchmark::State& state, TSearchFlags flags, bool timeUndo) {
  BigEditor& big = SharedBigEditor();
  if (!big.fromCorpus) return state.SkipWithError("no log_100mb.log corpus");
  ReplaceAndUndo(state, big.edit, "expired", "has expired", flags, timeUndo);
}

// HARD: 100,000 hits on one 10 MB line: per-hit line copies go quadratic.
void BM_ReplaceAllLongLine(benchmark::State& state, bool timeUndo) {
  static NullEditorHost host;
  static TCodeEdit edit{&host};
  if (edit.LineCount() == 0) edit.Lines().LoadFromFile(CorpusPath("longline_10mb.txt"));
  if (edit.LineCount() != 1) return state.SkipWithError("no longline_10mb.txt corpus");
  ReplaceAndUndo(state, edit, ";", "; ", kReplaceAll, timeUndo);
}

void RegisterReplacing() {
  benchmark::RegisterBenchmark("ReplaceAll/log", BM_ReplaceAllLog, kReplaceAll, false)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("ReplaceAll/log/undo", BM_ReplaceAllLog, kReplaceAll, true)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("ReplaceAll/log/mainwindow", BM_ReplaceAllLog, kMainWindowReplace, false)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("ReplaceAll/longline", BM_ReplaceAllLongLine, false)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("ReplaceAll/longline/undo", BM_ReplaceAllLongLine, true)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  vantrel::RegisterCounting();
  vantrel::RegisterReplacing();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
