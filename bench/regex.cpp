// Line-by-line search of the C/C++ corpus with the regular-expression
// engine, against PCRE2 without and with JIT and std::regex in the same
// binary.
// Each benchmark counts the lines with a match (like grep -c); the "lines"
// counter must agree between engines.
#include <benchmark/benchmark.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "search/Regex.h"

namespace {

struct Corpus {
  std::string text;
  std::vector<std::string_view> lines;
  bool ok = false;
};

const Corpus& LoadCorpus(const char* name) {
  static std::vector<std::pair<std::string, Corpus*>> cache;
  for (auto& [n, c] : cache) {
    if (n == name) return *c;
  }
  auto* corpus = new Corpus;
  const char* dir = std::getenv("VANTREL_CORPORA");
  std::ifstream in(std::string(dir ? dir : "/tmp/vantrel-corpora") + "/" + name, std::ios::binary);
  if (in) {
    corpus->text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::string_view all(corpus->text);
    size_t from = 0;
    while (from < all.size()) {
      size_t end = all.find('\n', from);
      if (end == std::string_view::npos) end = all.size();
      corpus->lines.push_back(all.substr(from, end - from));
      from = end + 1;
    }
    corpus->ok = !corpus->lines.empty();
  }
  cache.emplace_back(name, corpus);
  return *corpus;
}

// The five searches; each has a different start-position shortcut:
// a required word, a required suffix behind classes, an alternation with
// no literal, a quote start character, and an anchored line.
const char* const kPatterns[] = {
    "\\bstatic\\b",
    "[A-Z][a-z]+Error",
    "(int|long)\\s+\\w+\\s*\\(",
    "\"[^\"]*\"",
    "^\\s*#\\s*include",
};

void Finish(benchmark::State& state, size_t bytes, int64_t matched) {
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["lines"] = static_cast<double>(matched);
}

void BM_Vantrel(benchmark::State& state) {
  const Corpus& corpus = LoadCorpus("c_100mb.cpp");
  if (!corpus.ok) return state.SkipWithError("corpus c_100mb.cpp missing");
  vantrel::TRegex regex;
  regex.SetExpression(kPatterns[state.range(0)]);
  int64_t matched = 0;
  for (auto _ : state) {
    matched = 0;
    for (std::string_view line : corpus.lines) matched += regex.Exec(line);
  }
  Finish(state, corpus.text.size(), matched);
}

void RunPcre2(benchmark::State& state, bool jit) {
  const Corpus& corpus = LoadCorpus("c_100mb.cpp");
  if (!corpus.ok) return state.SkipWithError("corpus c_100mb.cpp missing");
  int error = 0;
  PCRE2_SIZE offset = 0;
  const char* pattern = kPatterns[state.range(0)];
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                                   PCRE2_DOTALL, &error, &offset, nullptr);
  if (jit && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) != 0) {
    pcre2_code_free(code);
    return state.SkipWithError("PCRE2 JIT unavailable");
  }
  pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
  int64_t matched = 0;
  for (auto _ : state) {
    matched = 0;
    for (std::string_view line : corpus.lines) {
      matched += pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(line.data()), line.size(), 0, 0, data,
                             nullptr) >= 0;
    }
  }
  pcre2_match_data_free(data);
  pcre2_code_free(code);
  Finish(state, corpus.text.size(), matched);
}

void BM_Pcre2NoJit(benchmark::State& state) { RunPcre2(state, false); }
void BM_Pcre2Jit(benchmark::State& state) { RunPcre2(state, true); }

void BM_StdRegex(benchmark::State& state) {
  const Corpus& corpus = LoadCorpus("c_100mb.cpp");
  if (!corpus.ok) return state.SkipWithError("corpus c_100mb.cpp missing");
  const std::regex re(kPatterns[state.range(0)]);
  int64_t matched = 0;
  for (auto _ : state) {
    matched = 0;
    for (std::string_view line : corpus.lines) matched += std::regex_search(line.begin(), line.end(), re);
  }
  Finish(state, corpus.text.size(), matched);
}

BENCHMARK(BM_Vantrel)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Pcre2NoJit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Pcre2Jit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_StdRegex)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
